#include "main_window.h"

#include "collation/japanese_collation.h"

#include "model/channel_sort.h"
#include "model/conversion_error.h"

namespace zem {

// A frequency that is not a number stops the sort part-way; the exchanges already made stay, as
// one step, so that the grid shows the order the table has. The one bad record is reported once,
// by the sort.
void TFormD7::S2Click() {
    ChannelTable channels = image_.Channels;
    try {
        SortByFrequency(channels);
    } catch (const ConversionError& e) {
        CommitChannels(channels, QStringLiteral("周波数でソート"), false);
        ShowError(QString::fromUtf8(e.what()));
        return;
    }
    CommitChannels(channels, QStringLiteral("周波数でソート"));
}

void TFormD7::N1Click() {
    ChannelTable channels = image_.Channels;
    SortByName(channels, CompareJapanese);
    CommitChannels(channels, QStringLiteral("名前でソート"));
}

void TFormD7::M4Click() {
    ChannelTable channels = image_.Channels;
    SortByMemo(channels, CompareJapanese);
    CommitChannels(channels, QStringLiteral("メモでソート"));
}

} // namespace zem
