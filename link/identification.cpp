#include "link/identification.h"

#include "image/radio_document.h"

#include "link/identification_texts.h"
#include "link/identity.h"
#include "link/status.h"

namespace vx {

namespace texts = identification_texts;

namespace {
using namespace std::chrono_literals;
constexpr int kRetries = 3;
constexpr auto kFirstByte = 15ms;
constexpr auto kByte = 10ms;
constexpr auto kReplyWait = 5000ms;
constexpr auto kRetryPause = 1500ms;
}  // namespace

struct Identification::State {
    std::unique_ptr<SerialPort> port = makeSerialPort();  // MSC
    std::unique_ptr<Timer> timer1 = makeTimer();          // sends one byte a tick
    std::unique_ptr<Timer> timer2 = makeTimer();          // waits for the reply
    std::unique_ptr<Timer> timer3 = makeTimer();          // pause before a retry
    bool probing = false;
    bool identified = false;
    bool sendComplete = false;
    int sendPos = 0;
    int retriesLeft = 0;
};

Identification::Identification(LinkContext context) : d(std::make_unique<State>()), context_(std::move(context))
{
    d->port->onReceive = [this] { onReceive(); };
    // A device that fails while open ends the attempt like the reply wait.
    d->port->onFailure = [this] {
        if (d->probing)
            onTimer2();
    };
    d->timer1->onTick = [this] { onTimer1(); };
    d->timer2->onTick = [this] { onTimer2(); };
    d->timer3->onTick = [this] { onTimer3(); };
}

Identification::~Identification()
{
    stopTimers();
    d->port->onReceive = nullptr;
    d->port->onFailure = nullptr;
    closePort();
}

void Identification::start()
{
    // A new identification starts from any state: a probe still running on
    // the old port is dropped rather than left sending to a closed port.
    stopTimers();
    d->probing = false;
    closePort();
    d->retriesLeft = kRetries;
    probe();
}

bool Identification::openPort()
{
    if (context_.setPortFailure)
        context_.setPortFailure(false);
    if (d->port->open(context_.portNumber ? context_.portNumber() : 0))
        return true;
    if (context_.setPortFailure)
        context_.setPortFailure(true);
    if (onPortError)
        onPortError();
    return false;
}

void Identification::closePort()
{
    if (d->port->isOpen())
        d->port->close();
}

void Identification::probe()
{
    if (d->probing)
        return;
    if (!d->port->isOpen() && !openPort())
        return;  // no retry follows a port that will not open
    d->identified = false;
    d->port->clearInput();
    d->probing = true;
    d->sendComplete = false;
    d->sendPos = 0;
    d->timer1->arm(kFirstByte);
}

void Identification::onTimer1()
{
    d->timer1->arm(kByte);
    if (d->sendPos < int(kHandshake.size())) {
        d->port->writeByte(kHandshake[size_t(d->sendPos)]);
        if (!d->probing)
            return;  // the device failed while the byte left
        d->timer2->arm(kReplyWait);
        ++d->sendPos;
    }
    if (d->sendPos >= int(kHandshake.size())) {
        d->timer2->arm(kReplyWait);
        d->timer1->disable();
        d->sendComplete = true;
    }
}

void Identification::onReceive()
{
    if (!d->probing || d->identified || !d->port->isOpen())
        return;
    if (d->port->bytesWaiting() < kIdentityReplySize)
        return;
    const QByteArray reply = d->port->read(kIdentityReplySize);
    d->port->clearInput();  // bytes beyond the reply are dropped
    const auto info = parseIdentityReply(reply);
    if (!info)
        return;  // ignored: Timer2 keeps running
    d->identified = true;
    stopTimers();
    if (context_.identified)
        context_.identified(*info);
    d->probing = false;
    closePort();
    if (onIdentified)
        onIdentified();
}

void Identification::onTimer2()
{
    // Timer2 is periodic; it stops itself so that only Timer3 runs on.
    d->timer1->disable();
    d->timer2->disable();
    d->timer3->arm(kRetryPause);
    closePort();
    d->probing = false;
}

void Identification::onTimer3()
{
    stopTimers();
    if (d->retriesLeft == 0) {
        setStatusPanel(3, texts::kStatLabel);
        setStatusPanel(4, texts::kFault);
        if (onGaveUp)
            onGaveUp();
        return;
    }
    --d->retriesLeft;
    probe();
}

void Identification::stop()
{
    stopTimers();
    d->probing = false;
    closePort();
}

void Identification::stopTimers()
{
    d->timer1->disable();
    d->timer2->disable();
    d->timer3->disable();
}

bool Identification::probing() const { return d->probing; }
bool Identification::identified() const { return d->identified; }
int Identification::retriesLeft() const { return d->retriesLeft; }
SerialPort& Identification::port() { return *d->port; }

int probePorts(RadioDocument& doc)
{
    for (int n = 8; n >= 1; --n) {
        doc.setPortNumber(n);
        doc.setPortFailure(false);
        auto port = makeSerialPort();
        if (port->open(n)) {
            port->close();
            return n;
        }
        doc.setPortFailure(true);
    }
    doc.setPortNumber(1);
    return 1;
}

}  // namespace vx
