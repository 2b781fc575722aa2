#pragma once

#include <QString>

#include <string>
#include <string_view>

// Output of the command-line tool: UTF-8, LF line ends.
namespace cli {

void Out(std::string_view utf8);
// One line on standard error, with its control characters and the bytes of file names that are
// not UTF-8 escaped (\xNN): a line may quote a file's name or content.
void Error(const QString& line);
// Bytes on standard error as they are: the progress bar's redraws.
void ErrorBytes(std::string_view bytes);
// A help text of the command tables, kept in English: the tables are built before the translations
// are loaded, so what shows a text puts it into the user's language with Translated.
QString Help(const char* english);
// The tool's text `english` in the user's language: Japanese under a ja locale, as it is otherwise.
QString Translated(const QString& english);
// A text from the command line or a file as bytes: a file name's own bytes come back (see
// zem::FileNameText), so the system finds the file the user named.
std::string Bytes(const QString& text);
// A file name for a line of standard output, escaped as Error escapes.
std::string Shown(const QString& name);

} // namespace cli
