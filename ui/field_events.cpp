#include "ui/field_events.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace vx {

namespace {

bool typesCharacter(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    return key->key() == Qt::Key_Backspace || (!key->text().isEmpty() && key->text().at(0).isPrint());
}

class NoTyping final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::KeyPress && typesCharacter(static_cast<QKeyEvent*>(event));
    }
};

}  // namespace

bool leavesField(const QEvent* event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

void discardTyping(QComboBox* combo)
{
    auto* f = new NoTyping(combo);
    combo->installEventFilter(f);
    if (QLineEdit* edit = combo->lineEdit()) {
        edit->setReadOnly(true);
        edit->installEventFilter(f);
    }
}

}  // namespace vx
