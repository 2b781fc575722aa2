// Every parser of the radio's answers on any answer text. A parser either reads the answer or
// raises ConversionError and leaves its record as it was; what it reads must survive being put
// into the matching write command and read back; the scanners and TextAt stay inside their counts.
#include "model/command_text.h"
#include "model/startup_image.h"
#include "model/used_channel.h"
#include "property.h"

#include <array>

namespace zem::fuzz {
namespace {

// A numbered channel and both kinds of scan memory, whose addresses differ in form and length.
constexpr std::array kRows{std::size_t{0}, std::size_t{149}, LowerScanRow(0), UpperScanRow(9)};

// The answer to a read as the radio sends it back: a write command ("MW ...", "VW ...") with the
// read's word in place of the write's and without the line end it may carry.
std::string AsAnswer(std::string command, std::string_view readWord) {
    Require(command.size() >= readWord.size(), "a command starts with its word");
    if (command.ends_with('\r'))
        command.pop_back();
    return command.replace(0, readWord.size(), readWord);
}

// A used channel with the shift, a tone, lockout and a transmit frequency set.
MemoryChannel ShiftedChannel() {
    MemoryChannel ch = UsedChannel("00145000000", "HOME");
    ch.Shift = '1';
    ch.ToneOn = '1';
    ch.CtcssCode = "12";
    ch.Lockout = '1';
    ch.TxFreq = "00435000000";
    ch.Memo = "memo";
    return ch;
}

void CheckScanners(std::string_view answer) {
    for (std::size_t count : {0, 1, 6, 16}) {
        const std::vector<std::string> digits = ScanDigits(answer, count);
        const std::vector<std::string> text = ScanText(answer, count);
        Require(digits.size() == count && text.size() == count, "a scanner gives exactly its count of fields");
        for (std::size_t k = 0; k < count; ++k) {
            Require(IsDigits(digits[k]), "a digit field holds digits only");
            Require(text[k].find(',') == std::string::npos, "a text field holds no ','");
            Require(digits[k].size() <= text[k].size(), "a digit field is its text field's digits");
        }
    }
}

void CheckMemoryAnswer(std::string_view answer) {
    const MemoryChannel before = ShiftedChannel();
    MemoryChannel ch = before;
    if (!Parsed([&] { ParseMR(answer, ch); })) {
        Require(ch == before, "a failed MR answer leaves the channel as it was");
        return;
    }
    MemoryChannel expected = before;
    expected.EmptyFlag = '1';
    if (ch == expected)
        return; // no MR answer: only the row is marked empty
    Require(ch.EmptyFlag == '0', "an MR answer gives a used channel");
    Require(ch.Name == before.Name && ch.TxFreq == before.TxFreq && ch.Memo == before.Memo,
            "an MR answer leaves the name, the split frequency and the memo");
    Require(IsDigits(ch.RxFreq.view()) && IsDigits(ch.ToneCode.view()) && IsDigits(ch.CtcssCode.view()) &&
                IsDigits(ch.Offset.view()),
            "MR digit fields hold digits only");
    for (std::size_t row : kRows) {
        MemoryChannel again = before;
        const std::string reply = AsAnswer(BuildWriteChannel(row, ch), "MR");
        Require(Parsed([&] { ParseMR(reply, again); }), "a written channel reads");
        Require(again == ch, "a written channel reads back as itself");
    }
}

void CheckSplitAnswer(std::string_view answer) {
    const std::string tx = ParseMRSplit(answer);
    Require(IsDigits(tx), "a split frequency holds digits only");
    MemoryChannel ch = ShiftedChannel();
    ch.TxFreq = tx;
    for (std::size_t row : kRows)
        Require(ParseMRSplit(AsAnswer(BuildWriteSplit(row, ch), "MR")) == ch.TxFreq, "a split reads back");
}

void CheckNameAnswer(std::string_view answer) {
    const std::string name = ParseMNA(answer);
    Require(name.find(',') == std::string::npos, "a name holds no ','");
    MemoryChannel ch = ShiftedChannel();
    ch.Name = name;
    for (std::size_t row : kRows)
        Require(ParseMNA(BuildWriteName(row, ch)) == ch.Name, "a name reads back");
}

void CheckVfoAnswer(std::string_view answer) {
    const VfoRecord before = DefaultVfos()[2];
    VfoRecord vfo = before;
    if (!Parsed([&] { ParseVR(answer, vfo); })) {
        Require(vfo == before, "a failed VR answer leaves the VFO as it was");
        return;
    }
    VfoRecord lost = before;
    lost.VfoNo = 'B';
    if (vfo == lost)
        return; // no VR answer: only the selector is marked
    Require(vfo.Band == before.Band && vfo.LowerLimit == before.LowerLimit && vfo.UpperLimit == before.UpperLimit,
            "a VR answer leaves the band and its limits");
    Require(IsDigits(vfo.Freq.view()) && IsDigits(vfo.Offset.view()), "VR digit fields hold digits only");
    VfoRecord again = before;
    const std::string reply = AsAnswer(BuildVW(vfo), "VR");
    Require(Parsed([&] { ParseVR(reply, again); }), "a written VFO reads");
    Require(again == vfo, "a written VFO reads back as itself");
}

void CheckLimitsAnswer(std::string_view answer) {
    const VfoRecord before = DefaultVfos()[0];
    VfoRecord vfo = before;
    ParsePVLimits(answer, vfo);
    Require(vfo.LowerLimit == TextAt(answer, 6, 5) && vfo.UpperLimit == TextAt(answer, 12, 5),
            "the limits are read by position");
    VfoRecord unchanged = vfo;
    unchanged.LowerLimit = before.LowerLimit;
    unchanged.UpperLimit = before.UpperLimit;
    Require(unchanged == before, "a PV answer changes the limits only");
    // Only limits of full width keep the positions a written command gives them.
    if (vfo.LowerLimit.size() != 5 || vfo.UpperLimit.size() != 5)
        return;
    VfoRecord again = before;
    ParsePVLimits(BuildWriteLimits(vfo), again);
    Require(again == vfo, "written limits read back");
}

void CheckTextAt(std::string_view answer) {
    for (std::size_t from : {std::size_t{0}, std::size_t{1}, std::size_t{6}, answer.size(), answer.size() + 1}) {
        for (std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{5}, std::string_view::npos}) {
            const std::string_view text = TextAt(answer, from, count);
            Require(text.size() <= count, "TextAt gives at most its count");
            Require(text.empty() ||
                        (text.data() == answer.data() + from - 1 && text.size() <= answer.size() - from + 1),
                    "TextAt gives the answer's own characters from its position on");
        }
    }
}

void CheckContains(std::string_view answer) {
    const std::string_view needle = answer.substr(0, 3);
    for (std::string_view word : {std::string_view{"TH-D7"}, needle, answer.substr(needle.size())}) {
        if (ContainsCp932(answer, word))
            Require(answer.find(word) != std::string_view::npos, "ContainsCp932 finds only what is there");
    }
    Require(ContainsCp932("ID " + std::string(answer), answer), "text after single-byte characters is found");
}

} // namespace
} // namespace zem::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer = zem::fuzz::AsText(data, size);
    zem::fuzz::CheckScanners(answer);
    zem::fuzz::CheckMemoryAnswer(answer);
    zem::fuzz::CheckSplitAnswer(answer);
    zem::fuzz::CheckNameAnswer(answer);
    zem::fuzz::CheckVfoAnswer(answer);
    zem::fuzz::CheckLimitsAnswer(answer);
    zem::fuzz::CheckTextAt(answer);
    zem::fuzz::CheckContains(answer);
    return 0;
}
