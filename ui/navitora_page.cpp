#include "navitora_page.h"

#include <QFrame>
#include <QGroupBox>
#include <QPushButton>

namespace zem {
namespace {

struct KeyButton {
    const char* name; // object name and caption at start
    QRect geometry;   // inside the key group
};

constexpr KeyButton kKeyButtons[] = {
    {"TX", {8, 16, 49, 17}},   {"BCON", {8, 40, 49, 17}},  {"DUAL", {8, 64, 49, 17}}, {"BAND", {8, 88, 49, 17}},
    {"RX", {64, 16, 49, 17}},  {"TNC", {64, 40, 49, 17}},  {"LMP", {64, 64, 49, 17}}, {"LOCK", {64, 88, 49, 17}},
    {"UP", {120, 16, 41, 41}}, {"DWN", {120, 64, 41, 41}},
};

constexpr std::initializer_list<const char*> kColours = {"Black", "Blue", "Red",    "Magenta",
                                                         "Green", "CYAN", "YELLOW", "WHITE"};
constexpr int kWhite = 7;

} // namespace

NavitoraPage::NavitoraPage(QWidget* parent) : QWidget(parent) {
    QGroupBox* beacon = MakeGroupBox(this, "BEACONBox", "BEACON", {8, 0, 169, 249});
    QGroupBox* gps = MakeGroupBox(this, "GPSBox", "GPS", {184, 0, 169, 121});
    QGroupBox* sstv = MakeGroupBox(this, "GroupBox4", "SSTV", {184, 125, 289, 121});

    // Bound in record order, MYC to VCS, so that Put stops where the record goes wrong.
    MakeLabel(beacon, "ｺｰﾙｻｲﾝ", {8, 20, 52, 14});
    bindings_.push_back(Bind("MYC", MakeFieldEdit(beacon, "MYCEdit", {64, 17, 97, 20}, "MYC", "NOCALL")));
    MakeLabel(gps, "GPS方式", {8, 20, 52, 14});
    bindings_.push_back(
        Bind("GU", IndexList{MakeList(gps, "GUBox", {64, 17, 97, 20}, {"Not USED", "NMEA", "IPS", ""}, 0)}));
    MakeLabel(gps, "自局位置", {8, 46, 153, 14});
    bindings_.push_back(Bind("MP", MakeFieldEdit(gps, "MPEdit", {8, 62, 153, 20}, "MP", "00000000000000000")));
    MakeLabel(beacon, "ナビトラメッセージ", {8, 176, 153, 14});
    bindings_.push_back(Bind("NMSG", MakeFieldEdit(beacon, "NMSGEdit", {8, 192, 153, 20}, "NMSG", "")));
    MakeLabel(beacon, "自局アイコン", {8, 126, 153, 14});
    bindings_.push_back(Bind(
        "ICO", HexIndexList{MakeList(beacon, "ICOBox", {8, 142, 153, 20},
                                     {"移動局A", "移動局黄", "移動局青", "移動局緑", "移動局赤", "レピーター", "民家",
                                      "ビル", "ベル", "ドリンク", "ゴルフ場", "かもめ", "魚", "駐車場", "レストラン"},
                                     0)}));
    bindings_.push_back(Bind("GM", MakeCheck(beacon, "GMBox", "グループモード", {8, 70, 153, 16})));
    MakeLabel(beacon, "グループコード", {8, 98, 86, 14});
    bindings_.push_back(Bind("GC", MakeFieldEdit(beacon, "GCEdit", {96, 95, 65, 20}, "GC", "000")));
    MakeLabel(beacon, "送信間隔", {8, 46, 52, 14});
    bindings_.push_back(
        Bind("TXI", IndexList{MakeList(beacon, "TXIBox", {64, 43, 97, 20},
                                       {"0.5min", "1.0min", "3.0min", "5.0min", "10min", "30min"}, 2)}));
    MakeLabel(this, "パケットパス", {8, 262, 74, 14});
    bindings_.push_back(Bind("PP", MakeFieldEdit(this, "PPEdit", {84, 259, 269, 20}, "PP", "")));
    MakeLabel(sstv, "コールサイン", {8, 20, 74, 14});
    bindings_.push_back(Bind("SMY", MakeFieldEdit(sstv, "SMYEdit", {84, 17, 90, 20}, "SMY", "")));
    bindings_.push_back(Bind("MAC", IndexList{MakeList(sstv, "MACBox", {180, 17, 101, 20}, kColours, kWhite)}));
    MakeLabel(sstv, "メッセージ", {8, 44, 74, 14});
    bindings_.push_back(Bind("SMSG", MakeFieldEdit(sstv, "SMESEdit", {84, 41, 90, 20}, "SMSG", "")));
    bindings_.push_back(Bind("SMC", IndexList{MakeList(sstv, "SMCBox", {180, 41, 101, 20}, kColours, kWhite)}));
    MakeLabel(sstv, "RSVレポート", {8, 68, 74, 14});
    bindings_.push_back(Bind("RSV", MakeFieldEdit(sstv, "RSVEdit", {84, 65, 90, 20}, "RSV", "")));
    bindings_.push_back(Bind("RSC", IndexList{MakeList(sstv, "RSCBox", {180, 65, 101, 20}, kColours, kWhite)}));
    bindings_.push_back(Bind("VCS", MakeCheck(sstv, "VCBox", "VCシャッター機能", {8, 94, 273, 16})));

    keyGroup_ = MakeGroupBox(this, "GroupBox5", "操作", {368, 8, 169, 113});
    for (const KeyButton& key : kKeyButtons) {
        auto* button = new QPushButton(QString::fromLatin1(key.name), keyGroup_);
        button->setObjectName(QString::fromLatin1(key.name));
        button->setGeometry(key.geometry);
    }
    keyGroup_->setEnabled(false);
    keyCover_ = new QFrame(this);
    keyCover_->setObjectName(QStringLiteral("Panel4"));
    keyCover_->setGeometry(keyGroup_->geometry());
    keyCover_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    keyCover_->setAutoFillBackground(true);
    keyCover_->raise();
}

void NavitoraPage::Get(RadioSettings& s) const {
    ReadControls(bindings_, s);
}

void NavitoraPage::Put(const RadioSettings& s) {
    WriteControls(bindings_, s);
}

} // namespace zem
