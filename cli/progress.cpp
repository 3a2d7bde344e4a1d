#include "cli/progress.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vx::cli {

namespace {
constexpr int kBarWidth = 30;
}

Progress::Progress(QTextStream& err, bool terminal, QString unit, int total)
    : err_(err), terminal_(terminal), unit_(std::move(unit)), total_(std::max(total, 1))
{
    clock_.start();
}

bool Progress::stderrIsTerminal()
{
#if defined(_WIN32)
    return _isatty(_fileno(stderr));
#else
    return isatty(fileno(stderr));
#endif
}

void Progress::step(int done)
{
    done = std::clamp(done, 0, total_);
    const int percent = done * 100 / total_;
    if (!terminal_) {
        if (percent / 10 != lastTenth_) {
            lastTenth_ = percent / 10;
            err_ << QStringLiteral("%1/%2 %3 (%4 %)").arg(done).arg(total_).arg(unit_).arg(percent) << Qt::endl;
        }
        return;
    }
    const int filled = done * kBarWidth / total_;
    const qint64 ms = clock_.elapsed();
    const QString left = done > 0 ? QStringLiteral("%1 s left").arg((ms * (total_ - done) / done + 999) / 1000) : QString();
    err_ << '\r' << '[' << QString(filled, QLatin1Char('#')) << QString(kBarWidth - filled, QLatin1Char('.')) << "] "
         << QStringLiteral("%1/%2 %3  %4 %  %5").arg(done).arg(total_).arg(unit_).arg(percent, 3).arg(left, -12);
    err_.flush();
    drawn_ = true;
}

void Progress::finish()
{
    if (terminal_ && drawn_)
        err_ << Qt::endl;
    drawn_ = false;
}

}  // namespace vx::cli
