#pragma once

#include "fixed_text.h"

#include <array>
#include <cstddef>

namespace zem {

// Every field is kept in the radio's own text form: frequencies are 11 digits of Hz, offsets 9
// digits of Hz, band limits 5 digits of MHz, flags '1'/'0', list choices one digit. Only the
// grids and editors turn them into numbers.

struct MemoryChannel {
    char EmptyFlag = 0; // '1' empty row, '0' used
    FixedText<11> RxFreq;
    char Step = 0;
    char Shift = 0; // '0' simplex, '1' plus, '2' minus
    char Reverse = 0;
    char ToneOn = 0;
    char CtcssOn = 0;
    FixedText<2> ToneCode;
    FixedText<2> CtcssCode;
    FixedText<9> Offset; // empty marks a split channel
    char Mode = 0;       // '0' FM, '1' AM
    FixedText<11> TxFreq;
    FixedText<8> Name;
    char Lockout = 0;
    FixedText<250> Memo; // kept only by the program and the settings file, never on the radio
    char Reserved = 0;

    friend bool operator==(const MemoryChannel&, const MemoryChannel&) = default;
};

struct VfoRecord {
    char Band = 0; // '0' band A, '1' band B
    FixedText<11> Freq;
    char VfoNo = 0; // the radio's VFO selector
    FixedText<5> LowerLimit;
    FixedText<5> UpperLimit;
    char Step = 0;
    char Shift = 0;
    char Reverse = 0;
    char ToneOn = 0;
    char CtcssOn = 0;
    FixedText<2> ToneCode;
    FixedText<2> CtcssCode;
    FixedText<9> Offset;
    char Mode = 0;

    friend bool operator==(const VfoRecord&, const VfoRecord&) = default;
};

struct DtmfMemory {
    FixedText<16> Code;
    FixedText<8> Name;

    friend bool operator==(const DtmfMemory&, const DtmfMemory&) = default;
};

inline constexpr std::size_t kDtmfCount = 10;

// One field per radio menu command, named after the command.
struct RadioSettings {
    FixedText<8> MES;
    FixedText<2> CNT;
    char LAN = 0;
    FixedText<2> SV; // a one-character code held as text, as the radio reports it
    char APO = 0;
    std::array<DtmfMemory, kDtmfCount> Dtmf;
    char TSP = 0;
    char TXH = 0;
    char PT = 0;
    char DTB = 0;
    char DS = 0;
    char ARO = 0;
    char SCR = 0;
    char BEP = 0;
    char ELK = 0;
    char TXS = 0;
    FixedText<8> MYC;
    char GU = 0;
    FixedText<17> MP;
    FixedText<20> NMSG;
    char ICO = 0; // one hexadecimal digit '0' to 'E'
    char GM = 0;
    FixedText<3> GC;
    char TXI = 0;
    FixedText<32> PP;
    FixedText<8> SMY;
    char MAC = 0;
    FixedText<9> SMSG;
    char SMC = 0;
    FixedText<10> RSV;
    char RSC = 0;
    char VCS = 0;

    friend bool operator==(const RadioSettings&, const RadioSettings&) = default;
};

// Rows 0..149 are the channels 000..149; row 150 + 2k is Lk and row 151 + 2k is Uk.
inline constexpr std::size_t kChannelRows = 170;
inline constexpr std::size_t kNumberedChannels = 150;
inline constexpr std::size_t kVfoCount = 6;

using ChannelTable = std::array<MemoryChannel, kChannelRows>;
using VfoTable = std::array<VfoRecord, kVfoCount>;

struct RadioImage {
    RadioSettings Settings;
    ChannelTable Channels;
    VfoTable Vfos;

    friend bool operator==(const RadioImage&, const RadioImage&) = default;
};

inline bool IsEmptyRow(const MemoryChannel& ch) {
    return ch.EmptyFlag == '1';
}
inline bool IsSplit(const MemoryChannel& ch) {
    return ch.Offset.empty();
}

// The program-scan memories Lk and Uk (k = 0..9) follow the numbered channels in pairs.
constexpr std::size_t LowerScanRow(std::size_t k) {
    return kNumberedChannels + 2 * k;
}
constexpr std::size_t UpperScanRow(std::size_t k) {
    return kNumberedChannels + 2 * k + 1;
}

} // namespace zem
