#include "main_window.h"

#include "about_box.h"
#include "help_window.h"
#include "model/file_name.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace zem {
namespace {

// The first dropped local file, or an empty text. The name is taken from the URL's own bytes:
// toLocalFile() would turn a name that is not UTF-8 (a CP932 name) into U+FFFD.
QString FirstLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return QString::fromStdU16String(
                FileNameText(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString()));
    return {};
}

} // namespace

void TFormD7::Exit1Click() {
    close();
}

void TFormD7::Help2Click() {
    if (!helpWindow_)
        helpWindow_ = new HelpWindow(this);
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void TFormD7::About1Click() {
    if (aboutBox_)
        aboutBox_->exec();
}

// 保存 saves as 上書き保存 does and closes once nothing is left unsaved; a save that was
// cancelled or failed keeps the window open.
bool TFormD7::FormCloseQuery() {
    const QString question = QStringLiteral("終了しますか？");
    const QString caption = QStringLiteral("終了");
    if (!Unsaved())
        return prompts_->Question(this, question, caption);
    switch (prompts_->QuestionOrSave(this, question + QStringLiteral("\n変更が保存されていません。"), caption)) {
    case Prompts::Answer::Save:
        Save1Click();
        return !Unsaved();
    case Prompts::Answer::Ok:
        return true;
    case Prompts::Answer::Cancel:
        break;
    }
    return false;
}

void TFormD7::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        emit CloseAccepted();
        if (helpWindow_)
            helpWindow_->close();
        event->accept();
    } else {
        event->ignore();
    }
}

void TFormD7::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstLocalFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

// Only the first dropped file is opened; Openzem stays silent about files that are not settings
// files.
void TFormD7::dropEvent(QDropEvent* event) {
    const QString path = FirstLocalFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    Openzem(path);
}

} // namespace zem
