#include "control_builders.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
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

template <typename Control> Control* Placed(Control* control, const char* objectName, QRect geometry) {
    control->setObjectName(QString::fromLatin1(objectName));
    control->setGeometry(geometry);
    return control;
}

} // namespace

QLabel* MakeLabel(QWidget* parent, const char* text, QRect geometry) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(geometry);
    return label;
}

QGroupBox* MakeGroupBox(QWidget* parent, const char* objectName, const char* caption, QRect geometry) {
    return Placed(new QGroupBox(QString::fromUtf8(caption), parent), objectName, geometry);
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
    QComboBox* box = Placed(new QComboBox(parent), objectName, geometry);
    for (const char* item : items)
        box->addItem(QString::fromUtf8(item));
    box->setCurrentIndex(selected);
    return box;
}

QCheckBox* MakeCheck(QWidget* parent, const char* objectName, const char* caption, QRect geometry) {
    return Placed(new QCheckBox(ButtonCaption(caption), parent), objectName, geometry);
}

Cp932LineEdit* MakeEdit(QWidget* parent, const char* objectName, QRect geometry, std::size_t maxBytes,
                        Cp932LineEdit::Comma comma, std::string_view designText) {
    Cp932LineEdit* edit = Placed(new Cp932LineEdit(maxBytes, comma, parent), objectName, geometry);
    edit->SetCp932(designText);
    return edit;
}

KeptTextEdit* MakeNumberEdit(QWidget* parent, const char* objectName, QRect geometry, int maxLength) {
    return Placed(new KeptTextEdit(maxLength, parent), objectName, geometry);
}

QPushButton* MakeButton(QWidget* parent, const char* objectName, const char* caption, QRect geometry) {
    return Placed(new QPushButton(ButtonCaption(caption), parent), objectName, geometry);
}

void SetUpEditDialog(QDialog& dialog, const char* objectName, const char* title) {
    dialog.setObjectName(QString::fromLatin1(objectName));
    dialog.setWindowTitle(QString::fromUtf8(title));
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

} // namespace zem
