// The signalling editors' own reads and writes against the radio emulator
// over a real pseudo-terminal: the addresses on the wire and their order,
// what reaches the image and the radio, and an edit that survives a write,
// Default and a read back. Then the whole-radio write, against the radio
// model, always carrying the constant 5-tone tables.
#include "editor_window.h"
#include "test_document.h"
#include "emulator_rig.h"
#include "model_line.h"

#include "app/form_comm.h"
#include "app/windows.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "link/whole_radio.h"

#include <QTabWidget>

using namespace vx;
using namespace vx::test;
using Logged = EmulatorRig::Logged;

namespace {

constexpr int kPort = 10;

// A radio whose signalling regions hold their factory values with a few
// changes, and a pattern everywhere else.
Image radioMemory()
{
    Image m;
    for (int i = 0; i < Image::kSize; ++i)
        m.bytes()[size_t(i)] = uint8_t(i * 7 + 1);
    dtmf::load_defaults(m);
    two_tone::load_defaults(m);
    five_tone::load_defaults(m);
    dtmf::set_tx_code(m, 4, u"4444");
    two_tone::set_tx_freq(m, 6, 0, 1500);
    five_tone::set_frame(m, 9, 0, u"98765");
    return m;
}

std::vector<Logged> expectedLog(char kind, int base, int count, int step)
{
    std::vector<Logged> out;
    for (int i = 0; i < count; ++i)
        out.push_back({kind, base + step * i});
    return out;
}

struct Case {
    region::Rows readRows;
    region::Rows writeRows;
    void (*check)(EmulatorRig& rig, const Case& c);
};

template <class W>
void readAndWriteThrough(EmulatorRig& rig, const Case& c)
{
    const auto opening = [&] {
        testImage().fill(0x11);
        testImage().fillRows(c.writeRows.first, c.writeRows.last, 0x00);  // rows a read must not reach keep 00
    };
    EditorWindow<W> w({.prepare = opening, .realLink = true});
    const Image opened = testImage();  // after the first Show

    QVERIFY(rig.run(*w.w, "Command_read", w.prompts));
    QCOMPARE(w.prompts.texts(), QStringList{"Complete reading the data from transceiver."});
    QCOMPARE(rig.log(), expectedLog('S', c.readRows.address(), c.readRows.count() / 4, 64));
    const Image radio = rig.memory();
    for (int r = 0; r < Image::kRows; ++r) {
        const bool read = r >= c.readRows.first && r <= c.readRows.last;
        QVERIFY2(std::ranges::equal(testImage().row(r), read ? radio.row(r) : opened.row(r)), qPrintable(QString::number(r)));
    }

    // Every row of the region goes back, in order, each to its address.
    testImage().set(c.writeRows.last, 15, 0x5A);  // a byte no editor field holds
    QVERIFY(rig.run(*w.w, "Command_write", w.prompts));
    QCOMPARE(rig.log(), expectedLog('X', c.writeRows.address(), c.writeRows.count(), 16));
    const Image after = rig.memory();
    for (int r = 0; r < Image::kRows; ++r) {
        const bool written = r >= c.writeRows.first && r <= c.writeRows.last;
        QVERIFY2(std::ranges::equal(after.row(r), written ? testImage().row(r) : radio.row(r)), qPrintable(QString::number(r)));
    }
    QCOMPARE(int(after.at(c.writeRows.last, 15)), 0x5A);
}

}  // namespace

Q_DECLARE_METATYPE(Case)

class TstSignallingEmulator : public QObject {
    Q_OBJECT

private slots:
    void readAndWrite_data()
    {
        QTest::addColumn<Case>("c");
        QTest::newRow("frm_dtmf") << Case{region::dtmf, region::dtmf, readAndWriteThrough<frm_dtmf>};
        QTest::newRow("frm_2tone") << Case{region::twoTone, region::twoTone, readAndWriteThrough<frm_2tone>};
        QTest::newRow("frm_5tone") << Case{{576, 607}, region::fiveTone, readAndWriteThrough<frm_5tone>};
    }
    void readAndWrite()
    {
        QFETCH(Case, c);
        EmulatorRig rig(kPort, radioMemory());
        QVERIFY(rig.started());
        c.check(rig, c);
    }

    // As a user: change values, write them, Default, read back; the changes
    // return.
    void editsSurviveWriteDefaultRead()
    {
        EmulatorRig rig(kPort, radioMemory());
        QVERIFY(rig.started());
        {
            EditorWindow<frm_dtmf> d({.realLink = true});
            d.type(d.edit("Text_tx_Encode_2"), "123#");
            d.choose(d.combo("Combo_Dec_Res_Time"), 9);
            QVERIFY(rig.run(*d.w, "Command_write", d.prompts));
            d.clickButton("Command_def");
            QCOMPARE(d.edit("Text_tx_Encode_2")->text(), QString());
            QVERIFY(rig.run(*d.w, "Command_read", d.prompts));
            QCOMPARE(d.edit("Text_tx_Encode_2")->text(), QString("123#"));
            QCOMPARE(d.combo("Combo_Dec_Res_Time")->currentText(), QString("1000"));
        }
        {
            EditorWindow<frm_2tone> t({.realLink = true});
            t.clickCell("MSF_Encode", 7, 1);
            QTest::keyClicks(t.edit("Text_Encode"), "777");
            t.clickCell("MSF_Encode", 0, 0);
            t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
            t.clickCell("MSF_Decode", 1, 0);
            QLineEdit* c = t.edit("Text_C");
            t.retype(c, "2345");
            t.focusAway(t.combo("Combo_Dec_Res_Time"));
            QVERIFY(rig.run(*t.w, "Command_write", t.prompts));
            t.clickButton("Command_def");
            QCOMPARE(t.cell("MSF_Encode", 7, 1), QString());
            QVERIFY(rig.run(*t.w, "Command_read", t.prompts));
            QCOMPARE(t.cell("MSF_Encode", 7, 1), QString("777.0"));
            t.clickCell("MSF_Decode", 1, 0);
            QCOMPARE(t.edit("Text_C")->text(), QString("2345.0"));
        }
        {
            EditorWindow<frm_5tone> f({.realLink = true});
            f.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
            f.clickCell("MSF_Encode", 4, 1);
            QTest::keyClicks(f.edit("Text_Encode"), "0A0B0");
            f.clickCell("MSF_Encode", 4, 4);
            f.choose(f.combo("Combo_Encode"), 12);
            f.clickCell("MSF_Encode", 4, 0);
            QVERIFY(rig.run(*f.w, "Command_write", f.prompts));
            f.clickButton("Command_def");
            QCOMPARE(f.cell("MSF_Encode", 4, 1), QString("     "));
            QVERIFY(rig.run(*f.w, "Command_read", f.prompts));
            QCOMPARE(f.cell("MSF_Encode", 4, 1), QString("0A0B0"));
            QCOMPARE(f.cell("MSF_Encode", 4, 4), QString("CCITT"));
        }
        const Image radio = rig.memory();
        QCOMPARE(rowHex(radio, 658).left(11), QByteArray("01 02 03 0C"));
        QCOMPARE(rowHex(radio, 727).left(5), QByteArray("09 03"));
        QCOMPARE(rowHex(radio, 596), QByteArray("00 0A 00 0B 00 FF FF FF FF FF FF FF FF FF FF 0C"));
    }

    // The whole-radio write lays the constant tables into rows 512..574
    // before it sends, whatever the image held there.
    void wholeWriteCarriesTheTables()
    {
        VirtualClock clock;
        clock.install();
        ModelLine line(clock);
        line.install();
        setPortNumber(1);
        registerWindows();
        for (auto& b : testImage().bytes())
            b = 0x3C;
        Image expected = testImage();
        five_tone::lay_tables(expected);
        CapturedPrompts prompts;
        {
            Form_Comm_Write writer(testDocument());
            writer.show();
            QTest::mouseClick(writer.findChild<QPushButton*>("Command_Write"), Qt::LeftButton);
            QVERIFY(clock.runUntil([&] { return !prompts.all.isEmpty(); }));
        }
        QCOMPARE(prompts.texts(), QStringList{"Complete writing the data to transceiver."});
        for (int r = 0; r <= 783; ++r)
            QVERIFY2(std::ranges::equal(line.model.memory().row(r), expected.row(r)), qPrintable(QString::number(r)));
        for (const int r : {527, 543, 559, 575})
            QCOMPARE(rowHex(line.model.memory(), r), QByteArray("3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C"));
        setSerialPortFactory({});
        setTimerFactory({});
    }
};

QTEST_MAIN(TstSignallingEmulator)
#include "tst_signalling_emulator.moc"
