#include "radio_engine.h"

#include "setting_commands.h"
#include "tuning_layout.h"

#include "model/codecs.h"
#include "model/text_lines.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace zem::sim {
namespace {

constexpr std::string_view kUnknown = "?";
constexpr std::string_view kEmpty = "N";

// Step sizes in Hz of the step codes '0'..'9', as the radio tunes with them.
constexpr std::array<std::int64_t, 10> kStepHz{5000, 6250, 10000, 12500, 15000, 20000, 25000, 30000, 50000, 100000};
constexpr std::int64_t kHighestFreqHz = 99'999'999'999;

// The receive ranges the radio lists in its "FL" answer; a modified radio opens the air band.
constexpr std::string_view kRangesStock = "FL 00144,00146,00430,00440";
constexpr std::string_view kRangesModified = "FL 00118,00174,00400,00479";

// What the radio answers to a well-formed command it cannot carry out (a value outside its
// choices), as against "?" for one it cannot read.
constexpr std::string_view kRefused = "N";

constexpr std::string_view kDtmfDigits = "0123456789ABCD*#";

// Stations on the air around the simulated radio: full strength at their frequency, fading to
// nothing at `reachHz` away from it.
struct Station {
    std::int64_t freqHz;
    int peak;
    std::int64_t reachHz;
};
constexpr std::array kStations{
    Station{118'100'000, 5, 25'000}, Station{144'640'000, 4, 15'000}, Station{145'000'000, 3, 20'000},
    Station{145'500'000, 5, 30'000}, Station{433'000'000, 5, 40'000}, Station{439'000'000, 2, 20'000},
};

bool IsDigitChar(std::string_view value) {
    return IsDigits(value, 1);
}
bool IsBit(std::string_view value) {
    return value == "0" || value == "1";
}

// The key toggles the remote key buttons switch between 0 and 1.
struct KeyToggle {
    std::string_view word;
    char KeyToggles::*key;
};
constexpr std::array kKeyToggles{
    KeyToggle{"BCN", &KeyToggles::BCN}, KeyToggle{"TNC", &KeyToggles::TNC}, KeyToggle{"DL", &KeyToggles::DL},
    KeyToggle{"LMP", &KeyToggles::LMP}, KeyToggle{"LK", &KeyToggles::LK},
};

// The DTMF memory address "00".."09".
std::optional<std::size_t> DtmfSlot(std::string_view address) {
    if (address.size() != 2 || address[0] != '0' || !IsDigits(address.substr(1), 1))
        return std::nullopt;
    return static_cast<std::size_t>(address[1] - '0');
}

} // namespace

struct RadioEngine::Command {
    std::string_view word;
    std::string (RadioEngine::*run)(std::string_view word, Args args);
};

const std::vector<RadioEngine::Command>& RadioEngine::Commands() {
    static const std::vector<Command> kCommands = [] {
        using E = RadioEngine;
        std::vector<Command> table{
            {"ID", &E::Id},
            {"FL", &E::Fl},
            {"MR", &E::MemoryRead},
            {"MW", &E::MemoryWrite},
            {"MNA", &E::MemoryName},
            {"VR", &E::VfoRead},
            {"VW", &E::VfoWrite},
            {"PV", &E::VfoLimits},
            {"DM", &E::DtmfCode},
            {"DMN", &E::DtmfName},
            {"BC", &E::Band},
            {"ST", &E::StepCmd},
            {"FQ", &E::Frequency},
            {"UP", &E::Move},
            {"DW", &E::Move},
            {"SM", &E::SMeter},
            {"TX", &E::Transmit},
            {"RX", &E::Receive},
            {"AI", &E::AutoInformation},
            {"MD", &E::Mode},
            {"VMC", &E::MemoryMode},
        };
        for (const KeyToggle& k : kKeyToggles)
            table.push_back({k.word, &E::Toggle});
        for (const SettingCommand& s : SettingCommands())
            table.push_back({s.word, &E::Setting});
        return table;
    }();
    return kCommands;
}

RadioEngine::RadioEngine(RadioState state) : state_(std::move(state)) {}

std::string RadioEngine::Answer(std::string_view command, std::size_t* number) {
    const std::lock_guard lock(mutex_);
    log_.emplace_back(command);
    if (number != nullptr)
        *number = log_.size();
    // The command word is everything up to the first blank; a bare word is a query.
    const std::size_t blank = command.find(' ');
    const std::string_view word = command.substr(0, blank);
    const Args args = blank == std::string_view::npos ? Args{} : Args{command.substr(blank + 1)};
    const auto& table = Commands();
    const auto it = std::find_if(table.begin(), table.end(), [&](const Command& c) { return c.word == word; });
    return it == table.end() ? std::string(kUnknown) : (this->*(it->run))(word, args);
}

std::vector<std::string> RadioEngine::CommandLog() const {
    const std::lock_guard lock(mutex_);
    return log_;
}

std::size_t RadioEngine::CommandCount() const {
    const std::lock_guard lock(mutex_);
    return log_.size();
}

std::size_t RadioEngine::Repeats(std::string_view command) const {
    const std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count(log_.begin(), log_.end(), command));
}

void RadioEngine::ClearLog() {
    const std::lock_guard lock(mutex_);
    log_.clear();
}

RadioState RadioEngine::State() const {
    const std::lock_guard lock(mutex_);
    return state_;
}

void RadioEngine::SetState(const RadioState& state) {
    const std::lock_guard lock(mutex_);
    state_ = state;
}

RadioImage RadioEngine::Image() const {
    const std::lock_guard lock(mutex_);
    return state_.image;
}

void RadioEngine::SetAnswering(bool on) {
    const std::lock_guard lock(mutex_);
    answering_ = on;
}

bool RadioEngine::Answering() const {
    const std::lock_guard lock(mutex_);
    return answering_;
}

void RadioEngine::SetImage(const RadioImage& image) {
    const std::lock_guard lock(mutex_);
    state_.image = image;
}

void RadioEngine::SetModified(bool modified) {
    const std::lock_guard lock(mutex_);
    state_.modified = modified;
}

void RadioEngine::AlterStoredChannel(std::string_view command) {
    constexpr std::string_view kWholeWrite = "MW 0,0,";
    if (!command.starts_with(kWholeWrite))
        return;
    const auto f = SplitAtCommas(command.substr(kWholeWrite.size()));
    const auto row = f.size() > 1 ? RowOfAddress(f[0]) : std::nullopt;
    const std::lock_guard lock(mutex_);
    if (!row || state_.image.Channels[*row].EmptyFlag != '0')
        return;
    FixedText<11>& freq = state_.image.Channels[*row].RxFreq;
    constexpr std::int64_t kMoveHz = 10'000;
    const std::int64_t hz = DigitsValue(freq.view()).value_or(0);
    freq = ZeroPad(hz + kMoveHz <= kHighestFreqHz ? hz + kMoveHz : hz - kMoveHz, 11);
}

int RadioEngine::SMeterAt(std::int64_t freqHz) {
    int best = 0;
    for (const Station& s : kStations) {
        const std::int64_t distance = std::llabs(freqHz - s.freqHz);
        if (distance < s.reachHz) {
            const auto reading = static_cast<int>((s.peak * (s.reachHz - distance) + s.reachHz - 1) / s.reachHz);
            best = std::max(best, reading);
        }
    }
    return best;
}

std::string RadioEngine::Id(std::string_view, Args args) {
    return args ? std::string(kUnknown) : "ID TH-D7";
}

std::string RadioEngine::Fl(std::string_view, Args args) {
    if (args)
        return std::string(kUnknown);
    return std::string(state_.modified ? kRangesModified : kRangesStock);
}

std::string RadioEngine::MemoryRead(std::string_view, Args args) {
    if (!args)
        return std::string(kUnknown);
    const auto f = SplitAtCommas(*args);
    const auto row = f.size() == 3 && f[0] == "0" && IsBit(f[1]) ? RowOfAddress(f[2]) : std::nullopt;
    if (!row)
        return std::string(kUnknown);
    const MemoryChannel& ch = state_.image.Channels[*row];
    if (ch.EmptyFlag != '0')
        return std::string(kEmpty);
    if (f[1] == "0")
        return "MR 0,0," + std::string(f[2]) + "," + ChannelFields(ch);
    // Only a split channel has a separate transmit frequency to report.
    if (!ch.Offset.empty())
        return std::string(kEmpty);
    return "MR 0,1," + std::string(f[2]) + "," + ch.TxFreq.str() + ",0";
}

std::string RadioEngine::MemoryWrite(std::string_view, Args args) {
    if (!args)
        return std::string(kUnknown);
    const auto f = SplitAtCommas(*args);
    const auto row = f.size() >= 3 && f[0] == "0" && IsBit(f[1]) ? RowOfAddress(f[2]) : std::nullopt;
    if (!row)
        return std::string(kUnknown);
    MemoryChannel& ch = state_.image.Channels[*row];
    const std::string echo = "MW " + std::string(*args);
    if (f[1] == "1") {
        // The transmit frequency may come before the row itself (the program writes channels
        // 000..149 in that order), so it is kept whatever the row holds.
        if (f.size() != 5 || !IsDigits(f[3], 11) || f[4] != "0")
            return std::string(kUnknown);
        ch.TxFreq = f[3];
        return echo;
    }
    if (f.size() == 3) {
        MemoryChannel cleared;
        cleared.EmptyFlag = '1';
        cleared.Memo = ch.Memo;
        ch = cleared;
        return echo;
    }
    const auto written = ParseChannelFields({f.begin() + 3, f.end()}, ch);
    if (!written)
        return std::string(kUnknown);
    ch = *written;
    return echo;
}

std::string RadioEngine::MemoryName(std::string_view, Args args) {
    if (!args || !args->starts_with("0,"))
        return std::string(kUnknown);
    const std::string_view rest = args->substr(2);
    const std::size_t comma = rest.find(',');
    const std::string_view address = rest.substr(0, comma);
    const auto row = RowOfAddress(address);
    if (!row)
        return std::string(kUnknown);
    MemoryChannel& ch = state_.image.Channels[*row];
    if (comma == std::string_view::npos)
        return ch.EmptyFlag != '0' ? std::string(kEmpty) : "MNA 0," + std::string(address) + "," + ch.Name.str();
    // The name runs to the end of the line, commas included.
    const std::string_view name = rest.substr(comma + 1);
    if (!IsPlainText(name, decltype(ch.Name)::capacity))
        return std::string(kUnknown);
    if (ch.EmptyFlag != '0')
        return std::string(kEmpty);
    ch.Name = name;
    return "MNA " + std::string(*args);
}

std::string RadioEngine::VfoRead(std::string_view, Args args) {
    if (!args || !IsDigitChar(*args))
        return std::string(kUnknown);
    const auto& vfos = state_.image.Vfos;
    const auto it = std::find_if(vfos.begin(), vfos.end(), [&](const VfoRecord& v) { return v.VfoNo == (*args)[0]; });
    if (it == vfos.end())
        return std::string(kEmpty);
    return "VR " + std::string(1, it->VfoNo) + "," + VfoFields(*it);
}

std::string RadioEngine::VfoWrite(std::string_view, Args args) {
    if (!args)
        return std::string(kUnknown);
    const auto f = SplitAtCommas(*args);
    if (f.empty() || !IsDigitChar(f[0]))
        return std::string(kUnknown);
    auto& vfos = state_.image.Vfos;
    const auto it = std::find_if(vfos.begin(), vfos.end(), [&](const VfoRecord& v) { return v.VfoNo == f[0][0]; });
    if (it == vfos.end())
        return std::string(kEmpty);
    const auto written = ParseVfoFields({f.begin() + 1, f.end()}, *it);
    if (!written)
        return std::string(kUnknown);
    *it = *written;
    return "VW " + std::string(*args);
}

std::string RadioEngine::VfoLimits(std::string_view, Args args) {
    if (!args)
        return std::string(kUnknown);
    const auto f = SplitAtCommas(*args);
    if (!IsDigitChar(f[0]) || (f.size() != 1 && f.size() != 3))
        return std::string(kUnknown);
    auto& vfos = state_.image.Vfos;
    const auto it = std::find_if(vfos.begin(), vfos.end(), [&](const VfoRecord& v) { return v.VfoNo == f[0][0]; });
    if (it == vfos.end())
        return std::string(kEmpty);
    if (f.size() == 1)
        return "PV " + std::string(f[0]) + "," + it->LowerLimit.str() + "," + it->UpperLimit.str();
    if (!IsDigits(f[1], 5) || !IsDigits(f[2], 5) || f[1] > f[2])
        return std::string(kUnknown);
    it->LowerLimit = f[1];
    it->UpperLimit = f[2];
    return "PV " + std::string(*args);
}

// "DM 0k" / "DMN 0k" ask for a memory's code or name; with ",value" they store it. The word is
// the command's own, so one function serves both.
std::string RadioEngine::DtmfField(std::string_view word, Args args, bool code) {
    if (!args)
        return std::string(kUnknown);
    const std::size_t comma = args->find(',');
    const auto slot = DtmfSlot(args->substr(0, comma));
    if (!slot)
        return std::string(kUnknown);
    DtmfMemory& memory = state_.image.Settings.Dtmf[*slot];
    const std::string echo = std::string(word) + " " + std::string(*args);
    if (comma == std::string_view::npos)
        return echo + "," + (code ? memory.Code.str() : memory.Name.str());
    const std::string_view value = args->substr(comma + 1);
    const bool valid = code ? value.size() <= decltype(memory.Code)::capacity &&
                                  value.find_first_not_of(kDtmfDigits) == std::string_view::npos
                            : IsPlainText(value, decltype(memory.Name)::capacity);
    if (!valid)
        return std::string(kUnknown);
    if (code)
        memory.Code = value;
    else
        memory.Name = value;
    return echo;
}

std::string RadioEngine::DtmfCode(std::string_view word, Args args) {
    return DtmfField(word, args, true);
}
std::string RadioEngine::DtmfName(std::string_view word, Args args) {
    return DtmfField(word, args, false);
}

BandState& RadioEngine::CurrentBand() {
    return state_.bands[state_.currentBand == '1' ? 1 : 0];
}

std::string RadioEngine::Band(std::string_view, Args args) {
    if (args) {
        if (!IsBit(*args))
            return std::string(kUnknown);
        state_.currentBand = (*args)[0];
    }
    return "BC " + std::string(1, state_.currentBand);
}

std::string RadioEngine::StepCmd(std::string_view, Args args) {
    if (args) {
        if (!IsDigitChar(*args))
            return std::string(kUnknown);
        CurrentBand().step = (*args)[0];
    }
    return "ST " + std::string(1, CurrentBand().step);
}

std::string RadioEngine::Frequency(std::string_view, Args args) {
    if (args) {
        const auto f = SplitAtCommas(*args);
        if (f.size() != 2 || !IsDigits(f[0], 11) || !IsDigitChar(f[1]))
            return std::string(kUnknown);
        CurrentBand().freqHz = DigitsValue(f[0]).value_or(0);
        CurrentBand().step = f[1][0];
    }
    return "FQ " + ZeroPad(CurrentBand().freqHz, 11) + "," + CurrentBand().step;
}

std::string RadioEngine::Move(std::string_view word, Args args) {
    if (args)
        return std::string(kUnknown);
    BandState& band = CurrentBand();
    const std::int64_t step =
        band.step >= '0' && band.step <= '9' ? kStepHz[static_cast<std::size_t>(band.step - '0')] : 0;
    const std::int64_t delta = word == "UP" ? step : -step;
    band.freqHz = std::clamp<std::int64_t>(band.freqHz + delta, 0, kHighestFreqHz);
    return std::string(word);
}

std::string RadioEngine::SMeter(std::string_view, Args args) {
    if (!args || !IsBit(*args))
        return std::string(kUnknown);
    const BandState& band = state_.bands[(*args)[0] == '1' ? 1 : 0];
    return "SM " + std::string(*args) + "," + ZeroPad(SMeterAt(band.freqHz), 2);
}

std::string RadioEngine::Transmit(std::string_view, Args args) {
    if (args)
        return std::string(kUnknown);
    state_.transmitting = true;
    return "TX " + std::string(1, state_.currentBand);
}

std::string RadioEngine::Receive(std::string_view, Args args) {
    if (args)
        return std::string(kUnknown);
    state_.transmitting = false;
    return "RX";
}

std::string RadioEngine::Toggle(std::string_view word, Args args) {
    char KeyToggles::*key =
        std::find_if(kKeyToggles.begin(), kKeyToggles.end(), [&](const KeyToggle& k) { return k.word == word; })->key;
    if (args) {
        if (!IsBit(*args))
            return std::string(kUnknown);
        state_.keys.*key = (*args)[0];
    }
    return std::string(word) + " " + state_.keys.*key;
}

// "AI" asks whether the radio reports changes unasked, "AI 0" or "AI 1" sets it.
std::string RadioEngine::AutoInformation(std::string_view word, Args args) {
    if (args) {
        if (!IsBit(*args))
            return std::string(kRefused);
        state_.autoInformation = (*args)[0];
    }
    return std::string(word) + " " + state_.autoInformation;
}

// "MD" asks for the current band's mode, "MD 0" (FM) or "MD 1" (AM) sets it.
std::string RadioEngine::Mode(std::string_view word, Args args) {
    if (args) {
        if (!IsBit(*args))
            return std::string(kRefused);
        CurrentBand().mode = (*args)[0];
    }
    return std::string(word) + " " + CurrentBand().mode;
}

// "VMC b" asks whether band b is on its VFO (0), a memory (1), the call channel (2) or a weather
// channel (3); "VMC b,m" sets it. Unlike MD it always names its band.
std::string RadioEngine::MemoryMode(std::string_view word, Args args) {
    const auto f = args ? SplitAtCommas(*args) : std::vector<std::string_view>{};
    const bool set = f.size() == 2 && f[1].size() == 1 && f[1][0] >= '0' && f[1][0] <= '3';
    if (f.empty() || !IsBit(f[0]) || (f.size() != 1 && !set))
        return std::string(kRefused);
    BandState& band = state_.bands[f[0] == "1" ? 1 : 0];
    if (set)
        band.memoryMode = f[1][0];
    return std::string(word) + " " + std::string(f[0]) + "," + band.memoryMode;
}

std::string RadioEngine::Setting(std::string_view word, Args args) {
    const SettingCommand& command = *FindSettingCommand(word);
    RadioSettings& settings = state_.image.Settings;
    if (args) {
        if (!args->starts_with(command.lead))
            return std::string(kUnknown);
        const std::string_view value = args->substr(command.lead.size());
        if (!ValueFits(command, value))
            return std::string(kUnknown);
        command.set(settings, value);
    }
    return std::string(word) + " " + std::string(command.lead) + std::string(command.get(settings));
}

} // namespace zem::sim
