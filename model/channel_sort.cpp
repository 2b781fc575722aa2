#include "channel_sort.h"

#include "conversion_error.h"
#include "decimal.h"

#include <algorithm>
#include <utility>

namespace zem {
namespace {

using ExchangeTest = std::function<bool(const MemoryChannel& i, const MemoryChannel& j)>;

void ExchangeSort(ChannelTable& channels, const ExchangeTest& exchange) {
    for (std::size_t i = 0; i < kNumberedChannels; ++i) {
        for (std::size_t j = 0; j < kNumberedChannels; ++j) {
            const bool used = channels[i].EmptyFlag == '0' && channels[j].EmptyFlag == '0';
            if (used && exchange(channels[i], channels[j]))
                std::swap(channels[i], channels[j]);
        }
    }
}

detail::Decimal ReadFrequency(const MemoryChannel& ch) {
    const auto value = detail::ParseDecimal(ch.RxFreq.view());
    if (!value)
        ThrowNotDecimal(ch.RxFreq.view());
    return *value;
}

// Exact comparison of two decimals: sign, then magnitude by the place of the first digit, then
// digit by digit.
int CompareDecimals(const detail::Decimal& a, const detail::Decimal& b) {
    const bool aZero = a.digits == "0";
    const bool bZero = b.digits == "0";
    const int aSign = aZero ? 0 : a.negative ? -1 : 1;
    const int bSign = bZero ? 0 : b.negative ? -1 : 1;
    if (aSign != bSign || aSign == 0)
        return aSign < bSign ? -1 : aSign > bSign ? 1 : 0;
    const long long aPlace = static_cast<long long>(a.digits.size()) + a.exponent;
    const long long bPlace = static_cast<long long>(b.digits.size()) + b.exponent;
    int magnitude = aPlace < bPlace ? -1 : aPlace > bPlace ? 1 : 0;
    if (magnitude == 0) {
        const std::size_t width = std::max(a.digits.size(), b.digits.size());
        std::string aDigits = a.digits;
        std::string bDigits = b.digits;
        aDigits.resize(width, '0');
        bDigits.resize(width, '0');
        magnitude = aDigits.compare(bDigits);
        magnitude = magnitude < 0 ? -1 : magnitude > 0 ? 1 : 0;
    }
    return aSign * magnitude;
}

} // namespace

void SortByFrequency(ChannelTable& channels) {
    ExchangeSort(channels, [](const MemoryChannel& i, const MemoryChannel& j) {
        return CompareDecimals(ReadFrequency(i), ReadFrequency(j)) < 0;
    });
}

void SortByName(ChannelTable& channels, const TextCompare& compare) {
    ExchangeSort(channels, [&](const MemoryChannel& i, const MemoryChannel& j) {
        return compare(i.Name.view(), j.Name.view()) > 0;
    });
}

void SortByMemo(ChannelTable& channels, const TextCompare& compare) {
    ExchangeSort(channels, [&](const MemoryChannel& i, const MemoryChannel& j) {
        return compare(i.Memo.view(), j.Memo.view()) > 0;
    });
}

} // namespace zem
