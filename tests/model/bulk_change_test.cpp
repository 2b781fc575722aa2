#include "model/bulk_change.h"
#include "model/settings_file.h"
#include "model/startup_image.h"
#include "model/used_channel.h"

#include <gtest/gtest.h>

#include <functional>

namespace zem {
namespace {

// One row of each kind: simplex, split, empty (keeping its old data), a scan memory, an air-band
// channel.
constexpr std::size_t kSimplex = 0, kSplit = 1, kEmpty = 2, kScan = LowerScanRow(0), kAir = 3;

RadioImage Image() {
    RadioImage image = StartupImage();
    image.Channels[kSimplex] = UsedChannel("00145000000", "S", "000600000");
    image.Channels[kSplit] = UsedChannel("00145000000", "X", "");
    image.Channels[kSplit].TxFreq = "00435000000";
    image.Channels[kEmpty] = UsedChannel("00433000000", "OLD");
    image.Channels[kEmpty].EmptyFlag = '1';
    image.Channels[kScan] = UsedChannel("00144000000");
    image.Channels[kScan].ToneOn = '1';
    image.Channels[kAir] = UsedChannel("00120000000", "AIR");
    return image;
}

struct Case {
    const char* name;
    BulkChange change;
    std::size_t row;
    std::function<void(MemoryChannel&)> expect; // nothing: the row stays as it was
    std::optional<BulkRefusal> refused = std::nullopt;
};

TEST(bulk_change_test, each_field_on_each_kind_of_row_changes_only_that_field) {
    const Case cases[] = {
        {"step simplex", {.step = '1'}, kSimplex, [](MemoryChannel& c) { c.Step = '1'; }},
        {"step split", {.step = '1'}, kSplit, [](MemoryChannel& c) { c.Step = '1'; }},
        {"step empty", {.step = '1'}, kEmpty, nullptr},
        {"step scan", {.step = '1'}, kScan, [](MemoryChannel& c) { c.Step = '1'; }},
        {"shift and offset simplex",
         {.shift = '2', .offset = "005000000"},
         kSimplex,
         [](MemoryChannel& c) {
             c.Shift = '2';
             c.Offset = "005000000";
         }},
        {"shift split", {.shift = '1'}, kSplit, nullptr, BulkRefusal::SplitShift},
        {"offset split", {.offset = "000600000"}, kSplit, nullptr, BulkRefusal::SplitShift},
        {"shift empty", {.shift = '1'}, kEmpty, nullptr},
        {"shift scan", {.shift = '1'}, kScan, [](MemoryChannel& c) { c.Shift = '1'; }},
        {"reverse simplex", {.reverse = '1'}, kSimplex, [](MemoryChannel& c) { c.Reverse = '1'; }},
        {"reverse on split", {.step = '3', .reverse = '1'}, kSplit, nullptr, BulkRefusal::SplitShift},
        {"reverse off split", {.reverse = '0'}, kSplit, [](MemoryChannel&) {}},
        {"tone simplex",
         {.tone = "13"},
         kSimplex,
         [](MemoryChannel& c) {
             c.ToneOn = '1';
             c.ToneCode = "13";
         }},
        {"tone off scan keeps its tone", {.tone = ""}, kScan, [](MemoryChannel& c) { c.ToneOn = '0'; }},
        {"ctcss split",
         {.ctcss = "20"},
         kSplit,
         [](MemoryChannel& c) {
             c.CtcssOn = '1';
             c.CtcssCode = "20";
         }},
        {"ctcss empty", {.ctcss = "20"}, kEmpty, nullptr},
        {"AM simplex at 145", {.mode = '1', .lockout = '1'}, kSimplex, nullptr, BulkRefusal::AmOutsideAir},
        {"AM air band", {.mode = '1'}, kAir, [](MemoryChannel& c) { c.Mode = '1'; }},
        {"lockout scan", {.lockout = '1'}, kScan, [](MemoryChannel& c) { c.Lockout = '1'; }},
        {"lockout empty", {.lockout = '1'}, kEmpty, nullptr},
    };
    for (const Case& c : cases) {
        RadioImage before = Image();
        RadioImage expected = before;
        if (c.expect)
            c.expect(expected.Channels[c.row]);
        const std::size_t rows[] = {c.row};
        const BulkResult result = ApplyBulkChange(before.Channels, rows, c.change);
        before.Channels = result.table;
        EXPECT_EQ(FormatSettingsFile(before), FormatSettingsFile(expected)) << c.name;
        ASSERT_EQ(result.refused.size(), c.refused ? 1u : 0u) << c.name;
        if (c.refused) {
            EXPECT_EQ(result.refused[0].reason, *c.refused) << c.name;
        }
    }
}

TEST(bulk_change_test, refused_rows_are_named_once_per_reason) {
    const std::size_t rows[] = {kSimplex, kSplit, kEmpty, kAir, kScan};
    const BulkResult result = ApplyBulkChange(Image().Channels, rows, {.shift = '1', .mode = '1'});
    EXPECT_EQ(RefusalLines(result.refused),
              (std::vector<std::string>{"スプリットのチャンネルにはシフト・オフセット・リバースを設定できません: 1",
                                        "AM受信は 118〜135MHz の間のチャンネルだけに設定できます: 0, L0"}));
}

TEST(bulk_change_test, row_lists_as_the_grid_labels_rows) {
    EXPECT_EQ(ParseRowList("10-12,L0,3,3"), (std::vector<std::size_t>{3, 10, 11, 12, 150}));
    EXPECT_EQ(ParseRowList("149-U0"), (std::vector<std::size_t>{149, 150, 151}));
    for (const char* bad : {"", "20-10", "150", "L10", "1,", "-3", "010"})
        EXPECT_EQ(ParseRowList(bad), std::nullopt) << bad;
}

} // namespace
} // namespace zem
