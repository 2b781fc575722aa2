#include "sim/radio_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zem::sim {
namespace {

struct Exchange {
    std::string command;
    std::string answer;
};

// Runs commands against a fresh default radio, one after another, and checks every answer.
void ExpectAnswers(const std::vector<Exchange>& rows, const RadioState& state = DefaultRadio()) {
    RadioEngine engine(state);
    for (const Exchange& row : rows)
        EXPECT_EQ(engine.Answer(row.command), row.answer) << "command: " << row.command;
}

TEST(RadioEngineTest, IdentityAndModification) {
    ExpectAnswers({{"ID", "ID TH-D7"}, {"FL", "FL 00144,00146,00430,00440"}, {"ID 1", "?"}, {"FL 0", "?"}});
    RadioState modified = DefaultRadio();
    modified.modified = true;
    ExpectAnswers({{"FL", "FL 00118,00174,00400,00479"}}, modified);
}

TEST(RadioEngineTest, ChannelReads) {
    ExpectAnswers({
        {"MR 0,0,000", "MR 0,0,000,00145000000,5,0,0,0,0,,09,,09,000000000,0,0"},
        {"MR 0,0,002", "MR 0,0,002,00439000000,5,2,0,1,0,,13,,09,005000000,0,0"},
        // A split channel has no offset, and its transmit frequency on the second read.
        {"MR 0,0,005", "MR 0,0,005,00145500000,5,0,0,0,0,,09,,09,,0,0"},
        {"MR 0,1,005", "MR 0,1,005,00435500000,0"},
        {"MNA 0,005", "MNA 0,005,\x83\x65\x83\x58\x83\x67"},
        {"MR 0,1,000", "N"}, // not split
        {"MR 0,0,003", "N"},
        {"MR 0,1,003", "N"},
        {"MNA 0,003", "N"},
        {"MR 0,0,L0", "MR 0,0,L0,00144000000,5,0,0,0,0,,09,,09,000000000,0,0"},
        {"MNA 0,U0", "MNA 0,U0,2M HI"},
        {"MR 0,0,U9", "N"},
        {"MR 0,0,149", "N"},
    });
}

TEST(RadioEngineTest, MalformedAndUnknownCommandsAnswerQuestionMark) {
    ExpectAnswers({
        {"", "?"},
        {"XYZ", "?"},
        {"id", "?"},
        {"MR", "?"},
        {"MR 0,0,150", "?"},
        {"MR 0,0,05", "?"},
        {"MR 0,0,L", "?"},
        {"MR 0,0,X0", "?"},
        {"MR 0,2,000", "?"},
        {"MR 1,0,000", "?"},
        {"MR 0,0,000,1", "?"},
        {"MNA", "?"},
        {"MNA 0", "?"},
        {"MNA 1,000", "?"},
        {"MNA 0,L10", "?"},
        {"MNA 0,000,NINECHARS", "?"},
        {"MW", "?"},
        {"MW 0,0", "?"},
        {"MW 0,0,000,00145000000", "?"},
        // One field short, a letter in the frequency, a shift of 3, a filled reserved position,
        // a tone code past the table.
        {"MW 0,0,000,00145000000,5,0,0,0,0,,09,,09,000000000,0", "?"},
        {"MW 0,0,000,0014500000A,5,0,0,0,0,,09,,09,000000000,0,0", "?"},
        {"MW 0,0,000,00145000000,5,3,0,0,0,,09,,09,000000000,0,0", "?"},
        {"MW 0,0,000,00145000000,5,0,0,0,0,1,09,,09,000000000,0,0", "?"},
        {"MW 0,0,000,00145000000,5,0,0,0,0,,40,,09,000000000,0,0", "?"},
        {"MW 0,0,000,00145000000,5,0,0,0,0,,09,,09,00600000,0,0", "?"},
        {"MW 0,1,000,00145000000", "?"},
        {"MW 0,1,000,00145000000,1", "?"},
        {"VR", "?"},
        {"VR 12", "?"},
        {"VR X", "?"},
        {"VW 1,00125000000,5,0,0,0,0,,09,,09,,0", "?"}, // a VFO always has an offset
        {"VW 1,00125000000,5,0,0,0,0,,09,,09,000000000", "?"},
        {"PV", "?"},
        {"PV 1,00118", "?"},
        {"PV 1,118,135", "?"},
        {"PV 1,00135,00118", "?"},
        {"DM", "?"},
        {"DM 10", "?"},
        {"DM 0", "?"},
        {"DM 00,12345678901234567", "?"},
        {"DM 00,12E", "?"},
        {"DMN 00,NINECHARS", "?"},
        {"DMN 00,A\tB", "?"},
        {"BC 2", "?"},
        {"ST A", "?"},
        {"ST 10", "?"},
        {"FQ 145000000,5", "?"},
        {"FQ 00145000000", "?"},
        {"UP 1", "?"},
        {"DW 1", "?"},
        {"SM", "?"},
        {"SM 2", "?"},
        {"TX 1", "?"},
        {"BCN 2", "?"},
        {"LK X", "?"},
        {"LAN 12", "?"},
        {"LAN A", "?"},
        {"LAN ", "?"},
        {"TXH 2", "?"},
        {"CNT 7", "?"},
        {"CNT 0A", "?"},
        {"ICO F", "?"},
        {"ICO 0,F", "?"},
        {"ICO 1,A", "?"},
        {"MES NINECHARS", "?"},
        {"GC 1234", "?"},
        {"MYC A\x01", "?"},
    });
}

TEST(RadioEngineTest, UnknownSelectorAnswersN) {
    ExpectAnswers({{"VR 4", "N"}, {"PV 0", "N"}, {"VW 9,00125000000,5,0,0,0,0,,09,,09,000000000,0", "N"}});
}

TEST(RadioEngineTest, VfoReadsAndWrites) {
    ExpectAnswers({
        {"VR 1", "VR 1,00125000000,5,0,0,0,0,,09,,09,000000000,0"},
        {"PV 1", "PV 1,00118,00135"},
        {"VR 7", "VR 7,00435000000,5,0,0,0,0,,09,,09,005000000,0"},
        {"PV 6", "PV 6,00400,00479"},
        {"VW 2,00145500000,7,1,1,1,1,,12,,13,000600000,1", "VW 2,00145500000,7,1,1,1,1,,12,,13,000600000,1"},
        {"VR 2", "VR 2,00145500000,7,1,1,1,1,,12,,13,000600000,1"},
        {"PV 2,00140,00150", "PV 2,00140,00150"},
        {"PV 2", "PV 2,00140,00150"},
    });
}

TEST(RadioEngineTest, ChannelWritesChangeTheRow) {
    ExpectAnswers({
        // Channel order of a write: transmit frequency first, then the row, then the name.
        {"MW 0,1,020,00435000000,0", "MW 0,1,020,00435000000,0"},
        {"MW 0,0,020,00145020000,1,0,1,0,1,,03,,39,,1,1", "MW 0,0,020,00145020000,1,0,1,0,1,,03,,39,,1,1"},
        {"MNA 0,020,A,B", "MNA 0,020,A,B"},
        {"MR 0,0,020", "MR 0,0,020,00145020000,1,0,1,0,1,,03,,39,,1,1"},
        {"MR 0,1,020", "MR 0,1,020,00435000000,0"},
        {"MNA 0,020", "MNA 0,020,A,B"},
        {"MNA 0,020,", "MNA 0,020,"},
        {"MNA 0,020", "MNA 0,020,"},
        {"MW 0,0,020", "MW 0,0,020"},
        {"MR 0,0,020", "N"},
        {"MNA 0,020,X", "N"}, // no name for an empty row
        {"MW 0,0,U9,00430000000,9,1,0,0,0,,09,,09,005000000,0,0",
         "MW 0,0,U9,00430000000,9,1,0,0,0,,09,,09,005000000,0,0"},
        {"MR 0,0,U9", "MR 0,0,U9,00430000000,9,1,0,0,0,,09,,09,005000000,0,0"},
        {"MNA 0,U9", "MNA 0,U9,"},
    });
}

TEST(RadioEngineTest, ClearingKeepsTheMemoAndEmptiesTheRow) {
    RadioState state = DefaultRadio();
    state.image.Channels[0].Memo = "memo";
    RadioEngine engine(state);
    EXPECT_EQ(engine.Answer("MW 0,0,000"), "MW 0,0,000");
    const MemoryChannel row = engine.Image().Channels[0];
    EXPECT_EQ(row.EmptyFlag, '1');
    EXPECT_EQ(row.Memo, "memo");
    EXPECT_TRUE(row.Name.empty());
    EXPECT_TRUE(row.RxFreq.empty());
}

TEST(RadioEngineTest, SettingsQueriesAndSets) {
    ExpectAnswers({
        {"MES", "MES HELLO!!"},
        {"CNT", "CNT 07"},
        {"SV", "SV 5"},
        {"ICO", "ICO 0,0"},
        {"MP", "MP 00000000000000000"},
        {"NMSG", "NMSG "},
        {"DM 00", "DM 00,0123456789"},
        {"DMN 00", "DMN 00,HOME"},
        {"DM 09", "DM 09,"},
        {"MES \x83\x65\x83\x58\x83\x67!!", "MES \x83\x65\x83\x58\x83\x67!!"},
        {"MES", "MES \x83\x65\x83\x58\x83\x67!!"},
        {"MYC ", "MYC "}, // an empty text is sent as the bare prefix
        {"MYC", "MYC "},
        {"ICO 0,E", "ICO 0,E"},
        {"ICO", "ICO 0,E"},
        {"CNT 12", "CNT 12"},
        {"SV 2", "SV 2"},
        {"TXH 1", "TXH 1"},
        {"PP RELAY,WIDE", "PP RELAY,WIDE"},
        {"DM 03,*#0123456789ABCD", "DM 03,*#0123456789ABCD"},
        {"DM 03", "DM 03,*#0123456789ABCD"},
        {"DMN 03,NAME 3", "DMN 03,NAME 3"},
        {"DMN 03", "DMN 03,NAME 3"},
    });
}

TEST(RadioEngineTest, EveryMenuSettingAnswersItsOwnWord) {
    RadioEngine engine;
    for (const char* word : {"MES", "CNT", "LAN", "SV",  "APO",  "TSP", "TXH", "PT",   "DTB", "DS", "ARO",
                             "SCR", "BEP", "ELK", "TXS", "MYC",  "GU",  "MP",  "NMSG", "ICO", "GM", "GC",
                             "TXI", "PP",  "SMY", "MAC", "SMSG", "SMC", "RSV", "RSC",  "VCS"}) {
        const std::string answer = engine.Answer(word);
        EXPECT_EQ(answer.substr(0, answer.find(' ')), word);
        // Setting back what was read is accepted and changes nothing.
        const std::string value = answer.substr(answer.find(' ') + 1);
        EXPECT_EQ(engine.Answer(std::string(word) + " " + value), answer);
    }
    EXPECT_EQ(engine.Image(), RadioEngine().Image());
}

TEST(RadioEngineTest, SettingsReachTheRecord) {
    RadioEngine engine;
    engine.Answer("MES ABCDEFGH");
    engine.Answer("SV 3");
    engine.Answer("ICO 0,A");
    engine.Answer("VCS 1");
    engine.Answer("DMN 09,LAST");
    const RadioSettings s = engine.Image().Settings;
    EXPECT_EQ(s.MES, "ABCDEFGH");
    EXPECT_EQ(s.SV, "3");
    EXPECT_EQ(s.ICO, 'A');
    EXPECT_EQ(s.VCS, '1');
    EXPECT_EQ(s.Dtmf[9].Name, "LAST");
}

TEST(RadioEngineTest, BandStepFrequencyAndKeys) {
    ExpectAnswers({
        {"BC", "BC 0"},
        {"ST", "ST 5"},
        {"FQ", "FQ 00145000000,5"},
        {"UP", "UP"},
        {"FQ", "FQ 00145020000,5"},
        {"ST 8", "ST 8"},
        {"DW", "DW"},
        {"FQ", "FQ 00144970000,8"},
        {"BC 1", "BC 1"},
        {"FQ 00430000000,9", "FQ 00430000000,9"},
        {"UP", "UP"},
        {"FQ", "FQ 00430100000,9"},
        {"ST", "ST 9"},
        {"BC 0", "BC 0"},
        {"ST", "ST 8"},
        {"TX", "TX 0"},
        {"RX", "RX"},
        {"BCN", "BCN 0"},
        {"BCN 1", "BCN 1"},
        {"BCN", "BCN 1"},
        {"TNC", "TNC 0"},
        {"DL 1", "DL 1"},
        {"LMP", "LMP 0"},
        {"LK 1", "LK 1"},
        {"LK", "LK 1"},
    });
}

// The words a rig-control program asks before anything else: the mode follows the current band,
// VMC names its band, and a value outside the choices is refused with "N".
TEST(RadioEngineTest, ModeMemoryModeAndAutoInformation) {
    ExpectAnswers({
        {"AI", "AI 0"},       {"AI 1", "AI 1"},       {"AI", "AI 1"},         {"AI 2", "N"},
        {"AI 0,1", "N"},      {"MD", "MD 0"},         {"MD 1", "MD 1"},       {"BC 1", "BC 1"},
        {"MD", "MD 0"},       {"BC 0", "BC 0"},       {"MD", "MD 1"},         {"MD 2", "N"},
        {"MD A", "N"},        {"VMC 0", "VMC 0,0"},   {"VMC 1,1", "VMC 1,1"}, {"VMC 1", "VMC 1,1"},
        {"VMC 0", "VMC 0,0"}, {"VMC 0,3", "VMC 0,3"}, {"VMC 0,4", "N"},       {"VMC 2", "N"},
        {"VMC", "N"},         {"VMC 0,1,2", "N"},
    });
}

TEST(RadioEngineTest, SMeterFollowsTheBandFrequency) {
    RadioEngine engine;
    // Band A starts on a station of strength 3, band B on one of strength 5.
    EXPECT_EQ(engine.Answer("SM 0"), "SM 0,03");
    EXPECT_EQ(engine.Answer("SM 1"), "SM 1,05");
    engine.Answer("FQ 00146000000,5");
    EXPECT_EQ(engine.Answer("SM 0"), "SM 0,00");
    engine.Answer("FQ 00145500000,5");
    EXPECT_EQ(engine.Answer("SM 0"), "SM 0,05");
    // Character 7 of the answer is the reading.
    EXPECT_EQ(engine.Answer("SM 0")[6], '5');
}

TEST(RadioEngineTest, SMeterFadesAwayFromAStation) {
    EXPECT_EQ(RadioEngine::SMeterAt(145'500'000), 5);
    EXPECT_EQ(RadioEngine::SMeterAt(145'515'000), 3);
    EXPECT_EQ(RadioEngine::SMeterAt(145'530'000), 0);
    EXPECT_EQ(RadioEngine::SMeterAt(50'000'000), 0);
}

TEST(RadioEngineTest, LogsEveryCommandInOrder) {
    RadioEngine engine;
    engine.Answer("ID");
    engine.Answer("NONSENSE");
    engine.Answer("MR 0,0,000");
    EXPECT_EQ(engine.CommandLog(), (std::vector<std::string>{"ID", "NONSENSE", "MR 0,0,000"}));
    EXPECT_EQ(engine.CommandCount(), 3u);
    engine.ClearLog();
    EXPECT_TRUE(engine.CommandLog().empty());
}

TEST(RadioEngineTest, RejectedSetLeavesTheStateAlone) {
    RadioEngine engine;
    const RadioState before = engine.State();
    for (const char* bad : {"MW 0,0,000,00145000000,5,0,0,0,0,,09,,09,000000000,0,2", "MES TOOLONGTEXT",
                            "PV 1,00200,00100", "VW 1,00125000000,X,0,0,0,0,,09,,09,000000000,0", "DM 00,XYZ"})
        EXPECT_EQ(engine.Answer(bad), "?");
    EXPECT_EQ(engine.Image(), before.image);
}

} // namespace
} // namespace zem::sim
