#include "link/doctor.h"

#include "link/doctor_texts.h"
#include "link/engine.h"
#include "link/port_inventory.h"
#include "link/portmap.h"
#include "link/whole_radio.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace vx::doctor {

namespace {

namespace T = doctor_text;
using namespace std::chrono_literals;

constexpr auto kSenderTick = 10ms;      // the sender's first tick, as the engine's
constexpr auto kFirstByteWait = 1500ms; // how long the radio may take to start its reply
constexpr auto kQuietGap = 300ms;       // a reply that stops this long is over
constexpr auto kDeadline = 25s;         // the whole check, whatever happens
constexpr int kFloodBytes = 4096;       // more than any reply: a device that floods
constexpr double kByteMs = 10.0 * 1000.0 / 9600.0;

QString hex(const QByteArray& bytes, int most = 24)
{
    QString s = QString::fromLatin1(bytes.left(most).toHex(' ').toUpper());
    return bytes.size() > most ? s + QStringLiteral(" …") : s;
}

// Records every byte each way into the check's trace.
class RecordingPort final : public SerialPort {
public:
    RecordingPort(std::unique_ptr<SerialPort> inner, std::function<void(char, const QByteArray&)> note)
        : inner_(std::move(inner)), note_(std::move(note))
    {
        inner_->onReceive = [this] {
            if (onReceive)
                onReceive();
        };
        inner_->onFailure = [this] {
            vanished = true;
            if (onFailure)
                onFailure();
        };
    }
    bool open(int portNumber) override { return inner_->open(portNumber); }
    void close() override { inner_->close(); }
    bool isOpen() const override { return inner_->isOpen(); }
    int bytesWaiting() const override { return inner_->bytesWaiting(); }
    QByteArray read(int maxBytes) override
    {
        const QByteArray b = inner_->read(maxBytes);
        if (!b.isEmpty())
            note_('<', b);
        return b;
    }
    void clearInput() override { inner_->clearInput(); }
    void writeByte(uint8_t byte) override
    {
        note_('>', QByteArray(1, char(byte)));
        inner_->writeByte(byte);
    }

    bool vanished = false;

private:
    std::unique_ptr<SerialPort> inner_;
    std::function<void(char, const QByteArray&)> note_;
};

// The start of an identity reply: digit bytes where the band limits go, or
// the identity word.
bool startsLikeReply(const QByteArray& b)
{
    if (b.contains("PNRB"))
        return true;
    for (int i = 1; i < std::min<int>(int(b.size()), 13); ++i)
        if (uint8_t(b[i]) > 9)
            return false;
    return b.size() > 1;
}

}  // namespace

struct Check::State {
    std::unique_ptr<RecordingPort> port;
    std::unique_ptr<Timer> tick, wait, deadline, sender, timeout, retry;
    std::unique_ptr<TransferEngine> engine;
    Image scratch;  // the read lands here; nothing of the document changes
    TransferPlan plan;
    QByteArray answer;
    int sent = 0;
    long long readStarted = 0;
    long long lastNote = -1;  // the trace's last line: when, and which way
    char lastDirection = 0;
    bool running = false;
    Step step = Step::Devices;
};

Environment environment_of(int portNumber)
{
    Environment env;
    env.portNumber = portNumber;
    env.devices = int(QSerialPortInfo::availablePorts().size());
    DeviceFacts& d = env.device;
    d.path = deviceForPort(portNumber);
    const QFileInfo f(d.path);
    d.exists = f.exists();
#if defined(Q_OS_WIN)
    d.readable = d.writable = d.exists;
#else
    d.readable = f.isReadable();
    d.writable = f.isWritable();
    d.group = QFileInfo(f.canonicalFilePath()).group();
#endif
    d.busy = d.exists && lock_held(d.path, defaultLockFolders());
    return env;
}

double read_bound_ms()
{
    // Handshake (8) and one request (5) plus its acknowledgement (1) out;
    // the identity reply (50) and one block (69) in; two packets started.
    return (8 + 5 + 1 + 50 + 69) * kByteMs + 2 * 15.0;
}

Check::Check(Environment environment, std::function<long long()> nowMs) : env_(std::move(environment)), now_(std::move(nowMs)), d(new State)
{
    d->port = std::make_unique<RecordingPort>(makeSerialPort(), [this](char dir, const QByteArray& b) { note(dir, b); });
    for (auto* t : {&d->tick, &d->wait, &d->deadline, &d->sender, &d->timeout, &d->retry})
        *t = makeTimer();
    d->tick->onTick = [this] { sendNext(); };
    d->wait->onTick = [this] { answerEnded(); };
    d->deadline->onTick = [this] {
        d->engine.reset();
        fail(d->step, Cause::Stalled);
    };
}

Check::~Check()
{
    d->engine.reset();
    d->port->close();
}

bool Check::running() const { return d->running; }

std::optional<StepResult> Check::failure() const
{
    for (const StepResult& r : results_)
        if (!r.passed)
            return r;
    return std::nullopt;
}

// Bytes going the same way within a few milliseconds make one line (a
// packet goes out a byte at a time).
void Check::note(char direction, const QByteArray& bytes)
{
    const long long now = now_();
    const QString hexBytes = QString::fromLatin1(bytes.toHex(' ').toUpper());
    if (!trace_.isEmpty() && now - d->lastNote <= 5 && direction == d->lastDirection) {
        d->lastNote = now;
        trace_.last() += QLatin1Char(' ') + hexBytes;
        return;
    }
    d->lastNote = now;
    d->lastDirection = direction;
    trace_ << QStringLiteral("%1 ms %2 %3").arg(now, 7).arg(QLatin1Char(direction)).arg(hexBytes);
}

void Check::start()
{
    results_.clear();
    trace_.clear();
    identity_.reset();
    d->running = true;
    d->deadline->arm(std::chrono::duration_cast<std::chrono::milliseconds>(kDeadline));
    trace_ << QStringLiteral("COM%1 = %2").arg(env_.portNumber).arg(env_.device.path);

    // 1: devices.
    d->step = Step::Devices;
    const QString found = T::devicesFound.str().arg(env_.devices).arg(env_.portNumber).arg(env_.device.path);
    if (!env_.device.exists) {
        fail(Step::Devices, env_.devices == 0 ? Cause::NoDevices : Cause::PortAbsent, found);
        return;
    }
    pass(Step::Devices, found);

    // 2: open.
    d->step = Step::Open;
    if (!d->port->open(env_.portNumber)) {
        Cause cause = Cause::OpenFailed;
        // A device this user may read and write that still will not open is
        // held by another program, as a rule.
        if (!env_.device.readable || !env_.device.writable)
            cause = Cause::PermissionDenied;
        else
            cause = Cause::Busy;
        StepResult r{Step::Open, false, cause, env_.device.path, env_.device.group};
        results_.push_back(r);
        if (onStep)
            onStep(r);
        finish();
        return;
    }
    pass(Step::Open, T::opened.str().arg(env_.device.path));

    // 3: the handshake, a byte a tick.
    d->step = Step::Answer;
    d->port->onReceive = [this] { received(); };
    d->port->onFailure = [this] { fail(Step::Answer, Cause::Vanished); };
    d->answer.clear();
    d->sent = 0;
    d->port->clearInput();
    d->tick->arm(kSenderTick);
}

// The handshake goes out at the sender's first tick, all at once, as the
// engine sends its packets.
void Check::sendNext()
{
    d->tick->disable();
    d->wait->arm(kFirstByteWait);
    while (d->sent < int(kHandshake.size()) && d->port->isOpen() && d->step == Step::Answer)
        d->port->writeByte(kHandshake[size_t(d->sent++)]);
}

void Check::received()
{
    if (d->step != Step::Answer || !d->port->isOpen())
        return;
    d->answer += d->port->read(kFloodBytes);
    if (d->answer.size() >= kFloodBytes) {
        answerEnded();
        return;
    }
    if (d->sent < int(kHandshake.size()))
        return;  // still sending: an echo comes now
    // A good reply ends the wait at once; anything else waits for a pause.
    const QByteArray reply = d->answer.startsWith(QByteArray(reinterpret_cast<const char*>(kHandshake.data()), int(kHandshake.size())))
                                 ? d->answer.mid(int(kHandshake.size()))
                                 : d->answer;
    if (parseIdentityReply(reply))
        answerEnded();
    else
        d->wait->arm(kQuietGap);
}

void Check::answerEnded()
{
    d->tick->disable();
    d->wait->disable();
    if (d->step != Step::Answer)
        return;
    d->port->onReceive = nullptr;
    d->port->onFailure = nullptr;
    d->port->close();
    const QByteArray handshake(reinterpret_cast<const char*>(kHandshake.data()), int(kHandshake.size()));
    QByteArray reply = d->answer;
    const bool echoed = reply.startsWith(handshake) || (!reply.isEmpty() && handshake.startsWith(reply));
    if (reply.startsWith(handshake))
        reply = reply.mid(handshake.size());
    const QString got = T::receivedBytes.str().arg(d->answer.size()).arg(hex(d->answer));
    if (d->answer.size() >= kFloodBytes) {
        fail(Step::Answer, Cause::Flood, got);
        return;
    }
    if (d->answer.isEmpty()) {
        fail(Step::Answer, Cause::Silent);
        return;
    }
    if (echoed && (reply.isEmpty() || handshake.startsWith(d->answer))) {
        fail(Step::Answer, Cause::Echo, got);
        return;
    }
    const std::optional<IdentityInfo> info = parseIdentityReply(reply);
    if (!info) {
        fail(Step::Answer, reply.size() < kIdentityReplySize && startsLikeReply(reply) ? Cause::Partial : Cause::Garbage, got);
        return;
    }
    pass(Step::Answer, T::answered.str().arg(reply.size()));

    // 4: what the radio says it is.
    identity_ = info;
    const IdentityInfo& i = *info;
    pass(Step::Identity, T::identityFacts.str()
                             .arg(i.model.trimmed(), i.version.trimmed(), i.serial.trimmed())
                             .arg(i.limits[0])
                             .arg(i.limits[1])
                             .arg(i.limits[2])
                             .arg(i.limits[3]));
    startRead();
}

// 5: block 0, as a read of the editors fetches it, on an engine of the
// check's own.
void Check::startRead()
{
    d->step = Step::Read;
    d->plan = blocksReadPlan(d->scratch, {0});
    TransferEngine::Events events;
    events.finished = [this] {
        const bool stored = d->plan.store(d->engine->replies());
        const long long took = now_() - d->readStarted;
        if (stored)
            pass(Step::Read, T::readFacts.str().arg(took).arg(read_bound_ms(), 0, 'f', 0));
        else
            fail(Step::Read, Cause::ReadFailed);
    };
    events.failed = [this] { fail(Step::Read, d->port->vanished ? Cause::Vanished : Cause::ReadFailed); };
    events.portError = [this] { fail(Step::Read, Cause::Vanished); };
    LinkContext context;
    context.portNumber = [n = env_.portNumber] { return n; };
    d->engine = std::make_unique<TransferEngine>(*d->port, *d->sender, *d->timeout, *d->retry, std::move(events), std::move(context));
    d->engine->setRetries(0);
    d->readStarted = now_();
    d->engine->start(d->plan.params);
}

void Check::pass(Step step, QString facts)
{
    results_.push_back({step, true, Cause::None, std::move(facts), {}});
    if (onStep)
        onStep(results_.back());
    if (step == Step::Read)
        finish();
}

void Check::fail(Step step, Cause cause, QString facts)
{
    if (!d->running)
        return;
    results_.push_back({step, false, cause, std::move(facts), {}});
    if (onStep)
        onStep(results_.back());
    finish();
}

void Check::finish()
{
    if (!d->running)
        return;
    d->running = false;
    for (auto* t : {&d->tick, &d->wait, &d->deadline})
        (*t)->disable();
    if (d->engine)
        d->engine->abandon();
    d->port->onReceive = nullptr;
    d->port->onFailure = nullptr;
    d->port->close();
    if (onFinished)
        onFinished();
}

QString next_action(Cause cause, const QString& group, bool inChinese)
{
    const Text& t = T::actions[size_t(cause)];
    return cause == Cause::PermissionDenied ? t.in(inChinese).arg(group.isEmpty() ? QStringLiteral("dialout") : group) : t.in(inChinese);
}

QString summary(const std::vector<StepResult>& results, int portNumber, bool inChinese)
{
    for (const StepResult& r : results)
        if (!r.passed)
            return T::stoppedAt.in(inChinese)
                .arg(int(r.step) + 1)
                .arg(T::steps[size_t(r.step)].in(inChinese), T::causes[size_t(r.cause)].in(inChinese));
    return T::allPassed.in(inChinese).arg(portNumber);
}

QStringList report(const std::vector<StepResult>& results, int portNumber, bool inChinese)
{
    QStringList out;
    for (int s = 0; s < kSteps; ++s) {
        const auto it = std::ranges::find_if(results, [s](const StepResult& r) { return int(r.step) == s; });
        const QString name = T::steps[size_t(s)].in(inChinese);
        if (it == results.end()) {
            out << T::stepLine.in(inChinese).arg(s + 1).arg(name, T::notRun.in(inChinese));
            continue;
        }
        QString verdict = it->passed ? T::passed.in(inChinese) : T::failed.in(inChinese) + QStringLiteral(" — ") + T::causes[size_t(it->cause)].in(inChinese);
        if (!it->facts.isEmpty())
            verdict += QStringLiteral(" (") + it->facts + QLatin1Char(')');
        out << T::stepLine.in(inChinese).arg(s + 1).arg(name, verdict);
        if (!it->passed)
            out << T::nextLine.in(inChinese).arg(next_action(it->cause, it->group, inChinese));
    }
    out << summary(results, portNumber, inChinese);
    return out;
}

}  // namespace vx::doctor
