#include "ui/field_events.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

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

class LeaveWatch final : public QObject {
public:
    LeaveWatch(QWidget* field, std::function<void()> left) : QObject(field), left_(std::move(left))
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (leavesField(event))
            left_();
        return false;
    }

private:
    std::function<void()> left_;
};

}  // namespace

void onLeavingField(QWidget* field, std::function<void()> left) { new LeaveWatch(field, std::move(left)); }

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
