#include "radio_texts.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <algorithm>

namespace zem {
namespace {

QString Text(const char* source) {
    return QCoreApplication::translate("session", source);
}

} // namespace

// The translation is built into the library (qt_add_translations), so it is there whenever the
// program is.
bool InstallSessionTranslation(QCoreApplication& app, const QLocale& locale) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(locale, QStringLiteral("zem_session"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QString CheckVerdict(Check check, bool yes) {
    switch (check) {
    case Check::Model:
        return yes ? Text(QT_TRANSLATE_NOOP("session", "a TH-D7")) : Text(QT_TRANSLATE_NOOP("session", "not a TH-D7"));
    case Check::Modification:
        return yes ? Text(QT_TRANSLATE_NOOP("session", "modified"))
                   : Text(QT_TRANSLATE_NOOP("session", "not modified"));
    }
    return {};
}

QString NoAnswerText() {
    return Text(
        QT_TRANSLATE_NOOP("session", "the radio did not answer. Check the port, the cable and the radio's power."));
}

QString SilentTransferText() {
    return Text(QT_TRANSLATE_NOOP("session", "The radio does not answer; stopped part-way"));
}

QString FaultText(RowFault fault) {
    switch (fault) {
    case RowFault::NoAnswer:
        return Text(QT_TRANSLATE_NOOP("session", "the radio did not answer"));
    case RowFault::Unreadable:
        return Text(QT_TRANSLATE_NOOP("session", "the radio's answer could not be read"));
    case RowFault::LineClosed:
        return Text(QT_TRANSLATE_NOOP("session", "the line was closed"));
    }
    return {};
}

QString DifferingText(std::size_t places) {
    return Text(QT_TRANSLATE_NOOP("session", "%1 places differ from what was written")).arg(places);
}

// A row the read-back got no answer for kept what was written and so compares equal: the count of
// those says how much went unchecked.
QString VerifyText(const VerifyResult& verify) {
    switch (verify.outcome) {
    case VerifyResult::Outcome::Disconnected:
        return Text(QT_TRANSLATE_NOOP("session", "Read-back: the link was closed, so nothing was read back."));
    case VerifyResult::Outcome::Refused:
        return Text(QT_TRANSLATE_NOOP(
            "session", "Read-back: the radio was busy with another operation, so nothing was read back."));
    case VerifyResult::Outcome::Compared:
        break;
    }
    const std::vector<RowDifference>& differences = verify.differences;
    QString text = differences.empty()
                       ? Text(QT_TRANSLATE_NOOP("session", "Read-back: no differences"))
                       : Text(QT_TRANSLATE_NOOP("session", "Read-back: %1")).arg(DifferingText(differences.size()));
    for (std::size_t i = 0; i < std::min(differences.size(), kListedRows); ++i)
        text += QLatin1Char('\n') + QString::fromStdString(DifferenceLine(differences[i]));
    if (differences.size() > kListedRows)
        text += QStringLiteral("\n…");
    if (verify.unread > 0)
        text += QLatin1Char('\n') +
                Text(QT_TRANSLATE_NOOP("session", "%1 rows were not answered by the radio and could not be compared."))
                    .arg(verify.unread);
    return text;
}

QString SweepRefusalText(SweepRefusal refusal) {
    switch (refusal) {
    case SweepRefusal::None:
        return {};
    case SweepRefusal::LowerAboveUpper:
        return Text(QT_TRANSLATE_NOOP("session", "the lower edge is above the upper edge"));
    case SweepRefusal::NoBand:
        return Text(QT_TRANSLATE_NOOP("session", "the frequency range is not valid."));
    case SweepRefusal::TooNarrow:
        // One step would put every reading at the same place, none would give passes without any.
        return Text(QT_TRANSLATE_NOOP("session", "the range must be at least two steps wide"));
    }
    return {};
}

QString UnreadReadingText() {
    return Text(QT_TRANSLATE_NOOP("session", "the S-meter could not be read"));
}

QString UnreadStepsText(long steps) {
    return Text(QT_TRANSLATE_NOOP("session", "the S-meter could not be read at %1 steps (recorded as %2)."))
        .arg(steps)
        .arg(QLatin1Char(kUnreadMark));
}

QString SilentSweepText() {
    return Text(QT_TRANSLATE_NOOP("session", "the radio does not answer; the sweep was stopped."));
}

} // namespace zem
