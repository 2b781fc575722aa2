#include "channel_search.h"

#include "model/codecs.h"
#include "model/conversion_error.h"
#include "model/cp932.h"

#include <algorithm>

namespace zem {
namespace {

// NFKC makes half-width kana full-width and full-width letters and digits plain.
QString Folded(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

QString Shown(const auto& field) {
    return Folded(QString::fromStdString(Cp932ToUtf8(field.view())));
}

bool SameHz(const auto& digits, long long hz) {
    const std::optional<long long> value = DigitsValue(digits.view(), 11);
    return value && *value == hz;
}

} // namespace

ChannelQuery::ChannelQuery(const QString& text) : folded_(Folded(text.trimmed())) {
    // A frequency copied from the grid carries its unit.
    QString number = folded_;
    if (number.endsWith(QLatin1String("mhz")))
        number.chop(3);
    try {
        if (!number.isEmpty())
            hz_ = MhzToHz(number.toStdString());
    } catch (const ConversionError&) {
        // Not a frequency: the text is looked for in names and memos only.
    }
}

bool ChannelQuery::Matches(const MemoryChannel& ch) const {
    if (IsEmptyRow(ch) || Empty())
        return false;
    if (hz_ && (SameHz(ch.RxFreq, *hz_) || (IsSplit(ch) && SameHz(ch.TxFreq, *hz_))))
        return true;
    return Shown(ch.Name).contains(folded_) || Shown(ch.Memo).contains(folded_);
}

std::optional<FoundRow> FindChannel(const ChannelTable& table, std::span<const std::size_t> rows,
                                    const ChannelQuery& query, std::optional<std::size_t> from, bool forward) {
    const auto n = static_cast<std::ptrdiff_t>(rows.size());
    if (n == 0)
        return std::nullopt;
    const std::ptrdiff_t step = forward ? 1 : -1;
    // The place of `from` among the rows, or the place just before the first one looked at.
    std::ptrdiff_t start = forward ? -1 : n;
    if (from) {
        const auto at = std::ranges::find(rows, *from);
        if (at != rows.end())
            start = at - rows.begin();
    }
    for (std::ptrdiff_t k = 1; k <= n; ++k) {
        const std::ptrdiff_t place = start + step * k;
        const std::ptrdiff_t wrappedPlace = ((place % n) + n) % n;
        const std::size_t row = rows[static_cast<std::size_t>(wrappedPlace)];
        if (query.Matches(table[row]))
            return FoundRow{row, place != wrappedPlace};
    }
    return std::nullopt;
}

} // namespace zem
