// The text configuration: export of a full image and apply of that export
// (onto the same image, and onto the start-up defaults), timed; the goal is
// under 20 ms each.
//
//   config [--rounds N]

#include "editors/channels/channel_codec.h"
#include "interchange/config/config.h"
#include "editors/defaults.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vx;

namespace {

// Median milliseconds of `rounds` runs of `f`.
template <typename F>
double medianMs(int rounds, F f)
{
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::ranges::sort(ms);
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 2 && QByteArray(argv[1]) == "--rounds" ? std::max(1, atoi(argv[2])) : 21;
    // Every channel in use, so the file is as large as it gets.
    Image image;
    lay_startup_defaults(image);
    for (int n = 0; n < channels::kChannels; ++n) {
        channels::delete_channel(image, n);
        channels::new_channel(image, n);
        channels::set_rx(image, n, QStringLiteral("%1").arg(400.0 + n * 0.025, 0, 'f', 5));
        channels::set_name(image, n, QStringLiteral("CH%1").arg(n));
    }
    QByteArray text;
    const double exportMs = medianMs(rounds, [&] { text = config::export_config(image); });
    const double applySameMs = medianMs(rounds, [&] {
        Image copy = image;
        config::apply_config(text, copy, kDefaultBandLimits);
    });
    Image defaults;
    lay_startup_defaults(defaults);
    const double applyDefaultsMs = medianMs(rounds, [&] {
        Image copy = defaults;
        config::apply_config(text, copy, kDefaultBandLimits);
    });
    std::printf("text configuration of 200 channels, 16 presets and the options: %lld bytes\n", static_cast<long long>(text.size()));
    std::printf("  export                          %7.2f ms (median of %d; goal under 20 ms)\n", exportMs, rounds);
    std::printf("  apply onto the same image       %7.2f ms\n", applySameMs);
    std::printf("  apply onto the start-up image   %7.2f ms\n", applyDefaultsMs);
    return 0;
}
