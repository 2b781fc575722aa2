#pragma once

#include "ui/prompts.h"

#include <QList>
#include <QQueue>
#include <QString>

// Answers the window's boxes and dialogs from queues and records what was shown. An empty
// queue answers Cancel.
class ScriptedPrompts : public zem::Prompts {
public:
    struct Shown {
        QString text;
        QString caption;
    };

    QQueue<bool> questionAnswers;
    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;

    QList<Shown> messages;
    QList<Shown> questions;
    QList<zem::FileDialogRequest> openRequests;
    QList<zem::FileDialogRequest> saveRequests;

    void Message(QWidget*, const QString& text, const QString& caption) override { messages.append({text, caption}); }
    bool Question(QWidget*, const QString& text, const QString& caption) override {
        questions.append({text, caption});
        return !questionAnswers.isEmpty() && questionAnswers.dequeue();
    }
    QString OpenFileName(QWidget*, const zem::FileDialogRequest& request) override {
        openRequests.append(request);
        return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
    }
    QString SaveFileName(QWidget*, const zem::FileDialogRequest& request) override {
        saveRequests.append(request);
        return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
    }
};
