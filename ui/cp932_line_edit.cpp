#include "cp932_line_edit.h"

#include "model/cp932.h"

#include <QValidator>

#include <algorithm>
#include <optional>

namespace zem {
namespace {

std::optional<std::string> ToCp932(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

class Cp932Validator : public QValidator {
public:
    Cp932Validator(std::size_t maxBytes, Cp932LineEdit::Comma comma, QObject* parent)
        : QValidator(parent), maxBytes_(maxBytes), comma_(comma) {}

    // A typed or pasted text that would overflow loses the characters just inserted before the
    // cursor, one by one, until it fits; the rest of the edit stays as it was.
    State validate(QString& input, int& pos) const override {
        if (comma_ == Cp932LineEdit::Comma::Refuse && input.contains(QLatin1Char(',')))
            return Invalid;
        // A line break would end the record's line in the settings file.
        if (std::any_of(input.cbegin(), input.cend(),
                        [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }))
            return Invalid;
        std::optional<std::string> bytes = ToCp932(input);
        if (!bytes)
            return Invalid;
        while (bytes->size() > maxBytes_ && pos > 0) {
            input.remove(--pos, 1);
            bytes = ToCp932(input);
        }
        return bytes && bytes->size() <= maxBytes_ ? Acceptable : Invalid;
    }

private:
    std::size_t maxBytes_;
    Cp932LineEdit::Comma comma_;
};

// What the screen shows for record bytes: a byte that starts no character (a lead byte left by
// a cut, say) becomes '?', so the edit never holds a character the validator would refuse.
QString DisplayText(std::string_view bytes) {
    QString text = QString::fromStdString(Cp932ToUtf8(bytes));
    text.replace(QChar(0xFFFD), QLatin1Char('?'));
    return text;
}

} // namespace

Cp932LineEdit::Cp932LineEdit(std::size_t maxBytes, Comma comma, QWidget* parent)
    : QLineEdit(parent), maxBytes_(maxBytes) {
    setValidator(new Cp932Validator(maxBytes, comma, this));
}

void Cp932LineEdit::SetCp932(std::string_view bytes) {
    shownBytes_ = std::string(bytes.substr(0, maxBytes_));
    shownText_ = DisplayText(shownBytes_);
    setText(shownText_);
}

std::string Cp932LineEdit::Cp932() const {
    if (text() == shownText_)
        return shownBytes_;
    // Text set from outside the validator may hold characters CP932 lacks.
    return std::string(CutCp932(Utf8ToCp932Lossy(text().toStdString()), maxBytes_));
}

} // namespace zem
