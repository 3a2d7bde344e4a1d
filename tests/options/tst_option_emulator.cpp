// The optional-features editor's own read and write against the radio
// emulator over a real pseudo-terminal: addresses on the wire, the rows
// that reach the image and the radio.
#include "fake_link.h"
#include "prompts.h"

#include "editors/options/frm_option.h"
#include "emulator/pty_radio.h"
#include "image/language.h"
#include "image/tables.h"
#include "link/port.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx;
using namespace vx::options;
using Logged = emu::RadioModel::LoggedCommand;

namespace {
constexpr int kPort = 10;

// A radio with its own settings in rows 224..255: squelch 7, message
// "HELLO", ANI 12345, VFO A at 145.50000.
Image radioMemory()
{
    Image m;
    for (int r = 200; r < 260; ++r)
        for (int b = 0; b < 16; ++b)
            m.set(r, b, uint8_t(r + 3 * b));
    OptionBlock block;
    lay_down_defaults(m, block);
    m.set(224, 2, 7);
    store_message(m, block, MessageLine::Upper, u"HELLO");
    store_code(m, block, CodeString::Ani, u"12345");
    encode_vfo_frequency(m, Vfo::A, u"145.50000");
    return m;
}
}  // namespace

class TstOptionEmulator : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;
    std::unique_ptr<emu::PtyRadio> radio_;

    std::vector<Logged> log() { return radio_->withModel([](emu::RadioModel& m) { return m.log(); }); }
    void run(frm_option& w, test::CapturedPrompts& prompts, const char* button)
    {
        prompts.clear();
        radio_->withModel([](emu::RadioModel& m) { m.clearLog(); });
        QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
        QVERIFY(test::runEventsUntil([&] { return !prompts.all.isEmpty(); }, 20'000));
    }

private slots:
    void init()
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        setChinese(false);
        resetBandLimits();
        radio_ = std::make_unique<emu::PtyRadio>(emu::PtyRadioOptions{kPort, false, 0.5, -1});
        radio_->setMemory(radioMemory());
        QVERIFY(radio_->start());
        setPortNumber(kPort);
    }
    void cleanup() { radio_.reset(); }

    void readThenWriteBack()
    {
        test::CapturedPrompts prompts;
        appImage().fill(0x11);
        workingCopy() = OptionBlock();
        lay_down_defaults(appImage(), workingCopy());
        frm_option w;
        w.show();
        const Image opened = appImage();

        run(w, prompts, "Command_read");
        QCOMPARE(prompts.texts(), QStringList{"Complete reading the data from transceiver."});
        std::vector<Logged> expected;
        for (int i = 0; i < 8; ++i)
            expected.push_back({'S', 0x0E00 + 64 * i});
        QCOMPARE(log(), expected);

        // Rows 224..243 came from the radio (and were then shown, which
        // stores the offsets again); rows 244..255 were read but not stored.
        const Image radio = radio_->memory();
        for (int r = 224; r < 240; ++r)
            QVERIFY2(std::ranges::equal(appImage().row(r), radio.row(r)), qPrintable(QString::number(r)));
        for (int b = 0; b < 8; ++b)
            QCOMPARE(appImage().at(240, b), radio.at(240, b));
        QVERIFY(std::ranges::equal(appImage().row(243), radio.row(243)));
        for (int r = 244; r <= 255; ++r)
            QVERIFY(std::ranges::equal(appImage().row(r), opened.row(r)));
        QVERIFY(std::ranges::equal(appImage().row(223), opened.row(223)));
        QCOMPARE(w.findChild<QComboBox*>("Combo_Sql_le")->currentText(), QString("7"));
        QCOMPARE(w.findChild<QLineEdit*>("Text_PON_MSG_U")->text(), QString("HELLO"));
        QCOMPARE(w.findChild<QLineEdit*>("Text_ANI")->text(), QString("12345"));
        QCOMPARE(w.findChild<QLineEdit*>("Text_Freq_a")->text(), QString("145.50000"));

        // A change, then the region goes back: rows 224..255, in order.
        QTest::keyClick(w.findChild<QComboBox*>("Combo_Sql_le"), Qt::Key_Up);
        run(w, prompts, "Command_write");
        QCOMPARE(prompts.texts(), QStringList{"Complete writing optional parameters to the transceiver."});
        expected.clear();
        for (int n = 0; n < 32; ++n)
            expected.push_back({'X', 0x0E00 + 16 * n});
        QCOMPARE(log(), expected);
        const Image after = radio_->memory();
        for (int r = 224; r <= 255; ++r)
            QVERIFY(std::ranges::equal(after.row(r), appImage().row(r)));
        QCOMPARE(after.at(224, 2), uint8_t(6));
        QVERIFY(std::ranges::equal(after.row(256), radio.row(256)));
    }
};

QTEST_MAIN(TstOptionEmulator)
#include "tst_option_emulator.moc"
