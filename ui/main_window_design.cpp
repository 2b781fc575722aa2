#include "main_window.h"

#include "band_scope.h"
#include "navitora_page.h"
#include "radio_page.h"
#include "screen_centre.h"
#include "settings_binding.h"
#include "window_font.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

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

} // namespace

void TFormD7::BuildDesign() {
    setWindowTitle(QStringLiteral("ZEM_D7"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    // The pages take the menu's actions they wire.
    actions_ = BuildMenus();
    connect(actions_.fastTransfer, &QAction::toggled, this, &TFormD7::FastTransfersChosen);

    PageControl1 = Named(new QTabWidget(this), "PageControl1");
    radioPage_ = Named(new RadioPage, "TabSheet2");
    navitoraPage_ = Named(new NavitoraPage, "TabSheet4");
    PageControl1->addTab(BuildMemoryPage(), QStringLiteral("Memory"));
    PageControl1->addTab(radioPage_, QStringLiteral("Radio"));
    PageControl1->addTab(BuildVfoPage(), QStringLiteral("VFO"));
    PageControl1->addTab(navitoraPage_, QStringLiteral("Navitora _ SSTV"));
    PageControl1->setCurrentIndex(2);
    setCentralWidget(PageControl1);
    // Ctrl+PageDown and Ctrl+PageUp change pages as Ctrl+Tab does, whichever control has the focus.
    for (const auto& [key, step] : {std::pair{Qt::Key_PageDown, 1}, std::pair{Qt::Key_PageUp, -1}}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | key), this);
        connect(shortcut, &QShortcut::activated, PageControl1, [pages = PageControl1, step = step] {
            pages->setCurrentIndex((pages->currentIndex() + step + pages->count()) % pages->count());
        });
    }

    auto* bar = Named(new QStatusBar(this), "StatusBar1");
    bar->setFixedHeight(kStatusBarHeight);
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);

    bar->addPermanentWidget(scope_->SweepStatus());
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    CentreOnScreen(*this);
}

QWidget* TFormD7::BuildMemoryPage() {
    auto* page = Named(new QWidget, "TabSheet1");
    auto* group = Named(new QGroupBox(QStringLiteral("メモリチャンネル"), page), "MemGroupBox1");
    MemStringGrid1 =
        Named(new StringGrid({7, 171, {32, 73, 76, 47, 45, 69, 189}, 14, true, false}, group), "MemStringGrid1");
    // The highest frequency a channel can hold, 1300 MHz, has four digits before the point.
    MemStringGrid1->FitColumns({"", "8888.88888MHz", "8888.88888MHz", "FM", "100.0kHz", "", ""}, 6);
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

    scope_ = new BandScope(*page, image_, *prompts_, *actions_.storageStart, *actions_.storageEnd);
    return page;
}

} // namespace zem
