#include "image_diff.h"

#include "codecs.h"
#include "command_text.h"
#include "cp932.h"
#include "grid_text.h"
#include "member_text.h"
#include "menu_fields.h"
#include "startup_image.h"

#include <array>
#include <initializer_list>
#include <span>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

namespace zem {
namespace {

// A field as the comparison sees it: `stored` is the record's own text, which decides whether
// the field differs; `shown` is what the grids and editors show (CP932, and it may throw
// ConversionError on damaged digits).
template <typename Record> struct FieldRule {
    std::string_view name;
    std::string (*stored)(const Record&);
    std::string (*shown)(const Record&);
};

// The item a one- or two-digit code names, or the code itself where it names none (a damaged
// code stays visible rather than looking like a valid item).
std::string CodeItem(std::string_view code, std::span<const std::string_view> items) {
    const std::optional<long long> index = DigitsValue(code, 2);
    if (!index || static_cast<std::size_t>(*index) >= items.size() || items[static_cast<std::size_t>(*index)].empty())
        return std::string(code);
    return std::string(items[static_cast<std::size_t>(*index)]);
}

constexpr std::array<std::string_view, 3> kShiftItems{"Simplex", "Plus Shift", "Minus Shift"};
constexpr std::array<std::string_view, 2> kFlagItems{"OFF", "ON"};

template <auto Member> std::string Stored(const RecordOf<Member>& r) {
    return std::string(MemberText<Member>(r));
}
template <auto Member> std::string Flag(const RecordOf<Member>& r) {
    return CodeItem(MemberText<Member>(r), kFlagItems);
}
template <auto Member> std::string Shift(const RecordOf<Member>& r) {
    return CodeItem(MemberText<Member>(r), kShiftItems);
}
template <auto Member> std::string Tone(const RecordOf<Member>& r) {
    return CodeItem(MemberText<Member>(r), ToneItems());
}
template <auto Member> std::string Freq(const RecordOf<Member>& r) {
    return FreqCell(MemberText<Member>(r));
}

// A channel that is not split usually holds no transmit frequency at all: nothing to show, rather
// than a conversion error.
std::string TransmitFreq(const MemoryChannel& ch) {
    return ch.TxFreq.empty() ? std::string() : FreqCell(ch.TxFreq.view());
}

// An empty offset is what makes a channel a split one.
std::string ChannelOffset(const MemoryChannel& ch) {
    return IsSplit(ch) ? "Split" : DigitsToExactMhz(ch.Offset.view(), 2) + "MHz";
}

// The fields of the tuning a channel and a VFO share, in the order both compare them, between
// the fields of `head` and those of `tail`.
template <typename R>
std::vector<FieldRule<R>> AroundTuning(std::vector<FieldRule<R>> head, std::initializer_list<FieldRule<R>> tail) {
    head.insert(head.end(), {
                                {"シフト", &Stored<&R::Shift>, &Shift<&R::Shift>},
                                {"リバース", &Stored<&R::Reverse>, &Flag<&R::Reverse>},
                                {"トーン", &Stored<&R::ToneOn>, &Flag<&R::ToneOn>},
                                {"トーン周波数", &Stored<&R::ToneCode>, &Tone<&R::ToneCode>},
                                {"CTCSS", &Stored<&R::CtcssOn>, &Flag<&R::CtcssOn>},
                                {"CTCSS周波数", &Stored<&R::CtcssCode>, &Tone<&R::CtcssCode>},
                            });
    head.insert(head.end(), tail);
    return head;
}

// Each stored field once, the grid's columns first. The grid's transmit column mixes the offset
// and the transmit frequency, so those two are compared as their own fields instead. The memo
// comes last, so that leaving it out is leaving out the last rule.
const std::vector<FieldRule<MemoryChannel>>& ChannelRules() {
    using M = MemoryChannel;
    static const std::vector<FieldRule<M>> rules = [] {
        const auto& grid = MemoryColumns();
        return AroundTuning<M>(
            {
                {grid[0].heading, &Stored<&M::RxFreq>, grid[0].usedCell},
                {"送信周波数", &Stored<&M::TxFreq>, &TransmitFreq},
                {grid[2].heading, &Stored<&M::Mode>, grid[2].usedCell},
                {grid[3].heading, &Stored<&M::Step>, grid[3].usedCell},
                {grid[4].heading, &Stored<&M::Name>, grid[4].usedCell},
                {"空き", &Stored<&M::EmptyFlag>, &Stored<&M::EmptyFlag>},
            },
            {
                {"オフセット", &Stored<&M::Offset>, &ChannelOffset},
                {"ロックアウト", &Stored<&M::Lockout>, &Flag<&M::Lockout>},
                {"予備", &Stored<&M::Reserved>, &Stored<&M::Reserved>},
                {grid[5].heading, &Stored<&M::Memo>, grid[5].usedCell},
            });
    }();
    return rules;
}

// A row that is empty on one side has only what the grid shows to compare; the memo last again.
// The compared text is already converted for the screen, but the shown one must stay CP932 as
// every other rule's is: Changes converts it once.
template <std::size_t Column> std::string GridCellBytes(const MemoryChannel& ch) {
    return MemoryCell(Column, ch);
}
template <std::size_t Column> std::string GridCell(const MemoryChannel& ch) {
    return ShownCell([&] { return MemoryCell(Column, ch); });
}
const auto& EmptyRowRules() {
    static const auto rules = []<std::size_t... Column>(std::index_sequence<Column...>) {
        return std::array{
            FieldRule<MemoryChannel>{MemoryColumns()[Column].heading, &GridCell<Column>, &GridCellBytes<Column>}...};
    }
    (std::make_index_sequence<std::tuple_size_v<std::remove_cvref_t<decltype(MemoryColumns())>>>());
    return rules;
}

const std::vector<FieldRule<VfoRecord>>& VfoRules() {
    using V = VfoRecord;
    static const std::vector<FieldRule<V>> rules = [] {
        const auto& grid = VfoColumns();
        return AroundTuning<V>(
            {
                {grid[0].heading, &Stored<&V::LowerLimit>, grid[0].cell},
                {grid[1].heading, &Stored<&V::UpperLimit>, grid[1].cell},
                {grid[2].heading, &Stored<&V::Step>, grid[2].cell},
                {grid[3].heading, &Stored<&V::Offset>, grid[3].cell},
                {grid[4].heading, &Stored<&V::Mode>, grid[4].cell},
                {"周波数", &Stored<&V::Freq>, &Freq<&V::Freq>},
            },
            {
                {"バンド", &Stored<&V::Band>, &Stored<&V::Band>},
                {"VFO番号", &Stored<&V::VfoNo>, &Stored<&V::VfoNo>},
            });
    }();
    return rules;
}

constexpr std::array<FieldRule<DtmfMemory>, 2> kDtmfRules{{
    {"名前", &Stored<&DtmfMemory::Name>, &Stored<&DtmfMemory::Name>},
    {"コード", &Stored<&DtmfMemory::Code>, &Stored<&DtmfMemory::Code>},
}};

template <typename Record>
std::vector<FieldChange> Changes(const Record& before, const Record& after, std::span<const FieldRule<Record>> rules) {
    std::vector<FieldChange> changes;
    for (const FieldRule<Record>& rule : rules) {
        const std::string storedBefore = rule.stored(before);
        const std::string storedAfter = rule.stored(after);
        if (storedBefore == storedAfter)
            continue;
        FieldChange change{std::string(rule.name), ShownCell([&] { return rule.shown(before); }),
                           ShownCell([&] { return rule.shown(after); })};
        if (change.before == change.after) {
            change.before = ShownCp932(storedBefore);
            change.after = ShownCp932(storedAfter);
        }
        changes.push_back(std::move(change));
    }
    return changes;
}

void AddRow(std::vector<RowDifference>& rows, std::string label, std::vector<FieldChange> changes) {
    if (!changes.empty())
        rows.push_back({std::move(label), std::move(changes)});
}

// Leaves out the memo, the last rule of the channel tables.
template <typename Rules> std::span<const typename Rules::value_type> WithMemo(const Rules& rules, bool memo) {
    return std::span(rules.data(), memo ? rules.size() : rules.size() - 1);
}

std::vector<FieldChange> ChannelChanges(const MemoryChannel& before, const MemoryChannel& after, bool memo) {
    if (IsEmptyRow(before) && IsEmptyRow(after))
        return {};
    if (IsEmptyRow(before) || IsEmptyRow(after))
        return Changes(before, after, WithMemo(EmptyRowRules(), memo));
    return Changes(before, after, WithMemo(ChannelRules(), memo));
}

void AddSettings(std::vector<RowDifference>& rows, const RadioSettings& before, const RadioSettings& after) {
    for (const SettingsPart& part : SettingsOrder()) {
        const std::size_t k = part.dtmf;
        if (part.IsDtmf()) {
            AddRow(rows, "DTMF " + std::to_string(k),
                   Changes(before.Dtmf[k], after.Dtmf[k], std::span<const FieldRule<DtmfMemory>>(kDtmfRules)));
            continue;
        }
        const MenuField& f = MenuFields()[part.field];
        if (f.get(before) != f.get(after))
            rows.push_back({std::string(f.name), {{"", ShownCp932(f.get(before)), ShownCp932(f.get(after))}}});
    }
}

} // namespace

std::vector<RowDifference> DiffImages(const RadioImage& before, const RadioImage& after, const DiffScope& scope) {
    std::vector<RowDifference> rows;
    if (scope.channels) {
        for (std::size_t row = 0; row < kChannelRows; ++row)
            AddRow(rows, RowLabel(row), ChannelChanges(before.Channels[row], after.Channels[row], scope.memo));
    }
    if (scope.vfos) {
        for (std::size_t v = 0; v < kVfoCount; ++v)
            AddRow(rows, std::string(VfoTableFacts()[v].label),
                   Changes(before.Vfos[v], after.Vfos[v], std::span<const FieldRule<VfoRecord>>(VfoRules())));
    }
    if (scope.settings)
        AddSettings(rows, before.Settings, after.Settings);
    return rows;
}

std::string DifferenceLine(const RowDifference& row) {
    std::string line = row.label;
    for (const FieldChange& field : row.fields) {
        line += '\t';
        if (!field.name.empty())
            line += field.name + ": ";
        line += field.before + " → " + field.after;
    }
    return line;
}

} // namespace zem
