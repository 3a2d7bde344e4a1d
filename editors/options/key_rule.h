#pragma once
// A per-key rule on a line edit that holds for typed and pasted text alike:
// the characters an edit inserts are offered to the rule one at a time,
// each against the text as it stands with the ones accepted so far, and the
// refused ones are dropped. Deleting is never refused, and a text the
// program sets with set() is taken as it is.

#include <QString>
#include <QValidator>
#include <functional>

class QLineEdit;

namespace vx {

class KeyRule final : public QValidator {
    Q_OBJECT
public:
    // True when `key` may go into `text` (the text without it).
    using Accepts = std::function<bool(QChar key, const QString& text)>;

    // Installs itself on `edit`, which owns it.
    KeyRule(QLineEdit* edit, Accepts accepts);

    State validate(QString& input, int& pos) const override;

    // Sets the edit's text without the rule (textChanged still fires).
    void set(const QString& text);

    // What an edit from `before` to `after` leaves when `accepts` judges the
    // characters it inserts; the cursor position goes with it.
    static QString filtered(const QString& before, const QString& after, const Accepts& accepts, int* cursor = nullptr);

private:
    QLineEdit* edit_;
    Accepts accepts_;
    QString last_;  // the text before the edit under validation
    bool bypass_ = false;
};

}  // namespace vx
