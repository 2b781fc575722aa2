#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace zem {

// A file dialog as the window describes it; filter uses the "description|pattern|..." pairs the
// program's texts are written in.
struct FileDialogRequest {
    QString objectName; // "OpenDialog1", "SaveDialog1", ...
    QString title;
    QString filter;
    QString fileName;             // preset file name (may be a pattern such as "*.zem")
    bool confirmOverwrite = true; // save dialogs only
};

// Every message box, question and file dialog of the main window goes through this one layer,
// so the boxes look alike (no icon; OK, or OK and Cancel with Cancel the default) and tests can
// answer them without a screen.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual void Message(QWidget* owner, const QString& text, const QString& caption) = 0;
    // True when the user chose OK.
    virtual bool Question(QWidget* owner, const QString& text, const QString& caption) = 0;
    // A question whose OK would lose unsaved work: 保存 beside OK and キャンセル, キャンセル the
    // default.
    enum class Answer { Save, Ok, Cancel };
    virtual Answer QuestionOrSave(QWidget* owner, const QString& text, const QString& caption) = 0;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString OpenFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    virtual QString SaveFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    // A line of text asked for beside `label`, starting as `initial`; nothing when cancelled.
    virtual std::optional<QString> Text(QWidget* owner, const QString& label, const QString& caption,
                                        const QString& initial) = 0;
};

// The real boxes and dialogs.
class QtPrompts : public Prompts {
public:
    void Message(QWidget* owner, const QString& text, const QString& caption) override;
    bool Question(QWidget* owner, const QString& text, const QString& caption) override;
    Answer QuestionOrSave(QWidget* owner, const QString& text, const QString& caption) override;
    QString OpenFileName(QWidget* owner, const FileDialogRequest& request) override;
    QString SaveFileName(QWidget* owner, const FileDialogRequest& request) override;
    std::optional<QString> Text(QWidget* owner, const QString& label, const QString& caption,
                                const QString& initial) override;
};

// One line of a message that quotes a file's name or content: its control characters and the
// bytes of a name that are not UTF-8 written as \xNN, so an ESC or a line end from a file cannot
// reshape the box.
QString ShownInMessage(const QString& line);

// "ZEM_D7ファイル|*.ZEM|*.*|*.*" as Qt's "ZEM_D7ファイル (*.ZEM *.zem);;*.* (*)": Linux file
// names are case-sensitive, so a pattern also offers its other-case form, and "*.*" must also
// match names without a dot.
QString QtNameFilters(const QString& pairs);

} // namespace zem
