#include "radio_fixture.h"

#include "link/tcomm_thread.h"
#include "ui/scope_trace.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>

#include <sys/stat.h>

using zem::ScopeTrace;
using zem::sim::Fault;

namespace {

QPushButton* Button(WindowFixture& f, const char* name) {
    return f.window->findChild<QPushButton*>(QString::fromLatin1(name));
}

// Posts a code-11 message as the sweep does.
void Reading(RadioFixture& f, long value) {
    f.scope->ResScope(value, false);
}

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == 0xFF000000;
}

} // namespace

class ScopeAndKeysTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(InstallWindowLanguage()); }
    void keysSendTheRadiosCommands();
    void startChecksTheRange();
    void sweepDrawsAndStops();
    void sweepStopsWhenTheRadioFallsSilent();
    void drawingRules();
    void storageLinesAcrossPasses();
    void storageEndsWithTheLink();
};

void ScopeAndKeysTest::keysSendTheRadiosCommands() {
    zem::sim::SimOptions options;
    options.faults.emplace_back(Fault::Kind::Refuse, 0, "LK");
    options.faults.emplace_back(Fault::Kind::NoAnswer, 0, "LMP");
    RadioFixture f(options);
    f.Connect();
    f.engine->ClearLog();
    for (const char* key : {"TX", "RX", "UP", "DWN"})
        Button(f, key)->click();
    QCOMPARE(f.engine->CommandLog(), (std::vector<std::string>{"TX", "RX", "UP", "DW"}));

    struct Row {
        const char* button;
        std::vector<std::string> sent;
        const char* caption;
    };
    for (const Row& r : {
             Row{"BCON", {"BCN", "BCN 1"}, "BCN 1"}, Row{"BCON", {"BCN", "BCN 0"}, "BCN 0"},
             Row{"TNC", {"TNC", "TNC 1"}, "TNC 1"}, Row{"DUAL", {"DL", "DL 1"}, "DL 1"},
             Row{"BAND", {"BC", "BC 1"}, "BC 1"},
             Row{"LOCK", {"LK"}, "?"}, // an answer without the word sends nothing more
             Row{"LMP", {"LMP"}, ""},  // no answer at all
         }) {
        f.engine->ClearLog();
        Button(f, r.button)->click();
        QVERIFY2(f.engine->CommandLog() == r.sent, (r.button + (" " + f.engine->CommandLog().back())).c_str());
        QCOMPARE(Button(f, r.button)->text(), QString::fromLatin1(r.caption));
    }
}

void ScopeAndKeysTest::startChecksTheRange() {
    RadioFixture f;
    f.Connect();
    auto* lower = f.window->findChild<QLineEdit*>(QStringLiteral("DEdit"));
    auto* upper = f.window->findChild<QLineEdit*>(QStringLiteral("UEdit"));
    auto* bands = f.window->findChild<QButtonGroup*>(QStringLiteral("VRadioGroup1Items"));
    struct Row {
        const char* lower;
        const char* upper;
        const char* message; // the start of the error box, or nothing
        int band;
    };
    for (const Row& r : {
             Row{"381", "380", "下限が上限を超えています", 2},
             Row{"380", "380", "周波数範囲が不正です。", -1},
             Row{"135.5", "136.5", "周波数範囲が不正です。", -1},
             Row{"380", "380.02", "周波数範囲が狭すぎます。", 2},
             Row{"abc", "381", "下限周波数が正しくありません。\n'abc' は浮動小数点数ではありません", 2},
             Row{"380", "2147.483648", "上限周波数が正しくありません。\n'2147.483648' は範囲外の値です", 2},
             Row{"-1", "381", "下限周波数が正しくありません。\n'-1' は範囲外の値です", 2},
         }) {
        bands->button(2)->setChecked(true);
        f.prompts->messages.clear();
        f.engine->ClearLog();
        lower->setText(QString::fromLatin1(r.lower));
        upper->setText(QString::fromLatin1(r.upper));
        Button(f, "SButton1")->click();
        QCOMPARE(f.prompts->messages.size(), 1);
        QVERIFY2(f.LastMessage().startsWith(QString::fromUtf8(r.message)), qPrintable(f.LastMessage()));
        QCOMPARE(f.prompts->messages.last().caption, QStringLiteral("エラー"));
        QCOMPARE(bands->checkedId(), r.band);
        QVERIFY(Button(f, "SButton1")->isEnabled());
        QTest::qWait(20);
        QVERIFY(f.engine->CommandLog().empty());
    }

    // A range in another band than the one shown: the boxes show that band's VFO limits
    // afterwards, while the sweep takes the values typed.
    bands->button(2)->setChecked(true);
    lower->setText(QStringLiteral("144"));
    upper->setText(QStringLiteral("146"));
    f.window->findChild<QComboBox*>(QStringLiteral("StepBox"))->setCurrentIndex(8);
    zem::SweepRange asked;
    QObject::connect(f.scope, &zem::BandScope::SweepRequested, [&](const zem::SweepRange& r) { asked = r; });
    Button(f, "SButton1")->click();
    QCOMPARE(bands->checkedId(), 1);
    QCOMPARE(lower->text(), QStringLiteral("136"));
    QCOMPARE(upper->text(), QStringLiteral("173"));
    QCOMPARE(asked.lowerHz, 144'000'000);
    QCOMPARE(asked.upperHz, 146'000'000);
    QCOMPARE(asked.points, 40);
    QCOMPARE(asked.band, '0');
    QCOMPARE(asked.step, '8');
    QVERIFY(!Button(f, "SButton1")->isEnabled() && !f.Enabled("M2"));
    Button(f, "StopButton1")->click(); // most likely before the worker took the sweep up
    QTRY_VERIFY(Button(f, "SButton1")->isEnabled());
    QVERIFY(f.Enabled("M2"));
}

// The design range against the simulated radio: 55 readings a pass drawn as they come, the range
// in the status bar and under the pointer, until Stop.
void ScopeAndKeysTest::sweepDrawsAndStops() {
    RadioFixture f;
    f.Connect();
    zem::SweepRange asked;
    QObject::connect(f.scope, &zem::BandScope::SweepRequested, [&](const zem::SweepRange& r) { asked = r; });
    Button(f, "SButton1")->click();
    QCOMPARE(asked.points, 55);
    QCOMPARE(asked.band, '1');
    auto* status = f.window->findChild<QLabel*>(QStringLiteral("ScopeStatus"));
    QVERIFY(status->isVisibleTo(f.window.get()));
    QVERIFY(status->text().contains(QStringLiteral("380.2125〜381.3125 MHz")));
    // The first reading stands at x = 10 and belongs to the lower limit plus one step.
    QTRY_VERIFY(IsBlack(f.scope->Trace().Image(), 10, 59));
    Button(f, "StopButton1")->click();
    QTRY_VERIFY(Button(f, "SButton1")->isEnabled());
    QVERIFY(!status->isVisibleTo(f.window.get()));
    const std::vector<std::string> log = f.engine->CommandLog();
    QCOMPARE(log.back().substr(0, 3), std::string("ST ")); // the radio's own step restored

    // Closing the program during a sweep ends it: the fixture's end waits for the worker.
    Button(f, "SButton1")->click();
    QTRY_VERIFY(f.session.Busy());
    f.prompts->questionAnswers.enqueue(true);
    QVERIFY(f.window->close());
}

// A radio switched off once the sweep has begun stops it three silent exchanges later, with a word.
void ScopeAndKeysTest::sweepStopsWhenTheRadioFallsSilent() {
    zem::sim::SimOptions options;
    options.faults.emplace_back(Fault::Kind::Stop, 0, "UP");
    RadioFixture f(options);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scope.txt"));
    f.prompts->saveAnswers.enqueue(path);
    f.Choose("O2");
    f.Connect();
    Button(f, "SButton1")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!f.session.Busy(), 60'000);
    QCOMPARE(f.LastMessage(), QStringLiteral("無線機が応答しません。スコープを止めました。"));
    QVERIFY(Button(f, "SButton1")->isEnabled());
    // The pass cut short is not stored with the next sweep's first line.
    Reading(f, 200);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 3); // the sweep's first marker, the next one's, and the empty text after
    QVERIFY2(lines[1].endsWith(":\r"), lines[1].constData());
}

// Three readings of a pass of five (count 4): bars at k × 521 / 4 rounded half to even, each
// erasing the next column first; Clear leaves white and the baseline.
void ScopeAndKeysTest::drawingRules() {
    ScopeTrace trace;
    trace.Clear();
    const QImage blank = trace.Image();
    QCOMPARE(ScopeTrace::Column(2, 4), 260); // 260.5, to even
    QCOMPARE(ScopeTrace::Column(3, 2), 782); // 781.5, to even

    trace.Draw(1, 4, 3); // x = 130, up to y = 21
    trace.Draw(2, 4, 0); // x = 260, up to y = 51
    trace.Draw(3, 4, 9); // nothing
    const QImage& image = trace.Image();
    for (int y = 60; y >= 21; --y)
        QVERIFY(IsBlack(image, 130, y));
    QVERIFY(!IsBlack(image, 130, 20));
    QVERIFY(IsBlack(image, 260, 51) && !IsBlack(image, 260, 49) && IsBlack(image, 260, 50));
    QVERIFY(IsBlack(image, 520, 50) && !IsBlack(image, 521, 50));

    // A bar left in the erase column is wiped before the next one is drawn there.
    trace.Draw(2, 4, 5);
    trace.Draw(1, 4, 0);
    QVERIFY(!IsBlack(image, 260, 59) && IsBlack(image, 260, 50));

    trace.Draw(4, 4, 8); // reaches past the top edge
    QVERIFY(IsBlack(image, 521, 0));
    trace.Clear();
    QVERIFY(trace.Image() == blank);
}

void ScopeAndKeysTest::storageLinesAcrossPasses() {
    RadioFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scope.txt"));
    f.prompts->saveAnswers.enqueue(path);
    f.Choose("O2");
    QCOMPARE(f.prompts->saveRequests.last().objectName, QStringLiteral("SaveDialog2"));
    QVERIFY(f.scope->Storing() && !f.Enabled("O2") && f.Enabled("Exit2"));
    for (const long v : {3, 200, 1, -1, 2, 9, 200, 4, 5, 200}) // -1: a step whose S-meter was not read
        v < 0 ? f.scope->ResScope(0, true) : Reading(f, v);
    f.Choose("Exit2");
    Reading(f, 6);
    Reading(f, 200);
    QVERIFY(!f.scope->Storing() && f.Enabled("O2"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 4); // three lines and the empty text after the last LF
    const QByteArray today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toLatin1();
    const QByteArray pass[] = {":3\r", ":1-29\r", ":45\r"};
    const QByteArray zone = QDateTime::currentDateTime().timeZoneAbbreviation().toLatin1();
    for (int i = 0; i < 3; ++i) {
        QVERIFY(lines[i].startsWith(today + ' '));
        QVERIFY2(!lines[i].contains(zone), lines[i].constData());
        QVERIFY2(lines[i].endsWith(pass[i]), lines[i].constData());
    }

    // Starting again empties the file; a file that cannot be written ends storing with one box.
    f.prompts->saveAnswers.enqueue(path);
    f.Choose("O2");
    QCOMPARE(QFile(path).size(), 0);
    f.Choose("Exit2");
    // Passes that come while the box is open find storing ended: no second box.
    f.prompts->saveAnswers.enqueue(QStringLiteral("/dev/full"));
    f.Choose("O2");
    bool storingAtBox = true;
    f.prompts->onMessage = [&] {
        storingAtBox = f.scope->Storing();
        f.prompts->onMessage = nullptr;
        Reading(f, 200);
    };
    Reading(f, 200);
    Reading(f, 200);
    QVERIFY(!storingAtBox);
    QCOMPARE(f.prompts->messages.size(), 1);
    QVERIFY(f.LastMessage().startsWith(QStringLiteral("ストレージファイルに書き込めませんでした。")));
    QVERIFY(!f.scope->Storing() && f.Enabled("O2"));

    // A FIFO nobody reads is not waited for: the window would stand still until a reader came.
    const QString fifo = dir.filePath(QStringLiteral("scope.fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    f.prompts->saveAnswers.enqueue(fifo);
    f.Choose("O2");
    QVERIFY(f.LastMessage().contains(QStringLiteral("を読み出しているプログラムがないため")));
    QVERIFY(!f.scope->Storing() && f.Enabled("O2"));

    // The dialog does not ask before naming an existing file: a settings file is not emptied,
    // whatever its name, through a link too.
    const QString settings = dir.filePath(QStringLiteral("radio.bak"));
    QFile settingsFile(settings);
    QVERIFY(settingsFile.open(QIODevice::WriteOnly) && settingsFile.write("ID TH-D7 ZEM_D7;\r\n") > 0);
    settingsFile.close();
    QVERIFY(QFile::link(settings, dir.filePath(QStringLiteral("store.txt"))));
    for (const char* name : {"radio.bak", "store.txt"}) {
        f.prompts->saveAnswers.enqueue(dir.filePath(QString::fromLatin1(name)));
        f.Choose("O2");
        QVERIFY(f.LastMessage().endsWith(
            QStringLiteral("は設定ファイルです。上書きすると設定が失われるので、別のファイルを指定してください")));
        QVERIFY(!f.scope->Storing() && QFile(settings).size() > 0);
    }
}

// Disconnecting while storing closes the file with every line in it.
void ScopeAndKeysTest::storageEndsWithTheLink() {
    RadioFixture f;
    QTemporaryDir dir;
    f.prompts->saveAnswers.enqueue(dir.filePath(QStringLiteral("scope.txt")));
    f.Connect();
    f.Choose("O2");
    f.Disconnect();
    QVERIFY(!f.scope->Storing() && f.Enabled("O2") && !f.Enabled("Exit2"));
}

QTEST_MAIN(ScopeAndKeysTest)
#include "scope_and_keys_test.moc"
