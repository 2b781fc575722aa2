// The simulator and the program meet only on the serial line. These tests put the program's own
// command builders and answer parsers against the simulator: what the program writes, the
// simulated radio stores, and what the radio answers, the program reads back unchanged.

#include "sim/radio_engine.h"

#include "model/command_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zem::sim {
namespace {

MemoryChannel EmptyRow() {
    MemoryChannel ch;
    ch.EmptyFlag = '1';
    return ch;
}

std::string WithoutCr(std::string command) {
    if (!command.empty() && command.back() == '\r')
        command.pop_back();
    return command;
}

// The radio holds no memo; everything else of a used row goes out and comes back.
MemoryChannel RadioPart(MemoryChannel ch) {
    ch.Memo.clear();
    ch.Reserved = 0;
    if (ch.EmptyFlag == '1')
        return EmptyRow();
    if (!IsSplit(ch))
        ch.TxFreq.clear();
    return ch;
}

MemoryChannel ReadRow(RadioEngine& engine, std::size_t row) {
    MemoryChannel ch;
    ParseMR(engine.Answer(BuildReadChannel(row)), ch);
    if (IsEmptyRow(ch))
        return EmptyRow();
    if (IsSplit(ch))
        ch.TxFreq = ParseMRSplit(engine.Answer(BuildReadSplit(row)));
    ch.Name = ParseMNA(engine.Answer(BuildReadName(row)));
    return ch;
}

TEST(ProtocolAgreementTest, DefaultRadioReadsBackAsItIsHeld) {
    RadioEngine engine;
    const RadioImage held = engine.Image();
    for (std::size_t row = 0; row < kChannelRows; ++row)
        EXPECT_EQ(ReadRow(engine, row), RadioPart(held.Channels[row])) << "row " << row;
}

TEST(ProtocolAgreementTest, ChannelsWrittenByTheProgramReadBackUnchanged) {
    MemoryChannel plain = DefaultRadio().image.Channels[2];
    plain.Name = "\x83\x65\x83\x58\x83\x67"
                 "AB"; // 8 bytes, double-byte characters included
    plain.Lockout = '1';
    MemoryChannel split = DefaultRadio().image.Channels[5];
    split.TxFreq = "00440000000";

    RadioEngine engine;
    for (std::size_t row : {std::size_t{7}, LowerScanRow(3), UpperScanRow(9)}) {
        for (const MemoryChannel& ch : {plain, split}) {
            if (IsSplit(ch)) {
                EXPECT_EQ(engine.Answer(BuildWriteSplit(row, ch)).substr(0, 2), "MW");
            }
            EXPECT_EQ(engine.Answer(WithoutCr(BuildWriteChannel(row, ch))).substr(0, 2), "MW");
            EXPECT_EQ(engine.Answer(BuildWriteName(row, ch)).substr(0, 3), "MNA");
            EXPECT_EQ(ReadRow(engine, row), RadioPart(ch)) << "row " << row;
        }
        EXPECT_EQ(engine.Answer(BuildClearChannel(row)).substr(0, 2), "MW");
        EXPECT_TRUE(IsEmptyRow(ReadRow(engine, row)));
    }
}

TEST(ProtocolAgreementTest, VfosWrittenByTheProgramReadBackUnchanged) {
    RadioEngine engine;
    for (VfoRecord vfo : DefaultRadio().image.Vfos) {
        vfo.Step = '9';
        vfo.Shift = '2';
        vfo.CtcssOn = '1';
        vfo.CtcssCode = "39";
        vfo.LowerLimit = "00100";
        vfo.UpperLimit = "00200";
        EXPECT_EQ(engine.Answer(BuildVW(vfo)).substr(0, 2), "VW");
        EXPECT_EQ(engine.Answer(BuildWriteLimits(vfo)).substr(0, 2), "PV");
        VfoRecord read = vfo;
        read.LowerLimit.clear();
        read.UpperLimit.clear();
        read.Freq.clear();
        ParseVR(engine.Answer(BuildReadVfo(vfo)), read);
        ParsePVLimits(engine.Answer(BuildReadLimits(read)), read);
        EXPECT_EQ(read, vfo);
    }
}

// Where the settings read takes each value from (1-based position, length), as the radio's
// answers lay them out: echo, blank, value.
struct SettingPlace {
    const char* query;
    std::size_t from;
    std::size_t count;
    const char* value; // what the default radio holds
};

TEST(ProtocolAgreementTest, SettingsAnswersCarryTheirValueWhereTheReadTakesIt) {
    RadioEngine engine;
    const SettingPlace places[] = {
        {"MES", 5, 8, "HELLO!!"}, {"CNT", 5, 2, "07"},
        {"LAN", 5, 1, "0"},       {"SV", 4, 1, "5"},
        {"APO", 5, 1, "1"},       {"DM 00", 7, 16, "0123456789"},
        {"DMN 00", 8, 8, "HOME"}, {"DM 01", 7, 16, "*#ABCD"},
        {"DMN 05", 8, 8, ""},     {"TSP", 5, 1, "1"},
        {"TXH", 5, 1, "0"},       {"PT", 4, 1, "2"},
        {"DTB", 5, 1, "1"},       {"DS", 4, 1, "0"},
        {"ARO", 5, 1, "0"},       {"SCR", 5, 1, "0"},
        {"BEP", 5, 1, "0"},       {"ELK", 5, 1, "0"},
        {"TXS", 5, 1, "0"},       {"MYC", 5, 8, "NOCALL"},
        {"GU", 4, 1, "0"},        {"MP", 4, 17, "00000000000000000"},
        {"NMSG", 6, 20, ""},      {"ICO", 7, 1, "0"},
        {"GM", 4, 1, "0"},        {"GC", 4, 3, "000"},
        {"TXI", 5, 1, "2"},       {"PP", 4, 32, ""},
        {"SMY", 5, 8, ""},        {"MAC", 5, 1, "7"},
        {"SMSG", 6, 9, ""},       {"SMC", 5, 1, "7"},
        {"RSV", 5, 10, ""},       {"RSC", 5, 1, "7"},
        {"VCS", 5, 1, "0"},
    };
    for (const SettingPlace& p : places) {
        const std::string answer = engine.Answer(p.query);
        const std::string echo = std::string(p.query).substr(0, std::string(p.query).find(' '));
        EXPECT_NE(answer.find(echo), std::string::npos) << p.query;
        EXPECT_EQ(TextAt(answer, p.from, p.count), p.value) << p.query;
    }
}

TEST(ProtocolAgreementTest, ModelChecksSeeWhatTheyLookFor) {
    RadioEngine stock;
    EXPECT_TRUE(ContainsCp932(stock.Answer("ID"), "TH-D7"));
    EXPECT_EQ(stock.Answer("FL").find("00118"), std::string::npos);
    RadioState modified = DefaultRadio();
    modified.modified = true;
    RadioEngine engine(modified);
    EXPECT_NE(engine.Answer("FL").find("00118"), std::string::npos);
}

} // namespace
} // namespace zem::sim
