#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The words and numbers of the channel CSV layout that the export writes and the import reads,
// kept in one place so that the two cannot drift apart.
namespace zem::channel_csv {

enum class Column {
    Location,
    Name,
    Frequency,
    Duplex,
    Offset,
    Tone,
    rToneFreq,
    cToneFreq,
    DtcsCode,
    DtcsPolarity,
    RxDtcsCode,
    CrossMode,
    Mode,
    TStep,
    Skip,
    Power,
    Comment,
    URCALL,
    RPT1CALL,
    RPT2CALL,
    DVCODE,
};

constexpr std::size_t Index(Column c) {
    return static_cast<std::size_t>(c);
}

inline constexpr std::size_t kColumnCount = Index(Column::DVCODE) + 1;

// In header order, which Column follows.
inline constexpr std::array<std::string_view, kColumnCount> kColumnNames{
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE",
};
// A column added to the enum but not to the names fails here; one added to the names alone is an
// initialiser too many.
static_assert(kColumnNames[Index(Column::DVCODE)] == "DVCODE");

struct ToneMode {
    std::string_view word;
    char toneOn;
    char ctcssOn;
};
inline constexpr std::array<ToneMode, 4> kToneModes{{
    {"", '0', '0'}, {"Tone", '1', '0'}, {"TSQL", '0', '1'}, {"Cross", '1', '1'}, // with kCrossMode only
}};
// The one cross mode the TH-D7 has: one tone sent, another listened for.
inline constexpr std::string_view kCrossMode = "Tone->Tone";

struct DuplexWord {
    std::string_view word;
    char shift;
};
inline constexpr std::array<DuplexWord, 3> kDuplexWords{{{"", '0'}, {"+", '1'}, {"-", '2'}}};
// A split channel: Offset holds the transmit frequency.
inline constexpr std::string_view kSplit = "split";

struct SkipWord {
    std::string_view word;
    char lockout;
};
inline constexpr std::array<SkipWord, 2> kSkipWords{{{"", '0'}, {"S", '1'}}};

// What the export writes in the columns the TH-D7 has no place for.
inline constexpr std::string_view kDtcsCode = "023";
inline constexpr std::string_view kDtcsPolarity = "NN";
inline constexpr std::string_view kPower = "High";

// The tone of a two-digit tone code in Hz ("88.5"); a code naming no tone gives 88.5, the
// radio's default.
std::string_view ToneHz(std::string_view code);
// The code of a tone in Hz, compared as a number ("88.50" is "09"); nullopt for a tone the
// TH-D7 lacks or a text that is not a number.
std::optional<std::string> ToneCodeOf(std::string_view hzText);

// A step code's size in kHz with two decimals ("6.25", "12.50"); empty for a code naming no step.
std::string StepKhz(char code);
// The code of a step in kHz, compared as a number; nullopt for a step the TH-D7 lacks or a text
// that is not a number.
std::optional<char> StepCodeOf(std::string_view khzText);

} // namespace zem::channel_csv
