#include "write_mask.h"

#include "command_text.h"

#include <algorithm>

namespace zem {
namespace {

template <std::size_t N> std::size_t Chosen(const std::array<bool, N>& parts) {
    return static_cast<std::size_t>(std::count(parts.begin(), parts.end(), true));
}

} // namespace

WriteMask WriteMask::All() {
    WriteMask all;
    all.channels.fill(true);
    all.vfos.fill(true);
    all.settings.fill(true);
    all.dtmf.fill(true);
    return all;
}

std::size_t WriteMask::Count() const {
    return Chosen(channels) + Chosen(vfos) + Chosen(settings) + Chosen(dtmf);
}

// Compared as the commands the memory write sends for the row, so a field that never travels
// (a transmit frequency left in a channel that is not split) does not make the row differ.
bool SameOnRadio(std::size_t row, const MemoryChannel& a, const MemoryChannel& b) {
    if (IsEmptyRow(a) || IsEmptyRow(b))
        return IsEmptyRow(a) && IsEmptyRow(b);
    return BuildWriteChannel(row, a) == BuildWriteChannel(row, b) && BuildWriteName(row, a) == BuildWriteName(row, b) &&
           (!IsSplit(a) || BuildWriteSplit(row, a) == BuildWriteSplit(row, b));
}

bool SameOnRadio(const VfoRecord& a, const VfoRecord& b) {
    return BuildVW(a) == BuildVW(b) && BuildWriteLimits(a) == BuildWriteLimits(b);
}

WriteMask ChangedParts(const RadioImage& radio, const RadioImage& wanted) {
    WriteMask changed;
    for (std::size_t row = 0; row < kChannelRows; ++row)
        changed.channels[row] = !SameOnRadio(row, radio.Channels[row], wanted.Channels[row]);
    for (std::size_t v = 0; v < kVfoCount; ++v)
        changed.vfos[v] = !SameOnRadio(radio.Vfos[v], wanted.Vfos[v]);
    for (std::size_t f = 0; f < kMenuFieldCount; ++f)
        changed.settings[f] = MenuFields()[f].get(radio.Settings) != MenuFields()[f].get(wanted.Settings);
    for (std::size_t k = 0; k < kDtmfCount; ++k) {
        const DtmfMemory& a = radio.Settings.Dtmf[k];
        const DtmfMemory& b = wanted.Settings.Dtmf[k];
        changed.dtmf[k] = a.Code.view() != b.Code.view() || a.Name.view() != b.Name.view();
    }
    return changed;
}

} // namespace zem
