#pragma once

#include "window_fixture.h"

#include "app/band_scope.h"
#include "app/radio_operations.h"
#include "app/remote_keys.h"
#include "link/termios_port.h"
#include "sim/in_process_port.h"
#include "ui/wait_window.h"

#include <QTest>

#include <memory>
#include <string>

// A used FM channel with a name, as the radio keeps it.
inline zem::MemoryChannel Channel(const char* rx, const char* name) {
    zem::MemoryChannel ch;
    ch.EmptyFlag = '0';
    ch.RxFreq = rx;
    ch.Step = '5';
    ch.Shift = ch.Reverse = ch.ToneOn = ch.CtcssOn = ch.Mode = ch.Lockout = '0';
    ch.ToneCode = ch.CtcssCode = "09";
    ch.Offset = "000600000";
    ch.Name = name;
    return ch;
}

// The window with its wait window and radio operations, the port "sim" being a simulated radio
// whose engine the test can look into.
struct RadioFixture : WindowFixture {
    explicit RadioFixture(zem::sim::SimOptions options = {})
        : engine(std::make_shared<zem::sim::RadioEngine>()), wait(window.get()),
          radio(*window, wait, [e = engine, options](const std::string& name) -> std::unique_ptr<zem::SerialPort> {
              if (name == "sim")
                  return zem::sim::MakeInProcessPort(e, options);
              return std::make_unique<zem::TermiosPort>();
          }) {
        window->AttachShellWindows(&wait, nullptr);
        new zem::RemoteKeys(*window, radio);
        scope = new zem::BandScope(*window, radio);
    }

    bool Enabled(const char* action) const { return Action(action)->isEnabled(); }
    void Connect(const QString& port = QStringLiteral("sim")) {
        radio.SelectPort(port);
        Choose("O1");
        QTRY_VERIFY(radio.Connected());
    }
    void Disconnect() {
        Choose("O1");
        QTRY_VERIFY(radio.Link() == nullptr);
    }
    QString LastMessage() const { return prompts->messages.isEmpty() ? QString() : prompts->messages.last().text; }

    std::shared_ptr<zem::sim::RadioEngine> engine;
    zem::TwaitForm1 wait;
    zem::RadioOperations radio;
    zem::BandScope* scope; // owned by the window, like the keys
};
