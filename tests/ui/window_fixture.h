#pragma once

#include "scripted_prompts.h"

#include "ui/main_window.h"
#include "ui/string_grid.h"

#include <QAction>
#include <QString>

#include <memory>

// A main window whose boxes and dialogs the test answers.
struct WindowFixture {
    explicit WindowFixture(const QString& startFile = {}) {
        auto owned = std::make_unique<ScriptedPrompts>();
        prompts = owned.get();
        window = std::make_unique<zem::TFormD7>(startFile, std::move(owned));
    }

    QAction* Action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    // Chooses a menu item as the user would.
    void Choose(const char* name) const { Action(name)->trigger(); }
    zem::StringGrid* Grid(const char* name) const {
        return window->findChild<zem::StringGrid*>(QString::fromLatin1(name));
    }
    QString MemCell(int column, int row) const { return Grid("MemStringGrid1")->Cell(column, row); }

    ScriptedPrompts* prompts;
    std::unique_ptr<zem::TFormD7> window;
};
