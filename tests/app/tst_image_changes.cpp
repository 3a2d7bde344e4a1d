// Open editors show every change of the image made elsewhere (a data file
// loaded, a whole-radio read) before the user can act on them, and never
// store a value they showed from the image before it.
#include "editor_window.h"
#include "test_document.h"
#include "radio_rig.h"

#include "app/file_dialog.h"
#include "app/form_comm.h"
#include "interchange/datafile.h"
#include "editors/defaults.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/two_tone_codec.h"
#include "editors/channels/frm_chann.h"
#include "editors/fm/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_dtmf.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace vx;
using namespace vx::test;

namespace {

// The start-up image with other 2-tone and 5-tone values: transmit entry 1
// at 1000 Hz (start-up: 1981), entry 1's tone A 2000 Hz, 5-tone entry 1's
// first frame 54321 (start-up: 12345).
Image otherImage()
{
    Image image;
    lay_startup_defaults(image);
    two_tone::set_tx_freq(image, 1, 0, 1000);
    two_tone::commit_tone(image, 1, 0, u"2000");
    five_tone::set_frame(image, 1, 0, u"54321");
    return image;
}

}  // namespace

class TstImageChanges : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString oldCurrent_;

private slots:
    void init()
    {
        setPortNumber(1);
        oldCurrent_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        QCOMPARE(datafile::save(otherImage(), dir_.filePath("other.dat")), datafile::SaveError::None);
    }
    void cleanup() { QDir::setCurrent(oldCurrent_); }

    // Regression: a file loaded while the 2-tone window was open left it
    // showing 1981.0; clicking that cell and then another stored 1981 over
    // the loaded 1000, and the 5-tone frames still showed 12345.
    void fileLoadedThroughTheOpenDialog()
    {
        EditorWindow<frm_2tone> two;
        EditorWindow<frm_5tone> five;  // made last: its clock, ports and prompt capture are in force
        QCOMPARE(two.cell("MSF_Encode", 0, 1), QString("1981.0"));
        Form_open_chann dialog(testDocument());
        dialog.show();
        auto* name = dialog.findChild<QLineEdit*>("Text1");
        name->selectAll();
        QTest::keyClicks(name, "other.dat");
        QTest::mouseClick(dialog.findChild<QPushButton*>("Command_enter"), Qt::LeftButton);
        QCOMPARE(five.prompts.texts(), QStringList{"Succeed fold the parameter from file."});
        QVERIFY(testImage() == otherImage());
        // The load is one edit: the rows that differ, before and after.
        const EditRecord& e = testDocument().record().back();
        QCOMPARE(e.name.en, QString("Load data file"));
        QCOMPARE(e.name.zh, QString::fromUtf8("打开数据文件"));
        for (const RowChange& c : e.rows)
            QVERIFY(std::ranges::equal(c.after, otherImage().row(c.row)) && !std::ranges::equal(c.before, c.after));
        QVERIFY(std::ranges::any_of(e.rows, [](const RowChange& c) { return c.row == 752; }));  // 2-tone entry 1

        QCOMPARE(two.cell("MSF_Encode", 0, 1), QString("1000.0"));
        QCOMPARE(five.cell("MSF_Encode", 0, 1), QString("54321"));
        two.clickCell("MSF_Encode", 0, 1);
        QCOMPARE(two.edit("Text_Encode")->text(), QString("1000.0"));
        two.clickCell("MSF_Encode", 1, 1);
        QCOMPARE(two_tone::tx_text(testImage(), 1, 0), QString("1000.0"));
        QVERIFY(testImage() == otherImage());
    }

    // A cell being edited when the image changes is dropped, not stored.
    void openCellEditorIsDropped()
    {
        EditorWindow<frm_2tone> two;
        EditorWindow<frm_5tone> five;  // made last: its clock, ports and prompt capture are in force
        two.clickCell("MSF_Encode", 0, 1);
        QVERIFY(two.edit("Text_Encode")->isVisible());
        QTest::keyClicks(two.edit("Text_Encode"), "5");
        QVERIFY(datafile::load(dir_.filePath("other.dat"), testImage()).ok());
        testDocument().start(testImage());
        QVERIFY(!two.edit("Text_Encode")->isVisible());
        two.clickCell("MSF_Encode", 1, 1);
        two.clickCell("MSF_Encode", 2, 0);
        QVERIFY(testImage() == otherImage());
    }

    // Regression: after a whole-radio read, tabbing through tone field A
    // stored the 1981 shown before over the 2000 just read.
    void wholeReadShowsAtOnce()
    {
        EditorWindow<frm_2tone> two;
        EditorWindow<frm_5tone> five;  // made last: its clock, ports and prompt capture are in force
        two.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
        auto* toneA = two.edit("Text_A");
        QCOMPARE(toneA->text(), QString("1981.0"));
        {
            Form_Comm_Read reader(testDocument());
            reader.show();
            ScriptRadio radio(five.clock, *five.port);
            radio.memory = otherImage();
            QTest::mouseClick(reader.findChild<QPushButton*>("Command_read"), Qt::LeftButton);
            QVERIFY(five.clock.runUntil([&] { return !five.prompts.all.isEmpty(); }));
            QCOMPARE(five.prompts.texts(), QStringList{"Complete reading data from the transceiver."});
        }
        QCOMPARE(toneA->text(), QString("2000.0"));
        QCOMPARE(five.cell("MSF_Encode", 0, 1), QString("54321"));
        toneA->setFocus();
        QTest::keyClick(toneA, Qt::Key_Tab);
        QCOMPARE(two_tone::tone_text(testImage(), 1, 0), QString("2000.0"));
        for (int r = 0; r <= 787; ++r)
            QVERIFY2(std::ranges::equal(testImage().row(r), otherImage().row(r)), qPrintable(QString::number(r)));
    }

    // Regression: showing stored list values, offsets, tones, messages and
    // VFO frequencies back, so a radio's bytes changed as soon as a whole
    // read put them in front of the open editors (a clone was not exact).
    void showingARadioChangesNothing_data() { addBadImages(); }
    void showingARadioChangesNothing()
    {
        QFETCH(int, fill);
        EditorWindow<frm_chann> channels;
        EditorWindow<frm_option> options;
        EditorWindow<frm_dtmf> dtmf;
        EditorWindow<frm_2tone> two;
        EditorWindow<frm_FM> fm;
        EditorWindow<frm_5tone> five;  // made last: its clock, ports and prompt capture are in force
        const Image radioA = filledImage(fill < 0 ? -1 : fill, quint32(-fill));
        {
            Form_Comm_Read reader(testDocument());
            reader.show();
            ScriptRadio radio(five.clock, *five.port);
            radio.memory = radioA;
            QTest::mouseClick(reader.findChild<QPushButton*>("Command_read"), Qt::LeftButton);
            QVERIFY(five.clock.runUntil([&] { return !five.prompts.all.isEmpty(); }));
        }
        for (RegionEditor* w : std::initializer_list<RegionEditor*>{channels.w.get(), options.w.get(), dtmf.w.get(),
                                                                     two.w.get(), fm.w.get(), five.w.get()}) {
            w->activateWindow();
            w->refresh();
        }
        for (int r = 0; r <= 787; ++r)
            QVERIFY2(std::ranges::equal(testImage().row(r), radioA.row(r)), qPrintable(QString::number(r)));
    }
};

QTEST_MAIN(TstImageChanges)
#include "tst_image_changes.moc"
