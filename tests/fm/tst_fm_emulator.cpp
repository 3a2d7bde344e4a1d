// The FM presets window's own read and write against the radio emulator over
// a real pseudo-terminal: addresses on the wire and what reaches the image
// and the radio.
#include "fake_link.h"
#include "prompts.h"

#include "editors/fm/frm_fm.h"
#include "emulator/pty_radio.h"
#include "image/language.h"
#include "link/port.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx;
using Logged = emu::RadioModel::LoggedCommand;

class TstFmEmulator : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;
    std::unique_ptr<emu::PtyRadio> radio_;

private slots:
    void init()
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        setChinese(false);
        radio_ = std::make_unique<emu::PtyRadio>(emu::PtyRadioOptions{9, false, 0.5, -1});
        Image memory;
        for (int r = 760; r < 800; ++r)
            for (int b = 0; b < 16; ++b)
                memory.set(r, b, uint8_t(r + b));
        fm::load_factory_presets(memory);
        fm::encode_preset(memory, 3, u"99.5", u"KISS");
        radio_->setMemory(memory);
        QVERIFY(radio_->start());
        setPortNumber(9);
    }
    void cleanup() { radio_.reset(); }

    // Read, edit, write, clear, read back.
    void roundTrip()
    {
        test::CapturedPrompts prompts;
        appImage().fill(0x11);
        frm_FM w;
        w.show();
        auto run = [&](const char* button) {
            prompts.clear();
            radio_->withModel([](emu::RadioModel& m) { m.clearLog(); });
            QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
            return test::runEventsUntil([&] { return !prompts.all.isEmpty() && !w.busy(); }, 20'000);
        };

        QVERIFY(run("Command_read"));
        QCOMPARE(prompts.texts(), QStringList{"Complete reading the data from transceiver."});
        std::vector<Logged> reads{{'S', 0x3000}, {'S', 0x3040}, {'S', 0x3080}, {'S', 0x30C0}};
        QCOMPARE(radio_->withModel([](emu::RadioModel& m) { return m.log(); }), reads);
        const Image radio = radio_->memory();
        for (int r = 0; r < Image::kRows; ++r)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(appImage().at(r, b), r >= 768 && r <= 783 ? radio.at(r, b) : uint8_t(0x11));
        QCOMPARE(w.cellText(3, 1), QString("99.50000"));
        QCOMPARE(w.cellText(3, 2), QString("KISS"));

        fm::encode_preset(appImage(), 5, u"101.7", u"NEW");
        QVERIFY(run("Command_write"));
        QCOMPARE(prompts.texts(), QStringList{"Complete writing Signal parameters to the transceiver."});
        std::vector<Logged> writes;
        for (int n = 0; n < 16; ++n)
            writes.push_back({'X', 0x3000 + 16 * n});
        QCOMPARE(radio_->withModel([](emu::RadioModel& m) { return m.log(); }), writes);
        const Image written = radio_->memory();
        for (int r = 760; r < 800; ++r)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(written.at(r, b), r >= 768 && r <= 783 ? appImage().at(r, b) : uint8_t(r + b));

        QTest::mouseClick(w.findChild<QPushButton*>("Command_clear"), Qt::LeftButton);
        QCOMPARE(w.cellText(5, 1), QString());
        QVERIFY(run("Command_read"));
        QCOMPARE(w.cellText(5, 1), QString("101.70000"));
        QCOMPARE(w.cellText(5, 2), QString("NEW"));
    }
};

QTEST_MAIN(TstFmEmulator)
#include "tst_fm_emulator.moc"
