#pragma once
// Channel lists in the window program: File -> Import channels (CSV) and
// Export channels (CSV). Import reads the chosen file in fit mode and shows
// the report window (Form_csv_report): every adapted and skipped line, as
// text that can be copied, and the channels go into the image only when the
// user presses Import. Export writes the channels in the current layout.

#include "app/file_dialog.h"
#include "interchange/csv/channel_csv.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

#include "image/radio_document.h"

namespace vx {

class Form_import_csv final : public FileDialog {
public:
    explicit Form_import_csv(RadioDocument& doc, QWidget* parent = nullptr);
};

class Form_export_csv final : public FileDialog {
public:
    explicit Form_export_csv(RadioDocument& doc, QWidget* parent = nullptr);
};

class Form_csv_report final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 12000;  // twips
    static constexpr int kDesignHeight = 6600;

    explicit Form_csv_report(RadioDocument& doc, QWidget* parent = nullptr);
    // The file to import: its name as shown and its bytes. The report is made
    // at once, against the image as it is now.
    void setFile(const QString& name, const QByteArray& bytes);
    const channels::CsvImport& result() const { return result_; }

private:
    channels::CsvOptions options() const;
    void evaluate();
    void accept();

    RadioDocument& doc_;
    QString name_;
    QByteArray bytes_;
    channels::CsvImport result_;

    QLabel* summary_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
    QCheckBox* renumber_ = nullptr;
    QPushButton* import_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace vx
