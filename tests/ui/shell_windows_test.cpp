#include "window_fixture.h"

#include "app/start_options.h"
#include "ui/about_box.h"
#include "ui/artwork.h"
#include "ui/help_window.h"
#include "ui/prompts.h"
#include "ui/qt_translations.h"
#include "ui/splash_window.h"
#include "ui/wait_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>

namespace {

// Waits for the next modal box, lets `inspect` look at it, then clicks the button `answer`.
void AnswerNextBox(QMessageBox::StandardButton answer, std::function<void(QMessageBox*)> inspect, int delayMs = 0) {
    QTimer::singleShot(delayMs, [answer, inspect] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            AnswerNextBox(answer, inspect, 20);
            return;
        }
        inspect(box);
        QTest::mouseClick(box->button(answer), Qt::LeftButton);
    });
}

} // namespace

class ShellWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void splashClosesByItself();
    void picturesDrawTheirWavesWhole_data();
    void picturesDrawTheirWavesWhole();
    void aboutBoxClosesWithOk();
    void aboutBoxIsCentredOnTheScreen();
    void waitWindowDesign();
    void closeQuestionAnsweredCancelKeepsTheWindow();
    void exitCommandAsksFirst();
    void helpShowsTheProgramsOwnDocument();
    void saveDialogTakesNoPatternForAName();
    void nameFilters_data();
    void nameFilters();
    void startOptions_data();
    void startOptions();
    void standardDialogsSpeakJapanese();
};

void ShellWindowsTest::splashClosesByItself() {
    zem::TStform splash;
    QCOMPARE(splash.size(), QSize(397, 103));
    QCOMPARE(splash.Timer1()->interval(), 700);
    QVERIFY(splash.Timer1()->isActive());
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    auto* picture = splash.findChild<QLabel*>(QStringLiteral("Image1"));
    QCOMPARE(picture->geometry(), QRect(0, 3, 397, 100));
    QCOMPARE(picture->pixmap().size(), QSize(397, 100));
    QCOMPARE(splash.exec(), int(QDialog::Accepted)); // returns without any input
    QVERIFY(!splash.isVisible());
}

void ShellWindowsTest::picturesDrawTheirWavesWhole_data() {
    QTest::addColumn<QPixmap>("picture");
    QTest::newRow("splash") << zem::SplashPicture();
    QTest::newRow("about box") << zem::AboutPicture();
}

// The waves are the only warm colour of either picture (both backgrounds are blue-grey), so a
// warm pixel on the edge is a wave cut off there.
void ShellWindowsTest::picturesDrawTheirWavesWhole() {
    QFETCH(QPixmap, picture);
    const QImage image = picture.toImage();
    const auto warm = [&image](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.red() - c.blue() > 60;
    };
    for (int x = 0; x < image.width(); ++x) {
        QVERIFY2(!warm(x, 0), qPrintable(QStringLiteral("top edge, x = %1").arg(x)));
        QVERIFY2(!warm(x, image.height() - 1), qPrintable(QStringLiteral("bottom edge, x = %1").arg(x)));
    }
    for (int y = 0; y < image.height(); ++y) {
        QVERIFY2(!warm(0, y), qPrintable(QStringLiteral("left edge, y = %1").arg(y)));
        QVERIFY2(!warm(image.width() - 1, y), qPrintable(QStringLiteral("right edge, y = %1").arg(y)));
    }
}

void ShellWindowsTest::aboutBoxClosesWithOk() {
    zem::TAboutForm about;
    QCOMPARE(about.windowTitle(), QStringLiteral("AboutBox"));
    QCOMPARE(about.size(), QSize(305, 225));
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("Button1"));
    QCOMPARE(ok->geometry(), QRect(112, 192, 75, 25));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("ProgramIcon"))->pixmap().size(), QSize(160, 120));
    QVERIFY(about.findChild<QLabel*>(QStringLiteral("Version"))->text().startsWith(QStringLiteral("Version ")));
    QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
}

// Centred on the screen, not over the main window, wherever the main window has been moved.
void ShellWindowsTest::aboutBoxIsCentredOnTheScreen() {
    QWidget owner;
    owner.setGeometry(0, 0, 120, 80);
    owner.show();
    zem::TAboutForm about(&owner);
    about.show();
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    // A few pixels of window frame aside; over the owner it would be hundreds of pixels away.
    QVERIFY((about.geometry().center() - screenCentre).manhattanLength() <= 8);
}

void ShellWindowsTest::waitWindowDesign() {
    zem::TwaitForm1 wait;
    QCOMPARE(wait.windowTitle(), QStringLiteral("しばらくお待ち下さい"));
    QCOMPARE(wait.size(), QSize(318, 203));
    QCOMPARE(wait.pos(), QPoint(217, 193));
    auto* panel = wait.findChild<QFrame*>(QStringLiteral("Panel1"));
    QCOMPARE(panel->geometry(), QRect(8, 8, 305, 185));
    QCOMPARE(panel->findChild<QLabel*>()->text(), QStringLiteral("しばらくお待ち下さい"));
}

// The real boxes: no icon, Cancel the default, and Cancel keeps the program running.
void ShellWindowsTest::closeQuestionAnsweredCancelKeepsTheWindow() {
    zem::TFormD7 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool inspected = false;
    AnswerNextBox(QMessageBox::Cancel, [&inspected](QMessageBox* box) {
        QCOMPARE(box->text(), QStringLiteral("終了しますか？"));
        QCOMPARE(box->windowTitle(), QStringLiteral("終了"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
        QCOMPARE(box->button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
        QVERIFY(box->button(QMessageBox::Ok));
        inspected = true;
    });
    QVERIFY(!window.close());
    QVERIFY(inspected);
    QVERIFY(window.isVisible());

    AnswerNextBox(QMessageBox::Ok, [](QMessageBox*) {});
    QVERIFY(window.close());
}

void ShellWindowsTest::exitCommandAsksFirst() {
    WindowFixture f;
    f.window->show();
    f.Choose("Exit1");
    QCOMPARE(f.prompts->questions.size(), 1);
    QCOMPARE(f.prompts->questions[0].text, QStringLiteral("終了しますか？"));
    QVERIFY(f.window->isVisible());
    f.prompts->questionAnswers.enqueue(true);
    f.Choose("Exit1");
    QVERIFY(!f.window->isVisible());
}

void ShellWindowsTest::helpShowsTheProgramsOwnDocument() {
    WindowFixture f;
    f.Choose("Help2");
    auto* help = f.window->findChild<zem::HelpWindow*>();
    QVERIFY(help && help->isVisible());
    const QString text = help->Browser()->toPlainText();
    for (const char* topic : {"接続", "メモリ読み出し", "開く", "CSV", "ソート", "操作", "スコープ"})
        QVERIFY2(text.contains(QString::fromUtf8(topic)), topic);
    f.Choose("Help2"); // shown again, not made twice
    QCOMPARE(f.window->findChildren<zem::HelpWindow*>().size(), 1);
}

// The save dialog starts with the pattern "*.zem" as its file name; pressing Save on it must not
// give back a file literally named "*.zem". The dialog stays open until a real name is typed.
void ShellWindowsTest::saveDialogTakesNoPatternForAName() {
    QTemporaryDir dir;
    zem::FileDialogRequest request{QStringLiteral("SaveDialog1"), QStringLiteral("設定をファイルに保存する"),
                                   QStringLiteral("ZEM_D7ファイル|*.ZEM|*.*|*.*"),
                                   dir.filePath(QStringLiteral("*.zem")), true};
    bool stayedOpen = false;
    QTimer::singleShot(0, [&stayedOpen] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QCOMPARE(name->text(), QStringLiteral("*.zem"));
        QPushButton* save = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save);
        save->click();
        stayedOpen = dialog->isVisible();
        name->setText(QStringLiteral("radio.zem"));
        save->click();
    });
    const QString chosen = zem::QtPrompts().SaveFileName(nullptr, request);
    QVERIFY(stayedOpen);
    QCOMPARE(chosen, dir.filePath(QStringLiteral("radio.zem")));
}

void ShellWindowsTest::nameFilters_data() {
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QString>("qt");
    QTest::newRow("open") << "ZEM_D7ファイル|*.ZEM"
                          << "ZEM_D7ファイル (*.ZEM *.zem)";
    QTest::newRow("save") << "ZEM_D7ファイル|*.ZEM|*.*|*.*"
                          << "ZEM_D7ファイル (*.ZEM *.zem);;*.* (*)";
    QTest::newRow("csv") << "*.CSV|*.csv|*.*|*.*"
                         << "*.CSV (*.csv *.CSV);;*.* (*)";
    QTest::newRow("scope") << "*.TXT|*.TXT|*.*|*.*"
                           << "*.TXT (*.TXT *.txt);;*.* (*)";
}

void ShellWindowsTest::nameFilters() {
    QFETCH(QString, pairs);
    QFETCH(QString, qt);
    QCOMPARE(zem::QtNameFilters(pairs), qt);
}

void ShellWindowsTest::startOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("error");
    QTest::newRow("none") << QStringList{"zem_d7"} << ""
                          << "" << false;
    QTest::newRow("file") << QStringList{"zem_d7", "a.zem"} << "a.zem"
                          << "" << false;
    QTest::newRow("port and file") << QStringList{"zem_d7", "--port", "sim", "a.zem"} << "a.zem"
                                   << "sim" << false;
    QTest::newRow("file and port=") << QStringList{"zem_d7", "a.zem", "--port=/dev/ttyUSB3"} << "a.zem"
                                    << "/dev/ttyUSB3" << false;
    QTest::newRow("unknown option") << QStringList{"zem_d7", "--colour"} << ""
                                    << "" << true;
    // A mistyped option after the file must not be dropped in silence.
    QTest::newRow("unknown option after the file") << QStringList{"zem_d7", "a.zem", "--prot", "sim"} << "a.zem"
                                                   << "" << true;
    QTest::newRow("port without a value") << QStringList{"zem_d7", "--port"} << ""
                                          << "" << true;
    QTest::newRow("two files") << QStringList{"zem_d7", "a.zem", "b.zem"} << "a.zem"
                               << "" << true;
}

void ShellWindowsTest::startOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QString, port);
    QFETCH(bool, error);
    const zem::StartOptions options = zem::ParseStartOptions(arguments);
    QCOMPARE(options.settingsFile, file);
    if (!error)
        QCOMPARE(options.port, port);
    QCOMPARE(!options.error.isEmpty(), error);
}

void ShellWindowsTest::standardDialogsSpeakJapanese() {
    QVERIFY(zem::InstallQtJapanese(*QCoreApplication::instance()));
    QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("保存"));
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    QFileDialog dialog(nullptr, QStringLiteral("x"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QCOMPARE(dialog.labelText(QFileDialog::FileName), QStringLiteral("ファイル名(&N):"));
}

QTEST_MAIN(ShellWindowsTest)
#include "shell_windows_test.moc"
