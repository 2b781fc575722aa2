#include "tcomm_thread.h"

#include "model/answer_lines.h"
#include "model/command_text.h"
#include "model/conversion_error.h"

#include <string>

namespace zem {
namespace {

// Channels, L memories and U memories are three groups: each keeps the answers of its own
// commands, and they differ in how the row write is checked.
enum class Group { Channel, Lower, Upper };

Group GroupOf(std::size_t row) {
    if (row < kNumberedChannels)
        return Group::Channel;
    return (row - kNumberedChannels) % 2 == 0 ? Group::Lower : Group::Upper;
}

std::string Number(std::size_t row) {
    return row < kNumberedChannels ? std::to_string(row) : std::to_string((row - kNumberedChannels) / 2);
}

std::string ReadingText(std::size_t row) {
    switch (GroupOf(row)) {
    case Group::Channel:
        return "メモリ" + Number(row) + "番読み込み中";
    case Group::Lower:
        return "プログラマブルスキャンメモリL" + Number(row) + "番読み込み中";
    case Group::Upper:
        return "プログラマブルスキャンメモリU" + Number(row) + "番読み込み中";
    }
    return {};
}

std::string WritingText(std::size_t row) {
    switch (GroupOf(row)) {
    case Group::Channel:
        return "メモリ" + Number(row) + "番書き込み中";
    case Group::Lower:
        return "メモリL" + Number(row) + "番書き込み中";
    case Group::Upper:
        return "メモリU" + Number(row) + "番書き込み中";
    }
    return {};
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
    try {
        ParseMR(*channel.line, read);
    } catch (const ConversionError& e) {
        Status(e.what());
        return false;
    }
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

void TCommThread::DoRead() {
    long kept = 0;
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        Progress(row, kChannelRows);
        Status(ReadingText(row));
        if (!ReadRow(row, Image.Channels[row]))
            ++kept;
    }
    Progress(kChannelRows, kChannelRows);
    Status("完了");
    Finish(kMsgMemoryRead, kept);
}

// Every answer must be the command's own: its echo naming the row, or the bare echo word. A
// command the radio did not answer counts too: its echo check would otherwise be made on the
// previous command's answer and pass, and so would a late answer to the command before.
void TCommThread::DoWrite() {
    long errors = 0;
    std::string response;
    const auto exchange = [&](const std::string& command, const std::string& head, std::string_view word) {
        errors += Confirmed(command, head, word, response) ? 0 : 1;
    };
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        Progress(row, kChannelRows);
        const MemoryChannel& ch = Image.Channels[row];
        const Group group = GroupOf(row);
        if (IsEmptyRow(ch)) {
            if (group != Group::Channel)
                Status(WritingText(row));
            exchange(BuildClearChannel(row), Head("MW 0,0,", row), "MW");
            if (group == Group::Channel)
                Status(WritingText(row));
            continue;
        }
        // Channels take their transmit frequency before the row write, L and U memories after it.
        if (group == Group::Channel && IsSplit(ch))
            exchange(BuildWriteSplit(row, ch), Head("MW 0,1,", row), "MW");
        const std::string rowWrite = BuildWriteChannel(row, ch);
        const std::string shownCommand = group == Group::Channel ? std::string() : rowWrite;
        const DirectSendResult sent = DirectSend(rowWrite, 80, group == Group::Lower, shownCommand, WritingText(row),
                                                 Head("MW 0,0,", row), response);
        if (!sent.answered)
            ++errors;
        // U memories also count a failed write or read of the row write.
        if (group == Group::Upper)
            errors += (sent.writeOk ? 0 : 1) + (sent.lineArrived && !sent.readOk ? 1 : 0);
        exchange(BuildWriteName(row, ch), Head("MNA 0,", row), "MNA");
        if (group != Group::Channel)
            StatusCp932(response);
        if (group != Group::Channel && IsSplit(ch)) {
            exchange(BuildWriteSplit(row, ch), Head("MW 0,1,", row), "MW");
            StatusCp932(response);
        }
    }
    Progress(kChannelRows, kChannelRows);
    Status("完了 エラー数：" + std::to_string(errors));
    Finish(kMsgMemoryWritten, errors);
}

} // namespace zem
