// The signalling editors' own reads and writes against the radio emulator
// over a real pseudo-terminal: the addresses on the wire and their order,
// what reaches the image and the radio, and an edit that survives a write,
// Default and a read back. Then the whole-radio write, against the radio
// model, always carrying the constant 5-tone tables.
#include "fake_link.h"
#include "model_line.h"
#include "prompts.h"
#include "signalling_window.h"

#include "app/windows.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "emulator/pty_radio.h"
#include "app/form_comm.h"
#include "link/port.h"
#include "link/whole_radio.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx;
using namespace vx::test;
using Logged = emu::RadioModel::LoggedCommand;

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
    std::function<RegionEditor*()> make;
    region::Rows readRows;
    region::Rows writeRows;
};

}  // namespace

Q_DECLARE_METATYPE(Case)

class TstSignallingEmulator : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;
    std::unique_ptr<emu::PtyRadio> radio_;

    std::vector<Logged> takeLog()
    {
        return radio_->withModel([](emu::RadioModel& m) {
            auto log = m.log();
            m.clearLog();
            return log;
        });
    }
    // Clicks a transfer button and waits for the message at its end.
    static void click(QWidget* w, const char* name, CapturedPrompts& prompts)
    {
        prompts.clear();
        QTest::mouseClick(w->findChild<QPushButton*>(name), Qt::LeftButton);
        QVERIFY(runEventsUntil([&] { return !prompts.all.isEmpty(); }, 20'000));
    }

private slots:
    void init()
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        setChinese(false);
        radio_ = std::make_unique<emu::PtyRadio>(emu::PtyRadioOptions{kPort, false, 0.5, -1});
        radio_->setMemory(radioMemory());
        QVERIFY(radio_->start());
        setPortNumber(kPort);
    }
    void cleanup() { radio_.reset(); }

    void readAndWrite_data()
    {
        QTest::addColumn<Case>("c");
        QTest::newRow("frm_dtmf") << Case{[] { return new frm_dtmf; }, region::dtmf, region::dtmf};
        QTest::newRow("frm_2tone") << Case{[] { return new frm_2tone; }, region::twoTone, region::twoTone};
        QTest::newRow("frm_5tone") << Case{[] { return new frm_5tone; }, {576, 607}, region::fiveTone};
    }
    void readAndWrite()
    {
        QFETCH(Case, c);
        CapturedPrompts prompts;
        appImage().fill(0x11);
        appImage().fillRows(c.writeRows.first, c.writeRows.last, 0x00);  // rows a read must not reach keep 00
        std::unique_ptr<RegionEditor> w(c.make());
        w->show();
        const Image opened = appImage();  // after the first Show

        click(w.get(), "Command_read", prompts);
        QCOMPARE(prompts.texts(), QStringList{"Complete reading the data from transceiver."});
        QCOMPARE(takeLog(), expectedLog('S', c.readRows.address(), c.readRows.count() / 4, 64));
        const Image radio = radio_->memory();
        for (int r = 0; r < Image::kRows; ++r) {
            const bool read = r >= c.readRows.first && r <= c.readRows.last;
            QVERIFY2(std::ranges::equal(appImage().row(r), read ? radio.row(r) : opened.row(r)), qPrintable(QString::number(r)));
        }

        // Every row of the region goes back, in order, each to its address.
        appImage().set(c.writeRows.last, 15, 0x5A);  // a byte no editor field holds
        click(w.get(), "Command_write", prompts);
        QCOMPARE(takeLog(), expectedLog('X', c.writeRows.address(), c.writeRows.count(), 16));
        const Image after = radio_->memory();
        for (int r = 0; r < Image::kRows; ++r) {
            const bool written = r >= c.writeRows.first && r <= c.writeRows.last;
            QVERIFY2(std::ranges::equal(after.row(r), written ? appImage().row(r) : radio.row(r)), qPrintable(QString::number(r)));
        }
        QCOMPARE(int(after.at(c.writeRows.last, 15)), 0x5A);
    }

    // As a user: change values, write them, Default, read back; the changes
    // return.
    void editsSurviveWriteDefaultRead()
    {
        lay_startup_defaults(appImage());
        {
            SignallingWindow<frm_dtmf> d(false, true);
            d.type(d.edit("Text_tx_Encode_2"), "123#");
            d.choose(d.combo("Combo_Dec_Res_Time"), 9);
            click(d.w.get(), "Command_write", d.prompts);
            d.clickButton("Command_def");
            QCOMPARE(d.edit("Text_tx_Encode_2")->text(), QString());
            click(d.w.get(), "Command_read", d.prompts);
            QCOMPARE(d.edit("Text_tx_Encode_2")->text(), QString("123#"));
            QCOMPARE(d.combo("Combo_Dec_Res_Time")->currentText(), QString("1000"));
        }
        {
            SignallingWindow<frm_2tone> t(false, true);
            t.clickCell("MSF_Encode", 7, 1);
            QTest::keyClicks(t.edit("Text_Encode"), "777");
            t.clickCell("MSF_Encode", 0, 0);
            t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
            t.clickCell("MSF_Decode", 1, 0);
            QLineEdit* c = t.edit("Text_C");
            t.type(c, "");
            c->selectAll();
            QTest::keyClicks(c, "2345");
            t.focusAway(t.combo("Combo_Dec_Res_Time"));
            click(t.w.get(), "Command_write", t.prompts);
            t.clickButton("Command_def");
            QCOMPARE(t.cell("MSF_Encode", 7, 1), QString());
            click(t.w.get(), "Command_read", t.prompts);
            QCOMPARE(t.cell("MSF_Encode", 7, 1), QString("777.0"));
            t.clickCell("MSF_Decode", 1, 0);
            QCOMPARE(t.edit("Text_C")->text(), QString("2345.0"));
        }
        {
            SignallingWindow<frm_5tone> f(false, true);
            f.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
            f.clickCell("MSF_Encode", 4, 1);
            QTest::keyClicks(f.edit("Text_Encode"), "0A0B0");
            f.clickCell("MSF_Encode", 4, 4);
            f.choose(f.combo("Combo_Encode"), 12);
            f.clickCell("MSF_Encode", 4, 0);
            click(f.w.get(), "Command_write", f.prompts);
            f.clickButton("Command_def");
            QCOMPARE(f.cell("MSF_Encode", 4, 1), QString("     "));
            click(f.w.get(), "Command_read", f.prompts);
            QCOMPARE(f.cell("MSF_Encode", 4, 1), QString("0A0B0"));
            QCOMPARE(f.cell("MSF_Encode", 4, 4), QString("CCITT"));
        }
        const Image radio = radio_->memory();
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
        for (auto& b : appImage().bytes())
            b = 0x3C;
        Image expected = appImage();
        five_tone::lay_tables(expected);
        CapturedPrompts prompts;
        {
            Form_Comm_Write writer;
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
