#include "wait_window.h"

#include "window_font.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zem {

TwaitForm1::TwaitForm1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("waitForm1"));
    setWindowTitle(QStringLiteral("しばらくお待ち下さい"));
    setFont(WindowFont());
    setFixedSize(318, 203);
    move(217, 193);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 305, 185);
    caption_ = new QLabel(panel);
    caption_->setObjectName(QStringLiteral("WaitCaption"));
    caption_->setAlignment(Qt::AlignCenter);
    progress_ = new QProgressBar(panel);
    progress_->setObjectName(QStringLiteral("WaitProgress"));
    progress_->setFormat(QStringLiteral("%v / %m"));
    status_ = new QLabel(panel);
    status_->setObjectName(QStringLiteral("WaitStatus"));
    status_->setAlignment(Qt::AlignCenter);
    status_->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 8, 16, 16);
    layout->addWidget(caption_, 1);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    Begin();
}

void TwaitForm1::Begin(const QString& task) {
    caption_->setText(task.isEmpty() ? windowTitle() : windowTitle() + QLatin1Char('\n') + task);
    progress_->setRange(0, 0); // busy until the first report
    progress_->setValue(0);
    progress_->setTextVisible(false);
    status_->clear();
}

void TwaitForm1::ShowProgress(std::size_t done, std::size_t total) {
    progress_->setRange(0, static_cast<int>(total));
    progress_->setValue(static_cast<int>(std::min(done, total)));
    progress_->setTextVisible(true);
}

void TwaitForm1::ShowStatus(const QString& text) {
    // A radio answer may be long; the window keeps its size.
    status_->setText(status_->fontMetrics().elidedText(text, Qt::ElideRight, 270));
}

} // namespace zem
