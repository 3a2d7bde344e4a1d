// The radio vanishing a second into a whole-radio read over a real
// pseudo-terminal: its line closed, the radio stopped, the emulator program
// killed. The read must end within the retry rules with the port message (the
// retry finds COM n leading nowhere), never run on with another device's data.
// VX_LINE_END_ROUNDS repeats each case; VX_LINE_END_VERBOSE lists every round.
#include "fake_link.h"
#include "test_document.h"
#include "prompts.h"

#include "emulator/pty_radio.h"
#include "app/form_comm.h"
#include "link/port.h"
#include "link/portmap.h"
#include "link/transfer_texts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace vx;
using namespace vx::test;

namespace {

constexpr int kPort = 9;
constexpr int kOtherPort = 7;

enum class Kill {
    CloseLine,    // PtyRadio::closeLine(), a pulled cable
    Stop,         // PtyRadio::stop()
    KillProgram,  // SIGKILL to the radio-emulator program
    // Regression: a killed program's link led the retry into the line of the
    // next pseudo-terminal given its number, and the read ran on there.
    KillProgramLineReused,
};

struct Outcome {
    bool ended = false;
    qint64 ms = 0;  // from the kill to the end
    QString label;
    QStringList prompts;
    int counter = 0;
    QString why() const
    {
        return QStringLiteral("ended %1 after %2 ms: counter %3, label \"%4\", prompts [%5]")
            .arg(ended)
            .arg(ms)
            .arg(counter)
            .arg(label, prompts.join(QLatin1String(" | ")));
    }
};

QProcess* startProgram(int port, QObject* parent)
{
    auto* proc = new QProcess(parent);
    proc->start(RADIO_EMULATOR, {"--port", QString::number(port), "--no-wire-time", "--latency", "1"});
    if (!proc->waitForStarted(10'000))
        return nullptr;
    QByteArray said;
    QElapsedTimer clock;
    clock.start();
    while (!said.contains("link ") && clock.elapsed() < 10'000) {
        proc->waitForReadyRead(100);
        said += proc->readAllStandardOutput();
    }
    return said.contains("link ") ? proc : nullptr;
}

void killProgram(QProcess* proc)
{
    ::kill(pid_t(proc->processId()), SIGKILL);
    proc->waitForFinished(10'000);
}

}  // namespace

Q_DECLARE_METATYPE(Kill)

class TstLineEnd : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;

    static int rounds() { return qEnvironmentVariableIsSet("VX_LINE_END_ROUNDS") ? qEnvironmentVariableIntValue("VX_LINE_END_ROUNDS") : 1; }

    // Starts a whole-radio read, runs `kill` one second in and waits for the
    // read to end.
    static Outcome readAndKill(const std::function<void()>& kill)
    {
        test::CapturedPrompts prompts;
        Form_Comm_Read dialog(testDocument());
        dialog.show();
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("Label_tr_count"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command_read")), Qt::LeftButton);
        test::runEventsUntil([] { return false; }, 1000);
        kill();
        QElapsedTimer clock;
        clock.start();
        Outcome o;
        // Three retries 3 s apart, each ending in the port message or the 1 s
        // reply time-out: well inside the two minutes.
        o.ended = test::runEventsUntil([&] { return !prompts.all.isEmpty() && !dialog.busy(); }, 120'000);
        o.ms = clock.elapsed();
        o.label = label->text();
        o.prompts = prompts.texts();
        o.counter = dialog.engine().counter();
        return o;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(runtime_.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
        setPortNumber(kPort);
    }

    void radioGoesMidRead_data()
    {
        QTest::addColumn<Kill>("kill");
        QTest::newRow("line closed") << Kill::CloseLine;
        QTest::newRow("radio stopped") << Kill::Stop;
        QTest::newRow("program killed") << Kill::KillProgram;
        QTest::newRow("program killed, its line number reused") << Kill::KillProgramLineReused;
    }
    void radioGoesMidRead()
    {
        QFETCH(Kill, kill);
        const QString portMessage = transfer_text::portError.str();
        int bad = 0;
        qint64 slowest = 0;
        for (int round = 0; round < rounds(); ++round) {
            Outcome o;
            if (kill == Kill::KillProgram || kill == Kill::KillProgramLineReused) {
                QObject owner;
                QProcess* radio = startProgram(kPort, &owner);
                QVERIFY(radio);
                o = readAndKill([&] {
                    killProgram(radio);
                    if (kill == Kill::KillProgramLineReused) {
                        // The application lets go of the dead line, and its
                        // number is free for the next pseudo-terminal.
                        test::runEventsUntil([] { return false; }, 300);
                        QVERIFY(startProgram(kOtherPort, &owner));
                    }
                });
                for (auto* p : owner.findChildren<QProcess*>()) {
                    p->terminate();
                    p->waitForFinished(10'000);
                }
            } else {
                emu::PtyRadio radio(emu::PtyRadioOptions{kPort, false, 1.0, -1});
                QVERIFY(radio.start());
                o = readAndKill([&] {
                    if (kill == Kill::CloseLine)
                        radio.closeLine();
                    else
                        radio.stop();
                });
            }
            slowest = std::max(slowest, o.ms);
            const bool good = o.ended && o.prompts == QStringList{portMessage}
                              && o.label == transfer_text::failedLabel.str() && o.ms < 20'000;
            bad += !good;
            if (!good || qEnvironmentVariableIsSet("VX_LINE_END_VERBOSE"))
                qInfo().noquote() << QStringLiteral("round %1:").arg(round) << (good ? "" : "BAD") << o.why();
        }
        qInfo("%d of %d rounds bad, slowest end %lld ms after the kill", bad, rounds(), slowest);
        QCOMPARE(bad, 0);
    }
};

QTEST_MAIN(TstLineEnd)
#include "tst_line_end.moc"
