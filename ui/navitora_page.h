#pragma once

#include "settings_binding.h"

#include "model/records.h"

#include <QWidget>

#include <vector>

class QFrame;
class QGroupBox;

namespace zem {

class RemoteKeys;

// The "Navitora _ SSTV" page: beacon, GPS and SSTV settings, the packet path, and the group of
// remote key buttons (usable while connected).
class NavitoraPage : public QWidget {
public:
    explicit NavitoraPage(QWidget* parent = nullptr);

    void Get(RadioSettings& s) const;
    // Throws ConversionError for a code that is not a number, leaving later controls as they were.
    void Put(const RadioSettings& s);
    // Called for each edit the user makes on the page's settings.
    void OnEdited(const std::function<void()>& edited) { ConnectEdited(bindings_, edited); }
    void SetSettingsEnabled(bool enabled) { EnableControls(bindings_, enabled); }

    // GroupBox5 "操作", disabled at start, and Panel4, the blank panel over it while disconnected.
    QGroupBox* KeyGroup() const { return keyGroup_; }
    QWidget* KeyCover() const { return keyCover_; }
    // The buttons TX, BCON, DUAL, BAND, RX, TNC, LMP, LOCK, UP and DWN of GroupBox5 "操作".
    RemoteKeys& Keys() const { return *keys_; }
    // The key group works only while connected; the blank panel Panel4 covers it otherwise.
    void ShowConnected(bool connected);

private:
    std::vector<FieldBinding> bindings_;
    QGroupBox* keyGroup_;
    QFrame* keyCover_;
    RemoteKeys* keys_;
};

} // namespace zem
