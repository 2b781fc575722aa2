#include "commands.h"
#include "console.h"

#include <QCoreApplication>

#include <array>

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& args);
};

const std::array kCommands{
    Command{"show", "show FILE.zem | show --new    print the image as the window's grids show it", &cli::RunShow},
    Command{"import-csv", "import-csv CSV -o OUT.zem [--into BASE.zem]    fill channels from a CSV file",
            &cli::RunImportCsv},
    Command{"diff", "diff A.zem B.zem [--only memory,vfo,settings] [--no-memo]    list what differs between two files",
            &cli::RunDiff},
    Command{"export-csv",
            "export-csv FILE.zem -o OUT.csv    write the channels in the CSV layout of general multi-radio tools",
            &cli::RunExportCsv},
    Command{"sort", "sort {freq|name|memo} FILE.zem -o OUT.zem    reorder the memory channels", &cli::RunSort},
    Command{"id", "id --port PORT [--timeout MS]    ask the radio whether it is a TH-D7", &cli::RunId},
    Command{"check-mod", "check-mod --port PORT [--timeout MS]    ask the radio whether it is modified",
            &cli::RunCheckMod},
    Command{"ports", "ports    list the serial devices present", &cli::RunPorts},
    Command{"read",
            "read --port PORT -o OUT.zem [--into BASE.zem] [--only memory,vfo,settings] [--fast]    read the radio",
            &cli::RunRead},
    Command{"write",
            "write --port PORT FILE.zem [--only memory,vfo,settings] [--verify] [--fast]    write a settings file to "
            "the radio",
            &cli::RunWrite},
    Command{"scope",
            "scope --port PORT --lower MHZ --upper MHZ --step CODE --passes N [--store FILE]    sweep with the S-meter",
            &cli::RunScope},
};

QString Usage() {
    QString text = QStringLiteral("Usage: zem_d7-cli COMMAND [OPTIONS]\n"
                                  "TH-D7 memory editor, command-line tool.\n\nCommands:\n");
    for (const Command& c : kCommands)
        text += QStringLiteral("  %1\n").arg(QString::fromUtf8(c.summary));
    text += QStringLiteral("\nOptions:\n  -h, --help     show this help\n  -v, --version  show the version\n"
                           "Run 'zem_d7-cli COMMAND --help' for the options of a command.\n");
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zem_d7-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEM_VERSION));

    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        cli::Error(QStringLiteral("zem_d7-cli: give a command (see zem_d7-cli --help)"));
        return cli::kBadInput;
    }
    const QString& first = args.front();
    if (first == QLatin1String("-h") || first == QLatin1String("--help")) {
        cli::Out(Usage().toStdString());
        return cli::kOk;
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        cli::Out("zem_d7-cli " ZEM_VERSION "\n");
        return cli::kOk;
    }
    for (const Command& c : kCommands) {
        if (first == QLatin1String(c.name))
            return c.run(args);
    }
    cli::Error(QStringLiteral("zem_d7-cli: unknown command '%1' (see zem_d7-cli --help)").arg(first));
    return cli::kBadInput;
}
