#pragma once

#include "scripted_prompts.h"

#include "ui/main_window.h"
#include "ui/string_grid.h"

#include <QAction>
#include <QString>

#include <functional>
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
    // A test's starting point: `change` on the window's image, the blocks it changed shown and the
    // memory outside the 編集 history.
    void Change(const std::function<void(zem::RadioImage&)>& change) const {
        zem::RadioImage image = window->Image();
        change(image);
        if (image.Channels != window->Image().Channels)
            window->ApplyChannels(image.Channels);
        if (image.Vfos != window->Image().Vfos)
            window->ApplyRead(zem::Block::Vfo, image, false, false);
        if (image.Settings != window->Image().Settings)
            window->ApplyRead(zem::Block::Settings, image, false, false);
    }

    ScriptedPrompts* prompts;
    std::unique_ptr<zem::TFormD7> window;
};
