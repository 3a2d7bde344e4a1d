#pragma once
// The small helpers every editor's controls share. Everything that shows a
// value does so with the control's signals blocked, so showing never stores;
// an editor stores only from the user's own edits.

#include <QString>
#include <QStringList>
#include <Qt>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QObject;
class QTabWidget;
class QWidget;

namespace vx::ui {

// A blank text: nothing but spaces.
bool blank(const QString& text);
bool isEnter(const QKeyEvent* key);

// Shows entry `position` of a list; a position past the end shows the last
// entry, a negative one none.
void select(QComboBox* combo, int position);
// Shows `text` in an editable list, selecting the entry of that text if
// there is one.
void showListText(QComboBox* combo, const QString& text);
void setChecked(QCheckBox* box, bool on);
// Shows `text` in a field (when it differs), past any key rule on it.
void showText(QLineEdit* edit, const QString& text);

// Makes a named control. A list discards typing (arrows and the mouse still
// choose) and shows `visible` entries when it drops down.
QLabel* makeLabel(QWidget* parent, const QString& name, Qt::Alignment alignment = {});
QComboBox* makeList(QWidget* parent, const QString& name, const QStringList& entries = {}, int visible = 15);
QCheckBox* makeCheck(QWidget* parent, const QString& name);
QLineEdit* makeField(QWidget* parent, const QString& name);

// A tab strip whose pages are group boxes: each page added is captioned
// later; `resizeWatcher` gets its events (its Resize lays the page out).
QTabWidget* makeTabs(QWidget* parent, const QString& name);
QGroupBox* addPage(QTabWidget* tabs, const QString& name, QObject* resizeWatcher);

// Height of a group box's title, where its content starts.
int titleHeight(const QWidget* frame);

}  // namespace vx::ui
