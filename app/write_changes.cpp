#include "app/write_changes.h"

#include "ui/window_names.h"

namespace vx {

namespace {
WindowDescriptor descriptor()
{
    WindowDescriptor d{.name = window::kWriteChanges,
                       .caption = {"向对讲机写入改动", "Write changes to radio"},
                       .designWidth = Form_write_changes::kDesignWidth,
                       .designHeight = Form_write_changes::kDesignHeight};
    d.ownEndReports = true;
    return d;
}
}  // namespace

Form_write_changes::Form_write_changes(RadioDocument& doc, QWidget* parent) : TransferWindow(descriptor(), doc, parent) {}

void Form_write_changes::setRestorePoint(const restore::Point& point, const Image& image)
{
    point_ = point;
    source_ = image;
}

QStringList Form_write_changes::lines() const { return {}; }
std::optional<TransferPlan> Form_write_changes::plan(Direction) { return std::nullopt; }
void Form_write_changes::afterRead() {}
void Form_write_changes::afterWrite() {}
void Form_write_changes::afterFailure(Direction) {}
void Form_write_changes::layOutContent(const QRect&) {}
void Form_write_changes::caption() { TransferWindow::caption(); }
void Form_write_changes::showEvent(QShowEvent* event) { TransferWindow::showEvent(event); }

}  // namespace vx
