// The CSV import on any bytes. It may stop at a line that is not a number, but it must fill only
// channels 0.. in order with in-band frequencies and whole CP932 characters, leave every other row
// as it was (a line not taken included), and every channel it fills must come back the same from
// a CSV line written from it.
#include "model/codecs.h"
#include "model/cp932.h"
#include "model/csv_import.h"
#include "model/startup_image.h"
#include "property.h"

namespace zem::fuzz {
namespace {

template <std::size_t N> bool EndsOnCharacter(const FixedText<N>& text) {
    return CutCp932(text.view(), N) == text.view();
}

// The exponent form states the record's Hz digits exactly, where a decimal MHz text would round.
std::string CsvLineOf(const MemoryChannel& ch) {
    return ch.RxFreq.str() + "e-6," + ch.Name.str() + "," + ch.Memo.str();
}

void CheckFilledChannel(const MemoryChannel& ch) {
    Require(ch.EmptyFlag == '0', "an accepted line gives a used channel");
    Require(ch.RxFreq.size() == ch.RxFreq.capacity && IsDigits(ch.RxFreq.view()), "eleven digits of Hz");
    Require(BandOfFreq(ch.RxFreq.str() + "e-6") >= 0, "an accepted frequency lies in a receive band");
    Require(EndsOnCharacter(ch.Name) && EndsOnCharacter(ch.Memo), "names and memos hold whole characters");
    const auto again = Converted([&] { return ParseCsvLine(CsvLineOf(ch)); });
    Require(again == ch, "a CSV line written from a channel reads back as that channel");
}

void CheckImport(std::string_view bytes) {
    const ChannelTable before = StartupImage().Channels;
    ChannelTable channels = before;
    const CsvImportResult result = ImportCsv(bytes, channels);
    Require(result.accepted <= kNumberedChannels, "at most the numbered channels are filled");
    if (result.error) {
        Require(result.error->kind() == ConversionError::Kind::Decimal, "a CSV line fails only as not a number");
        Require(result.errorLine >= 1, "the error names its line");
    }
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        if (row < result.accepted)
            CheckFilledChannel(channels[row]);
        else
            Require(channels[row] == before[row], "rows past the filled ones stay as they were");
    }
}

} // namespace
} // namespace zem::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zem::fuzz::CheckImport(zem::fuzz::AsText(data, size));
    return 0;
}
