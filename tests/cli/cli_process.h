#pragma once

#include "cli_run.h"

#include <QString>

#include <string>

namespace zem {

inline QString Path(const std::string& path) {
    return QString::fromStdString(path);
}

} // namespace zem
