#include "tcomm_thread.h"

#include "model/answer_lines.h"
#include "model/command_text.h"

#include <string>

namespace zem {
namespace {

// Channels, L memories and U memories are three groups: each keeps the status texts and answers
// of its own commands, and they differ in how the row write is checked.
struct GroupRules {
    std::string_view reading; // the status text while a row is read, before its number
    std::string_view writing; // and while it is written
    bool scanMemory;          // L or U: the writing text comes before a clear, the transmit
                              // frequency after the row write, and the status bar shows the row
                              // write and the answers of the name and split writes
    bool purgeAfterRowWrite;  // L
    bool countLineFaults;     // U: a failed write or read of the row write counts too
};

constexpr GroupRules kChannels{"メモリ", "メモリ", false, false, false};
constexpr GroupRules kLowerMemories{"プログラマブルスキャンメモリL", "メモリL", true, true, false};
constexpr GroupRules kUpperMemories{"プログラマブルスキャンメモリU", "メモリU", true, false, true};

const GroupRules& RulesOf(std::size_t row) {
    if (row < kNumberedChannels)
        return kChannels;
    return (row - kNumberedChannels) % 2 == 0 ? kLowerMemories : kUpperMemories;
}

std::string Number(std::size_t row) {
    return row < kNumberedChannels ? std::to_string(row) : std::to_string((row - kNumberedChannels) / 2);
}

std::string ReadingText(std::size_t row) {
    return std::string(RulesOf(row).reading) + Number(row) + "番読み込み中";
}

std::string WritingText(std::size_t row) {
    return std::string(RulesOf(row).writing) + Number(row) + "番書き込み中";
}

// What an answer to a command on a row begins with: the command's word and the row's address.
std::string Head(std::string_view prefix, std::size_t row) {
    return std::string(prefix) + ChannelAddress(row);
}

// Frequencies are 11 digits; fewer means bytes of the answer were lost on the line.
bool IsWholeFrequency(std::string_view digits) {
    return digits.size() == 11;
}

} // namespace

// Only "N" says that a row is empty. Any other answer that does not name the row, or that does
// not parse, leaves the row as it was (the window's copy, memo included) and is counted: a
// garbled answer must not wipe a channel, nor may a late answer fill the next row with this one.
bool TCommThread::ReadRow(std::size_t row, MemoryChannel& ch) {
    const Answer channel = Ask(BuildReadChannel(row), BuildReadChannel(row), kEmptyChannelAnswer);
    if (!channel.line)
        return false;
    MemoryChannel read;
    read.Memo = ch.Memo; // the memo lives only in the program and survives every read
    if (*channel.line == kEmptyChannelAnswer) {
        read.EmptyFlag = '1';
        ch = read;
        return true;
    }
    if (!Parsed([&] { ParseMR(*channel.line, read); }))
        return false;
    if (!IsWholeFrequency(read.RxFreq.view()))
        return false;
    if (IsSplit(read)) {
        const Answer split = Ask(BuildReadSplit(row), BuildReadSplit(row));
        const std::string tx = split.line ? ParseMRSplit(*split.line) : std::string();
        if (!IsWholeFrequency(tx))
            return false;
        read.TxFreq = tx;
    }
    const Answer name = Ask(BuildReadName(row), BuildReadName(row));
    const std::string text = name.line ? ParseMNA(*name.line) : std::string();
    if (!name.line || HasControlChars(text))
        return false;
    read.Name = text;
    ch = read;
    return true;
}

long TCommThread::ReadChannels(const WriteMask& mask) {
    return ReadParts(
        mask.channels,
        [&](std::size_t row) {
            Status(ReadingText(row));
            return ReadRow(row, Image_.Channels[row]);
        },
        true);
}

void TCommThread::DoRead() {
    const long kept = Transfer(kChannelRows, [&] { return ReadChannels(WriteMask::All()); });
    Status("完了");
    Finish(kept);
}

// Every answer must be the command's own: its echo naming the row, or the bare echo word. A
// command the radio did not answer counts too: its echo check would otherwise be made on the
// previous command's answer and pass, and so would a late answer to the command before.
TCommThread::Attempt TCommThread::WriteRow(std::size_t row, const MemoryChannel& ch) {
    Attempt attempt;
    std::string response;
    const auto exchange = [&](const std::string& command, const std::string& head, std::string_view word) {
        Confirm(attempt, command, head, word, response);
    };
    const GroupRules& rules = RulesOf(row);
    const std::string writing = WritingText(row);
    const auto writeSplit = [&] { exchange(BuildWriteSplit(row, ch), Head("MW 0,1,", row), "MW"); };
    if (IsEmptyRow(ch)) {
        if (rules.scanMemory)
            Status(writing);
        exchange(BuildClearChannel(row), Head("MW 0,0,", row), "MW");
        if (!rules.scanMemory)
            Status(writing);
        return attempt;
    }
    if (!rules.scanMemory && IsSplit(ch))
        writeSplit();
    const std::string rowWrite = BuildWriteChannel(row, ch);
    const std::string head = Head("MW 0,0,", row);
    const DirectSendResult sent =
        DirectSend({rowWrite, head, rules.purgeAfterRowWrite, rules.scanMemory ? rowWrite : "", writing}, response);
    if (!sent.answered)
        ++attempt.errors;
    attempt.unanswered = attempt.unanswered || !sent.lineArrived;
    if (rules.countLineFaults)
        attempt.errors += (sent.writeOk ? 0 : 1) + (sent.lineArrived && !sent.readOk ? 1 : 0);
    exchange(BuildWriteName(row, ch), Head("MNA 0,", row), "MNA");
    if (rules.scanMemory)
        StatusCp932(response);
    if (rules.scanMemory && IsSplit(ch)) {
        writeSplit();
        StatusCp932(response);
    }
    return attempt;
}

long TCommThread::WriteChannels(const WriteMask& mask) {
    return WriteParts(
        mask.channels, [&](std::size_t row) { return WriteRow(row, Image_.Channels[row]); },
        [&](std::size_t row) {
            MemoryChannel stored = Image_.Channels[row];
            return ReadRow(row, stored) && SameOnRadio(row, stored, Image_.Channels[row]);
        });
}

void TCommThread::DoWrite() {
    const long errors = Transfer(kChannelRows, [&] { return WriteChannels(WriteMask::All()); });
    Status("完了 エラー数：" + std::to_string(errors));
    Finish(errors);
}

} // namespace zem
