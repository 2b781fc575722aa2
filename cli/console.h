#pragma once

#include <QString>

#include <string_view>

// Output of the command-line tool: UTF-8, LF line ends.
namespace cli {

void Out(std::string_view utf8);
// One line on standard error.
void Error(const QString& line);

} // namespace cli
