#pragma once
// A fake serial port and a virtual clock for driving link code in tests:
// time-outs and retry pauses take no test time.

#include "link/port.h"

#include <QByteArray>
#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace vx::test {

class VirtualClock;

class FakeTimer final : public Timer {
public:
    explicit FakeTimer(VirtualClock& clock);
    ~FakeTimer() override;
    void arm(std::chrono::milliseconds interval) override;
    void arm(int ms) { arm(std::chrono::milliseconds(ms)); }
    void disable() override;
    bool enabled() const override { return enabled_; }
    std::chrono::milliseconds interval() const override { return std::chrono::milliseconds(interval_); }

private:
    friend class VirtualClock;
    VirtualClock& clock_;
    bool enabled_ = false;
    int interval_ = 0;
    long long due_ = 0;
    long long order_ = 0;
};

// Time in milliseconds since the clock was made. Timers fire in order of
// their due time while advance() runs.
class VirtualClock {
public:
    long long now() const { return now_; }
    // Runs every timer tick due up to now + ms.
    void advance(long long ms);
    // Runs ticks until pred() holds or `limitMs` have passed; true if it held.
    bool runUntil(const std::function<bool()>& pred, long long limitMs = 600'000);
    std::unique_ptr<Timer> makeTimer() { return std::make_unique<FakeTimer>(*this); }
    // Installs this clock as the timer factory for windows made from now on.
    void install();

private:
    friend class FakeTimer;
    FakeTimer* nextDue(long long until);
    long long now_ = 0;
    long long sequence_ = 0;
    std::vector<FakeTimer*> timers_;
};

class FakePort final : public SerialPort {
public:
    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return open_; }
    int bytesWaiting() const override { return int(input_.size()); }
    QByteArray read(int maxBytes) override;
    void clearInput() override;
    void writeByte(uint8_t byte) override;

    // Bytes arrive from the radio: appended to the input, then the receive
    // notification runs once for the whole burst.
    void deliver(const QByteArray& bytes);
    // The device fails while open (cable pulled).
    void fail();

    std::set<int> available{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    QByteArray written;          // every byte written since made
    int opens = 0;               // successful opens
    int openAttempts = 0;
    int lastPortNumber = 0;
    // Called after each byte written, e.g. by a scripted radio.
    std::function<void(uint8_t)> onWrite;
    // Called after the input was emptied, e.g. to fail the device there as a
    // hung-up line fails its flush.
    std::function<void()> onClear;

private:
    bool open_ = false;
    QByteArray input_;
};

// While alive, every serial port made through makeSerialPort() is a FakePort
// with the given ports available; `last` is the newest one.
class FakePorts {
public:
    explicit FakePorts(std::set<int> available = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    ~FakePorts();
    FakePorts(const FakePorts&) = delete;
    FakePorts& operator=(const FakePorts&) = delete;

    std::set<int> available;
    FakePort* last = nullptr;
};

// Runs the real event loop until done() holds or `ms` have passed, checking
// after every batch of events (QTRY_* would sleep 10 ms between checks and
// slow a transfer over a real line down).
bool runEventsUntil(const std::function<bool()>& done, int ms);

}  // namespace vx::test
