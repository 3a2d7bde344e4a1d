// The adjustment editor against the radio emulator over a real
// pseudo-terminal: a squelch level changed on the page goes out in exactly
// four write packets (rows 4..7), and the read brings back all sixteen rows.
#include "fake_link.h"
#include "prompts.h"

#include "editors/adjust/frm_adj_txp.h"
#include "emulator/pty_radio.h"
#include "image/language.h"
#include "link/port.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx;
using Logged = emu::RadioModel::LoggedCommand;

class TstAdjustEmulator : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;

private slots:
    void writeDefaultReadBack()
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        setChinese(false);
        emu::PtyRadio radio(emu::PtyRadioOptions{9, false, 0.5, -1});
        Image memory;
        for (int r = 950; r < 990; ++r)
            for (int b = 0; b < 16; ++b)
                memory.set(r, b, uint8_t(r * 3 + b));
        radio.setMemory(memory);
        QVERIFY(radio.start());
        setPortNumber(9);
        test::CapturedPrompts prompts;
        adjust::load_defaults(adjust::table());
        frm_Adj_Txp w;
        w.show();
        auto run = [&](const char* button) {
            prompts.clear();
            radio.withModel([](emu::RadioModel& m) { m.clearLog(); });
            QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
            return test::runEventsUntil([&] { return !prompts.all.isEmpty() && !w.busy(); }, 20'000);
        };

        auto* level = w.findChild<QLineEdit*>("Text_SQ_VHF_3");
        level->selectAll();
        QTest::keyClicks(level, "61");
        QCOMPARE(int(adjust::table().at(adjust::SquelchA, 3)), 61);
        QVERIFY(run("Command_write"));
        QCOMPARE(prompts.texts(), QStringList{"Complete writing optional parameters to the transceiver."});
        const std::vector<Logged> writes{{'X', 0x3C40}, {'X', 0x3C50}, {'X', 0x3C60}, {'X', 0x3C70}};
        QCOMPARE(radio.withModel([](emu::RadioModel& m) { return m.log(); }), writes);
        const Image written = radio.memory();
        for (int r = 950; r < 990; ++r)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(written.at(r, b), r >= 964 && r <= 967 ? adjust::table().at(r - 960, b) : uint8_t(r * 3 + b));

        QTest::mouseClick(w.findChild<QPushButton*>("Command_def"), Qt::LeftButton);
        QCOMPARE(level->text(), QString("28"));
        QVERIFY(run("Command_read"));
        QCOMPARE(prompts.texts(), QStringList{"Complete reading the data from transceiver."});
        const std::vector<Logged> reads{{'S', 0x3C00}, {'S', 0x3C40}, {'S', 0x3C80}, {'S', 0x3CC0}};
        QCOMPARE(radio.withModel([](emu::RadioModel& m) { return m.log(); }), reads);
        for (int r = 0; r < 16; ++r)
            for (int b = 0; b < 16; ++b)
                QCOMPARE(adjust::table().at(r, b), written.at(960 + r, b));
        QCOMPARE(level->text(), QString("61"));
        QCOMPARE(w.findChild<QLabel*>("Label_tr_count")->text(), QString("Read optional parameters in gear. "));
    }
};

QTEST_MAIN(TstAdjustEmulator)
#include "tst_adjust_emulator.moc"
