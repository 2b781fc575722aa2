#pragma once

#include "model/channel_csv.h"
#include "model/records.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QMimeData;

namespace zem {

// The program's own form of copied rows, beside the text: every field of every record byte for
// byte, empty rows and scan memories included, which the CSV text cannot carry.
inline constexpr const char* kChannelRowsMimeType = "application/x-zem-d7-channel-rows";

// The rows for the clipboard: the program's own form and the channel CSV text of export-csv
// (UTF-8, header first; empty rows left out). Throws ConversionError when a used row's
// frequency or offset cannot be written as a number.
std::unique_ptr<QMimeData> ChannelRowsMimeData(const ChannelTable& channels, std::span<const std::size_t> rows);

struct ClipboardRows {
    std::optional<QString> error;                       // nothing on the clipboard can be pasted; why, for the user
    std::vector<std::optional<MemoryChannel>> channels; // one per row from the first; nothing keeps its row
    std::vector<ChannelCsvNote> notes; // what the TH-D7 could not take from the text, at most kKeptNotes
    std::size_t moreNotes = 0;         // rows noted past those
};

// The rows on the clipboard: the program's own form when it is there, otherwise the text (comma-
// or tab-separated, as spreadsheets copy cells) in the channel CSV layout, with or without its
// header, or in the `MHz,name,memo` layout, read as the imports read them, each row in turn
// whatever its Location.
ClipboardRows ChannelRowsFromMimeData(const QMimeData& data);

} // namespace zem
