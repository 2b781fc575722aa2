#include "command_table.h"

#include "commands.h"

#include "model/channel_csv.h"

#include <initializer_list>

namespace cli {
namespace {

// The radio's options come first in the --help of every command that talks to it.
std::vector<const Option*> WithLink(std::initializer_list<const Option*> more) {
    std::vector<const Option*> options{&kPortOption, &kTimeoutOption, &kFastOption};
    options.insert(options.end(), more);
    return options;
}

Positional SettingsFile(const QString& verb, bool optional = false) {
    return {QStringLiteral("FILE.zem"), QStringLiteral("The settings file to %1.").arg(verb), optional};
}

} // namespace

// Built on first use: a description may come from the model's tables.
const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {QStringLiteral("show"),
         QStringLiteral("print the image as the window's grids show it"),
         QStringLiteral("Print a settings file (or the start-up image) as the window's grids show it, tab-separated. "
                        "Control characters and the backslash inside a text are escaped: \\t, \\r, \\n, \\xNN, "
                        "\\\\."),
         {&kNewOption},
         {SettingsFile(QStringLiteral("print"), true)},
         &RunShow},
        {QStringLiteral("import-csv"),
         QStringLiteral("fill channels from a CSV file"),
         QStringLiteral(
             "Fill memory channels from a CSV file and save the result as a settings file. Two layouts are read:\n"
             "- lines of frequency in MHz, name and memo (CP932) fill channels 0, 1, 2, ... in turn; lines not taken "
             "(outside the receive bands, without ',', past channel 149) and names and memos cut are listed on "
             "standard error; nothing is written when a line's frequency is not a number;\n"
             "- the channel layout of general multi-radio programming tools (UTF-8, a first line naming the columns, "
             "Location and Frequency among them; see export-csv): each row fills the channel 0-149 its Location "
             "names. Rows and fields the TH-D7 cannot hold are listed on standard error, one line per row.\n"
             "Exit status: 0 every row taken whole, 1 written but some rows or fields not taken, 2 bad arguments or "
             "input (nothing written)."),
         {&kOutputOption, &kBaseOption},
         {{QStringLiteral("CSV"), QStringLiteral("The CSV file to import.")}},
         &RunImportCsv},
        {QStringLiteral("diff"),
         QStringLiteral("list what differs between two files"),
         QStringLiteral(
             "Compare two settings files: one line per channel row, VFO, DTMF memory and setting that differs, its "
             "label, then for each differing field a TAB and \"NAME: A → B\" (a setting's line has just \"A → B\"), "
             "texts as the window shows them and escaped as show escapes them. Exit status 0 when the files are "
             "equal, 1 when they differ, 2 on bad input."),
         {&kCompareBlocksOption, &kNoMemoOption},
         {{QStringLiteral("A.zem"), QStringLiteral("The first settings file.")},
          {QStringLiteral("B.zem"), QStringLiteral("The second settings file.")}},
         &RunDiff},
        {QStringLiteral("export-csv"),
         QStringLiteral("write the channels in the CSV layout of general multi-radio tools"),
         QStringLiteral(
             "Write the used memory channels 0-149 of a settings file as CSV in the channel layout of general "
             "multi-radio programming tools (UTF-8, lines ended CR LF), which import-csv reads back:\n%1\n"
             "The scan memories L0-U9 are not written. What the layout cannot carry (Reverse, a tone code naming no "
             "tone, a split channel's shift code, control characters and bytes that are not CP932 in names and "
             "memos) is left out and listed on standard error, one line per row. Exit status: 0 written whole, 1 "
             "written without the fields listed, 2 bad arguments or input (nothing written).")
             .arg(QString::fromStdString(zem::ChannelCsvHeader())),
         {&kCsvOutputOption},
         {SettingsFile(QStringLiteral("export"))},
         &RunExportCsv},
        {QStringLiteral("print"),
         QStringLiteral("write the used channels as a PDF list"),
         QStringLiteral("Write the used memory channels (0-149, then L0-U9) of a settings file as a table in a PDF "
                        "file, A4 portrait, as the window's 印刷 and PDFに保存 make it: number, frequency, shift or "
                        "transmit frequency, offset, tones, mode, step, name, memo and lockout, with the file name "
                        "and date at the top of each page and page numbers at its foot. Exit status: 0 written, 2 "
                        "bad arguments or input (nothing written)."),
         {&kPdfOutputOption},
         {SettingsFile(QStringLiteral("print"))},
         &RunPrint,
         true},
        {QStringLiteral("sort"),
         QStringLiteral("reorder the memory channels by KEY: freq, name or memo"),
         QStringLiteral("Reorder the used memory channels 0-149 of a settings file: by receive frequency (ascending), "
                        "or by name or memo (descending, Japanese collation), and save the result."),
         {&kOutputOption},
         {{QStringLiteral("KEY"), QStringLiteral("freq, name or memo.")}, SettingsFile(QStringLiteral("sort"))},
         &RunSort},
        {QStringLiteral("id"),
         QStringLiteral("ask the radio whether it is a TH-D7"),
         QStringLiteral("Ask the radio for its model (\"ID\") and say whether it is a TH-D7."),
         WithLink({}),
         {},
         &RunId},
        {QStringLiteral("check-mod"),
         QStringLiteral("ask the radio whether it is modified"),
         QStringLiteral("Ask the radio for its band edges (\"FL\") and say whether it is modified."),
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
         QStringLiteral("list the serial devices present"),
         QStringLiteral("List the serial devices present, with what the system says of them."),
         {},
         {},
         &RunPorts},
        {QStringLiteral("read"),
         QStringLiteral("read the radio"),
         QStringLiteral("Read the radio's memory channels, VFOs and settings and save them as a settings file. The "
                        "memos, which only the settings file keeps, come from the --into file."),
         WithLink({&kOutputOption, &kMemoBaseOption, &kReadBlocksOption}),
         {},
         &RunRead},
        {QStringLiteral("write"),
         QStringLiteral("write a settings file to the radio"),
         QStringLiteral("Write a settings file's memory channels, VFOs and settings to the radio. With --changed only "
                        "what differs from the radio is written; it is read back, so --verify is not taken with it. "
                        "What will change is printed before it is written. A block this connection has not read "
                        "is read first, so that the radio's history keeps what the write replaces (--no-backup "
                        "leaves that read out)."),
         WithLink({&kWriteBlocksOption, &kVerifyOption, &kChangedOption, &kDryRunOption, &kForceOption,
                   &kNoBackupOption, &kRadioBaseOption}),
         {SettingsFile(QStringLiteral("write"))},
         &RunWrite},
        {QStringLiteral("scope"),
         QStringLiteral("sweep with the S-meter"),
         QStringLiteral(
             "Sweep a frequency range with the radio's S-meter and print one line of digits (0-9) per pass."),
         WithLink({&kLowerOption, &kUpperOption, &kStepOption, &kPassesOption, &kStoreOption}),
         {},
         &RunScope},
        {QStringLiteral("history"),
         QStringLiteral("list, show, compare or restore what the radio held"),
         QStringLiteral(
             "The radio's history: every read, and before and after every write the blocks written, kept in "
             "$ZEM_D7_HISTORY or ~/.local/share/zem_d7/history (the newest 200 entries, 50 MB at most).\n"
             "history: one line per entry, newest first: number, time, what (read, before write, after write), "
             "port, blocks held, used channels, differences from the entry before (the newest older one holding "
             "one of its blocks: each block read or written keeps an entry of its own).\n"
             "history show N: the entry's description, then the entry as show prints it.\n"
             "history diff N [M|FILE]: what differs from the entry before N to N, or from N to entry M or FILE, "
             "as diff prints it (only the blocks both hold, memos aside); exit status 1 when anything differs.\n"
             "history restore N --port PORT [--dry-run]: write the entry's blocks back as write --changed does: "
             "what will change first, then only that, read back."),
         WithLink({&kDryRunOption}),
         {{QStringLiteral("ACTION"), QStringLiteral("list, show, diff or restore."), true},
          {QStringLiteral("N"), QStringLiteral("The entry's number in the list (1 the newest)."), true},
          {QStringLiteral("M|FILE"), QStringLiteral("diff: another entry or a settings file."), true}},
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
