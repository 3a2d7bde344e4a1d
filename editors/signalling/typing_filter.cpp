#include "editors/signalling/typing_filter.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace vx {

TypingFilter::TypingFilter(QLineEdit* edit, Rule rule) : QObject(edit), edit_(edit), rule_(std::move(rule)) {}

TypingFilter* TypingFilter::install(QLineEdit* edit, Rule rule)
{
    auto* f = new TypingFilter(edit, std::move(rule));
    edit->installEventFilter(f);
    return f;
}

bool TypingFilter::accepts(const Rule& rule, QChar key, const QString& remaining)
{
    if (key == QLatin1Char('\b'))
        return rule.backspace;
    if (key == QLatin1Char('\r') ? !rule.enter : !rule.accepted.contains(key))
        return false;
    if (rule.maxBefore < 0)
        return true;
    return remaining.trimmed().size() <= rule.maxBefore;
}

bool TypingFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_ || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;  // shortcuts
    QChar c;
    switch (key->key()) {
    case Qt::Key_Backspace: c = QLatin1Char('\b'); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: c = QLatin1Char('\r'); break;
    default:
        if (key->text().isEmpty() || !key->text().at(0).isPrint())
            return false;  // types nothing
        c = key->text().at(0);
        break;
    }
    // The key replaces the selection, so what is left of the text counts.
    QString remaining = edit_->text();
    if (edit_->hasSelectedText())
        remaining.remove(edit_->selectionStart(), edit_->selectionLength());
    return !accepts(rule_, c, remaining);
}

}  // namespace vx
