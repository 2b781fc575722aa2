#include "model/channel_sort.h"
#include "model/conversion_error.h"
#include "model/startup_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zem {
namespace {

int ByteCompare(std::string_view a, std::string_view b) {
    return a.compare(b);
}

struct Used {
    std::size_t row;
    const char* rx;
    const char* name;
    const char* memo;
};

ChannelTable Table(std::initializer_list<Used> used) {
    ChannelTable channels = StartupImage().Channels;
    for (const Used& u : used) {
        MemoryChannel& ch = channels[u.row];
        ch.EmptyFlag = '0';
        ch.RxFreq = u.rx;
        ch.Name = u.name;
        ch.Memo = u.memo;
        ch.Step = static_cast<char>('0' + u.row % 10); // travels with its record
    }
    return channels;
}

std::vector<std::string> Names(const ChannelTable& channels) {
    std::vector<std::string> names;
    for (std::size_t row = 0; row < kNumberedChannels; ++row)
        names.push_back(channels[row].EmptyFlag == '0' ? channels[row].Name.str() : "-");
    names.resize(12);
    return names;
}

TEST(channel_sort_test, frequency_sort_keeps_empty_rows_in_place) {
    ChannelTable channels =
        Table({{0, "00439000000", "A", ""}, {5, "00145000000", "B", ""}, {9, "00433000000", "C", ""}});
    SortByFrequency(channels);
    EXPECT_EQ(Names(channels), (std::vector<std::string>{"B", "-", "-", "-", "-", "C", "-", "-", "-", "A", "-", "-"}));
    EXPECT_EQ(channels[0].RxFreq, "00145000000");
    EXPECT_EQ(channels[0].Step, '5');
    EXPECT_EQ(channels[9].Step, '0');
}

TEST(channel_sort_test, name_sort_is_descending) {
    ChannelTable channels =
        Table({{0, "00439000000", "B", ""}, {5, "00145000000", "C", ""}, {9, "00433000000", "A", ""}});
    SortByName(channels, ByteCompare);
    EXPECT_EQ(channels[0].Name, "C");
    EXPECT_EQ(channels[5].Name, "B");
    EXPECT_EQ(channels[9].Name, "A");
    EXPECT_EQ(channels[0].RxFreq, "00145000000");
}

TEST(channel_sort_test, memo_sort_puts_empty_memos_last) {
    ChannelTable channels =
        Table({{1, "00439000000", "x", ""}, {2, "00145000000", "y", "b"}, {3, "00433000000", "z", "c"}});
    SortByMemo(channels, ByteCompare);
    EXPECT_EQ(channels[1].Memo, "c");
    EXPECT_EQ(channels[2].Memo, "b");
    EXPECT_EQ(channels[3].Memo, "");
    EXPECT_EQ(channels[3].Name, "x");
}

TEST(channel_sort_test, equal_keys_follow_the_passes) {
    ChannelTable channels =
        Table({{0, "00145000000", "a", ""}, {1, "00145000000", "b", ""}, {2, "00144000000", "c", ""}});
    SortByFrequency(channels);
    EXPECT_EQ(Names(channels), (std::vector<std::string>{"c", "b", "a", "-", "-", "-", "-", "-", "-", "-", "-", "-"}));
}

// The passes over every ordered pair, written out plainly, against the sort on scrambled tables.
TEST(channel_sort_test, matches_the_plain_exchange_scheme) {
    ChannelTable channels = StartupImage().Channels;
    unsigned seed = 12345;
    for (std::size_t row = 0; row < kNumberedChannels; ++row) {
        seed = seed * 1103515245u + 12345u;
        if (seed % 3 == 0)
            continue;
        channels[row].EmptyFlag = '0';
        channels[row].RxFreq = "0014" + std::to_string(1000000 + seed % 7 * 1000);
        channels[row].Name = std::string(1, static_cast<char>('a' + seed % 5));
        channels[row].Memo = std::to_string(row);
    }
    ChannelTable expected = channels;
    for (std::size_t i = 0; i < kNumberedChannels; ++i) {
        for (std::size_t j = 0; j < kNumberedChannels; ++j) {
            if (expected[i].EmptyFlag == '0' && expected[j].EmptyFlag == '0' &&
                std::stoll(expected[i].RxFreq.str()) < std::stoll(expected[j].RxFreq.str()))
                std::swap(expected[i], expected[j]);
        }
    }
    SortByFrequency(channels);
    EXPECT_EQ(channels, expected);
}

TEST(channel_sort_test, scan_memories_never_move) {
    ChannelTable channels = Table({{0, "00439000000", "A", "m"},
                                   {kNumberedChannels, "00118000000", "L0", "m"},
                                   {kChannelRows - 1, "00100000000", "U9", "z"}});
    const ChannelTable before = channels;
    SortByFrequency(channels);
    SortByName(channels, ByteCompare);
    SortByMemo(channels, ByteCompare);
    for (std::size_t row = kNumberedChannels; row < kChannelRows; ++row)
        EXPECT_EQ(channels[row], before[row]);
}

TEST(channel_sort_test, none_or_one_used_channel_is_unchanged) {
    for (const ChannelTable& start : {Table({}), Table({{42, "00145000000", "A", "m"}})}) {
        ChannelTable channels = start;
        SortByFrequency(channels);
        SortByName(channels, ByteCompare);
        SortByMemo(channels, ByteCompare);
        EXPECT_EQ(channels, start);
    }
}

TEST(channel_sort_test, frequency_compares_as_numbers) {
    ChannelTable channels =
        Table({{0, "1450000000", "short", ""}, {1, "00439000000", "long", ""}, {2, "0", "zero", ""}});
    SortByFrequency(channels);
    EXPECT_EQ(Names(channels)[0], "zero");
    EXPECT_EQ(Names(channels)[1], "long");
    EXPECT_EQ(Names(channels)[2], "short");
}

TEST(channel_sort_test, non_number_stops_the_sort_and_keeps_exchanges) {
    ChannelTable channels = Table(
        {{0, "00145000000", "A", ""}, {1, "00439000000", "B", ""}, {2, "BAD", "C", ""}, {3, "00100000000", "D", ""}});
    try {
        SortByFrequency(channels);
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'BAD' は浮動小数点数ではありません");
    }
    // (0, 1) was exchanged before (0, 2) met the bad text.
    EXPECT_EQ(Names(channels)[0], "B");
    EXPECT_EQ(Names(channels)[1], "A");
    EXPECT_EQ(Names(channels)[3], "D");
}

TEST(channel_sort_test, empty_rows_are_never_compared) {
    ChannelTable channels = Table({{0, "00439000000", "A", ""}, {1, "00145000000", "B", ""}});
    channels[2].RxFreq = "BAD"; // an empty row's leftover text
    EXPECT_NO_THROW(SortByFrequency(channels));
    EXPECT_EQ(Names(channels)[0], "B");
}

} // namespace
} // namespace zem
