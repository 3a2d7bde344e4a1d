// Times the channel list import (the command line's import-csv and the
// window program's report use the same core) on the bad shapes of file, each
// just under the size a channel list may have, in strict and fit mode, and
// prints the peak resident memory of the process after each.
#include "csv_shapes.h"
#include "interchange/csv/channel_csv.h"
#include "image/image.h"

#include <QElapsedTimer>

#include <sys/resource.h>

#include <cstdio>

namespace {

long peakKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;  // kilobytes on Linux
}

}  // namespace

int main()
{
    using namespace vx;
    const qsizetype size = channels::kMaxCsvBytes - 1;
    std::printf("channel list import, each file %lld bytes (the bound is %lld)\n", qlonglong(size), qlonglong(channels::kMaxCsvBytes));
    std::printf("%-28s %-7s %10s %9s %9s %12s\n", "shape", "mode", "ms", "notes", "more", "peak RSS MB");
    bool fast = true;
    for (const auto& shape : test::csvShapes()) {
        const QByteArray csv = shape.make(size);
        for (bool fit : {false, true}) {
            Image image;
            QElapsedTimer t;
            t.start();
            const channels::CsvImport r = channels::import_csv(csv, image, {.fit = fit});
            const double ms = double(t.nsecsElapsed()) / 1e6;
            fast = fast && ms < 2000;
            std::printf("%-28s %-7s %10.1f %9zu %9d %12.1f%s\n", shape.name, fit ? "fit" : "strict", ms, r.notes.size(), r.more,
                        double(peakKb()) / 1024.0, r.ok() ? "  imported" : "");
        }
    }
    std::printf("%s\n", fast ? "every import under 2 s" : "SOME IMPORT TOOK 2 s OR MORE");
    return fast ? 0 : 1;
}
