#include "full_memory.h"

#include "model/codecs.h"
#include "model/command_text.h"
#include "model/cp932.h"
#include "model/startup_image.h"

#include <algorithm>
#include <string>

namespace zem::bench {
namespace {

constexpr std::size_t kSplitEvery = 5;
constexpr std::size_t kJapaneseNameEvery = 3;

struct BandPlan {
    long long firstHz;
    long long spacingHz;
    const char* offset; // 9 digits of Hz
    char step;
};

// Rows alternate between the 144 and the 430 MHz band so both kinds of answer are exercised.
constexpr BandPlan kBands[] = {
    {144'000'000, 10'000, "000600000", '2'},
    {430'000'000, 25'000, "005000000", '6'},
};

std::string Hz(long long hz) {
    return ZeroPad(hz, 11);
}

std::string NameOf(std::size_t row) {
    const std::string address = ChannelAddress(row);
    if (row % kJapaneseNameEvery == 0)
        return *Utf8ToCp932("関東" + address); // 4 + 3 bytes, or 4 + 2 for L and U
    return "MEMO-" + address;
}

MemoryChannel UsedRow(std::size_t row) {
    const BandPlan& band = kBands[row % 2];
    const long long rx = band.firstHz + static_cast<long long>(row / 2) * band.spacingHz;
    const bool split = row % kSplitEvery == 2;
    MemoryChannel ch;
    ch.EmptyFlag = '0';
    ch.RxFreq = Hz(rx);
    ch.Step = band.step;
    ch.Shift = split ? '0' : static_cast<char>('1' + row % 2);
    ch.Reverse = '0';
    ch.ToneOn = row % 4 == 1 ? '1' : '0';
    ch.CtcssOn = '0';
    ch.ToneCode = ZeroPad(static_cast<long long>(1 + row % 39), 2);
    ch.CtcssCode = "09";
    ch.Offset = split ? "" : band.offset;
    ch.Mode = '0';
    ch.TxFreq = split ? Hz(rx + 5'000'000) : "";
    ch.Name = NameOf(row);
    ch.Lockout = row % 7 == 0 ? '1' : '0';
    ch.Memo = "bench row " + std::to_string(row);
    return ch;
}

MemoryChannel WithoutMemo(MemoryChannel ch) {
    ch.Memo = "";
    return ch;
}

} // namespace

RadioImage FullMemoryImage() {
    RadioImage image = StartupImage();
    for (std::size_t row = 0; row < kChannelRows; ++row)
        image.Channels[row] = UsedRow(row);
    return image;
}

std::size_t SplitRowCount(const RadioImage& image) {
    return static_cast<std::size_t>(std::count_if(image.Channels.begin(), image.Channels.end(), [](const auto& ch) {
        return ch.EmptyFlag == '0' && ch.Offset.empty();
    }));
}

bool SameOnTheRadio(const ChannelTable& got, const ChannelTable& want) {
    return std::equal(got.begin(), got.end(), want.begin(), want.end(),
                      [](const MemoryChannel& a, const MemoryChannel& b) { return WithoutMemo(a) == WithoutMemo(b); });
}

} // namespace zem::bench
