// Times undo and redo through a radio document's record: 10,000 one-cell
// edits (a channel's receive frequency through the channel codec, on the
// rows of that one channel, as the grid makes them), then 10,000 undos,
// then 10,000 redos. Prints each phase's wall time and time per step, the
// bytes the record holds for its rows, and the process's resident memory
// before and after.
//
// An edit records only the rows that really changed, and an undo or a redo
// of a one-cell edit copies only that edit's rows (here one row of 16 bytes)
// back into the image, never the whole image.
#include "editors/channels/channel_codec.h"
#include "image/radio_document.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSteps = 10'000;

// Resident memory in kB, or -1 where the system does not say.
long residentKb()
{
#ifdef Q_OS_LINUX
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // /proc files report no size: read them whole.
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
#endif
    return -1;
}

QString kb(long v) { return v < 0 ? QStringLiteral("n/a") : QStringLiteral("%1 kB").arg(v); }

void phase(const char* what, double ms)
{
    std::printf("%-8s %6d steps: %9.3f ms, %7.3f us a step\n", what, kSteps, ms, ms * 1000.0 / kSteps);
}

double elapsedMs(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "undo benchmark: %s\n", what);
        std::exit(1);
    }
}

}  // namespace

int main()
{
    namespace ch = vx::channels;
    vx::RadioDocument doc;
    // Every channel in use, laid as a fixture.
    vx::Image& fixture = doc.unrecorded();
    ch::load_factory_channels(fixture);
    for (int n = 0; n < ch::kChannels; ++n) {
        ch::new_channel(fixture, n);
        ch::set_rx(fixture, n, QStringLiteral("145.00000"));
    }
    const vx::Image first = doc.image();
    int announced = 0;
    QObject::connect(&doc, &vx::RadioDocument::changed, [&](int, int, const QObject*) { ++announced; });
    const long rssBefore = residentKb();

    // Edit i sets channel i % 200 to a frequency of its own, on the rows of
    // that channel (its record and its name).
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kSteps; ++i) {
        const int n = i % ch::kChannels;
        const QString mhz = QString::number(146.0 + 0.0125 * (i / ch::kChannels + 1), 'f', 5);
        const vx::EditName name{QStringLiteral("信道 %1 接收频率").arg(n), QStringLiteral("Channel %1 RX Frequency").arg(n)};
        doc.edit(name, {{ch::record_row(n), ch::record_row(n)}, {ch::name_row(n), ch::name_row(n)}},
                 [&](vx::Image& image) { ch::set_rx(image, n, mhz); });
    }
    const double editMs = elapsedMs(t);
    check(doc.record().size() == size_t(kSteps), "an edit changed nothing or the record dropped one");
    const vx::Image last = doc.image();
    std::size_t rows = 0;
    for (const vx::EditRecord& e : doc.record())
        rows += e.rows.size();
    const long rssEdited = residentKb();

    t.restart();
    for (int i = 0; i < kSteps; ++i)
        doc.undo();
    const double undoMs = elapsedMs(t);
    check(doc.image() == first && !doc.canUndo(), "the undos did not give back the first image");

    t.restart();
    for (int i = 0; i < kSteps; ++i)
        doc.redo();
    const double redoMs = elapsedMs(t);
    check(doc.image() == last && !doc.canRedo(), "the redos did not give back the last image");
    check(announced == 3 * kSteps, "a step was not announced once");
    const long rssAfter = residentKb();

    phase("edits", editMs);
    phase("undos", undoMs);
    phase("redos", redoMs);
    std::printf("record: %zu entries, %zu rows x %zu bytes (RowChange) = %zu bytes (%.1f kB)\n", doc.record().size(), rows,
                sizeof(vx::RowChange), rows * sizeof(vx::RowChange), double(rows * sizeof(vx::RowChange)) / 1024.0);
    std::printf("resident memory: %s before the edits, %s after them, %s after the undos and redos\n",
                qPrintable(kb(rssBefore)), qPrintable(kb(rssEdited)), qPrintable(kb(rssAfter)));
    return 0;
}
