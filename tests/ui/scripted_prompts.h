#pragma once

#include "ui/prompts.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

// Answers the window's boxes and dialogs from queues and records what was shown. An empty
// queue answers Cancel.
class ScriptedPrompts : public zem::Prompts {
public:
    struct Shown {
        QString text;
        QString caption;
    };

    QQueue<bool> questionAnswers;
    QQueue<Answer> saveQuestionAnswers;
    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    QQueue<QString> textAnswers;

    QList<Shown> messages;
    QList<Shown> questions;
    QList<zem::FileDialogRequest> openRequests;
    QList<zem::FileDialogRequest> saveRequests;

    // Called as each message box would show, to look at the screen behind it.
    std::function<void()> onMessage;

    void Message(QWidget*, const QString& text, const QString& caption) override {
        messages.append({text, caption});
        if (onMessage)
            onMessage();
    }
    bool Question(QWidget*, const QString& text, const QString& caption) override {
        questions.append({text, caption});
        return !questionAnswers.isEmpty() && questionAnswers.dequeue();
    }
    Answer QuestionOrSave(QWidget*, const QString& text, const QString& caption) override {
        questions.append({text, caption});
        return saveQuestionAnswers.isEmpty() ? Answer::Cancel : saveQuestionAnswers.dequeue();
    }
    QString OpenFileName(QWidget*, const zem::FileDialogRequest& request) override {
        openRequests.append(request);
        return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
    }
    QString SaveFileName(QWidget*, const zem::FileDialogRequest& request) override {
        saveRequests.append(request);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
    }
    std::optional<QString> Text(QWidget*, const QString&, const QString&, const QString&) override {
        return textAnswers.isEmpty() ? std::nullopt : std::optional(textAnswers.dequeue());
    }
};
