#include "app/start_options.h"
#include "model/file_name.h"
#include "session/radio_session.h"
#include "session/radio_texts.h"
#include "sim/port_factory.h"
#include "ui/about_box.h"
#include "ui/artwork.h"
#include "ui/group_box_style.h"
#include "ui/main_window.h"
#include "ui/memory_dialog.h"
#include "ui/port_menu.h"
#include "ui/qt_translations.h"
#include "ui/radio_operations.h"
#include "ui/splash_window.h"
#include "ui/vfo_dialog.h"
#include "ui/wait_window.h"
#include "ui/window_font.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEM_D7"));
    QApplication::setFont(zem::WindowFont());
    QApplication::setStyle(new zem::GroupBoxStyle);
    QApplication::setWindowIcon(zem::ProgramIcon());
    if (!zem::InstallQtJapanese(app))
        std::fprintf(stderr,
                     "Qt's Japanese translations (qtbase_ja) were not found; standard dialogs stay in English.\n");
    zem::InstallSessionTranslation(app, QLocale(QLocale::Japanese, QLocale::Japan));

    // The arguments as the system gave them: Qt's decoding would turn the bytes of a file name
    // that are not UTF-8 into U+FFFD, and that name would then name no file.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromStdU16String(zem::FileNameText(argv[i]));
    const zem::StartOptions options = zem::ParseStartOptions(arguments);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", options.error.toLocal8Bit().constData());
        return 2;
    }
    if (!options.help.isEmpty()) {
        std::fprintf(stdout, "%s", options.help.toLocal8Bit().constData());
        return 0;
    }

    // The windows are made once, in this order, and kept for the whole run; any message about
    // the file named on the command line comes before the splash.
    zem::TFormD7 form(options.settingsFile);
    zem::Tsetform1 memoryDialog(form.UserPrompts(), &form);
    zem::TSetForm2 vfoDialog(form.UserPrompts(), &form);
    form.AttachEditDialogs(memoryDialog, vfoDialog);
    zem::TwaitForm1 waitWindow(&form);
    zem::TAboutForm aboutBox(&form);
    form.AttachShellWindows(&waitWindow, &aboutBox);
    zem::TStform splash;
    zem::RadioSession session(zem::sim::PortFactoryWithSimulator());
    session.KeepHistory(zem::HistoryFolder());
    form.Ports().OfferSimulator(QString::fromUtf8(zem::sim::kSimulatorPort));
    auto* radio = new zem::RadioOperations(form, waitWindow, session); // owned by the window
    if (!options.port.isEmpty())
        radio->SelectPort(options.port);

    splash.exec();
    form.show();
    const int status = QApplication::exec();
    // Closing does not wait for the port to close: the link is let go after the exchange under
    // way, and a port that takes longer to close is left to the ending process.
    if (!session.Abandon(zem::kDefaultExchangeTimeout + zem::kDefaultExchangeTimeout / 2))
        std::_Exit(status);
    return status;
}
