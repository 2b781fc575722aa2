#pragma once

#include <QDateTime>

#include <string>
#include <string_view>

namespace zem {

// The line a scope stores for a pass, in the window and the tool alike: the local date in the
// locale's short format, a blank, the time in the locale's long format without its time-zone name
// (a stored sweep is read against the clock on the wall), ':', one digit per reading, CR LF; in
// CP932, a character it lacks written as '?'.
std::string ScopeStorageLine(std::string_view digits, const QDateTime& when);

} // namespace zem
