// Channel lists in the window program: File -> Import channels (CSV) shows a
// report of every adapted and skipped line and changes the channels only
// when the user accepts (the channel grid shows them at once); Cancel or a
// file that cannot be imported leaves the image as it was. Export writes
// the current layout.
#include "editor_window.h"
#include "test_document.h"

#include "app/csv_import.h"
#include "app/windows.h"
#include "editors/channels/channel_codec.h"
#include "editors/channels/frm_chann.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vx;
using namespace vx::channels;
using namespace vx::test;

namespace {

const QString kGrid = "MSF_Chann";

const QByteArray kStockList = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment\r\n"
                              "1,MURS 1,151.820000,,0.600000,,88.5,88.5,023,NN,NFM,5.00,,\r\n"
                              "2,Air Guard,121.500000,,0.600000,,88.5,88.5,023,NN,AM,25.00,,\r\n"
                              "3,Green Dot,154.600000,,0.600000,TSQL,88.5,100.0,023,NN,FM,5.00,,\r\n"
                              "250,Far,146.520000,,0.600000,,88.5,88.5,023,NN,FM,5.00,,\r\n";

}  // namespace

class TstCsvImport : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString oldCurrent_;

    void write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir_.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Chooses `name` in the file dialog of `window` and confirms.
    static void choose(FileDialog& dialog, const QString& name)
    {
        dialog.show();
        auto* box = dialog.findChild<QLineEdit*>("Text1");
        box->selectAll();
        QTest::keyClicks(box, name);
        QTest::mouseClick(dialog.findChild<QPushButton*>("Command_enter"), Qt::LeftButton);
    }

    static Form_csv_report* reportWindow() { return qobject_cast<Form_csv_report*>(shell::findWindow(window::kCsvReport)); }

private slots:
    void initTestCase() { registerWindows(); }
    void init()
    {
        oldCurrent_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        write("stock.csv", kStockList);
    }
    void cleanup()
    {
        shell::closeAllWindows();
        QDir::setCurrent(oldCurrent_);
    }

    void importShowsTheReportAndAppliesOnAccept()
    {
        EditorWindow<frm_chann> cw;
        const Image before = testImage();
        Form_import_csv dialog(testDocument());
        choose(dialog, "stock.csv");
        Form_csv_report* report = reportWindow();
        QVERIFY(report);
        QVERIFY(report->windowTitle().endsWith("stock.csv"));
        const QString text = report->findChild<QPlainTextEdit*>("Text_report")->toPlainText();
        QCOMPARE(text.split('\n'), (QStringList{
                                       "line 2: adapted: Name \"MURS 1\" stored as \"MURS1\"",
                                       "line 3: skipped: Frequency 121.500000 MHz is outside the band limits (130-179 and 400-520 MHz)",
                                       "line 3: skipped: Mode \"AM\" is not FM or NFM",
                                       "line 4: adapted: Name \"Green Dot\" stored as \"GREEND\"",
                                       "line 5: skipped: Location \"250\" is not a channel number 0-199",
                                   }));
        QVERIFY(report->findChild<QLabel*>("Label_summary")->text().startsWith("2 channels will replace"));
        QVERIFY(testImage() == before);  // nothing yet

        QTest::mouseClick(report->findChild<QPushButton*>("Command_import"), Qt::LeftButton);
        QVERIFY(!reportWindow());
        QCOMPARE(cw.prompts.texts().last(), QString("Imported 2 channels ."));
        // One edit, of channel and name rows only.
        const EditRecord& e = testDocument().record().back();
        QCOMPARE(e.name.en, QString("Import channels"));
        QVERIFY(!e.rows.empty());
        for (const RowChange& c : e.rows)
            QVERIFY(overlaps({c.row, c.row}, region::channels) || overlaps({c.row, c.row}, region::names));
        QCOMPARE(cw.cell(kGrid, 1, ColName), QString("MURS1"));  // the grid shows them at once
        QCOMPARE(cw.cell(kGrid, 3, ColRx), QString("154.60000"));
        QCOMPARE(cw.cell(kGrid, 3, ColDecode), QString("100.0"));
        QCOMPARE(cw.cell(kGrid, 0, ColRx), QString());  // not in the list: empty now
        QCOMPARE(decode_channel(testImage(), 3)[ColName], QString("GREEND"));
        for (int row = 0; row < Image::kRows; ++row)
            if (row > region::channels.last && (row < region::names.first || row > region::names.last))
                QVERIFY(std::ranges::equal(testImage().row(row), before.row(row)));
    }

    void renumberPlacesWhatWasSkipped()
    {
        EditorWindow<frm_chann> cw;
        Form_import_csv dialog(testDocument());
        choose(dialog, "stock.csv");
        Form_csv_report* report = reportWindow();
        QVERIFY(report);
        report->findChild<QCheckBox*>("Check_renumber")->click();
        QVERIFY(report->findChild<QPlainTextEdit*>("Text_report")->toPlainText().contains("line 5: adapted: Location 250 placed in channel 0"));
        QTest::mouseClick(report->findChild<QPushButton*>("Command_import"), Qt::LeftButton);
        QCOMPARE(cw.cell(kGrid, 0, ColRx), QString("146.52000"));
    }

    void cancelChangesNothing()
    {
        EditorWindow<frm_chann> cw;
        const Image before = testImage();
        Form_import_csv dialog(testDocument());
        choose(dialog, "stock.csv");
        QTest::mouseClick(reportWindow()->findChild<QPushButton*>("Command_close"), Qt::LeftButton);
        QVERIFY(!reportWindow());
        QVERIFY(testImage() == before);
    }

    void aFileThatCannotBeImportedCannotBeAccepted()
    {
        EditorWindow<frm_chann> cw;
        const Image before = testImage();
        write("twice.csv", "Location,Frequency\n1,145.5\n1,146.5\n");
        Form_import_csv dialog(testDocument());
        choose(dialog, "twice.csv");
        Form_csv_report* report = reportWindow();
        QVERIFY(report);
        QVERIFY(!report->findChild<QPushButton*>("Command_import")->isEnabled());
        QCOMPARE(report->findChild<QLabel*>("Label_summary")->text(), QString("This file cannot be imported; no channel was changed:"));
        QCOMPARE(report->findChild<QPlainTextEdit*>("Text_report")->toPlainText(), QString("line 3: Location 1 is given twice (first on line 2)"));
        QVERIFY(testImage() == before);
    }

    // Issue 29: choosing a 100 MB log file as a channel list answers at once
    // with its size, without reading it; no report window opens.
    void aLargeFileIsRefusedFromItsSize()
    {
        EditorWindow<frm_chann> cw;
        const Image before = testImage();
        QFile log(dir_.filePath("syslog.csv"));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("Dec 10 09:46:39 host kernel: usb 1-1: new full-speed USB device\n");
        QVERIFY(log.resize(100'000'000));
        log.close();
        Form_import_csv dialog(testDocument());
        QElapsedTimer clock;
        clock.start();
        choose(dialog, "syslog.csv");
        QVERIFY(clock.elapsed() < 10'000);  // a sanity limit: it is not read
        QVERIFY(!reportWindow());
        QCOMPARE(cw.prompts.texts().last(), QString("The file is 100.0 MB (100000000 bytes); a channel list is at most 4.0 MB (4000000 bytes). "
                                                    "The file was not read, no channel was changed ."));
        QVERIFY(testImage() == before);
    }

    // A large file that imports: the report comes, and the wait cursor shown
    // while it was checked is gone again.
    void aLargeValidFileImports()
    {
        EditorWindow<frm_chann> cw;
        QByteArray csv = "Location,Name,Frequency\n";
        for (int n = 0; n < kChannels; ++n)
            csv += QByteArray::number(n) + ",CH" + QByteArray::number(n) + "," + QByteArray::number(145.0 + n * 0.025, 'f', 3) + "\n";
        csv += QByteArray(kMaxCsvBytes - csv.size(), '\n');  // rows of nothing, as spreadsheets leave them
        write("big.csv", csv);
        Form_import_csv dialog(testDocument());
        choose(dialog, "big.csv");
        Form_csv_report* report = reportWindow();
        QVERIFY(report);
        QVERIFY(report->findChild<QLabel*>("Label_summary")->text().startsWith("200 channels will replace"));
        QVERIFY(!QGuiApplication::overrideCursor());
        QTest::mouseClick(report->findChild<QPushButton*>("Command_import"), Qt::LeftButton);
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(cw.cell(kGrid, 199, ColName), QString("CH199"));
    }

    void exportWritesTheChannels()
    {
        EditorWindow<frm_chann> cw;
        Form_export_csv dialog(testDocument());
        choose(dialog, "out.csv");
        QFile f(dir_.filePath("out.csv"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), export_csv(testImage()));
        QCOMPARE(cw.prompts.texts().last(), QString("Exported 8 channels ."));  // the factory channels
    }

    void chineseTexts()
    {
        EditorWindow<frm_chann> cw({.chinese = true});
        Form_import_csv dialog(testDocument());
        choose(dialog, "stock.csv");
        Form_csv_report* report = reportWindow();
        QVERIFY(report);
        QCOMPARE(report->findChild<QPushButton*>("Command_import")->text(), QString("导  入"));
        QVERIFY(report->findChild<QPlainTextEdit*>("Text_report")->toPlainText().startsWith(QStringLiteral("第 2 行：已调整：名称 \"MURS 1\" 存为 \"MURS1\"")));
    }
};

QTEST_MAIN(TstCsvImport)
#include "tst_csv_import.moc"
