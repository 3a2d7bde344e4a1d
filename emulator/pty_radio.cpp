#include "emulator/pty_radio.h"

#include "link/portmap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <future>
#include <optional>
#include <poll.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vx::emu {

namespace {

using Clock = std::chrono::steady_clock;
using Duration = std::chrono::duration<double, std::milli>;

enum RequestKind { kClose, kReopen };

QString systemError(const char* what) { return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno))); }

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool setFlags(int fd)
{
    const int fl = ::fcntl(fd, F_GETFL);
    const int fdfl = ::fcntl(fd, F_GETFD);
    return fl >= 0 && fdfl >= 0 && ::fcntl(fd, F_SETFL, fl | O_NONBLOCK) == 0
           && ::fcntl(fd, F_SETFD, fdfl | FD_CLOEXEC) == 0;
}

void makeRaw(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return;
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, B9600);
    ::cfsetospeed(&t, B9600);
    t.c_cflag |= CLOCAL | CREAD;
    ::tcsetattr(fd, TCSANOW, &t);
}

// Waits for `fds` until `deadline` (or for ever without one), to the
// microsecond where the system allows.
void waitFor(std::vector<pollfd>& fds, std::optional<Clock::time_point> deadline)
{
    if (!deadline) {
        ::poll(fds.data(), nfds_t(fds.size()), -1);
        return;
    }
    const auto left = std::max<Clock::duration>(*deadline - Clock::now(), Clock::duration::zero());
#if defined(__linux__)
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec ts{time_t(ns / 1'000'000'000), long(ns % 1'000'000'000)};
    ::ppoll(fds.data(), nfds_t(fds.size()), &ts, nullptr);
#else
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    ::poll(fds.data(), nfds_t(fds.size()), int(std::min<long long>(ms, 60'000)));
#endif
}

// What COM n is pointed at for a line whose device is `device`, held open
// as `slave`: on Linux the descriptor's /proc name, which leads nowhere once
// this process has ended, however it ended. The device itself where that
// name does not lead to it (no /proc).
QString lineLinkTarget(int slave, const QString& device)
{
#if defined(__linux__)
    const QString own = QStringLiteral("/proc/%1/fd/%2").arg(::getpid()).arg(slave);
    if (QFileInfo(own).canonicalFilePath() == device)
        return own;
#else
    Q_UNUSED(slave);
#endif
    return device;
}

}  // namespace

struct PtyRadio::Io {
    int master = -1;
    // Held open so the master sees no hang-up between the application's
    // opens; COM n names it.
    int slave = -1;
    int wake[2] = {-1, -1};
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<bool> running{false};
    Clock::time_point epoch = Clock::now();

    struct Request {
        int kind;
        std::promise<QString> done;
    };
    std::mutex requestMutex;
    std::vector<Request> requests;

    void wakeUp() const
    {
        const char c = 1;
        [[maybe_unused]] const auto n = ::write(wake[1], &c, 1);
    }
};

PtyRadio::PtyRadio(PtyRadioOptions options)
    : options_(options), wireTime_(options.wireTime), latencyMs_(options.latencyMs), io_(std::make_unique<Io>())
{
}

PtyRadio::~PtyRadio() { stop(); }

bool PtyRadio::running() const { return io_->running; }

bool PtyRadio::lineOpen() const
{
    std::lock_guard lock(mutex_);
    return !device_.isEmpty();
}

QString PtyRadio::devicePath() const
{
    std::lock_guard lock(mutex_);
    return device_;
}

QString PtyRadio::linkPath() const { return options_.port > 0 ? portLinkPath(options_.port) : QString(); }

Image PtyRadio::memory() const
{
    std::lock_guard lock(mutex_);
    return model_.memory();
}

void PtyRadio::setMemory(const Image& image)
{
    std::lock_guard lock(mutex_);
    model_.memory() = image;
}

RadioCounters PtyRadio::counters() const
{
    std::lock_guard lock(mutex_);
    return model_.counters();
}

void PtyRadio::resetCounters()
{
    std::lock_guard lock(mutex_);
    model_.resetCounters();
}

RadioFaults PtyRadio::faults() const
{
    std::lock_guard lock(mutex_);
    return model_.faults();
}

void PtyRadio::setFaults(const RadioFaults& faults)
{
    std::lock_guard lock(mutex_);
    model_.setFaults(faults);
}

void PtyRadio::setIdentity(const RadioIdentity& identity)
{
    std::lock_guard lock(mutex_);
    model_.setIdentity(identity);
}

bool PtyRadio::publish(const QString& target, QString* error)
{
    if (options_.port <= 0)
        return true;
    const QString link = linkPath();
    if (link.isEmpty()) {
        if (error)
            *error = QStringLiteral("COM%1 is not a port number from 1 to 12").arg(options_.port);
        return false;
    }
    if (!QDir().mkpath(portLinkFolder())) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(portLinkFolder());
        return false;
    }
    const QFileInfo existing(link);
    if (existing.exists() && !existing.isSymLink()) {
        if (error)
            *error = QStringLiteral("%1 exists and is not a link").arg(link);
        return false;
    }
    // A new link beside the old one, renamed over it: COM n never points
    // at nothing in between.
    const QByteArray tmp = QFile::encodeName(link + QStringLiteral(".%1.tmp").arg(::getpid()));
    ::unlink(tmp.constData());
    if (::symlink(QFile::encodeName(target).constData(), tmp.constData()) != 0
        || ::rename(tmp.constData(), QFile::encodeName(link).constData()) != 0) {
        if (error)
            *error = systemError("cannot create the port link");
        ::unlink(tmp.constData());
        return false;
    }
    std::lock_guard lock(mutex_);
    published_ = target;
    return true;
}

bool PtyRadio::openLine(QString* error)
{
    closeLineNow();
    int m = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m < 0) {
        if (error)
            *error = systemError("posix_openpt");
        return false;
    }
    char name[256] = {};
#if defined(__linux__)
    const bool named = ::ptsname_r(m, name, sizeof name) == 0;
#else
    const char* p = ::ptsname(m);
    const bool named = p && std::strlen(p) < sizeof name;
    if (named)
        std::strcpy(name, p);
#endif
    if (::grantpt(m) != 0 || ::unlockpt(m) != 0 || !named || !setFlags(m)) {
        if (error)
            *error = systemError("pseudo-terminal set-up");
        ::close(m);
        return false;
    }
    const int s = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (s < 0) {
        if (error)
            *error = systemError("opening the pseudo-terminal");
        ::close(m);
        return false;
    }
    makeRaw(s);
    makeRaw(m);
    const QString device = QFile::decodeName(name);
    if (!publish(lineLinkTarget(s, device), error)) {
        ::close(s);
        ::close(m);
        return false;
    }
    io_->master = m;
    io_->slave = s;
    {
        std::lock_guard lock(mutex_);
        device_ = device;
        model_.reset();
    }
    ++linesOpened_;
    return true;
}

void PtyRadio::closeLineNow()
{
    if (io_->master < 0)
        return;
    // Pointing COM n at nothing makes the application's next open fail, as
    // with a pulled cable, and never at a pseudo-terminal number that another
    // program may be given next. First, so that the link never names a
    // closed descriptor whose number this process may reuse.
    if (options_.port > 0)
        publish(linkPath() + QStringLiteral(".closed-%1").arg(::getpid()), nullptr);
    closeFd(io_->master);
    closeFd(io_->slave);
    std::lock_guard lock(mutex_);
    device_.clear();
    model_.reset();
}

bool PtyRadio::start(QString* error)
{
    if (io_->running) {
        if (error)
            *error = QStringLiteral("already running");
        return false;
    }
    io_->stopping = false;
    if (::pipe(io_->wake) != 0 || !setFlags(io_->wake[0]) || !setFlags(io_->wake[1])) {
        if (error)
            *error = systemError("pipe");
        closeFd(io_->wake[0]);
        closeFd(io_->wake[1]);
        return false;
    }
    if (!openLine(error)) {
        closeFd(io_->wake[0]);
        closeFd(io_->wake[1]);
        return false;
    }
    io_->epoch = Clock::now();
    io_->running = true;
    io_->thread = std::thread([this] { run(); });
    return true;
}

void PtyRadio::stop()
{
    if (io_->thread.joinable()) {
        io_->stopping = true;
        io_->wakeUp();
        io_->thread.join();
    }
    QString published;
    {
        std::lock_guard lock(mutex_);
        device_.clear();
        published.swap(published_);
    }
    // The link goes only if it is still ours: another radio may have taken
    // the port meanwhile. It goes before the line closes, as in
    // closeLineNow().
    if (!published.isEmpty()) {
        const QByteArray link = QFile::encodeName(linkPath());
        char target[4096] = {};
        const ssize_t n = ::readlink(link.constData(), target, sizeof target - 1);
        if (n > 0 && QFile::decodeName(QByteArray(target, int(n))) == published)
            ::unlink(link.constData());
    }
    closeFd(io_->master);
    closeFd(io_->slave);
    closeFd(io_->wake[0]);
    closeFd(io_->wake[1]);
}

QString PtyRadio::request(int kind)
{
    std::future<QString> done;
    {
        std::lock_guard lock(io_->requestMutex);
        if (io_->running) {
            io_->requests.push_back({kind, {}});
            done = io_->requests.back().done.get_future();
        }
    }
    if (!done.valid()) {
        // No thread: the line is handled here.
        if (kind == kClose) {
            closeLineNow();
            return {};
        }
        QString error;
        return openLine(&error) ? QString() : error;
    }
    io_->wakeUp();
    return done.get();
}

void PtyRadio::closeLine() { request(kClose); }

bool PtyRadio::reopenLine(QString* error)
{
    const QString why = request(kReopen);
    if (!why.isEmpty() && error)
        *error = why;
    return why.isEmpty();
}

void PtyRadio::run()
{
#if defined(__linux__)
    // Wake-ups to the microsecond: the default slack of 50 us would show in
    // every byte time.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
#endif
    struct Timed {
        uint8_t byte;
        Clock::time_point at;
    };
    std::deque<Timed> input;   // read from the line, not yet arrived
    std::deque<Timed> output;  // answers, each byte with the time it is complete at the far end
    Clock::time_point inFree{};     // when the incoming line is free again
    Clock::time_point outFree{};    // when the last byte queued for output is complete
    Clock::time_point lastWritten{};
    Clock::time_point reopenAt{};  // valid while reopenPending
    bool reopenPending = false;
    bool outputBlocked = false;
    std::vector<char> buf(4096);
    const auto byteTime = std::chrono::duration_cast<Clock::duration>(Duration(kByteMs));

    auto dropLine = [&](Clock::time_point now) {
        closeLineNow();
        input.clear();
        output.clear();
        outputBlocked = false;
        if (options_.reopenAfterMs >= 0) {
            reopenAt = now + std::chrono::milliseconds(options_.reopenAfterMs);
            reopenPending = true;
        }
    };

    while (!io_->stopping) {
        {
            std::vector<Io::Request> pending;
            {
                std::lock_guard lock(io_->requestMutex);
                pending.swap(io_->requests);
            }
            for (auto& r : pending) {
                QString error;
                dropLine(Clock::now());
                reopenPending = false;
                if (r.kind == kReopen && !openLine(&error) && error.isEmpty())
                    error = QStringLiteral("cannot open a new line");
                r.done.set_value(error);
            }
        }

        Clock::time_point now = Clock::now();
        if (io_->master >= 0) {
            for (;;) {
                const ssize_t n = ::read(io_->master, buf.data(), buf.size());
                if (n > 0) {
                    bytesIn_ += n;
                    const bool wire = wireTime_;
                    for (ssize_t i = 0; i < n; ++i) {
                        const Clock::time_point at = wire ? std::max(now, inFree) + byteTime : now;
                        inFree = at;
                        input.push_back({uint8_t(buf[size_t(i)]), at});
                    }
                    continue;
                }
                if (n < 0 && errno == EINTR)
                    continue;
                break;  // nothing waiting (the slave held open keeps EIO and hang-ups away)
            }
        }

        while (!input.empty() && input.front().at <= now && io_->master >= 0) {
            const Timed in = input.front();
            input.pop_front();
            RadioModel::Output out;
            {
                std::lock_guard lock(mutex_);
                out = model_.feed(in.byte, Duration(in.at - io_->epoch).count());
            }
            if (out.restart) {
                output.clear();
                outFree = lastWritten;
            }
            if (out.closeLine) {
                dropLine(now);
                break;
            }
            if (out.bytes.isEmpty())
                continue;
            const auto start = in.at + std::chrono::duration_cast<Clock::duration>(Duration(latencyMs_.load()));
            if (wireTime_) {
                Clock::time_point t = std::max(start, outFree);
                for (char c : out.bytes) {
                    t += byteTime;
                    output.push_back({uint8_t(c), t});
                }
                outFree = t;
            } else {
                for (char c : out.bytes)
                    output.push_back({uint8_t(c), start});
                outFree = std::max(outFree, start);
            }
        }

        if (reopenPending && now >= reopenAt) {
            reopenPending = false;
            openLine(nullptr);
        }

        outputBlocked = false;
        if (io_->master >= 0 && !output.empty() && output.front().at <= now) {
            size_t count = 0;
            while (count < output.size() && count < buf.size() && output[count].at <= now) {
                buf[count] = char(output[count].byte);
                ++count;
            }
            const ssize_t n = ::write(io_->master, buf.data(), count);
            if (n > 0) {
                bytesOut_ += n;
                lastWritten = output[size_t(n) - 1].at;
                output.erase(output.begin(), output.begin() + n);
            } else if (n < 0 && errno != EINTR) {
                // Full (nobody reads the line): wait until it takes bytes.
                outputBlocked = errno == EAGAIN || errno == EWOULDBLOCK;
                if (!outputBlocked)
                    dropLine(now);
            }
            if (size_t(std::max<ssize_t>(n, 0)) < count)
                outputBlocked = true;
        }

        std::optional<Clock::time_point> deadline;
        auto earliest = [&](Clock::time_point t) {
            if (!deadline || t < *deadline)
                deadline.emplace(t);
        };
        if (!input.empty())
            earliest(input.front().at);
        if (!output.empty() && !outputBlocked)
            earliest(output.front().at);
        if (reopenPending)
            earliest(reopenAt);

        std::vector<pollfd> fds{{io_->wake[0], POLLIN, 0}};
        if (io_->master >= 0)
            fds.push_back({io_->master, short(POLLIN | (outputBlocked ? POLLOUT : 0)), 0});
        waitFor(fds, deadline);
        if (fds[0].revents & POLLIN) {
            char drain[64];
            while (::read(io_->wake[0], drain, sizeof drain) > 0) {
            }
        }
    }

    std::lock_guard lock(io_->requestMutex);
    io_->running = false;
    for (auto& r : io_->requests)
        r.done.set_value(QStringLiteral("the radio has stopped"));
    io_->requests.clear();
}

}  // namespace vx::emu
