#pragma once
// One rule for what a text field takes, applied to typed and pasted text
// alike. The characters an edit inserts are offered to the rule one at a
// time, each against the text as it stands with the ones kept so far, and
// the refused ones are dropped. Backspace, Delete and Enter are keys the
// rule lets through or not. A text the program shows goes in through
// KeyRule::show() (or ui::showText), untouched by the rule.
//
//   FieldRule code{.accepted = "0123456789abcdABCD*#", .maxBefore = 15,
//                  .countTrimmed = true, .backspace = false};
//   KeyRule::install(edit, code);

#include <QString>
#include <QValidator>
#include <functional>

class QKeyEvent;
class QLineEdit;

namespace vx {

struct FieldRule {
    // Characters taken; empty: any printable character.
    QString accepted{};
    // A character is refused while the text, less a selection it replaces,
    // holds more than this many characters; -1: no limit.
    int maxBefore = -1;
    bool countTrimmed = false;  // the length counts the trimmed text
    bool upperCase = false;     // letters taken are entered in upper case
    bool backspace = true;      // the Backspace key edits
    bool del = true;            // the Delete key edits
    bool enter = true;          // the Enter key reaches the field
    // A further test of each character against the text before it.
    std::function<bool(QChar key, const QString& text)> also{};

    // Whether `key` may go into `text` (the text without it).
    bool takes(QChar key, const QString& text) const;
};

class KeyRule final : public QValidator {
    Q_OBJECT
public:
    // Installs `rule` on `edit`, which owns it.
    static KeyRule* install(QLineEdit* edit, FieldRule rule);
    // The rule installed on `edit`, or null.
    static KeyRule* of(const QLineEdit* edit);

    const FieldRule& rule() const { return rule_; }
    State validate(QString& input, int& pos) const override;

    // Whether the rule refuses a key pressed in the field.
    bool refuses(const QKeyEvent* key) const;

    // Sets the field's text without the rule, signals blocked.
    void show(const QString& text);
    // Sets the field's text without the rule; textChanged fires.
    void set(const QString& text);

    // What an edit from `before` to `after` leaves when `rule` judges the
    // characters it inserts; the cursor position goes with it.
    static QString filtered(const QString& before, const QString& after, const FieldRule& rule, int* cursor = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyRule(QLineEdit* edit, FieldRule rule);

    QLineEdit* edit_;
    FieldRule rule_;
    QString last_;  // the text before the edit under validation
    bool bypass_ = false;
};

}  // namespace vx
