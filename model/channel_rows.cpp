#include "channel_rows.h"

#include <algorithm>

namespace zem {
namespace {

bool AllNumbered(std::span<const std::size_t> rows) {
    return std::ranges::all_of(rows, [](std::size_t r) { return r < kNumberedChannels; });
}

MemoryChannel EmptyRecord() {
    MemoryChannel ch;
    ch.EmptyFlag = '1';
    return ch;
}

} // namespace

std::optional<ChannelTable> InsertEmptyRows(const ChannelTable& table, std::size_t row, std::size_t count) {
    if (row >= kNumberedChannels || count == 0 || count > kNumberedChannels - row)
        return std::nullopt;
    const auto end = table.begin() + kNumberedChannels;
    if (std::any_of(end - static_cast<std::ptrdiff_t>(count), end, [](const auto& ch) { return !IsEmptyRow(ch); }))
        return std::nullopt;
    ChannelTable result = table;
    const auto first = result.begin() + static_cast<std::ptrdiff_t>(row);
    const auto last = result.begin() + kNumberedChannels;
    std::rotate(first, last - static_cast<std::ptrdiff_t>(count), last);
    std::fill(first, first + static_cast<std::ptrdiff_t>(count), EmptyRecord());
    return result;
}

std::optional<ChannelTable> DeleteRows(const ChannelTable& table, std::span<const std::size_t> rows) {
    if (!AllNumbered(rows))
        return std::nullopt;
    ChannelTable result = table;
    std::size_t kept = 0;
    for (std::size_t r = 0; r < kNumberedChannels; ++r) {
        if (!std::ranges::binary_search(rows, r))
            result[kept++] = table[r];
    }
    std::fill(result.begin() + static_cast<std::ptrdiff_t>(kept), result.begin() + kNumberedChannels, EmptyRecord());
    return result;
}

ChannelTable EmptyRows(const ChannelTable& table, std::span<const std::size_t> rows) {
    ChannelTable result = table;
    for (std::size_t r : rows)
        result[r].EmptyFlag = '1';
    return result;
}

std::optional<ChannelTable> MoveRows(const ChannelTable& table, std::span<const std::size_t> rows, int step) {
    if (rows.empty() || !AllNumbered(rows) || (step < 0 && rows.front() == 0) ||
        (step > 0 && rows.back() + 1 == kNumberedChannels))
        return std::nullopt;
    ChannelTable result = table;
    // Walking against the move, each row swaps with its neighbour, which is never a moved row
    // still waiting: a block of selected rows moves whole.
    const auto swapWithNeighbour = [&](std::size_t r) {
        std::swap(result[r], result[static_cast<std::size_t>(static_cast<long>(r) + step)]);
    };
    if (step < 0)
        std::ranges::for_each(rows, swapWithNeighbour);
    else
        std::for_each(rows.rbegin(), rows.rend(), swapWithNeighbour);
    return result;
}

std::optional<ChannelTable> PlaceRows(const ChannelTable& table, std::size_t row,
                                      std::span<const std::optional<MemoryChannel>> records) {
    const std::size_t blockEnd = row < kNumberedChannels ? kNumberedChannels : kChannelRows;
    if (row >= kChannelRows || records.size() > blockEnd - row)
        return std::nullopt;
    ChannelTable result = table;
    for (std::size_t k = 0; k < records.size(); ++k) {
        if (records[k])
            result[row + k] = *records[k];
    }
    return result;
}

std::vector<std::size_t> MovedRows(std::span<const std::size_t> rows, int step) {
    std::vector<std::size_t> moved;
    for (std::size_t r : rows)
        moved.push_back(static_cast<std::size_t>(static_cast<long>(r) + step));
    return moved;
}

} // namespace zem
