#include "model/image_diff.h"

#include "model/startup_image.h"
#include "model/used_channel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using zem::DiffImages;
using zem::DiffScope;
using zem::FieldChange;
using zem::RadioImage;
using zem::RowDifference;

zem::MemoryChannel Used(const char* rx, const char* name) {
    zem::MemoryChannel ch = zem::UsedChannel(rx, name);
    ch.Reserved = '0';
    ch.Memo = "home";
    return ch;
}

RadioImage Base() {
    RadioImage image = zem::StartupImage();
    image.Channels[5] = Used("00145000000", "ALPHA");
    image.Settings.Dtmf[3] = {"123", "CLUB"};
    return image;
}

struct DiffRow {
    const char* name;
    std::function<void(RadioImage&)> change;
    std::vector<RowDifference> expected;
};

class ImageDiffTest : public testing::TestWithParam<DiffRow> {};

TEST_P(ImageDiffTest, ListsTheDifference) {
    RadioImage after = Base();
    GetParam().change(after);
    EXPECT_EQ(DiffImages(Base(), after), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ImageDiffTest,
    testing::Values(
        DiffRow{"Equal", [](RadioImage&) {}, {}},
        DiffRow{"GridCell", [](RadioImage& i) { i.Channels[5].Name = "BETA"; }, {{"5", {{"名前", "ALPHA", "BETA"}}}}},
        DiffRow{"HiddenFields",
                [](RadioImage& i) {
                    i.Channels[5].ToneOn = '1';
                    i.Channels[5].ToneCode = "13";
                    i.Channels[5].Offset = "";
                    i.Channels[5].TxFreq = "00435000000";
                },
                {{"5",
                  {{"送信周波数", "", "435.00000MHz"},
                   {"トーン", "OFF", "ON"},
                   {"トーン周波数", "88.5 Hz", "100.0 Hz"},
                   {"オフセット", "0.60MHz", "Split"}}}}},
        // A row empty on one side shows the grid's texts, converted from CP932 once.
        DiffRow{"ScanRow",
                [](RadioImage& i) {
                    i.Channels[zem::UpperScanRow(2)] = Used("00145000000", "\x83\x88\x83\x72\x83\x5F\x83\x56");
                },
                {{"U2",
                  {{"受信周波数", "Empty", "145.00000MHz"},
                   {"送信周波数", "", "Simplex"},
                   {"モード", "", "FM"},
                   {"ステップ", "", "20.0kHz"},
                   {"名前", "", "ヨビダシ"},
                   {"メモ", "", "home"}}}}},
        DiffRow{"BothEmptyRowsAreEqual", [](RadioImage& i) { i.Channels[6].RxFreq = "00439000000"; }, {}},
        DiffRow{"BelowTheShownDecimals",
                [](RadioImage& i) { i.Channels[5].RxFreq = "00145000001"; },
                {{"5", {{"受信周波数", "00145000000", "00145000001"}}}}},
        DiffRow{"DamagedDigits",
                [](RadioImage& i) { i.Channels[5].RxFreq = "0014500000X"; },
                {{"5", {{"受信周波数", "145.00000MHz", "'0014500000X' は整数ではありません"}}}}},
        DiffRow{"Vfo",
                [](RadioImage& i) { i.Vfos[1].Freq = "00145500000"; },
                {{"A145", {{"周波数", "145.00000MHz", "145.50000MHz"}}}}},
        DiffRow{"DtmfMemory",
                [](RadioImage& i) { i.Settings.Dtmf[3].Code = "124"; },
                {{"DTMF 3", {{"コード", "123", "124"}}}}},
        DiffRow{"Setting", [](RadioImage& i) { i.Settings.MES = "CQ"; }, {{"MES", {{"", "HELLO!!", "CQ"}}}}}),
    [](const testing::TestParamInfo<DiffRow>& row) { return row.param.name; });

// What the scope leaves out is not compared; the memo can be left out of the rest.
TEST(ImageDiffScopeTest, LeavesOutWhatItIsNotAsked) {
    RadioImage after = Base();
    after.Channels[5].Memo = "away";
    after.Vfos[0].Mode = '1';
    after.Settings.LAN = '1';
    EXPECT_EQ(DiffImages(Base(), after, DiffScope{true, false, false, true}),
              (std::vector<RowDifference>{{"5", {{"メモ", "home", "away"}}}}));
    EXPECT_TRUE(DiffImages(Base(), after, DiffScope{true, false, false, false}).empty());
    EXPECT_EQ(DiffImages(Base(), after, DiffScope{false, true, true, true}),
              (std::vector<RowDifference>{{"A125", {{"モード", "FM", "AM"}}}, {"LAN", {{"", "0", "1"}}}}));
}

// Bytes that are not CP932 text and control characters are told apart as \xNN, never U+FFFD.
TEST(DifferenceLineTest, ShowsDamagedBytesAndControlsAsHex) {
    RadioImage after = Base();
    RadioImage before = Base();
    before.Channels[5].Name = "X\x81 ";
    after.Channels[5].Name = "X\xFD";
    before.Channels[5].Memo = "a\x1B[2J\x7F\x81\x60"; // ～ in CP932
    const std::vector<RowDifference> rows = DiffImages(before, after);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(zem::DifferenceLine(rows[0]), "5\t名前: X\\x81  → X\\xFD\tメモ: a\\x1B[2J\\x7F～ → home");
}

} // namespace
