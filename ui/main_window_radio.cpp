#include "main_window.h"

#include "band_scope.h"
#include "memory_editing.h"
#include "navitora_page.h"
#include "radio_page.h"

#include <QAction>
#include <QStatusBar>

#include <array>

namespace zem {
namespace {

// The commands a connection enables; they wait while an operation runs.
constexpr std::array<const char*, 9> kOperationItems{"T2",   "M1", "M2", "R4",          "VFOV2",
                                                     "VFO1", "N8", "S1", "WriteChanged"};
// The commands outside the 編集 menu that change the memory table.
constexpr std::array<const char*, 4> kChannelCommands{"S2", "N1", "M4", "CSV1"};

} // namespace

// The menu items are this window's own: it finds them by the names it gave them.
void TFormD7::ShowLinkState(bool connected, bool busy) {
    for (const char* name : kOperationItems)
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(connected && !busy);
    findChild<QAction*>(QStringLiteral("S3"))->setEnabled(connected);
    findChild<QAction*>(QStringLiteral("P1"))->setEnabled(!connected);
    scope_->ShowLinkState(connected, busy);
    navitoraPage_->ShowConnected(connected);
}

void TFormD7::ShowConnectCaption(bool connected) {
    findChild<QAction*>(QStringLiteral("O1"))
        ->setText(connected ? QStringLiteral("切断(&C)") : QStringLiteral("接続(&C)"));
}

// The memory dialog, the VFO dialog and a dropped file refuse by themselves (RefuseWhileReading,
// Openzem).
void TFormD7::ShowTablesReading(bool channels, bool vfos, bool settings) {
    channelsReading_ = channels;
    vfosReading_ = vfos;
    settingsReading_ = settings;
    editing_->SetReading(channels);
    for (const char* name : kChannelCommands)
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(!channels);
    // A settings file or a history entry would replace the tables being read.
    for (const char* name : {"Open2", "History1"})
        findChild<QAction*>(QString::fromLatin1(name))->setEnabled(!(channels || vfos || settings));
    radioPage_->SetSettingsEnabled(!settings);
    navitoraPage_->SetSettingsEnabled(!settings);
}

bool TFormD7::RefuseWhileReading(bool reading) {
    if (reading)
        ShowStatus(QStringLiteral("読み込み中は編集できません。読み込みが終わってから開いてください。"));
    return reading;
}

bool TFormD7::VerifyAfterWrite() const {
    return findChild<QAction*>(QStringLiteral("VerifyAfterWrite"))->isChecked();
}

bool TFormD7::BackupBeforeWrite() const {
    return findChild<QAction*>(QStringLiteral("BackupBeforeWrite"))->isChecked();
}

bool TFormD7::FastTransfers() const {
    return findChild<QAction*>(QStringLiteral("FastTransfer"))->isChecked();
}

RemoteKeys& TFormD7::Keys() {
    return navitoraPage_->Keys();
}

void TFormD7::ShowStatus(const QString& text) {
    statusBar()->showMessage(text);
}

} // namespace zem
