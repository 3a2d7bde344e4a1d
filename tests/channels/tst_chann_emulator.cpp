// The channel editor's own read and write against the radio emulator over a
// real pseudo-terminal: addresses and their order on the wire, and what
// reaches the image and the radio.
#include "editor_window.h"
#include "test_document.h"
#include "emulator_rig.h"

#include "editors/channels/channel_codec.h"
#include "editors/channels/frm_chann.h"

using namespace vx;
using namespace vx::test;
using Logged = EmulatorRig::Logged;

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

private slots:
    void readThenWriteBack()
    {
        EmulatorRig rig(kPort, radioMemory());
        QVERIFY(rig.started());
        EditorWindow<frm_chann> w({.prepare = [] { testImage().fill(0x11); }, .realLink = true});

        QVERIFY(rig.run(*w.w, "Command_read", w.prompts));
        QCOMPARE(w.prompts.texts(), QStringList{"Complete reading data from the transceiver."});

        // 51 pairs: channel block, then name block, at 64-byte steps.
        std::vector<Logged> expected;
        for (int i = 0; i < 51; ++i) {
            expected.push_back({'S', 64 * i});
            expected.push_back({'S', 0x1000 + 64 * i});
        }
        QCOMPARE(rig.log(), expected);

        const Image radio = rig.memory();
        for (int r = 0; r < Image::kRows; ++r) {
            const bool stored = r < 200 || (r >= 256 && r < 456);
            for (int b = 0; b < 16; ++b)
                QCOMPARE(testImage().at(r, b), stored ? radio.at(r, b) : uint8_t(0x11));
        }
        QCOMPARE(w.w->cellText(3, 2), QString("136.03750"));
        QCOMPARE(w.w->cellText(3, 4), QString("67.0"));

        // Change one channel and send the channels back.
        channels::set_rx(testImage(), 7, u"145.5");
        channels::set_name(testImage(), 7, u"NEW7");
        QVERIFY(rig.run(*w.w, "Command_write", w.prompts));
        QCOMPARE(w.prompts.texts(), QStringList{"Complete writing the data to transceiver."});

        // Record n, then name n, for n = 0..200.
        expected.clear();
        for (int n = 0; n <= 200; ++n) {
            expected.push_back({'X', 16 * n});
            expected.push_back({'X', 0x1000 + 16 * n});
        }
        QCOMPARE(rig.log(), expected);
        const Image after = rig.memory();
        for (int n = 0; n <= 200; ++n)
            for (int b = 0; b < 16; ++b) {
                QCOMPARE(after.at(n, b), testImage().at(n, b));
                QCOMPARE(after.at(256 + n, b), testImage().at(256 + n, b));
            }
        QCOMPARE(after.at(201, 0), uint8_t(0x42));  // past the written range
        QCOMPARE(channels::decode_channel(testImage(), 7)[15], QString("NEW7"));
    }
};

QTEST_MAIN(TstChannEmulator)
#include "tst_chann_emulator.moc"
