#include "radio_page.h"

#include "model/codecs.h"
#include "model/cp932.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <span>

namespace zem {
namespace {

using Comma = Cp932LineEdit::Comma;

// Grid columns: the memory number, then its name and code.
constexpr int kNameColumn = 1;
constexpr int kCodeColumn = 2;

// The DTMF group's own bounds; the grid spans its width but for a small margin.
constexpr int kDtmfWidth = 209;
constexpr int kDtmfMargin = 4;

// A code shows whole, all 16 digits; the label column takes what a digit needs and the name
// column the rest of the group's width. A name still too wide shows whole as its tooltip.
StringGrid* MakeDtmfGrid(QWidget* parent) {
    auto* grid = new StringGrid({3, static_cast<int>(kDtmfCount) + 1, {30, 53, 103}, 14, false, true}, parent);
    grid->setObjectName(QStringLiteral("DTMFGrid"));
    grid->SetCell(kNameColumn, 0, QStringLiteral("Name"));
    grid->SetCell(kCodeColumn, 0, QStringLiteral("Code"));
    for (std::size_t n = 0; n < kDtmfCount; ++n)
        grid->SetCell(0, static_cast<int>(n) + 1, QString::number(n));
    const int label = grid->CellWidthFor(QStringLiteral("9")) + 2;
    const int code = grid->CellWidthFor(QStringLiteral("0123456789ABCDEF")) + 1;
    const int columns = kDtmfWidth - 2 * kDtmfMargin - 2 * grid->frameWidth();
    grid->SetColumnWidths(std::array{label, columns - label - code, code});
    grid->setGeometry(QRect(QPoint(kDtmfMargin, 16), grid->DesignSize()));
    return grid;
}

// A binding's place in the menu fields' table, which is the record's order.
std::size_t TablePosition(const FieldBinding& b) {
    return static_cast<std::size_t>(b.field - MenuFields().data());
}

} // namespace

RadioPage::RadioPage(QWidget* parent) : QWidget(parent) {
    QGroupBox* display = MakeGroupBox(this, "GroupBox1", "表示", {8, 8, 145, 145});
    MakeLabel(display, "パワーオンメッセージ", {8, 20, 129, 14});
    bindings_.push_back(Bind("MES", MakeFieldEdit(display, "MESEdit", {8, 35, 129, 20}, "MES", "HELLO!!")));
    contrastLabel_ = MakeLabel(display, "コントラスト 07", {8, 57, 129, 14});
    contrastLabel_->setObjectName(QStringLiteral("Conlabel"));
    contrastBar_ = new QScrollBar(Qt::Horizontal, display);
    contrastBar_->setObjectName(QStringLiteral("ContrastBar1"));
    contrastBar_->setGeometry(8, 72, 129, 16);
    contrastBar_->setRange(0, 15);
    contrastBar_->setValue(7);
    contrastBar_->setPageStep(1); // the radio's contrast moves one step at a time
    bindings_.push_back(Bind("CNT", ContrastBar{contrastBar_}));
    bindings_.push_back(
        Bind("LAN", MakeRadioGroup(display, "LANGroup", "言語", {8, 92, 129, 47}, {"English", "Japanese"}, 0)));

    QGroupBox* power = MakeGroupBox(this, "GroupBox2", "電源", {376, 213, 169, 65});
    MakeLabel(power, "電池節約", {8, 19, 60, 14});
    bindings_.push_back(Bind("SV", IndexList{MakeList(power, "SaveBox", {72, 16, 89, 20},
                                                      {"OFF", "0.2[sec]", "0.4[sec]", "0.6[sec]", "0.8[sec]",
                                                       "1.0[sec]", "2.0[sec]", "3.0[sec]", "4.0[sec]", "5.0[sec]"},
                                                      5)}));
    MakeLabel(power, "自動停止", {8, 43, 60, 14});
    bindings_.push_back(
        Bind("APO", IndexList{MakeList(power, "APOBox", {72, 40, 89, 20}, {"OFF", "30min", "60min"}, 1)}));

    QGroupBox* dtmf = MakeGroupBox(this, "DTMFBox", "DTMF", {160, 0, 209, 281});
    dtmfGrid_ = MakeDtmfGrid(dtmf);
    // The code edit takes the width that shows its 16 digits; the store button moves beside the
    // pause list to leave it room.
    dtmfName_ = MakeEdit(dtmf, "DnameEdit", {4, 178, 64, 20}, DtmfMemory{}.Name.capacity, Comma::Refuse, " ");
    dtmfCode_ = MakeEdit(dtmf, "DCodeEdit", {70, 178, 135, 20}, DtmfMemory{}.Code.capacity, Comma::Refuse, " ");
    dtmfButton_ = new QPushButton(QStringLiteral("OK"), dtmf);
    dtmfButton_->setObjectName(QStringLiteral("DTMFButton"));
    dtmfButton_->setGeometry(165, 201, 40, 20);
    dtmfButton_->setEnabled(false);
    MakeLabel(dtmf, "ポーズ時間", {8, 204, 60, 14});
    bindings_.push_back(
        Bind("TSP", MakeRadioGroup(dtmf, "TSPGroup", "送出速度", {8, 224, 97, 47}, {"低速", "高速"}, 1)));
    bindings_.push_back(Bind("TXH", MakeCheck(dtmf, "DHoldBox", "送信保持", {112, 240, 89, 15})));
    bindings_.push_back(
        Bind("PT", IndexList{MakeList(dtmf, "PauseBox", {70, 201, 89, 20},
                                      {"100ms", "250ms", "500ms", "750ms", "1000ms", "1500ms", "2000ms"}, 2)}));

    QGroupBox* tnc = MakeGroupBox(this, "GroupBox3", "TNC", {8, 165, 145, 113});
    bindings_.push_back(
        Bind("DTB", MakeRadioGroup(tnc, "DBandGroup", "データバンド", {8, 16, 129, 47}, {"A band", "B band"}, 1)));
    bindings_.push_back(
        Bind("DS", MakeRadioGroup(tnc, "DCDSGroup", "DCDセンス", {8, 63, 129, 47}, {"DATA Band", "Both Band"}, 0)));

    QGroupBox* other = MakeGroupBox(this, "OtherBox4", "その他の機能", {376, 0, 169, 209});
    QCheckBox* autoOffset = MakeCheck(other, "AROBox", "オートオフセット", {8, 185, 153, 15});
    bindings_.push_back(Bind("ARO", autoOffset));
    bindings_.push_back(Bind("SCR", MakeRadioGroup(other, "SCANGroup", "スキャン再開条件", {8, 16, 153, 62},
                                                   {"TIME", "CARRIER", "SEEK"}, 0)));
    bindings_.push_back(Bind("BEP", MakeRadioGroup(other, "BEEPGroup", "ビープ音", {8, 78, 153, 77},
                                                   {"OFF", "Key", "NewData & Key", "ALL"}, 0)));
    bindings_.push_back(Bind("ELK", MakeCheck(other, "ELKBox", "エンコーダーロック", {8, 155, 153, 15})));
    bindings_.push_back(Bind("TXS", MakeCheck(other, "TXSBox", "送信禁止", {8, 170, 153, 15})));

    std::sort(bindings_.begin(), bindings_.end(),
              [](const FieldBinding& a, const FieldBinding& b) { return TablePosition(a) < TablePosition(b); });
    const std::size_t lastBeforeDtmf = FieldBeforeDtmf();
    dtmfAt_ = static_cast<std::size_t>(std::count_if(
        bindings_.begin(), bindings_.end(), [&](const FieldBinding& b) { return TablePosition(b) <= lastBeforeDtmf; }));

    connect(contrastBar_, &QScrollBar::valueChanged, this, [this] { ContrastBar1Change(); });
    connect(dtmfGrid_, &QTableWidget::itemSelectionChanged, this, [this] { DTMFGridClick(); });
    connect(dtmfGrid_, &QTableWidget::cellClicked, this, [this] { DTMFGridClick(); });
    connect(dtmfButton_, &QPushButton::clicked, this, [this] { DTMFButtonClick(); });
}

void RadioPage::Get(RadioSettings& s) const {
    ReadControls(bindings_, s);
    s.Dtmf = dtmf_;
}

void RadioPage::Put(const RadioSettings& s) {
    const std::span<const FieldBinding> all(bindings_);
    WriteControls(all.first(dtmfAt_), s);
    for (std::size_t n = 0; n < kDtmfCount; ++n) {
        dtmf_[n] = s.Dtmf[n];
        ShowDtmf(n);
    }
    WriteControls(all.subspan(dtmfAt_), s);
}

void RadioPage::OnEdited(const std::function<void()>& edited) {
    ConnectEdited(bindings_, edited);
}

void RadioPage::SetSettingsEnabled(bool enabled) {
    EnableControls(bindings_, enabled);
    for (QWidget* control : std::initializer_list<QWidget*>{dtmfName_, dtmfCode_, dtmfButton_})
        control->setEnabled(enabled);
}

void RadioPage::ShowDtmf(std::size_t memory) {
    const int row = static_cast<int>(memory) + 1;
    dtmfGrid_->SetCell(kNameColumn, row, QString::fromStdString(ShownCp932(dtmf_[memory].Name.view())));
    dtmfGrid_->SetCell(kCodeColumn, row, QString::fromStdString(ShownCp932(dtmf_[memory].Code.view())));
}

void RadioPage::DTMFGridClick() {
    const int memoryRow = dtmfGrid_->Row() - 1;
    if (memoryRow < 0)
        return;
    const auto memory = static_cast<std::size_t>(memoryRow);
    dtmfButton_->setEnabled(true);
    dtmfButton_->setText(QString::number(memoryRow));
    dtmfName_->SetCp932(dtmf_[memory].Name.view());
    dtmfCode_->SetCp932(dtmf_[memory].Code.view());
}

void RadioPage::DTMFButtonClick() {
    bool isNumber = false;
    const int memory = dtmfButton_->text().toInt(&isNumber);
    if (!isNumber || memory < 0 || memory >= static_cast<int>(kDtmfCount))
        return;
    const auto n = static_cast<std::size_t>(memory);
    dtmf_[n].Name = CutCp932(dtmfName_->Cp932(), dtmf_[n].Name.capacity);
    dtmf_[n].Code = CutCp932(dtmfCode_->Cp932(), dtmf_[n].Code.capacity);
    ShowDtmf(n);
    if (dtmfStored_)
        dtmfStored_(n, dtmf_[n]);
}

void RadioPage::ContrastBar1Change() {
    contrastLabel_->setText(QStringLiteral("コントラスト ") +
                            QString::fromStdString(ZeroPad(contrastBar_->value(), 2)));
}

} // namespace zem
