#include "app/csv_import.h"

#include "app/csv_import_texts.h"
#include "app/file_dialog_texts.h"
#include "editors/channels/channel_codec.h"
#include "interchange/csv/channel_csv_texts.h"
#include "image/image.h"
#include "image/tables.h"
#include "ui/geometry.h"
#include "ui/prompt.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace vx {

namespace {

namespace text = csv_import_text;

const QString kExtension = QStringLiteral(".csv");

void report(const QString& message) { warn(file_dialog_text::promptTitle, message); }

// The wait cursor while a file is checked; a large valid list takes a
// moment, and the cursor is restored however the check ends.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Reads the file and opens the report window on it; the image is not
// touched here.
bool importFile(const QString& path)
{
    const channels::CsvFile file = channels::read_csv_file(path);
    if (!file.ok()) {
        report(file.error == channels::CsvFile::TooLarge
                   ? text::tooLarge.str().arg(channels::file_size_text(file.size), channels::file_size_text(channels::kMaxCsvBytes))
                   : text::cannotRead.str());
        return false;
    }
    if (auto* window = qobject_cast<Form_csv_report*>(shell::reopenWindow(window::kCsvReport))) {
        window->setFile(QFileInfo(path).fileName(), file.bytes);
        return true;
    }
    return false;
}

// Writes through a temporary file, so a failed export leaves any old file
// whole; names the channels a CSV line cannot carry, if any.
bool exportFile(const RadioDocument& doc, const QString& path)
{
    const Image& image = doc.image();
    const QByteArray csv = channels::export_csv(image);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        report(text::cannotWrite);
        return false;
    }
    int count = 0;
    for (int n = 0; n < channels::kChannels; ++n)
        count += !channels::is_empty(image, n);
    QStringList lines{text::exported.str().arg(count)};
    for (int n : channels::export_problems(image, doc.bandLimits()))
        lines << channels::csv_text::notExpressible.str().arg(n);
    report(lines.join(QLatin1Char('\n')));
    return true;
}

}  // namespace

Form_import_csv::Form_import_csv(RadioDocument&, QWidget* parent)
    : FileDialog({window::kImportCsv, text::importTitle, text::importName, kExtension, text::nameMessage, text::extensionMessage, importFile},
                 parent)
{
}

Form_export_csv::Form_export_csv(RadioDocument& doc, QWidget* parent)
    : FileDialog({window::kExportCsv, text::exportTitle, text::exportName, kExtension, text::nameMessage, text::extensionMessage,
                  [&doc](const QString& path) { return exportFile(doc, path); }},
                 parent)
{
}

Form_csv_report::Form_csv_report(RadioDocument& doc, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      summary_(new QLabel(this)),
      report_(new QPlainTextEdit(this)),
      renumber_(new QCheckBox(this)),
      import_(new QPushButton(this)),
      copy_(new QPushButton(this)),
      cancel_(new QPushButton(this))
{
    setObjectName(window::kCsvReport);
    summary_->setObjectName(QStringLiteral("Label_summary"));
    report_->setObjectName(QStringLiteral("Text_report"));
    renumber_->setObjectName(QStringLiteral("Check_renumber"));
    import_->setObjectName(QStringLiteral("Command_import"));
    copy_->setObjectName(QStringLiteral("Command_copy"));
    cancel_->setObjectName(QStringLiteral("Command_close"));

    summary_->setWordWrap(true);
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    renumber_->setText(text::renumber);
    import_->setText(text::import);
    copy_->setText(text::copy);
    cancel_->setText(text::cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(renumber_);
    buttons->addStretch();
    buttons->addWidget(import_);
    buttons->addWidget(copy_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(report_, 1);
    layout->addLayout(buttons);

    connect(renumber_, &QCheckBox::toggled, this, &Form_csv_report::evaluate);
    connect(import_, &QPushButton::clicked, this, &Form_csv_report::accept);
    connect(copy_, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(report_->toPlainText()); });
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);

    resize(twipsToPixels(kDesignWidth), twipsToPixels(kDesignHeight));
    shell::placeChild(this, kDesignWidth, kDesignHeight);
}

void Form_csv_report::setFile(const QString& name, const QByteArray& bytes)
{
    name_ = name;
    bytes_ = bytes;
    setWindowTitle(text::reportTitle.str().arg(name));
    evaluate();
}

channels::CsvOptions Form_csv_report::options() const
{
    return {.limits = doc_.bandLimits(), .fit = true, .renumber = renumber_->isChecked()};
}

// The report of an import into a copy of the image as it is now.
void Form_csv_report::evaluate()
{
    Image scratch = doc_.image();
    {
        const BusyCursor busy;
        result_ = channels::import_csv(bytes_, scratch, options());
    }
    const int adapted = result_.count(channels::CsvNote::Adapted);
    const int skipped = result_.count(channels::CsvNote::Skipped);
    summary_->setText(result_.ok() ? text::summary.str().arg(result_.channels).arg(adapted).arg(skipped) : text::refused.str());
    const QStringList lines = result_.report();
    report_->setPlainText(lines.isEmpty() ? text::asItStands.str() : lines.join(QLatin1Char('\n')));
    import_->setEnabled(result_.ok());
}

// Imports against the image as it is at this moment (it may have changed
// since the report was made); the channel editor shows the new channels at
// once.
void Form_csv_report::accept()
{
    Image scratch = doc_.image();
    channels::CsvImport r;
    {
        const BusyCursor busy;
        r = channels::import_csv(bytes_, scratch, options());
    }
    if (!r.ok()) {
        evaluate();
        return;
    }
    doc_.edit(edits::importChannels(), {region::channels, region::names}, [&](Image& image) {
        for (const region::Rows rows : {region::channels, region::names})
            for (int row = rows.first; row <= rows.last; ++row)
                image.setRow(row, scratch.row(row));
    });
    close();
    report(text::imported.str().arg(r.channels));
}

}  // namespace vx
