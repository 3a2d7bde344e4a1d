// Soak: whole-radio reads and writes through the dialogs against the radio
// model, with random faults, on the fake port and virtual clock. Seeded; set
// VX_SOAK_SEED to replay a run, VX_SOAK_ROUNDS for a longer one,
// VX_SOAK_VERBOSE to list every transfer.
#include "prompts.h"
#include "test_document.h"

#include "fake_link.h"
#include "app/form_comm.h"
#include "editors/defaults.h"
#include "model_line.h"

#include <QPushButton>
#include <QTest>

#include <random>

using namespace vx;
using namespace vx::test;
using vx::emu::RadioFaults;
using vx::emu::RadioModel;

namespace {

RadioFaults randomFaults(std::mt19937& rng)
{
    RadioFaults f;
    f.seed = rng();
    switch (rng() % 16) {  // half of the transfers meet a fault
    case 0: f.silence = true; break;
    case 1: f.wrongIdentity = true; break;
    case 2: f.noEndMark = true; break;
    case 3: f.shortReply = 1 + int(rng() % 4); break;
    case 4: f.garbage = 1 + int(rng() % 8); break;
    case 5: f.withholdAck = true; break;
    case 6: f.dropEvery = 20 + int(rng() % 2000); break;
    case 7: f.closeAfter = int(rng() % 1500); break;
    default: break;  // a clean line
    }
    return f;
}

void scramble(Image& image, std::mt19937& rng)
{
    for (auto& b : image.bytes())
        b = uint8_t(rng());
}

}  // namespace

class TstLinkSoak : public QObject {
    Q_OBJECT
private slots:
    void soak()
    {
        const uint32_t seed = qEnvironmentVariableIsSet("VX_SOAK_SEED") ? qEnvironmentVariableIntValue("VX_SOAK_SEED") : 20250825u;
        const int rounds = qEnvironmentVariableIsSet("VX_SOAK_ROUNDS") ? qEnvironmentVariableIntValue("VX_SOAK_ROUNDS") : 100;
        std::mt19937 rng(seed);
        VirtualClock clock;
        clock.install();
        ModelLine line(clock);
        line.install();
        setPortNumber(1);
        CapturedPrompts prompts;
        Form_Comm_Read reader(testDocument());
        Form_Comm_Write writer(testDocument());
        int ok[2] = {0, 0};

        for (int round = 0; round < 2 * rounds; ++round) {
            const bool write = round % 2;
            const QString where = QStringLiteral("seed %1, round %2 (%3)").arg(seed).arg(round).arg(write ? "write" : "read");
            scramble(write ? testImage() : line.model.memory(), rng);
            const Image before = testImage();
            line.model.setFaults(randomFaults(rng));
            const bool clearsLater = rng() % 2;
            const int attemptsBefore = line.model.counters().handshakes;

            prompts.clear();
            FormComm& dialog = write ? static_cast<FormComm&>(writer) : reader;
            QTest::mouseClick(dialog.findChild<QPushButton*>(write ? "Command_Write" : "Command_read"), Qt::LeftButton);
            // The fault may go away before a retry (a radio that recovers).
            while (prompts.all.isEmpty()) {
                QVERIFY2(clock.runUntil([&] { return !prompts.all.isEmpty() || (!dialog.engine().busy() && clearsLater); }, 120'000),
                         qPrintable(where + ": the transfer hung"));
                if (prompts.all.isEmpty() && clearsLater)
                    line.model.setFaults({});
                if (prompts.all.isEmpty())
                    QVERIFY2(clock.runUntil([&] { return !prompts.all.isEmpty() || dialog.engine().busy(); }, 120'000),
                             qPrintable(where + ": no retry and no report"));
            }
            const bool success = prompts.all.value(0).text.startsWith(QLatin1String("Complete"));
            QVERIFY2(prompts.all.size() == 1, qPrintable(where + ": " + prompts.texts().join(" | ")));
            QVERIFY2(line.model.counters().handshakes - attemptsBefore <= (write ? 1 : 4), qPrintable(where + ": too many attempts"));
            ok[write] += success;
            if (qEnvironmentVariableIsSet("VX_SOAK_VERBOSE"))
                qInfo() << where << line.model.faults().any() << prompts.texts() << line.model.counters().handshakes - attemptsBefore;

            Image expected = before;
            if (write)
                prepare_whole_write(expected);  // the tables go in before anything is sent
            if (!write && success)
                for (int r = 0; r <= 787; ++r)
                    expected.setRow(r, line.model.memory().row(r));
            QVERIFY2(testImage() == expected, qPrintable(where + (success ? ": image differs from the radio" : ": failed read changed the image")));
            if (write && success)
                for (int r = 0; r <= 783; ++r)
                    QVERIFY2(std::ranges::equal(line.model.memory().row(r), testImage().row(r)),
                             qPrintable(where + QStringLiteral(": radio row %1 differs").arg(r)));
            clock.advance(10);
        }
        setSerialPortFactory(nullptr);
        setTimerFactory(nullptr);
        qInfo("seed %u: %d of %d reads and %d of %d writes succeeded", seed, ok[0], rounds, ok[1], rounds);
        QVERIFY(ok[0] > rounds / 4 && ok[1] > rounds / 4);
        QVERIFY(ok[0] < rounds && ok[1] < rounds);  // faults did bite
    }
};

QTEST_MAIN(TstLinkSoak)
#include "tst_link_soak.moc"
