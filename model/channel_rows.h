#pragma once

#include "records.h"

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace zem {

// Row commands of the memory table. Inserting, deleting and moving shift the numbered channels
// 0..149 only: the scan memories L0..U9 come in pairs whose places mean the scan range, so they
// are never shifted. Each command returns the new table, or nullopt when it cannot be done whole;
// `rows` are table indexes in ascending order without repeats.

// An empty row at `row` for each of `count` rows, the channels from `row` moving down; nullopt
// when a channel would be pushed past 149 (one of the last `count` channels is used) or `row`
// is not a numbered channel.
std::optional<ChannelTable> InsertEmptyRows(const ChannelTable& table, std::size_t row, std::size_t count);

// The rows taken out, the channels after them moving up and empty rows filling the end at 149;
// nullopt when a row is not a numbered channel.
std::optional<ChannelTable> DeleteRows(const ChannelTable& table, std::span<const std::size_t> rows);

// Each row marked empty; its other fields stay, as the channel dialog's 削除 leaves them.
ChannelTable EmptyRows(const ChannelTable& table, std::span<const std::size_t> rows);

// Each row one place up (step -1) or down (+1), the rows passed over taking the freed places;
// nullopt when a row would leave the numbered channels or is not one.
std::optional<ChannelTable> MoveRows(const ChannelTable& table, std::span<const std::size_t> rows, int step);

// The records written from `row` onwards, one row each; a record that is nothing leaves its row
// as it was. nullopt when they run past the block `row` is in (the numbered channels or the scan
// memories).
std::optional<ChannelTable> PlaceRows(const ChannelTable& table, std::size_t row,
                                      std::span<const std::optional<MemoryChannel>> records);

// The rows after a move, for the selection to follow them.
std::vector<std::size_t> MovedRows(std::span<const std::size_t> rows, int step);

} // namespace zem
