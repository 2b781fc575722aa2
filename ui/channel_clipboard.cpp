#include "channel_clipboard.h"

#include "model/csv_fields.h"
#include "model/csv_import.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QStringList>

#include <algorithm>
#include <tuple>

namespace zem {
namespace {

using M = MemoryChannel;
// Every field, Reserved and Memo included: a paste inside the program gives back what was copied.
constexpr std::tuple kFields{&M::EmptyFlag, &M::RxFreq,   &M::Step,      &M::Shift,   &M::Reverse, &M::ToneOn,
                             &M::CtcssOn,   &M::ToneCode, &M::CtcssCode, &M::Offset,  &M::Mode,    &M::TxFreq,
                             &M::Name,      &M::Lockout,  &M::Memo,      &M::Reserved};

void Write(QDataStream& out, char c) {
    out << static_cast<qint8>(c);
}
template <std::size_t N> void Write(QDataStream& out, const FixedText<N>& text) {
    out << QByteArray(text.view().data(), static_cast<qsizetype>(text.size()));
}

bool Read(QDataStream& in, char& c) {
    qint8 value = 0;
    in >> value;
    c = static_cast<char>(value);
    return in.status() == QDataStream::Ok;
}
template <std::size_t N> bool Read(QDataStream& in, FixedText<N>& text) {
    QByteArray bytes;
    in >> bytes;
    if (in.status() != QDataStream::Ok || static_cast<std::size_t>(bytes.size()) > N)
        return false;
    text = std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

std::optional<std::vector<MemoryChannel>> DecodeRows(const QByteArray& bytes) {
    QDataStream in(bytes);
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok || count > kChannelRows)
        return std::nullopt;
    std::vector<MemoryChannel> rows(count);
    for (MemoryChannel& ch : rows) {
        const bool whole = std::apply([&](auto... field) { return (Read(in, ch.*field) && ...); }, kFields);
        if (!whole)
            return std::nullopt;
    }
    return in.atEnd() ? std::optional(rows) : std::nullopt;
}

// Cells copied from a spreadsheet come tab-separated; the CSV reader takes them once each line is
// written as a CSV record.
std::string TabsToCsv(const QString& text) {
    std::string csv;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        std::vector<std::string> fields;
        for (const QString& field : QString(line).remove(QLatin1Char('\r')).split(QLatin1Char('\t')))
            fields.push_back(field.toStdString());
        csv += FormatCsvRecord(fields);
    }
    return csv;
}

} // namespace

std::unique_ptr<QMimeData> ChannelRowsMimeData(const ChannelTable& channels, std::span<const std::size_t> rows) {
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(ExportChannelCsvRows(channels, rows).text));
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << static_cast<quint32>(rows.size());
    for (std::size_t row : rows)
        std::apply([&](auto... field) { (Write(out, channels[row].*field), ...); }, kFields);
    data->setData(QString::fromLatin1(kChannelRowsMimeType), bytes);
    return data;
}

ClipboardRows ChannelRowsFromMimeData(const QMimeData& data) {
    ClipboardRows result;
    if (data.hasFormat(QString::fromLatin1(kChannelRowsMimeType))) {
        if (auto rows = DecodeRows(data.data(QString::fromLatin1(kChannelRowsMimeType)))) {
            result.channels.assign(rows->begin(), rows->end());
            return result;
        }
    }
    const QString text = data.text();
    const QStringList lines = text.split(QLatin1Char('\n'));
    const auto filled = std::ranges::find_if(lines, [](const QString& line) { return !line.trimmed().isEmpty(); });
    const QString firstLine = filled == lines.end() ? QString() : *filled;
    const bool tabs = firstLine.contains(QLatin1Char('\t')) && !firstLine.contains(QLatin1Char(','));
    const std::string csv = tabs ? TabsToCsv(text) : text.toStdString();
    const std::string first = tabs ? TabsToCsv(firstLine) : firstLine.toStdString();
    // Text without a header is either the program's own `MHz,name,memo` lines or rows of the
    // channel layout in its column order.
    ChannelCsvRows read = NamesChannelColumns(first)      ? ReadChannelCsvRows(csv)
                          : IsHeaderlessChannelRow(first) ? ReadChannelCsvRows(csv, true)
                                                          : ReadCsvLineRows(csv);
    if (read.error) {
        result.error = QStringLiteral("クリップボードの内容はチャンネルの表ではありません（%1）")
                           .arg(QString::fromStdString(*read.error));
        return result;
    }
    // Blank or refused rows at the end have no row to keep in place.
    while (!read.channels.empty() && !read.channels.back())
        read.channels.pop_back();
    result.channels = std::move(read.channels);
    result.notes = std::move(read.notes);
    result.moreNotes = read.moreNotes;
    return result;
}

} // namespace zem
