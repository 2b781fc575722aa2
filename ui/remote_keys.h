#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <string_view>

class QGroupBox;
class QPushButton;

namespace zem {

// The ten buttons of "操作" that work the radio's keys: each click sends the radio's own command at
// once through the link the wiring gives. Plain keys send one command; toggles ask for a setting
// and send the other value, and show the radio's last answer as their caption.
class RemoteKeys : public QObject {
public:
    // Sends a plain key's command, or (toggle) switches the setting its query word names; gives
    // the radio's last answer.
    using KeyLink = std::function<QString(std::string_view command, bool toggle)>;

    // Builds the buttons inside `group`, the page's key group.
    explicit RemoteKeys(QGroupBox& group);
    void SetLink(KeyLink link) { link_ = std::move(link); }

    void TXClick() { PlainKey("TX"); }
    void RXClick() { PlainKey("RX"); }
    void UPClick() { PlainKey("UP"); }
    void DWNClick() { PlainKey("DW"); }
    void BCONClick() { Toggle(bcon_, "BCN"); }
    void TNCClick() { Toggle(tnc_, "TNC"); }
    void DUALClick() { Toggle(dual_, "DL"); }
    void BANDClick() { Toggle(band_, "BC"); }
    void LMPClick() { Toggle(lmp_, "LMP"); }
    void LOCKClick() { Toggle(lock_, "LK"); }

private:
    void PlainKey(std::string_view command);
    void Toggle(QPushButton* button, std::string_view query);

    KeyLink link_;
    QPushButton* bcon_ = nullptr;
    QPushButton* tnc_ = nullptr;
    QPushButton* dual_ = nullptr;
    QPushButton* band_ = nullptr;
    QPushButton* lmp_ = nullptr;
    QPushButton* lock_ = nullptr;
};

} // namespace zem
