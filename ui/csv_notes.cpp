#include "csv_notes.h"

#include "prompts.h"

#include <QStringList>

#include <algorithm>

namespace zem {

void ShowCsvNotes(Prompts& prompts, QWidget* owner, const QString& heading, const std::vector<ChannelCsvNote>& notes,
                  std::size_t moreNotes, const QString& caption) {
    if (notes.empty())
        return;
    QStringList lines{heading};
    for (std::size_t k = 0; k < notes.size() && k < kShownNotes; ++k)
        lines << ShownInMessage(QString::fromStdString(FormatChannelCsvNote(notes[k])));
    const std::size_t unshown = notes.size() - std::min(notes.size(), kShownNotes) + moreNotes;
    if (unshown > 0)
        lines << QStringLiteral("ほか %1 行").arg(unshown);
    prompts.Message(owner, lines.join(QLatin1Char('\n')), caption);
}

} // namespace zem
