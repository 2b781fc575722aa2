#include "settings_binding.h"

#include "model/codecs.h"
#include "model/conversion_error.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

#include <cassert>
#include <string>

namespace zem {
namespace {

template <class... F> struct Overload : F... { using F::operator()...; };

// Buttons take '&' as the mark of a shortcut letter; the captions here mean the character itself.
QString ButtonCaption(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Radio buttons stand one per row inside their group, below its title; a row holds the 14-pixel
// indicator of the usual styles and a line of the 12-pixel font.
constexpr int kRowHeight = 15;
constexpr int kFirstRowTop = 16;

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

std::size_t FieldCapacity(std::string_view fieldName) {
    const MenuField* field = FindMenuField(fieldName);
    assert(field != nullptr);
    return field->capacity;
}

void ReadControls(std::span<const FieldBinding> bindings, RadioSettings& s) {
    for (const FieldBinding& b : bindings)
        ReadControl(b, s);
}

void WriteControls(std::span<const FieldBinding> bindings, const RadioSettings& s) {
    for (const FieldBinding& b : bindings)
        WriteControl(b, s);
}

QLabel* MakeLabel(QWidget* parent, const char* text, QRect geometry) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(geometry);
    return label;
}

QGroupBox* MakeGroupBox(QWidget* parent, const char* objectName, const char* caption, QRect geometry) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setGeometry(geometry);
    return box;
}

QButtonGroup* MakeRadioGroup(QWidget* parent, const char* objectName, const char* caption, QRect geometry,
                             std::initializer_list<const char*> items, int selected) {
    QGroupBox* box = MakeGroupBox(parent, objectName, caption, geometry);
    auto* group = new QButtonGroup(box);
    int id = 0;
    for (const char* item : items) {
        auto* button = new QRadioButton(ButtonCaption(item), box);
        button->setGeometry(8, kFirstRowTop + id * kRowHeight, geometry.width() - 16, kRowHeight);
        button->setChecked(id == selected);
        group->addButton(button, id++);
    }
    return group;
}

QComboBox* MakeList(QWidget* parent, const char* objectName, QRect geometry, std::initializer_list<const char*> items,
                    int selected) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setGeometry(geometry);
    for (const char* item : items)
        box->addItem(QString::fromUtf8(item));
    box->setCurrentIndex(selected);
    return box;
}

QCheckBox* MakeCheck(QWidget* parent, const char* objectName, const char* caption, QRect geometry) {
    auto* box = new QCheckBox(ButtonCaption(caption), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setGeometry(geometry);
    return box;
}

Cp932LineEdit* MakeEdit(QWidget* parent, const char* objectName, QRect geometry, std::size_t maxBytes,
                        Cp932LineEdit::Comma comma, std::string_view designText) {
    auto* edit = new Cp932LineEdit(maxBytes, comma, parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setGeometry(geometry);
    edit->SetCp932(designText);
    return edit;
}

} // namespace zem
