#pragma once

#include "window_fixture.h"

#include "model/used_channel.h"
#include "session/radio_session.h"
#include "session/radio_texts.h"
#include "sim/in_process_port.h"
#include "sim/port_factory.h"
#include "ui/band_scope.h"
#include "ui/port_menu.h"
#include "ui/radio_operations.h"
#include "ui/wait_window.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>

#include <memory>
#include <string>

// The session's texts in the window's Japanese, as the program installs them at its start.
inline bool InstallWindowLanguage() {
    return zem::InstallSessionTranslation(*QCoreApplication::instance(), QLocale(QLocale::Japanese));
}

// A used FM channel with a name, as the radio keeps it.
inline zem::MemoryChannel Channel(const char* rx, const char* name) {
    return zem::UsedChannel(rx, name);
}

// The window with its wait window and radio operations, the port "sim" being a simulated radio
// whose engine the test can look into.
struct RadioFixture : WindowFixture {
    explicit RadioFixture(zem::sim::SimOptions options = {})
        : engine(std::make_shared<zem::sim::RadioEngine>()), wait(window.get()),
          session([e = engine, options](const std::string& name) -> std::unique_ptr<zem::SerialPort> {
              if (name == zem::sim::kSimulatorPort)
                  return zem::sim::MakeInProcessPort(e, options);
              return nullptr;
          }),
          radio(*new zem::RadioOperations(*window, wait, session)), scope(&window->Scope()) {
        window->AttachShellWindows(&wait, nullptr);
        window->Ports().OfferSimulator(QString::fromUtf8(zem::sim::kSimulatorPort));
    }

    bool Enabled(const char* action) const { return Action(action)->isEnabled(); }
    void Connect(const QString& port = QStringLiteral("sim")) {
        radio.SelectPort(port);
        Choose("O1");
        QTRY_VERIFY(radio.Connected());
    }
    void Disconnect() {
        Choose("O1");
        QTRY_VERIFY(!session.Linked());
    }
    QString LastMessage() const { return prompts->messages.isEmpty() ? QString() : prompts->messages.last().text; }

    std::shared_ptr<zem::sim::RadioEngine> engine;
    zem::TwaitForm1 wait;
    zem::RadioSession session;
    zem::RadioOperations& radio; // owned by the window, like the scope
    zem::BandScope* scope;
};
