#include "control_builders.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zem {
namespace {

// Buttons take '&' as the mark of a shortcut letter; the captions here mean the character itself.
QString ButtonCaption(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Radio buttons stand one per row inside their group, below its title; a row holds the 14-pixel
// indicator of the usual styles and a line of the 12-pixel font.
constexpr int kRowHeight = 15;
constexpr int kFirstRowTop = 15;

} // namespace

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

KeptTextEdit* MakeNumberEdit(QWidget* parent, const char* objectName, QRect geometry, int maxLength) {
    auto* edit = new KeptTextEdit(maxLength, parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setGeometry(geometry);
    return edit;
}

QPushButton* MakeButton(QWidget* parent, const char* objectName, const char* caption, QRect geometry) {
    auto* button = new QPushButton(ButtonCaption(caption), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setGeometry(geometry);
    return button;
}

} // namespace zem
