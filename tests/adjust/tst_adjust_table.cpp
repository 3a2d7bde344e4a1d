// The adjustment table: the factory table, the range digits, the read's
// post-processing, and the start-up steps that lay down the FM presets and
// the adjustment table. Number boxes and range checks are tested through the
// window (tst_frm_adj_txp).
#include "fake_link.h"
#include "test_document.h"
#include "prompts.h"

#include "app/mdimain.h"
#include "app/startup.h"
#include "app/windows.h"
#include "editors/adjust/adjust_table.h"
#include "editors/adjust/frm_adj_txp.h"
#include "editors/fm/fm_codec.h"
#include "link/port.h"
#include "ui/shell.h"

#include <QTest>

using namespace vx;
using namespace vx::test;
using namespace vx::adjust;

namespace {
QList<int> rowOf(const Table& t, int r)
{
    QList<int> out;
    for (int b = 0; b < kBytes; ++b)
        out << t.at(r, b);
    return out;
}
// A block reply as the radio sends it: lead, X, address, length, 64 bytes.
QByteArray reply(int address, int seed)
{
    QByteArray r("\x06\x58", 2);
    r.append(char(address >> 8)).append(char(address & 0xFF)).append(char(0x40));
    for (int i = 0; i < 64; ++i)
        r.append(char(seed + i));
    return r;
}
}  // namespace

class TstAdjustTable : public QObject {
    Q_OBJECT
private slots:
    void factoryTable()
    {
        const Table& d = default_table();
        const QList<QList<int>> rows{
            {12, 13, 13, 13, 13, 13, 14, 15, 15, 15, 15, 15, 15, 15, 15, 15},
            {12, 12, 13, 13, 13, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12},
            {6, 5, 5, 5, 5, 5, 6, 6, 7, 6, 6, 6, 7, 7, 7, 7},
            {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5},
            {38, 26, 27, 28, 29, 30, 32, 35, 38, 40, 48, 48, 48, 48, 48, 48},
            {0, 0, 0, 1, 2, 3, 3, 3, 2, 1, 0, 0, 0, 0, 0, 0},
            {38, 20, 21, 22, 23, 24, 28, 30, 33, 35, 37, 41, 41, 41, 41, 41},
            {5, 4, 4, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
            {60, 21, 16, 9, 15, 15, 15, 12, 12, 2, 2, 128, 50, 0, 0, 0},
            {1, 3, 0, 1, 7, 9, 4, 0, 0, 4, 8, 0, 0, 0, 0, 0},
        };
        for (int r = 0; r < kRows; ++r)
            QCOMPARE(rowOf(d, r), r < 10 ? rows[r] : QList<int>(kBytes, 0));
        QCOMPARE(range_limit(d, 0), 130);
        QCOMPARE(range_limit(d, 3), 480);
    }

    void rangeDigits()
    {
        Table t;
        store_range_limits(t, {140, 170, 400.9, 9999});
        QCOMPARE(rowOf(t, Range).first(12), QList<int>({1, 4, 0, 1, 7, 0, 4, 0, 0, 99, 9, 9}));
        store_range_limits(t, {-5, 1e9, 0, 0});
        QCOMPARE(rowOf(t, Range).first(6), QList<int>({0, 0, 0, 255, 9, 9}));
    }

    // The read's post-processing: data four bytes after the first 0x58, slot
    // 2 into rows 0..3 up to slot 5 into rows 12..15; nothing unless all four
    // arrived.
    void readPostProcessing()
    {
        frm_Adj_Txp w(testDocument());
        const std::optional<TransferPlan> plan = w.transferPlan(Direction::Read);
        QVERIFY(plan);
        QCOMPARE(plan->params.firstSlot, 2);
        QCOMPARE(plan->params.lastSlot, 4);
        QCOMPARE(plan->params.retryPause, std::chrono::milliseconds(2000));
        load_defaults(table());
        std::vector<QByteArray> replies(6);
        for (int s = 2; s < 5; ++s)
            replies[size_t(s)] = reply(0x3C00 + 64 * (s - 2), 16 * s);
        QVERIFY(!plan->store(replies));
        QVERIFY(table() == default_table());
        replies[5] = reply(0x3CC0, 80);
        replies[5].remove(0, 1);  // the X at byte 0: data from byte 4
        replies[5].append('\0');
        QVERIFY(plan->store(replies));
        QCOMPARE(table().at(0, 0), uint8_t(32));
        QCOMPARE(table().at(4, 0), uint8_t(48));
        QCOMPARE(table().at(15, 15), uint8_t(80 + 63));
    }

    void startupLaysTheDefaults()
    {
        test::CapturedPrompts prompts;
        test::VirtualClock clock;
        clock.install();
        test::FakePorts ports(std::set<int>{});
        shell::setScreenSizeOverride({1024, 768});
        registerWindows();
        testImage().fill(0x33);
        table() = Table();
        {
            MDImain main(testDocument());
            runStartup(main);
            shell::closeAllWindows();
        }
        setTimerFactory({});
        QVERIFY(table() == default_table());
        Image presets;
        fm::load_factory_presets(presets);
        for (int r = 0; r < Image::kRows; ++r)
            if (r >= 768 && r <= 783)
                QVERIFY(std::ranges::equal(testImage().row(r), presets.row(r)));
            else if (r >= 960 && r <= 975)
                QVERIFY(std::ranges::all_of(testImage().row(r), [](uint8_t b) { return b == 0xFF; }));
    }
};

QTEST_MAIN(TstAdjustTable)
#include "tst_adjust_table.moc"
