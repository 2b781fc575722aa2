#include "command_table.h"

#include "commands.h"
#include "console.h"

#include "model/channel_csv.h"

#include <QCoreApplication>

#include <initializer_list>

namespace cli {
namespace {

// The radio's options come first in the --help of every command that talks to it.
std::vector<const Option*> WithLink(std::initializer_list<const Option*> more) {
    std::vector<const Option*> options{&kPortOption, &kTimeoutOption, &kFastOption};
    options.insert(options.end(), more);
    return options;
}

Positional SettingsFile(const char* help, bool optional = false) {
    return {QStringLiteral("FILE.zem"), Help(help), optional};
}

} // namespace

// Built on first use: a description may come from the model's tables.
const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {QStringLiteral("show"),
         Help(QT_TRANSLATE_NOOP("cli", "print the image as the window's grids show it")),
         Help(QT_TRANSLATE_NOOP(
             "cli", "Print a settings file (or the start-up image) as the window's grids show it, tab-separated. "
                    "Control characters and the backslash inside a text are escaped: \\t, \\r, \\n, \\xNN, "
                    "\\\\.")),
         {&kNewOption},
         {SettingsFile(QT_TRANSLATE_NOOP("cli", "The settings file to print."), true)},
         &RunShow},
        {QStringLiteral("import-csv"),
         Help(QT_TRANSLATE_NOOP("cli", "fill channels from a CSV file")),
         Help(QT_TRANSLATE_NOOP(
             "cli",
             "Fill memory channels from a CSV file and save the result as a settings file. Two layouts are read:\n"
             "- lines of frequency in MHz, name and memo (CP932) fill channels 0, 1, 2, ... in turn; lines not taken "
             "(outside the receive bands, without ',', past channel 149) and names and memos cut are listed on "
             "standard error; nothing is written when a line's frequency is not a number;\n"
             "- the channel layout of general multi-radio programming tools (UTF-8, a first line naming the columns, "
             "Location and Frequency among them; see export-csv): each row fills the channel 0-149 its Location "
             "names. Rows and fields the TH-D7 cannot hold are listed on standard error, one line per row.\n"
             "Exit status: 0 every row taken whole, 1 written but some rows or fields not taken, 2 bad arguments or "
             "input (nothing written).")),
         {&kOutputOption, &kBaseOption},
         {{QStringLiteral("CSV"), Help(QT_TRANSLATE_NOOP("cli", "The CSV file to import."))}},
         &RunImportCsv},
        {QStringLiteral("diff"),
         Help(QT_TRANSLATE_NOOP("cli", "list what differs between two files")),
         Help(QT_TRANSLATE_NOOP(
             "cli",
             "Compare two settings files: one line per channel row, VFO, DTMF memory and setting that differs, its "
             "label, then for each differing field a TAB and \"NAME: A → B\" (a setting's line has just \"A → B\"), "
             "texts as the window shows them and escaped as show escapes them. Exit status 0 when the files are "
             "equal, 1 when they differ, 2 on bad input.")),
         {&kCompareBlocksOption, &kNoMemoOption},
         {{QStringLiteral("A.zem"), Help(QT_TRANSLATE_NOOP("cli", "The first settings file."))},
          {QStringLiteral("B.zem"), Help(QT_TRANSLATE_NOOP("cli", "The second settings file."))}},
         &RunDiff},
        {QStringLiteral("export-csv"),
         Help(QT_TRANSLATE_NOOP("cli", "write the channels in the CSV layout of general multi-radio tools")),
         Help(QT_TRANSLATE_NOOP(
             "cli",
             "Write the used memory channels 0-149 of a settings file as CSV in the channel layout of general "
             "multi-radio programming tools (UTF-8, lines ended CR LF), which import-csv reads back:\n%1\n"
             "The scan memories L0-U9 are not written. What the layout cannot carry (Reverse, a tone code naming no "
             "tone, a split channel's shift code, control characters and bytes that are not CP932 in names and "
             "memos) is left out and listed on standard error, one line per row. Exit status: 0 written whole, 1 "
             "written without the fields listed, 2 bad arguments or input (nothing written).")),
         {&kCsvOutputOption},
         {SettingsFile(QT_TRANSLATE_NOOP("cli", "The settings file to export."))},
         &RunExportCsv,
         false,
         QString::fromStdString(zem::ChannelCsvHeader())},
        {QStringLiteral("print"),
         Help(QT_TRANSLATE_NOOP("cli", "write the used channels as a PDF list")),
         Help(QT_TRANSLATE_NOOP(
             "cli", "Write the used memory channels (0-149, then L0-U9) of a settings file as a table in a PDF "
                    "file, A4 portrait, as the window's 印刷 and PDFに保存 make it: number, frequency, shift or "
                    "transmit frequency, offset, tones, mode, step, name, memo and lockout, with the file name "
                    "and date at the top of each page and page numbers at its foot. Exit status: 0 written, 2 "
                    "bad arguments or input (nothing written).")),
         {&kPdfOutputOption},
         {SettingsFile(QT_TRANSLATE_NOOP("cli", "The settings file to print."))},
         &RunPrint,
         true},
        {QStringLiteral("sort"),
         Help(QT_TRANSLATE_NOOP("cli", "reorder the memory channels by KEY: freq, name or memo")),
         Help(QT_TRANSLATE_NOOP(
             "cli", "Reorder the used memory channels 0-149 of a settings file: by receive frequency (ascending), "
                    "or by name or memo (descending, Japanese collation), and save the result.")),
         {&kOutputOption},
         {{QStringLiteral("KEY"), Help(QT_TRANSLATE_NOOP("cli", "freq, name or memo."))},
          SettingsFile(QT_TRANSLATE_NOOP("cli", "The settings file to sort."))},
         &RunSort},
        {QStringLiteral("set"),
         Help(QT_TRANSLATE_NOOP("cli", "change fields of many memory channels at once")),
         Help(QT_TRANSLATE_NOOP(
             "cli", "Set the fields given on every used row of --channels (empty rows are left alone) and save the "
                    "result; nothing else in the rows changes. A row that cannot take a field (a split channel "
                    "and a shift, offset or reverse; AM outside 118-135 MHz) is left as it was and named on "
                    "standard error. Exit status: 0 every row taken, 1 written without the rows named, 2 bad "
                    "arguments or input (nothing written).")),
         {&kChannelsOption, &kStepKhzOption, &kShiftOption, &kOffsetOption, &kReverseOption, &kToneOption,
          &kCtcssOption, &kModeOption, &kLockoutOption, &kOutputOption},
         {SettingsFile(QT_TRANSLATE_NOOP("cli", "The settings file to change."))},
         &RunSet},
        {QStringLiteral("find"),
         Help(QT_TRANSLATE_NOOP("cli", "print the channels whose name or memo holds TEXT, or on a frequency")),
         Help(QT_TRANSLATE_NOOP(
             "cli", "Print the used memory rows, as show prints them, whose name or memo holds TEXT (half-width "
                    "and full-width forms and letter case alike) or, when TEXT is a number, whose receive (or "
                    "split transmit) frequency is TEXT MHz. Exit status: 0 found, 1 nothing found, 2 bad "
                    "arguments or input.")),
         {},
         {SettingsFile(QT_TRANSLATE_NOOP("cli", "The settings file to search.")),
          {QStringLiteral("TEXT"), Help(QT_TRANSLATE_NOOP("cli", "The text or frequency."))}},
         &RunFind},
        {QStringLiteral("id"),
         Help(QT_TRANSLATE_NOOP("cli", "ask the radio whether it is a TH-D7")),
         Help(QT_TRANSLATE_NOOP("cli", "Ask the radio for its model (\"ID\") and say whether it is a TH-D7.")),
         WithLink({}),
         {},
         &RunId},
        {QStringLiteral("check-mod"),
         Help(QT_TRANSLATE_NOOP("cli", "ask the radio whether it is modified")),
         Help(QT_TRANSLATE_NOOP("cli", "Ask the radio for its band edges (\"FL\") and say whether it is modified.")),
         WithLink({}),
         {},
         &RunCheckMod},
        {QStringLiteral("doctor"),
         QStringLiteral("find out why the radio does not answer"),
         QStringLiteral(
             "Check the port and the radio, one line each, beginning \"ok\" or \"NG\" (with the next step to take): "
             "the device exists, this user may read and write it, no other program holds it and no exclusive flag "
             "is left on it, it opens at 9600 baud 8N1, and the TH-D7 answers \"ID\" (an echo, \"?\" from "
             "packet mode, noise and silence are told apart). The last line is the verdict. Only \"ID\" is sent; no "
             "setting of the radio changes. Exit status: 0 the TH-D7 answered, 1 a check failed, 2 bad arguments."),
         {&kDoctorPortOption},
         {},
         &RunDoctor},
        {QStringLiteral("ports"),
         Help(QT_TRANSLATE_NOOP("cli", "list the serial devices present")),
         Help(QT_TRANSLATE_NOOP("cli", "List the serial devices present, with what the system says of them.")),
         {},
         {},
         &RunPorts},
        {QStringLiteral("read"),
         Help(QT_TRANSLATE_NOOP("cli", "read the radio")),
         Help(QT_TRANSLATE_NOOP(
             "cli", "Read the radio's memory channels, VFOs and settings and save them as a settings file. The "
                    "memos, which only the settings file keeps, come from the --into file.")),
         WithLink({&kOutputOption, &kMemoBaseOption, &kReadBlocksOption}),
         {},
         &RunRead},
        {QStringLiteral("write"),
         Help(QT_TRANSLATE_NOOP("cli", "write a settings file to the radio")),
         Help(QT_TRANSLATE_NOOP(
             "cli", "Write a settings file's memory channels, VFOs and settings to the radio. With --changed only "
                    "what differs from the radio is written; it is read back, so --verify is not taken with it. "
                    "What will change is printed before it is written. A block this connection has not read "
                    "is read first, so that the radio's history keeps what the write replaces (--no-backup "
                    "leaves that read out).")),
         WithLink({&kWriteBlocksOption, &kVerifyOption, &kChangedOption, &kDryRunOption, &kForceOption,
                   &kNoBackupOption, &kRadioBaseOption}),
         {SettingsFile(QT_TRANSLATE_NOOP("cli", "The settings file to write."))},
         &RunWrite},
        {QStringLiteral("scope"),
         Help(QT_TRANSLATE_NOOP("cli", "sweep with the S-meter")),
         Help(QT_TRANSLATE_NOOP(
             "cli", "Sweep a frequency range with the radio's S-meter and print one line of digits (0-9) per pass.")),
         WithLink({&kLowerOption, &kUpperOption, &kStepOption, &kPassesOption, &kStoreOption}),
         {},
         &RunScope},
        {QStringLiteral("history"),
         Help(QT_TRANSLATE_NOOP("cli", "list, show, compare or restore what the radio held")),
         Help(QT_TRANSLATE_NOOP(
             "cli", "The radio's history: every read, and before and after every write the blocks written, kept in "
                    "$ZEM_D7_HISTORY or ~/.local/share/zem_d7/history (the newest 200 entries, 50 MB at most).\n"
                    "history: one line per entry, newest first: number, time, what (read, before write, after write), "
                    "port, blocks held, used channels, differences from the entry before (the newest older one holding "
                    "one of its blocks: each block read or written keeps an entry of its own).\n"
                    "history show N: the entry's description, then the entry as show prints it.\n"
                    "history diff N [M|FILE]: what differs from the entry before N to N, or from N to entry M or FILE, "
                    "as diff prints it (only the blocks both hold, memos aside); exit status 1 when anything differs.\n"
                    "history restore N --port PORT [--dry-run]: write the entry's blocks back as write --changed does: "
                    "what will change first, then only that, read back.")),
         WithLink({&kDryRunOption}),
         {{QStringLiteral("ACTION"), Help(QT_TRANSLATE_NOOP("cli", "list, show, diff or restore.")), true},
          {QStringLiteral("N"), Help(QT_TRANSLATE_NOOP("cli", "The entry's number in the list (1 the newest).")), true},
          {QStringLiteral("M|FILE"), Help(QT_TRANSLATE_NOOP("cli", "diff: another entry or a settings file.")), true}},
         &RunHistory},
    };
    return commands;
}

const Command* FindCommand(const QString& name) {
    for (const Command& c : Commands()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

} // namespace cli
