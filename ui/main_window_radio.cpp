#include "main_window.h"

#include "band_scope.h"
#include "memory_editing.h"
#include "navitora_page.h"
#include "radio_page.h"

#include <QAction>
#include <QStatusBar>

namespace zem {
namespace {

// When a command may be chosen.
enum class EnabledWhen {
    Idle,         // connected, and no operation runs
    Connected,    // the scope menu: its storage items work while a sweep runs
    Disconnected, // the port menu: the port cannot change under a connection
    ChannelsKept, // no read replaces the memory table
    TablesKept,   // no read replaces a table or the settings, which a file or history entry would
};

struct ActionRule {
    QAction* MenuActions::*action;
    EnabledWhen when;
};

// The memory dialog, the VFO dialog and a dropped file refuse by themselves while a read runs
// (RefuseWhileReading, Openzem); an operation waits while another runs.
constexpr ActionRule kActionRules[] = {
    {&MenuActions::modelCheck, EnabledWhen::Idle},
    {&MenuActions::modCheck, EnabledWhen::Idle},
    {&MenuActions::readMemory, EnabledWhen::Idle},
    {&MenuActions::writeMemory, EnabledWhen::Idle},
    {&MenuActions::readVfo, EnabledWhen::Idle},
    {&MenuActions::writeVfo, EnabledWhen::Idle},
    {&MenuActions::readSettings, EnabledWhen::Idle},
    {&MenuActions::writeSettings, EnabledWhen::Idle},
    {&MenuActions::writeChanged, EnabledWhen::Idle},
    {&MenuActions::scopeMenu, EnabledWhen::Connected},
    {&MenuActions::portMenu, EnabledWhen::Disconnected},
    {&MenuActions::sortByFrequency, EnabledWhen::ChannelsKept},
    {&MenuActions::sortByName, EnabledWhen::ChannelsKept},
    {&MenuActions::sortByMemo, EnabledWhen::ChannelsKept},
    {&MenuActions::importCsv, EnabledWhen::ChannelsKept},
    {&MenuActions::open, EnabledWhen::TablesKept},
    {&MenuActions::history, EnabledWhen::TablesKept},
};

} // namespace

void TFormD7::ShowActionStates() {
    const bool tablesKept = !(channelsReading_ || vfosReading_ || settingsReading_);
    for (const ActionRule& rule : kActionRules) {
        bool enabled = false;
        switch (rule.when) {
        case EnabledWhen::Idle:
            enabled = connected_ && !busy_;
            break;
        case EnabledWhen::Connected:
            enabled = connected_;
            break;
        case EnabledWhen::Disconnected:
            enabled = !connected_;
            break;
        case EnabledWhen::ChannelsKept:
            enabled = !channelsReading_;
            break;
        case EnabledWhen::TablesKept:
            enabled = tablesKept;
            break;
        }
        (actions_.*rule.action)->setEnabled(enabled);
    }
}

void TFormD7::ShowLinkState(bool connected, bool busy) {
    connected_ = connected;
    busy_ = busy;
    ShowActionStates();
    scope_->ShowLinkState(connected, busy);
    navitoraPage_->ShowConnected(connected);
}

void TFormD7::ShowConnectCaption(bool connected) {
    actions_.connection->setText(connected ? QStringLiteral("切断(&C)") : QStringLiteral("接続(&C)"));
}

void TFormD7::ShowTablesReading(bool channels, bool vfos, bool settings) {
    channelsReading_ = channels;
    vfosReading_ = vfos;
    settingsReading_ = settings;
    editing_->SetReading(channels);
    ShowActionStates();
    radioPage_->SetSettingsEnabled(!settings);
    navitoraPage_->SetSettingsEnabled(!settings);
}

bool TFormD7::RefuseWhileReading(bool reading) {
    if (reading)
        ShowStatus(QStringLiteral("読み込み中は編集できません。読み込みが終わってから開いてください。"));
    return reading;
}

bool TFormD7::VerifyAfterWrite() const {
    return actions_.verifyAfterWrite->isChecked();
}

bool TFormD7::BackupBeforeWrite() const {
    return actions_.backupBeforeWrite->isChecked();
}

bool TFormD7::FastTransfers() const {
    return actions_.fastTransfer->isChecked();
}

RemoteKeys& TFormD7::Keys() {
    return navitoraPage_->Keys();
}

void TFormD7::ShowStatus(const QString& text) {
    statusBar()->showMessage(text);
}

} // namespace zem
