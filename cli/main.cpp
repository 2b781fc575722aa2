#include "command_line.h"
#include "command_table.h"
#include "commands.h"
#include "console.h"

#include "model/file_name.h"

#include <QCoreApplication>

namespace {

QString Usage() {
    QString text = QStringLiteral("Usage: zem_d7-cli COMMAND [OPTIONS]\n"
                                  "TH-D7 memory editor, command-line tool.\n\nCommands:\n");
    for (const cli::Command& c : cli::Commands())
        text += QStringLiteral("  %1    %2\n").arg(cli::Synopsis(c), c.summary);
    text += QStringLiteral("\nOptions:\n  -h, --help     show this help\n  -v, --version  show the version\n"
                           "Run 'zem_d7-cli COMMAND --help' for the options of a command.\n");
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zem_d7-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEM_VERSION));

    // The arguments as the system gave them: Qt's own decoding turns the bytes of a file name that
    // are not UTF-8 into U+FFFD, and that name would then name no file.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromStdU16String(zem::FileNameText(argv[i]));
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
    for (const cli::Command& c : cli::Commands()) {
        if (first == c.name)
            return cli::RunCommand(c, args);
    }
    cli::Error(QStringLiteral("zem_d7-cli: unknown command '%1' (see zem_d7-cli --help)").arg(first));
    return cli::kBadInput;
}
