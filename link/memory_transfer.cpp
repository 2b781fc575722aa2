#include "tcomm_thread.h"

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

bool Lacks(const std::string& response, std::string_view echo) {
    return response.find(echo) == std::string::npos;
}

} // namespace

// A row whose read the radio does not answer stays as it was (the window's copy) and is counted:
// taking the previous row's answer for it would copy that channel over this one without a word.
void TCommThread::DoRead() {
    long unanswered = 0;
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        Progress(row, kChannelRows);
        Status(ReadingText(row));
        MemoryChannel& ch = Image.Channels[row];
        std::string answer;
        if (!Exchange(BuildReadChannel(row), answer)) {
            ++unanswered;
            continue;
        }
        MemoryChannel read;
        read.Memo = ch.Memo; // the memo lives only in the program and survives every read
        try {
            ParseMR(answer, read);
        } catch (const ConversionError& e) {
            // A garbled answer: the row is taken as empty, as when the radio reports nothing.
            read.EmptyFlag = '1';
            Status(e.what());
        }
        if (!IsEmptyRow(read)) {
            if (IsSplit(read)) {
                answer.clear();
                unanswered += Exchange(BuildReadSplit(row), answer) ? 0 : 1;
                read.TxFreq = ParseMRSplit(answer);
            }
            answer.clear();
            unanswered += Exchange(BuildReadName(row), answer) ? 0 : 1;
            read.Name = ParseMNA(answer);
        }
        ch = read;
    }
    Progress(kChannelRows, kChannelRows);
    Status("完了");
    Finish(kMsgMemoryRead, unanswered);
}

// Every answer must carry its echo. A command the radio did not answer counts too: its echo check
// would otherwise be made on the previous command's answer and pass.
void TCommThread::DoWrite() {
    long errors = 0;
    std::string response;
    const auto exchange = [&](const std::string& command, std::string_view echo) {
        if (!Exchange(command, response) || Lacks(response, echo))
            ++errors;
    };
    for (std::size_t row = 0; row < kChannelRows; ++row) {
        Progress(row, kChannelRows);
        const MemoryChannel& ch = Image.Channels[row];
        const Group group = GroupOf(row);
        if (IsEmptyRow(ch)) {
            if (group != Group::Channel)
                Status(WritingText(row));
            exchange(BuildClearChannel(row), "MW");
            if (group == Group::Channel)
                Status(WritingText(row));
            continue;
        }
        // Channels take their transmit frequency before the row write, L and U memories after it.
        if (group == Group::Channel && IsSplit(ch))
            exchange(BuildWriteSplit(row, ch), "MW");
        const std::string rowWrite = BuildWriteChannel(row, ch);
        const std::string shownCommand = group == Group::Channel ? std::string() : rowWrite;
        const DirectSendResult sent =
            DirectSend(rowWrite, 80, group == Group::Lower, shownCommand, WritingText(row), response);
        if (!sent.lineArrived || Lacks(response, "MW"))
            ++errors;
        // U memories also count a failed write or read of the row write.
        if (group == Group::Upper)
            errors += (sent.writeOk ? 0 : 1) + (sent.lineArrived && !sent.readOk ? 1 : 0);
        exchange(BuildWriteName(row, ch), "MNA");
        if (group != Group::Channel)
            StatusCp932(response);
        if (group != Group::Channel && IsSplit(ch)) {
            exchange(BuildWriteSplit(row, ch), "MW");
            StatusCp932(response);
        }
    }
    Progress(kChannelRows, kChannelRows);
    Status("完了 エラー数：" + std::to_string(errors));
    Finish(kMsgMemoryWritten, errors);
}

} // namespace zem
