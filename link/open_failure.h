#pragma once

#include "link_only.h"

#include <string>

namespace zem {

// Why a port would not open and what the user can do about it, in Japanese (UTF-8), from the
// errno of the step that failed: a missing device, a device the user may not open (with
// PermissionText's advice), one another program holds (naming it when it can be seen), one that is
// not a serial port. Empty for 0.
std::string OpenFailureText(int error, const std::string& path);

} // namespace zem
