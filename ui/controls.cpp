#include "ui/controls.h"

#include "ui/field_events.h"
#include "ui/key_rule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>

#include <algorithm>

namespace vx::ui {

bool blank(const QString& text) { return text.trimmed().isEmpty(); }

bool isEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

void select(QComboBox* combo, int position)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(position < 0 ? -1 : std::min(position, combo->count() - 1));
}

void showListText(QComboBox* combo, const QString& text)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(int(combo->findText(text)));
    combo->setEditText(text);
}

void setChecked(QCheckBox* box, bool on)
{
    const QSignalBlocker block(box);
    box->setChecked(on);
}

void showText(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    if (KeyRule* rule = KeyRule::of(edit)) {
        rule->show(text);
        return;
    }
    const QSignalBlocker block(edit);
    edit->setText(text);
}

QLabel* makeLabel(QWidget* parent, const QString& name, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    if (alignment)
        label->setAlignment(alignment);
    return label;
}

QComboBox* makeList(QWidget* parent, const QString& name, const QStringList& entries, int visible)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(entries);
    combo->setMaxVisibleItems(visible);
    discardTyping(combo);
    return combo;
}

QCheckBox* makeCheck(QWidget* parent, const QString& name)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* makeField(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QTabWidget* makeTabs(QWidget* parent, const QString& name)
{
    auto* tabs = new QTabWidget(parent);
    tabs->setObjectName(name);
    return tabs;
}

QGroupBox* addPage(QTabWidget* tabs, const QString& name, QObject* resizeWatcher)
{
    auto* page = new QGroupBox;
    page->setObjectName(name);
    tabs->addTab(page, QString());
    page->installEventFilter(resizeWatcher);
    return page;
}

int titleHeight(const QWidget* frame) { return frame->fontMetrics().height() + 6; }

}  // namespace vx::ui
