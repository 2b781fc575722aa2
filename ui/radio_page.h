#pragma once

#include "settings_binding.h"
#include "string_grid.h"

#include "model/records.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QScrollBar;

namespace zem {

// The "Radio" page: display, TNC, DTMF memories, other functions and power settings.
class RadioPage : public QWidget {
public:
    explicit RadioPage(QWidget* parent = nullptr);

    // The page's controls into their fields, the DTMF memories included.
    void Get(RadioSettings& s) const;
    // The fields onto the controls, in record order; throws ConversionError for a code that is
    // not a number, leaving the controls after it as they were.
    void Put(const RadioSettings& s);

    // Loads the DTMF memory of the grid's selected row into the editor and aims the store
    // button, whose caption names the memory, at it.
    void DTMFGridClick();
    // Stores the editor's name and code into the memory the button names, and hands the memory
    // to the receiver set here so that the settings record takes it at once.
    void DTMFButtonClick();
    using DtmfStored = std::function<void(std::size_t memory, const DtmfMemory&)>;
    void SetDtmfStored(DtmfStored receiver) { dtmfStored_ = std::move(receiver); }
    // Called for each edit the user makes on the page's settings.
    void OnEdited(const std::function<void()>& edited);
    // The settings' controls and the DTMF editor take input, or not while a read replaces them.
    void SetSettingsEnabled(bool enabled);
    void ContrastBar1Change();

private:
    void ShowDtmf(std::size_t memory);

    // In the menu fields' order; the first `dtmfAt_` come before the DTMF memories, which are
    // shown where the record has them.
    std::vector<FieldBinding> bindings_;
    std::size_t dtmfAt_ = 0;
    std::array<DtmfMemory, kDtmfCount> dtmf_;
    DtmfStored dtmfStored_;

    QScrollBar* contrastBar_;
    QLabel* contrastLabel_;
    StringGrid* dtmfGrid_;
    Cp932LineEdit* dtmfName_;
    Cp932LineEdit* dtmfCode_;
    QPushButton* dtmfButton_;
};

} // namespace zem
