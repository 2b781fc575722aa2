#pragma once

#include <string>
#include <string_view>

namespace zem {

// A file name is bytes to the system: UTF-8 by custom, but a name copied from a Windows disk may
// be CP932. As text, a byte that is not part of UTF-8 becomes U+DC80 + (byte - 0x80), a code
// point no decoded UTF-8 gives, and turns back into the same byte, so every name opens again.
std::u16string FileNameText(std::string_view bytes);
std::string FileNameBytes(std::u16string_view text);

// Bytes quoted in a message (a file's name, a field of a file): UTF-8 characters are kept,
// control characters and bytes that are not UTF-8 are written as \xNN, so nothing a file holds
// reaches a terminal as an escape sequence or a line of its own.
std::string ShownText(std::string_view bytes);

// One byte as \xNN, the form every message and note shows a byte in that cannot be shown as it is.
void AppendHexEscape(std::string& text, unsigned char byte);

} // namespace zem
