#include "app/form_doctor.h"

#include "app/form_doctor_texts.h"
#include "app/mdimain.h"
#include "link/identification.h"
#include "image/language.h"
#include "link/doctor_texts.h"
#include "ui/geometry.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSaveFile>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vx {

namespace {
namespace T = form_doctor_text;
namespace D = doctor_text;

// Breaks the lines of `text` at spaces so that each fits `width` pixels.
QString wrapped(const QString& text, const QFontMetrics& metrics, int width)
{
    if (width < 100)
        return text;
    QStringList out;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString current;
        for (const QString& word : line.split(QLatin1Char(' '))) {
            const QString next = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(next) > width) {
                out << current;
                current = word;
            } else {
                current = next;
            }
        }
        out << current;
    }
    return out.join(QLatin1Char('\n'));
}

QElapsedTimer& since()
{
    static QElapsedTimer t;
    if (!t.isValid())
        t.start();
    return t;
}
}  // namespace

Form_doctor::Form_doctor(RadioDocument& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), intro_(new QLabel(this)), steps_(new QTreeWidget(this)), summary_(new QLabel(this)),
      trace_(new QLabel(this)), check_button_(new QPushButton(this)), copy_(new QPushButton(this)), close_(new QPushButton(this))
{
    setObjectName(QString::fromLatin1(window::kDoctor));
    intro_->setWordWrap(true);
    steps_->setObjectName(QStringLiteral("List_steps"));
    steps_->setColumnCount(2);
    steps_->setHeaderHidden(true);
    steps_->setRootIsDecorated(false);
    steps_->setWordWrap(true);
    steps_->header()->setStretchLastSection(true);
    steps_->setTextElideMode(Qt::ElideNone);
    summary_->setObjectName(QStringLiteral("Label_summary"));
    summary_->setWordWrap(true);
    trace_->setObjectName(QStringLiteral("Label_trace"));
    trace_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    check_button_->setObjectName(QStringLiteral("Command_check"));
    copy_->setObjectName(QStringLiteral("Command_copy"));
    close_->setObjectName(QStringLiteral("Command_close"));
    connect(check_button_, &QPushButton::clicked, this, &Form_doctor::start);
    connect(copy_, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(lines().join(QLatin1Char('\n'))); });
    connect(close_, &QPushButton::clicked, this, [this] {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
            frame->close();
        else
            close();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {check_button_, copy_, close_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro_);
    layout->addWidget(steps_, 1);
    layout->addWidget(summary_);
    layout->addWidget(trace_);
    layout->addLayout(buttons);
    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
    shell::placeChild(this, kDesignWidth, kDesignHeight);
    caption();
    showSteps({});
}

Form_doctor::~Form_doctor() = default;

void Form_doctor::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    caption();
}

void Form_doctor::caption()
{
    setWindowTitle(T::caption);
    check_button_->setText(T::check);
    copy_->setText(T::copy);
    close_->setText(T::close);
    intro_->setText(T::intro.str().arg(doc_.portNumber()).arg(doctor::environment_of(doc_.portNumber()).device.path));
}

bool Form_doctor::running() const { return check_ && check_->running(); }

void Form_doctor::start()
{
    if (running())
        return;
    // The main window's identification may still be retrying on the port:
    // it gives the port up, or the check would find it in use.
    if (Identification* id = mainIdentification())
        id->stop();
    check_ = std::make_unique<doctor::Check>(doctor::environment_of(doc_.portNumber()), [] { return since().elapsed(); });
    check_->onStep = [this](const doctor::StepResult&) { showSteps(check_->results()); };
    check_->onFinished = [this] { finished(); };
    check_button_->setEnabled(false);
    caption();  // the device COM n names now
    summary_->setText(T::running);
    trace_->clear();
    showSteps({});
    check_->start();
}

// Every step in its row: a mark, its name and verdict, then what to do next
// under a failed one.
void Form_doctor::showSteps(const std::vector<doctor::StepResult>& results)
{
    steps_->clear();
    for (int s = 0; s < doctor::kSteps; ++s) {
        const auto it = std::ranges::find_if(results, [s](const doctor::StepResult& r) { return int(r.step) == s; });
        auto* item = new QTreeWidgetItem(steps_);
        const bool done = it != results.end();
        item->setText(0, !done ? QStringLiteral("·") : it->passed ? QStringLiteral("✓") : QStringLiteral("✗"));
        item->setForeground(0, !done ? QColor(Qt::gray) : it->passed ? QColor(0, 128, 0) : QColor(176, 0, 0));
        QString text = D::steps[size_t(s)].str();
        if (done) {
            text += QStringLiteral(": ") + (it->passed ? D::passed.str() : D::causes[size_t(it->cause)].str());
            if (!it->facts.isEmpty())
                text += QStringLiteral("\n") + it->facts;
            if (!it->passed)
                text += QStringLiteral("\n") + D::nextLine.str().trimmed().arg(doctor::next_action(it->cause, it->group, chinese()));
        }
        item->setText(1, wrapped(text, steps_->fontMetrics(), steps_->viewport()->width() - 60));
        item->setToolTip(1, text);
    }
    steps_->resizeColumnToContents(0);
}

void Form_doctor::finished()
{
    showSteps(check_->results());
    summary_->setText(doctor::summary(check_->results(), doc_.portNumber(), chinese()));
    check_button_->setEnabled(true);
    tracePath_ = QDir::temp().filePath(QStringLiteral("vxprog-doctor-%1.txt").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    QSaveFile file(tracePath_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write((check_->trace() + doctor::report(check_->results(), doc_.portNumber(), false)).join(QLatin1Char('\n')).toUtf8() + '\n');
        if (file.commit())
            trace_->setText(T::traceSaved.str().arg(QDir::toNativeSeparators(tracePath_)));
    }
}

QStringList Form_doctor::lines() const
{
    return check_ ? doctor::report(check_->results(), doc_.portNumber(), chinese()) : QStringList{};
}

}  // namespace vx
