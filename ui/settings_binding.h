#pragma once

#include "control_builders.h"
#include "model/menu_fields.h"

#include <functional>
#include <span>
#include <string_view>
#include <variant>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QScrollBar;

namespace zem {

// How a field's code is written into its control. A list stores its item index as one decimal
// digit, the icon list as one hexadecimal digit, the contrast bar its position as two digits.
struct IndexList {
    QComboBox* box;
};
struct HexIndexList {
    QComboBox* box;
};
struct ContrastBar {
    QScrollBar* bar;
};
using BoundControl = std::variant<Cp932LineEdit*, ContrastBar, IndexList, HexIndexList, QButtonGroup*, QCheckBox*>;

struct FieldBinding {
    const MenuField* field;
    BoundControl control;
};

// The binding of the menu field of that name (one of MenuFields()).
FieldBinding Bind(std::string_view fieldName, BoundControl control);
// An edit for the menu text of that name: as wide in bytes as the field, and refusing ',' unless
// the settings file's MENU line brings one back in that field.
Cp932LineEdit* MakeFieldEdit(QWidget* parent, const char* objectName, QRect geometry, std::string_view fieldName,
                             std::string_view designText);

// Controls into fields. A list left without a selection leaves its field as it was, so a value
// the list cannot show survives a round trip.
void ReadControls(std::span<const FieldBinding> bindings, RadioSettings& s);
// Calls `edited` whenever the user changes one of the controls (typing, choosing, clicking, moving
// the bar), never when the program fills them.
void ConnectEdited(std::span<const FieldBinding> bindings, const std::function<void()>& edited);

// The controls take input, or not while a settings read is to replace what they show.
void EnableControls(std::span<const FieldBinding> bindings, bool enabled);

// Fields onto controls, in order. A code that is not a number throws ConversionError, and the
// controls after it keep their state. A list code outside the items clears the selection; a
// radio group code outside the items selects the last item.
void WriteControls(std::span<const FieldBinding> bindings, const RadioSettings& s);

} // namespace zem
