// Whole-radio read and write, then each transferring window's own read and
// write, against the radio emulator over a real pseudo-terminal, with the
// line's 9600 baud modelled. Prints each duration beside the protocol's
// bound (bytes on the wire at 9600 baud, plus the 15 ms sender start of
// every packet, plus the emulator's latency before every reply) and the CPU
// time spent as a share of wall time.
//
//   transfer [--latency MS] [--port N]

#include "image/radio_document.h"
#include "app/windows.h"
#include "app/write_changes.h"
#include "editors/channels/channel_codec.h"
#include "interchange/datafile.h"
#include "editors/defaults.h"
#include "emulator/pty_radio.h"
#include "link/engine.h"
#include "link/port.h"
#include "link/transfer_session.h"
#include "link/transfer_window.h"
#include "link/whole_radio.h"
#include "ui/shell.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <initializer_list>
#include <random>

using namespace vx;

namespace {

constexpr double kByteMs = 10.0 * 1000.0 / 9600.0;  // 8N1: ten bit times
constexpr double kSenderStartMs = 15.0;

double cpuMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

struct Figures {
    bool ok = false;
    double wallMs = 0;
    double processCpuMs = 0;
    double threadCpuMs = 0;
};

// Runs one transfer plan on a session with the product's serial port and
// timers, as a window does; no retries, so a time-out shows as a failure.
Figures run(RadioDocument& doc, TransferPlan plan)
{
    TransferSession session(LinkContext::of(doc));
    QEventLoop loop;
    Figures f;
    QObject::connect(&session, &TransferSession::succeeded, &loop, [&] {
        f.ok = true;
        loop.quit();
    });
    QObject::connect(&session, &TransferSession::failed, &loop, &QEventLoop::quit);
    QObject::connect(&session, &TransferSession::portError, &loop, &QEventLoop::quit);
    plan.retries = 0;

    QElapsedTimer wall;
    const double cpu0 = cpuMs(CLOCK_PROCESS_CPUTIME_ID), thread0 = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    wall.start();
    if (session.start(std::move(plan)))
        loop.exec();
    f.wallMs = double(wall.nsecsElapsed()) / 1e6;
    f.processCpuMs = cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    f.threadCpuMs = cpuMs(CLOCK_THREAD_CPUTIME_ID) - thread0;
    return f;
}

void report(const char* what, const Figures& f, int bytesOut, int bytesIn, int packets, int replies, double latencyMs)
{
    const double wire = (bytesOut + bytesIn) * kByteMs;
    const double bound = wire + packets * kSenderStartMs + replies * latencyMs;
    std::printf("%s: %s\n", what, f.ok ? "ok" : "FAILED");
    std::printf("  duration  %9.1f ms\n", f.wallMs);
    std::printf("  bound     %9.1f ms  (%d + %d bytes on the wire %.1f ms, %d packets x 15 ms, %d replies x %.1f ms)\n",
                bound, bytesOut, bytesIn, wire, packets, replies, latencyMs);
    std::printf("  over the bound  %+.2f %%\n", (f.wallMs / bound - 1.0) * 100.0);
    std::printf("  CPU: application thread %.1f ms (%.2f %% of wall), whole process with the emulator thread %.1f ms (%.2f %%)\n",
                f.threadCpuMs, 100.0 * f.threadCpuMs / f.wallMs, f.processCpuMs, 100.0 * f.processCpuMs / f.wallMs);
}

// Runs vxprog-cli with `args` to its end, timed.
Figures runCli(const QStringList& args)
{
    Figures f;
    QProcess p;
    QElapsedTimer wall;
    wall.start();
    p.start(QStringLiteral(VXPROG_CLI), args);
    const bool done = p.waitForFinished(300'000);
    f.wallMs = double(wall.nsecsElapsed()) / 1e6;
    f.ok = done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!f.ok)
        std::fprintf(stderr, "%s", p.readAllStandardError().constData());
    return f;
}

void reportCli(const char* what, const Figures& f, int bytesOut, int bytesIn, int packets, int replies, double latencyMs)
{
    const double bound = (bytesOut + bytesIn) * kByteMs + packets * kSenderStartMs + replies * latencyMs;
    std::printf("%s: %s\n", what, f.ok ? "ok" : "FAILED");
    std::printf("  duration  %9.1f ms, bound %9.1f ms, over the bound %+.2f %%\n", f.wallMs, bound, (f.wallMs / bound - 1.0) * 100.0);
}

// A plan's bound: bytes each way, packets started, replies.
void reportPlan(const QString& what, const Figures& f, const TransferPlan& plan, double latencyMs)
{
    const TransferParams& p = plan.params;
    if (p.direction == Direction::Read) {
        const int n = p.lastSlot + 2 - p.firstSlot;  // requests
        report(qPrintable(what), f, 8 + 5 + 4 * (n - 1) + n, 50 + 69 * n, 1 + n, 1 + n, latencyMs);
    } else {
        const int n = p.endRow - p.firstRow;  // packets
        report(qPrintable(what), f, 8 + 21 * n, 50 + n, 1 + n, 1 + n, latencyMs);
    }
}

// Windows whose own transfers are timed, when they are built.
const char* const kWindows[] = {"frm_chann", "frm_option", "frm_dtmf", "frm_2tone", "frm_5tone", "frm_FM", "frm_Adj_Txp"};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Whole-radio read and write against the emulator, timed."));
    p.addHelpOption();
    p.addOptions({{QStringLiteral("latency"), QStringLiteral("Emulator latency before each reply, ms (default 2)."),
                   QStringLiteral("ms"), QStringLiteral("2")},
                  {QStringLiteral("port"), QStringLiteral("COM n to publish the emulator as (default 8)."),
                   QStringLiteral("n"), QStringLiteral("8")}});
    p.process(app);
    const double latency = p.value(QStringLiteral("latency")).toDouble();
    const int portNo = p.value(QStringLiteral("port")).toInt();

    // The emulator's COM link goes into a folder of its own, not the user's.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    emu::PtyRadioOptions options;
    options.port = portNo;
    options.wireTime = true;
    options.latencyMs = latency;
    emu::PtyRadio radio(options);
    std::mt19937 rng(7);
    Image memory;
    for (auto& b : memory.bytes())
        b = uint8_t(rng());
    radio.setMemory(memory);
    QString error;
    if (!radio.start(&error)) {
        std::fprintf(stderr, "transfer: cannot start the emulator: %s\n", qPrintable(error));
        return 1;
    }
    RadioDocument doc;
    doc.setPortNumber(portNo);
    std::printf("emulator on %s as COM%d, 9600 baud wire time, %.1f ms latency\n", qPrintable(radio.devicePath()), portNo, latency);

    // Read: handshake + 201 requests out (the first with its 06), 201
    // acknowledgements; identity reply + 201 blocks in.
    Image image;
    image.fill(0);
    const Figures read = run(doc, wholeReadPlan(image));
    bool same = true;
    for (int r = 0; r <= region::wholeRead.last; ++r)
        same = same && std::ranges::equal(image.row(r), memory.row(r));
    report("whole-radio read", read, 8 + 5 + 4 * 200 + 201, 50 + 69 * 201, 1 + 201, 1 + 201, latency);
    std::printf("  image rows 0..787 %s the radio's memory\n", same ? "equal" : "DIFFER FROM");

    // Write: handshake + 784 packets of 21 bytes out; identity + 784 acks in.
    for (auto& b : image.bytes())
        b = uint8_t(rng());
    const Figures write = run(doc, wholeWritePlan(image));
    const Image after = radio.memory();
    same = true;
    for (int r = 0; r <= region::wholeWrite.last; ++r)
        same = same && std::ranges::equal(after.row(r), image.row(r));
    report("whole-radio write", write, 8 + 21 * 784, 50 + 784, 1 + 784, 1 + 784, latency);
    std::printf("  radio rows 0..783 %s the image\n", same ? "equal" : "DIFFER FROM");

    // The command-line programmer, the same transfers as a program of its
    // own (process start included).
    bool all = read.ok && write.ok && same;
    {
        QTemporaryDir files;
        // The writes' restore points go with the files, not into the user's store.
        qputenv("XDG_DATA_HOME", files.filePath(QStringLiteral("data")).toLocal8Bit());
        const QString file = files.filePath(QStringLiteral("radio.dat"));
        const QString port = QString::number(portNo);
        const Figures cliRead = runCli({QStringLiteral("read"), file, QStringLiteral("--port"), port});
        reportCli("vxprog-cli read", cliRead, 8 + 5 + 4 * 200 + 201, 50 + 69 * 201, 1 + 201, 1 + 201, latency);
        const Figures cliWrite = runCli({QStringLiteral("write"), file, QStringLiteral("--port"), port, QStringLiteral("--no-backup"),
                                         QStringLiteral("--no-verify")});
        reportCli("vxprog-cli write --no-backup --no-verify", cliWrite, 8 + 21 * 784, 50 + 784, 1 + 784, 1 + 784, latency);
        all = all && cliRead.ok && cliWrite.ok;

        // One channel changed: the default write (backup read, the changed
        // rows, their blocks read back) beside the full write with backup
        // and verify; then a write with nothing left to send.
        Image changed;
        all = all && datafile::load(file, changed).ok();
        channels::set_rx(changed, 5, u"146.52");
        all = all && datafile::save(changed, file) == datafile::SaveError::None;
        const std::vector<int> rows = rows_to_write(changed, radio.memory());
        const int blocks = int(blocksOfRows(rows).size());
        const int n = int(rows.size());
        const Figures oneChannel = runCli({QStringLiteral("write"), file, QStringLiteral("--port"), port});
        // Backup: a whole read; then a handshake and n packets; then a
        // handshake and the blocks read back.
        reportCli(qPrintable(QStringLiteral("vxprog-cli write, one channel changed (%1 rows, %2 blocks read back; goal under 25 s)").arg(n).arg(blocks)),
                  oneChannel, (8 + 5 + 4 * 200 + 201) + 8 + 21 * n + 8 + 5 + 4 * (blocks - 1) + blocks,
                  50 + 69 * 201 + 50 + n + 50 + 69 * blocks, 1 + 201 + 1 + n + 1 + blocks, 1 + 201 + 1 + n + 1 + blocks, latency);
        // The same one-channel change when the radio is known to hold the
        // file last written (--since): its block read, the row, the block
        // read back. Goal under 3 s.
        {
            Image next = changed;
            channels::set_rx(next, 6, u"146.55");
            const QString base = files.filePath(QStringLiteral("base.dat")), nextFile = files.filePath(QStringLiteral("next.dat"));
            all = all && datafile::save(changed, base) == datafile::SaveError::None && datafile::save(next, nextFile) == datafile::SaveError::None;
            Image held = changed;  // what the radio holds: the file with the tables the write laid in
            prepare_whole_write(held);
            const std::vector<int> r = rows_to_write(next, held);
            const int b = int(blocksOfRows(r).size()), k = int(r.size());
            const Figures sinceFigures = runCli({QStringLiteral("write"), QStringLiteral("--since"), base, nextFile, QStringLiteral("--port"), port});
            const int readOut = 8 + 5 + 4 * (b - 1) + b, readIn = 50 + 69 * b;
            reportCli(qPrintable(QStringLiteral("vxprog-cli write --since, one channel changed (%1 rows, %2 blocks read before and after; goal under 3 s)").arg(k).arg(b)),
                      sinceFigures, 2 * readOut + 8 + 21 * k, 2 * readIn + 50 + k, 2 * (1 + b) + 1 + k, 2 * (1 + b) + 1 + k, latency);
            all = all && sinceFigures.ok;
            all = all && datafile::save(next, file) == datafile::SaveError::None;  // the radio holds `next` now
        }
        const Figures unchanged = runCli({QStringLiteral("write"), file, QStringLiteral("--port"), port});
        reportCli("vxprog-cli write, nothing changed (backup read only)", unchanged, 8 + 5 + 4 * 200 + 201, 50 + 69 * 201, 1 + 201, 1 + 201, latency);
        const Figures full = runCli({QStringLiteral("write"), file, QStringLiteral("--port"), port, QStringLiteral("--full")});
        reportCli("vxprog-cli write --full (backup, 784 rows, whole read back)", full, 2 * (8 + 5 + 4 * 200 + 201) + 8 + 21 * 784,
                  2 * (50 + 69 * 201) + 50 + 784, 2 * (1 + 201) + 1 + 784, 2 * (1 + 201) + 1 + 784, latency);
        all = all && oneChannel.ok && unchanged.ok && full.ok;
    }

    // The window program's change-only write of one channel: the read for
    // the preview, the changed rows, their blocks read back, from opening
    // the window to its report.
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());  // its restore points
        Image changed = radio.memory();
        channels::set_rx(changed, 5, u"145.50");
        doc.replace(edits::loadDataFile(), changed);
        const std::vector<int> rows = rows_to_write(changed, radio.memory());
        const int blocks = int(blocksOfRows(rows).size());
        const int n = int(rows.size());
        Figures f;
        QElapsedTimer wall;
        const double cpu0 = cpuMs(CLOCK_PROCESS_CPUTIME_ID), thread0 = cpuMs(CLOCK_THREAD_CPUTIME_ID);
        wall.start();
        {
            Form_write_changes window(doc);
            using Stage = Form_write_changes::Stage;
            const auto until = [&](std::initializer_list<Stage> stages) {
                while (window.busy() || std::ranges::find(stages, window.stage()) == stages.end())
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            };
            window.show();
            until({Stage::Preview, Stage::Stopped});
            if (window.stage() == Stage::Preview && window.rows() == rows) {
                window.findChild<QPushButton*>(QStringLiteral("Command_write_changes"))->click();
                until({Stage::Done, Stage::Stopped});
            }
            f.ok = window.stage() == Stage::Done;
        }
        f.wallMs = double(wall.nsecsElapsed()) / 1e6;
        f.processCpuMs = cpuMs(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
        f.threadCpuMs = cpuMs(CLOCK_THREAD_CPUTIME_ID) - thread0;
        bool held = true;
        for (int r = 0; r <= region::wholeWrite.last; ++r)
            held = held && std::ranges::equal(radio.memory().row(r), changed.row(r));
        report(qPrintable(QStringLiteral("window program: Write changes to radio, one channel changed (%1 rows, %2 blocks read back; goal under 25 s)")
                              .arg(n)
                              .arg(blocks)),
               f, (8 + 5 + 4 * 200 + 201) + 8 + 21 * n + 8 + 5 + 4 * (blocks - 1) + blocks, 50 + 69 * 201 + 50 + n + 50 + 69 * blocks,
               1 + 201 + 1 + n + 1 + blocks, 1 + 201 + 1 + n + 1 + blocks, latency);
        std::printf("  radio rows 0..783 %s the document\n", held ? "equal" : "DIFFER FROM");
        all = all && f.ok && held;
    }

    // Each window's own region, read then written, with its own plan.
    registerWindows(doc);
    for (const char* name : kWindows) {
        auto* window = dynamic_cast<TransferWindow*>(shell::openWindow(QString::fromLatin1(name)));
        for (const Direction d : {Direction::Read, Direction::Write}) {
            const std::optional<TransferPlan> plan = window ? window->transferPlan(d) : std::nullopt;
            if (!plan)
                continue;
            const Figures f = run(doc, *plan);
            reportPlan(QStringLiteral("%1 %2").arg(name, d == Direction::Read ? "read" : "write"), f, *plan, latency);
            all = all && f.ok;
        }
        shell::closeWindow(QString::fromLatin1(name));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    radio.stop();
    return all ? 0 : 1;
}
