#pragma once

#include <QLineEdit>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zem {

// An edit that shows a stored value and gives it back byte for byte as long as the field still
// shows what was loaded, whatever converting the shown text back would make of it (a rounding, a
// cut, a character the screen can only show as '?'). The design's length limit holds for typing
// but never cuts a shown value.
class KeptTextEdit : public QLineEdit {
public:
    explicit KeptTextEdit(int designMaxLength, QWidget* parent = nullptr);

    // Shows `shown` for the stored bytes.
    void ShowStored(const QString& shown, std::string_view stored);
    // Shows a text that stands for nothing stored, such as a default.
    void ShowText(const QString& text);
    // The stored bytes while the field shows them unedited.
    std::optional<std::string> Unedited() const;
    const QString& ShownText() const { return shownText_; }

private:
    void Show(const QString& text);

    int designMaxLength_;
    QString shownText_;
    std::optional<std::string> stored_;
};

// A line edit for a record text of fixed width. The radio counts widths in CP932 bytes, so the
// limit does too, and a character that would not fit is refused whole rather than cut in half.
// Characters without a CP932 form and control characters are refused, and so is ',' where asked:
// the settings file separates its values with commas and could not bring one back into such a
// field. A stored text may hold what the edit refuses (a TAB from a CSV import): typing then still
// refuses any more of it, and an edited text that keeps it is refused on OK (Refusal).
class Cp932LineEdit : public KeptTextEdit {
public:
    enum class Comma { Allow, Refuse };

    Cp932LineEdit(std::size_t maxBytes, Comma comma, QWidget* parent = nullptr);

    // Shows a record text. As long as the user leaves it alone, Cp932() gives back these very
    // bytes, even when they hold a half character that the screen can only show as '?'.
    void SetCp932(std::string_view bytes);
    // The text as CP932 bytes, at most maxBytes, never ending inside a character.
    std::string Cp932() const;
    // Why an edited text cannot be stored, naming the field (`field`, "メモリネーム"); nothing for
    // a text the rule takes or the stored text left as it was.
    std::optional<QString> Refusal(const QString& field) const;

    // The characters of `text` the edit refuses, in order.
    QString RefusedIn(const QString& text) const;

private:
    std::size_t maxBytes_;
    Comma comma_;
};

// A screen text as CP932 bytes; a character without a CP932 form becomes '?'.
std::string ToCp932Lossy(const QString& text);

} // namespace zem
