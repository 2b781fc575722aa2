#include "radio_fixture.h"

#include "link/access_advice.h"
#include "link/open_failure.h"
#include "link/tcomm_thread.h"
#include "model/file_io.h"
#include "model/settings_file.h"
#include "model/write_mask.h"
#include "sim/pty_server.h"
#include "ui/memory_editing.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>

using zem::MemoryChannel;

namespace {

const char* const kOperations[] = {"T2", "M1", "M2", "R4", "VFOV2", "VFO1", "N8", "S1", "WriteChanged"};

} // namespace

class RadioOperationsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(InstallWindowLanguage()); }
    void connectCheckAndDisconnect();
    void transfersCopyTablesBothWays();
    void transfersAskBeforeLosingWork();
    void readWithRowsThatGotNoAnswer();
    void writeCheckedByReadingBack();
    void writeChangedWritesWhatDiffers();
    void historyRestoresTheRadio();
    void stoppedTransfersCountOnlyWhatMoved();
    void settingsReadWithAWarningAreAskedAbout();
    void waitWindowClosedEarly();
    void checkWithoutAnswerGivesNoVerdict();
    void disconnectDuringVerifiedWrite();
    void checksAndTransfersOverAPseudoTerminal();
    void portThatCannotBeOpened();
    void portMenuChoices();
    void portDoctor();
    void unknownCodesChangeNothing();
    void closingWhileConnectedStopsTheLink();
};

void RadioOperationsTest::connectCheckAndDisconnect() {
    RadioFixture f;
    for (const char* item : kOperations)
        QVERIFY(!f.Enabled(item));
    QVERIFY(!f.window->findChild<QWidget*>(QStringLiteral("Panel4"))->isHidden());
    QCOMPARE(f.Action("O1")->text(), QStringLiteral("接続(&O)"));

    f.Connect();
    for (const char* item : kOperations)
        QVERIFY(f.Enabled(item));
    QVERIFY(f.Enabled("S3") && !f.Enabled("P1"));
    QVERIFY(f.window->findChild<QGroupBox*>(QStringLiteral("GroupBox5"))->isEnabled());
    QVERIFY(f.window->findChild<QWidget*>(QStringLiteral("Panel4"))->isHidden());
    QCOMPARE(f.Action("O1")->text(), QStringLiteral("切断(&C)"));

    // A check runs without a wait window; until its answer nothing else may start.
    f.engine->SetModified(true);
    for (const auto& [item, answer] : {std::pair{"T2", "TH-D7です"}, std::pair{"M1", "改造済み"}}) {
        f.Choose(item);
        for (const char* other : kOperations)
            QVERIFY(!f.Enabled(other));
        QTRY_COMPARE(f.LastMessage(), QString::fromUtf8(answer));
        QCOMPARE(f.prompts->messages.last().caption, QStringLiteral("ID"));
        QVERIFY(f.Enabled("R4"));
    }

    f.Disconnect();
    QVERIFY(!f.radio.Connected() && f.Enabled("P1") && !f.Enabled("T2"));
    QCOMPARE(f.Action("O1")->text(), QStringLiteral("接続(&C)"));
    QCOMPARE(f.prompts->messages.size(), 2);
}

void RadioOperationsTest::transfersCopyTablesBothWays() {
    RadioFixture f;
    zem::RadioImage radioImage = f.engine->Image();
    radioImage.Channels[3] = Channel("00433020000", "RADIO");
    radioImage.Vfos[4].LowerLimit = "00330";
    f.engine->SetImage(radioImage);
    f.Connect();
    const QString emptyName = f.MemCell(5, 4);

    // Nothing edited yet: the reads start at once and fill the window. Each result box stands
    // over the wait window, which goes once the box is dismissed.
    int shownOverWait = 0;
    f.prompts->onMessage = [&] { shownOverWait += f.wait.isVisible() ? 1 : 0; };
    for (const auto& [item, done] : {std::pair{"M2", "読み込み終了"}, std::pair{"VFOV2", "VFO読みとり完了しました"},
                                     std::pair{"N8", "設定読み込み完了しました"}}) {
        f.Choose(item);
        QCOMPARE(f.LastMessage(), QString::fromUtf8(done));
    }
    QVERIFY(f.prompts->questions.isEmpty());
    QCOMPARE(shownOverWait, 3);
    QCOMPARE(f.prompts->messages.first().caption, QStringLiteral("MR"));
    QCOMPARE(f.MemCell(5, 4), QStringLiteral("RADIO"));
    QCOMPARE(f.Grid("VFOStringGrid1")->Cell(1, 5), QStringLiteral("330MHz"));
    // The memory read is one step of the 編集 history.
    QCOMPARE(f.window->Editing().History().count(), 1);
    f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(0);
    f.Choose("Undo1");
    QCOMPARE(f.MemCell(5, 4), emptyName);
    f.Choose("Redo1");
    QCOMPARE(f.MemCell(5, 4), QStringLiteral("RADIO"));
    auto* progress = f.wait.findChild<QProgressBar*>(QStringLiteral("WaitProgress"));
    QVERIFY(progress->maximum() > 0 && progress->value() == progress->maximum());
    QVERIFY(!f.wait.isVisible() && f.Enabled("M2"));

    f.Change([](zem::RadioImage& image) {
        image.Channels[3].Name = "EDITED";
        image.Vfos[4].LowerLimit = "00340";
    });
    f.prompts->questionAnswers.append({true, true});
    f.Choose("R4");
    f.Choose("VFO1");
    QCOMPARE(f.LastMessage(), QStringLiteral("VFO書き込み完了しました"));
    QVERIFY(f.engine->Image().Channels[3].Name == "EDITED");
    QVERIFY(f.engine->Image().Vfos[4].LowerLimit == "00340");

    // A read or a write leaves the tables as the radio holds them: reading again loses nothing
    // and asks nothing.
    for (const char* read : {"M2", "VFOV2", "N8"})
        f.Choose(read);
    QCOMPARE(f.prompts->questions.size(), 2);
}

// Once the tables have been edited, every transfer asks first: Cancel sends nothing to the radio
// and changes nothing, OK runs it. Saving the file makes the reads start at once again.
void RadioOperationsTest::transfersAskBeforeLosingWork() {
    RadioFixture f;
    f.Connect();
    f.window->SetChannelEditor([](MemoryChannel& ch, std::size_t) { ch.Name = "EDITED"; });
    f.window->SetVfoEditor([](zem::VfoRecord& vfo, std::size_t) { vfo.LowerLimit = "00119"; });
    f.window->MemStringGrid1DblClick();
    f.window->VFOStringGrid1DblClick();
    auto* message = f.window->findChild<QLineEdit*>(QStringLiteral("MESEdit"));
    message->selectAll();
    QTest::keyClicks(message, "CQ CQ");
    QVERIFY(f.window->SettingsChanged());

    struct Row {
        const char* item;
        const char* question;
        const char* caption;
        const char* done;
    };
    for (const Row& r : {
             Row{"M2", "メモリデーターの変更が失われます。続行しますか？", "メモリ読み込み", "読み込み終了"},
             Row{"R4", "TH-D7メモリに書き込みます", "メモリ書き込み", "書き込み終了"},
             Row{"VFOV2", "VFO設定の変更か失われます。続行しますか？", "VFO書き込み", "VFO読みとり完了しました"},
             Row{"VFO1", "TH-D7にVFO設定を書き込みます", "VFO書き込み", "VFO書き込み完了しました"},
             Row{"N8", "設定の変更か失われます。続行しますか？", "設定読み込み", "設定読み込み完了しました"},
             Row{"S1", "設定を書き込みますか？", "設定書き込み", "設定書き込み完了しました"},
         }) {
        // The settings read brought the radio's message: the write asks only for an edit.
        if (std::string_view(r.item) == "S1") {
            message->selectAll();
            QTest::keyClicks(message, "CQ CQ");
        }
        f.engine->ClearLog();
        const qsizetype shown = f.prompts->messages.size();
        f.Choose(r.item);
        QCOMPARE(f.prompts->questions.last().text, QString::fromUtf8(r.question));
        QCOMPARE(f.prompts->questions.last().caption, QString::fromUtf8(r.caption));
        QVERIFY2(f.engine->CommandLog().empty() && f.prompts->messages.size() == shown, r.item);
        f.prompts->questionAnswers.enqueue(true);
        f.Choose(r.item);
        QCOMPARE(f.LastMessage(), QString::fromUtf8(r.done));
        QVERIFY2(!f.engine->CommandLog().empty(), r.item);
    }
    QVERIFY(f.engine->Image().Settings.MES == "CQ CQ");

    QTemporaryDir dir;
    QVERIFY(f.window->Savezem(dir.filePath(QStringLiteral("a.zem"))));
    const qsizetype asked = f.prompts->questions.size();
    for (const char* read : {"M2", "VFOV2", "N8"})
        f.Choose(read);
    QCOMPARE(f.prompts->questions.size(), asked);
}

// Channel 0's read gets no answer, asked again neither: that row stays the window's own and the
// result says so; every other row comes from the radio.
void RadioOperationsTest::readWithRowsThatGotNoAnswer() {
    zem::sim::SimOptions options;
    options.faults.emplace_back(zem::sim::Fault::Kind::NoAnswer, 0, "MR 0,0,000");
    RadioFixture f(options);
    zem::RadioImage radioImage = f.engine->Image();
    radioImage.Channels[0] = Channel("00439000000", "THEIRS");
    radioImage.Channels[1] = Channel("00439500000", "SECOND");
    f.engine->SetImage(radioImage);
    f.Change([](zem::RadioImage& image) { image.Channels[0] = Channel("00145000000", "MINE"); });
    f.Connect();
    f.prompts->questionAnswers.enqueue(true); // the table holds a channel the radio has not
    f.Choose("M2");
    QCOMPARE(f.LastMessage(), QStringLiteral("読み込みエラー\n\n170 件中 169 件を読み込み、1 件は読めませんでした。\n"
                                             "読めなかった行は元のまま残しています。\n"
                                             "0: 無線機から応答がありませんでした\n\n再試行: 1 回"));
    QCOMPARE(f.window->statusBar()->currentMessage(), QStringLiteral("完了: 1 行を読めず、元のまま残しました"));
    QCOMPARE(f.MemCell(5, 1), QStringLiteral("MINE"));
    QCOMPARE(f.MemCell(5, 2), QStringLiteral("SECOND"));
}

// 変更分を書き込み in a window that loaded nothing: the radio is read first (a row garbled once),
// the question lists the two edited channels and nothing of the radio's other channels, VFOs or
// settings; Cancel sends nothing, OK writes those two. A memory write of that table then says
// that it never came from the radio or a file, and how many used channels it would empty.
void RadioOperationsTest::writeChangedWritesWhatDiffers() {
    zem::sim::SimOptions options;
    options.faults.emplace_back(zem::sim::Fault::Kind::Garble, 1, "MR 0,0,003");
    RadioFixture f(options);
    f.window->GetMenu();
    zem::RadioImage radio = f.window->Image();
    radio.Channels[3] = Channel("00433020000", "OLD");
    radio.Channels[5] = Channel("00145000000", "FIVE");
    radio.Channels[9] = Channel("00146000000", "OLD9");
    radio.Vfos[1].LowerLimit = "00140";
    radio.Settings.MES = "D7 SIM";
    f.engine->SetImage(radio);
    f.Change([](zem::RadioImage& image) {
        image.Channels[5] = Channel("00433000000", "FIVE");
        image.Channels[9] = Channel("00146000000", "NEW9");
    });
    f.Connect();
    f.prompts->questionAnswers.append(false);
    f.Choose("WriteChanged");
    QTRY_COMPARE(f.prompts->questions.size(), 1);
    QCOMPARE(f.prompts->questions.last().text,
             QStringLiteral("TH-D7に変更分を書き込みます\n\n無線機で変わるもの（2 件）:\n"
                            "チャンネル 005: 145.00000MHz → 433.00000MHz\nチャンネル 009: 名前: OLD9 → NEW9\n"
                            "（書き込む前に無線機の内容を読み込みました）"));
    QVERIFY(!f.wait.isVisible());
    QCOMPARE(zem::ChangedParts(f.engine->Image(), radio).Count(), 0u);

    f.prompts->questionAnswers.append(true);
    f.Choose("WriteChanged");
    QTRY_COMPARE(f.LastMessage(), QStringLiteral("変更分 2 件を書き込みました"));
    radio.Channels[5] = f.window->Image().Channels[5];
    radio.Channels[9] = f.window->Image().Channels[9];
    QCOMPARE(zem::ChangedParts(f.engine->Image(), radio).Count(), 0u);

    f.Choose("R4");
    QCOMPARE(f.prompts->questions.last().text,
             QStringLiteral("TH-D7メモリに書き込みます\nこのメモリ表は無線機からもファイルからも読み込んでいません"
                            "（起動時の内容です）。無線機で使用中のチャンネル 1 件が空きになります。"));
}

// A read and a write are kept; 無線機の履歴 lists them, shows the chosen entry's differences from
// the table, and 無線機に戻す writes its channel back after the question that lists it.
void RadioOperationsTest::historyRestoresTheRadio() {
    QTemporaryDir dir;
    qputenv("ZEM_D7_HISTORY", dir.path().toUtf8());
    RadioFixture f;
    f.session.KeepHistory(dir.path().toStdString());
    zem::RadioImage radio = f.engine->Image();
    radio.Channels[3] = Channel("00433020000", "RADIO");
    f.engine->SetImage(radio);
    f.Connect();
    f.Choose("M2");
    f.Change([](zem::RadioImage& image) { image.Channels[3].Name = "EDITED"; });
    f.prompts->questionAnswers.append({true, true});
    f.Choose("R4");
    QCOMPARE(f.LastMessage(), QStringLiteral("書き込み終了"));

    // Chooses the entry in `row` (from the newest) and presses `button`; `shown` takes the list's
    // kinds and counts, then the differences.
    QStringList shown;
    int row = 1;
    const char* button = "HistoryRestore";
    std::function<void()> answer = [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != QStringLiteral("HistoryDialog")) {
            QTimer::singleShot(20, answer);
            return;
        }
        auto* list = dialog->findChild<QTableWidget*>(QStringLiteral("HistoryList"));
        for (int r = 0; r < list->rowCount(); ++r)
            shown << list->item(r, 1)->text() + QLatin1Char(' ') + list->item(r, 4)->text();
        list->selectRow(row);
        shown << dialog->findChild<QPlainTextEdit*>(QStringLiteral("HistoryDifferences"))->toPlainText();
        dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    };
    QTimer::singleShot(0, answer);
    f.Choose("History1");
    QTRY_COMPARE(f.LastMessage(), QStringLiteral("変更分 1 件を書き込みました"));
    QCOMPARE(shown,
             QStringList({QStringLiteral("書き込み後 1"), QStringLiteral("書き込み前 0"), QStringLiteral("読み出し -"),
                          QStringLiteral("今の表との違い（1 か所、履歴 → 表）:\n3\t名前: RADIO → EDITED")}));
    QCOMPARE(f.prompts->questions.last().text,
             QStringLiteral(
                 "TH-D7を履歴の内容に戻します\n\n無線機で変わるもの（1 件）:\nチャンネル 003: 名前: EDITED → RADIO"));
    QVERIFY(f.engine->Image().Channels == radio.Channels);

    // 開く takes the read's channels into the table, which then has no file name and is unsaved work.
    shown.clear();
    row = 4; // the read, below the restore's two entries and the write's
    button = "HistoryOpen";
    QTimer::singleShot(0, answer);
    f.Choose("History1");
    QCOMPARE(shown.size(), 6);
    QCOMPARE(shown[4], QStringLiteral("読み出し -"));
    QCOMPARE(f.MemCell(5, 4), QStringLiteral("RADIO"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 *")); // unsaved until saved
    qunsetenv("ZEM_D7_HISTORY");
}

// A radio switched off part-way: the box never says the transfer was done, and counts only the
// rows or VFOs moved whole, not the one under way when the radio fell silent.
void RadioOperationsTest::stoppedTransfersCountOnlyWhatMoved() {
    struct Case {
        const char* command;
        const char* stopAt;
        const char* text;
    };
    const Case cases[] = {
        {"R4", "MW 0,0,041",
         "無線機が応答しません。途中で止めました。\n切断してから 通信 → 接続診断(G) "
         "を選ぶと、原因を調べられます。\n\n書き込みエラー\n\n170 件中 41 件を書き込み、129 "
         "件は書き込めませんでした。\n無線機には、書き込んだ内容と元の内容が混ざっています。"},
        {"VFOV2", "VR 1",
         "無線機が応答しません。途中で止めました。\n切断してから 通信 → 接続診断(G) "
         "を選ぶと、原因を調べられます。\n\nVFO読みとりエラー\n\n6 件中 0 件を読み込み、6 "
         "件は読めませんでした。\n読めなかった VFO は元のまま残しています。\nA125: 無線機から応答がありませんでした"},
    };
    for (const Case& c : cases) {
        zem::sim::SimOptions options;
        options.faults.emplace_back(zem::sim::Fault::Kind::Stop, 0, c.stopAt);
        RadioFixture f(options);
        f.Connect();
        f.prompts->questionAnswers.append(true);
        f.Choose(c.command);
        QTRY_VERIFY_WITH_TIMEOUT(!f.prompts->messages.isEmpty(), 20000);
        QVERIFY2(f.LastMessage().startsWith(QString::fromUtf8(c.text)), qPrintable(f.LastMessage()));
    }
}

// Settings from a file whose MENU line was read by position go to the radio only after a
// question naming the line; its default, Cancel, sends nothing.
void RadioOperationsTest::settingsReadWithAWarningAreAskedAbout() {
    RadioFixture f;
    std::string bytes = zem::FormatSettingsFile(f.window->Image());
    bytes.insert(bytes.find("\nMENU ") + 6, std::string(2000, ','));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shifted.zem"));
    zem::SaveFileAtomically(path.toStdString(), bytes);
    f.window->Openzem(path);
    f.Connect();
    for (const char* command : {"S1", "WriteChanged"}) {
        f.Choose(command);
        QVERIFY2(f.prompts->questions.last().text.startsWith(QStringLiteral(
                     "設定ファイルの MENU 行は確かには読めていません。設定が違う項目に入っているかもしれません。\n\n"
                     "178 行目の MENU 行は")),
                 command);
        QVERIFY2(f.engine->CommandLog().empty(), command);
    }
}

// With "書き込み後に照合" checked a write is read back into the link: a channel the radio stored
// wrongly is named in the result box, the window keeps what it wrote, and nothing else may start
// while the read-back runs.
void RadioOperationsTest::writeCheckedByReadingBack() {
    zem::sim::SimOptions options;
    options.faults.emplace_back(zem::sim::Fault::Kind::AlterStored, 0, "MW");
    RadioFixture f(options);
    f.Change([](zem::RadioImage& image) { image.Channels[3] = Channel("00433020000", "RADIO"); });
    f.Action("VerifyAfterWrite")->setChecked(true);
    f.Connect();
    bool waitedDisabled = false;
    QString waitCaption;
    QObject::connect(&f.session, &zem::RadioSession::verifying, [&] {
        waitedDisabled = !f.Enabled("M2") && !f.Enabled("R4");
        waitCaption = f.wait.findChild<QLabel*>(QStringLiteral("WaitCaption"))->text();
    });
    f.prompts->questionAnswers.append({true, true});
    f.Choose("R4");
    QCOMPARE(f.LastMessage(), QStringLiteral("書き込み終了\n\n照合: 1 か所が書き込んだ内容と異なります\n"
                                             "3\t受信周波数: 433.02000MHz → 433.03000MHz"));
    QVERIFY(waitedDisabled);
    QVERIFY2(waitCaption.endsWith(QStringLiteral("書き込んだ内容を読み返して照合しています")), qPrintable(waitCaption));
    QVERIFY(f.window->Image().Channels[3].RxFreq == "00433020000");
    QVERIFY(f.Enabled("M2") && !f.wait.isVisible());

    f.Choose("VFO1");
    QCOMPARE(f.LastMessage(), QStringLiteral("VFO書き込み完了しました\n\n照合: 相違なし"));
}

// Closing the wait window ends only the wait: the read goes on, nothing else may start until it
// has finished, and its result still comes. Meanwhile no row of the table it fills opens its
// dialog, which would put the row back as it was before the read.
void RadioOperationsTest::waitWindowClosedEarly() {
    zem::sim::SimOptions options;
    options.delay = std::chrono::milliseconds(2);
    RadioFixture f(options);
    int opened = 0;
    f.window->SetChannelEditor([&](MemoryChannel&, std::size_t) { ++opened; });
    f.window->SetVfoEditor([&](zem::VfoRecord&, std::size_t) { ++opened; });
    f.Connect();
    QTimer::singleShot(0, &f.wait, &QDialog::reject);
    f.Choose("M2");
    QVERIFY(f.prompts->messages.isEmpty());
    QVERIFY(!f.Enabled("M2") && !f.Enabled("T2"));
    f.window->MemStringGrid1DblClick();
    QCOMPARE(opened, 0);
    QVERIFY(f.window->statusBar()->currentMessage().startsWith(QStringLiteral("読み込み中は編集できません")));
    f.window->VFOStringGrid1DblClick(); // the VFO table is not being read
    QCOMPARE(opened, 1);
    // Nothing else changes the table the read is to replace: what the user did would be lost.
    f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(0);
    const char* const changing[] = {"Paste1", "Clear1", "DeleteRow1", "S2", "CSV1", "Open2", "History1"};
    for (const char* item : changing)
        QVERIFY2(!f.Enabled(item), item);
    QVERIFY(f.Enabled("Copy1"));
    QTRY_COMPARE_WITH_TIMEOUT(f.LastMessage(), QStringLiteral("読み込み終了"), 20000);
    QVERIFY(f.Enabled("Paste1") && f.Enabled("Open2") && f.Enabled("M2"));
    f.window->MemStringGrid1DblClick();
    QCOMPARE(opened, 2);
}

// A check nothing answered says so instead of giving a verdict.
void RadioOperationsTest::checkWithoutAnswerGivesNoVerdict() {
    zem::sim::SimOptions options;
    options.faults.emplace_back(zem::sim::Fault::Kind::NoAnswer, 0, "ID");
    options.faults.emplace_back(zem::sim::Fault::Kind::NoAnswer, 0, "FL");
    RadioFixture f(options);
    f.Connect();
    for (const char* check : {"T2", "M1"}) {
        const qsizetype shown = f.prompts->messages.size();
        f.Choose(check);
        QTRY_COMPARE_WITH_TIMEOUT(f.prompts->messages.size(), shown + 1, 10000);
        QVERIFY2(f.LastMessage().startsWith(QStringLiteral("無線機から応答がありませんでした。")), check);
    }
}

// 切断 while a checked write runs (its wait window closed): the write's result still comes and
// says the read-back could not run.
void RadioOperationsTest::disconnectDuringVerifiedWrite() {
    zem::sim::SimOptions options;
    options.delay = std::chrono::milliseconds(2);
    RadioFixture f(options);
    f.Action("VerifyAfterWrite")->setChecked(true);
    f.Connect();
    QTimer::singleShot(0, &f.wait, &QDialog::reject);
    f.prompts->questionAnswers.enqueue(true);
    f.Choose("R4");
    QTRY_VERIFY(f.wait.findChild<QProgressBar*>(QStringLiteral("WaitProgress"))->maximum() > 0); // under way
    f.Choose("O1");
    QTRY_COMPARE_WITH_TIMEOUT(f.LastMessage(),
                              QStringLiteral("書き込み終了\n\n照合: 切断したため、読み返せませんでした。"), 20000);
    QTRY_VERIFY(!f.session.Linked());
}

void RadioOperationsTest::checksAndTransfersOverAPseudoTerminal() {
    zem::sim::PtyServer server;
    QCOMPARE(QString::fromStdString(server.Start()), QString());
    zem::RadioImage image = server.Engine().Image();
    image.Vfos[4].LowerLimit = "00330";
    server.Engine().SetImage(image);
    RadioFixture f;
    f.Connect(QString::fromStdString(server.SlavePath()));
    f.Choose("T2");
    QTRY_COMPARE(f.LastMessage(), QStringLiteral("TH-D7です"));
    QVERIFY(!f.session.FastTransfers());
    f.Action("FastTransfer")->setChecked(true);
    f.Choose("VFOV2");
    QVERIFY(f.session.FastTransfers());
    QCOMPARE(f.LastMessage(), QStringLiteral("VFO読みとり完了しました"));
    QCOMPARE(f.Grid("VFOStringGrid1")->Cell(1, 5), QStringLiteral("330MHz"));
    f.Disconnect();
}

void RadioOperationsTest::portThatCannotBeOpened() {
    RadioFixture f;
    f.radio.SelectPort(QStringLiteral("/nonexistent/ttyZ9"));
    f.Choose("O1");
    QTRY_VERIFY(!f.session.Linked());
    QCOMPARE(f.prompts->messages.size(), 1);
    QVERIFY2(
        f.LastMessage().startsWith(QStringLiteral("ポートが開けませんでした。\n\n/nonexistent/ttyZ9 がありません。")),
        qPrintable(f.LastMessage()));
    QCOMPARE(f.prompts->messages.last().caption, QStringLiteral("エラー"));
    QVERIFY(!f.radio.Connected() && f.Enabled("P1") && !f.Enabled("M2"));
    QCOMPARE(f.Action("O1")->text(), QStringLiteral("接続(&C)"));

    // A permission error gives the advice the port doctor gives.
    const std::string advice = zem::OpenFailureText(EACCES, "/dev/ttyX9");
    QVERIFY(advice.rfind(zem::PermissionText("/dev/ttyX9"), 0) == 0);
}

// The doctor's lines in a text the user can copy from; it sends "ID" and nothing else.
void RadioOperationsTest::portDoctor() {
    RadioFixture f;
    f.radio.SelectPort(QStringLiteral("sim"));
    f.Choose("Doctor1");
    const auto* text = f.window->findChild<QPlainTextEdit*>(QStringLiteral("DoctorText"));
    QVERIFY(text && text->isVisible() && text->isReadOnly());
    const QString verdict = QStringLiteral("ok TH-D7 が sim で応答しました。このポートで接続できます。");
    QTRY_VERIFY(text->toPlainText().endsWith(verdict));
    QCOMPARE(text->toPlainText(), QStringLiteral("ok sim はプログラムの中のポートです。デバイスの確認はありません。\n"
                                                 "ok sim を 9600 baud 8N1 で開きました。\n"
                                                 "ok sim の無線機が ID に「ID TH-D7」と答えました。\n") +
                                      verdict);
    QCOMPARE(f.engine->CommandLog(), std::vector<std::string>{"ID"});
}

void RadioOperationsTest::portMenuChoices() {
    RadioFixture f;
    QVERIFY(f.Action("COM221")->isChecked());
    for (const auto& [port, item] : {std::pair{"com3", "COM331"}, std::pair{"sim", "PortSimulator"},
                                     std::pair{"/dev/ttyNOWHERE", "PortGiven"}, std::pair{"COM1", "COM111"}}) {
        f.radio.SelectPort(QString::fromLatin1(port));
        QVERIFY2(f.Action(item)->isChecked(), port);
    }
    QCOMPARE(f.Action("PortSimulator")->text(), QStringLiteral("シミュレーター"));
    QCOMPARE(f.Action("PortGiven")->text(), QStringLiteral("/dev/ttyNOWHERE"));
}

void RadioOperationsTest::unknownCodesChangeNothing() {
    RadioFixture f;
    f.Connect();
    for (const int code : {10, 12, 200, -1})
        QCoreApplication::postEvent(&f.session, new zem::LinkMessage(code, 0));
    QTest::qWait(50);
    QVERIFY(f.prompts->messages.isEmpty());
    QVERIFY(f.radio.Connected() && f.Enabled("M2"));
}

void RadioOperationsTest::closingWhileConnectedStopsTheLink() {
    RadioFixture f;
    f.Connect();
    f.window->show();
    QVERIFY(!f.window->close()); // the question answered Cancel
    QVERIFY(f.radio.Connected());
    f.prompts->questionAnswers.enqueue(true);
    QVERIFY(f.window->close());
    QCOMPARE(f.prompts->questions.last().text, QStringLiteral("終了しますか？"));
    QVERIFY(f.session.Stopping());
}

QTEST_MAIN(RadioOperationsTest)
#include "radio_operations_test.moc"
