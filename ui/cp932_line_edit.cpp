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
    Cp932Validator(std::size_t maxBytes, const Cp932LineEdit* edit)
        : QValidator(nullptr), maxBytes_(maxBytes), edit_(edit) {}

    // A typed or pasted text that would overflow loses the characters just inserted before the
    // cursor, one by one, until it fits; the rest of the edit stays as it was. Refused characters
    // that came with the shown text may stay while the rest is edited; a text holding them is
    // Intermediate, not Invalid, since the edit undoes an invalid change only after a valid text.
    State validate(QString& input, int& pos) const override {
        QString loaded = edit_->RefusedIn(edit_->ShownText());
        const QString refused = edit_->RefusedIn(input);
        for (const QChar c : refused) {
            const qsizetype at = loaded.indexOf(c);
            if (at < 0)
                return Invalid;
            loaded.remove(at, 1);
        }
        std::optional<std::string> bytes = ToCp932(input);
        if (!bytes)
            return Invalid;
        while (bytes->size() > maxBytes_ && pos > 0) {
            input.remove(--pos, 1);
            bytes = ToCp932(input);
        }
        if (!bytes || bytes->size() > maxBytes_)
            return Invalid;
        return refused.isEmpty() ? Acceptable : Intermediate;
    }

private:
    std::size_t maxBytes_;
    const Cp932LineEdit* edit_;
};

// What the screen shows for record bytes: a byte that starts no character (a lead byte left by
// a cut, say) becomes '?', so the edit never holds a character the validator would refuse.
QString DisplayText(std::string_view bytes) {
    QString text = QString::fromStdString(Cp932ToUtf8(bytes));
    text.replace(QChar(0xFFFD), QLatin1Char('?'));
    return text;
}

} // namespace

KeptTextEdit::KeptTextEdit(int designMaxLength, QWidget* parent)
    : QLineEdit(parent), designMaxLength_(designMaxLength) {
    setMaxLength(designMaxLength);
}

void KeptTextEdit::ShowStored(const QString& shown, std::string_view stored) {
    stored_ = std::string(stored);
    Show(shown);
}

void KeptTextEdit::ShowText(const QString& text) {
    stored_.reset();
    Show(text);
}

// The shown text is kept first: setting the text runs the validator, which looks at it.
void KeptTextEdit::Show(const QString& text) {
    shownText_ = text;
    setMaxLength(std::max(designMaxLength_, static_cast<int>(text.size())));
    setText(text);
}

std::optional<std::string> KeptTextEdit::Unedited() const {
    return text() == shownText_ ? stored_ : std::nullopt;
}

Cp932LineEdit::Cp932LineEdit(std::size_t maxBytes, Comma comma, QWidget* parent)
    : KeptTextEdit(32767, parent), maxBytes_(maxBytes), comma_(comma) {
    auto* validator = new Cp932Validator(maxBytes, this);
    validator->setParent(this);
    setValidator(validator);
}

void Cp932LineEdit::SetCp932(std::string_view bytes) {
    const std::string_view kept = bytes.substr(0, maxBytes_);
    ShowStored(DisplayText(kept), kept);
}

std::string Cp932LineEdit::Cp932() const {
    // Text set from outside the validator may hold characters CP932 lacks.
    return Unedited().value_or(std::string(CutCp932(ToCp932Lossy(text()), maxBytes_)));
}

QString Cp932LineEdit::RefusedIn(const QString& text) const {
    QString refused;
    for (const QChar c : text) {
        // A line break would end the record's line in the settings file.
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || (comma_ == Comma::Refuse && c == QLatin1Char(',')))
            refused += c;
    }
    return refused;
}

std::optional<QString> Cp932LineEdit::Refusal(const QString& field) const {
    if (Unedited())
        return std::nullopt;
    if (!RefusedIn(text()).isEmpty())
        return QStringLiteral("%1 に使えない文字（%2）があります。消してから OK を押してください。")
            .arg(field, comma_ == Comma::Refuse ? QStringLiteral("',' と制御文字") : QStringLiteral("制御文字"));
    const std::optional<std::string> bytes = ToCp932(text());
    if (!bytes)
        return QStringLiteral("%1 に CP932 で表せない文字があります。").arg(field);
    if (bytes->size() > maxBytes_)
        return QStringLiteral("%1 は %2 バイトまでです（今は %3 バイトです）。")
            .arg(field)
            .arg(maxBytes_)
            .arg(bytes->size());
    return std::nullopt;
}

std::string ToCp932Lossy(const QString& text) {
    if (std::optional<std::string> whole = ToCp932(text))
        return *whole;
    std::string bytes;
    for (const QChar c : text)
        bytes += ToCp932(QString(c)).value_or("?");
    return bytes;
}

} // namespace zem
