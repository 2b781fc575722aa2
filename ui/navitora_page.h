#pragma once

#include "settings_binding.h"

#include "model/records.h"

#include <QWidget>

#include <vector>

class QFrame;
class QGroupBox;

namespace zem {

// The "Navitora _ SSTV" page: beacon, GPS and SSTV settings, the packet path, and the group of
// remote key buttons (wired by the window while connected).
class NavitoraPage : public QWidget {
public:
    explicit NavitoraPage(QWidget* parent = nullptr);

    void Get(RadioSettings& s) const;
    // Throws ConversionError for a code that is not a number, leaving later controls as they were.
    void Put(const RadioSettings& s);
    // Called for each edit the user makes on the page's settings.
    void OnEdited(const std::function<void()>& edited) { ConnectEdited(bindings_, edited); }

    // GroupBox5 "操作" with the buttons TX, BCON, DUAL, BAND, RX, TNC, LMP, LOCK, UP and DWN;
    // disabled at start.
    QGroupBox* KeyGroup() const { return keyGroup_; }
    // Panel4, the blank panel that covers the key group while disconnected.
    QWidget* KeyCover() const { return keyCover_; }

private:
    std::vector<FieldBinding> bindings_;
    QGroupBox* keyGroup_;
    QFrame* keyCover_;
};

} // namespace zem
