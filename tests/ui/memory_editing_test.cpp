#include "window_fixture.h"

#include "ui/memory_editing.h"

#include "model/file_io.h"
#include "model/file_name.h"
#include "model/settings_file.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

using zem::MemoryChannel;

// The table as the saved file holds it, byte for byte.
std::string Saved(const WindowFixture& f) {
    return zem::FormatSettingsFile(f.window->Image());
}

struct EditFixture : WindowFixture {
    EditFixture() : WindowFixture(QStringLiteral(ZEM_SAMPLES "/sample.zem")) {
        window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(0);
    }
    void Select(std::initializer_list<std::size_t> rows) const {
        const std::vector<std::size_t> list(rows);
        window->Editing().SelectRows(list);
    }
    const MemoryChannel& Channel(std::size_t row) const { return window->Image().Channels[row]; }
};

struct Step {
    const char* name;
    std::function<void(EditFixture&)> run;
};

// A menu item chosen with these rows selected.
std::function<void(EditFixture&)> OnRows(std::vector<std::size_t> rows, const char* item) {
    return [rows, item](EditFixture& f) {
        f.window->Editing().SelectRows(rows);
        f.Choose(item);
    };
}

} // namespace

class MemoryEditingTest : public QObject {
    Q_OBJECT
private slots:
    void everyChangeIsOneStepThatUndoes();
    void historyKeepsAHundredSteps();
    void pasteInsideTheProgramGivesBackWhatWasCopied();
    void pasteFromASpreadsheetGoesByPositionAndReportsOnce();
    void pasteReportIsEscapedAndShortenedAsTheImports();
    void pasteOfTextWithoutAHeader();
    void insertRefusedWhileChannel149IsUsed();
    void movedRowsStaySelected();
    void bulkChangeReportsTheRowsLeftAsTheyWere();
    void findByTextOrFrequencyWrapping();
    void hiddenEmptyRowsAreNeverActedOn();
    void pdfOfTheChannelList();
};

void MemoryEditingTest::everyChangeIsOneStepThatUndoes() {
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("in.csv"));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("433.10,NEW,\r\n");
    file.close();

    const Step steps[] = {
        {"dialog OK",
         [](EditFixture& f) {
             f.window->SetChannelEditor([](MemoryChannel& ch, std::size_t) { ch.Name = "EDITED"; });
             f.Select({2});
             f.window->MemStringGrid1DblClick();
         }},
        {"dialog 削除",
         [](EditFixture& f) {
             f.window->SetChannelEditor([](MemoryChannel& ch, std::size_t) { ch.EmptyFlag = '1'; });
             f.Select({3});
             f.window->MemStringGrid1DblClick();
         }},
        {"sort by frequency", [](EditFixture& f) { f.Choose("S2"); }},
        {"sort by name", [](EditFixture& f) { f.Choose("N1"); }},
        {"sort by memo", [](EditFixture& f) { f.Choose("M4"); }},
        {"import",
         [&](EditFixture& f) {
             f.prompts->openAnswers.enqueue(csv);
             f.Choose("CSV1");
         }},
        {"paste",
         [](EditFixture& f) {
             f.Select({0, 1});
             f.Choose("Copy1");
             f.Select({20});
             f.Choose("Paste1");
         }},
        {"cut", OnRows({4, 5}, "Cut1")},
        {"empty", OnRows({1, 7}, "Clear1")},
        {"insert", OnRows({1, 2}, "InsertRow1")},
        {"delete rows", OnRows({0, 5}, "DeleteRow1")},
        {"move up", OnRows({3, 4}, "MoveUp1")},
        {"move down", OnRows({7}, "MoveDown1")},
        {"bulk change",
         [](EditFixture& f) {
             f.window->Editing().SetBulkEditor([](std::size_t) { return zem::BulkChange{.lockout = '1'}; });
             OnRows({0, 1, 6}, "BulkChange1")(f);
         }},
        {"memory read",
         [](EditFixture& f) {
             zem::ChannelTable read = f.window->Image().Channels;
             read[9] = read[0];
             f.window->CommitChannels(read, QStringLiteral("メモリ読み出し"));
         }},
    };
    for (const Step& step : steps) {
        EditFixture f;
        const std::string before = Saved(f);
        step.run(f);
        const std::string after = Saved(f);
        QVERIFY2(after != before && f.window->MemoryChanged(), step.name);
        QCOMPARE(f.window->Editing().History().count(), 1);
        f.Choose("Undo1");
        QVERIFY2(Saved(f) == before && !f.window->MemoryChanged(), step.name);
        f.Choose("Redo1");
        QVERIFY2(Saved(f) == after, step.name);
        QVERIFY2(f.prompts->messages.isEmpty(), step.name);
    }
}

void MemoryEditingTest::historyKeepsAHundredSteps() {
    EditFixture f;
    const std::string start = Saved(f);
    f.Select({0});
    for (int i = 0; i < 120; ++i)
        f.Choose("MoveDown1");
    QCOMPARE(f.MemCell(5, 121), QStringLiteral("呼出"));
    for (int i = 0; i < 120; ++i)
        f.Choose("Undo1");
    QVERIFY(Saved(f) == start);
    QVERIFY(!f.window->MemoryChanged());
}

void MemoryEditingTest::pasteInsideTheProgramGivesBackWhatWasCopied() {
    EditFixture f;
    // Bytes the file and the text could not carry: separators, a cut double-byte character, a
    // reserved character, an empty row that keeps its data, a scan memory.
    f.Change([](zem::RadioImage& image) {
        image.Channels[1].Memo = std::string_view("a,b;c\x82", 6);
        image.Channels[1].Reserved = 'x';
        image.Channels[6] = image.Channels[0];
        image.Channels[6].EmptyFlag = '1';
    });
    const std::vector<MemoryChannel> copied{f.Channel(1), f.Channel(6), f.Channel(150)};
    f.window->Editing().SelectRows(std::vector<std::size_t>{1, 6, 150});
    f.Choose("Copy1");

    const QString text = QApplication::clipboard()->text();
    QVERIFY(text.startsWith(QStringLiteral("Location,Name,Frequency,")));
    QVERIFY(text.contains(QStringLiteral("\r\nL0,,144.000000,")));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 3); // the header and the two used rows

    f.Select({40});
    f.Choose("Paste1");
    for (std::size_t i = 0; i < copied.size(); ++i)
        QVERIFY(f.Channel(40 + i) == copied[i]);
    QCOMPARE(f.window->Editing().SelectedRows(), (std::vector<std::size_t>{40, 41, 42}));

    // Three rows from 148 would run past channel 149: refused whole.
    f.Select({148});
    const std::string before = Saved(f);
    f.Choose("Paste1");
    QCOMPARE(f.prompts->messages.size(), 1);
    QVERIFY(Saved(f) == before);
}

// A refused row and a blank one keep their rows as they were; the rows after them still go
// where they stood.
void MemoryEditingTest::pasteFromASpreadsheetGoesByPositionAndReportsOnce() {
    EditFixture f;
    const zem::ChannelTable before = f.window->Image().Channels;
    auto* data = new QMimeData;
    data->setText(QStringLiteral("Location\tName\tFrequency\tMode\tComment\n"
                                 "7\tA\t145.5\tDV\t\n"
                                 "9\tB\t433.0\t\t東京\n"
                                 "\n"
                                 "9\tC\t50.0\tFM\t\n"
                                 "9\tD\t145.0\tFM\t\n"));
    QApplication::clipboard()->setMimeData(data);
    f.Select({0});
    f.Choose("Paste1");
    QVERIFY(f.Channel(0) == before[0] && f.Channel(2) == before[2] && f.Channel(3) == before[3]);
    QCOMPARE(f.Channel(1).Name.str(), std::string("B"));
    QCOMPARE(f.MemCell(6, 2), QStringLiteral("東京"));
    QCOMPARE(f.Channel(4).Name.str(), std::string("D"));
    QCOMPARE(f.prompts->messages.size(), 1);
    QVERIFY(f.prompts->messages[0].text.startsWith(QStringLiteral("2 チャンネルを貼り付けました。")));
    QVERIFY(f.prompts->messages[0].text.contains(QStringLiteral("'DV'")));
}

// Text without a header: the CSV import's `MHz,name,memo` lines, and the program's own copied
// rows with their header left off.
void MemoryEditingTest::pasteOfTextWithoutAHeader() {
    EditFixture f;
    f.Select({0, 1});
    f.Choose("Copy1");
    const QString rows = QApplication::clipboard()->text().section(QStringLiteral("\r\n"), 1);
    for (const QString& text : {QStringLiteral("145.5,CALL,呼出\r\n\r\n433.02,UHF\r\n"), rows}) {
        auto* data = new QMimeData;
        data->setText(text);
        QApplication::clipboard()->setMimeData(data);
        f.Select({60});
        f.Choose("Paste1");
    }
    QCOMPARE(f.Channel(60).Name, f.Channel(0).Name);
    QCOMPARE(f.Channel(61).RxFreq, f.Channel(1).RxFreq);
    QCOMPARE(f.Channel(62).Name.str(), std::string("UHF")); // after a blank line
}

void MemoryEditingTest::pasteReportIsEscapedAndShortenedAsTheImports() {
    EditFixture f;
    const std::string before = Saved(f);
    QString text = QStringLiteral("Frequency\tMode\n");
    for (int k = 0; k < 35; ++k)
        text += QStringLiteral("145.0\t\x1B[2J\n");
    auto* data = new QMimeData;
    data->setText(text);
    QApplication::clipboard()->setMimeData(data);
    f.Select({30});
    f.Choose("Paste1");
    QVERIFY(Saved(f) == before);
    QCOMPARE(f.prompts->messages.size(), 1);
    const QStringList lines = f.prompts->messages[0].text.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 32);
    QVERIFY(lines[1].contains(QStringLiteral("'\\x1B[2J'")));
    QVERIFY(!f.prompts->messages[0].text.contains(QChar(0x1B)));
    QCOMPARE(lines.last(), QStringLiteral("ほか 5 行"));
}

void MemoryEditingTest::insertRefusedWhileChannel149IsUsed() {
    EditFixture f;
    f.Change([](zem::RadioImage& image) { image.Channels[149] = image.Channels[0]; });
    const std::string before = Saved(f);
    f.Select({2});
    f.Choose("InsertRow1");
    QCOMPARE(f.prompts->messages.size(), 1);
    QVERIFY(f.prompts->messages[0].text.contains(QStringLiteral("149")));
    QVERIFY(Saved(f) == before);
    QVERIFY(!f.window->Editing().History().canUndo());
    // Rows of the scan memories keep their places.
    f.Select({150});
    f.Choose("DeleteRow1");
    QCOMPARE(f.prompts->messages.size(), 2);
    QVERIFY(Saved(f) == before);
}

// Through the keys, as a user moves rows.
void MemoryEditingTest::movedRowsStaySelected() {
    EditFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    zem::StringGrid* grid = f.Grid("MemStringGrid1");
    grid->setFocus();
    f.Select({1, 2});
    QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(f.window->Editing().SelectedRows(), (std::vector<std::size_t>{2, 3}));
    QCOMPARE(f.MemCell(5, 3), QStringLiteral("ヨビダシ"));
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.window->Editing().SelectedRows(), (std::vector<std::size_t>{1, 2}));
    // At the top nothing moves and no step is taken.
    f.Select({0});
    f.Choose("MoveUp1");
    QVERIFY(!f.window->Editing().History().canUndo());
    // Ctrl+End moves the highlight with the current row, so the commands act on the row shown.
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(f.window->Editing().SelectedRows(), (std::vector<std::size_t>{169}));
}

void MemoryEditingTest::bulkChangeReportsTheRowsLeftAsTheyWere() {
    EditFixture f;
    const MemoryChannel split = f.Channel(7);
    std::size_t asked = 0;
    f.window->Editing().SetBulkEditor([&asked](std::size_t used) {
        asked = used;
        return zem::BulkChange{.shift = '2'};
    });
    f.Select({6, 7, 8, 150});
    f.Choose("BulkChange1");
    QCOMPARE(asked, std::size_t{3}); // the empty row 6 is left alone
    QCOMPARE(f.Channel(8).Shift, '2');
    QCOMPARE(f.Channel(150).Shift, '2');
    QVERIFY(f.Channel(7) == split);
    QCOMPARE(f.prompts->messages.size(), 1);
    QCOMPARE(f.prompts->messages[0].text,
             QStringLiteral("次のチャンネルは変更できないので、元のまま残しました。\n"
                            "スプリットのチャンネルにはシフト・オフセット・リバースを設定できません: 7"));
    QVERIFY(f.window->windowTitle().contains(QLatin1Char('*')));
}

// Names and memos as shown, half-width and full-width kana alike; a number is also a frequency.
void MemoryEditingTest::findByTextOrFrequencyWrapping() {
    EditFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.Grid("MemStringGrid1")->setFocus();
    auto* status = f.window->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    struct Case {
        QString typed;
        std::vector<std::size_t> found; // by Ctrl+F, then F3 again and again
        QString wrapWord;               // the status bar after the last one
    };
    const Case cases[] = {
        {QStringLiteral("ﾖﾋﾞﾀﾞｼ"), {1, 1}, QStringLiteral("末尾まで検索したので、先頭から続けました。")},
        {QStringLiteral("ｈｏｍｅ"), {2}, {}},
        {QStringLiteral("145"), {7, 0}, QStringLiteral("末尾まで検索したので、先頭から続けました。")},
        {QStringLiteral("439.88000MHz"), {8}, {}},
        {QStringLiteral("435"), {7}, {}}, // a split channel's transmit frequency
    };
    for (const Case& c : cases) {
        f.Select({0});
        f.prompts->textAnswers.enqueue(c.typed);
        f.Choose("Find1");
        for (std::size_t k = 1; k < c.found.size(); ++k) {
            QCOMPARE(f.window->Editing().SelectedRows(), std::vector<std::size_t>{c.found[k - 1]});
            QTest::keyClick(f.Grid("MemStringGrid1"), Qt::Key_F3);
        }
        QCOMPARE(f.window->Editing().SelectedRows(), std::vector<std::size_t>{c.found.back()});
        QCOMPARE(status->currentMessage(), c.wrapWord);
    }
    QTest::keyClick(f.Grid("MemStringGrid1"), Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(f.window->Editing().SelectedRows(), std::vector<std::size_t>{7});
    QCOMPARE(status->currentMessage(), QStringLiteral("先頭まで検索したので、末尾から続けました。"));
    f.prompts->textAnswers.enqueue(QStringLiteral("存在しない"));
    f.Choose("Find1");
    QCOMPARE(f.prompts->messages.size(), 1);
}

void MemoryEditingTest::hiddenEmptyRowsAreNeverActedOn() {
    EditFixture f;
    zem::StringGrid* grid = f.Grid("MemStringGrid1");
    f.Select({6});
    f.Choose("HideEmpty1");
    QVERIFY(grid->isRowHidden(6) && grid->isRowHidden(149) && !grid->isRowHidden(7) && !grid->isRowHidden(150));
    QCOMPARE(f.window->Editing().SelectedRows(), std::vector<std::size_t>{7});
    QCOMPARE(f.MemCell(0, 8), QStringLiteral("7"));
    // A range dragged over hidden rows takes only the rows shown.
    grid->selectionModel()->select(
        QItemSelection(grid->model()->index(5, 0), grid->model()->index(9, grid->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
    QCOMPARE(f.window->Editing().SelectedRows(), (std::vector<std::size_t>{5, 7, 8}));
    f.Choose("Clear1");
    QVERIFY(grid->isRowHidden(7));
    f.Choose("Undo1");
    QVERIFY(!grid->isRowHidden(7));
    f.Choose("HideEmpty1");
    QVERIFY(!grid->isRowHidden(6));
}

void MemoryEditingTest::pdfOfTheChannelList() {
    QTemporaryDir dir;
    EditFixture f;
    f.prompts->saveAnswers.enqueue(dir.filePath(QStringLiteral("list.pdf")));
    f.Choose("Pdf1");
    QCOMPARE(f.prompts->saveRequests[0].fileName, QStringLiteral("sample.pdf"));
    QFile pdf(dir.filePath(QStringLiteral("list.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    // A name without an extension gets ".pdf"; a settings file is never replaced, whatever its name.
    f.prompts->saveAnswers.enqueue(dir.filePath(QStringLiteral("list")));
    f.Choose("Pdf1");
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("list.pdf"))) &&
            !QFile::exists(dir.filePath(QStringLiteral("list"))));
    const QString settings = dir.filePath(QStringLiteral("radio.txt"));
    zem::SaveZemFile(zem::FileNameBytes(settings.toStdU16String()), f.window->Image());
    f.prompts->saveAnswers.enqueue(settings);
    f.Choose("Pdf1");
    QVERIFY(f.prompts->messages.last().text.endsWith(
        QStringLiteral("は設定ファイルです。上書きすると設定が失われるので、別のファイルを指定してください")));
    QFile kept(settings);
    QVERIFY(kept.open(QIODevice::ReadOnly) && kept.read(16) == "ID TH-D7 ZEM_D7;");
}

QTEST_MAIN(MemoryEditingTest)
#include "memory_editing_test.moc"
