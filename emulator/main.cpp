// radio-emulator: answers like the transceiver on a pseudo-terminal that it
// publishes as COM n, until SIGINT or SIGTERM.

#include "interchange/datafile.h"
#include "emulator/pty_radio.h"
#include "link/portmap.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <pthread.h>

using namespace vx;
using namespace vx::emu;

namespace {

void say(const QString& text)
{
    std::fprintf(stdout, "radio-emulator: %s\n", qPrintable(text));
    std::fflush(stdout);
}

[[noreturn]] void quit(const QString& text)
{
    std::fprintf(stderr, "radio-emulator: %s\n", qPrintable(text));
    std::exit(1);
}

QString loadErrorText(const datafile::LoadResult& r)
{
    switch (r.error) {
    case datafile::LoadError::None:
        return {};
    case datafile::LoadError::CannotOpen:
        return QStringLiteral("cannot open the file");
    case datafile::LoadError::TooShort:
        return QStringLiteral("the file ends at row %1, before row 1024").arg(r.row);
    case datafile::LoadError::NotANumber:
        return QStringLiteral("row %1 holds something other than a number").arg(r.row);
    case datafile::LoadError::OutOfRange:
        return QStringLiteral("row %1 holds a value outside 0..255").arg(r.row);
    }
    return {};
}

std::array<int, 4> parseLimits(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    std::array<int, 4> out{};
    if (parts.size() != 4)
        quit(QStringLiteral("--limits needs four numbers, e.g. 136,174,400,480"));
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        out[size_t(i)] = parts[i].trimmed().toInt(&ok);
        if (!ok || out[size_t(i)] < 0 || out[size_t(i)] > 999)
            quit(QStringLiteral("--limits: %1 is not a number from 0 to 999").arg(parts[i]));
    }
    return out;
}

int number(const QCommandLineParser& p, const QString& name, int low, int high)
{
    bool ok = false;
    const int v = p.value(name).toInt(&ok);
    if (!ok || v < low || v > high)
        quit(QStringLiteral("--%1 needs a number from %2 to %3").arg(name).arg(low).arg(high));
    return v;
}

}  // namespace

int main(int argc, char* argv[])
{
    // The signals that end the program are taken by sigwait() below; blocked
    // before any thread starts, so no other thread receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("radio-emulator"));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Answers like the transceiver on a pseudo-terminal published as COM n.\n"
        "Faults: silence, wrong-identity, no-end-mark, short[=N], garbage[=N], no-ack,\n"
        "drop-every=N, close-after=N, seed=N."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("port"), QStringLiteral("Publish the line as COM <n> (1..12; default 8)."), QStringLiteral("n"),
         QStringLiteral("8")},
        {QStringLiteral("load"), QStringLiteral("Fill the memory from a .dat file."), QStringLiteral("file")},
        {QStringLiteral("save"), QStringLiteral("Save the memory to a .dat file on exit."), QStringLiteral("file")},
        {QStringLiteral("demo"), QStringLiteral("Start with a few named channels instead of an empty memory.")},
        {QStringLiteral("latency"), QStringLiteral("Wait <ms> before each reply (default 2)."), QStringLiteral("ms"),
         QStringLiteral("2")},
        {QStringLiteral("no-wire-time"), QStringLiteral("Answer at once instead of at 9600 baud.")},
        {QStringLiteral("limits"), QStringLiteral("Band limits in MHz: A low, A high, B low, B high\n(default 136,174,400,480)."),
         QStringLiteral("a,b,c,d"), QStringLiteral("136,174,400,480")},
        {QStringLiteral("model"), QStringLiteral("Model text, 6 characters (default EMU-01)."), QStringLiteral("text")},
        {QStringLiteral("version"), QStringLiteral("Firmware version, 6 characters (default 150825)."), QStringLiteral("text")},
        {QStringLiteral("serial"), QStringLiteral("Serial number, AAAAAA--BBBBBB--CCCC or 16 characters\n(default EMU000--000000--0001)."),
         QStringLiteral("text")},
        {QStringLiteral("fault"), QStringLiteral("Inject a fault (repeatable)."), QStringLiteral("name[=arg]")},
        {QStringLiteral("log"), QStringLiteral("On exit, list every read request and write packet taken, in order.")},
        {QStringLiteral("reopen"),
         QStringLiteral("After the line was closed by a fault, open a new one after <ms> (default 1000; -1: never)."),
         QStringLiteral("ms"), QStringLiteral("1000")},
    });
    p.process(app);

    PtyRadioOptions options;
    options.port = number(p, QStringLiteral("port"), kFirstPort, kLastPort);
    options.wireTime = !p.isSet(QStringLiteral("no-wire-time"));
    options.latencyMs = number(p, QStringLiteral("latency"), 0, 60'000);
    options.reopenAfterMs = number(p, QStringLiteral("reopen"), -1, 3'600'000);

    RadioIdentity identity;
    identity.limits = parseLimits(p.value(QStringLiteral("limits")));
    if (p.isSet(QStringLiteral("model")))
        identity.model = p.value(QStringLiteral("model")).toLatin1();
    if (p.isSet(QStringLiteral("version")))
        identity.version = p.value(QStringLiteral("version")).toLatin1();
    if (p.isSet(QStringLiteral("serial")))
        identity.setSerialText(p.value(QStringLiteral("serial")));

    RadioFaults faults;
    for (const QString& f : p.values(QStringLiteral("fault"))) {
        QString error;
        if (!applyFaultSwitch(f, faults, &error))
            quit(error);
    }

    Image memory = p.isSet(QStringLiteral("demo")) ? demoMemory() : Image();
    if (p.isSet(QStringLiteral("load"))) {
        const auto r = datafile::load(p.value(QStringLiteral("load")), memory);
        if (!r.ok())
            quit(QStringLiteral("%1: %2").arg(p.value(QStringLiteral("load")), loadErrorText(r)));
    }

    PtyRadio radio(options);
    radio.setIdentity(identity);
    radio.setMemory(memory);
    radio.setFaults(faults);
    QString error;
    if (!radio.start(&error))
        quit(error);
    say(QStringLiteral("COM%1 is %2").arg(options.port).arg(radio.devicePath()));
    say(QStringLiteral("link %1").arg(radio.linkPath()));
    if (faults.any())
        say(QStringLiteral("faults: %1").arg(p.values(QStringLiteral("fault")).join(QLatin1Char(' '))));

    int signal = 0;
    while (sigwait(&stopSignals, &signal) != 0) {
    }
    radio.stop();

    if (p.isSet(QStringLiteral("log"))) {
        const auto log = radio.withModel([](RadioModel& m) { return m.log(); });
        for (const RadioModel::LoggedCommand& c : log) {
            if (c.kind == 'S')
                say(QStringLiteral("read  block %1 (0x%2)").arg(c.address / 64).arg(c.address, 4, 16, QLatin1Char('0')));
            else if (c.kind == 'X')
                say(QStringLiteral("write row %1 (0x%2)").arg(c.address / 16).arg(c.address, 4, 16, QLatin1Char('0')));
        }
    }
    const RadioCounters c = radio.counters();
    say(QStringLiteral("stopped: %1 handshakes, %2 read requests, %3 rows written")
            .arg(c.handshakes)
            .arg(c.readRequests)
            .arg(c.rowsWritten));
    if (p.isSet(QStringLiteral("save"))) {
        const QString path = p.value(QStringLiteral("save"));
        if (datafile::save(radio.memory(), path, &error) != datafile::SaveError::None)
            quit(QStringLiteral("%1: cannot save: %2").arg(path, error));
        say(QStringLiteral("saved %1").arg(path));
    }
    return 0;
}
