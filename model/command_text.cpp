#include "command_text.h"

#include "codecs.h"
#include "conversion_error.h"
#include "cp932.h"
#include "text_lines.h"

#include <algorithm>
#include <tuple>

namespace zem {
namespace {

std::vector<std::string> Scan(std::string_view response, std::size_t count, bool digitsOnly) {
    const std::vector<std::string_view> parts = SplitAtCommas(response);
    std::vector<std::string> fields(count);
    for (std::size_t k = 0; k < count && k < parts.size(); ++k) {
        for (const char c : parts[k]) {
            if (!digitsOnly || (c >= '0' && c <= '9'))
                fields[k] += c;
        }
    }
    return fields;
}

// A one-character field of an answer: the digit of its integer value. The digit scanner leaves a
// whole number of any length; two significant digits are enough to give a number of two or more
// digits DigitChar's fallback, where reading them all would overflow into a conversion error.
char CodeField(std::string_view field) {
    if (field.empty())
        ThrowNotInteger(field);
    const std::size_t significant = std::min(field.find_first_not_of('0'), field.size() - 1);
    return DigitChar(ReadInteger(field.substr(significant, 2)));
}

bool Contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

// A position the read answers carry but the program ignores: written empty, skipped when read,
// so a written record numbers its fields like the answer to a read.
struct Ignored {};
constexpr Ignored kIgnored;

// A channel's receive frequency or a VFO's frequency.
template <typename Record> auto& FreqOf(Record& r) {
    if constexpr (requires { r.RxFreq; })
        return r.RxFreq;
    else
        return r.Freq;
}

// The tuning fields that MR/MW and VR/VW share, in the order of the commands, from the frequency
// to the mode: the one description their formatter and parser walk.
template <typename Record> auto TuningFields(Record& r) {
    return std::tie(FreqOf(r), r.Step, r.Shift, r.Reverse, r.ToneOn, r.CtcssOn, kIgnored, r.ToneCode, kIgnored,
                    r.CtcssCode, r.Offset, r.Mode);
}

void AppendField(std::string& s, char code) {
    s += code;
}
template <std::size_t N> void AppendField(std::string& s, const FixedText<N>& text) {
    s += text.view();
}
void AppendField(std::string&, const Ignored&) {}

void TakeField(const std::string& field, char& code) {
    code = CodeField(field);
}
template <std::size_t N> void TakeField(const std::string& field, FixedText<N>& text) {
    text = field; // digits beyond the field's width are cut, as the radio's own fields are
}
void TakeField(const std::string&, const Ignored&) {}

template <typename Record> std::string TuningText(const Record& r) {
    std::string s;
    std::apply(
        [&s](const auto&... field) {
            bool first = true;
            ((s += first ? "" : ",", first = false, AppendField(s, field)), ...);
        },
        TuningFields(r));
    return s;
}

// Reads the tuning fields from the digit fields of an answer, the frequency at `first`.
template <typename Record> void TakeTuning(const std::vector<std::string>& fields, std::size_t first, Record& r) {
    std::apply([&](auto&... field) { (TakeField(fields[first++], field), ...); }, TuningFields(r));
}

} // namespace

std::string ChannelAddress(std::size_t row) {
    if (row < kNumberedChannels)
        return ZeroPad(static_cast<long long>(row), 3);
    const std::size_t k = (row - kNumberedChannels) / 2;
    const char letter = (row - kNumberedChannels) % 2 == 0 ? 'L' : 'U';
    return std::string{letter, static_cast<char>('0' + k % 10)};
}

std::string RowLabel(std::size_t row) {
    return row < kNumberedChannels ? std::to_string(row) : ChannelAddress(row);
}

std::vector<std::string> ScanDigits(std::string_view response, std::size_t count) {
    return Scan(response, count, true);
}

std::vector<std::string> ScanText(std::string_view response, std::size_t count) {
    return Scan(response, count, false);
}

std::string BuildReadChannel(std::size_t row) {
    return "MR 0,0," + ChannelAddress(row);
}
std::string BuildReadSplit(std::size_t row) {
    return "MR 0,1," + ChannelAddress(row);
}
std::string BuildReadName(std::size_t row) {
    return "MNA 0," + ChannelAddress(row);
}

std::string BuildWriteChannel(std::size_t row, const MemoryChannel& ch) {
    return "MW 0,0," + ChannelAddress(row) + "," + TuningText(ch) + "," + ch.Lockout + "\r";
}

std::string BuildClearChannel(std::size_t row) {
    return "MW 0,0," + ChannelAddress(row);
}

std::string BuildWriteSplit(std::size_t row, const MemoryChannel& ch) {
    return "MW 0,1," + ChannelAddress(row) + "," + ch.TxFreq.str() + ",0";
}

std::string BuildWriteName(std::size_t row, const MemoryChannel& ch) {
    return "MNA 0," + ChannelAddress(row) + "," + ch.Name.str();
}

std::string BuildReadVfo(const VfoRecord& vfo) {
    return std::string("VR ") + vfo.VfoNo;
}

std::string BuildVW(const VfoRecord& v) {
    return std::string("VW ") + v.VfoNo + "," + TuningText(v);
}

std::string BuildReadLimits(const VfoRecord& vfo) {
    return std::string("PV ") + vfo.VfoNo;
}

std::string BuildWriteLimits(const VfoRecord& vfo) {
    return std::string("PV ") + vfo.VfoNo + "," + vfo.LowerLimit.str() + "," + vfo.UpperLimit.str();
}

void ParseMR(std::string_view response, MemoryChannel& ch) {
    if (!Contains(response, "MR")) {
        ch.EmptyFlag = '1';
        return;
    }
    const std::vector<std::string> f = ScanDigits(response, 16);
    MemoryChannel parsed = ch;
    TakeTuning(f, 3, parsed);
    parsed.Lockout = CodeField(f[15]);
    parsed.EmptyFlag = '0';
    ch = parsed;
}

std::string ParseMRSplit(std::string_view response) {
    if (!Contains(response, "MR 0,1"))
        return {};
    return ScanDigits(response, 6)[3];
}

std::string ParseMNA(std::string_view response) {
    if (!Contains(response, "MNA"))
        return {};
    return ScanText(response, 6)[2];
}

void ParseVR(std::string_view response, VfoRecord& vfo) {
    if (!Contains(response, "VR")) {
        vfo.VfoNo = 'B';
        return;
    }
    const std::vector<std::string> f = ScanDigits(response, 13);
    VfoRecord parsed = vfo;
    parsed.VfoNo = CodeField(f[0]);
    TakeTuning(f, 1, parsed);
    vfo = parsed;
}

std::string_view TextAt(std::string_view text, std::size_t from, std::size_t count) {
    if (from == 0 || from > text.size())
        return {};
    return text.substr(from - 1, count);
}

void ParsePVLimits(std::string_view response, VfoRecord& vfo) {
    vfo.LowerLimit = TextAt(response, 6, 5);
    vfo.UpperLimit = TextAt(response, 12, 5);
}

bool ContainsCp932(std::string_view haystack, std::string_view needle) {
    for (std::size_t i = 0; i + needle.size() <= haystack.size();) {
        if (haystack.substr(i, needle.size()) == needle)
            return true;
        i += IsCp932LeadByte(static_cast<unsigned char>(haystack[i])) ? 2 : 1;
    }
    return false;
}

} // namespace zem
