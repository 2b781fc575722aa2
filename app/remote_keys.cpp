#include "remote_keys.h"

#include "radio_operations.h"

#include "link/tcomm_thread.h"
#include "model/cp932.h"
#include "ui/main_window.h"

#include <QPushButton>

#include <array>
#include <string>

namespace zem {

RemoteKeys::RemoteKeys(TFormD7& window, RadioOperations& radio) : QObject(&window), window_(window), radio_(radio) {
    const std::array<std::pair<const char*, void (RemoteKeys::*)()>, 10> handlers{{
        {"TX", &RemoteKeys::TXClick},
        {"RX", &RemoteKeys::RXClick},
        {"UP", &RemoteKeys::UPClick},
        {"DWN", &RemoteKeys::DWNClick},
        {"BCON", &RemoteKeys::BCONClick},
        {"TNC", &RemoteKeys::TNCClick},
        {"DUAL", &RemoteKeys::DUALClick},
        {"BAND", &RemoteKeys::BANDClick},
        {"LMP", &RemoteKeys::LMPClick},
        {"LOCK", &RemoteKeys::LOCKClick},
    }};
    for (const auto& [name, handler] : handlers)
        connect(window_.findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this, handler);
}

void RemoteKeys::PlainKey(std::string_view command) {
    std::string answer;
    if (TCommThread* link = radio_.Link())
        link->Exchange(command, answer);
}

// The radio's answer is the state: "BCN 0" asks for "BCN 1", anything else holding the word for
// "BCN 0"; an answer without the word (an error, or none) sends nothing more.
void RemoteKeys::Toggle(const char* button, std::string_view query) {
    TCommThread* link = radio_.Link();
    if (!link)
        return;
    std::string answer;
    link->Exchange(query, answer);
    if (answer.find(query) != std::string::npos) {
        const bool off = answer.find(std::string(query) + " 0") != std::string::npos;
        link->Exchange(std::string(query) + (off ? " 1" : " 0"), answer);
    }
    window_.findChild<QPushButton*>(QString::fromLatin1(button))
        ->setText(QString::fromStdString(Cp932ToUtf8(answer)).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

} // namespace zem
