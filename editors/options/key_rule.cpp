#include "editors/options/key_rule.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace vx {

KeyRule::KeyRule(QLineEdit* edit, Accepts accepts) : QValidator(edit), edit_(edit), accepts_(std::move(accepts))
{
    last_ = edit_->text();
    // Connected before any other slot, so the text is current for them.
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) { last_ = text; });
    edit_->setValidator(this);
}

QString KeyRule::filtered(const QString& before, const QString& after, const Accepts& accepts, int* cursor)
{
    // The edit replaced before[prefix, before.size() - suffix) with
    // after[prefix, after.size() - suffix).
    qsizetype prefix = 0;
    const qsizetype common = std::min(before.size(), after.size());
    while (prefix < common && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < common - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QString head = after.left(prefix);
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);
    const QString tail = after.right(suffix);
    QString kept;
    for (const QChar c : inserted)
        if (accepts(c, head + kept + tail))
            kept += c;
    if (cursor)
        *cursor = int(head.size() + kept.size());
    return head + kept + tail;
}

QValidator::State KeyRule::validate(QString& input, int& pos) const
{
    if (bypass_ || input == last_)
        return Acceptable;
    int cursor = pos;
    const QString kept = filtered(last_, input, accepts_, &cursor);
    if (kept != input) {
        input = kept;
        pos = std::min(cursor, int(input.size()));
    }
    return Acceptable;
}

void KeyRule::set(const QString& text)
{
    bypass_ = true;
    edit_->setText(text);
    bypass_ = false;
}

}  // namespace vx
