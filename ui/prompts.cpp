#include "prompts.h"

#include "model/file_name.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>

namespace zem {
namespace {

int ShowBox(QWidget* owner, const QString& text, const QString& caption, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton defaultButton) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, buttons, owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    // A quoted file name such as "<b>.zem" is text, not markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok);
    // The buttons speak the program's language even where no Qt translation is installed.
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QStringLiteral("キャンセル"));
    if (QAbstractButton* save = box.button(QMessageBox::Save))
        save->setText(QStringLiteral("保存"));
    return box.exec();
}

// The file name is preset to a pattern such as "*.zem". Qt's own dialog would hand a pattern
// back as a name and the file would be saved as "*.zem"; a pattern is only a way of listing
// files, so the dialog stays open until a real name is chosen.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() &&
            QFileInfo(files.constFirst()).fileName().contains(QRegularExpression(QStringLiteral("[*?]"))))
            return;
        QFileDialog::accept();
    }
};

QString RunFileDialog(QWidget* owner, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    FileDialog dialog(owner, request.title);
    dialog.setObjectName(request.objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setNameFilters(QtNameFilters(request.filter).split(QStringLiteral(";;")));
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPattern(const QString& pattern) {
    if (pattern == QLatin1String("*.*"))
        return QStringLiteral("*");
    QStringList forms{pattern};
    for (const QString& form : {pattern.toUpper(), pattern.toLower()})
        if (!forms.contains(form))
            forms << form;
    return forms.join(QLatin1Char(' '));
}

} // namespace

void QtPrompts::Message(QWidget* owner, const QString& text, const QString& caption) {
    ShowBox(owner, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompts::Question(QWidget* owner, const QString& text, const QString& caption) {
    return ShowBox(owner, text, caption, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
}

Prompts::Answer QtPrompts::QuestionOrSave(QWidget* owner, const QString& text, const QString& caption) {
    switch (
        ShowBox(owner, text, caption, QMessageBox::Save | QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

QString QtPrompts::OpenFileName(QWidget* owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, QFileDialog::AcceptOpen);
}

QString QtPrompts::SaveFileName(QWidget* owner, const FileDialogRequest& request) {
    return RunFileDialog(owner, request, QFileDialog::AcceptSave);
}

std::optional<QString> QtPrompts::Text(QWidget* owner, const QString& label, const QString& caption,
                                       const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(owner, caption, label, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional(text) : std::nullopt;
}

QString ShownInMessage(const QString& line) {
    return QString::fromStdString(ShownText(FileNameBytes(line.toStdU16String())));
}

QString QtNameFilters(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << QtPattern(p.trimmed());
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace zem
