#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zem {

// Records hold CP932 (Windows Shift-JIS) bytes exactly as the radio and the files carry them;
// text is converted only where it meets the screen or the terminal.

// CP932 bytes to UTF-8. A byte that does not start a valid character (for instance the lead byte
// left by a cut) becomes U+FFFD, so nothing is silently dropped.
std::string Cp932ToUtf8(std::string_view cp932);
struct Utf8Conversion {
    std::string utf8;
    std::string invalid; // the bytes left out, as they were: none of them starts a CP932 character
};
// CP932 bytes to UTF-8, leaving out the bytes that start no character (the lead byte left by a
// cut, a byte CP932 does not define) and listing them, for writers that must not guess.
Utf8Conversion Cp932ToUtf8Listing(std::string_view cp932);
// CP932 text (a name, a memo, a radio's answer) as it is shown, in UTF-8: its characters as
// they are; bytes that start no CP932 character and control characters as \xNN (see
// AppendHexEscape), so a damaged byte can be told from another and nothing reaches a terminal
// as an escape sequence or a line of its own. Never U+FFFD.
std::string ShownCp932(std::string_view cp932);
// UTF-8 to CP932; nullopt when some character has no CP932 form (or the UTF-8 is malformed).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
// The same for a text that must be written whatever it holds (a line of a file the user asked
// for): a character without a CP932 form, or a byte that begins no UTF-8 character, becomes '?'.
std::string Utf8ToCp932Lossy(std::string_view utf8);

struct Cp932Conversion {
    std::string cp932;
    std::string missing; // the characters left out, in UTF-8; U+FFFD for a byte that is not UTF-8
};
// UTF-8 to CP932, leaving out the characters that have no CP932 form and listing them.
Cp932Conversion Utf8ToCp932Listing(std::string_view utf8);

// True when the bytes are UTF-8 throughout.
bool IsUtf8(std::string_view bytes);

// True for a byte that starts a CP932 double-byte character.
bool IsCp932LeadByte(unsigned char b);
// The longest prefix of at most maxBytes bytes that does not end inside a double-byte character.
std::string_view CutCp932(std::string_view cp932, std::size_t maxBytes);

} // namespace zem
