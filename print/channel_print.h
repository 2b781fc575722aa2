#pragma once

#include "model/records.h"

#include <QDateTime>
#include <QPageLayout>
#include <QString>

#include <string>

class QPagedPaintDevice;

namespace zem {

// What the top of every printed page names.
struct PrintHeader {
    QString fileName; // the settings file's name, or empty for a table never saved
    QDateTime printed;
};

// A4 portrait with 15 mm margins, for the printer and the PDF alike.
QPageLayout ChannelListPageLayout();

// The used channels (0..149, then L0..U9) as a table, one row each: number, frequency, shift or
// transmit frequency, offset, tones, mode, step, name, memo and lockout. Every page carries the
// header, the column headings and "page / pages" at its foot; a long memo wraps within its column.
// Paints from the device's current page on, in the device's page size.
void PaintChannelList(QPagedPaintDevice& device, const ChannelTable& channels, const PrintHeader& header);

// The same list as the bytes of an A4 portrait PDF, for the safe save to write.
std::string ChannelListPdf(const ChannelTable& channels, const PrintHeader& header);

} // namespace zem
