// The FM presets window's own read and write against the radio emulator over
// a real pseudo-terminal: addresses on the wire and what reaches the image
// and the radio.
#include "editor_window.h"
#include "test_document.h"
#include "emulator_rig.h"

#include "editors/fm/frm_fm.h"

using namespace vx;
using namespace vx::test;
using Logged = EmulatorRig::Logged;

namespace {
Image radioMemory()
{
    Image memory;
    for (int r = 760; r < 800; ++r)
        for (int b = 0; b < 16; ++b)
            memory.set(r, b, uint8_t(r + b));
    fm::load_factory_presets(memory);
    fm::encode_preset(memory, 3, u"99.5", u"KISS");
    return memory;
}
}  // namespace

class TstFmEmulator : public QObject {
    Q_OBJECT

private slots:
    // Read, edit, write, clear, read back.
    void roundTrip()
    {
        EmulatorRig rig(9, radioMemory());
        QVERIFY(rig.started());
        EditorWindow<frm_FM> w({.prepare = [] { testImage().fill(0x11); }, .realLink = true});
        auto run = [&](const char* button) { return rig.run(*w.w, button, w.prompts); };

        QVERIFY(run("Command_read"));
        QCOMPARE(w.prompts.texts(), QStringList{"Complete reading the data from transceiver."});
        std::vector<Logged> reads{{'S', 0x3000}, {'S', 0x3040}, {'S', 0x3080}, {'S', 0x30C0}};
        QCOMPARE(rig.log(), reads);
        const Image radio = rig.memory();
        for (int r = 0; r < Image::kRows; ++r)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(testImage().at(r, b), r >= 768 && r <= 783 ? radio.at(r, b) : uint8_t(0x11));
        QCOMPARE(w.w->cellText(3, 1), QString("99.50000"));
        QCOMPARE(w.w->cellText(3, 2), QString("KISS"));

        fm::encode_preset(testImage(), 5, u"101.7", u"NEW");
        QVERIFY(run("Command_write"));
        QCOMPARE(w.prompts.texts(), QStringList{"Complete writing Signal parameters to the transceiver."});
        std::vector<Logged> writes;
        for (int n = 0; n < 16; ++n)
            writes.push_back({'X', 0x3000 + 16 * n});
        QCOMPARE(rig.log(), writes);
        const Image written = rig.memory();
        for (int r = 760; r < 800; ++r)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(written.at(r, b), r >= 768 && r <= 783 ? testImage().at(r, b) : uint8_t(r + b));

        w.clickButton("Command_clear");
        QCOMPARE(w.w->cellText(5, 1), QString());
        QVERIFY(run("Command_read"));
        QCOMPARE(w.w->cellText(5, 1), QString("101.70000"));
        QCOMPARE(w.w->cellText(5, 2), QString("NEW"));
    }
};

QTEST_MAIN(TstFmEmulator)
#include "tst_fm_emulator.moc"
