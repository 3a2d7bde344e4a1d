#include "link/progress_panel.h"

#include "link/status.h"
#include "ui/prompt.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

namespace vx {

void warn(const Notice& notice) { warn(notice.title, notice.text); }

ProgressPanel::ProgressPanel(QWidget* window, ProgressLayout layout, bool hideLabelWhenIdle)
    : QObject(window), label_(new QLabel(window)), bar_(new QProgressBar(window)), layout_(layout),
      hideLabelWhenIdle_(hideLabelWhenIdle)
{
    label_->setObjectName(QStringLiteral("Label_tr_count"));
    if (layout_ == ProgressLayout::Stacked)
        label_->setAlignment(Qt::AlignCenter);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setRange(0, 100);
    reset();
}

void ProgressPanel::reset()
{
    bar_->setValue(0);
    bar_->hide();
    label_->clear();
    label_->setVisible(!hideLabelWhenIdle_);
}

void ProgressPanel::hideBar()
{
    bar_->setValue(0);
    bar_->hide();
}

void ProgressPanel::begin(const Text& connecting)
{
    bar_->setValue(0);
    bar_->show();
    label_->setText(connecting);
    label_->show();
}

void ProgressPanel::step(const ProgressStep& step)
{
    if (step.bar)
        bar_->setValue(std::clamp(*step.bar, 0, 100));
    if (step.label)
        label_->setText(*step.label);
}

void ProgressPanel::reportEnd(const EndReport& report)
{
    if (report.bar)
        bar_->setValue(*report.bar);
    if (report.labelFirst) {
        label_->setText(report.label);
        warn(report.message);
        return;
    }
    QPointer<ProgressPanel> self(this);
    warn(report.message);
    if (self)
        label_->setText(report.label);
}

void ProgressPanel::reportFailure(const FailureReport& report) { finalState(report, report.message); }

void ProgressPanel::reportPortLost(const FailureReport& report, const Notice& portError)
{
    finalState(report, portError);
}

void ProgressPanel::finalState(const FailureReport& report, const std::optional<Notice>& message)
{
    if (report.statusPanel > 0)
        setStatusPanel(report.statusPanel, report.panelText);
    if (report.hideBar) {
        bar_->setValue(0);
        bar_->hide();
    }
    if (message) {
        QPointer<ProgressPanel> self(this);
        warn(*message);
        if (!self)
            return;
    }
    if (!report.keepBar)
        bar_->setValue(0);
    if (report.label)
        label_->setText(*report.label);
}

void ProgressPanel::layOut(const QRect& area)
{
    if (layout_ == ProgressLayout::SideBySide) {
        const int gap = area.width() / 40;
        label_->setGeometry(area.x(), area.y(), area.width() / 2 - gap, area.height());
        bar_->setGeometry(area.x() + area.width() / 2, area.y(), area.width() - area.width() / 2, area.height());
        return;
    }
    const int half = area.height() / 2;
    label_->setGeometry(area.x(), area.y(), area.width(), half);
    bar_->setGeometry(area.x() + area.width() / 20, area.y() + half, area.width() - area.width() / 10, area.height() - half);
}

}  // namespace vx
