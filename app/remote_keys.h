#pragma once

#include <QObject>

#include <string_view>

class QPushButton;

namespace zem {

class RadioOperations;
class TFormD7;

// The ten buttons of "操作" that work the radio's keys: each click exchanges the radio's own
// command at once on the window's thread, each exchange bounded by the link's wait for an answer.
// Plain keys send one command; toggles ask for a setting and send the other value, and show the
// radio's last answer as their caption.
class RemoteKeys : public QObject {
public:
    RemoteKeys(TFormD7& window, RadioOperations& radio);

    void TXClick() { PlainKey("TX"); }
    void RXClick() { PlainKey("RX"); }
    void UPClick() { PlainKey("UP"); }
    void DWNClick() { PlainKey("DW"); }
    void BCONClick() { Toggle("BCON", "BCN"); }
    void TNCClick() { Toggle("TNC", "TNC"); }
    void DUALClick() { Toggle("DUAL", "DL"); }
    void BANDClick() { Toggle("BAND", "BC"); }
    void LMPClick() { Toggle("LMP", "LMP"); }
    void LOCKClick() { Toggle("LOCK", "LK"); }

private:
    void PlainKey(std::string_view command);
    void Toggle(const char* button, std::string_view query);

    TFormD7& window_;
    RadioOperations& radio_;
};

} // namespace zem
