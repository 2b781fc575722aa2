#pragma once

#include "model/records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zem::sim {

// The comma-separated layouts of the radio's memory and VFO answers, written from the radio's
// side. A channel row after its address is
//   freq,step,shift,reverse,tone,ctcss,,toneCode,,ctcssCode,offset,mode,lockout
// and a VFO after its selector the same without the lockout. The two empty positions are
// fields the radio keeps for itself; an empty offset marks a split channel.

bool IsDigits(std::string_view text, std::size_t count);

// "000".."149", "L0".."L9", "U0".."U9" and the row each names (rows 150 + 2k and 151 + 2k).
std::optional<std::size_t> RowOfAddress(std::string_view address);

std::string ChannelFields(const MemoryChannel& channel);
std::string VfoFields(const VfoRecord& vfo);

// The fields of a write command after its address (13 for a channel, 12 for a VFO). Returns the
// record with those fields set over `base`, or nothing when a field is missing or malformed.
std::optional<MemoryChannel> ParseChannelFields(const std::vector<std::string_view>& fields, MemoryChannel base);
std::optional<VfoRecord> ParseVfoFields(const std::vector<std::string_view>& fields, VfoRecord base);

} // namespace zem::sim
