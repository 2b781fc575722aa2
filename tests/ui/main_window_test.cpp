#include "window_fixture.h"

#include "ui/navitora_page.h"
#include "ui/radio_page.h"

#include "model/csv_import.h"
#include "model/file_io.h"
#include "model/startup_image.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using zem::MemoryChannel;
using zem::VfoRecord;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpShowsEmptyChannelsAndTheVfoPage();
    void startUpFillsTheVfoGridWithTheDefaults();
    void startUpTakesTheDesignSettings();
    void windowDesign();
    void groupBoxBounds_data();
    void groupBoxBounds();
    void menuTree_data();
    void menuTree();
    void fileOnTheCommandLineIsShownCompletely();
    void usedChannelRows();
    void keyboardReachesEveryControl();
    void badDigitsAreReportedAndTheOtherRowsStillShown();
    void enterKeyOpensTheChannelEditorLikeADoubleClick();
    void doubleClickOnAFixedCellOpensTheRowSelectedBefore();
    void vfoEditorEntrySetsTheVfoFlag();
    void putMenuThenGetMenuKeepsTheRecord();
    void vfoAndDtmfGridsShowEveryCell();
    void settingsPageEditsReachTheRecord();
    void dtmfCodesShowWholeAndContrastStepsByOne();
};

void MainWindowTest::startUpShowsEmptyChannelsAndTheVfoPage() {
    WindowFixture f;
    QCOMPARE(f.Grid("MemStringGrid1")->rowCount() + 1, 171);
    QCOMPARE(f.MemCell(0, 0), QStringLiteral("Ch"));
    const QStringList headings{"受信周波数", "送信周波数", "モード", "ステップ", "名前", "メモ"};
    for (int c = 1; c <= 6; ++c)
        QCOMPARE(f.MemCell(c, 0), headings[c - 1]);
    for (int row = 1; row <= 170; ++row) {
        const QString label = row <= 150 ? QString::number(row - 1)
                                         : QStringLiteral("%1%2").arg(row % 2 == 1 ? 'L' : 'U').arg((row - 151) / 2);
        QCOMPARE(f.MemCell(0, row), label);
        QCOMPARE(f.MemCell(1, row), QStringLiteral("Empty"));
        for (int c = 2; c <= 6; ++c)
            QVERIFY(f.MemCell(c, row).isEmpty());
    }
    QCOMPARE(f.MemCell(0, 151), QStringLiteral("L0"));
    QCOMPARE(f.MemCell(0, 170), QStringLiteral("U9"));
    auto* pages = f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSheet3"));
    QCOMPARE(f.Grid("MemStringGrid1")->Row(), 1);
    QVERIFY(!f.window->MemoryChanged() && !f.window->VfoChanged() && !f.window->SettingsChanged());
    QVERIFY(f.window->CurrentPath().isEmpty());
    QVERIFY(f.prompts->messages.isEmpty());
}

void MainWindowTest::startUpFillsTheVfoGridWithTheDefaults() {
    WindowFixture f;
    zem::StringGrid* grid = f.Grid("VFOStringGrid1");
    const QStringList rows[] = {
        {"Band", "下限", "上限", "ステップ", "オフセット", "モード"},
        {"A125", "118MHz", "135MHz", "20.0kHz", "0.0MHz", "FM"},
        {"A145", "136MHz", "173MHz", "20.0kHz", "0.6MHz", "FM"},
        {"A435", "430MHz", "439MHz", "20.0kHz", "5.0MHz", "FM"},
        {"B145", "144MHz", "145MHz", "20.0kHz", "0.6MHz", "FM"},
        {"B360", "320MHz", "399MHz", "20.0kHz", "0.0MHz", "FM"},
        {"B430", "400MHz", "479MHz", "20.0kHz", "5.0MHz", "FM"},
    };
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 6; ++c)
            QCOMPARE(grid->Cell(c, r), rows[r][c]);
    QVERIFY(f.window->Image().Vfos == zem::DefaultVfos());
}

void MainWindowTest::startUpTakesTheDesignSettings() {
    WindowFixture f;
    QVERIFY(f.window->Image().Settings == zem::DefaultSettings());
    QVERIFY(f.window->Image().Settings.CNT == "07");
    QCOMPARE(f.window->Image().Settings.ICO, '0');
}

void MainWindowTest::windowDesign() {
    WindowFixture f;
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7"));
    QCOMPARE(f.window->width(), 571);
    QCOMPARE(f.window->height() - f.window->menuBar()->sizeHint().height(), 333);
    QCOMPARE(f.window->minimumSize(), f.window->maximumSize());
    QVERIFY(f.window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!f.window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(f.window->statusBar()->objectName(), QStringLiteral("StatusBar1"));
    QCOMPARE(f.window->statusBar()->height(), 19);
    QCOMPARE(f.window->font().families().constFirst(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(f.window->font().pixelSize(), 12);

    auto* pages = f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    const QStringList tabs{"Memory", "Radio", "VFO", "Navitora _ SSTV"};
    QCOMPARE(pages->count(), 4);
    // The deepest design bounds (Panel2 on the VFO page) end 286 pixels down the page.
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QVERIFY2(pages->currentWidget()->height() >= 286, QByteArray::number(pages->currentWidget()->height()));
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(pages->tabText(i), tabs[i]);
        QCOMPARE(pages->widget(i)->objectName(), QStringLiteral("TabSheet%1").arg(i + 1));
    }

    zem::StringGrid* mem = f.Grid("MemStringGrid1");
    QCOMPARE(mem->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(mem->verticalHeader()->width(), 32);
    QCOMPARE(mem->verticalHeader()->defaultSectionSize(), 14);
    QCOMPARE(mem->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    zem::StringGrid* vfo = f.Grid("VFOStringGrid1");
    const int vfoWidths[] = {57, 54, 59, 69, 47};
    for (int c = 0; c < 5; ++c)
        QCOMPARE(vfo->columnWidth(c), vfoWidths[c]);
    QCOMPARE(vfo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    auto* step = f.window->findChild<QComboBox*>(QStringLiteral("StepBox"));
    QCOMPARE(step->count(), 10);
    QCOMPARE(step->currentText(), QStringLiteral("20 kHz"));
    for (const char* name : {"SButton1", "StopButton1"})
        QVERIFY(!f.window->findChild<QPushButton*>(QString::fromLatin1(name))->isEnabled());
    auto* band = f.window->findChild<QButtonGroup*>(QStringLiteral("VRadioGroup1Items"));
    QCOMPARE(band->checkedId(), 2);
    QCOMPARE(band->checkedButton()->text(), QStringLiteral("360MHz帯"));
    QCOMPARE(f.window->findChild<QLineEdit*>(QStringLiteral("DEdit"))->text(), QStringLiteral("380.2125"));
    QCOMPARE(f.window->findChild<QLineEdit*>(QStringLiteral("UEdit"))->text(), QStringLiteral("381.3125"));
}

void MainWindowTest::groupBoxBounds_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<QString>("caption");
    QTest::newRow("VFOGroup") << "VFOGroup" << QRect(18, 0, 335, 129) << "VFO";
    QTest::newRow("Panel1") << "Panel1" << QRect(16, 133, 529, 65) << "";
    QTest::newRow("Panel2") << "Panel2" << QRect(8, 205, 545, 81) << "";
    QTest::newRow("Image1") << "Image1" << QRect(2, 2, 525, 61) << "";
}

void MainWindowTest::groupBoxBounds() {
    QFETCH(QString, name);
    QFETCH(QRect, bounds);
    QFETCH(QString, caption);
    WindowFixture f;
    auto* widget = f.window->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), bounds);
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        QCOMPARE(group->title(), caption);
}

void MainWindowTest::menuTree_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("checked");
    const struct {
        const char* name;
        const char* caption;
        bool enabled, visible, checked;
    } rows[] = {
        {"FileF1", "ファイル(&F)", true, true, false},
        {"Open2", "開く(&O)", true, true, false},
        {"Save2", "保存(&S)", true, true, false},
        {"Save1", "上書き保存(&D)", true, true, false},
        {"CSV1", "CSVファイルを取り込み", true, true, false},
        {"CSV2", "CSV形式に保存", true, true, false},
        {"History1", "無線機の履歴(&H)...", true, true, false},
        {"Exit1", "終了", true, true, false},
        {"T1", "通信(&T)", true, true, false},
        {"O1", "接続(&O)", true, true, false},
        {"T2", "モデルチェック(&T)", false, true, false},
        {"M1", "改造チェック(&M)", false, true, false},
        {"M2", "メモリ読み出し(&M)", false, true, false},
        {"R4", "メモリ書き込み(&R)", false, true, false},
        {"VFOV2", "VFO読み出し(&V)", false, true, false},
        {"VFO1", "VFO書き込み", false, true, false},
        {"N8", "設定読みだし(&D)", false, true, false},
        {"S1", "設定書き込み(&S)", false, true, false},
        {"BackupBeforeWrite", "書き込み前に無線機の内容を保存", true, true, true},
        {"P1", "ポート(&P)", true, true, false},
        {"COM111", "COM1(&1)", true, true, false},
        {"COM221", "COM2(&2)", true, true, true},
        {"COM331", "COM3(&3)", true, true, false},
        {"COM441", "COM4(&4)", true, true, false},
        {"M3", "メモリ(&M)", true, true, false},
        {"S2", "周波数でソート(&S)", true, true, false},
        {"N1", "名前でソート(&N)", true, true, false},
        {"M4", "メモでソート(&M)", true, true, false},
        {"S3", "スコープ(&S)", false, true, false},
        {"O2", "ストレージ開始(&O)", true, true, false},
        {"Exit2", "終了(&C)", false, true, false},
        {"Help1", "ヘルプ(&H)", true, true, false},
        {"Help2", "ヘルプ(&H)", true, true, false},
        {"About1", "バージョン情報(&A)", true, true, false},
    };
    for (const auto& r : rows)
        QTest::newRow(r.name) << r.name << QString::fromUtf8(r.caption) << r.enabled << r.visible << r.checked;
}

void MainWindowTest::menuTree() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    QFETCH(bool, visible);
    QFETCH(bool, checked);
    WindowFixture f;
    auto* action = f.window->findChild<QAction*>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->isEnabled(), enabled);
    QCOMPARE(action->isVisible(), visible);
    QCOMPARE(action->isChecked(), checked);
}

void MainWindowTest::fileOnTheCommandLineIsShownCompletely() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("start.zem"));
    zem::RadioImage image = zem::StartupImage();
    image.Channels[3] = zem::ParseCsvLine("145.02,HOME,my memo");
    image.Channels[zem::UpperScanRow(9)] = zem::ParseCsvLine("433.5,TOP,");
    image.Vfos[0].LowerLimit = "00120";
    image.Settings.MES = "FILE";
    zem::SaveZemFile(path.toStdString(), image);

    WindowFixture f(path);
    QVERIFY(f.prompts->messages.isEmpty());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ZEM_D7 start.zem"));
    QCOMPARE(f.window->CurrentPath(), path);
    QCOMPARE(f.MemCell(1, 4), QStringLiteral("145.02000MHz"));
    QCOMPARE(f.MemCell(5, 4), QStringLiteral("HOME"));
    QCOMPARE(f.MemCell(6, 4), QStringLiteral("my memo"));
    QCOMPARE(f.MemCell(1, 170), QStringLiteral("433.50000MHz"));
    QCOMPARE(f.Grid("VFOStringGrid1")->Cell(1, 1), QStringLiteral("120MHz"));
    QVERIFY(f.window->Image().Settings.MES == "FILE");
    QVERIFY(f.window->Image().Channels == image.Channels);
}

void MainWindowTest::usedChannelRows() {
    WindowFixture f;
    MemoryChannel plus = zem::ParseCsvLine("430.00625,N,M");
    plus.Shift = '1';
    MemoryChannel split = zem::ParseCsvLine("145.00,S,");
    split.Offset = "";
    split.TxFreq = "00435000000";
    f.Change([&](zem::RadioImage& image) {
        image.Channels[0] = plus;
        image.Channels[1] = split;
    });
    const QStringList row1{"430.00630MHz", "Simplex", "FM", "20.0kHz", "N", "M"};
    const QStringList row2{"145.00000MHz", "435.00000MHz", "FM", "20.0kHz", "S", ""};
    for (int c = 1; c <= 6; ++c) {
        QCOMPARE(f.MemCell(c, 1), row1[c - 1]);
        QCOMPARE(f.MemCell(c, 2), row2[c - 1]);
    }
    // The highest frequency a channel holds is shown whole in both frequency columns.
    zem::StringGrid* grid = f.Grid("MemStringGrid1");
    for (int c = 0; c < 2; ++c)
        QVERIFY(grid->CellWidthFor(QStringLiteral("1300.00000MHz")) <= grid->columnWidth(c));
}

// Tab leaves a grid for the next control, Ctrl+PageDown and Ctrl+PageUp change pages, Shift+F10
// opens the grid's menu.
void MainWindowTest::keyboardReachesEveryControl() {
    WindowFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    f.Grid("VFOStringGrid1")->setFocus();
    for (int k = 0; k < 5 && QApplication::focusWidget()->objectName() != QStringLiteral("DEdit"); ++k)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("DEdit"));
    auto* pages = f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QTest::keyClick(f.window.get(), Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(pages->currentIndex(), 1);
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(f.window.get(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(pages->currentIndex(), 0);
    QString shown;
    QTimer::singleShot(0, [&shown] {
        shown = QApplication::activePopupWidget()->actions().value(0)->objectName();
        QApplication::activePopupWidget()->close();
    });
    QTest::keyClick(f.Grid("MemStringGrid1"), Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(shown, QStringLiteral("Undo1"));
}

void MainWindowTest::badDigitsAreReportedAndTheOtherRowsStillShown() {
    WindowFixture f;
    MemoryChannel bad = zem::ParseCsvLine("145.00,BAD,");
    bad.RxFreq = "14A";
    f.Change([&](zem::RadioImage& image) {
        image.Channels[0] = bad;
        image.Channels[1] = zem::ParseCsvLine("433.00,GOOD,");
    });
    f.window->RectoGrid();
    QCOMPARE(f.prompts->messages.size(), 1);
    QCOMPARE(f.prompts->messages[0].text, QStringLiteral("'14A' は整数ではありません"));
    QCOMPARE(f.prompts->messages[0].caption, QStringLiteral("エラー"));
    QCOMPARE(f.MemCell(5, 1), QStringLiteral("BAD"));
    QCOMPARE(f.MemCell(1, 2), QStringLiteral("433.00000MHz"));
}

void MainWindowTest::enterKeyOpensTheChannelEditorLikeADoubleClick() {
    WindowFixture f;
    std::size_t editedRow = 999;
    f.window->SetChannelEditor([&](MemoryChannel& ch, std::size_t row) {
        editedRow = row;
        ch = zem::ParseCsvLine("145.00,EDITED,");
    });
    zem::StringGrid* grid = f.Grid("MemStringGrid1");
    grid->setCurrentCell(4, 2);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(editedRow, std::size_t{4});
    QVERIFY(f.window->MemoryChanged());
    QCOMPARE(f.MemCell(5, 5), QStringLiteral("EDITED"));

    editedRow = 999;
    grid->setCurrentCell(151, 1);
    emit grid->cellDoubleClicked(151, 1);
    QCOMPARE(editedRow, std::size_t{151});
    QCOMPARE(f.MemCell(0, 152), QStringLiteral("U0"));
    QCOMPARE(f.MemCell(5, 152), QStringLiteral("EDITED"));
}

void MainWindowTest::doubleClickOnAFixedCellOpensTheRowSelectedBefore() {
    WindowFixture f;
    std::size_t editedRow = 999;
    f.window->SetChannelEditor([&](MemoryChannel&, std::size_t row) { editedRow = row; });
    f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(0);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    zem::StringGrid* grid = f.Grid("MemStringGrid1");
    grid->setCurrentCell(6, 3);
    QHeaderView* labels = grid->verticalHeader();
    const QPoint label10(4, labels->sectionViewportPosition(10) + 3);
    QTest::mouseClick(labels->viewport(), Qt::LeftButton, {}, label10);
    QCOMPARE(grid->Row(), 7);
    QTest::mouseDClick(labels->viewport(), Qt::LeftButton, {}, label10);
    QCOMPARE(editedRow, std::size_t{6});
}

void MainWindowTest::vfoEditorEntrySetsTheVfoFlag() {
    WindowFixture f;
    f.window->SetVfoEditor([](VfoRecord& vfo, std::size_t) { vfo.UpperLimit = "00140"; });
    zem::StringGrid* grid = f.Grid("VFOStringGrid1");
    grid->setCurrentCell(1, 2);
    emit grid->cellDoubleClicked(1, 2);
    QVERIFY(f.window->VfoChanged());
    QVERIFY(!f.window->MemoryChanged());
    QCOMPARE(grid->Cell(2, 2), QStringLiteral("140MHz"));
}

void MainWindowTest::putMenuThenGetMenuKeepsTheRecord() {
    WindowFixture f;
    zem::RadioSettings s = zem::DefaultSettings();
    s.MES = "ｺﾝﾆﾁﾊ";
    s.CNT = "03";
    s.LAN = '1';
    s.SV = "9";
    s.ICO = 'E';
    s.GU = '3';
    s.PP = "RELAY";
    s.MAC = '0';
    s.Dtmf[3].Name = "HOME";
    s.Dtmf[3].Code = "0123*#AB";
    f.Change([&](zem::RadioImage& image) { image.Settings = s; });
    zem::RadioSettings taken;
    f.window->findChild<zem::RadioPage*>(QStringLiteral("TabSheet2"))->Get(taken);
    f.window->findChild<zem::NavitoraPage*>(QStringLiteral("TabSheet4"))->Get(taken);
    QVERIFY(taken == s);
    QVERIFY(f.prompts->messages.isEmpty());
}

// The two grids without a scroll bar must be sized to their whole design, or their last row or
// column would be cut off with no way to reach it.
void MainWindowTest::vfoAndDtmfGridsShowEveryCell() {
    WindowFixture f;
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    auto* pages = f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (const auto& [page, name] : {std::pair{2, "VFOStringGrid1"}, std::pair{1, "DTMFGrid"}}) {
        pages->setCurrentIndex(page);
        auto* grid = f.window->findChild<QTableWidget*>(QString::fromLatin1(name));
        QVERIFY(grid->isVisible());
        const QRect last = grid->visualItemRect(grid->item(grid->rowCount() - 1, grid->columnCount() - 1));
        QVERIFY2(grid->viewport()->rect().contains(last), name);
    }
}

void MainWindowTest::dtmfCodesShowWholeAndContrastStepsByOne() {
    WindowFixture f;
    zem::RadioSettings s = zem::DefaultSettings();
    s.Dtmf[9] = {"0123456789ABCDEF", "HOME"};
    f.Change([&](zem::RadioImage& image) { image.Settings = s; });
    f.window->show();
    f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));

    zem::StringGrid* grid = f.Grid("DTMFGrid");
    QCOMPARE(grid->Cell(2, 10), QStringLiteral("0123456789ABCDEF"));
    QVERIFY(grid->columnWidth(1) >= grid->CellWidthFor(grid->Cell(2, 10)));
    QVERIFY(grid->columnWidth(0) >= grid->CellWidthFor(QStringLiteral("HOME")));
    QVERIFY(grid->parentWidget()->rect().contains(grid->geometry()));

    auto* code = f.window->findChild<QLineEdit*>(QStringLiteral("DCodeEdit"));
    code->setText(grid->Cell(2, 10));
    const int frame = code->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, code);
    QVERIFY(code->fontMetrics().horizontalAdvance(code->text()) <= code->contentsRect().width() - 2 * frame - 4);

    auto* contrast = f.window->findChild<QScrollBar*>(QStringLiteral("ContrastBar1"));
    contrast->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("Conlabel"))->text(), QStringLiteral("コントラスト 08"));
}

void MainWindowTest::settingsPageEditsReachTheRecord() {
    WindowFixture f;
    auto* icon = f.window->findChild<QComboBox*>(QStringLiteral("ICOBox"));
    icon->setCurrentIndex(icon->findText(QStringLiteral("レストラン")));
    auto* contrast = f.window->findChild<QScrollBar*>(QStringLiteral("ContrastBar1"));
    contrast->setValue(3);
    QCOMPARE(f.window->findChild<QLabel*>(QStringLiteral("Conlabel"))->text(), QStringLiteral("コントラスト 03"));

    auto* dtmf = f.window->findChild<QTableWidget*>(QStringLiteral("DTMFGrid"));
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    QTest::mouseClick(dtmf->viewport(), Qt::LeftButton, {}, dtmf->visualItemRect(dtmf->item(3, 0)).center());
    auto* store = f.window->findChild<QPushButton*>(QStringLiteral("DTMFButton"));
    QVERIFY(store->isEnabled());
    QCOMPARE(store->text(), QStringLiteral("3"));
    f.window->findChild<QLineEdit*>(QStringLiteral("DnameEdit"))->setText(QStringLiteral("HOME"));
    f.window->findChild<QLineEdit*>(QStringLiteral("DCodeEdit"))->setText(QStringLiteral("0123#"));
    QTest::mouseClick(store, Qt::LeftButton);
    // The store button writes the memory into the record at once, not only at the next GetMenu.
    QVERIFY(f.window->Image().Settings.Dtmf[3].Name == "HOME");
    QVERIFY(f.window->Image().Settings.Dtmf[3].Code == "0123#");

    f.window->GetMenu();
    const zem::RadioSettings& s = f.window->Image().Settings;
    QCOMPARE(s.ICO, 'E');
    QVERIFY(s.CNT == "03");
    QVERIFY(s.Dtmf[3].Name == "HOME");
    QVERIFY(s.Dtmf[3].Code == "0123#");
    QVERIFY(s.Dtmf[2].Name.empty());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
