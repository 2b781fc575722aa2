#include "console.h"

#include "model/file_name.h"

#include <cstdio>

namespace cli {

void Out(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

void Error(const QString& line) {
    const std::string shown = Shown(line) + '\n';
    std::fwrite(shown.data(), 1, shown.size(), stderr);
}

std::string Bytes(const QString& text) {
    return zem::FileNameBytes(text.toStdU16String());
}

std::string Shown(const QString& name) {
    return zem::ShownText(Bytes(name));
}

} // namespace cli
