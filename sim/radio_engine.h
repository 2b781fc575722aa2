#pragma once

#include "model/records.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zem::sim {

// What the radio shows on one of its two bands, apart from the VFO records: the frequency the
// scope and the S-meter work on, and the step that UP and DW move by.
struct BandState {
    std::int64_t freqHz = 0;
    char step = '5';
    char mode = '0';       // "MD": '0' FM, '1' AM
    char memoryMode = '0'; // "VMC": '0' VFO, '1' memory, '2' call channel, '3' weather channel
};

// The key toggles the remote key buttons switch, each '0' or '1'.
struct KeyToggles {
    char BCN = '0';
    char TNC = '0';
    char DL = '0';
    char LMP = '0';
    char LK = '0';
};

// Everything the simulated TH-D7 holds; copied whole by the accessors below.
struct RadioState {
    RadioImage image;
    std::array<BandState, 2> bands{};
    char currentBand = '0';     // "BC"
    char autoInformation = '0'; // "AI": the radio reports changes unasked when '1' (never sent here)
    KeyToggles keys;
    bool transmitting = false;
    bool modified = false; // a modified radio lists 118 MHz in its "FL" answer
};

// The default radio: the program's start-up image with a few used channels, programmable-scan
// memories and DTMF memories, so that a first read has something to show.
RadioState DefaultRadio();

// A whole TH-D7 answering its command set. Each command (without its CR) gives one answer line
// (without its CR): the echoed command word and the data for queries and accepted settings,
// "N" for an empty channel, "?" for an unknown or malformed command. The answers are written
// here from the radio's layouts, independently of the program's own command text, so that a
// fault there shows up against the simulator instead of being mirrored by it.
//
// Thread-safe: a serving thread answers while a test inspects the state and the log.
class RadioEngine {
public:
    explicit RadioEngine(RadioState state = DefaultRadio());

    // `number`, when given, receives the command's place in the log (counted from 1).
    std::string Answer(std::string_view command, std::size_t* number = nullptr);

    // Every command received, in order, without its CR.
    std::vector<std::string> CommandLog() const;
    std::size_t CommandCount() const;
    // How many times `command` has been received.
    std::size_t Repeats(std::string_view command) const;
    void ClearLog();

    RadioState State() const;
    void SetState(const RadioState& state);
    RadioImage Image() const;
    void SetImage(const RadioImage& image);
    void SetModified(bool modified);

    // After a whole channel write (`command` is "MW 0,0,addr,..."), moves the stored channel's
    // receive frequency 10 kHz up (down at the top of the range); any other command changes
    // nothing. The radio storing a row wrongly, for tests of reading a write back.
    void AlterStoredChannel(std::string_view command);

    // A radio that does not answer takes no command either: switched off, or its cable pulled.
    void SetAnswering(bool on);
    bool Answering() const;

    // The S-meter digit (0..5) the radio shows at a frequency: a few fixed stations give strong
    // readings near their frequency, everywhere else is quiet.
    static int SMeterAt(std::int64_t freqHz);

private:
    struct Command;
    static const std::vector<Command>& Commands();

    // Command handlers: the command word and the text after its blank (none for a bare word).
    using Args = std::optional<std::string_view>;
    std::string Id(std::string_view word, Args args);
    std::string Fl(std::string_view word, Args args);
    std::string MemoryRead(std::string_view word, Args args);
    std::string MemoryWrite(std::string_view word, Args args);
    std::string MemoryName(std::string_view word, Args args);
    std::string VfoRead(std::string_view word, Args args);
    std::string VfoWrite(std::string_view word, Args args);
    std::string VfoLimits(std::string_view word, Args args);
    std::string DtmfCode(std::string_view word, Args args);
    std::string DtmfName(std::string_view word, Args args);
    std::string DtmfField(std::string_view word, Args args, bool code);
    std::string Band(std::string_view word, Args args);
    std::string StepCmd(std::string_view word, Args args);
    std::string Frequency(std::string_view word, Args args);
    std::string Move(std::string_view word, Args args);
    std::string SMeter(std::string_view word, Args args);
    std::string Transmit(std::string_view word, Args args);
    std::string Receive(std::string_view word, Args args);
    std::string Toggle(std::string_view word, Args args);
    std::string AutoInformation(std::string_view word, Args args);
    std::string Mode(std::string_view word, Args args);
    std::string MemoryMode(std::string_view word, Args args);
    std::string Setting(std::string_view word, Args args);

    BandState& CurrentBand();

    mutable std::mutex mutex_;
    RadioState state_;
    std::vector<std::string> log_;
    bool answering_ = true;
};

} // namespace zem::sim
