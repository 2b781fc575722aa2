#include "scope_storage.h"

#include "model/cp932.h"

#include <QLocale>

namespace zem {
namespace {

// The locale's long time format without its time-zone fields ('t', outside quoted text) and the
// blanks before them.
QString TimeFormatWithoutZone(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) {
            while (kept.endsWith(QLatin1Char(' ')) || kept.endsWith(QChar(0x00A0)) || kept.endsWith(QChar(0x202F)))
                kept.chop(1);
            continue;
        }
        kept += c;
    }
    return kept.trimmed();
}

} // namespace

std::string ScopeStorageLine(std::string_view digits, const QDateTime& when) {
    const QLocale locale = QLocale::system();
    const QString stamp = locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                          locale.toString(when.time(), TimeFormatWithoutZone(locale));
    return Utf8ToCp932Lossy(stamp.toStdString()) + ":" + std::string(digits) + "\r\n";
}

} // namespace zem
