#include "command_text.h"

#include "codecs.h"
#include "conversion_error.h"
#include "cp932.h"

#include <algorithm>

namespace zem {
namespace {

std::vector<std::string> Scan(std::string_view response, std::size_t count, bool digitsOnly) {
    std::vector<std::string> fields(count);
    std::size_t field = 0;
    for (char c : response) {
        if (c == ',') {
            ++field;
            continue;
        }
        if (field >= count)
            continue;
        if (!digitsOnly || (c >= '0' && c <= '9'))
            fields[field] += c;
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

// The ",," pairs leave the positions the read answers carry but the program ignores, so a written
// row numbers its fields like the answer to a read.
std::string RadioFields(const MemoryChannel& ch) {
    std::string s;
    s += ch.RxFreq.view();
    s += {',', ch.Step, ',', ch.Shift, ',', ch.Reverse, ',', ch.ToneOn, ',', ch.CtcssOn, ',', ','};
    s += ch.ToneCode.view();
    s += ",,";
    s += ch.CtcssCode.view();
    s += ',';
    s += ch.Offset.view();
    s += {',', ch.Mode, ',', ch.Lockout};
    return s;
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
    return "MW 0,0," + ChannelAddress(row) + "," + RadioFields(ch) + "\r";
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
    std::string s = "VW ";
    s += {v.VfoNo, ','};
    s += v.Freq.view();
    s += {',', v.Step, ',', v.Shift, ',', v.Reverse, ',', v.ToneOn, ',', v.CtcssOn, ',', ','};
    s += v.ToneCode.view();
    s += ",,";
    s += v.CtcssCode.view();
    s += ',';
    s += v.Offset.view();
    s += {',', v.Mode};
    return s;
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
    parsed.RxFreq = std::string_view(f[3]).substr(0, 11);
    parsed.Step = CodeField(f[4]);
    parsed.Shift = CodeField(f[5]);
    parsed.Reverse = CodeField(f[6]);
    parsed.ToneOn = CodeField(f[7]);
    parsed.CtcssOn = CodeField(f[8]);
    parsed.ToneCode = std::string_view(f[10]).substr(0, 2);
    parsed.CtcssCode = std::string_view(f[12]).substr(0, 2);
    parsed.Offset = std::string_view(f[13]).substr(0, 9);
    parsed.Mode = CodeField(f[14]);
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
    parsed.Freq = std::string_view(f[1]).substr(0, 11);
    parsed.Step = CodeField(f[2]);
    parsed.Shift = CodeField(f[3]);
    parsed.Reverse = CodeField(f[4]);
    parsed.ToneOn = CodeField(f[5]);
    parsed.CtcssOn = CodeField(f[6]);
    parsed.ToneCode = std::string_view(f[8]).substr(0, 2);
    parsed.CtcssCode = std::string_view(f[10]).substr(0, 2);
    parsed.Offset = std::string_view(f[11]).substr(0, 9);
    parsed.Mode = CodeField(f[12]);
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
