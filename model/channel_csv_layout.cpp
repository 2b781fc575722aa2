#include "channel_csv_layout.h"

#include "codecs.h"
#include "decimal.h"

namespace zem::channel_csv {
namespace {

// The list entry of a code: "88.5 Hz"; empty for a code naming no tone.
std::string_view ToneItem(std::string_view code) {
    const std::optional<long long> index = code.size() == 2 ? DigitsValue(code, 2) : std::nullopt;
    return index && *index < static_cast<long long>(kToneCount) ? ToneItems()[static_cast<std::size_t>(*index)]
                                                                : std::string_view{};
}

// The number of a tone list entry: "88.5 Hz" gives "88.5".
std::string_view HzText(std::string_view item) {
    return item.substr(0, item.find(' '));
}

} // namespace

std::string_view ToneHz(std::string_view code) {
    const std::string_view item = ToneItem(code);
    return HzText(item.empty() ? ToneItem(kDefaultToneCode) : item);
}

std::optional<std::string> ToneCodeOf(std::string_view hzText) {
    const std::optional<detail::Decimal> hz = detail::ParseDecimal(hzText);
    if (!hz)
        return std::nullopt;
    for (std::size_t index = 0; index < kToneCount; ++index) {
        const std::string_view item = ToneItems()[index];
        if (!item.empty() && detail::CompareDecimals(*hz, *detail::ParseDecimal(HzText(item))) == 0)
            return ZeroPad(static_cast<long long>(index), 2);
    }
    return std::nullopt;
}

std::string StepKhz(char code) {
    const int hz = StepHz(code);
    if (hz == 0)
        return {};
    return std::to_string(hz / 1000) + "." + ZeroPad(hz % 1000 / 10, 2);
}

std::optional<char> StepCodeOf(std::string_view khzText) {
    const std::optional<detail::Decimal> khz = detail::ParseDecimal(khzText);
    if (!khz)
        return std::nullopt;
    for (std::size_t k = 0; k < kStepCount; ++k) {
        const char code = DigitChar(static_cast<long long>(k));
        if (detail::CompareDecimals(*khz, *detail::ParseDecimal(StepKhz(code))) == 0)
            return code;
    }
    return std::nullopt;
}

} // namespace zem::channel_csv
