#pragma once

#include "model/records.h"

#include <string>

namespace cli {

// An image as `show` prints it: the memory, VFO and settings tables, tab-separated, texts escaped.
std::string FormatImage(const zem::RadioImage& image);

} // namespace cli
