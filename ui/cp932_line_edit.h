#pragma once

#include <QLineEdit>

#include <cstddef>
#include <string>
#include <string_view>

namespace zem {

// A line edit for a record text of fixed width. The radio counts widths in CP932 bytes, so the
// limit does too, and a character that would not fit is refused whole rather than cut in half.
// Characters without a CP932 form and control characters are refused, and so is ',' where asked:
// the settings file separates its values with commas and could not bring one back into such a
// field.
class Cp932LineEdit : public QLineEdit {
public:
    enum class Comma { Allow, Refuse };

    Cp932LineEdit(std::size_t maxBytes, Comma comma, QWidget* parent = nullptr);

    // Shows a record text. As long as the user leaves it alone, Cp932() gives back these very
    // bytes, even when they hold a half character that the screen can only show as '?'.
    void SetCp932(std::string_view bytes);
    // The text as CP932 bytes, at most maxBytes, never ending inside a character.
    std::string Cp932() const;

private:
    std::size_t maxBytes_;
    std::string shownBytes_;
    QString shownText_;
};

} // namespace zem
