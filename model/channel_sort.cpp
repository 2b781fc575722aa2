#include "channel_sort.h"

#include "conversion_error.h"
#include "decimal.h"

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

} // namespace

void SortByFrequency(ChannelTable& channels) {
    ExchangeSort(channels, [](const MemoryChannel& i, const MemoryChannel& j) {
        return detail::CompareDecimals(ReadFrequency(i), ReadFrequency(j)) < 0;
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
