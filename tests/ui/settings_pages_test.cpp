#include "layout_check.h"

#include "ui/cp932_line_edit.h"
#include "ui/navitora_page.h"
#include "ui/radio_page.h"

#include "model/conversion_error.h"
#include "model/cp932.h"
#include "model/menu_fields.h"
#include "model/startup_image.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <map>
#include <string>

using namespace zem;

Q_DECLARE_METATYPE(RadioSettings)

namespace {

// The first 15 menu fields (MES to TXS) live on the Radio page, the other 16 on the other page.
constexpr std::size_t kRadioPageFields = 15;

std::string Sjis(const char* utf8) {
    return Utf8ToCp932(utf8).value();
}

// The names of the menu fields whose values differ, so a failure says which ones.
QStringList DifferentFields(const RadioSettings& a, const RadioSettings& b) {
    QStringList names;
    for (const MenuField& f : MenuFields())
        if (f.get(a) != f.get(b))
            names << QString::fromLatin1(f.name.data(), static_cast<int>(f.name.size()));
    for (std::size_t n = 0; n < kDtmfCount; ++n)
        if (!(a.Dtmf[n] == b.Dtmf[n]))
            names << QStringLiteral("DTMF%1").arg(n);
    return names;
}

// Every field at the far end of its range, the texts full to their width.
RadioSettings FullRecord() {
    RadioSettings s;
    s.MES = "ABCDEFGH";
    s.CNT = "15";
    s.LAN = '1';
    s.SV = "9";
    s.APO = '2';
    for (std::size_t n = 0; n < kDtmfCount; ++n) {
        s.Dtmf[n].Code = "0123456789ABCD*#";
        s.Dtmf[n].Name = "MEMORY" + std::to_string(n);
    }
    s.TSP = '0';
    s.TXH = '1';
    s.PT = '6';
    s.DTB = '0';
    s.DS = '1';
    s.ARO = '1';
    s.SCR = '2';
    s.BEP = '3';
    s.ELK = '1';
    s.TXS = '1';
    s.MYC = "JA1ZZZ-9";
    s.GU = '3';
    s.MP = "35409N13945E12345";
    s.NMSG = "01234567890123456789";
    s.ICO = 'E';
    s.GM = '1';
    s.GC = "999";
    s.TXI = '5';
    s.PP = "RELAY,WIDE1-1,WIDE2-2,TRACE3-3,X";
    s.SMY = "JR1ABC/1";
    s.MAC = '0';
    s.SMSG = "HELLO 599";
    s.SMC = '3';
    s.RSV = "RSV 599 OK";
    s.RSC = '1';
    s.VCS = '1';
    return s;
}

RadioSettings JapaneseRecord() {
    RadioSettings s = DefaultSettings();
    s.MES = Sjis("ﾊﾛｰ日本");
    s.Dtmf[0].Name = Sjis("自宅");
    s.Dtmf[0].Code = "0312345678";
    s.Dtmf[9].Name = Sjis("ｼﾞﾀｸ");
    s.MYC = Sjis("ｺｰﾙ");
    s.NMSG = Sjis("ナビトラ移動中です");
    s.PP = Sjis("経路");
    s.SMSG = Sjis("ﾃｽﾄ");
    s.RSV = Sjis("良好です");
    s.ICO = 'A';
    s.MAC = '4';
    return s;
}

// Texts as a cut by the radio or an old file leaves them: ending in the lead byte of a character.
RadioSettings HalfCharacterRecord() {
    RadioSettings s = DefaultSettings();
    s.MES = Sjis("あいう") + "\x82";
    s.NMSG = "ABC\x88";
    s.Dtmf[4].Name = "1234567\x83";
    return s;
}

// Stores a value as a damaged file or answer could leave it; set() would turn a stray character
// into '0'.
void SetRaw(RadioSettings& s, const MenuField& f, const std::string& value) {
    using S = RadioSettings;
    static const std::map<std::string_view, char S::*> kChars{
        {"LAN", &S::LAN}, {"APO", &S::APO}, {"TSP", &S::TSP}, {"PT", &S::PT},  {"DTB", &S::DTB},
        {"DS", &S::DS},   {"SCR", &S::SCR}, {"BEP", &S::BEP}, {"GU", &S::GU},  {"ICO", &S::ICO},
        {"TXI", &S::TXI}, {"MAC", &S::MAC}, {"SMC", &S::SMC}, {"RSC", &S::RSC}};
    if (f.isChar)
        s.*kChars.at(f.name) = value.at(0);
    else
        f.set(s, value);
}

template <class T> T* Child(QWidget* page, const char* name) {
    T* child = page->findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr)
        qFatal("no control named %s", name);
    return child;
}

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// A button's caption as the screen shows it: "&&" is one '&', a single '&' marks a shortcut
// letter and is not shown.
QString Shown(QString caption) {
    static const QRegularExpression kMark(QStringLiteral("&(.)"));
    return caption.replace(kMark, QStringLiteral("\\1"));
}

QStringList Items(const QGroupBox* group) {
    QStringList items;
    for (const QRadioButton* b : group->findChildren<QRadioButton*>())
        items << Shown(b->text());
    return items;
}

QString CheckedItem(const QGroupBox* group) {
    for (const QRadioButton* b : group->findChildren<QRadioButton*>())
        if (b->isChecked())
            return Shown(b->text());
    return {};
}

// Both pages as the window holds them, in the program's font.
struct Pages {
    Pages() {
        QFont font;
        font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
        font.setPixelSize(12);
        for (QWidget* page : {static_cast<QWidget*>(&radio), static_cast<QWidget*>(&navitora)}) {
            page->setFont(font);
            page->resize(563, 285);
        }
    }
    RadioSettings Get(RadioSettings s = {}) const {
        radio.Get(s);
        navitora.Get(s);
        return s;
    }
    void Put(const RadioSettings& s) {
        radio.Put(s);
        navitora.Put(s);
    }
    RadioPage radio;
    NavitoraPage navitora;
};

// Types text as a keyboard or an input method delivers it, one character per key press.
void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

void ClickDtmfRow(RadioPage& page, int gridRow) {
    auto* grid = Child<QTableWidget>(&page, "DTMFGrid");
    const QRect cell = grid->visualItemRect(grid->item(gridRow - 1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class SettingsPagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseProgramStyle(); }
    void freshPagesGiveTheDefaults() {
        Pages pages;
        RadioSettings filled = FullRecord(); // every field overwritten, whatever it held
        QCOMPARE(DifferentFields(pages.Get(filled), DefaultSettings()), QStringList());
        QVERIFY(pages.Get(filled) == DefaultSettings());
    }

    void designValuesAsShown() {
        Pages pages;
        QCOMPARE(Child<QLineEdit>(&pages.radio, "MESEdit")->text(), QStringLiteral("HELLO!!"));
        QCOMPARE(Child<QLabel>(&pages.radio, "Conlabel")->text(), QStringLiteral("コントラスト 07"));
        QCOMPARE(Child<QScrollBar>(&pages.radio, "ContrastBar1")->maximum(), 15);
        QCOMPARE(Child<QLineEdit>(&pages.radio, "DnameEdit")->text(), QStringLiteral(" "));
        QCOMPARE(Child<QLineEdit>(&pages.radio, "DCodeEdit")->text(), QStringLiteral(" "));
        auto* store = Child<QPushButton>(&pages.radio, "DTMFButton");
        QCOMPARE(store->text(), QStringLiteral("OK"));
        QVERIFY(!store->isEnabled());
        QCOMPARE(Child<QComboBox>(&pages.radio, "SaveBox")->currentText(), QStringLiteral("1.0[sec]"));
        QCOMPARE(Child<QComboBox>(&pages.navitora, "ICOBox")->currentText(), QStringLiteral("移動局A"));
        QCOMPARE(Child<QComboBox>(&pages.navitora, "RSCBox")->currentText(), QStringLiteral("WHITE"));
        QCOMPARE(CheckedItem(Child<QGroupBox>(&pages.radio, "TSPGroup")), QStringLiteral("高速"));
    }

    void everyControlNamed_data() {
        QTest::addColumn<bool>("onRadioPage");
        QTest::addColumn<QString>("caption"); // group boxes only
        const auto row = [](const char* name, bool radio, const char* caption = "") {
            QTest::newRow(name) << radio << QString::fromUtf8(caption);
        };
        for (const char* name : {"MESEdit", "ContrastBar1", "Conlabel", "SaveBox", "APOBox", "DTMFGrid", "DnameEdit",
                                 "DCodeEdit", "DTMFButton", "DHoldBox", "PauseBox", "AROBox", "ELKBox", "TXSBox"})
            row(name, true);
        for (const char* name :
             {"MYCEdit", "GUBox", "MPEdit", "NMSGEdit", "ICOBox", "GMBox", "GCEdit", "TXIBox", "PPEdit", "SMYEdit",
              "MACBox", "SMESEdit", "SMCBox", "RSVEdit", "RSCBox", "VCBox", "Panel4"})
            row(name, false);
        row("GroupBox1", true, "表示");
        row("GroupBox3", true, "TNC");
        row("DTMFBox", true, "DTMF");
        row("OtherBox4", true, "その他の機能");
        row("GroupBox2", true, "電源");
        row("LANGroup", true, "言語");
        row("TSPGroup", true, "送出速度");
        row("DBandGroup", true, "データバンド");
        row("DCDSGroup", true, "DCDセンス");
        row("SCANGroup", true, "スキャン再開条件");
        row("BEEPGroup", true, "ビープ音");
        row("BEACONBox", false, "BEACON");
        row("GPSBox", false, "GPS");
        row("GroupBox4", false, "SSTV");
        row("GroupBox5", false, "操作");
    }
    void everyControlNamed() {
        QFETCH(bool, onRadioPage);
        QFETCH(QString, caption);
        Pages pages;
        QWidget* page = onRadioPage ? static_cast<QWidget*>(&pages.radio) : &pages.navitora;
        QWidget* control = page->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(control != nullptr);
        if (auto* group = qobject_cast<QGroupBox*>(control))
            QCOMPARE(group->title(), caption);
    }

    void listItems_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("field");
        const QStringList colours{"Black", "Blue", "Red", "Magenta", "Green", "CYAN", "YELLOW", "WHITE"};
        QTest::newRow("SaveBox") << QStringLiteral("SaveBox")
                                 << QStringList{"OFF",      "0.2[sec]", "0.4[sec]", "0.6[sec]", "0.8[sec]",
                                                "1.0[sec]", "2.0[sec]", "3.0[sec]", "4.0[sec]", "5.0[sec]"}
                                 << QStringLiteral("SV");
        QTest::newRow("APOBox") << QStringLiteral("APOBox") << QStringList{"OFF", "30min", "60min"}
                                << QStringLiteral("APO");
        QTest::newRow("PauseBox") << QStringLiteral("PauseBox")
                                  << QStringList{"100ms", "250ms", "500ms", "750ms", "1000ms", "1500ms", "2000ms"}
                                  << QStringLiteral("PT");
        QTest::newRow("GUBox") << QStringLiteral("GUBox") << QStringList{"Not USED", "NMEA", "IPS", ""}
                               << QStringLiteral("GU");
        QTest::newRow("ICOBox") << QStringLiteral("ICOBox")
                                << QStringList{"移動局A",    "移動局黄", "移動局青", "移動局緑", "移動局赤",
                                               "レピーター", "民家",     "ビル",     "ベル",     "ドリンク",
                                               "ゴルフ場",   "かもめ",   "魚",       "駐車場",   "レストラン"}
                                << QStringLiteral("ICO");
        QTest::newRow("TXIBox") << QStringLiteral("TXIBox")
                                << QStringList{"0.5min", "1.0min", "3.0min", "5.0min", "10min", "30min"}
                                << QStringLiteral("TXI");
        QTest::newRow("MACBox") << QStringLiteral("MACBox") << colours << QStringLiteral("MAC");
        QTest::newRow("SMCBox") << QStringLiteral("SMCBox") << colours << QStringLiteral("SMC");
        QTest::newRow("RSCBox") << QStringLiteral("RSCBox") << colours << QStringLiteral("RSC");
        QTest::newRow("LANGroup") << QStringLiteral("LANGroup") << QStringList{"English", "Japanese"}
                                  << QStringLiteral("LAN");
        QTest::newRow("TSPGroup") << QStringLiteral("TSPGroup") << QStringList{"低速", "高速"} << QStringLiteral("TSP");
        QTest::newRow("DBandGroup") << QStringLiteral("DBandGroup") << QStringList{"A band", "B band"}
                                    << QStringLiteral("DTB");
        QTest::newRow("DCDSGroup") << QStringLiteral("DCDSGroup") << QStringList{"DATA Band", "Both Band"}
                                   << QStringLiteral("DS");
        QTest::newRow("SCANGroup") << QStringLiteral("SCANGroup") << QStringList{"TIME", "CARRIER", "SEEK"}
                                   << QStringLiteral("SCR");
        QTest::newRow("BEEPGroup") << QStringLiteral("BEEPGroup") << QStringList{"OFF", "Key", "NewData & Key", "ALL"}
                                   << QStringLiteral("BEP");
    }
    void listItems() {
        QFETCH(QString, name);
        QFETCH(QStringList, items);
        QFETCH(QString, field);
        // A settings-file reader takes a value as the field's own only when some item stores it.
        QCOMPARE(QString::fromLatin1(FindMenuField(field.toStdString())->codes),
                 QStringLiteral("0123456789ABCDEF").left(items.size()));
        Pages pages;
        for (QWidget* page : {static_cast<QWidget*>(&pages.radio), static_cast<QWidget*>(&pages.navitora)}) {
            if (auto* box = page->findChild<QComboBox*>(name)) {
                QCOMPARE(Items(box), items);
                QVERIFY(!box->isEditable()); // typed text would have no item index to store
            }
            if (auto* group = page->findChild<QGroupBox*>(name))
                QCOMPARE(Items(group), items);
        }
    }

    void checkBoxCaptions_data() {
        QTest::addColumn<QString>("caption");
        QTest::newRow("DHoldBox") << QStringLiteral("送信保持");
        QTest::newRow("AROBox") << QStringLiteral("オートオフセット");
        QTest::newRow("ELKBox") << QStringLiteral("エンコーダーロック");
        QTest::newRow("TXSBox") << QStringLiteral("送信禁止");
        QTest::newRow("GMBox") << QStringLiteral("グループモード");
        QTest::newRow("VCBox") << QStringLiteral("VCシャッター機能");
    }
    void checkBoxCaptions() {
        QFETCH(QString, caption);
        Pages pages;
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QCheckBox* box = pages.radio.findChild<QCheckBox*>(name);
        if (box == nullptr)
            box = pages.navitora.findChild<QCheckBox*>(name);
        QVERIFY(box != nullptr);
        QCOMPARE(Shown(box->text()), caption);
        QVERIFY(!box->isChecked());
    }

    void putThenGetKeepsTheRecord_data() {
        QTest::addColumn<RadioSettings>("record");
        QTest::newRow("defaults") << DefaultSettings();
        QTest::newRow("far ends") << FullRecord();
        QTest::newRow("Japanese texts") << JapaneseRecord();
        QTest::newRow("half characters") << HalfCharacterRecord();
        RadioSettings empty = FullRecord();
        empty.MES = "";
        empty.MYC = "";
        empty.MP = "";
        empty.GC = "";
        empty.CNT = "00";
        empty.SV = "0";
        QTest::newRow("empty texts") << empty;
    }
    void putThenGetKeepsTheRecord() {
        QFETCH(RadioSettings, record);
        Pages pages;
        pages.Put(FullRecord()); // a previous state that every field must overwrite
        pages.Put(record);
        const RadioSettings got = pages.Get(DefaultSettings());
        QCOMPARE(DifferentFields(got, record), QStringList());
        QVERIFY(got == record);
    }

    void putShowsTextsAndDtmfMemories() {
        Pages pages;
        pages.Put(JapaneseRecord());
        QCOMPARE(Child<QLineEdit>(&pages.radio, "MESEdit")->text(), QStringLiteral("ﾊﾛｰ日本"));
        QCOMPARE(Child<QLineEdit>(&pages.navitora, "NMSGEdit")->text(), QStringLiteral("ナビトラ移動中です"));
        auto* grid = Child<QTableWidget>(&pages.radio, "DTMFGrid");
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("自宅"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("0312345678"));
        QCOMPARE(grid->item(9, 0)->text(), QStringLiteral("ｼﾞﾀｸ"));
        QCOMPARE(Child<QComboBox>(&pages.navitora, "MACBox")->currentText(), QStringLiteral("Green"));
    }

    void iconRestaurantIsE() {
        Pages pages;
        auto* icons = Child<QComboBox>(&pages.navitora, "ICOBox");
        icons->setCurrentText(QStringLiteral("レストラン"));
        QCOMPARE(pages.Get().ICO, 'E');

        Pages other;
        RadioSettings s = DefaultSettings();
        s.ICO = 'E';
        other.Put(s);
        QCOMPARE(Child<QComboBox>(&other.navitora, "ICOBox")->currentText(), QStringLiteral("レストラン"));
    }

    void contrastLabel_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("stored");
        QTest::newRow("0") << 0 << QStringLiteral("コントラスト 00") << QStringLiteral("00");
        QTest::newRow("3") << 3 << QStringLiteral("コントラスト 03") << QStringLiteral("03");
        QTest::newRow("15") << 15 << QStringLiteral("コントラスト 15") << QStringLiteral("15");
    }
    void contrastLabel() {
        QFETCH(int, position);
        QFETCH(QString, label);
        QFETCH(QString, stored);
        Pages pages;
        Child<QScrollBar>(&pages.radio, "ContrastBar1")->setValue(position);
        QCOMPARE(Child<QLabel>(&pages.radio, "Conlabel")->text(), label);
        QCOMPARE(QString::fromStdString(pages.Get().CNT.str()), stored);
    }

    void contrastLabelFollowsPut() {
        Pages pages;
        RadioSettings s = DefaultSettings();
        s.CNT = "12";
        pages.Put(s);
        QCOMPARE(Child<QLabel>(&pages.radio, "Conlabel")->text(), QStringLiteral("コントラスト 12"));
    }

    void dtmfRowFourStoresMemoryThree() {
        Pages pages;
        pages.radio.show();
        pages.Put(JapaneseRecord());
        ClickDtmfRow(pages.radio, 4);
        auto* store = Child<QPushButton>(&pages.radio, "DTMFButton");
        QCOMPARE(store->text(), QStringLiteral("3"));
        QVERIFY(store->isEnabled());

        auto* name = Child<QLineEdit>(&pages.radio, "DnameEdit");
        auto* code = Child<QLineEdit>(&pages.radio, "DCodeEdit");
        QCOMPARE(name->text(), QString()); // memory 3 is empty in that record
        name->setText(QStringLiteral("ｵﾌｨｽ"));
        code->setText(QStringLiteral("0451234567*#"));
        QTest::mouseClick(store, Qt::LeftButton);

        auto* grid = Child<QTableWidget>(&pages.radio, "DTMFGrid");
        QCOMPARE(grid->item(3, 0)->text(), QStringLiteral("ｵﾌｨｽ"));
        QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("0451234567*#"));
        RadioSettings expected = JapaneseRecord();
        expected.Dtmf[3].Name = Sjis("ｵﾌｨｽ");
        expected.Dtmf[3].Code = "0451234567*#";
        QCOMPARE(DifferentFields(pages.Get(), expected), QStringList());
    }

    void dtmfClickLoadsTheEditor() {
        Pages pages;
        pages.radio.show();
        pages.Put(JapaneseRecord());
        ClickDtmfRow(pages.radio, 1);
        QCOMPARE(Child<QPushButton>(&pages.radio, "DTMFButton")->text(), QStringLiteral("0"));
        QCOMPARE(Child<QLineEdit>(&pages.radio, "DnameEdit")->text(), QStringLiteral("自宅"));
        QCOMPARE(Child<QLineEdit>(&pages.radio, "DCodeEdit")->text(), QStringLiteral("0312345678"));
        ClickDtmfRow(pages.radio, 10);
        QCOMPARE(Child<QPushButton>(&pages.radio, "DTMFButton")->text(), QStringLiteral("9"));
        QCOMPARE(Child<QLineEdit>(&pages.radio, "DnameEdit")->text(), QStringLiteral("ｼﾞﾀｸ"));
    }

    void dtmfGridDesign() {
        Pages pages;
        auto* grid = Child<QTableWidget>(&pages.radio, "DTMFGrid");
        QCOMPARE(grid->rowCount(), 10);
        QCOMPARE(grid->columnCount(), 2);
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Name"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Code"));
        for (int row = 0; row < 10; ++row) {
            QCOMPARE(grid->verticalHeaderItem(row)->text(), QString::number(row));
            QCOMPARE(grid->rowHeight(row), 14);
        }
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    void blankGpsItemStoresThree() {
        Pages pages;
        Child<QComboBox>(&pages.navitora, "GUBox")->setCurrentIndex(3);
        QCOMPARE(pages.Get().GU, '3');
    }

    // A code that is not a number stops Put at that field: the controls before it show the new
    // record, it and the ones after it keep what they showed.
    void putStopsAtABadCode_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("message");
        QTest::newRow("CNT") << QStringLiteral("CNT") << QStringLiteral("ab")
                             << QStringLiteral("'ab' は整数ではありません");
        QTest::newRow("SV empty") << QStringLiteral("SV") << QString() << QStringLiteral("'' は整数ではありません");
        QTest::newRow("ICO not hexadecimal")
            << QStringLiteral("ICO") << QStringLiteral("G") << QStringLiteral("'G' は整数ではありません");
        // Every other field held as a list or group index, so the order of the whole walk is checked.
        for (const char* name :
             {"LAN", "SV", "APO", "TSP", "PT", "DTB", "DS", "SCR", "BEP", "GU", "TXI", "MAC", "SMC", "RSC"})
            QTest::newRow(name) << QString::fromLatin1(name) << QStringLiteral("x")
                                << QStringLiteral("'x' は整数ではありません");
    }
    void putStopsAtABadCode() {
        QFETCH(QString, field);
        QFETCH(QString, bad);
        QFETCH(QString, message);
        const MenuField* broken = FindMenuField(field.toStdString());
        QVERIFY(broken != nullptr);
        RadioSettings record = FullRecord();
        SetRaw(record, *broken, bad.toStdString());

        Pages pages;
        const std::size_t index = static_cast<std::size_t>(broken - MenuFields().data());
        const bool onRadioPage = index < kRadioPageFields;
        try {
            if (onRadioPage)
                pages.radio.Put(record);
            else
                pages.navitora.Put(record);
            QFAIL("no conversion error");
        } catch (const ConversionError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), message);
        }

        const RadioSettings got = pages.Get();
        const std::size_t pageStart = onRadioPage ? 0 : kRadioPageFields;
        const std::size_t pageEnd = onRadioPage ? kRadioPageFields : MenuFields().size();
        for (std::size_t i = pageStart; i < pageEnd; ++i) {
            const MenuField& f = MenuFields()[i];
            const RadioSettings& expected = i < index ? record : DefaultSettings();
            QVERIFY2(f.get(got) == f.get(expected), f.name.data());
        }
        const bool dtmfReached = onRadioPage && index >= 5; // the memories follow APO
        QVERIFY(got.Dtmf == (dtmfReached ? record.Dtmf : DefaultSettings().Dtmf));
    }

    void codesOutsideTheItems() {
        Pages pages;
        RadioSettings record = DefaultSettings();
        record.APO = '5'; // a list: no selection, and the field survives Get
        record.SV = "12"; // the same for the text code
        record.LAN = '4'; // a radio group: its last item
        record.BEP = '9';
        record.ICO = 'F'; // one past the 15 icons
        pages.Put(record);
        QCOMPARE(Child<QComboBox>(&pages.radio, "APOBox")->currentIndex(), -1);
        QCOMPARE(Child<QComboBox>(&pages.navitora, "ICOBox")->currentIndex(), -1);
        QCOMPARE(CheckedItem(Child<QGroupBox>(&pages.radio, "LANGroup")), QStringLiteral("Japanese"));
        QCOMPARE(CheckedItem(Child<QGroupBox>(&pages.radio, "BEEPGroup")), QStringLiteral("ALL"));

        RadioSettings expected = record;
        expected.LAN = '1';
        expected.BEP = '3';
        QCOMPARE(DifferentFields(pages.Get(record), expected), QStringList());
    }

    void keyGroupDisabledAndCovered() {
        Pages pages;
        QGroupBox* keys = pages.navitora.KeyGroup();
        QCOMPARE(keys->objectName(), QStringLiteral("GroupBox5"));
        QCOMPARE(keys->geometry(), QRect(368, 8, 169, 113));
        QVERIFY(!keys->isEnabled());
        QWidget* cover = pages.navitora.KeyCover();
        QCOMPARE(cover->geometry(), keys->geometry());
        const QObjectList& order = pages.navitora.children(); // later siblings are drawn on top
        QVERIFY(order.indexOf(cover) > order.indexOf(keys));

        const struct {
            const char* name;
            QRect geometry;
        } buttons[] = {
            {"TX", {8, 16, 49, 17}},    {"BCON", {8, 40, 49, 17}},  {"DUAL", {8, 64, 49, 17}},
            {"BAND", {8, 88, 49, 17}},  {"RX", {64, 16, 49, 17}},   {"TNC", {64, 40, 49, 17}},
            {"LMP", {64, 64, 49, 17}},  {"LOCK", {64, 88, 49, 17}}, {"UP", {120, 16, 41, 41}},
            {"DWN", {120, 64, 41, 41}},
        };
        QCOMPARE(keys->findChildren<QPushButton*>().size(), 10);
        for (const auto& b : buttons) {
            auto* button = Child<QPushButton>(keys, b.name);
            QCOMPARE(button->text(), QString::fromLatin1(b.name));
            QCOMPARE(button->geometry(), b.geometry);
        }
    }

    void groupBoxesAtTheirPlaces_data() {
        QTest::addColumn<bool>("onRadioPage");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("GroupBox1") << true << QRect(8, 8, 145, 145);
        QTest::newRow("GroupBox3") << true << QRect(8, 165, 145, 113);
        QTest::newRow("DTMFBox") << true << QRect(160, 0, 209, 281);
        QTest::newRow("OtherBox4") << true << QRect(376, 0, 169, 209);
        QTest::newRow("GroupBox2") << true << QRect(376, 213, 169, 65);
        QTest::newRow("BEACONBox") << false << QRect(8, 0, 169, 249);
        QTest::newRow("GPSBox") << false << QRect(184, 0, 169, 121);
        QTest::newRow("GroupBox4") << false << QRect(184, 125, 289, 121);
    }
    void groupBoxesAtTheirPlaces() {
        QFETCH(bool, onRadioPage);
        QFETCH(QRect, geometry);
        Pages pages;
        QWidget* page = onRadioPage ? static_cast<QWidget*>(&pages.radio) : &pages.navitora;
        QCOMPARE(Child<QGroupBox>(page, QTest::currentDataTag())->geometry(), geometry);
    }

    // Controls are placed by hand, so check that each fits inside its parent and shows its whole
    // caption in the program's font.
    void nothingClipped() {
        Pages pages;
        const QStringList clipped = ClippedControls(&pages.radio) + ClippedControls(&pages.navitora);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }

    // Limits in CP932 bytes: a character that does not fit whole is refused.
    void editByteLimits_data() {
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<bool>("refuseComma");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("ASCII up to the limit")
            << 8 << false << QStringLiteral("ABCDEFGHIJ") << QStringLiteral("ABCDEFGH");
        QTest::newRow("double-byte fill it")
            << 8 << false << QStringLiteral("あいうえお") << QStringLiteral("あいうえ");
        QTest::newRow("no half character") << 8 << false << QStringLiteral("ABCDEFGあ") << QStringLiteral("ABCDEFG");
        QTest::newRow("odd limit") << 3 << false << QStringLiteral("あい") << QStringLiteral("あ");
        QTest::newRow("half-width kana one byte")
            << 8 << false << QStringLiteral("ｱｲｳｴｵｶｷｸｹ") << QStringLiteral("ｱｲｳｴｵｶｷｸ");
        QTest::newRow("mixed") << 8 << false << QStringLiteral("ﾃｽﾄ漢字ab") << QStringLiteral("ﾃｽﾄ漢字a");
        QTest::newRow("comma refused") << 8 << true << QStringLiteral("A,B,C") << QStringLiteral("ABC");
        QTest::newRow("comma allowed") << 8 << false << QStringLiteral("A,B,C") << QStringLiteral("A,B,C");
        QTest::newRow("no CP932 form") << 8 << false << QStringLiteral("A€B한") << QStringLiteral("AB");
    }
    void editByteLimits() {
        QFETCH(int, maxBytes);
        QFETCH(bool, refuseComma);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Cp932LineEdit edit(static_cast<std::size_t>(maxBytes),
                           refuseComma ? Cp932LineEdit::Comma::Refuse : Cp932LineEdit::Comma::Allow);
        Type(&edit, typed);
        QCOMPARE(edit.text(), kept);
        QCOMPARE(edit.Cp932(), Utf8ToCp932(kept.toStdString()).value());
    }

    // A ',' goes only into the texts the settings file brings it back in; anywhere else it would
    // move every setting after it.
    void commaOnlyWhereTheFileCarriesIt() {
        Pages pages;
        const std::pair<const char*, bool> edits[] = {
            {"MESEdit", true}, {"MYCEdit", false}, {"MPEdit", false},  {"NMSGEdit", true}, {"GCEdit", false},
            {"PPEdit", true},  {"SMYEdit", false}, {"SMESEdit", true}, {"RSVEdit", true},
        };
        for (const auto& [name, carried] : edits) {
            QWidget* page = std::string_view(name) == "MESEdit" ? static_cast<QWidget*>(&pages.radio) : &pages.navitora;
            auto* edit = Child<QLineEdit>(page, name);
            edit->clear();
            Type(edit, QStringLiteral("1,2"));
            QCOMPARE(edit->text(), carried ? QStringLiteral("1,2") : QStringLiteral("12"));
        }
    }

    void pasteKeepsWhatFits() {
        Cp932LineEdit edit(8, Cp932LineEdit::Comma::Allow);
        edit.setText(QStringLiteral("ab"));
        edit.setCursorPosition(1);
        edit.insert(QStringLiteral("あいうえ"));
        QCOMPARE(edit.text(), QStringLiteral("aあいうb"));
        QCOMPARE(edit.Cp932().size(), std::size_t{8});
    }

    void halfCharacterKeptUntilEdited() {
        Cp932LineEdit edit(8, Cp932LineEdit::Comma::Allow);
        const std::string bytes = Sjis("あいう") + "\x82";
        edit.SetCp932(bytes);
        QCOMPARE(edit.text(), QStringLiteral("あいう?"));
        QCOMPARE(edit.Cp932(), bytes);
        edit.end(false);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.Cp932(), Sjis("あいう"));
    }
};

QTEST_MAIN(SettingsPagesTest)
#include "settings_pages_test.moc"
