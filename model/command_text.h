#pragma once

#include "records.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// Address token of a channel row: "000".."149", "L0".."L9", "U0".."U9".
std::string ChannelAddress(std::size_t row);
// Grid label of a channel row: "0".."149", "L0".."U9".
std::string RowLabel(std::size_t row);

// Field scanners: split at every ',' into `count` fields (fields beyond are dropped). The digit
// scanner keeps only '0'..'9'; the text scanner keeps everything but ','.
std::vector<std::string> ScanDigits(std::string_view response, std::size_t count);
std::vector<std::string> ScanText(std::string_view response, std::size_t count);

// Commands. The exchange appends the CR, except to BuildWriteChannel, whose text is written to
// the port directly and so carries its own "\r".
std::string BuildReadChannel(std::size_t row);                           // "MR 0,0," + addr
std::string BuildReadSplit(std::size_t row);                             // "MR 0,1," + addr
std::string BuildReadName(std::size_t row);                              // "MNA 0," + addr
std::string BuildWriteChannel(std::size_t row, const MemoryChannel& ch); // "MW 0,0,..." + "\r"
std::string BuildClearChannel(std::size_t row);                          // "MW 0,0," + addr
std::string BuildWriteSplit(std::size_t row, const MemoryChannel& ch);   // "MW 0,1,addr,TxFreq,0"
std::string BuildWriteName(std::size_t row, const MemoryChannel& ch);    // "MNA 0,addr,Name"
std::string BuildReadVfo(const VfoRecord& vfo);                          // "VR " + VfoNo
std::string BuildVW(const VfoRecord& vfo);
std::string BuildReadLimits(const VfoRecord& vfo);  // "PV " + VfoNo
std::string BuildWriteLimits(const VfoRecord& vfo); // "PV " + VfoNo + "," + lower + "," + upper

// The radio's whole answer to the read of an empty channel.
inline constexpr std::string_view kEmptyChannelAnswer = "N";

// Answer parsers. A record is only changed once the whole answer has been read; an empty
// one-character field throws ConversionError (Integer) and leaves the record as it was.
void ParseMR(std::string_view response, MemoryChannel& ch);
std::string ParseMRSplit(std::string_view response);
std::string ParseMNA(std::string_view response);
void ParseVR(std::string_view response, VfoRecord& vfo);
// Band limits from a "PV" answer by position: characters 6..10 and 12..16 (1-based).
void ParsePVLimits(std::string_view response, VfoRecord& vfo);

// Characters [from, from + count) of a text by 1-based position; shorter (or empty) where the
// text ends before.
std::string_view TextAt(std::string_view text, std::size_t from, std::size_t count);

// Substring test that accepts no match starting on the second byte of a CP932 double-byte
// character (the model check's search for "TH-D7").
bool ContainsCp932(std::string_view haystack, std::string_view needle);

} // namespace zem
