// The channel layout's import on any bytes. It takes only rows it can hold, never touches the
// scan memories, and what it took comes back the same when exported and imported again.
#include "model/channel_csv.h"
#include "model/codecs.h"
#include "model/cp932.h"
#include "model/startup_image.h"
#include "property.h"

namespace zem::fuzz {
namespace {

template <std::size_t N> bool EndsOnCharacter(const FixedText<N>& text) {
    return CutCp932(text.view(), N) == text.view();
}

void CheckTakenChannel(const MemoryChannel& ch) {
    Require(ch.EmptyFlag == '0', "a taken row is a used channel");
    Require(ch.RxFreq.size() == ch.RxFreq.capacity && IsDigits(ch.RxFreq.view()), "eleven digits of Hz");
    Require(BandOfFreq(ch.RxFreq.str() + "e-6") >= 0, "a taken frequency lies in a receive band");
    Require(EndsOnCharacter(ch.Name) && EndsOnCharacter(ch.Memo), "names and memos hold whole characters");
    Require(ch.Name.view().find(',') == std::string_view::npos, "a name holds no comma");
}

void CheckImport(std::string_view bytes) {
    const ChannelTable base = StartupImage().Channels;
    const ChannelCsvImport read = ImportChannelCsv(bytes, base);
    if (read.error) {
        Require(read.channels == base && read.taken == 0, "a file that cannot be read changes nothing");
        return;
    }
    std::size_t used = 0;
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        if (row >= kNumberedChannels || IsEmptyRow(read.channels[row])) {
            Require(read.channels[row] == base[row], "rows not taken stay as they were");
            continue;
        }
        CheckTakenChannel(read.channels[row]);
        ++used;
    }
    Require(used <= read.taken, "every used row was taken by a row of the file");
    const auto exported = Converted([&] { return ExportChannelCsv(read.channels); });
    Require(exported.has_value(), "taken channels can be exported");
    Require(exported->notes.empty(), "taken channels are exported whole");
    const ChannelCsvImport again = ImportChannelCsv(exported->text, base);
    Require(!again.error && again.notes.empty(), "an exported file reads back without a note");
    Require(again.channels == read.channels, "export and import give back the same channels");
}

} // namespace
} // namespace zem::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zem::fuzz::CheckImport(zem::fuzz::AsText(data, size));
    return 0;
}
