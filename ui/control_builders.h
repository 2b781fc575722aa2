#pragma once

#include "cp932_line_edit.h"

#include <QRect>

#include <cstddef>
#include <initializer_list>
#include <string_view>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zem {

// Builders for the controls of the pages and the edit dialogs, placed by hand inside a parent
// (geometry relative to it) as the designs give them.
QLabel* MakeLabel(QWidget* parent, const char* text, QRect geometry);
QGroupBox* MakeGroupBox(QWidget* parent, const char* objectName, const char* caption, QRect geometry);
// A group box of radio buttons stacked one per row; the button group's ids are the item indexes.
QButtonGroup* MakeRadioGroup(QWidget* parent, const char* objectName, const char* caption, QRect geometry,
                             std::initializer_list<const char*> items, int selected);
QComboBox* MakeList(QWidget* parent, const char* objectName, QRect geometry, std::initializer_list<const char*> items,
                    int selected);
QCheckBox* MakeCheck(QWidget* parent, const char* objectName, const char* caption, QRect geometry);
Cp932LineEdit* MakeEdit(QWidget* parent, const char* objectName, QRect geometry, std::size_t maxBytes,
                        Cp932LineEdit::Comma comma, std::string_view designText);
// An edit for a number; maxLength limits typing, not a shown value.
KeptTextEdit* MakeNumberEdit(QWidget* parent, const char* objectName, QRect geometry, int maxLength);
QPushButton* MakeButton(QWidget* parent, const char* objectName, const char* caption, QRect geometry);
// An edit dialog's name, title and frame: a title bar with the close box and no help button.
void SetUpEditDialog(QDialog& dialog, const char* objectName, const char* title);

} // namespace zem
