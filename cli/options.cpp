#include "options.h"

#include "session/radio_session.h"

namespace cli {
namespace {

Option Required(const QCommandLineOption& option) {
    return {option, true};
}

Option Optional(const QCommandLineOption& option) {
    return {option, false};
}

Option Output(const QString& what, const QString& valueName) {
    return Required(
        {{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("The %1 to write.").arg(what), valueName});
}

Option Base(const QString& kept) {
    return Optional({QStringLiteral("into"),
                     QStringLiteral("Start from this settings file%1 instead of the start-up image.").arg(kept),
                     QStringLiteral("BASE.zem")});
}

Option Only(const QString& verb) {
    return Optional({QStringLiteral("only"),
                     QStringLiteral("%1 only these: %2.").arg(verb, kBlockNames.join(QStringLiteral(", "))),
                     QStringLiteral("LIST")});
}

} // namespace

const QStringList kBlockNames{QStringLiteral("memory"), QStringLiteral("vfo"), QStringLiteral("settings")};

const Option kPortOption = Required(
    {QStringLiteral("port"), QStringLiteral("The radio's port: a device path (/dev/ttyUSB0), com1 to com4, or sim."),
     QStringLiteral("PORT")});
const Option kTimeoutOption = Optional({QStringLiteral("timeout"),
                                        QStringLiteral("Longest wait for each answer of the radio, in ms (default %1).")
                                            .arg(zem::kDefaultExchangeTimeout.count()),
                                        QStringLiteral("MS")});
const Option kFastOption =
    Optional({QStringLiteral("fast"),
              QStringLiteral("Take each answer as soon as it has ended instead of after %1 ms of silence.")
                  .arg(zem::kAnswerInterval.count())});

const Option kOutputOption = Output(QStringLiteral("settings file"), QStringLiteral("OUT.zem"));
const Option kCsvOutputOption = Output(QStringLiteral("CSV file"), QStringLiteral("OUT.csv"));
const Option kPdfOutputOption = Output(QStringLiteral("PDF file"), QStringLiteral("OUT.pdf"));

const Option kBaseOption = Base({});
const Option kMemoBaseOption = Base(QStringLiteral(" (its memos are kept)"));

const Option kReadBlocksOption = Only(QStringLiteral("Read"));
const Option kWriteBlocksOption = Only(QStringLiteral("Write"));
const Option kCompareBlocksOption = Only(QStringLiteral("Compare"));

const Option kNewOption =
    Optional({QStringLiteral("new"), QStringLiteral("Print the start-up image instead of a file.")});
const Option kNoMemoOption =
    Optional({QStringLiteral("no-memo"), QStringLiteral("Leave the memos out, as a radio has none.")});
const Option kVerifyOption =
    Optional({QStringLiteral("verify"),
              QStringLiteral("Read the written blocks back and print each row, VFO and setting whose answer "
                             "differs from the file (memos aside), as diff prints them; exit status 1 if any.")});

const Option kChangedOption = Optional(
    {QStringLiteral("changed"),
     QStringLiteral("Read the radio first (--fast applies), then write only the channels, scan memories, VFOs, "
                    "settings and DTMF memories the file holds otherwise, and read those back.")});

const Option kDryRunOption = Optional(
    {QStringLiteral("dry-run"),
     QStringLiteral("With --changed: read what is needed and print what would change on the radio, one line per "
                    "item, without writing anything.")});

const Option kForceOption = Optional(
    {QStringLiteral("force"),
     QStringLiteral("Write settings even when the file's MENU line was read with a warning (by position, or one of "
                    "several ways).")});

const Option kNoBackupOption =
    Optional({QStringLiteral("no-backup"),
              QStringLiteral("Do not read a block first when this connection has not read it, so the history "
                             "keeps nothing of what the write replaces.")});

const Option kRadioBaseOption = Optional(
    {QStringLiteral("base"),
     QStringLiteral("With --changed: take FILE as what the radio holds instead of reading it (\"last\": the newest "
                    "history entry of this port), write only what differs and read that back."),
     QStringLiteral("FILE")});

const Option kLowerOption =
    Required({QStringLiteral("lower"), QStringLiteral("Lower edge in MHz."), QStringLiteral("MHZ")});
const Option kUpperOption =
    Required({QStringLiteral("upper"), QStringLiteral("Upper edge in MHz."), QStringLiteral("MHZ")});
const Option kStepOption =
    Required({QStringLiteral("step"), QStringLiteral("Step code 0-9 (5 kHz ... 100 kHz; 5 is 20 kHz)."),
              QStringLiteral("CODE")});
const Option kPassesOption =
    Required({QStringLiteral("passes"), QStringLiteral("Number of passes to sweep."), QStringLiteral("N")});
const Option kStoreOption =
    Optional({QStringLiteral("store"), QStringLiteral("Also write each pass with its date and time to FILE."),
              QStringLiteral("FILE")});

} // namespace cli
