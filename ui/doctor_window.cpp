#include "doctor_window.h"

#include "window_font.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zem {

DoctorWindow::DoctorWindow(QWidget* parent, const SerialPortFactory& ports)
    : QWidget(parent, Qt::Window), doctor_(ports), text_(new QPlainTextEdit(this)),
      again_(new QPushButton(QStringLiteral("もう一度診断(&R)"), this)) {
    setObjectName(QStringLiteral("DoctorWindow"));
    setFont(WindowFont());
    text_->setObjectName(QStringLiteral("DoctorText"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    again_->setObjectName(QStringLiteral("DoctorAgain"));
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("DoctorClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(again_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
    resize(640, 360);

    connect(&doctor_, &PortDoctor::line, text_, &QPlainTextEdit::appendPlainText);
    connect(&doctor_, &PortDoctor::finished, again_, [this] { again_->setEnabled(true); });
    connect(again_, &QPushButton::clicked, this, [this] { Run(port_); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void DoctorWindow::Run(const QString& port) {
    show();
    raise();
    activateWindow();
    if (doctor_.Running())
        return;
    port_ = port;
    setWindowTitle(QStringLiteral("接続診断 - %1").arg(port));
    text_->clear();
    again_->setEnabled(false);
    doctor_.Start(port.toStdString());
}

void DoctorWindow::closeEvent(QCloseEvent* event) {
    doctor_.Stop();
    event->accept();
}

} // namespace zem
