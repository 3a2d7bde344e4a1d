// A transfer cut short never leaves the radio unrecoverable. For every packet
// position of the whole-radio write and of the channel editor's write, the
// line is cut there (the cable pulled: the retries find no port); a fresh
// write then completes and the radio equals the image. For every request
// position of the whole read, the image is unchanged by the cut and equals
// the radio after the next read. Through the windows themselves, on the fake
// port and virtual clock.
#include "prompts.h"
#include "test_document.h"

#include "model_line.h"

#include "editors/channels/frm_chann.h"
#include "interchange/restore_points.h"
#include "app/form_comm.h"
#include "link/whole_radio.h"

#include <QPushButton>
#include <QDir>
#include <QTest>

#include <random>

using namespace vx;
using namespace vx::test;

namespace {

struct Rig {
    VirtualClock clock;
    ModelLine line{clock};
    CapturedPrompts prompts;
    std::unique_ptr<TransferWindow> w;

    explicit Rig(const std::function<TransferWindow*()>& make)
    {
        clock.install();
        line.install();
        line.unplugOnClose = true;
        w.reset(make());
        w->show();
    }
    ~Rig()
    {
        w.reset();
        setSerialPortFactory(nullptr);
        setTimerFactory(nullptr);
    }
    // Runs `command` to its end; true when it succeeded.
    bool run(Command command)
    {
        prompts.clear();
        QTest::mouseClick(w->button(command), Qt::LeftButton);
        if (!clock.runUntil([this] { return !prompts.all.isEmpty() && !w->busy(); }, 600'000))
            return false;
        clock.advance(50'000);  // any retry pause runs out
        return prompts.all.size() == 1 && prompts.all[0].text.startsWith(QLatin1String("Complete"));
    }
    // Cuts the line when command n + 1 reaches the radio (the handshake is
    // command 1, so n = k + 1 cuts at packet or request k).
    void cutAt(int k)
    {
        emu::RadioFaults f;
        f.closeAfter = k + 1;
        line.model.setFaults(f);
    }
    void mend()
    {
        line.model.setFaults({});
        line.replug();
    }
};

Image scrambled(uint32_t seed)
{
    std::mt19937 rng(seed);
    Image image;
    for (auto& b : image.bytes())
        b = uint8_t(rng());
    return image;
}

// Each mended write or read keeps a restore point; a thousand of them would
// make the test about the store. It starts every round empty.
void forgetRestorePoints() { QDir(restore::Store::defaultFolder()).removeRecursively(); }

}  // namespace

class TstRecovery : public QObject {
    Q_OBJECT
private slots:
    void init() { setPortNumber(1); }

    void writeCutAtEveryPacket_data()
    {
        QTest::addColumn<bool>("channels");
        QTest::addColumn<int>("packets");
        QTest::newRow("whole-radio write") << false << kWholeWriteRows;
        QTest::newRow("channel editor write") << true << frm_chann::kWritePackets;
    }
    void writeCutAtEveryPacket()
    {
        QFETCH(bool, channels);
        QFETCH(int, packets);
        Rig rig([channels]() -> TransferWindow* {
            if (channels)
                return new frm_chann(testDocument());
            return new Form_Comm_Write(testDocument());
        });
        // The rows this write sends.
        QList<int> rows;
        for (int k = 0; k < packets; ++k)
            rows << (channels ? frm_chann::writeRow(k) : k);
        for (int k = 0; k < packets; ++k) {
            forgetRestorePoints();
            const QString where = QStringLiteral("cut at packet %1").arg(k);
            testImage() = scrambled(uint32_t(k));
            channels::load_factory_channels(testImage());  // the editor's refresh keeps a valid image
            rig.cutAt(k);
            QVERIFY2(!rig.run(Command::Write), qPrintable(where + ": the cut write succeeded"));
            QVERIFY2(rig.line.model.counters().rowsWritten > 0 || k == 0, qPrintable(where));
            rig.mend();
            QVERIFY2(rig.run(Command::Write), qPrintable(where + ": " + rig.prompts.texts().join(" | ")));
            // The message is built only for a failure: 784 cuts of 784 rows.
            for (int r : rows)
                if (!std::ranges::equal(rig.line.model.memory().row(r), testImage().row(r)))
                    QFAIL(qPrintable(where + QStringLiteral(": radio row %1 differs").arg(r)));
            rig.line.model.resetCounters();
        }
    }

    void readCutAtEveryRequest()
    {
        Rig rig([] { return new Form_Comm_Read(testDocument()); });
        for (int k = 0; k < kWholeReadBlocks; ++k) {
            forgetRestorePoints();
            const QString where = QStringLiteral("cut at request %1").arg(k);
            rig.line.model.memory() = scrambled(uint32_t(1000 + k));
            testImage() = scrambled(uint32_t(5000 + k));
            const Image before = testImage();
            rig.cutAt(k);
            QVERIFY2(!rig.run(Command::Read), qPrintable(where + ": the cut read succeeded"));
            QVERIFY2(testImage() == before, qPrintable(where + ": the cut read changed the image"));
            rig.mend();
            QVERIFY2(rig.run(Command::Read), qPrintable(where + ": " + rig.prompts.texts().join(" | ")));
            for (int r = 0; r < Image::kRows; ++r)
                if (!std::ranges::equal(testImage().row(r),
                                        r <= region::wholeRead.last ? rig.line.model.memory().row(r) : before.row(r)))
                    QFAIL(qPrintable(where + QStringLiteral(": row %1").arg(r)));
        }
    }
};

QTEST_MAIN(TstRecovery)
#include "tst_recovery.moc"
