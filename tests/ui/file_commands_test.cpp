#include "window_fixture.h"

#include "model/channel_csv.h"
#include "model/cp932.h"
#include "model/csv_import.h"
#include "model/file_io.h"
#include "model/startup_image.h"
#include "ui/memory_editing.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstdio>

namespace {

zem::RadioImage SampleImage() {
    zem::RadioImage image = zem::StartupImage();
    image.Channels[0] = zem::ParseCsvLine("145.00,CALL,two metres");
    image.Channels[7] = zem::ParseCsvLine("433.00,UHF,");
    image.Channels[zem::LowerScanRow(2)] = zem::ParseCsvLine("430.00,L2,");
    image.Vfos[1].UpperLimit = "00170";
    image.Settings.MYC = "JA1ZZZ";
    image.Settings.Dtmf[0].Name = "HOME";
    image.Settings.Dtmf[0].Code = "123";
    return image;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Drop(const WindowFixture& f, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.window.get(), &drop);
}

void CompareRequest(const zem::FileDialogRequest& shown, const zem::FileDialogRequest& expected) {
    QCOMPARE(shown.objectName, expected.objectName);
    QCOMPARE(shown.title, expected.title);
    QCOMPARE(shown.filter, expected.filter);
    QCOMPARE(shown.fileName, expected.fileName);
    QCOMPARE(shown.confirmOverwrite, expected.confirmOverwrite);
}

// An import's one message, and the flag that makes a memory read ask before replacing what it
// brought.
void CompareImportReport(const WindowFixture& f, const QString& taken, const QString& rows) {
    QCOMPARE(f.prompts->messages.size(), 1);
    QCOMPARE(f.prompts->messages[0].caption, QStringLiteral("CSVファイルの取り込み"));
    QCOMPARE(f.prompts->messages[0].text,
             taken + QStringLiteral(" チャンネルを取り込みました。TH-D7 に記憶できない行と項目は次のとおりです。\n") +
                 rows);
    QVERIFY(f.window->MemoryChanged());
}

zem::RadioImage Reload(const QString& path) {
    zem::RadioImage image = zem::StartupImage();
    if (!zem::LoadZemFile(path.toStdString(), image).recognised)
        qFatal("not a settings file");
    return image;
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void openThroughTheMenu();
    void openRefusesAWrongHeader();
    void refusedFileLeavesTheSaveTarget_data();
    void refusedFileLeavesTheSaveTarget();
    void openWarnsOfLinesLeftUnread();
    void openIgnoresCaseOfTheExtension();
    void openCancelledChangesNothing();
    void saveThroughTheMenu();
    void saveUnderANameWithoutExtension();
    void japaneseFileNames();
    void saveOverWritesTheOpenFileWithoutDialog();
    void saveOverKeepsEditsOfTheRadioPage();
    void saveOverWithoutAFileAsksForOne();
    void saveFailureKeepsTheFlagsAndTheFile();
    void droppedFileIsOpened();
    void csvImportThroughTheMenu();
    void csvImportShowsTheRowsBeforeABadLine();
    void csvImportCancelledOnlyRedraws();
    void csvExportThroughTheMenuIsReadBack();
    void csvImportOfTheChannelLayoutReportsInOneMessage();
    void messagesEscapeWhatFilesHold();
    void droppedCp932NameIsOpened();
    void titleAndCloseQuestionShowUnsavedWork();

private:
    QString Path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void FileCommandsTest::openThroughTheMenu() {
    const zem::RadioImage image = SampleImage();
    zem::SaveZemFile(Path("radio.zem").toStdString(), image);
    WindowFixture f;
    f.window->CommitChannels(image.Channels, QStringLiteral("step"));
    f.prompts->openAnswers.enqueue(Path("radio.zem"));
    f.Choose("Open2");
    QVERIFY(!f.window->Editing().History().canUndo()); // the file begins a history of its own

    QCOMPARE(f.prompts->openRequests.size(), 1);
    const zem::FileDialogRequest& request = f.prompts->openRequests[0];
    QCOMPARE(request.objectName, QStringLiteral("OpenDialog1"));
    QCOMPARE(request.filter, QStringLiteral("ZEM_D7ファイル|*.ZEM"));
    QCOMPARE(request.fileName, QStringLiteral("*.ZEM"));
    QVERIFY(f.window->Image() == image);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 radio.zem"));
    QCOMPARE(f.window->CurrentPath(), Path("radio.zem"));
    QCOMPARE(f.MemCell(5, 1), QStringLiteral("CALL"));
    QCOMPARE(f.MemCell(1, zem::LowerScanRow(2) + 1), QStringLiteral("430.00000MHz"));
    QCOMPARE(f.Grid("VFOStringGrid1")->Cell(2, 2), QStringLiteral("170MHz"));
    QCOMPARE(f.window->findChild<QLineEdit*>(QStringLiteral("MYCEdit"))->text(), QStringLiteral("JA1ZZZ"));
    QVERIFY(!f.window->MemoryChanged());
    QVERIFY(f.prompts->messages.isEmpty());
}

void FileCommandsTest::openRefusesAWrongHeader() {
    WriteBytes(Path("other.zem"), "ID SOMETHING ELSE;\r\nMEM 000,1,EMPTY;\r\n");
    WindowFixture f;
    const zem::RadioImage before = f.window->Image();
    f.prompts->openAnswers.enqueue(Path("other.zem"));
    f.Choose("Open2");
    QCOMPARE(f.prompts->messages.size(), 1);
    QCOMPARE(f.prompts->messages[0].text, QStringLiteral("ファイル形式が違います"));
    QCOMPARE(f.prompts->messages[0].caption, QStringLiteral("ID"));
    QVERIFY(f.window->Image() == before);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7"));
}

// 上書き保存 after a refused file must not write a settings file over it.
void FileCommandsTest::refusedFileLeavesTheSaveTarget_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("message");
    const std::string whole = zem::FormatSettingsFile(SampleImage());
    const QByteArray cut = QByteArray::fromStdString(whole.substr(0, 1200));
    const QByteArray blankLine = QByteArray::fromStdString(whole).replace("\r\nMEM 005", "\r\n\r\nMEM 005");
    for (const char* way : {"menu", "drop", "command line"}) {
        QTest::addRow("wrong header, %s", way)
            << "other.zem" << QByteArray("ID SOMETHING ELSE;\r\n") << way << QStringLiteral("ファイル形式が違います");
        QTest::addRow("CSV file, %s", way) << "channels.csv" << QByteArray("145.00,A,\r\n") << way << QString();
        QTest::addRow("cut short, %s", way) << "cut.zem" << cut << way
                                            << QStringLiteral("設定ファイルが壊れているため開けません。62 行目の MEM "
                                                              "060 行が途中で切れているか、値が足りません。");
        QTest::addRow("blank line, %s", way)
            << "blank.zem" << blankLine << way
            << QStringLiteral("設定ファイルが壊れているため開けません。7 行目が空行です"
                              "（MEM 005 行があるはずの行です）。");
    }
}

void FileCommandsTest::refusedFileLeavesTheSaveTarget() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, way);
    QFETCH(QString, message);
    const QString refused = dir_->filePath(name);
    WriteBytes(refused, bytes);
    zem::SaveZemFile(Path("good.zem").toStdString(), SampleImage());
    const bool atStart = way == QStringLiteral("command line");
    WindowFixture f(atStart ? refused : QString());
    if (!atStart) {
        f.window->Openzem(Path("good.zem"));
        if (way == QStringLiteral("menu")) {
            f.prompts->openAnswers.enqueue(refused);
            f.Choose("Open2");
        } else {
            Drop(f, {QUrl::fromLocalFile(refused)});
        }
    }
    QCOMPARE(f.window->CurrentPath(), atStart ? QString() : Path("good.zem"));
    QCOMPARE(f.window->windowTitle(), atStart ? QStringLiteral("ZEM_D7") : QStringLiteral("ZEM_D7 good.zem"));
    QCOMPARE(f.prompts->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(f.prompts->messages[0].text, message);
    QVERIFY(f.window->Image() == (atStart ? zem::StartupImage() : SampleImage()));
    f.Choose("Save1");
    QCOMPARE(f.prompts->saveRequests.size(), atStart ? 1 : 0); // the dialog asks, and is cancelled
    QCOMPARE(ReadBytes(refused), bytes);
}

// A stray line after the set is left unread and said in the status bar; the rows stay.
void FileCommandsTest::openWarnsOfLinesLeftUnread() {
    zem::SaveZemFile(Path("stray.zem").toStdString(), SampleImage());
    QFile file(Path("stray.zem"));
    QVERIFY(file.open(QIODevice::Append));
    file.write("X;\r\n");
    file.close();
    zem::SaveZemFile(Path("whole.zem").toStdString(), SampleImage());
    WindowFixture f;
    f.prompts->openAnswers.enqueue(Path("stray.zem"));
    f.Choose("Open2");
    QCOMPARE(f.window->statusBar()->currentMessage(),
             QStringLiteral("189 行目からの 1 行は設定 1 組（187 行）に足りないため読み込みませんでした"));
    QVERIFY(f.window->Image() == SampleImage());
    QCOMPARE(f.MemCell(5, 1), QStringLiteral("CALL"));
    // 上書き保存 would drop the line: a box says so.
    QCOMPARE(f.prompts->messages.size(), 1);
    QCOMPARE(f.prompts->messages[0].caption, QStringLiteral("警告"));
    QCOMPARE(f.prompts->messages[0].text,
             QStringLiteral("189 行目からの 1 行は設定 1 組（187 行）に足りないため読み込みませんでした\n"
                            "上書き保存すると、読み込まなかった行はファイルから消えます。"));

    f.window->Openzem(Path("whole.zem"));
    QCOMPARE(f.window->statusBar()->currentMessage(), QString());
}

void FileCommandsTest::openIgnoresCaseOfTheExtension() {
    zem::SaveZemFile(Path("UPPER.ZEM").toStdString(), SampleImage());
    WindowFixture f;
    f.window->Openzem(Path("UPPER.ZEM"));
    QCOMPARE(f.MemCell(5, 1), QStringLiteral("CALL"));
}

void FileCommandsTest::openCancelledChangesNothing() {
    WindowFixture f;
    f.Choose("Open2");
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7"));
    QVERIFY(f.window->CurrentPath().isEmpty());
}

void FileCommandsTest::saveThroughTheMenu() {
    WindowFixture f;
    f.Change([](zem::RadioImage& image) { image = SampleImage(); });
    f.window->SetChannelEditor([](zem::MemoryChannel& ch, std::size_t) { ch.Name = "EDITED"; });
    f.window->MemStringGrid1DblClick();
    QVERIFY(f.window->MemoryChanged());

    f.prompts->saveAnswers.enqueue(Path("saved.zem"));
    f.Choose("Save2");
    QCOMPARE(f.prompts->saveRequests.size(), 1);
    CompareRequest(f.prompts->saveRequests[0],
                   {"SaveDialog1", "設定をファイルに保存する", "ZEM_D7ファイル|*.ZEM|*.*|*.*", "*.zem", true});

    QVERIFY(Reload(Path("saved.zem")) == f.window->Image());
    QCOMPARE(f.window->Image().Channels[0].Name.str(), std::string("EDITED"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 saved.zem"));
    QVERIFY(!f.window->MemoryChanged());

    // The next save offers the current file.
    f.Choose("Save2");
    QCOMPARE(f.prompts->saveRequests[1].fileName, Path("saved.zem"));
}

void FileCommandsTest::saveUnderANameWithoutExtension() {
    WindowFixture f;
    f.Change([](zem::RadioImage& image) { image = SampleImage(); });
    f.prompts->saveAnswers.enqueue(Path("noextension"));
    f.Choose("Save2");
    QVERIFY(QFile::exists(Path("noextension")));
    QVERIFY(!QFile::exists(Path("noextension.zem")));

    WindowFixture other;
    other.prompts->openAnswers.enqueue(Path("noextension"));
    other.Choose("Open2");
    QCOMPARE(other.MemCell(1, 1), QStringLiteral("Empty"));
    QCOMPARE(other.window->windowTitle(), QStringLiteral("ZEM_D7"));
    QVERIFY(other.prompts->messages.isEmpty());

    QVERIFY(QFile::rename(Path("noextension"), Path("noextension.zem")));
    other.window->Openzem(Path("noextension.zem"));
    QCOMPARE(other.MemCell(5, 1), QStringLiteral("CALL"));
}

void FileCommandsTest::japaneseFileNames() {
    WindowFixture f;
    f.Change([](zem::RadioImage& image) { image = SampleImage(); });
    f.prompts->saveAnswers.enqueue(Path("無線機の設定.zem"));
    f.Choose("Save2");
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 無線機の設定.zem"));
    QVERIFY(f.prompts->messages.isEmpty());

    WindowFixture other(Path("無線機の設定.zem"));
    QCOMPARE(other.MemCell(5, 1), QStringLiteral("CALL"));
}

void FileCommandsTest::saveOverWritesTheOpenFileWithoutDialog() {
    zem::SaveZemFile(Path("over.zem").toStdString(), SampleImage());
    WindowFixture f(Path("over.zem"));
    f.Change([](zem::RadioImage& image) { image.Channels[1] = zem::ParseCsvLine("439.00,NEW,"); });
    f.Choose("Save1");
    QVERIFY(f.prompts->saveRequests.isEmpty());
    QVERIFY(Reload(Path("over.zem")).Channels[1].Name == "NEW");
}

void FileCommandsTest::saveOverKeepsEditsOfTheRadioPage() {
    zem::SaveZemFile(Path("edit.zem").toStdString(), SampleImage());
    WindowFixture f(Path("edit.zem"));
    auto* message = f.window->findChild<QLineEdit*>(QStringLiteral("MESEdit"));
    QVERIFY(message);
    message->setText(QStringLiteral("EDITED"));
    f.Choose("Save1");
    QVERIFY(Reload(Path("edit.zem")).Settings.MES == "EDITED");
    QVERIFY(f.window->Image().Settings.MES == "EDITED");
}

void FileCommandsTest::saveOverWithoutAFileAsksForOne() {
    WindowFixture f;
    f.Choose("Save1");
    QCOMPARE(f.prompts->saveRequests.size(), 1);
    QCOMPARE(f.prompts->saveRequests[0].title, QStringLiteral("設定をファイルに保存する"));
}

void FileCommandsTest::saveFailureKeepsTheFlagsAndTheFile() {
    zem::SaveZemFile(Path("good.zem").toStdString(), SampleImage());
    WindowFixture f(Path("good.zem"));
    f.window->SetChannelEditor([](zem::MemoryChannel& ch, std::size_t) { ch.Name = "EDITED"; });
    f.window->MemStringGrid1DblClick();
    QVERIFY(!f.window->Savezem(Path("missing-folder/x.zem")));
    QCOMPARE(f.prompts->messages.size(), 1);
    QCOMPARE(f.prompts->messages[0].caption, QStringLiteral("エラー"));
    QVERIFY(f.prompts->messages[0].text.contains(QStringLiteral("x.zem")));
    QVERIFY(f.window->MemoryChanged());
    QCOMPARE(f.window->CurrentPath(), Path("good.zem"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 good.zem *"));
}

void FileCommandsTest::droppedFileIsOpened() {
    zem::SaveZemFile(Path("dropped.zem").toStdString(), SampleImage());
    WindowFixture f;
    QVERIFY(f.window->acceptDrops());
    Drop(f, {QUrl::fromLocalFile(Path("dropped.zem")), QUrl::fromLocalFile(Path("second.zem"))});
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 dropped.zem"));
    QCOMPARE(f.MemCell(5, 1), QStringLiteral("CALL"));
}

void FileCommandsTest::csvImportThroughTheMenu() {
    const std::string memo = *zem::Utf8ToCp932("自宅");
    WriteBytes(Path("channels.csv"), QByteArray("145.02,HOME,") + QByteArray::fromStdString(memo) +
                                         "\r\n433.5\r\n174.0,X,Y\r\n125.0,AIR,tower\r\n");
    WindowFixture f;
    f.Change([](zem::RadioImage& image) { image.Channels[2] = zem::ParseCsvLine("439.00,KEEP,"); });
    f.prompts->openAnswers.enqueue(Path("channels.csv"));
    f.Choose("CSV1");

    const zem::FileDialogRequest& request = f.prompts->openRequests[0];
    QCOMPARE(request.objectName, QStringLiteral("OpenDialog2"));
    QCOMPARE(request.title, QStringLiteral("CSVファイルを取り込む"));
    QCOMPARE(request.filter, QStringLiteral("*.CSV|*.csv|*.*|*.*"));
    const QStringList row1{"145.02000MHz", "Simplex", "FM", "20.0kHz", "HOME", "自宅"};
    for (int c = 1; c <= 6; ++c)
        QCOMPARE(f.MemCell(c, 1), row1[c - 1]);
    QCOMPARE(f.MemCell(5, 2), QStringLiteral("AIR"));
    QCOMPARE(f.MemCell(5, 3), QStringLiteral("KEEP"));
    CompareImportReport(f, "2",
                        QStringLiteral("2 行目を取り込みませんでした: ',' がない行です（周波数だけのチャンネルも "
                                       "'145.0,' と書きます）\n"
                                       "3 行目を取り込みませんでした: '174.0' MHz は受信できる周波数（118〜135、"
                                       "136〜173、320〜399、400〜479 MHz）ではありません"));
    // An import is work a memory read would lose.
    QVERIFY(f.window->MemoryChanged());
}

void FileCommandsTest::csvImportShowsTheRowsBeforeABadLine() {
    WriteBytes(Path("bad.csv"), "145.02,HOME,\nfrequency,name,memo\n433.00,LATE,\n");
    WindowFixture f;
    f.prompts->openAnswers.enqueue(Path("bad.csv"));
    f.Choose("CSV1");
    QCOMPARE(f.MemCell(5, 1), QStringLiteral("HOME"));
    QCOMPARE(f.MemCell(1, 2), QStringLiteral("Empty"));
    QCOMPARE(f.prompts->messages.size(), 1);
    QCOMPARE(f.prompts->messages[0].text, QStringLiteral("'frequency' は浮動小数点数ではありません"));
}

void FileCommandsTest::csvImportCancelledOnlyRedraws() {
    WindowFixture f;
    const zem::RadioImage before = f.window->Image();
    f.Choose("CSV1");
    QVERIFY(f.window->Image() == before);
    QVERIFY(f.prompts->messages.isEmpty());
    QVERIFY(!f.window->MemoryChanged());
}

void FileCommandsTest::csvExportThroughTheMenuIsReadBack() {
    WindowFixture f;
    f.Change([](zem::RadioImage& image) { image = SampleImage(); });
    QVERIFY(f.Action("CSV2")->isVisible());
    f.prompts->saveAnswers.enqueue(Path("channels.csv"));
    f.Choose("CSV2");
    QCOMPARE(f.prompts->saveRequests.size(), 1);
    CompareRequest(f.prompts->saveRequests[0],
                   {"SaveDialog2", "CSV形式で保存する", "CSVファイル|*.CSV|*.*|*.*", "*.csv", true});
    QCOMPARE(ReadBytes(Path("channels.csv")),
             QByteArray::fromStdString(zem::ExportChannelCsv(SampleImage().Channels).text));
    QVERIFY(f.prompts->messages.isEmpty());

    WindowFixture other;
    other.prompts->openAnswers.enqueue(Path("channels.csv"));
    other.Choose("CSV1");
    QVERIFY(other.prompts->messages.isEmpty());
    QVERIFY(other.window->Image().Channels[0] == SampleImage().Channels[0]);
    QVERIFY(other.window->Image().Channels[7] == SampleImage().Channels[7]);
    QCOMPARE(other.MemCell(5, 8), QStringLiteral("UHF"));
    // The scan memories are not in the file.
    QVERIFY(other.window->Image().Channels[zem::LowerScanRow(2)] == zem::StartupImage().Channels[zem::LowerScanRow(2)]);

    // What the layout cannot carry is reported in one message once the file is saved.
    f.Change([](zem::RadioImage& image) {
        image.Channels[149] = zem::ParseCsvLine("145.0,REV,");
        image.Channels[149].Reverse = '1';
    });
    f.prompts->saveAnswers.enqueue(Path("reverse.csv"));
    f.Choose("CSV2");
    QVERIFY(QFileInfo::exists(Path("reverse.csv")));
    QCOMPARE(f.prompts->messages.size(), 1);
    QCOMPARE(f.prompts->messages[0].caption, QStringLiteral("CSV形式に保存"));
    QVERIFY2(f.prompts->messages[0].text.startsWith(
                 QStringLiteral("reverse.csv に保存しました。この形式に書けないので除いた項目は次のとおりです。\n")),
             qPrintable(f.prompts->messages[0].text));
    QVERIFY(f.prompts->messages[0].text.endsWith(
        QStringLiteral("（Location '149'）: リバース ON はこの形式にないので書きませんでした")));
}

void FileCommandsTest::csvImportOfTheChannelLayoutReportsInOneMessage() {
    WriteBytes(Path("layout.csv"), "Frequency,Location,Mode,Name\r\n145.0,3,DV,DSTAR\r\n125.0,4,AM,AIR\r\n"
                                   "433.0,5,FM,TOOLONGNAME\r\n");
    WindowFixture f;
    f.prompts->openAnswers.enqueue(Path("layout.csv"));
    f.Choose("CSV1");
    QCOMPARE(f.MemCell(1, 4), QStringLiteral("Empty"));
    QCOMPARE(f.MemCell(5, 5), QStringLiteral("AIR"));
    QCOMPARE(f.MemCell(3, 5), QStringLiteral("AM"));
    QCOMPARE(f.MemCell(5, 6), QStringLiteral("TOOLONGN"));
    CompareImportReport(f, "2",
                        QStringLiteral("2 行目（Location '3'）を取り込みませんでした: Mode 'DV' は TH-D7 "
                                       "にありません（FM と AM だけです）\n"
                                       "4 行目（Location '5'）: Name は 8 バイトまでなので 'AME' を切りました"));
}

// An ESC from a file reaches no message raw, and a file no real CSV reaches is refused unread.
void FileCommandsTest::messagesEscapeWhatFilesHold() {
    WriteBytes(Path("esc.csv"), "\x1B[2J,A,\n");
    WriteBytes(Path("huge.csv"), "");
    QVERIFY(QFile::resize(Path("huge.csv"), qint64{2} << 30)); // sparse
    WindowFixture f;
    f.prompts->openAnswers << Path("esc.csv") << Path("huge.csv");
    f.Choose("CSV1");
    f.Choose("CSV1");
    QCOMPARE(f.prompts->messages.size(), 2);
    QCOMPARE(f.prompts->messages[0].text, QStringLiteral("'\\x1B[2J' は浮動小数点数ではありません"));
    QVERIFY2(f.prompts->messages[1].text.endsWith(QStringLiteral("huge.csv は大きすぎます（64 MB を超えています）")),
             qPrintable(f.prompts->messages[1].text));
}

// A name copied from a Windows disk is CP932: the drop carries its bytes, and they open the file.
void FileCommandsTest::droppedCp932NameIsOpened() {
    const QByteArray name = "\x83\x65\x83\x58\x83\x67.zem"; // テスト.zem
    const std::string path = QFile::encodeName(dir_->path()).toStdString() + "/" + name.toStdString();
    zem::SaveZemFile(path, SampleImage());
    WindowFixture f;
    Drop(f,
         {QUrl::fromEncoded("file://" + QUrl::toPercentEncoding(dir_->path(), "/") + "/" + name.toPercentEncoding())});
    QCOMPARE(f.MemCell(5, 1), QStringLiteral("CALL"));
    std::remove(path.c_str()); // Qt cannot name it to remove it with the folder
}

// An edit of any block marks the title until it is undone or saved; closing then says so and
// offers 保存, which saves over the file and closes.
void FileCommandsTest::titleAndCloseQuestionShowUnsavedWork() {
    zem::SaveZemFile(Path("work.zem").toStdString(), SampleImage());
    WindowFixture f(Path("work.zem"));
    f.window->show();
    f.window->SetVfoEditor([](zem::VfoRecord& vfo, std::size_t) { vfo.LowerLimit = "00119"; });
    f.window->VFOStringGrid1DblClick();
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 work.zem *"));
    f.window->SetVfoEditor([](zem::VfoRecord& vfo, std::size_t index) { vfo = SampleImage().Vfos[index]; });
    f.window->VFOStringGrid1DblClick(); // undone
    QTest::keyClicks(f.window->findChild<QLineEdit*>(QStringLiteral("MYCEdit")), "X");
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 work.zem *"));
    f.prompts->saveQuestionAnswers.enqueue(zem::Prompts::Answer::Save);
    QVERIFY(f.window->close());
    QCOMPARE(f.prompts->questions.last().text, QStringLiteral("終了しますか？\n変更が保存されていません。"));
    QCOMPARE(Reload(Path("work.zem")).Settings.MYC.str(), std::string("JA1ZZZX"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 work.zem"));
}

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"
