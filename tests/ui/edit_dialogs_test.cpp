#include "layout_check.h"
#include "window_fixture.h"

#include "model/used_channel.h"
#include "session/radio_session.h"
#include "ui/bulk_change_dialog.h"
#include "ui/memory_dialog.h"
#include "ui/vfo_dialog.h"
#include "ui/window_font.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using zem::MemoryChannel;
using zem::VfoRecord;

namespace {

template <class T> T* Control(QWidget& dialog, const char* name) {
    T* control = dialog.findChild<T*>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}
QLineEdit* Edit(QWidget& d, const char* name) {
    return Control<QLineEdit>(d, name);
}
// Replaces an edit's text as typing or pasting would, through its validator.
void Type(QWidget& d, const char* name, const QString& text) {
    QLineEdit* edit = Edit(d, name);
    edit->selectAll();
    edit->insert(text);
}
void Press(QWidget& d, const char* button) {
    Control<QPushButton>(d, button)->click();
}
QButtonGroup* Group(QWidget& d, const char* groupBox) {
    return Control<QWidget>(d, groupBox)->findChild<QButtonGroup*>();
}

// A window with both edit dialogs attached, as the program starts it.
struct DialogFixture : WindowFixture {
    explicit DialogFixture(const QString& startFile = {})
        : WindowFixture(startFile), memoryDialog(*prompts, window.get()), vfoDialog(*prompts, window.get()) {
        window->AttachEditDialogs(memoryDialog, vfoDialog);
    }

    // Opens a grid row with the Enter key and runs `act` on the modal dialog; `act` must close it.
    void Open(const char* gridName, int row, const std::function<void(QDialog&)>& act) {
        zem::StringGrid* grid = Grid(gridName);
        grid->setCurrentCell(row - 1, 0); // the heading row and label column are not cells
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            acted = true;
            act(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
                QFAIL("the dialog was left open");
            }
        });
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(acted);
    }
    void OpenChannel(int row, const std::function<void(QDialog&)>& act) { Open("MemStringGrid1", row, act); }
    void OpenVfo(int row, const std::function<void(QDialog&)>& act) { Open("VFOStringGrid1", row, act); }

    const MemoryChannel& Channel(int row) const { return window->Image().Channels[static_cast<std::size_t>(row) - 1]; }
    const VfoRecord& Vfo(int row) const { return window->Image().Vfos[static_cast<std::size_t>(row) - 1]; }

    zem::Tsetform1 memoryDialog;
    zem::TSetForm2 vfoDialog;
};

MemoryChannel ShiftedChannel(const char* rx, const char* offset) {
    MemoryChannel ch = zem::UsedChannel(rx, "NAME", offset);
    ch.Step = '1';
    ch.Shift = '1';
    ch.ToneCode = ch.CtcssCode = "12";
    ch.TxFreq = "00000000000";
    ch.Memo = "memo, with comma";
    return ch;
}

} // namespace

class EditDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void nothingClipped();
    void emptyChannelOpensWithDefaultsAndOkStoresASimplexChannel();
    void captionsNameTheRow();
    void splitChannel();
    void amReceptionOnlyInsideTheAirBand();
    void deleteKeepsTheDataButEmptiesTheRow();
    void failedOkStoresNothingWhicheverButtonCloses();
    void nameAndMemoHoldWhatTheRadioAndFileCarry();
    void keyboardWalk();
    void vfoDialogOpensPerVfo();
    void vfoLimits();
    void failedVfoOkLeavesTheVfoAlone();
    void everyRowThroughOkSavesTheSameFile();
    void storedValuesTheControlsCannotShow();
    void bulkChangeGivesOnlyTheFieldsChosen();
};

void EditDialogsTest::initTestCase() {
    UseProgramStyle();
    QApplication::setFont(zem::WindowFont());
}

void EditDialogsTest::nothingClipped() {
    DialogFixture f;
    QCOMPARE(f.memoryDialog.size(), QSize(441, 313));
    QCOMPARE(f.vfoDialog.size(), QSize(425, 219));
    for (QDialog* dialog : {static_cast<QDialog*>(&f.memoryDialog), static_cast<QDialog*>(&f.vfoDialog)}) {
        const QStringList clipped = ClippedControls(dialog);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }
    // Frequencies show whole in their edits.
    f.OpenChannel(1, [](QDialog& d) {
        for (const char* name : {"Friq", "TXFriq", "OfsFriq"}) {
            QLineEdit* edit = Edit(d, name);
            edit->setText(QStringLiteral("1300.00625"));
            QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) <= edit->contentsRect().width() - 8, name);
        }
        d.reject();
    });
}

void EditDialogsTest::emptyChannelOpensWithDefaultsAndOkStoresASimplexChannel() {
    DialogFixture f;
    f.OpenChannel(1, [](QDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("第0メモリ"));
        QCOMPARE(Edit(d, "Friq")->text(), QStringLiteral("145.000"));
        QCOMPARE(Control<QComboBox>(d, "Step")->currentText(), QStringLiteral("20 kHz"));
        QCOMPARE(Group(d, "ModeGroup")->checkedId(), 0);
        QCOMPARE(Edit(d, "OfsFriq")->text(), QStringLiteral("0.60"));
        for (const char* list : {"TONEComboBox1", "CTCSSComboBox1"})
            QCOMPARE(Control<QComboBox>(d, list)->currentText(), QStringLiteral("88.5 Hz"));
        for (const char* box : {"RevCheckBox1", "ToneBox1", "CTCSSBox1", "AMCheckBox", "RockCheck"})
            QVERIFY(!Control<QCheckBox>(d, box)->isChecked());
        QVERIFY(Edit(d, "NameEdit")->text().isEmpty());
        Press(d, "OKButton1");
    });
    const MemoryChannel& ch = f.Channel(1);
    QCOMPARE(ch.EmptyFlag, '0');
    QCOMPARE(ch.RxFreq.str(), std::string("00145000000"));
    QCOMPARE(ch.Offset.str(), std::string("000600000"));
    QCOMPARE(ch.Shift, '0');
    QCOMPARE(f.MemCell(1, 1), QStringLiteral("145.00000MHz"));
    QCOMPARE(f.MemCell(2, 1), QStringLiteral("Simplex"));
    QVERIFY(f.window->MemoryChanged() && !f.window->VfoChanged());
}

void EditDialogsTest::captionsNameTheRow() {
    DialogFixture f;
    for (const auto& [row, caption] :
         {std::pair{1, "第0メモリ"}, std::pair{150, "第149メモリ"}, std::pair{151, "L0メモリ"},
          std::pair{152, "U0メモリ"}, std::pair{170, "U9メモリ"}}) {
        QString shown;
        f.OpenChannel(row, [&](QDialog& d) {
            shown = d.windowTitle();
            d.reject();
        });
        QCOMPARE(shown, QString::fromUtf8(caption));
    }
}

void EditDialogsTest::splitChannel() {
    DialogFixture f;
    f.OpenChannel(3, [](QDialog& d) {
        // Full-width digits and point from a Japanese input method read as their ASCII forms.
        Type(d, "Friq", QStringLiteral("１４５．０１２５"));
        Group(d, "ModeGroup")->button(3)->click();
        QCOMPARE(Edit(d, "TXFriq")->text(), QStringLiteral("１４５．０１２５"));
        QVERIFY(Edit(d, "TXFriq")->isEnabled());
        QVERIFY(!Edit(d, "OfsFriq")->isEnabled() && !Control<QCheckBox>(d, "RevCheckBox1")->isEnabled());
        Type(d, "TXFriq", QStringLiteral("145.5"));
        Press(d, "OKButton1");
    });
    const MemoryChannel& ch = f.Channel(3);
    QCOMPARE(ch.RxFreq.str(), std::string("00145012500"));
    QCOMPARE(ch.Shift, '0');
    QVERIFY(ch.Offset.empty());
    QCOMPARE(ch.TxFreq.str(), std::string("00145500000"));
    QCOMPARE(f.MemCell(2, 3), QStringLiteral("145.50000MHz"));

    // Reopened, the split channel shows its own transmit frequency with the offset controls off.
    f.OpenChannel(3, [](QDialog& d) {
        QCOMPARE(Group(d, "ModeGroup")->checkedId(), 3);
        QCOMPARE(Edit(d, "TXFriq")->text(), QStringLiteral("145.50000"));
        QVERIFY(!Edit(d, "OfsFriq")->isEnabled());
        Group(d, "ModeGroup")->button(1)->click();
        QVERIFY(Edit(d, "OfsFriq")->isEnabled() && !Edit(d, "TXFriq")->isEnabled());
        d.reject();
    });
}

void EditDialogsTest::amReceptionOnlyInsideTheAirBand() {
    DialogFixture f;
    f.OpenChannel(1, [&](QDialog& d) {
        auto* am = Control<QCheckBox>(d, "AMCheckBox");
        for (const auto& [freq, kept] :
             {std::pair{"145.000", false}, std::pair{"120.000", true}, std::pair{"118.000", false},
              std::pair{"135.000", false}, std::pair{"118.00001", true}}) {
            am->setChecked(false);
            Type(d, "Friq", QString::fromLatin1(freq));
            am->click();
            QVERIFY2(am->isChecked() == kept, freq);
        }
        // Changing the frequency afterwards leaves the box as it is.
        Type(d, "Friq", QStringLiteral("430"));
        QVERIFY(am->isChecked());
        am->setChecked(false);
        Type(d, "Friq", QStringLiteral("abc"));
        am->click();
        QVERIFY(am->isChecked());
        QCOMPARE(f.prompts->messages.size(), 1);
        QCOMPARE(f.prompts->messages[0].text, QStringLiteral("'abc' は浮動小数点数ではありません"));
        d.reject();
    });
}

void EditDialogsTest::deleteKeepsTheDataButEmptiesTheRow() {
    DialogFixture f;
    f.Change([](zem::RadioImage& image) { image.Channels[4] = ShiftedChannel("00433000000", "005000000"); });
    f.OpenChannel(5, [](QDialog& d) { Press(d, "OKWButton1"); });
    QCOMPARE(f.MemCell(1, 5), QStringLiteral("Empty"));
    QCOMPARE(f.Channel(5).Name.str(), std::string("NAME"));
    QCOMPARE(f.Channel(5).Memo.str(), std::string("memo, with comma"));
    f.OpenChannel(5, [](QDialog& d) {
        QCOMPARE(Edit(d, "Friq")->text(), QStringLiteral("145.000"));
        QVERIFY(Edit(d, "NameEdit")->text().isEmpty());
        d.reject();
    });
}

// Whichever way out follows a failed OK, the table keeps the record it had: nothing of the
// fields converted before the bad one reaches it.
void EditDialogsTest::failedOkStoresNothingWhicheverButtonCloses() {
    DialogFixture f;
    const MemoryChannel before = ShiftedChannel("00433000000", "005000000");
    f.Change([&](zem::RadioImage& image) { image.Channels[0] = before; });
    f.window->MatchRadio(zem::Block::Memory, f.window->Image()); // as a read would leave it
    for (const char* way : {"CButton1", "close box"}) {
        f.prompts->messages.clear();
        f.OpenChannel(1, [&](QDialog& d) {
            Type(d, "Friq", QStringLiteral("145.5"));
            Control<QCheckBox>(d, "ToneBox1")->click();
            Type(d, "NameEdit", QStringLiteral("NEW"));
            Type(d, "OfsFriq", QStringLiteral("0,6"));
            Press(d, "OKButton1");
            QVERIFY(d.isVisible());
            QCOMPARE(f.prompts->messages.size(), 1);
            QCOMPARE(f.prompts->messages[0].text, QStringLiteral("'0,6' は浮動小数点数ではありません"));
            if (QString::fromLatin1(way) == QStringLiteral("close box"))
                d.close();
            else
                Press(d, way);
        });
        QVERIFY(f.Channel(1) == before);
        // Nothing changed, so a memory read has nothing to lose.
        QVERIFY(!f.window->MemoryChanged());
    }
    // A value the record's field cannot hold is refused the same way.
    f.OpenChannel(1, [&](QDialog& d) {
        Type(d, "OfsFriq", QStringLiteral("1000"));
        Press(d, "OKButton1");
        QVERIFY(d.isVisible());
        QVERIFY(f.prompts->messages.last().text.startsWith(QStringLiteral("'1000' は範囲外の値です")));
        d.reject();
    });
    QVERIFY(f.Channel(1) == before);
}

void EditDialogsTest::nameAndMemoHoldWhatTheRadioAndFileCarry() {
    DialogFixture f;
    struct Row {
        const char* typed;
        const char* kept;
    };
    f.OpenChannel(1, [&](QDialog& d) {
        for (const Row& r : {Row{"ABCDEFGHIJ", "ABCDEFGH"}, Row{"あいうえお", "あいうえ"}, Row{"ABCDEFGあ", "ABCDEFG"},
                             Row{"A,B", ""}, Row{"😀", ""}, Row{"A\nB", ""}}) {
            Edit(d, "NameEdit")->clear();
            Type(d, "NameEdit", QString::fromUtf8(r.typed));
            QCOMPARE(Edit(d, "NameEdit")->text(), QString::fromUtf8(r.kept));
        }
        Type(d, "NameEdit", QStringLiteral("ｶﾅ局"));
        Type(d, "MemoEdit", QStringLiteral("a,").repeated(40) + QStringLiteral("漢").repeated(100));
        Press(d, "OKButton1");
    });
    const MemoryChannel& ch = f.Channel(1);
    QCOMPARE(ch.Name.str(), std::string("\xB6\xC5\x8B\xC7"));
    // 80 bytes of "a," and 85 whole double-byte characters: the 86th would pass 250 bytes.
    QCOMPARE(ch.Memo.size(), std::size_t{250});
    QCOMPARE(ch.Memo.str().substr(0, 4), std::string("a,a,"));
    QCOMPARE(ch.Memo.str().substr(248), std::string("\x8A\xBF"));
}

// Enter opens the row, Escape cancels, and the grid keeps its focus and row for the next one.
void EditDialogsTest::keyboardWalk() {
    DialogFixture f;
    f.window->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(0);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    zem::StringGrid* grid = f.Grid("MemStringGrid1");
    grid->setFocus();
    grid->setCurrentCell(6, 0);
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(f.MemCell(1, 7), QStringLiteral("Empty"));
    QTRY_VERIFY(grid->hasFocus());
    QCOMPARE(grid->Row(), 7);
    QTest::keyClick(grid, Qt::Key_Down);
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(f.MemCell(1, 8), QStringLiteral("145.00000MHz"));
    QTRY_VERIFY(grid->hasFocus());
    QCOMPARE(grid->Row(), 8);
}

void EditDialogsTest::vfoDialogOpensPerVfo() {
    DialogFixture f;
    f.OpenVfo(1, [](QDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("A Band 126MHz帯"));
        QVERIFY(Control<QCheckBox>(d, "AMCheckBox")->isEnabled());
        QCOMPARE(Edit(d, "FriqEdit")->text(), QStringLiteral("125.00000"));
        QCOMPARE(Edit(d, "UpFriq")->text(), QStringLiteral("118"));
        QCOMPARE(Edit(d, "DwFriq")->text(), QStringLiteral("135"));
        d.reject();
    });
    f.OpenVfo(6, [](QDialog& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("B Band 435MHz帯（main）"));
        QVERIFY(!Control<QCheckBox>(d, "AMCheckBox")->isEnabled());
        QCOMPARE(Edit(d, "OFSFriq")->text(), QStringLiteral("5.0"));
        d.reject();
    });
    // Closed without a change, the dialogs leave nothing a read could lose.
    QVERIFY(!f.window->VfoChanged() && !f.window->MemoryChanged());
}

void EditDialogsTest::vfoLimits() {
    DialogFixture f;
    struct Row {
        const char* typed;
        const char* stored;
        const char* shown;
    };
    for (const Row& r : {Row{"5", "005", "5MHz"}, Row{"１２０", "00120", "120MHz"}}) {
        f.OpenVfo(1, [&](QDialog& d) {
            Type(d, "UpFriq", QString::fromUtf8(r.typed));
            Press(d, "OKButton");
        });
        QCOMPARE(f.Vfo(1).LowerLimit.str(), std::string(r.stored));
        QCOMPARE(f.Grid("VFOStringGrid1")->Cell(1, 1), QString::fromLatin1(r.shown));
    }
    QVERIFY(f.prompts->messages.isEmpty());
}

void EditDialogsTest::failedVfoOkLeavesTheVfoAlone() {
    DialogFixture f;
    const VfoRecord before = f.Vfo(4);
    struct Row {
        const char* field;
        const char* typed;
        const char* message;
    };
    for (const Row& r :
         {Row{"DwFriq", "1a", "上限周波数 '1a' は数字ではありません。"}, Row{"UpFriq", "", "下限周波数 '' は"},
          Row{"FriqEdit", "abc", "'abc' は浮動小数点数ではありません"}}) {
        f.prompts->messages.clear();
        f.OpenVfo(4, [&](QDialog& d) {
            Type(d, "OFSFriq", QStringLiteral("1.5"));
            Type(d, r.field, QString::fromUtf8(r.typed));
            Press(d, "OKButton");
            QVERIFY(d.isVisible());
            Press(d, "CancelButton");
        });
        QCOMPARE(f.prompts->messages.size(), 1);
        QVERIFY2(f.prompts->messages[0].text.startsWith(QString::fromUtf8(r.message)),
                 qPrintable(f.prompts->messages[0].text));
        QVERIFY(f.Vfo(4) == before);
    }
}

// Opening every row and pressing OK changes nothing: the saved file is the same, byte for byte,
// with 6.25 kHz channels, odd offsets, split channels and the scan limits among them.
void EditDialogsTest::everyRowThroughOkSavesTheSameFile() {
    QTemporaryDir dir;
    const QString original = dir.filePath(QStringLiteral("original.zem"));
    {
        WindowFixture source(QStringLiteral(ZEM_SAMPLES "/sample.zem"));
        source.Change([](zem::RadioImage& image) {
            image.Channels[140] = ShiftedChannel("00145006250", "000150000");
            image.Channels[141] = ShiftedChannel("00430012500", "");
            image.Channels[141].Shift = '0';
            image.Channels[141].TxFreq = "00439006250";
            image.Channels[152] = ShiftedChannel("00144000000", "000000000");
            image.Channels[153] = ShiftedChannel("00146000000", "000000000");
            image.Channels[160] = ShiftedChannel("00120500000", "000000000");
            image.Channels[160].Mode = '1';
            image.Vfos[2].Offset = "007600000";
            image.Vfos[1].Offset = "000150000";
            image.Vfos[0].Freq = "00118006250";
        });
        QVERIFY(source.window->Savezem(original));
    }
    DialogFixture f(original);
    f.OpenChannel(141, [](QDialog& d) {
        QCOMPARE(Edit(d, "Friq")->text(), QStringLiteral("145.00625"));
        QCOMPARE(Edit(d, "OfsFriq")->text(), QStringLiteral("0.1500"));
        d.reject();
    });
    QCOMPARE(f.MemCell(1, 141), QStringLiteral("145.00630MHz")); // the grid keeps seven significant digits
    int used = 0;
    for (int row = 1; row <= 170; ++row) {
        if (f.Channel(row).EmptyFlag != '0')
            continue;
        ++used;
        f.OpenChannel(row, [](QDialog& d) { Press(d, "OKButton1"); });
    }
    QVERIFY(used > 10);
    for (int row = 1; row <= 6; ++row)
        f.OpenVfo(row, [](QDialog& d) { Press(d, "OKButton"); });
    QVERIFY(f.prompts->messages.isEmpty());
    const QString again = dir.filePath(QStringLiteral("again.zem"));
    QVERIFY(f.window->Savezem(again));
    QFile a(original);
    QFile b(again);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), a.readAll());
}

struct StoredCase {
    const char* what;
    bool vfo;                                      // the VFO dialog on VFO 2, else the channel dialog on row 3
    std::function<void(zem::RadioImage&)> stored;  // what the record holds before
    std::function<void(QDialog&)> act;             // edits and checks; OK is pressed after
    const char* refusal;                           // the start of the error box OK shows, or nothing
    std::function<void(zem::RadioImage&)> changed; // what OK changes, from `stored`
};

// What a file or the radio stored, though the controls cannot show it as it is, comes back from an
// OK without an edit byte for byte; an edit is stored only when it keeps the field's rule.
void EditDialogsTest::storedValuesTheControlsCannotShow() {
    const auto vfo = [](zem::RadioImage& i) -> VfoRecord& { return i.Vfos[1]; };
    const auto ch = [](zem::RadioImage& i) -> MemoryChannel& { return i.Channels[2]; };
    const auto nothing = [](zem::RadioImage&) {};
    const StoredCase cases[] = {
        {"limits of more or fewer digits", true,
         [&](auto& i) {
             vfo(i).LowerLimit = "01300";
             vfo(i).UpperLimit = "00";
         },
         [](QDialog& d) {
             QCOMPARE(Edit(d, "UpFriq")->text(), QStringLiteral("1300"));
             QCOMPARE(Edit(d, "DwFriq")->text(), QStringLiteral("0"));
         },
         "", nothing},
        {"a typed limit", true, [&](auto& i) { vfo(i).LowerLimit = "00005"; },
         [](QDialog& d) { Type(d, "DwFriq", QStringLiteral("150")); }, "",
         [&](auto& i) { vfo(i).UpperLimit = "00150"; }},
        {"codes and flags outside the controls", true,
         [&](auto& i) {
             vfo(i).Shift = '3';
             vfo(i).Reverse = '5';
             vfo(i).Mode = 'x';
             vfo(i).ToneCode = "9";
             vfo(i).Offset = "600000";
             vfo(i).Freq = "145000000";
         },
         [](QDialog& d) { QCOMPARE(Group(d, "ShiftRadioGroup")->checkedId(), -1); }, "", nothing},
        {"a shift code the items cannot show", false,
         [&](auto& i) {
             ch(i) = ShiftedChannel("00145000000", "000150000");
             ch(i).Shift = '3';
         },
         [](QDialog& d) {
             QCOMPARE(Group(d, "ModeGroup")->checkedId(), -1);
             QVERIFY(Edit(d, "OfsFriq")->isEnabled());
         },
         "", nothing},
        {"a shift picked", false,
         [&](auto& i) {
             ch(i) = ShiftedChannel("00145000000", "000150000");
             ch(i).Shift = '3';
         },
         [](QDialog& d) { Group(d, "ModeGroup")->button(2)->click(); }, "", [&](auto& i) { ch(i).Shift = '2'; }},
        {"a split channel stored with a shift", false,
         [&](auto& i) {
             ch(i) = ShiftedChannel("00145000000", "");
             ch(i).TxFreq = "00435000000";
         },
         [](QDialog& d) { QCOMPARE(Group(d, "ModeGroup")->checkedId(), 3); }, "", nothing},
        {"a TAB in the name and memo, unedited", false,
         [&](auto& i) {
             ch(i) = ShiftedChannel("00145000000", "000600000");
             ch(i).Name = "A\tB,";
             ch(i).Memo = "x\ty";
         },
         [](QDialog& d) {
             Edit(d, "NameEdit")->end(false);
             QTest::keyClicks(Edit(d, "NameEdit"), ",XY");
             QCOMPARE(Edit(d, "NameEdit")->text(), QStringLiteral("A\tB,XY"));
             QTest::keyClick(Edit(d, "NameEdit"), Qt::Key_Backspace);
             QTest::keyClick(Edit(d, "NameEdit"), Qt::Key_Backspace);
         },
         "", nothing},
        {"an edited name that keeps a TAB", false,
         [&](auto& i) {
             ch(i) = ShiftedChannel("00145000000", "000600000");
             ch(i).Name = "A\tB";
         },
         [](QDialog& d) { Edit(d, "NameEdit")->setText(QStringLiteral("A\tB,XY漢")); },
         "メモリネーム に使えない文字（',' と制御文字）があります。", nothing},
        {"an edited memo that keeps a TAB", false,
         [&](auto& i) {
             ch(i) = ShiftedChannel("00145000000", "000600000");
             ch(i).Memo = "x\ty";
         },
         [](QDialog& d) { Type(d, "MemoEdit", QStringLiteral("x\ty, z")); },
         "メモ に使えない文字（制御文字）があります。", nothing},
        {"an edited name without the TAB", false,
         [&](auto& i) {
             ch(i) = ShiftedChannel("00145000000", "000600000");
             ch(i).Name = "A\tB";
         },
         [](QDialog& d) { Type(d, "NameEdit", QStringLiteral("AB")); }, "", [&](auto& i) { ch(i).Name = "AB"; }},
    };
    for (const StoredCase& c : cases) {
        DialogFixture f;
        f.Change(c.stored);
        zem::RadioImage expected = f.window->Image();
        c.changed(expected);
        const auto act = [&](QDialog& d) {
            c.act(d);
            Press(d, c.vfo ? "OKButton" : "OKButton1");
            if (d.isVisible())
                d.reject();
        };
        if (c.vfo)
            f.OpenVfo(2, act);
        else
            f.OpenChannel(3, act);
        if (*c.refusal) {
            QCOMPARE(f.prompts->messages.size(), 1);
            QVERIFY2(f.prompts->messages[0].text.startsWith(QString::fromUtf8(c.refusal)), c.what);
        } else {
            QVERIFY2(f.prompts->messages.isEmpty(), c.what);
        }
        QVERIFY2(f.window->Image() == expected, c.what);
    }
}

void EditDialogsTest::bulkChangeGivesOnlyTheFieldsChosen() {
    ScriptedPrompts prompts;
    zem::BulkChangeDialog d(prompts, 3);
    d.setFont(zem::WindowFont());
    d.show();
    const QStringList clipped = ClippedControls(&d);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    QVERIFY(d.Change()->Empty());
    Control<QComboBox>(d, "BulkStep")->setCurrentText(QStringLiteral("6.25 kHz"));
    Control<QComboBox>(d, "BulkTone")->setCurrentText(QStringLiteral("88.5 Hz"));
    Control<QComboBox>(d, "BulkCtcss")->setCurrentText(QStringLiteral("オフ"));
    Type(d, "BulkOffset", QStringLiteral("5"));
    const zem::BulkChange change = *d.Change();
    QVERIFY(change.step == '1' && change.tone == "09" && change.ctcss == "" && change.offset == "005000000");
    QVERIFY(!change.shift && !change.reverse && !change.mode && !change.lockout);
    Type(d, "BulkOffset", QStringLiteral("5.x"));
    QVERIFY(!d.Change() && prompts.messages.size() == 1);
}

QTEST_MAIN(EditDialogsTest)
#include "edit_dialogs_test.moc"
