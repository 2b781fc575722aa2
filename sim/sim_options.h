#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zem::sim {

// A misbehaviour of the radio for tests. A fault applies to the commands it matches: by command
// word ("MR"; empty matches every command), the n-th command received (counted from 1 over the
// engine's log; 0 matches every command); or by whole command when `word` holds a blank
// ("MR 0,0,050"), the n-th time that command is received (0: every time).
struct Fault {
    enum class Kind {
        NoAnswer,  // the command is taken but nothing comes back
        Garble,    // every letter of the answer becomes '#', so its echo word is gone
        NoEcho,    // the answer without its leading command word and blank
        Refuse,    // "?" instead of the answer, as the radio answers a command it refuses
        Split,     // the answer comes in two halves with `pause` between them
        ExtraLine, // after the answer, `pause` later, an unsolicited line `text`
        Slow,      // the answer starts `pause` later than usual
        // A whole channel write ("MW 0,0,addr,...") is taken and echoed, but the channel then
        // holds a receive frequency 10 kHz higher: only a read-back shows it.
        AlterStored,
        // From this command on the radio takes nothing and answers nothing, as when it is switched
        // off, until the test lets it answer again (RadioEngine::SetAnswering).
        Stop,
    };
    explicit Fault(Kind k, std::size_t n = 0, std::string w = {}, std::chrono::milliseconds p = {},
                   std::string t = "BUSY")
        : kind(k), nth(n), word(std::move(w)), pause(p), text(std::move(t)) {}

    Kind kind;
    std::size_t nth;
    std::string word;
    std::chrono::milliseconds pause;
    std::string text;

    // `index`: the command's place in the log; `repeat`: how many times it has been received.
    bool Matches(std::size_t index, std::size_t repeat, std::string_view command) const {
        if (word.find(' ') != std::string::npos)
            return command == word && (nth == 0 || nth == repeat);
        return (nth == 0 || nth == index) && (word.empty() || command.substr(0, command.find(' ')) == word);
    }
};

// What is at the far end of the line instead of a radio that answers, for the port doctor's tests.
enum class LineKind {
    Radio,  // the TH-D7, answering
    Echo,   // every command comes back as it was sent: a loopback or a cable wired for another radio
    Packet, // the radio's TNC has the line (packet mode): "?" to every command
    Noise,  // bytes that answer nothing and end no line, as a wrong cable or baud rate gives
};

struct SimOptions {
    // Send and take bytes at 9600 baud (10 bits a byte, about 1.04 ms), both ways; otherwise
    // bytes move at once.
    bool pace = false;
    // The radio's own processing time before each answer.
    std::chrono::milliseconds delay{0};
    std::vector<Fault> faults;
    LineKind line = LineKind::Radio; // any other: the radio takes no command
};

} // namespace zem::sim
