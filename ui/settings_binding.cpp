#include "settings_binding.h"

#include "model/codecs.h"
#include "model/conversion_error.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>

#include <cassert>
#include <string>

namespace zem {
namespace {

template <class... F> struct Overload : F... { using F::operator()...; };
// Clang 14 does not deduce an aggregate's template arguments by itself.
template <class... F> Overload(F...) -> Overload<F...>;

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

void ReadControl(const FieldBinding& b, RadioSettings& s) {
    const auto store = [&](std::string_view value) { b.field->set(s, value); };
    const auto storeIndex = [&](int index, std::string_view digits) {
        if (index >= 0 && static_cast<std::size_t>(index) < digits.size())
            store(digits.substr(static_cast<std::size_t>(index), 1));
    };
    std::visit(Overload{
                   [&](const Cp932LineEdit* edit) { store(edit->Cp932()); },
                   [&](ContrastBar c) { store(ZeroPad(c.bar->value(), 2)); },
                   [&](IndexList l) { storeIndex(l.box->currentIndex(), kHexDigits.substr(0, 10)); },
                   [&](HexIndexList l) { storeIndex(l.box->currentIndex(), kHexDigits); },
                   [&](const QButtonGroup* g) { storeIndex(g->checkedId(), kHexDigits.substr(0, 10)); },
                   [&](const QCheckBox* box) { store(std::string(1, FlagChar(box->isChecked()))); },
               },
               b.control);
}

void WriteControl(const FieldBinding& b, const RadioSettings& s) {
    const std::string_view value = b.field->get(s);
    const auto selectItem = [](QComboBox* box, long long index) {
        box->setCurrentIndex(index >= 0 && index < box->count() ? static_cast<int>(index) : -1);
    };
    std::visit(Overload{
                   [&](Cp932LineEdit* edit) { edit->SetCp932(value); },
                   [&](ContrastBar c) { c.bar->setValue(static_cast<int>(ReadInteger(value))); },
                   [&](IndexList l) { selectItem(l.box, ReadInteger(value)); },
                   [&](HexIndexList l) {
                       const std::size_t digit = value.size() == 1 ? kHexDigits.find(value[0]) : std::string_view::npos;
                       if (digit == std::string_view::npos)
                           ThrowNotInteger(value);
                       selectItem(l.box, static_cast<long long>(digit));
                   },
                   [&](QButtonGroup* g) {
                       const long long index = ReadInteger(value);
                       const QList<QAbstractButton*> buttons = g->buttons();
                       QAbstractButton* chosen =
                           index >= 0 && index < buttons.size() ? g->button(static_cast<int>(index)) : buttons.back();
                       chosen->setChecked(true);
                   },
                   [&](QCheckBox* box) { box->setChecked(value == "1"); },
               },
               b.control);
}

} // namespace

FieldBinding Bind(std::string_view fieldName, BoundControl control) {
    const MenuField* field = FindMenuField(fieldName);
    assert(field != nullptr);
    return {field, control};
}

Cp932LineEdit* MakeFieldEdit(QWidget* parent, const char* objectName, QRect geometry, std::string_view fieldName,
                             std::string_view designText) {
    const MenuField* field = FindMenuField(fieldName);
    assert(field != nullptr);
    return MakeEdit(parent, objectName, geometry, field->capacity,
                    CarriesComma(*field) ? Cp932LineEdit::Comma::Allow : Cp932LineEdit::Comma::Refuse, designText);
}

void ReadControls(std::span<const FieldBinding> bindings, RadioSettings& s) {
    for (const FieldBinding& b : bindings)
        ReadControl(b, s);
}

void ConnectEdited(std::span<const FieldBinding> bindings, const std::function<void()>& edited) {
    for (const FieldBinding& b : bindings)
        std::visit(
            Overload{
                [&](Cp932LineEdit* edit) { QObject::connect(edit, &QLineEdit::textEdited, edit, edited); },
                [&](ContrastBar c) { QObject::connect(c.bar, &QAbstractSlider::actionTriggered, c.bar, edited); },
                [&](IndexList l) { QObject::connect(l.box, &QComboBox::activated, l.box, edited); },
                [&](HexIndexList l) { QObject::connect(l.box, &QComboBox::activated, l.box, edited); },
                [&](QButtonGroup* g) { QObject::connect(g, &QButtonGroup::buttonClicked, g, edited); },
                [&](QCheckBox* box) { QObject::connect(box, &QAbstractButton::clicked, box, edited); },
            },
            b.control);
}

void EnableControls(std::span<const FieldBinding> bindings, bool enabled) {
    for (const FieldBinding& b : bindings)
        std::visit(Overload{
                       [&](QButtonGroup* g) {
                           for (QAbstractButton* button : g->buttons())
                               button->setEnabled(enabled);
                       },
                       [&](ContrastBar c) { c.bar->setEnabled(enabled); },
                       [&](IndexList l) { l.box->setEnabled(enabled); },
                       [&](HexIndexList l) { l.box->setEnabled(enabled); },
                       [&](auto* control) { control->setEnabled(enabled); },
                   },
                   b.control);
}

void WriteControls(std::span<const FieldBinding> bindings, const RadioSettings& s) {
    for (const FieldBinding& b : bindings)
        WriteControl(b, s);
}

} // namespace zem
