#include "tcomm_thread.h"

#include <algorithm>

namespace zem {
namespace {

// The chosen parts that differ between the two images.
std::size_t Differing(const WriteMask& chosen, const RadioImage& a, const RadioImage& b) {
    const WriteMask changed = ChangedParts(a, b);
    WriteMask both;
    const auto meet = [](auto& out, const auto& x, const auto& y) {
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = x[i] && y[i];
    };
    meet(both.channels, chosen.channels, changed.channels);
    meet(both.vfos, chosen.vfos, changed.vfos);
    meet(both.settings, chosen.settings, changed.settings);
    meet(both.dtmf, chosen.dtmf, changed.dtmf);
    return both.Count();
}

} // namespace

// Only the chosen parts go to the radio, and those are then read back into the image, so that the
// image afterwards is what the radio holds. A part that could not be read back, or that the radio
// holds otherwise than it was written, counts as an error.
void TCommThread::DoWriteChanged() {
    const WriteMask chosen = WriteOnly_;
    const RadioImage wanted = Image_;
    // Every part is written and read back; a DTMF memory is two commands each way.
    const std::size_t total =
        2 * (chosen.Count() + static_cast<std::size_t>(std::count(chosen.dtmf.begin(), chosen.dtmf.end(), true)));
    const long errors = Transfer(total, [&] {
        // Each kind's count is what the others had not yet added.
        long counted = WriteChannels(chosen);
        Outcome_.written[0] = Outcome_.moved;
        counted += WriteVfos(chosen);
        Outcome_.written[1] = Outcome_.moved - Outcome_.written[0];
        counted += WriteSettings(chosen);
        Outcome_.written[2] = Outcome_.moved - Outcome_.written[0] - Outcome_.written[1];
        Status("照合中");
        counted += ReadChannels(chosen) + ReadVfos(chosen) + ReadSettings(chosen);
        return counted + static_cast<long>(Differing(chosen, Image_, wanted));
    });
    Status("完了 エラー数：" + std::to_string(errors));
    Finish(errors);
}

} // namespace zem
