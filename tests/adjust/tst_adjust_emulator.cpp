// The adjustment editor against the radio emulator over a real
// pseudo-terminal: a squelch level changed on the page goes out in exactly
// four write packets (rows 4..7), and the read brings back all sixteen rows.
#include "editor_window.h"
#include "test_document.h"
#include "emulator_rig.h"

#include "editors/adjust/frm_adj_txp.h"

using namespace vx;
using namespace vx::test;
using Logged = EmulatorRig::Logged;

class TstAdjustEmulator : public QObject {
    Q_OBJECT

private slots:
    void writeDefaultReadBack()
    {
        Image memory;
        for (int r = 950; r < 990; ++r)
            for (int b = 0; b < 16; ++b)
                memory.set(r, b, uint8_t(r * 3 + b));
        EmulatorRig rig(9, memory);
        QVERIFY(rig.started());
        EditorWindow<frm_Adj_Txp> w({.prepare = [] { adjust::load_defaults(table()); }, .realLink = true});

        QLineEdit* level = w.edit("Text_SQ_VHF_3");
        level->selectAll();
        QTest::keyClicks(level, "61");
        QCOMPARE(int(table().at(adjust::SquelchA, 3)), 61);
        QVERIFY(rig.run(*w.w, "Command_write", w.prompts));
        QCOMPARE(w.prompts.texts(), QStringList{"Complete writing optional parameters to the transceiver."});
        const std::vector<Logged> writes{{'X', 0x3C40}, {'X', 0x3C50}, {'X', 0x3C60}, {'X', 0x3C70}};
        QCOMPARE(rig.log(), writes);
        const Image written = rig.memory();
        for (int r = 950; r < 990; ++r)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(written.at(r, b), r >= 964 && r <= 967 ? table().at(r - 960, b) : uint8_t(r * 3 + b));

        w.clickButton("Command_def");
        QCOMPARE(level->text(), QString("28"));
        QVERIFY(rig.run(*w.w, "Command_read", w.prompts));
        QCOMPARE(w.prompts.texts(), QStringList{"Complete reading the data from transceiver."});
        const std::vector<Logged> reads{{'S', 0x3C00}, {'S', 0x3C40}, {'S', 0x3C80}, {'S', 0x3CC0}};
        QCOMPARE(rig.log(), reads);
        for (int r = 0; r < 16; ++r)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(table().at(r, b), written.at(960 + r, b));
        QCOMPARE(level->text(), QString("61"));
        QCOMPARE(w.label()->text(), QString("Read optional parameters in gear. "));
    }
};

QTEST_MAIN(TstAdjustEmulator)
#include "tst_adjust_emulator.moc"
