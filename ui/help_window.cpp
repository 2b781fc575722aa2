#include "help_window.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zem {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("ZEM_D7 ヘルプ"));
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl(QString::fromLatin1(DocumentUrl())));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

const char* HelpWindow::DocumentUrl() {
    return "qrc:/help/zem_d7_help.html";
}

} // namespace zem
