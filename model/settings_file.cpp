#include "settings_file.h"

#include "codecs.h"
#include "conversion_error.h"
#include "member_text.h"
#include "menu_fields.h"
#include "startup_image.h"
#include "text_lines.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

namespace zem {
namespace {

// One value of a line bound to one record field: a char field is its one character, a text field
// its bytes.
template <typename Record> struct LineField {
    std::string_view (*get)(const Record&);
    void (*set)(Record&, std::string_view);
};

template <auto Member> constexpr LineField<RecordOf<Member>> Bind() {
    return {&MemberText<Member>, &SetMemberText<Member>};
}

using M = MemoryChannel;
// Values 1..15 of a MEM line.
const std::array kMemFields{
    Bind<&M::EmptyFlag>(), Bind<&M::RxFreq>(),  Bind<&M::Step>(),     Bind<&M::Shift>(),     Bind<&M::Reverse>(),
    Bind<&M::ToneOn>(),    Bind<&M::CtcssOn>(), Bind<&M::ToneCode>(), Bind<&M::CtcssCode>(), Bind<&M::Offset>(),
    Bind<&M::Mode>(),      Bind<&M::TxFreq>(),  Bind<&M::Name>(),     Bind<&M::Lockout>(),   Bind<&M::Memo>(),
};
constexpr std::size_t kMemValues = 17;           // keyword with row, 15 fields, reserved character
constexpr std::size_t kMemFirstField = 1;        // EmptyFlag
constexpr std::size_t kMemMemo = kMemValues - 2; // the value that takes the memo and its commas

using V = VfoRecord;
// Values 1..14 of a VFO line.
const std::array kVfoFields{
    Bind<&V::Band>(),     Bind<&V::Freq>(),      Bind<&V::VfoNo>(),   Bind<&V::LowerLimit>(), Bind<&V::UpperLimit>(),
    Bind<&V::Step>(),     Bind<&V::Shift>(),     Bind<&V::Reverse>(), Bind<&V::ToneOn>(),     Bind<&V::CtcssOn>(),
    Bind<&V::ToneCode>(), Bind<&V::CtcssCode>(), Bind<&V::Offset>(),  Bind<&V::Mode>(),
};

// Reading starts after "MENU " / "DTMF " and stops before the line's last character, the ';'.
constexpr std::size_t kTaggedLineStart = 5;

std::string JoinValues(const std::vector<std::string_view>& values, std::size_t first, std::size_t end) {
    std::string text;
    for (std::size_t k = first; k < end; ++k) {
        if (k > first)
            text += ',';
        text += values[k];
    }
    return text;
}

bool HasKeyword(std::string_view line, std::string_view keyword) {
    return line.find(keyword) != std::string_view::npos;
}

// The part of a MENU or DTMF line that holds its values; nullopt when the line is too short.
std::optional<std::string_view> TaggedValues(std::string_view line) {
    if (line.size() <= kTaggedLineStart)
        return std::nullopt;
    return line.substr(kTaggedLineStart, line.size() - 1 - kTaggedLineStart);
}

char ReservedChar(char reserved) {
    const bool visible = reserved > ' ' && reserved < 0x7F && reserved != ',' && reserved != ';';
    return visible ? reserved : '0';
}

template <typename Record, std::size_t N>
void AppendValues(std::string& line, const std::array<LineField<Record>, N>& fields, const Record& r) {
    for (const LineField<Record>& f : fields) {
        line += ',';
        line += f.get(r);
    }
}

MemoryChannel EmptyRow() {
    MemoryChannel ch;
    ch.EmptyFlag = '1';
    return ch;
}

RadioSettings StartupMenuFields() {
    RadioSettings s = DefaultSettings();
    s.Dtmf = {};
    return s;
}

std::optional<VfoRecord> ReadVfoLine(std::string_view line) {
    if (!HasKeyword(line, "VFO"))
        return std::nullopt;
    std::string digits;
    for (char c : line) {
        if ((c >= '0' && c <= '9') || c == ',')
            digits += c;
    }
    const std::vector<std::string_view> values = SplitAtCommas(digits);
    if (values.size() < kVfoFields.size() + 1)
        return std::nullopt;
    VfoRecord vfo;
    for (std::size_t k = 0; k < kVfoFields.size(); ++k)
        kVfoFields[k].set(vfo, values[k + 1]);
    return vfo;
}

std::optional<MemoryChannel> ReadMemLine(std::string_view line) {
    if (!HasKeyword(line, "MEM"))
        return std::nullopt;
    const std::vector<std::string_view> values = SplitAtCommas(line);
    if (values.size() <= kMemFirstField)
        return std::nullopt;
    if (values[kMemFirstField] != "0")
        return EmptyRow();
    if (values.size() < kMemValues)
        return std::nullopt;
    MemoryChannel ch;
    for (std::size_t k = kMemFirstField; k < kMemMemo; ++k)
        kMemFields[k - kMemFirstField].set(ch, values[k]);
    // The last value is the reserved character, so every value between it and the lockout is memo.
    ch.Memo = JoinValues(values, kMemMemo, values.size() - 1);
    return ch;
}

std::optional<DtmfMemory> ReadDtmfLine(std::string_view line) {
    const std::optional<std::string_view> text = TaggedValues(line);
    if (!HasKeyword(line, "DTMF") || !text)
        return std::nullopt;
    const std::vector<std::string_view> values = SplitAtCommas(*text);
    if (values.size() < 2)
        return std::nullopt;
    DtmfMemory m;
    m.Code = values[0];
    m.Name = JoinValues(values, 1, values.size());
    return m;
}

// How many values each menu field takes; 0 while a free text's share is still open.
using MenuTakes = std::array<std::size_t, kMenuFieldCount>;

// Positions in a MENU line's values, one bit each. A line of more values than the fields can take
// has no sharing at all and is read by position at once, however many commas it has.
constexpr std::size_t kMenuPositions = kMenuValueLimit;
using MenuPositions = std::bitset<kMenuPositions>;

// For each field and count, the positions from which it may take that many values: [count - 1].
using MenuFits = std::array<std::vector<MenuPositions>, kMenuFieldCount>;

// The free texts' table positions in the order they are given extra values.
std::vector<std::size_t> FreeTextsInShareOrder() {
    std::vector<std::size_t> order;
    for (std::size_t f = 0; f < kMenuFieldCount; ++f) {
        if (CarriesComma(MenuFields()[f]))
            order.push_back(f);
    }
    std::sort(order.begin(), order.end(),
              [](std::size_t a, std::size_t b) { return MenuFields()[a].commaShare < MenuFields()[b].commaShare; });
    return order;
}

// A field takes one value of its own format; a free text takes as many values as fit its bytes
// with the commas between them, so at most `capacity` + 1.
std::vector<MenuPositions> FitsOf(const MenuField& field, const std::vector<std::string_view>& values) {
    const bool freeText = CarriesComma(field);
    std::vector<MenuPositions> fits(freeText ? field.capacity + 1 : 1);
    for (std::size_t pos = 0; pos < values.size(); ++pos) {
        if (!freeText) {
            fits[0][pos] = HoldsMenuValue(field, values[pos]);
            continue;
        }
        std::size_t bytes = values[pos].size();
        for (std::size_t count = 1; bytes <= field.capacity; ++count) {
            fits[count - 1][pos] = true;
            if (pos + count == values.size())
                break;
            bytes += 1 + values[pos + count].size();
        }
    }
    return fits;
}

// How many ways the fields can share out all values, 2 standing for two or more. Walks the fields
// in line order, counting the ways the fields so far can end at each position.
std::size_t CountMenuSharings(const MenuFits& fits, std::size_t valueCount) {
    std::array<std::uint8_t, kMenuPositions + 1> ways{};
    ways[0] = 1;
    for (std::size_t f = 0; f < kMenuFieldCount; ++f) {
        std::array<std::uint8_t, kMenuPositions + 1> next{};
        for (std::size_t pos = 0; pos < valueCount; ++pos) {
            if (ways[pos] == 0)
                continue;
            for (std::size_t count = 1; count <= fits[f].size(); ++count) {
                if (fits[f][count - 1][pos])
                    next[pos + count] = static_cast<std::uint8_t>(std::min(2, next[pos + count] + ways[pos]));
            }
        }
        ways = next;
    }
    return ways[valueCount];
}

// Whether the fields can share out all values with the takes fixed so far. Walks the fields in
// line order, keeping the positions the fields so far can end at.
bool MenuTakesPossible(const MenuFits& fits, const MenuTakes& takes, std::size_t valueCount) {
    MenuPositions reach;
    reach[0] = true;
    for (std::size_t f = 0; f < kMenuFieldCount; ++f) {
        MenuPositions next;
        for (std::size_t count = 1; count <= fits[f].size(); ++count) {
            if (takes[f] == 0 || takes[f] == count)
                next |= (reach & fits[f][count - 1]) << count;
        }
        reach = next;
    }
    return reach[valueCount];
}

struct MenuAssignment {
    MenuTakes takes;
    MenuSharing sharing;
};

// Gives each free text, in its share order, the largest share that still lets every
// field hold a value of its own format; by position when no sharing does.
MenuAssignment AssignMenuValues(const std::vector<std::string_view>& values) {
    MenuAssignment a;
    a.takes.fill(1);
    if (values.size() == kMenuFieldCount)
        return {a.takes, MenuSharing::OneEach};
    a.sharing = MenuSharing::ByPosition;
    if (values.size() >= kMenuPositions)
        return a;
    MenuFits fits;
    for (std::size_t f = 0; f < kMenuFieldCount; ++f) {
        fits[f] = FitsOf(MenuFields()[f], values);
        a.takes[f] = CarriesComma(MenuFields()[f]) ? 0 : 1;
    }
    const std::size_t ways = CountMenuSharings(fits, values.size());
    if (ways == 0) {
        a.takes.fill(1);
        return a;
    }
    a.sharing = ways == 1 ? MenuSharing::Unique : MenuSharing::Ambiguous;
    for (const std::size_t f : FreeTextsInShareOrder()) {
        // Some share fits, since one did before this field was fixed; 1 is the last left to try.
        for (a.takes[f] = fits[f].size(); a.takes[f] > 1; --a.takes[f]) {
            if (MenuTakesPossible(fits, a.takes, values.size()))
                break;
        }
    }
    return a;
}

// Nothing but blanks and control bytes: a text editor's last line end or a DOS end-of-file mark.
bool IsBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty())
        lines.push_back(TakeLine(bytes));
    return lines;
}

// What the line at each place of a set holds: its keyword, and for a MEM or VFO line the number
// written after it (the row or the VFO), so that a line out of its place is found.
struct LinePlace {
    std::string_view keyword;
    // How the line begins: "MEM 048,", "MENU "; made once per place, not per line read.
    std::string start;

    std::string_view Start() const { return start; }
    // "MEM 048", "VFO 002", "MENU".
    std::string Label() const { return start.substr(0, start.size() - 1); }
};

LinePlace MakePlace(std::string_view keyword, std::optional<std::size_t> number) {
    return {keyword, std::string(keyword) + (number ? " " + ZeroPad(static_cast<long long>(*number), 3) + "," : " ")};
}

// The places of a set, in order.
const std::vector<LinePlace>& SetPlaces() {
    static const std::vector<LinePlace> places = [] {
        std::vector<LinePlace> all;
        for (std::size_t row = 0; row < kChannelRows; ++row)
            all.push_back(MakePlace("MEM", row));
        for (std::size_t v = 0; v < kVfoCount; ++v)
            all.push_back(MakePlace("VFO", v));
        all.push_back(MakePlace("MENU", std::nullopt));
        for (std::size_t m = 0; m < kDtmfCount; ++m)
            all.push_back(MakePlace("DTMF", std::nullopt));
        return all;
    }();
    return places;
}

std::string LineNumber(std::size_t line) {
    return std::to_string(line) + " 行目";
}

// Why a line cannot stand at its place in a set, or nothing when it can.
std::optional<std::string> LineFault(std::string_view line, const LinePlace& place) {
    const auto name = [&] { return place.Label() + " 行"; };
    const auto cutShort = [&] { return "の " + name() + "が途中で切れているか、値が足りません"; };
    if (IsBlankLine(line))
        return "が空行です（" + name() + "があるはずの行です）";
    const std::string_view start = place.Start();
    if (start.starts_with(line))
        return cutShort();
    if (!line.starts_with(start))
        return "が " + name() + "ではありません（" + QuotedCp932(line.substr(0, line.find_first_of(",;"))) +
               " で始まる行です）";
    bool cut = !line.ends_with(';');
    if (place.keyword == "MEM")
        cut = cut || !ReadMemLine(line);
    else if (place.keyword == "VFO")
        cut = cut || !ReadVfoLine(line);
    else if (place.keyword == "MENU")
        cut = cut || !ReadMenuLine(line);
    else
        cut = cut || !ReadDtmfLine(line);
    if (cut)
        return cutShort();
    return std::nullopt;
}

// The first fault of a set that starts at file line `firstLine`: a line that cannot stand at its
// place, or the file's end before the set's.
std::optional<std::string> SetFault(std::span<const std::string_view> set, std::size_t firstLine) {
    for (std::size_t place = 0; place < kSettingsSetLines; ++place) {
        const LinePlace& expected = SetPlaces()[place];
        if (place == set.size())
            return "ファイルが " + LineNumber(firstLine + place) + "の " + expected.Label() +
                   " 行の前で終わっています（設定 1 組は見出しのほか " + std::to_string(kSettingsSetLines) +
                   " 行です）";
        if (std::optional<std::string> fault = LineFault(set[place], expected))
            return LineNumber(firstLine + place) + *fault;
    }
    return std::nullopt;
}

std::string MenuSharingWarning(const MenuLineRead& menu, std::size_t line,
                               const std::vector<std::string_view>& values) {
    const std::string where = LineNumber(line) + "の MENU 行は値が " + std::to_string(values.size()) +
                              " 個あり（項目は " + std::to_string(kMenuFieldCount) + " 個）、";
    if (menu.sharing == MenuSharing::ByPosition)
        return where + "',' をどの項目に含めても読めないため、先頭から順に読みました。設定を確かめてください";
    std::string texts;
    for (const MenuField& f : MenuFields()) {
        if (CarriesComma(f) && f.get(menu.settings).find(',') != std::string_view::npos)
            texts += (texts.empty() ? "" : "、") + std::string(f.name);
    }
    return where + "',' を含む項目の読み方が複数あります。" + texts +
           " に ',' を含めて読みました。設定を確かめてください";
}

// Reads one whole set into image; gives the warning about its MENU line (empty when read surely).
std::string ReadSet(std::span<const std::string_view> set, std::size_t firstLine, RadioImage& image) {
    std::size_t next = 0;
    for (MemoryChannel& ch : image.Channels)
        ch = ParseMemLine(set[next++]);
    for (VfoRecord& vfo : image.Vfos)
        vfo = ParseVfoLine(set[next++]);
    const std::size_t menuLine = firstLine + next;
    const std::string_view menuText = set[next++];
    const MenuLineRead menu = *ReadMenuLine(menuText);
    std::string warning;
    if (menu.sharing == MenuSharing::Ambiguous || menu.sharing == MenuSharing::ByPosition)
        warning = MenuSharingWarning(menu, menuLine, SplitAtCommas(*TaggedValues(menuText)));
    const auto dtmf = image.Settings.Dtmf;
    image.Settings = menu.settings;
    image.Settings.Dtmf = dtmf;
    for (DtmfMemory& m : image.Settings.Dtmf)
        m = ParseDtmfLine(set[next++]);
    return warning;
}

std::string IncompleteSetWarning(std::size_t firstLine, std::size_t count) {
    return std::to_string(firstLine) + " 行目からの " + std::to_string(count) + " 行は設定 1 組（" +
           std::to_string(kSettingsSetLines) + " 行）に足りないため読み込みませんでした";
}

std::string DamagedSetWarning(std::size_t firstLine, const std::string& fault) {
    return std::to_string(firstLine) + " 行目からの設定 1 組は、" + fault + "。読み込みませんでした";
}

std::string LaterSetWarning(std::size_t sets, std::size_t firstLine) {
    return "ファイルには設定が " + std::to_string(sets) + " 組あり、最後の組（" + LineNumber(firstLine) +
           "から）を読み込みました。それより前の組は使っていません";
}

} // namespace

std::string FormatMemLine(const MemoryChannel& ch, std::size_t row) {
    std::string line = "MEM " + ZeroPad(static_cast<long long>(row), 3);
    if (ch.EmptyFlag == '1')
        return line + ",1,EMPTY;\r\n";
    AppendValues(line, kMemFields, ch);
    line += ',';
    line += ReservedChar(ch.Reserved);
    return line + ";\r\n";
}

std::string FormatVfoLine(const VfoRecord& vfo, std::size_t number) {
    std::string line = "VFO " + ZeroPad(static_cast<long long>(number), 3);
    AppendValues(line, kVfoFields, vfo);
    return line + ";\r\n";
}

std::string FormatMenuLine(const RadioSettings& s) {
    std::string line = "MENU ";
    for (const MenuField& f : MenuFields()) {
        if (&f != MenuFields().data())
            line += ',';
        line += f.get(s);
    }
    return line + ";\r\n";
}

std::string FormatDtmfLine(const DtmfMemory& m) {
    return "DTMF " + m.Code.str() + "," + m.Name.str() + ";\r\n";
}

MemoryChannel ParseMemLine(std::string_view line) {
    return ReadMemLine(line).value_or(EmptyRow());
}

VfoRecord ParseVfoLine(std::string_view line) {
    return ReadVfoLine(line).value_or(VfoRecord{});
}

std::optional<MenuLineRead> ReadMenuLine(std::string_view line) {
    const std::optional<std::string_view> text = TaggedValues(line);
    if (!HasKeyword(line, "MENU") || !text)
        return std::nullopt;
    const std::vector<std::string_view> values = SplitAtCommas(*text);
    if (values.size() < kMenuFieldCount)
        return std::nullopt;
    const MenuAssignment assigned = AssignMenuValues(values);
    MenuLineRead read{{}, assigned.sharing};
    std::size_t pos = 0;
    for (std::size_t f = 0; f < kMenuFieldCount; ++f) {
        MenuFields()[f].set(read.settings, JoinValues(values, pos, pos + assigned.takes[f]));
        pos += assigned.takes[f];
    }
    return read;
}

RadioSettings ParseMenuLine(std::string_view line) {
    const std::optional<MenuLineRead> read = ReadMenuLine(line);
    return read ? read->settings : StartupMenuFields();
}

DtmfMemory ParseDtmfLine(std::string_view line) {
    return ReadDtmfLine(line).value_or(DtmfMemory{});
}

std::string FormatSettingsFile(const RadioImage& image) {
    std::string bytes = std::string(kSettingsHeader) + "\r\n";
    for (std::size_t row = 0; row < kChannelRows; ++row)
        bytes += FormatMemLine(image.Channels[row], row);
    for (std::size_t v = 0; v < kVfoCount; ++v)
        bytes += FormatVfoLine(image.Vfos[v], v);
    bytes += FormatMenuLine(image.Settings);
    for (const DtmfMemory& m : image.Settings.Dtmf)
        bytes += FormatDtmfLine(m);
    return bytes;
}

SettingsFileRead ParseSettingsFile(std::string_view bytes, RadioImage& image) {
    std::vector<std::string_view> lines = SplitLines(bytes);
    if (lines.empty() || !HasKeyword(lines.front(), kSettingsHeaderMark))
        return {};
    // A blank tail would start another set of missing lines.
    while (lines.size() > 1 && IsBlankLine(lines.back()))
        lines.pop_back();
    SettingsFileRead result;
    result.recognised = true;
    RadioImage read = image;
    std::string tail;
    std::size_t sets = 0;
    std::size_t lastSetLine = 0;
    const std::span<const std::string_view> body = std::span(lines).subspan(1);
    // The first set is looked at even when the header stands alone.
    for (std::size_t start = 0; start == 0 || start < body.size(); start += kSettingsSetLines) {
        const std::size_t firstLine = start + 2; // after the header, counting from 1
        const std::span<const std::string_view> set =
            body.subspan(start, std::min(body.size() - start, kSettingsSetLines));
        const std::optional<std::string> fault = SetFault(set, firstLine);
        if (fault && start == 0) {
            result.refusal = "設定ファイルが壊れているため開けません。" + *fault + "。";
            return result;
        }
        if (fault) {
            tail = set.size() < kSettingsSetLines ? IncompleteSetWarning(firstLine, set.size())
                                                  : DamagedSetWarning(firstLine, *fault);
            break;
        }
        // A later set replaces the one before, and with it what was said about it.
        result.warnings.clear();
        result.menuWarning = ReadSet(set, firstLine, read);
        if (!result.menuWarning.empty())
            result.warnings.push_back(result.menuWarning);
        ++sets;
        lastSetLine = firstLine;
    }
    if (sets > 1)
        result.warnings.push_back(LaterSetWarning(sets, lastSetLine));
    if (!tail.empty())
        result.warnings.push_back(tail);
    result.linesLeft = sets > 1 || !tail.empty();
    image = read;
    return result;
}

} // namespace zem
