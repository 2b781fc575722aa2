#pragma once

#include "model/sweep_range.h"
#include "model/transfer_outcome.h"
#include "session/radio_session.h"

#include <QString>

#include <cstddef>

class QCoreApplication;
class QLocale;

namespace zem {

// What the window and the tool both say about the radio, written once. The source texts are the
// tool's English; the session's translation gives the window's Japanese, and the tool's under a
// Japanese locale. Where a front end adds a pointer of its own (the window's menu, the tool's
// command), it adds it after these.

// Installs the session's translation for `locale` into `app`. False when there is none for it: the
// texts then stay in English, their source language.
bool InstallSessionTranslation(QCoreApplication& app, const QLocale& locale);

// A result lists this many rows; a count says how many there are in all.
inline constexpr std::size_t kListedRows = 5;

// The verdict of a check the radio answered: "a TH-D7" / "not a TH-D7", "modified" / "not modified".
QString CheckVerdict(Check check, bool yes);
// A check the radio did not answer, and what to look at. In the tool's English it follows the
// command's name, hence its small letter.
QString NoAnswerText();
// A transfer the radio fell silent in; the tool adds where it stopped.
QString SilentTransferText();
// Why a row was kept as it was or counted as an error.
QString FaultText(RowFault fault);
// How many places of a read-back differ from what was written.
QString DifferingText(std::size_t places);
// The read-back's verdict below a write's result: the count and the first kListedRows differences,
// and how many rows went unchecked because the radio did not answer them.
QString VerifyText(const VerifyResult& verify);
// Why a sweep range is refused; empty for none.
QString SweepRefusalText(SweepRefusal refusal);
// A step of a sweep whose S-meter could not be read, and how many of them a sweep had.
QString UnreadReadingText();
QString UnreadStepsText(long steps);
// A sweep the radio fell silent in; the tool adds how many passes it kept.
QString SilentSweepText();

} // namespace zem
