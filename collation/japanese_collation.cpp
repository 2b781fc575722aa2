#include "japanese_collation.h"

#include "model/cp932.h"

#include <QCollator>
#include <QLocale>
#include <QString>

namespace zem {

int CompareJapanese(std::string_view a, std::string_view b) {
    thread_local const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Japanese, QLocale::Japan));
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    return collator.compare(QString::fromStdString(Cp932ToUtf8(a)), QString::fromStdString(Cp932ToUtf8(b)));
}

} // namespace zem
