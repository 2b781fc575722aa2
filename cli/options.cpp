#include "options.h"

#include "console.h"

#include "session/radio_session.h"

#include <QCoreApplication>

namespace cli {
namespace {

Option Required(const QCommandLineOption& option) {
    return {option, true};
}

Option Optional(const QCommandLineOption& option) {
    return {option, false};
}

Option Output(const char* help, const QString& valueName) {
    return Required({{QStringLiteral("o"), QStringLiteral("output")}, Help(help), valueName});
}

Option Base(const char* help) {
    return Optional({QStringLiteral("into"), Help(help), QStringLiteral("BASE.zem")});
}

Option Only(const char* help) {
    return Optional({QStringLiteral("only"), Help(help), QStringLiteral("LIST")});
}

// The help texts name these values as they are; the translations compiled from the same texts do too.
static_assert(zem::kDefaultExchangeTimeout.count() == 1000);
static_assert(zem::kAnswerInterval.count() == 48);

} // namespace

const QStringList kBlockNames{QStringLiteral("memory"), QStringLiteral("vfo"), QStringLiteral("settings")};

const Option kPortOption =
    Required({QStringLiteral("port"),
              Help(QT_TRANSLATE_NOOP("cli", "The radio's port: a device path (/dev/ttyUSB0), com1 to com4, or sim.")),
              QStringLiteral("PORT")});
const Option kTimeoutOption =
    Optional({QStringLiteral("timeout"),
              Help(QT_TRANSLATE_NOOP("cli", "Longest wait for each answer of the radio, in ms (default 1000).")),
              QStringLiteral("MS")});
const Option kFastOption = Optional(
    {QStringLiteral("fast"),
     Help(QT_TRANSLATE_NOOP("cli", "Take each answer as soon as it has ended instead of after 48 ms of silence."))});
const Option kDoctorPortOption =
    Optional({QStringLiteral("port"),
              Help(QT_TRANSLATE_NOOP("cli", "The port to check: a device path (/dev/ttyUSB0), com1 to com4, or sim. "
                                            "Without it, every serial device present is tried in turn.")),
              QStringLiteral("PORT")});

const Option kOutputOption = Output(QT_TRANSLATE_NOOP("cli", "The settings file to write."), QStringLiteral("OUT.zem"));
const Option kCsvOutputOption = Output(QT_TRANSLATE_NOOP("cli", "The CSV file to write."), QStringLiteral("OUT.csv"));
const Option kPdfOutputOption = Output(QT_TRANSLATE_NOOP("cli", "The PDF file to write."), QStringLiteral("OUT.pdf"));

const Option kBaseOption =
    Base(QT_TRANSLATE_NOOP("cli", "Start from this settings file instead of the start-up image."));
const Option kMemoBaseOption =
    Base(QT_TRANSLATE_NOOP("cli", "Start from this settings file (its memos are kept) instead of the start-up image."));

const Option kReadBlocksOption = Only(QT_TRANSLATE_NOOP("cli", "Read only these: memory, vfo, settings."));
const Option kWriteBlocksOption = Only(QT_TRANSLATE_NOOP("cli", "Write only these: memory, vfo, settings."));
const Option kCompareBlocksOption = Only(QT_TRANSLATE_NOOP("cli", "Compare only these: memory, vfo, settings."));

const Option kNewOption =
    Optional({QStringLiteral("new"), Help(QT_TRANSLATE_NOOP("cli", "Print the start-up image instead of a file."))});
const Option kNoMemoOption =
    Optional({QStringLiteral("no-memo"), Help(QT_TRANSLATE_NOOP("cli", "Leave the memos out, as a radio has none."))});
const Option kVerifyOption =
    Optional({QStringLiteral("verify"),
              Help(QT_TRANSLATE_NOOP(
                  "cli", "Read the written blocks back and print each row, VFO and setting whose answer "
                         "differs from the file (memos aside), as diff prints them; exit status 1 if any."))});

const Option kChangedOption =
    Optional({QStringLiteral("changed"),
              Help(QT_TRANSLATE_NOOP(
                  "cli", "Read the radio first (--fast applies), then write only the channels, scan memories, VFOs, "
                         "settings and DTMF memories the file holds otherwise, and read those back."))});

const Option kDryRunOption =
    Optional({QStringLiteral("dry-run"),
              Help(QT_TRANSLATE_NOOP(
                  "cli", "With --changed: read what is needed and print what would change on the radio, one line per "
                         "item, without writing anything."))});

const Option kForceOption = Optional(
    {QStringLiteral("force"),
     Help(QT_TRANSLATE_NOOP(
         "cli", "Write settings even when the file's MENU line was read with a warning (by position, or one of "
                "several ways)."))});

const Option kNoBackupOption = Optional(
    {QStringLiteral("no-backup"),
     Help(QT_TRANSLATE_NOOP("cli", "Do not read a block first when this connection has not read it, so the history "
                                   "keeps nothing of what the write replaces."))});

const Option kRadioBaseOption = Optional(
    {QStringLiteral("base"),
     Help(QT_TRANSLATE_NOOP(
         "cli", "With --changed: take FILE as what the radio holds instead of reading it (\"last\": the newest "
                "history entry of this port), write only what differs and read that back.")),
     QStringLiteral("FILE")});

const Option kLowerOption =
    Required({QStringLiteral("lower"), Help(QT_TRANSLATE_NOOP("cli", "Lower edge in MHz.")), QStringLiteral("MHZ")});
const Option kUpperOption =
    Required({QStringLiteral("upper"), Help(QT_TRANSLATE_NOOP("cli", "Upper edge in MHz.")), QStringLiteral("MHZ")});
const Option kStepOption =
    Required({QStringLiteral("step"), Help(QT_TRANSLATE_NOOP("cli", "Step code 0-9 (5 kHz ... 100 kHz; 5 is 20 kHz).")),
              QStringLiteral("CODE")});
const Option kPassesOption = Required(
    {QStringLiteral("passes"), Help(QT_TRANSLATE_NOOP("cli", "Number of passes to sweep.")), QStringLiteral("N")});
const Option kStoreOption = Optional(
    {QStringLiteral("store"), Help(QT_TRANSLATE_NOOP("cli", "Also write each pass with its date and time to FILE.")),
     QStringLiteral("FILE")});

const Option kChannelsOption =
    Required({QStringLiteral("channels"),
              Help(QT_TRANSLATE_NOOP(
                  "cli", "The rows to change, as the grid labels them: numbers, L0-U9 and ranges (10-20,L0).")),
              QStringLiteral("LIST")});
const Option kStepKhzOption =
    Optional({QStringLiteral("step"),
              Help(QT_TRANSLATE_NOOP("cli", "Step in kHz: 5, 6.25, 10, 12.5, 15, 20, 25, 30, 50 or 100.")),
              QStringLiteral("KHZ")});
const Option kShiftOption =
    Optional({QStringLiteral("shift"), Help(QT_TRANSLATE_NOOP("cli", "simplex, + or - (not for split channels).")),
              QStringLiteral("SHIFT")});
const Option kOffsetOption =
    Optional({QStringLiteral("offset"), Help(QT_TRANSLATE_NOOP("cli", "Shift offset in MHz (not for split channels).")),
              QStringLiteral("MHZ")});
const Option kReverseOption =
    Optional({QStringLiteral("reverse"), Help(QT_TRANSLATE_NOOP("cli", "on or off (on not for split channels).")),
              QStringLiteral("ON")});
const Option kToneOption =
    Optional({QStringLiteral("tone"), Help(QT_TRANSLATE_NOOP("cli", "off, or the tone to send in Hz (88.5).")),
              QStringLiteral("HZ")});
const Option kCtcssOption = Optional(
    {QStringLiteral("ctcss"), Help(QT_TRANSLATE_NOOP("cli", "off, or the CTCSS tone in Hz.")), QStringLiteral("HZ")});
const Option kModeOption =
    Optional({QStringLiteral("mode"), Help(QT_TRANSLATE_NOOP("cli", "FM or AM (AM only between 118 and 135 MHz).")),
              QStringLiteral("MODE")});
const Option kLockoutOption =
    Optional({QStringLiteral("lockout"), Help(QT_TRANSLATE_NOOP("cli", "on or off.")), QStringLiteral("ON")});

} // namespace cli
