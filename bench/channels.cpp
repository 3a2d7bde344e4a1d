// Times the channel editor's grid refresh (all 200 channels decoded into the
// grid, offscreen) and saving and loading a ".dat" data file.
#include "image/radio_document.h"
#include "editors/channels/channel_codec.h"
#include "interchange/datafile.h"
#include "editors/channels/frm_chann.h"
#include "image/image.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Median of `runs` timings of f, in milliseconds.
double medianMs(int runs, const std::function<void()>& f)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // Every channel in use, with a name, so every cell has text to show.
    vx::RadioDocument radio;
    vx::Image& image = radio.unrecorded();  // laid and switched as a fixture
    vx::channels::load_factory_channels(image);
    for (int n = 0; n < vx::channels::kChannels; ++n) {
        vx::channels::new_channel(image, n);
        vx::channels::set_rx(image, n, QString::number(136 + n * 0.0125, 'f', 4));
        vx::channels::set_tone(image, n, vx::channels::Tone::Decode, 1 + n % 260);
        vx::channels::set_name(image, n, QStringLiteral("CH%1").arg(n));
    }

    // A second set of channels, every one different, to switch between.
    const vx::Image first = image;
    vx::Image second = image;
    for (int n = 0; n < vx::channels::kChannels; ++n)
        vx::channels::set_rx(second, n, QString::number(400 + n * 0.025, 'f', 3));

    vx::frm_chann window(radio);
    window.show();
    QApplication::processEvents();
    const double unchanged = medianMs(101, [&] {
        window.refresh();
        QApplication::processEvents();
    });
    int round = 0;
    const double changed = medianMs(101, [&] {
        image = ++round % 2 ? second : first;
        window.refresh();
        QApplication::processEvents();  // the grid repaints the visible rows
    });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.dat"));
    const double save = medianMs(51, [&] { vx::datafile::save(image, path); });
    vx::Image loaded;
    bool ok = true;
    const double load = medianMs(51, [&] { ok = vx::datafile::load(path, loaded).ok() && ok; });

    std::printf("grid refresh, nothing changed (200 channels decoded):  %.3f ms (aim < 5 ms)\n", unchanged);
    std::printf("grid refresh, every channel changed, with repaint:     %.3f ms (aim < 5 ms)\n", changed);
    std::printf("data file save:              %.3f ms (aim < 10 ms)\n", save);
    std::printf("data file load:              %.3f ms (aim < 10 ms)%s\n", load, ok && loaded == image ? "" : "  LOAD MISMATCH");
    return ok && loaded == image ? 0 : 1;
}
