#include "tuning_layout.h"

#include "model/codecs.h"

#include <algorithm>

namespace zem::sim {
namespace {

bool IsOneOf(std::string_view value, std::string_view allowed) {
    return value.size() == 1 && allowed.find(value[0]) != std::string_view::npos;
}

// The tone table has 39 entries after the unused 00, so a code above 39 names nothing.
bool IsToneCode(std::string_view value) {
    return IsDigits(value, 2) && value <= "39";
}

// The layout shared by channels and VFOs, from the frequency to the mode.
template <class Record> std::string SharedFields(const Record& r, std::string_view freq) {
    std::string out;
    out.append(freq).append(",");
    for (char c : {r.Step, r.Shift, r.Reverse, r.ToneOn, r.CtcssOn})
        out.append(1, c).append(",");
    out.append(",").append(r.ToneCode.view()).append(",,").append(r.CtcssCode.view()).append(",");
    out.append(r.Offset.view()).append(",").append(1, r.Mode);
    return out;
}

template <class Record>
bool ParseShared(const std::vector<std::string_view>& f, bool offsetMayBeEmpty, Record& r, std::string& freq) {
    const bool offsetOk = IsDigits(f[10], 9) || (offsetMayBeEmpty && f[10].empty());
    if (!IsDigits(f[0], 11) || !IsOneOf(f[1], "0123456789") || !IsOneOf(f[2], "012") || !IsOneOf(f[3], "01") ||
        !IsOneOf(f[4], "01") || !IsOneOf(f[5], "01") || !f[6].empty() || !IsToneCode(f[7]) || !f[8].empty() ||
        !IsToneCode(f[9]) || !offsetOk || !IsOneOf(f[11], "01"))
        return false;
    freq = f[0];
    r.Step = f[1][0];
    r.Shift = f[2][0];
    r.Reverse = f[3][0];
    r.ToneOn = f[4][0];
    r.CtcssOn = f[5][0];
    r.ToneCode = f[7];
    r.CtcssCode = f[9];
    r.Offset = f[10];
    r.Mode = f[11][0];
    return true;
}

} // namespace

bool IsDigits(std::string_view text, std::size_t count) {
    return text.size() == count && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::size_t> RowOfAddress(std::string_view address) {
    if (IsDigits(address, 3)) {
        const auto n = static_cast<std::size_t>(*DigitsValue(address, 3));
        return n < kNumberedChannels ? std::optional(n) : std::nullopt;
    }
    if (address.size() == 2 && IsDigits(address.substr(1), 1) && (address[0] == 'L' || address[0] == 'U')) {
        const std::size_t k = static_cast<std::size_t>(address[1] - '0');
        return address[0] == 'L' ? LowerScanRow(k) : UpperScanRow(k);
    }
    return std::nullopt;
}

std::string ChannelFields(const MemoryChannel& channel) {
    return SharedFields(channel, channel.RxFreq.view()) + "," + channel.Lockout;
}

std::string VfoFields(const VfoRecord& vfo) {
    return SharedFields(vfo, vfo.Freq.view());
}

std::optional<MemoryChannel> ParseChannelFields(const std::vector<std::string_view>& fields, MemoryChannel base) {
    std::string freq;
    if (fields.size() != 13 || !IsOneOf(fields[12], "01") || !ParseShared(fields, true, base, freq))
        return std::nullopt;
    base.RxFreq = freq;
    base.Lockout = fields[12][0];
    base.EmptyFlag = '0';
    return base;
}

std::optional<VfoRecord> ParseVfoFields(const std::vector<std::string_view>& fields, VfoRecord base) {
    std::string freq;
    if (fields.size() != 12 || !ParseShared(fields, false, base, freq))
        return std::nullopt;
    base.Freq = freq;
    return base;
}

} // namespace zem::sim
