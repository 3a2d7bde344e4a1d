#include "ui/key_rule.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace vx {

bool FieldRule::takes(QChar key, const QString& text) const
{
    if (!key.isPrint())
        return false;
    if (!accepted.isEmpty() && !accepted.contains(key))
        return false;
    if (maxBefore >= 0) {
        const QString counted = countTrimmed ? text.trimmed() : text;
        if (counted.toUcs4().size() > maxBefore)
            return false;
    }
    return !also || also(key, text);
}

KeyRule::KeyRule(QLineEdit* edit, FieldRule rule) : QValidator(edit), edit_(edit), rule_(std::move(rule))
{
    last_ = edit_->text();
    // Connected before any other slot, so the text is current for them.
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) { last_ = text; });
    edit_->setValidator(this);
    edit_->installEventFilter(this);
}

KeyRule* KeyRule::install(QLineEdit* edit, FieldRule rule) { return new KeyRule(edit, std::move(rule)); }

KeyRule* KeyRule::of(const QLineEdit* edit)
{
    return edit ? qobject_cast<KeyRule*>(const_cast<QValidator*>(edit->validator())) : nullptr;
}

QString KeyRule::filtered(const QString& before, const QString& after, const FieldRule& rule, int* cursor)
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
    for (QChar c : inserted) {
        if (rule.upperCase)
            c = c.toUpper();
        if (rule.takes(c, head + kept + tail))
            kept += c;
    }
    if (cursor)
        *cursor = int(head.size() + kept.size());
    return head + kept + tail;
}

QValidator::State KeyRule::validate(QString& input, int& pos) const
{
    if (bypass_ || input == last_)
        return Acceptable;
    int cursor = pos;
    const QString kept = filtered(last_, input, rule_, &cursor);
    if (kept != input) {
        input = kept;
        pos = std::min(cursor, int(input.size()));
    }
    return Acceptable;
}

void KeyRule::show(const QString& text)
{
    const QSignalBlocker block(edit_);
    set(text);
}

void KeyRule::set(const QString& text)
{
    bypass_ = true;
    edit_->setText(text);
    last_ = text;  // also when the edit's signals are blocked
    bypass_ = false;
}

bool KeyRule::eventFilter(QObject* watched, QEvent* event)
{
    return watched == edit_ && event->type() == QEvent::KeyPress && refuses(static_cast<QKeyEvent*>(event));
}

bool KeyRule::refuses(const QKeyEvent* key) const
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;  // shortcuts: copy, paste (judged as inserted text), undo
    switch (key->key()) {
    case Qt::Key_Backspace: return !rule_.backspace;
    case Qt::Key_Delete: return !rule_.del;
    case Qt::Key_Return:
    case Qt::Key_Enter: return !rule_.enter;
    default: break;
    }
    // A refused key does nothing at all: it does not even replace the
    // selection, as an insertion the validator empties would.
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return false;
    QString remaining = edit_->text();
    if (edit_->hasSelectedText())
        remaining.remove(edit_->selectionStart(), edit_->selectionLength());
    const QChar c = rule_.upperCase ? typed.at(0).toUpper() : typed.at(0);
    return !rule_.takes(c, remaining);
}

}  // namespace vx
