#include "model/cp932.h"
#include "model/csv_import.h"
#include "model/menu_fields.h"
#include "model/settings_file.h"
#include "model/startup_image.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace zem {
namespace {

std::string Sjis(std::string_view utf8) {
    return Utf8ToCp932(utf8).value();
}

std::string WithoutLineEnd(const std::string& line) {
    return line.substr(0, line.size() - 2);
}

MemoryChannel UsedChannel(std::string_view rx, std::string_view name, std::string_view memo) {
    MemoryChannel ch;
    ch.EmptyFlag = '0';
    ch.RxFreq = rx;
    ch.Step = '7';
    ch.Shift = '2';
    ch.Reverse = '1';
    ch.ToneOn = '1';
    ch.CtcssOn = '0';
    ch.ToneCode = "12";
    ch.CtcssCode = "38";
    ch.Offset = "005000000";
    ch.Mode = '1';
    ch.TxFreq = "00435000000";
    ch.Name = name;
    ch.Lockout = '1';
    ch.Memo = memo;
    return ch;
}

// Every field of every record set to something other than its start value; texts at full length
// and in Japanese where the field takes it.
RadioImage FullImage() {
    RadioImage image = StartupImage();
    for (std::size_t row = 0; row < kChannelRows; row += 3) {
        image.Channels[row] = UsedChannel("00" + std::to_string(144000000 + row * 12500), Sjis("受信周波"),
                                          Sjis("メモ ") + std::to_string(row) + std::string(200, 'x'));
    }
    image.Channels[6].Offset = ""; // split
    image.Channels[kChannelRows - 1] = UsedChannel("00439000000", "U9NAME", "");
    for (std::size_t v = 0; v < kVfoCount; ++v) {
        VfoRecord& vfo = image.Vfos[v];
        vfo.Freq = "0043" + std::to_string(1000000 + v);
        vfo.Step = '9';
        vfo.Shift = '1';
        vfo.Reverse = '1';
        vfo.ToneOn = '1';
        vfo.CtcssOn = '1';
        vfo.ToneCode = "33";
        vfo.CtcssCode = "21";
        vfo.Offset = "007600000";
        vfo.Mode = '1';
    }
    for (const MenuField& f : MenuFields())
        f.set(image.Settings, f.isChar ? "A" : std::string(f.capacity, static_cast<char>('a' + f.capacity % 26)));
    image.Settings.MES = Sjis("こんにち");
    image.Settings.NMSG = Sjis("ポジション");
    for (std::size_t k = 0; k < kDtmfCount; ++k)
        image.Settings.Dtmf[k] = DtmfMemory{"0123456789ABCD*#", FixedText<8>(Sjis("電話") + std::to_string(k))};
    return image;
}

TEST(settings_file_test, full_image_round_trip) {
    const RadioImage image = FullImage();
    const std::string bytes = FormatSettingsFile(image);
    RadioImage read = StartupImage();
    ASSERT_TRUE(ParseSettingsFile(bytes, read).recognised);
    EXPECT_EQ(read, image);
    EXPECT_EQ(FormatSettingsFile(read), bytes);
}

TEST(settings_file_test, file_layout) {
    const std::string bytes = FormatSettingsFile(FullImage());
    std::size_t lines = 0;
    for (std::size_t pos = 0; (pos = bytes.find(";\r\n", pos)) != std::string::npos; pos += 3)
        ++lines;
    EXPECT_EQ(lines, 188u);
    EXPECT_EQ(bytes.rfind("ID TH-D7 ZEM_D7;\r\nMEM 000,", 0), 0u);
    EXPECT_NE(bytes.find("\r\nMEM 169,0,"), std::string::npos);
    EXPECT_NE(bytes.find(";\r\nVFO 005,"), std::string::npos);
    EXPECT_NE(bytes.find(";\r\nMENU " + Sjis("こんにち") + ","), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 3), ";\r\n");
    // Texts go out byte for byte: the CP932 of the name, not its UTF-8.
    EXPECT_NE(bytes.find("\x8E\xF3\x90\x4D\x8E\xFC\x94\x67"), std::string::npos);
}

TEST(settings_file_test, examples_line_by_line) {
    EXPECT_EQ(FormatVfoLine(DefaultVfos()[0], 0),
              "VFO 000,0,00125000000,1,00118,00135,5,0,0,0,0,09,09,000000000,0;\r\n");

    const MemoryChannel csv = ParseCsvLine("145.02,HOME,my memo");
    EXPECT_EQ(FormatMemLine(csv, 3), "MEM 003,0,00145020000,5,0,0,0,0,09,09,000000000,0,,HOME,0,my memo,0;\r\n");

    MemoryChannel split = ParseCsvLine("145.00,,");
    split.Offset = "";
    split.TxFreq = "00435000000";
    EXPECT_EQ(FormatMemLine(split, 7), "MEM 007,0,00145000000,5,0,0,0,0,09,09,,0,00435000000,,0,,0;\r\n");

    MemoryChannel empty;
    empty.EmptyFlag = '1';
    empty.Memo = "forgotten";
    EXPECT_EQ(FormatMemLine(empty, 12), "MEM 012,1,EMPTY;\r\n");

    for (const auto& [ch, row] : {std::pair{csv, 3}, std::pair{split, 7}}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(ParseMemLine(WithoutLineEnd(FormatMemLine(ch, row))), ch);
    }
    const MemoryChannel back = ParseMemLine("MEM 012,1,EMPTY;");
    EXPECT_EQ(back.EmptyFlag, '1');
    EXPECT_TRUE(back.Memo.empty());
    EXPECT_EQ(ParseVfoLine("VFO 000,0,00125000000,1,00118,00135,5,0,0,0,0,09,09,000000000,0;"), DefaultVfos()[0]);
}

TEST(settings_file_test, reserved_character_is_safe) {
    MemoryChannel ch = ParseCsvLine("145.02,A,B");
    for (char reserved : {'\0', ',', ';', '\r', '\n', ' ', 'Z'}) {
        ch.Reserved = reserved;
        const std::string line = FormatMemLine(ch, 0);
        const char written = line[line.size() - 4];
        EXPECT_EQ(written, reserved == 'Z' ? 'Z' : '0') << int(reserved);
    }
}

TEST(settings_file_test, texts_with_commas_come_back_whole) {
    RadioImage image = StartupImage();
    image.Channels[0] = UsedChannel("00145000000", "NAME", "memo, with, commas,,");
    image.Channels[1] = UsedChannel("00145000000", "N", ",");
    image.Settings.PP = "RELAY,WIDE";
    image.Settings.NMSG = "a,b";
    image.Settings.MES = "HI,";
    image.Settings.SMSG = ",";
    image.Settings.RSV = ",,,";
    image.Settings.Dtmf[0] = DtmfMemory{"123", "A,B"};
    RadioImage read = StartupImage();
    ASSERT_TRUE(ParseSettingsFile(FormatSettingsFile(image), read).recognised);
    EXPECT_EQ(read, image);
}

TEST(settings_file_test, packet_path_alone_holds_a_comma) {
    RadioSettings s = DefaultSettings();
    s.Dtmf = {};
    s.PP = "RELAY,WIDE";
    EXPECT_EQ(ParseMenuLine(WithoutLineEnd(FormatMenuLine(s))), s);
}

struct MenuShareCase {
    const char* what;
    std::vector<std::pair<std::string_view, std::string>> written; // on the start-up settings
    std::vector<std::pair<std::string_view, std::string>> readInstead;
};

// Only a sharing that leaves every other field a value of its own format counts; when several do,
// PP gets the extra values first, then NMSG, MES, SMSG, RSV.
TEST(settings_file_test, menu_line_commas_go_where_every_field_keeps_its_format) {
    const MenuShareCase rows[] = {
        {"text followed by a flag", {{"NMSG", "HELLO,1"}, {"ICO", "3"}, {"GC", "0"}, {"PP", "RELAY"}}, {}},
        {"packet path", {{"PP", "WIDE1-1,WIDE2-1"}}, {}},
        {"digits in the power-on message", {{"MES", "0,07"}}, {}},
        {"commas in every text",
         {{"MES", "HI,"}, {"NMSG", "a,b,1"}, {"PP", "RELAY,WIDE1-1,WIDE2-1"}, {"SMSG", "HI,5"}, {"RSV", ",,"}},
         {}},
        {"NMSG or PP: PP first", {{"NMSG", "N,0,0,000,2"}, {"PP", "P"}}, {{"NMSG", "N"}, {"PP", "0,0,000,2,P"}}},
        {"SMSG or RSV: SMSG first", {{"SMSG", "A"}, {"RSV", "3,B"}}, {{"SMSG", "A,7"}, {"SMC", "3"}, {"RSV", "B"}}},
    };
    for (const MenuShareCase& row : rows) {
        SCOPED_TRACE(row.what);
        RadioSettings written = DefaultSettings();
        written.Dtmf = {};
        for (const auto& [name, value] : row.written)
            FindMenuField(name)->set(written, value);
        RadioSettings expected = written;
        for (const auto& [name, value] : row.readInstead)
            FindMenuField(name)->set(expected, value);
        EXPECT_EQ(ParseMenuLine(WithoutLineEnd(FormatMenuLine(written))), expected);
    }
}

TEST(settings_file_test, menu_line_without_a_fitting_assignment_reads_by_position) {
    RadioSettings s = DefaultSettings();
    s.Dtmf = {};
    const std::string line = WithoutLineEnd(FormatMenuLine(s));
    // A comma inside a call sign cannot be given to a free text without breaking a character field.
    RadioSettings withComma = s;
    withComma.MYC = "JA1,ZZZ";
    const RadioSettings read = ParseMenuLine(WithoutLineEnd(FormatMenuLine(withComma)));
    EXPECT_EQ(read.MYC, "JA1");
    EXPECT_EQ(read.MES, s.MES);
    // More commas than all free texts can hold: by position.
    RadioSettings manyCommas = s;
    manyCommas.MYC = "";
    std::string many = WithoutLineEnd(FormatMenuLine(manyCommas));
    many.insert(many.find(",0,00000000000000000,"), std::string(79, ','));
    EXPECT_EQ(ParseMenuLine(many).MES, s.MES);
    EXPECT_EQ(ParseMenuLine(many).GU, '0');
    // Thousands of them, in a free text: still by position.
    std::string thousands = line;
    thousands.insert(thousands.find(",,7,,7,,7,0"), std::string(5000, ','));
    EXPECT_EQ(ParseMenuLine(thousands).GC, s.GC);
    EXPECT_TRUE(ParseMenuLine(thousands).PP.empty());
    // A trailing value beyond the 31 is ignored.
    EXPECT_EQ(ParseMenuLine(line.substr(0, line.size() - 1) + ",;"), s);
}

// Random settings of the forms the settings pages give, with ',' only in the texts the MENU line
// carries it in: the reader gives back what was written, unless it says that the line has more
// than one reading; and whatever it reads writes the same line again.
TEST(settings_file_test, menu_line_reads_back_what_the_program_wrote) {
    std::mt19937 random(20);
    const auto pick = [&](std::size_t below) {
        return std::uniform_int_distribution<std::size_t>(0, below - 1)(random);
    };
    const std::string kanji = Sjis("漢");
    constexpr int kRounds = 4000;
    int ambiguous = 0;
    for (int round = 0; round < kRounds; ++round) {
        RadioSettings written;
        for (const MenuField& f : MenuFields()) {
            const std::string_view pieces = CarriesComma(f) ? ",,07A;K" : "07A;K";
            std::string value;
            const std::size_t length = f.shortest + pick(f.longest - f.shortest + 1);
            while (value.size() < length) {
                const std::size_t k = pick(f.codes.empty() ? pieces.size() : f.codes.size());
                if (f.codes.empty() && pieces[k] == 'K')
                    value += value.size() + 2 <= length ? kanji : "K";
                else
                    value += f.codes.empty() ? pieces[k] : f.codes[k];
            }
            f.set(written, value);
        }
        const std::string line = FormatMenuLine(written);
        const std::optional<MenuLineRead> read = ReadMenuLine(WithoutLineEnd(line));
        ASSERT_TRUE(read);
        ASSERT_NE(read->sharing, MenuSharing::ByPosition) << line;
        ASSERT_EQ(FormatMenuLine(read->settings), line);
        if (read->sharing == MenuSharing::Ambiguous)
            ++ambiguous;
        else
            ASSERT_EQ(read->settings, written) << line;
    }
    // Both kinds of line came up.
    EXPECT_GT(ambiguous, 0);
    EXPECT_LT(ambiguous, kRounds);
}

TEST(settings_file_test, dtmf_keeps_letters_star_and_hash) {
    const DtmfMemory m{"0123456789ABCD*#", "ABC*#"};
    EXPECT_EQ(FormatDtmfLine(m), "DTMF 0123456789ABCD*#,ABC*#;\r\n");
    EXPECT_EQ(ParseDtmfLine("DTMF 0123456789ABCD*#,ABC*#;"), m);
}

struct DamagedMem {
    const char* line;
    bool used;
};

TEST(settings_file_test, damaged_mem_lines_give_an_empty_row) {
    const std::string good = "MEM 003,0,00145020000,5,0,0,0,0,09,09,000000000,0,,HOME,0,my memo,0;";
    const DamagedMem rows[] = {
        {"", false},
        {";", false},
        {"MEM", false},
        {"MEM 003", false},
        {"MEM 003,", false},
        {"MEM 003,0", false},
        {"MEM 003,0,00145020000,5,0", false},
        {"MEM 003,0,00145020000,5,0,0,0,0,09,09,000000000,0,,HOME,0,my memo", false},
        {"XXX 003,0,00145020000,5,0,0,0,0,09,09,000000000,0,,HOME,0,my memo,0;", false},
        {"MEM 003,X,00145020000,5,0,0,0,0,09,09,000000000,0,,HOME,0,my memo,0;", false},
        {"MEM 003,2,00145020000,5,0,0,0,0,09,09,000000000,0,,HOME,0,my memo,0;", false},
        {"MEM 003,0,00145020000,5,0,0,0,0,09,09,000000000,0,,HOME,0,my memo,0;", true},
    };
    for (const DamagedMem& row : rows) {
        SCOPED_TRACE(row.line);
        const MemoryChannel ch = ParseMemLine(row.line);
        if (row.used) {
            EXPECT_EQ(ch, ParseMemLine(good));
        } else {
            MemoryChannel empty;
            empty.EmptyFlag = '1';
            EXPECT_EQ(ch, empty);
        }
    }
}

TEST(settings_file_test, unknown_one_character_values_become_zero) {
    const MemoryChannel ch = ParseMemLine("MEM 003,0,00145020000,,XY,?,0,0,09,09,000000000,F,,HOME,0,m,0;");
    EXPECT_EQ(ch.Step, '0');
    EXPECT_EQ(ch.Shift, '0');
    EXPECT_EQ(ch.Reverse, '0');
    EXPECT_EQ(ch.Mode, '0');
    EXPECT_EQ(ch.Name, "HOME");
}

TEST(settings_file_test, nul_reserved_value_of_other_writers) {
    const std::string line("MEM 005,0,00433000000,5,0,0,0,0,09,09,000000000,0,,NUL,0,memo,\0;", 65);
    const MemoryChannel ch = ParseMemLine(line);
    EXPECT_EQ(ch.EmptyFlag, '0');
    EXPECT_EQ(ch.Name, "NUL");
    EXPECT_EQ(ch.Memo, "memo");
}

TEST(settings_file_test, damaged_vfo_menu_and_dtmf_lines) {
    EXPECT_EQ(ParseVfoLine(""), VfoRecord{});
    EXPECT_EQ(ParseVfoLine("XFO 000,0,00125000000,1,00118,00135,5,0,0,0,0,09,09,000000000,0;"), VfoRecord{});
    EXPECT_EQ(ParseVfoLine("VFO 000,0,00125000000,1"), VfoRecord{});
    // Letters are dropped from VFO values: a 'B' selector reads as empty, hence '0'.
    EXPECT_EQ(ParseVfoLine("VFO 000,0,00125000000,B,00118,00135,5,0,0,0,0,09,09,000000000,0;").VfoNo, '0');

    RadioSettings startup = DefaultSettings();
    startup.Dtmf = {};
    for (const char* line : {"", "MENU", "MENU ;", "MENU a,b,c;", "NEMU HELLO!!,07,0,1,1,1;"})
        EXPECT_EQ(ParseMenuLine(line), startup) << line;

    for (const char* line : {"", "DTMF", "DTMF ;", "DTMF 123;", "XXXX 123,NAME;"})
        EXPECT_EQ(ParseDtmfLine(line), DtmfMemory{}) << line;
}

// A file cut anywhere before its last line's ';' is refused, and the image stays as it was.
TEST(settings_file_test, a_file_cut_short_is_refused) {
    const std::string bytes = FormatSettingsFile(FullImage());
    for (std::size_t cut = 19; cut <= bytes.size(); cut += cut + 40 < bytes.size() ? 37 : 1) {
        SCOPED_TRACE(cut);
        RadioImage read = StartupImage();
        const SettingsFileRead result = ParseSettingsFile(std::string_view(bytes).substr(0, cut), read);
        ASSERT_TRUE(result.recognised);
        const bool whole = cut >= bytes.size() - 2;
        EXPECT_EQ(result.Read(), whole);
        EXPECT_EQ(read, whole ? FullImage() : StartupImage());
    }
}

// The file's lines without their line ends, changed by `edit`, joined again with CR LF.
std::string EditedLines(const std::string& bytes, const std::function<void(std::vector<std::string>&)>& edit) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0, next; (next = bytes.find("\r\n", pos)) != std::string::npos; pos = next + 2)
        lines.push_back(bytes.substr(pos, next - pos));
    edit(lines);
    std::string joined;
    for (const std::string& line : lines)
        joined += line + "\r\n";
    return joined;
}

struct FileCase {
    const char* what;
    std::function<void(std::vector<std::string>&)> edit; // lines[0] is the header
    std::string refusal;                                 // empty: read, with `warning` if any
    std::string warning;
};

TEST(settings_file_test, a_file_whose_first_set_is_not_whole_is_refused_naming_the_line) {
    const RadioImage written = FullImage();
    const std::string bytes = FormatSettingsFile(written);
    RadioSettings twoReadings = DefaultSettings();
    twoReadings.SMY = "AB";
    twoReadings.SMSG = "7,7";
    RadioSettings callWithComma = DefaultSettings();
    callWithComma.MYC = "JA1,ZZZ";
    const std::string menuWithComma = WithoutLineEnd(FormatMenuLine(callWithComma));
    const auto setLine = [](std::size_t n, const std::string& text) {
        return [n, text](std::vector<std::string>& l) { l[n - 1] = text; };
    };
    const FileCase cases[] = {
        {"whole", [](auto&) {}, "", ""},
        {"MENU line with two readings", setLine(178, WithoutLineEnd(FormatMenuLine(twoReadings))), "",
         "178 行目の MENU 行は値が 32 個あり（項目は 31 個）、',' を含む項目の読み方が複数あります。PP に ',' "
         "を含めて読みました。"},
        {"blank line after line 5", [](auto& l) { l.insert(l.begin() + 5, ""); },
         "6 行目が空行です（MEM 004 行があるはずの行です）", ""},
        {"line 50 dropped", [](auto& l) { l.erase(l.begin() + 49); },
         "50 行目が MEM 048 行ではありません（'MEM 049' で始まる行です）", ""},
        {"line 50 dropped and another repeated",
         [](auto& l) {
             l.erase(l.begin() + 49);
             const std::string repeated = l[150];
             l.insert(l.begin() + 150, repeated);
         },
         "50 行目が MEM 048 行ではありません（'MEM 049' で始まる行です）", ""},
        {"line 50 repeated", [](auto& l) { l.insert(l.begin() + 49, std::string(l[49])); },
         "51 行目が MEM 049 行ではありません（'MEM 048' で始まる行です）", ""},
        {"two MEM lines swapped", [](auto& l) { std::swap(l[4], l[120]); },
         "5 行目が MEM 003 行ではありません（'MEM 119' で始まる行です）", ""},
        {"scan memory lines swapped", [](auto& l) { std::swap(l[151], l[152]); },
         "152 行目が MEM 150 行ではありません（'MEM 151' で始まる行です）", ""},
        {"VFO lines swapped", [](auto& l) { std::swap(l[172], l[173]); },
         "173 行目が VFO 001 行ではありません（'VFO 002' で始まる行です）", ""},
        {"keyword lost", setLine(6, "XEM 004,1,EMPTY;"),
         "6 行目が MEM 004 行ではありません（'XEM 004' で始まる行です）", ""},
        {"MEM line cut", [](auto& l) { l[3].pop_back(); }, "4 行目の MEM 002 行が途中で切れているか、値が足りません",
         ""},
        {"VFO line short", setLine(172, "VFO 000,0,00125000000;"), "172 行目の VFO 000 行が途中で切れて", ""},
        {"MENU line short", setLine(178, "MENU HELLO,07;"), "178 行目の MENU 行が途中で切れて", ""},
        {"DTMF line without its name", setLine(188, "DTMF 123;"), "188 行目の DTMF 行が途中で切れて", ""},
        {"last line missing", [](auto& l) { l.pop_back(); }, "ファイルが 188 行目の DTMF 行の前で終わっています", ""},
        {"header alone", [](auto& l) { l.resize(1); }, "ファイルが 2 行目の MEM 000 行の前で終わっています", ""},
        {"stray tail", [](auto& l) { l.push_back("X;"); }, "",
         "189 行目からの 1 行は設定 1 組（187 行）に足りないため読み込みませんでした"},
        {"damaged second set",
         [&](auto& l) {
             const std::vector<std::string> set(l.begin() + 1, l.end());
             for (std::size_t n = 0; n < kSettingsSetLines; ++n)
                 l.push_back(n == 4 ? "" : set[n]);
         },
         "", "189 行目からの設定 1 組は、193 行目が空行です（MEM 004 行があるはずの行です）。読み込みませんでした"},
        {"second whole set",
         [&](auto& l) {
             const std::vector<std::string> set(l.begin() + 1, l.end());
             l.insert(l.end(), set.begin(), set.end());
         },
         "", "ファイルには設定が 2 組あり、最後の組（189 行目から）を読み込みました。それより前の組は使っていません"},
        {"MENU comma with no fitting share", setLine(178, menuWithComma), "",
         "178 行目の MENU 行は値が 32 個あり（項目は 31 個）、',' "
         "をどの項目に含めても読めないため、先頭から順に読みました。"},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.what);
        RadioImage read = StartupImage();
        const SettingsFileRead result = ParseSettingsFile(EditedLines(bytes, c.edit), read);
        ASSERT_TRUE(result.recognised);
        if (!c.refusal.empty()) {
            EXPECT_NE(result.refusal.find(c.refusal), std::string::npos) << result.refusal;
            EXPECT_TRUE(result.warnings.empty());
            EXPECT_EQ(read, StartupImage());
            continue;
        }
        EXPECT_TRUE(result.refusal.empty()) << result.refusal;
        ASSERT_EQ(result.warnings.size(), c.warning.empty() ? 0u : 1u);
        if (!c.warning.empty()) {
            EXPECT_NE(result.warnings[0].find(c.warning), std::string::npos) << result.warnings[0];
        }
        EXPECT_EQ(read.Channels, written.Channels);
    }
}

// Damage of every kind at many places: cut lines, stray separators, lost bytes. Reading must stay
// inside the text (the sanitizer build checks that) and every row must come out used or empty.
TEST(settings_file_test, mangled_files_read_without_harm) {
    const std::string good = FormatSettingsFile(FullImage());
    unsigned seed = 2024;
    for (int round = 0; round < 300; ++round) {
        std::string bytes = good;
        for (int edit = 0; edit < 1 + round % 7 && bytes.size() > 19; ++edit) {
            seed = seed * 1103515245u + 12345u;
            const std::size_t at = 18 + (seed >> 8) % (bytes.size() - 18);
            static constexpr std::string_view kStray = ",;\r\n\0MEMVFODTMF";
            switch (seed % 4) {
            case 0:
                bytes.erase(at, 1 + seed % 40);
                break;
            case 1:
                bytes.insert(at, 1, kStray[seed % kStray.size()]);
                break;
            case 2:
                bytes[at] = kStray[(seed >> 3) % kStray.size()];
                break;
            default:
                bytes.resize(at);
                break;
            }
        }
        RadioImage read = StartupImage();
        const SettingsFileRead result = ParseSettingsFile(bytes, read);
        ASSERT_TRUE(result.recognised);
        if (!result.Read()) {
            ASSERT_EQ(read, StartupImage());
        }
        for (const MemoryChannel& ch : read.Channels)
            ASSERT_TRUE(ch.EmptyFlag == '0' || ch.EmptyFlag == '1');
    }
}

TEST(settings_file_test, header_checks) {
    const std::string body = FormatSettingsFile(FullImage()).substr(18);
    RadioImage read = StartupImage();
    EXPECT_FALSE(ParseSettingsFile("", read).recognised);
    EXPECT_FALSE(ParseSettingsFile("ID TH-D7 ZEM_D8;\r\n" + body, read).recognised);
    EXPECT_FALSE(ParseSettingsFile("\r\nID TH-D7 ZEM_D7;\r\n" + body, read).recognised);
    EXPECT_EQ(read, StartupImage());
    EXPECT_TRUE(ParseSettingsFile("xx TH-D7 ZEM_D7 yy\n" + body, read).recognised);
    EXPECT_EQ(read, FullImage());
}

TEST(settings_file_test, every_line_end_reads_the_same) {
    const std::string bytes = FormatSettingsFile(FullImage());
    for (const char* end : {"\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        std::string other;
        for (std::size_t pos = 0, next; (next = bytes.find("\r\n", pos)) != std::string::npos; pos = next + 2)
            other += bytes.substr(pos, next - pos) + end;
        RadioImage read = StartupImage();
        const SettingsFileRead result = ParseSettingsFile(other, read);
        ASSERT_TRUE(result.recognised);
        EXPECT_TRUE(result.warnings.empty());
        EXPECT_EQ(read, FullImage());
    }
}

// Text editors add a last line end, DOS tools an end-of-file mark; such a tail holds no record and
// must not start a second set that would empty every row.
TEST(settings_file_test, blank_lines_after_the_last_set_change_nothing) {
    const std::string bytes = FormatSettingsFile(FullImage());
    for (const char* tail : {"\r\n", "\n\n\n", "\x1a", "  \t\r\n\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(tail)));
        RadioImage read = StartupImage();
        const SettingsFileRead result = ParseSettingsFile(bytes + tail, read);
        ASSERT_TRUE(result.recognised);
        EXPECT_TRUE(result.warnings.empty());
        EXPECT_EQ(read, FullImage());
    }
}

TEST(settings_file_test, two_sets_are_read_twice_and_the_second_stays) {
    const std::string first = FormatSettingsFile(FullImage());
    const std::string second = FormatSettingsFile(StartupImage()).substr(18);
    RadioImage read = FullImage();
    ASSERT_TRUE(ParseSettingsFile(first + second, read).recognised);
    EXPECT_EQ(read, StartupImage());
}

struct ShortLaterSet {
    const char* what;
    std::string after; // what follows one whole set
    std::string warning;
};

// A stray line, or a memo cut in two by a line end, must not be read as a set of missing lines
// that would empty every row: the last whole set stands.
TEST(settings_file_test, a_short_later_set_is_left_unread_with_a_warning) {
    const std::string first = FormatSettingsFile(FullImage());
    const std::string second = FormatSettingsFile(StartupImage()).substr(18);
    const std::string secondShort = second.substr(0, second.rfind("DTMF "));
    const ShortLaterSet cases[] = {
        {"stray line", "X;\r\n", "189 行目からの 1 行は設定 1 組（187 行）に足りないため読み込みませんでした"},
        {"stray line without line end", "MEM 000,1,EMPTY;",
         "189 行目からの 1 行は設定 1 組（187 行）に足りないため読み込みませんでした"},
        {"blank lines then a stray one", "\r\n\r\nX\r\n\r\n",
         "189 行目からの 3 行は設定 1 組（187 行）に足りないため読み込みませんでした"},
        {"set one line short", secondShort,
         "189 行目からの 186 行は設定 1 組（187 行）に足りないため読み込みませんでした"},
    };
    for (const ShortLaterSet& c : cases) {
        SCOPED_TRACE(c.what);
        RadioImage read = StartupImage();
        const SettingsFileRead result = ParseSettingsFile(first + c.after, read);
        ASSERT_TRUE(result.recognised);
        EXPECT_EQ(result.warnings, std::vector<std::string>{c.warning});
        EXPECT_EQ(read, FullImage());
    }
    // After two whole sets the second stands.
    RadioImage read = FullImage();
    const SettingsFileRead result = ParseSettingsFile(first + second + "X;\r\n", read);
    EXPECT_EQ(
        result.warnings,
        (std::vector<std::string>{
            "ファイルには設定が 2 組あり、最後の組（189 行目から）を読み込みました。それより前の組は使っていません",
            "376 行目からの 1 行は設定 1 組（187 行）に足りないため読み込みませんでした"}));
    EXPECT_TRUE(result.linesLeft);
    EXPECT_EQ(read, StartupImage());
}

} // namespace
} // namespace zem
