#include "main_window.h"

#include "navitora_page.h"
#include "radio_page.h"
#include "screen_centre.h"
#include "settings_binding.h"
#include "window_font.h"

#include "model/codecs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <tuple>

namespace zem {
namespace {

// The client area the window was designed for; the menu bar comes on top of it.
constexpr int kClientWidth = 571;
constexpr int kClientHeight = 333;
constexpr int kStatusBarHeight = 19;

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* Caption(QWidget* parent, const char* text, int x, int y) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QFrame* Panel(QWidget* parent, const char* name, QRect bounds, QFrame::Shadow shadow, int lineWidth) {
    auto* panel = Named(new QFrame(parent), name);
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(lineWidth);
    panel->setGeometry(bounds);
    return panel;
}

// The scope's band choice: items in two columns, the index being the band of the VFO table.
QGroupBox* BandRadioGroup(QWidget* parent) {
    static constexpr const char* kItems[] = {"125MHz帯", "145MHz帯", "360MHz帯", "435MHz帯"};
    auto* group = MakeGroupBox(parent, "VRadioGroup1", "VFO", QRect(4, 2, 196, 75));
    auto* buttons = Named(new QButtonGroup(group), "VRadioGroup1Items");
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(kItems[i]), group);
        button->setGeometry(8 + (i % 2) * 92, 20 + (i / 2) * 26, 88, 20);
        buttons->addButton(button, i);
    }
    buttons->button(2)->setChecked(true);
    return group;
}

} // namespace

void TFormD7::BuildDesign() {
    setWindowTitle(QStringLiteral("ZEM_D7"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());

    PageControl1 = Named(new QTabWidget(this), "PageControl1");
    radioPage_ = Named(new RadioPage, "TabSheet2");
    navitoraPage_ = Named(new NavitoraPage, "TabSheet4");
    PageControl1->addTab(BuildMemoryPage(), QStringLiteral("Memory"));
    PageControl1->addTab(radioPage_, QStringLiteral("Radio"));
    PageControl1->addTab(BuildVfoPage(), QStringLiteral("VFO"));
    PageControl1->addTab(navitoraPage_, QStringLiteral("Navitora _ SSTV"));
    PageControl1->setCurrentIndex(2);
    setCentralWidget(PageControl1);

    auto* bar = Named(new QStatusBar(this), "StatusBar1");
    bar->setFixedHeight(kStatusBarHeight);
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);

    BuildMenus();
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    CentreOnScreen(*this);
}

QWidget* TFormD7::BuildMemoryPage() {
    auto* page = Named(new QWidget, "TabSheet1");
    auto* group = Named(new QGroupBox(QStringLiteral("メモリチャンネル"), page), "MemGroupBox1");
    MemStringGrid1 =
        Named(new StringGrid({7, 171, {32, 73, 76, 47, 45, 69, 189}, 14, true, false}, group), "MemStringGrid1");
    MemStringGrid1->FitColumns({"", "888.88888MHz", "888.88888MHz", "FM", "100.0kHz", "", ""}, 6);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(2, 2, 2, 2);
    groupLayout->addWidget(MemStringGrid1);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(group);
    return page;
}

QWidget* TFormD7::BuildVfoPage() {
    auto* page = Named(new QWidget, "TabSheet3");

    QGroupBox* vfoGroup = MakeGroupBox(page, "VFOGroup", "VFO", QRect(18, 0, 335, 129));
    VFOStringGrid1 =
        Named(new StringGrid({6, 7, {32, 57, 54, 59, 69, 47}, 14, false, false}, vfoGroup), "VFOStringGrid1");
    VFOStringGrid1->setGeometry(QRect(QPoint(8, 18), VFOStringGrid1->DesignSize()));

    QFrame* scopePanel = Panel(page, "Panel1", QRect(16, 133, 529, 65), QFrame::Sunken, 2);
    auto* image = Named(new QLabel(scopePanel), "Image1");
    image->setGeometry(2, 2, 525, 61);
    QPixmap blank(525, 61);
    blank.fill(Qt::white);
    image->setPixmap(blank);

    QFrame* controls = Panel(page, "Panel2", QRect(8, 205, 545, 81), QFrame::Raised, 1);
    BandRadioGroup(controls);
    Caption(controls, "下限周波数", 210, 9);
    Named(new QLineEdit(QStringLiteral("380.2125"), controls), "DEdit")->setGeometry(300, 6, 80, 20);
    Caption(controls, "MHz", 386, 9);
    Caption(controls, "上限周波数", 210, 33);
    Named(new QLineEdit(QStringLiteral("381.3125"), controls), "UEdit")->setGeometry(300, 30, 80, 20);
    Caption(controls, "MHz", 386, 33);
    Caption(controls, "周波数ステップ", 210, 57);
    StepBox = Named(new QComboBox(controls), "StepBox");
    for (char code = '0'; code <= '9'; ++code)
        StepBox->addItem(QString::fromUtf8(StepItemText(code)));
    StepBox->setGeometry(300, 54, 80, 20);
    for (auto [name, caption, y] : {std::tuple{"SButton1", "Start", 10}, std::tuple{"StopButton1", "Stop", 44}}) {
        auto* button = Named(new QPushButton(QString::fromLatin1(caption), controls), name);
        button->setGeometry(444, y, 90, 25);
        button->setEnabled(false);
    }
    return page;
}

} // namespace zem
