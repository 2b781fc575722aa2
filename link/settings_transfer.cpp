#include "tcomm_thread.h"

#include "model/answer_lines.h"
#include "model/codecs.h"
#include "model/command_text.h"
#include "model/cp932.h"
#include "model/menu_fields.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zem {
namespace {

// One settings command: the query, the echo that marks its answer, the set prefix (the value
// follows it, in the answer as in the set command) and how many characters the value has.
struct SettingsCommand {
    std::string query;
    std::string echo;
    std::string prefix;
    std::size_t width;
    std::string_view (*get)(const RadioSettings&, std::size_t dtmf);
    void (*set)(RadioSettings&, std::size_t dtmf, std::string_view value);
    const MenuField* field; // the menu field, or nullptr for a DTMF memory
    std::size_t dtmf;
    // Whether the settings file brings back a ',' in the value: a free text of the MENU line, or
    // a DTMF name, which takes the rest of its line.
    bool carriesComma;
};

// The 51 commands in the radio's order: the menu fields of the table, with the ten DTMF memories
// (code, then name) where the table puts them. The value of every answer follows the set prefix,
// so one rule finds it: "MES " then 8 characters, "DM 03," then 16, "ICO 0," then one.
const std::vector<SettingsCommand>& Commands() {
    static const std::vector<SettingsCommand> commands = [] {
        std::vector<SettingsCommand> list;
        for (const SettingsPart& part : SettingsOrder()) {
            if (!part.IsDtmf()) {
                const MenuField& f = MenuFields()[part.field];
                const std::string name(f.name);
                list.push_back({name, name, name + " " + std::string(f.valuePrefix), f.longest, nullptr, nullptr, &f, 0,
                                CarriesComma(f)});
            } else {
                const std::size_t k = part.dtmf;
                const std::string address = "0" + std::to_string(k);
                list.push_back({"DM " + address, "DM", "DM " + address + ",", DtmfMemory{}.Code.capacity,
                                [](const RadioSettings& s, std::size_t m) { return s.Dtmf[m].Code.view(); },
                                [](RadioSettings& s, std::size_t m, std::string_view v) { s.Dtmf[m].Code = v; },
                                nullptr, k, false});
                list.push_back({"DMN " + address, "DMN", "DMN " + address + ",", DtmfMemory{}.Name.capacity,
                                [](const RadioSettings& s, std::size_t m) { return s.Dtmf[m].Name.view(); },
                                [](RadioSettings& s, std::size_t m, std::string_view v) { s.Dtmf[m].Name = v; },
                                nullptr, k, true});
            }
        }
        return list;
    }();
    return commands;
}

std::string_view Value(const SettingsCommand& c, const RadioSettings& s) {
    return c.field ? c.field->get(s) : c.get(s, c.dtmf);
}

void Store(const SettingsCommand& c, RadioSettings& s, std::string_view value) {
    if (c.field)
        c.field->set(s, value);
    else
        c.set(s, c.dtmf, value);
}

constexpr std::size_t kCommandCount = kMenuFieldCount + 2 * kDtmfCount;

// The commands a mask chooses: each menu field's own, and both of a chosen DTMF memory's.
std::array<bool, kCommandCount> ChosenCommands(const WriteMask& mask) {
    const auto& commands = Commands();
    std::array<bool, kCommandCount> chosen{};
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        const SettingsCommand& c = commands[i];
        chosen[i] =
            c.field ? mask.settings[static_cast<std::size_t>(c.field - MenuFields().data())] : mask.dtmf[c.dtmf];
    }
    return chosen;
}

} // namespace

// A value is taken only from the line that begins with its query (an unsolicited line or a late
// answer may come with it), and never when it holds control bytes: those come from a damaged
// answer, and stored they would reach the settings file and go back to the radio. Nor when it
// holds a ',' the settings file would split the line at, moving every setting after it: that
// value is named once, however often it is asked.
bool TCommThread::ReadSetting(std::size_t index, RadioSettings& into) {
    const SettingsCommand& c = Commands()[index];
    const Answer answer = Ask(c.query, c.query);
    const std::string_view value =
        answer.line ? TextAt(*answer.line, c.prefix.size() + 1, c.width) : std::string_view();
    StatusCp932(answer.line.value_or(answer.text));
    if (!answer.line || HasControlChars(value))
        return false;
    if (!c.carriesComma && value.find(',') != std::string_view::npos) {
        const std::string label = c.query + ": ";
        if (std::ranges::none_of(CommaRefusals_, [&](const std::string& r) { return r.starts_with(label); }))
            CommaRefusals_.push_back(label + "無線機の値「" + ShownCp932(value) +
                                     "」は ',' を含み、設定ファイルに保存できないため、読み込みませんでした");
        return false;
    }
    Store(c, into, value);
    return true;
}

TCommThread::Attempt TCommThread::WriteSetting(std::size_t index) {
    const SettingsCommand& c = Commands()[index];
    Attempt attempt;
    std::string response;
    Confirm(attempt, c.prefix + std::string(Value(c, Image_.Settings)), c.query, c.echo, response);
    StatusCp932(response);
    return attempt;
}

long TCommThread::ReadSettings(const WriteMask& mask) {
    return ReadParts(ChosenCommands(mask), [&](std::size_t i) { return ReadSetting(i, Image_.Settings); });
}

long TCommThread::WriteSettings(const WriteMask& mask) {
    return WriteParts(
        ChosenCommands(mask), [&](std::size_t i) { return WriteSetting(i); },
        [&](std::size_t i) {
            RadioSettings stored = Image_.Settings;
            return ReadSetting(i, stored) && Value(Commands()[i], stored) == Value(Commands()[i], Image_.Settings);
        });
}

void TCommThread::DoMenuRead() {
    Finish(Transfer(kCommandCount, [&] { return ReadSettings(WriteMask::All()); }));
}

void TCommThread::DoMenuwrite() {
    Finish(Transfer(kCommandCount, [&] { return WriteSettings(WriteMask::All()); }));
}

} // namespace zem
