// The channel editor's own read and write against the radio emulator over a
// real pseudo-terminal: addresses and their order on the wire, and what
// reaches the image and the radio.
#include "fake_link.h"
#include "prompts.h"

#include "editors/channels/channel_codec.h"
#include "editors/channels/frm_chann.h"
#include "emulator/pty_radio.h"
#include "image/language.h"
#include "link/port.h"

#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace vx;
using Logged = emu::RadioModel::LoggedCommand;

namespace {
constexpr int kPort = 9;

// A radio holding channels and names everywhere, rows 200..203 and 456..459
// included (they are fetched but must not be stored).
Image radioMemory()
{
    Image m;
    for (int n = 0; n < 204; ++n) {
        channels::set_rx(m, n, QString::number(136.0 + n * 0.0125, 'f', 4));
        m.set(n, 8, 0x9E);
        m.set(n, 9, 0x02);
        m.set(256 + n, 0, uint8_t('A' + n % 26));
        m.set(256 + n, 1, uint8_t('0' + n % 10));
    }
    for (int r = 200; r < 204; ++r)
        m.set(r, 0, 0x42), m.set(256 + r, 0, 0x42);
    return m;
}
}  // namespace

class TstChannEmulator : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;
    std::unique_ptr<emu::PtyRadio> radio_;

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

    void readThenWriteBack()
    {
        test::CapturedPrompts prompts;
        appImage().fill(0x11);
        frm_chann w;
        w.show();

        QTest::mouseClick(w.findChild<QPushButton*>("Command_read"), Qt::LeftButton);
        QVERIFY(test::runEventsUntil([&] { return !prompts.all.isEmpty(); }, 120'000));
        QCOMPARE(prompts.texts(), QStringList{"Complete reading data from the transceiver."});

        // 51 pairs: channel block, then name block, at 64-byte steps.
        std::vector<Logged> expected;
        for (int i = 0; i < 51; ++i) {
            expected.push_back({'S', 64 * i});
            expected.push_back({'S', 0x1000 + 64 * i});
        }
        QCOMPARE(radio_->withModel([](emu::RadioModel& m) { return m.log(); }), expected);

        const Image radio = radio_->memory();
        for (int r = 0; r < Image::kRows; ++r) {
            const bool stored = r < 200 || (r >= 256 && r < 456);
            for (int b = 0; b < 16; ++b)
                QCOMPARE(appImage().at(r, b), stored ? radio.at(r, b) : uint8_t(0x11));
        }
        QCOMPARE(w.cellText(3, 2), QString("136.03750"));
        QCOMPARE(w.cellText(3, 4), QString("67.0"));

        // Change one channel and send the channels back.
        channels::set_rx(appImage(), 7, u"145.5");
        channels::set_name(appImage(), 7, u"NEW7");
        radio_->withModel([](emu::RadioModel& m) { m.clearLog(); });
        prompts.clear();
        QTest::mouseClick(w.findChild<QPushButton*>("Command_write"), Qt::LeftButton);
        QVERIFY(test::runEventsUntil([&] { return !prompts.all.isEmpty(); }, 120'000));
        QCOMPARE(prompts.texts(), QStringList{"Complete writing the data to transceiver."});

        // Record n, then name n, for n = 0..200.
        expected.clear();
        for (int n = 0; n <= 200; ++n) {
            expected.push_back({'X', 16 * n});
            expected.push_back({'X', 0x1000 + 16 * n});
        }
        QCOMPARE(radio_->withModel([](emu::RadioModel& m) { return m.log(); }), expected);
        const Image after = radio_->memory();
        for (int n = 0; n <= 200; ++n)
            for (int b = 0; b < 16; ++b) {
                QCOMPARE(after.at(n, b), appImage().at(n, b));
                QCOMPARE(after.at(256 + n, b), appImage().at(256 + n, b));
            }
        QCOMPARE(after.at(201, 0), uint8_t(0x42));  // past the written range
        QCOMPARE(channels::decode_channel(appImage(), 7)[15], QString("NEW7"));
    }
};

QTEST_MAIN(TstChannEmulator)
#include "tst_chann_emulator.moc"
