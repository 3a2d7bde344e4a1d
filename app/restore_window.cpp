#include "app/restore_window.h"

#include "app/compare_window.h"
#include "app/restore_window_texts.h"
#include "app/write_changes.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vx {

namespace {

namespace text = restore_window_text;

void report(const QString& message) { warn(text::promptTitle, message); }

QString kindText(restore::Kind kind)
{
    switch (kind) {
    case restore::Kind::Read: return text::kindRead;
    case restore::Kind::Write: return text::kindWrite;
    case restore::Kind::Backup: return text::kindBackup;
    }
    return {};
}

QString summaryText(const restore::Point& point)
{
    if (!point.readable)
        return text::unreadable;
    if (point.kind == restore::Kind::Backup && point.rowsChanged >= 0)
        return text::beforeWriteOf.str().arg(point.rowsChanged);  // what a change write then sent
    if (point.rowsChanged < 0)
        return text::firstPoint;
    if (point.rowsChanged == 0)
        return text::noChange;
    if (point.rowsChanged == 1)
        return text::oneRowChanged;
    return text::rowsChanged.str().arg(point.rowsChanged);
}

// The store of this user, as the environment names it now.
restore::Store store() { return restore::Store(restore::Store::defaultFolder()); }

}  // namespace

QStringList restore_point_columns(const restore::Point& point)
{
    const QString radio = (point.radio.model.trimmed() + QLatin1Char(' ') + point.radio.serial.trimmed()).trimmed();
    return {radio, point.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), kindText(point.kind),
            summaryText(point)};
}

QStringList restore_point_headings()
{
    return {text::radioHeading, text::timeHeading, text::kindHeading, text::summaryHeading};
}

Form_restore_points::Form_restore_points(RadioDocument& doc, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      list_(new QTreeWidget(this)),
      empty_(new QLabel(this)),
      open_(new QPushButton(this)),
      compare_(new QPushButton(this)),
      write_(new QPushButton(this)),
      remove_(new QPushButton(this)),
      refresh_(new QPushButton(this)),
      close_(new QPushButton(this))
{
    setObjectName(window::kRestorePoints);
    list_->setObjectName(QStringLiteral("List_points"));
    empty_->setObjectName(QStringLiteral("Label_empty"));
    open_->setObjectName(QStringLiteral("Command_open"));
    compare_->setObjectName(QStringLiteral("Command_compare"));
    write_->setObjectName(QStringLiteral("Command_write"));
    remove_->setObjectName(QStringLiteral("Command_delete"));
    refresh_->setObjectName(QStringLiteral("Command_refresh"));
    close_->setObjectName(QStringLiteral("Command_close"));

    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setColumnCount(4);
    empty_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {open_, compare_, write_, remove_})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(refresh_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(empty_);
    layout->addLayout(buttons);

    connect(list_, &QTreeWidget::itemSelectionChanged, this, &Form_restore_points::updateButtons);
    connect(list_, &QTreeWidget::itemActivated, this, &Form_restore_points::openPoint);
    connect(open_, &QPushButton::clicked, this, &Form_restore_points::openPoint);
    connect(compare_, &QPushButton::clicked, this, &Form_restore_points::comparePoint);
    connect(write_, &QPushButton::clicked, this, &Form_restore_points::writePoint);
    connect(remove_, &QPushButton::clicked, this, &Form_restore_points::removePoint);
    connect(refresh_, &QPushButton::clicked, this, &Form_restore_points::refresh);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
    shell::placeChild(this, kDesignWidth, kDesignHeight);
    caption();
    refresh();
}

void Form_restore_points::caption()
{
    setWindowTitle(text::caption);
    list_->setHeaderLabels(restore_point_headings());
    empty_->setText(text::empty);
    open_->setText(text::open);
    compare_->setText(text::compare);
    write_->setText(text::write);
    remove_->setText(text::remove);
    refresh_->setText(text::refresh);
    close_->setText(text::close);
}

void Form_restore_points::refresh()
{
    const restore::Point* was = selected();
    const QString path = was ? was->path : QString();
    points_ = store().points();

    const QSignalBlocker block(list_);
    list_->clear();
    QTreeWidgetItem* keep = nullptr;
    for (size_t i = 0; i < points_.size(); ++i) {
        auto* item = new QTreeWidgetItem(list_, restore_point_columns(points_[i]));
        item->setData(0, Qt::UserRole, int(i));
        if (points_[i].path == path)
            keep = item;
    }
    if (keep)
        list_->setCurrentItem(keep);
    else if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    for (int c = 0; c < list_->columnCount(); ++c)
        list_->resizeColumnToContents(c);
    empty_->setVisible(points_.empty());
    updateButtons();
}

const restore::Point* Form_restore_points::selected() const
{
    const QList<QTreeWidgetItem*> items = list_->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const int i = items.front()->data(0, Qt::UserRole).toInt();
    return i >= 0 && i < int(points_.size()) ? &points_[size_t(i)] : nullptr;
}

// Only a point that can be read opens, compares or is written; any point
// can be deleted.
void Form_restore_points::updateButtons()
{
    const restore::Point* p = selected();
    const bool usable = p && p->readable;
    open_->setEnabled(usable);
    compare_->setEnabled(usable);
    write_->setEnabled(usable);
    remove_->setEnabled(p != nullptr);
}

// Loads the point as a data file loads: one edit of the whole image; the
// open editors show it before the message comes up.
void Form_restore_points::openPoint()
{
    const restore::Point* p = selected();
    if (!p)
        return;
    Image image = doc_.image();
    if (!p->readable || !store().load(*p, image)) {
        report(text::cannotLoad);
        refresh();
        return;
    }
    doc_.replace(edits::loadDataFile(), image);
    report(text::loaded);
}

void Form_restore_points::comparePoint()
{
    const restore::Point* p = selected();
    if (!p || !p->readable)
        return;
    const restore::Point point = *p;
    if (auto* w = qobject_cast<Form_compare*>(shell::reopenWindow(window::kCompare)))
        w->comparePointWithDocument(point);
}

void Form_restore_points::writePoint()
{
    const restore::Point* p = selected();
    if (!p)
        return;
    const restore::Point point = *p;
    Image image = doc_.image();
    if (!point.readable || !store().load(point, image)) {
        report(text::cannotLoad);
        refresh();
        return;
    }
    if (auto* w = qobject_cast<Form_write_changes*>(shell::reopenWindow(window::kWriteChanges)))
        w->setRestorePoint(point, image);
}

void Form_restore_points::removePoint()
{
    const restore::Point* p = selected();
    if (!p)
        return;
    const bool removed = store().remove(*p);
    refresh();
    if (!removed)
        report(text::cannotRemove);
}

bool Form_restore_points::event(QEvent* event)
{
    // Outside the main window its own activation refreshes; inside, its
    // frame's (connected when shown).
    if (event->type() == QEvent::WindowActivate && !qobject_cast<QMdiSubWindow*>(parentWidget()))
        refresh();
    return QWidget::event(event);
}

void Form_restore_points::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    caption();
    refresh();
    if (!followsFrame_)
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            followsFrame_ = true;
            connect(frame, &QMdiSubWindow::aboutToActivate, this, &Form_restore_points::refresh);
        }
}

}  // namespace vx
