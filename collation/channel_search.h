#pragma once

#include "model/records.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <span>

namespace zem {

// What the user looks for among the used channels: a text inside a name or memo as shown, with
// half-width and full-width forms (kana, letters, digits) and letter case alike, or a frequency in
// MHz ("145.5" finds 145.50000MHz) as a channel receives or, split, transmits it. The window's
// 検索 and the command-line tool's find both use it.
class ChannelQuery {
public:
    explicit ChannelQuery(const QString& text);
    bool Empty() const { return folded_.isEmpty(); }
    bool Matches(const MemoryChannel& ch) const;

private:
    QString folded_;
    std::optional<long long> hz_;
};

struct FoundRow {
    std::size_t row;
    bool wrapped; // the search went past the last row (or the first, going back) to find it
};

// The next of `rows` (table indexes in the order shown) after `from` (before it, going back)
// whose channel matches, starting over at the other end; without `from` the first (or the last).
std::optional<FoundRow> FindChannel(const ChannelTable& table, std::span<const std::size_t> rows,
                                    const ChannelQuery& query, std::optional<std::size_t> from, bool forward);

} // namespace zem
