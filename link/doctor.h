#pragma once
// The connection check: step by step, why a radio does or does not answer
// on a port, each step with a verdict and what to do next.
//
//   1 devices    is there any serial device; is the chosen one there
//   2 open       can it be opened (permission, in use)
//   3 answer     does anything answer the handshake: nothing, an echo of
//                what was sent, bytes that are not the radio's, a flood,
//                part of the reply
//   4 identity   the reply: model, firmware, serial number, band limits
//   5 read       one block read, timed against the wire bound
//
// The check never writes to the radio's memory (the handshake and one read
// request are all it sends), changes no setting and leaves the port closed,
// whatever happens; it ends within 30 s. Every byte each way is kept in the
// trace, for a bug report.

#include "link/identity.h"
#include "link/port.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vx::doctor {

enum class Step { Devices, Open, Answer, Identity, Read };
inline constexpr int kSteps = 5;

enum class Cause {
    None,
    NoDevices,         // the system lists no serial device at all
    PortAbsent,        // the chosen port's device is not there
    PermissionDenied,  // the device may not be opened by this user
    Busy,              // another program holds it
    OpenFailed,        // it would not open, for a reason the system does not say
    Silent,            // nothing came back
    Echo,              // only what was sent came back
    Garbage,           // bytes that are not the radio's reply
    Flood,             // bytes without end
    Partial,           // the start of the reply, then nothing
    Vanished,          // the device went away during the check
    ReadFailed,        // identified, but the block did not come
    Stalled,           // the check ran out of time (the port takes no bytes)
};

struct StepResult {
    Step step;
    bool passed = false;
    Cause cause = Cause::None;
    QString facts;  // what was found: device, model, timing
    QString group;  // a permission refused: the group that owns the device
};

// What the system says of the device before anything is opened.
struct DeviceFacts {
    QString path;          // the device COM n opens
    bool exists = false;
    bool readable = false;
    bool writable = false;
    QString group;         // the group that owns the device node
    bool busy = false;     // the system says another program holds it
};

struct Environment {
    int portNumber = 8;
    int devices = 0;  // serial devices the system lists
    DeviceFacts device;
};

// This system's view of COM n.
Environment environment_of(int portNumber);

// The wire bound of the one-block read: handshake and request out, identity
// reply and block in, at 9600 baud, with a sender start a packet.
double read_bound_ms();

class Check {
public:
    // Port and timers come from makeSerialPort() and makeTimer(); `nowMs`
    // gives the time for the read's timing.
    Check(Environment environment, std::function<long long()> nowMs);
    ~Check();
    Check(const Check&) = delete;
    Check& operator=(const Check&) = delete;

    void start();
    bool running() const;
    const std::vector<StepResult>& results() const { return results_; }
    // The first step that failed; none when all passed.
    std::optional<StepResult> failure() const;
    std::optional<IdentityInfo> identity() const { return identity_; }
    // Every byte sent and received, with its time: "  12 ms > 5A 31 07".
    const QStringList& trace() const { return trace_; }

    // After each step, and at the end.
    std::function<void(const StepResult&)> onStep;
    std::function<void()> onFinished;

private:
    struct State;
    void pass(Step step, QString facts = {});
    void fail(Step step, Cause cause, QString facts = {});
    void finish();
    void sendNext();
    void received();
    void answerEnded();
    void startRead();
    void note(char direction, const QByteArray& bytes);

    Environment env_;
    std::function<long long()> now_;
    std::unique_ptr<State> d;
    std::vector<StepResult> results_;
    std::optional<IdentityInfo> identity_;
    QStringList trace_;
};

// The lines a check's results read as, in the language asked for: each
// step's verdict, what was found and what to do next, then the summary.
QStringList report(const std::vector<StepResult>& results, int portNumber, bool inChinese);
// "All checks passed: the radio answers on COM8." or the first failure.
QString summary(const std::vector<StepResult>& results, int portNumber, bool inChinese);
// What to do next for a cause; empty for None. `group` owns the device
// node (for a permission refused).
QString next_action(Cause cause, const QString& group, bool inChinese);

}  // namespace vx::doctor
