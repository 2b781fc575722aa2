#include "tcomm_thread.h"

#include "model/answer_lines.h"
#include "model/codecs.h"
#include "model/command_text.h"
#include "model/menu_fields.h"

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
};

// The 51 commands in the radio's order: the menu fields of the table, with the ten DTMF memories
// (code, then name) where the table puts them. The value of every answer follows the set prefix,
// so one rule finds it: "MES " then 8 characters, "DM 03," then 16, "ICO 0," then one.
const std::vector<SettingsCommand>& Commands() {
    static const std::vector<SettingsCommand> commands = [] {
        std::vector<SettingsCommand> list;
        for (const MenuField& f : MenuFields()) {
            const std::string name(f.name);
            list.push_back({name, name, name + " " + std::string(f.valuePrefix), f.longest, nullptr, nullptr, &f, 0});
            if (!f.dtmfFollows)
                continue;
            for (std::size_t k = 0; k < kDtmfCount; ++k) {
                const std::string address = "0" + std::to_string(k);
                list.push_back({"DM " + address, "DM", "DM " + address + ",", DtmfMemory{}.Code.capacity,
                                [](const RadioSettings& s, std::size_t m) { return s.Dtmf[m].Code.view(); },
                                [](RadioSettings& s, std::size_t m, std::string_view v) { s.Dtmf[m].Code = v; },
                                nullptr, k});
                list.push_back({"DMN " + address, "DMN", "DMN " + address + ",", DtmfMemory{}.Name.capacity,
                                [](const RadioSettings& s, std::size_t m) { return s.Dtmf[m].Name.view(); },
                                [](RadioSettings& s, std::size_t m, std::string_view v) { s.Dtmf[m].Name = v; },
                                nullptr, k});
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

} // namespace

// A value is taken only from the line that begins with its query (an unsolicited line or a late
// answer may come with it), and never when it holds control bytes: those come from a damaged
// answer, and stored they would reach the settings file and go back to the radio.
void TCommThread::DoMenuRead() {
    long errors = 0;
    const auto& commands = Commands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        Progress(i, commands.size());
        const SettingsCommand& c = commands[i];
        const Answer answer = Ask(c.query, c.query);
        const std::string_view value =
            answer.line ? TextAt(*answer.line, c.prefix.size() + 1, c.width) : std::string_view();
        if (answer.line && !HasControlChars(value))
            Store(c, Image.Settings, value);
        else
            ++errors;
        StatusCp932(answer.line.value_or(answer.text));
    }
    Progress(commands.size(), commands.size());
    Finish(kMsgSettingsRead, errors);
}

void TCommThread::DoMenuwrite() {
    long errors = 0;
    std::string response;
    const auto& commands = Commands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        Progress(i, commands.size());
        const SettingsCommand& c = commands[i];
        if (!Confirmed(c.prefix + std::string(Value(c, Image.Settings)), c.query, c.echo, response)) {
            ++errors;
            Kept(i);
        }
        StatusCp932(response);
    }
    Progress(commands.size(), commands.size());
    Finish(kMsgSettingsWritten, errors);
}

} // namespace zem
