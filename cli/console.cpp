#include "console.h"

#include "interruption.h"

#include "model/file_name.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>

namespace cli {
namespace {

// Each piece goes out at once, so a reader that has gone is noticed at the write that found it
// gone, not at the exit; a command that handles its endings then ends as on SIGPIPE, also where
// SIGPIPE is ignored.
void Write(std::FILE* stream, std::string_view bytes) {
    if ((std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() || std::fflush(stream) != 0) &&
        errno == EPIPE)
        NoteBrokenPipe();
}

} // namespace

void Out(std::string_view utf8) {
    Write(stdout, utf8);
}

void Error(const QString& line) {
    Write(stderr, Shown(line) + '\n');
}

void ErrorBytes(std::string_view bytes) {
    Write(stderr, bytes);
}

QString Help(const char* english) {
    return QString::fromUtf8(english);
}

QString Translated(const QString& english) {
    return QCoreApplication::translate("cli", english.toUtf8().constData());
}

std::string Bytes(const QString& text) {
    return zem::FileNameBytes(text.toStdU16String());
}

std::string Shown(const QString& name) {
    return zem::ShownText(Bytes(name));
}

} // namespace cli
