// The optional-features editor's own read and write against the radio
// emulator over a real pseudo-terminal: addresses on the wire, the rows
// that reach the image and the radio.
#include "editor_window.h"
#include "test_document.h"
#include "emulator_rig.h"

#include "editors/options/frm_option.h"

using namespace vx;
using namespace vx::options;
using namespace vx::test;
using Logged = EmulatorRig::Logged;

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

// The image the window opens on: 0x11, then the option defaults.
void openingImage()
{
    testImage().fill(0x11);
    working_copy() = OptionBlock();
    lay_down_defaults(testImage(), working_copy());
}
}  // namespace

class TstOptionEmulator : public QObject {
    Q_OBJECT

private slots:
    void readThenWriteBack()
    {
        EmulatorRig rig(kPort, radioMemory());
        QVERIFY(rig.started());
        EditorWindow<frm_option> w({.prepare = openingImage, .realLink = true});
        const Image opened = testImage();

        QVERIFY(rig.run(*w.w, "Command_read", w.prompts));
        QCOMPARE(w.prompts.texts(), QStringList{"Complete reading the data from transceiver."});
        std::vector<Logged> expected;
        for (int i = 0; i < 8; ++i)
            expected.push_back({'S', 0x0E00 + 64 * i});
        QCOMPARE(rig.log(), expected);

        // Rows 224..243 came from the radio (and were then shown, which
        // stores the offsets again); rows 244..255 were read but not stored.
        const Image radio = rig.memory();
        for (int r = 224; r < 240; ++r)
            QVERIFY2(std::ranges::equal(testImage().row(r), radio.row(r)), qPrintable(QString::number(r)));
        for (int b = 0; b < 8; ++b)
            QCOMPARE(testImage().at(240, b), radio.at(240, b));
        QVERIFY(std::ranges::equal(testImage().row(243), radio.row(243)));
        for (int r = 244; r <= 255; ++r)
            QVERIFY(std::ranges::equal(testImage().row(r), opened.row(r)));
        QVERIFY(std::ranges::equal(testImage().row(223), opened.row(223)));
        QCOMPARE(w.combo("Combo_Sql_le")->currentText(), QString("7"));
        QCOMPARE(w.edit("Text_PON_MSG_U")->text(), QString("HELLO"));
        QCOMPARE(w.edit("Text_ANI")->text(), QString("12345"));
        QCOMPARE(w.edit("Text_Freq_a")->text(), QString("145.50000"));

        // A change, then the region goes back: rows 224..255, in order.
        QTest::keyClick(w.combo("Combo_Sql_le"), Qt::Key_Up);
        QVERIFY(rig.run(*w.w, "Command_write", w.prompts));
        QCOMPARE(w.prompts.texts(), QStringList{"Complete writing optional parameters to the transceiver."});
        expected.clear();
        for (int n = 0; n < 32; ++n)
            expected.push_back({'X', 0x0E00 + 16 * n});
        QCOMPARE(rig.log(), expected);
        const Image after = rig.memory();
        for (int r = 224; r <= 255; ++r)
            QVERIFY(std::ranges::equal(after.row(r), testImage().row(r)));
        QCOMPARE(after.at(224, 2), uint8_t(6));
        QVERIFY(std::ranges::equal(after.row(256), radio.row(256)));
    }
};

QTEST_MAIN(TstOptionEmulator)
#include "tst_option_emulator.moc"
