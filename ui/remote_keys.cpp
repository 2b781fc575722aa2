#include "remote_keys.h"

#include <QGroupBox>
#include <QPushButton>

namespace zem {

RemoteKeys::RemoteKeys(QGroupBox& group) : QObject(&group) {
    struct Key {
        const char* name; // object name and caption at start
        QRect geometry;   // inside the key group
        void (RemoteKeys::*handler)();
        QPushButton* RemoteKeys::*toggle; // the toggles keep their button for its caption
    };
    const Key keys[] = {
        {"TX", {8, 16, 49, 17}, &RemoteKeys::TXClick, nullptr},
        {"BCON", {8, 40, 49, 17}, &RemoteKeys::BCONClick, &RemoteKeys::bcon_},
        {"DUAL", {8, 64, 49, 17}, &RemoteKeys::DUALClick, &RemoteKeys::dual_},
        {"BAND", {8, 88, 49, 17}, &RemoteKeys::BANDClick, &RemoteKeys::band_},
        {"RX", {64, 16, 49, 17}, &RemoteKeys::RXClick, nullptr},
        {"TNC", {64, 40, 49, 17}, &RemoteKeys::TNCClick, &RemoteKeys::tnc_},
        {"LMP", {64, 64, 49, 17}, &RemoteKeys::LMPClick, &RemoteKeys::lmp_},
        {"LOCK", {64, 88, 49, 17}, &RemoteKeys::LOCKClick, &RemoteKeys::lock_},
        {"UP", {120, 16, 41, 41}, &RemoteKeys::UPClick, nullptr},
        {"DWN", {120, 64, 41, 41}, &RemoteKeys::DWNClick, nullptr},
    };
    for (const Key& key : keys) {
        auto* button = new QPushButton(QString::fromLatin1(key.name), &group);
        button->setObjectName(QString::fromLatin1(key.name));
        button->setGeometry(key.geometry);
        connect(button, &QPushButton::clicked, this, key.handler);
        if (key.toggle)
            this->*key.toggle = button;
    }
}

void RemoteKeys::PlainKey(std::string_view command) {
    if (link_)
        link_(command, false);
}

void RemoteKeys::Toggle(QPushButton* button, std::string_view query) {
    if (!link_)
        return;
    button->setText(link_(query, true).replace(QLatin1Char('&'), QStringLiteral("&&")));
}

} // namespace zem
