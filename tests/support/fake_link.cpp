#include "fake_link.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace vx::test {

FakeTimer::FakeTimer(VirtualClock& clock) : clock_(clock) { clock_.timers_.push_back(this); }

FakeTimer::~FakeTimer()
{
    auto& t = clock_.timers_;
    t.erase(std::remove(t.begin(), t.end(), this), t.end());
}

void FakeTimer::arm(std::chrono::milliseconds interval)
{
    const int ms = int(interval.count());
    interval_ = ms;
    enabled_ = true;
    due_ = clock_.now_ + std::max(ms, 0);
    order_ = ++clock_.sequence_;
}

void FakeTimer::disable() { enabled_ = false; }

FakeTimer* VirtualClock::nextDue(long long until)
{
    FakeTimer* best = nullptr;
    for (FakeTimer* t : timers_) {
        if (!t->enabled_ || t->due_ > until)
            continue;
        if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->order_ < best->order_))
            best = t;
    }
    return best;
}

void VirtualClock::advance(long long ms)
{
    const long long target = now_ + ms;
    while (FakeTimer* t = nextDue(target)) {
        now_ = std::max(now_, t->due_);
        // Periodic: the next tick is one interval later unless re-armed.
        t->due_ = now_ + std::max(t->interval_, 1);
        t->order_ = ++sequence_;
        if (t->onTick)
            t->onTick();
    }
    now_ = target;
}

bool VirtualClock::runUntil(const std::function<bool()>& pred, long long limitMs)
{
    const long long end = now_ + limitMs;
    while (!pred()) {
        FakeTimer* t = nextDue(end);
        if (!t) {
            now_ = end;
            return pred();
        }
        advance(t->due_ - now_);
    }
    return true;
}

void VirtualClock::install()
{
    setTimerFactory([this] { return makeTimer(); });
}

bool FakePort::open(int portNumber)
{
    ++openAttempts;
    lastPortNumber = portNumber;
    if (!available.count(portNumber))
        return false;
    open_ = true;
    input_.clear();
    ++opens;
    return true;
}

void FakePort::close()
{
    open_ = false;
    input_.clear();
}

void FakePort::clearInput()
{
    input_.clear();
    if (onClear)
        onClear();
}

QByteArray FakePort::read(int maxBytes)
{
    const QByteArray out = input_.left(maxBytes);
    input_.remove(0, out.size());
    return out;
}

void FakePort::writeByte(uint8_t byte)
{
    written.append(char(byte));
    if (onWrite)
        onWrite(byte);
}

void FakePort::deliver(const QByteArray& bytes)
{
    if (!open_)
        return;  // a closed port hears nothing
    input_.append(bytes);
    if (onReceive)
        onReceive();
}

void FakePort::fail()
{
    if (!open_)
        return;
    open_ = false;
    input_.clear();
    if (onFailure)
        onFailure();
}

FakePorts::FakePorts(std::set<int> ports) : available(std::move(ports))
{
    setSerialPortFactory([this] {
        auto p = std::make_unique<FakePort>();
        p->available = available;
        last = p.get();
        return p;
    });
}

FakePorts::~FakePorts() { setSerialPortFactory(nullptr); }

bool runEventsUntil(const std::function<bool()>& done, int ms)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

}  // namespace vx::test
