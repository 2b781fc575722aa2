#include "command_line.h"
#include "command_table.h"
#include "commands.h"
#include "console.h"

#include "model/file_name.h"
#include "session/radio_texts.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <utility>

namespace {

QString Usage() {
    QString text = QCoreApplication::translate("cli", "Usage: zem_d7-cli COMMAND [OPTIONS]\n"
                                                      "TH-D7 memory editor, command-line tool.\n\nCommands:\n");
    for (const cli::Command& c : cli::Commands())
        text += QStringLiteral("  %1    %2\n").arg(cli::Synopsis(c), cli::Translated(c.summary));
    text += QCoreApplication::translate(
        "cli", "\nOptions:\n  -h, --help     show this help\n  -v, --version  show the version\n"
               "Run 'zem_d7-cli COMMAND --help' for the options of a command.\n");
    return text;
}

// The tool speaks the user's language: Japanese under a ja locale (LANG, LC_MESSAGES, LC_ALL), its
// English source texts otherwise. Qt's own texts (the option parser's) and what the tool says
// with the window (the session's texts) follow along.
void InstallTranslations(QCoreApplication& app) {
    const QLocale locale = QLocale::system();
    if (locale.language() != QLocale::Japanese)
        return;
    zem::InstallSessionTranslation(app, locale);
    for (const auto& [name, folder] :
         {std::pair{QStringLiteral("zem_d7-cli"), QStringLiteral(":/i18n")},
          std::pair{QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(locale, name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // A command that draws text needs the fonts of a GUI application, never a display.
    const cli::Command* drawing = argc > 1 ? cli::FindCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    drawing = drawing && drawing->draws ? drawing : nullptr;
    if (drawing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        drawing ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zem_d7-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEM_VERSION));
    InstallTranslations(*app);

    // The arguments as the system gave them: Qt's own decoding turns the bytes of a file name that
    // are not UTF-8 into U+FFFD, and that name would then name no file.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromStdU16String(zem::FileNameText(argv[i]));
    if (args.isEmpty()) {
        cli::Error(QCoreApplication::translate("cli", "zem_d7-cli: give a command (see zem_d7-cli --help)"));
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
    if (const cli::Command* c = cli::FindCommand(first))
        return cli::RunCommand(*c, args);
    cli::Error(
        QCoreApplication::translate("cli", "zem_d7-cli: unknown command '%1' (see zem_d7-cli --help)").arg(first));
    return cli::kBadInput;
}
