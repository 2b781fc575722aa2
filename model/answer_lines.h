#pragma once

#include <optional>
#include <string_view>

namespace zem {

// The radio answers each command with one line, but what the link reads after a command may hold
// more than one: an unsolicited line right after the answer, or the late answer to the command
// before. Only a line that names what was asked for answers the command; a value is never taken
// by position from the whole of what was read.
//
// The line of `response` that answers a command: the first line (lines end at CR or LF; a line's
// trailing blanks and control bytes do not count) that begins with `head` followed by the line's
// end, ' ' or ','; failing that, the first line that is exactly `bare`, when one is given. The
// head is the command's word with what it names ("MR 0,0,005", "VR 1", "DM 03", "MES"); `bare` is
// an answer that names nothing ("N" for an empty channel, a bare "MW" echo).
std::optional<std::string_view> AnswerLine(std::string_view response, std::string_view head,
                                           std::string_view bare = {});

// Bytes below 0x20 and DEL are part of no value the radio keeps (a CP932 trail byte is never one
// of them): a value holding one was cut from a damaged or mixed-up answer.
bool HasControlChars(std::string_view text);

} // namespace zem
