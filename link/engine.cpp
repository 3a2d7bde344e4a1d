#include "link/engine.h"

#include "image/radio_document.h"

#include <QPointer>

#include <algorithm>

namespace vx {

using namespace std::chrono_literals;

namespace {
constexpr auto kFirstByte = 15ms;   // from the start of the sender to its tick
constexpr auto kSenderRearm = 1000ms;
constexpr auto kMidPacket = 2000ms;  // silence allowed while a packet leaves
constexpr auto kReplyWait = 1000ms;  // silence allowed after a packet
}  // namespace

LinkContext LinkContext::of(RadioDocument& doc)
{
    QPointer<RadioDocument> d(&doc);
    return {[d] { return d ? d->portNumber() : 0; },
            [d](bool failed) {
                if (d)
                    d->setPortFailure(failed);
            },
            [d](const IdentityInfo& info) {
                publishIdentity(info);
                if (d) {
                    d->setBandLimits(info.bandLimits());
                    d->setIdentity(info.model.trimmed(), info.serial.trimmed());
                }
            }};
}

TransferEngine::TransferEngine(SerialPort& port, Timer& sender, Timer& timeout, Timer& retry, Events events,
                               LinkContext context)
    : port_(port), sender_(sender), timeout_(timeout), retry_(retry), events_(std::move(events)),
      context_(std::move(context))
{
    port_.onReceive = [this] { onReceive(); };
    port_.onFailure = [this] {
        // A vanished device ends the attempt like a time-out.
        if (busy())
            timeoutTick();
        else if (port_.isOpen())
            port_.close();
    };
    sender_.onTick = [this] { senderTick(); };
    timeout_.onTick = [this] { timeoutTick(); };
    retry_.onTick = [this] { retryTick(); };
}

TransferEngine::~TransferEngine()
{
    *alive_ = false;
    abandon();
    port_.onReceive = nullptr;
    port_.onFailure = nullptr;
    sender_.onTick = nullptr;
    timeout_.onTick = nullptr;
    retry_.onTick = nullptr;
}

bool TransferEngine::start(const TransferParams& params)
{
    if (busy())
        return false;
    // A fresh start replaces a retry still pausing; left armed, its tick
    // would stop the timers of the running transfer and leave it hanging.
    retry_.disable();
    state_ = State::Idle;
    stopRequested_ = false;
    params_ = params;
    haveParams_ = true;
    return begin();
}

bool TransferEngine::begin()
{
    if (!port_.isOpen()) {
        if (context_.setPortFailure)
            context_.setPortFailure(false);
        const int number = context_.portNumber ? context_.portNumber() : 0;
        if (!port_.open(number)) {
            state_ = State::Idle;
            if (context_.setPortFailure)
                context_.setPortFailure(true);
            if (events_.portError)
                events_.portError();
            return false;
        }
    }
    send_ = QByteArray(reinterpret_cast<const char*>(kHandshake.data()), int(kHandshake.size()));
    counter_ = 0;
    request_ = 0;
    if (params_.direction == Direction::Read)
        slots_.assign(size_t(std::max(params_.lastSlot + 2, 0)), QByteArray());
    state_ = State::Handshake;
    // A device that fails as soon as it is open ends this attempt like a
    // time-out; the retry pause runs.
    port_.clearInput();
    if (!busy())
        return true;
    startSender();
    return true;
}

void TransferEngine::abandon()
{
    stopTimers();
    state_ = State::Idle;
    if (port_.isOpen())
        port_.close();
}

bool TransferEngine::stopAfterPacket()
{
    if (state_ == State::Transfer && params_.direction == Direction::Write) {
        stopRequested_ = true;
        return true;
    }
    abandon();
    return false;
}

void TransferEngine::stopTimers()
{
    sender_.disable();
    timeout_.disable();
    retry_.disable();
}

void TransferEngine::startSender()
{
    ++packet_;
    sendComplete_ = false;
    sendPos_ = 0;
    sender_.arm(kFirstByte);
}

void TransferEngine::senderTick()
{
    sender_.arm(kSenderRearm);
    const int packet = packet_;
    while (sendPos_ < send_.size()) {
        port_.writeByte(uint8_t(send_[sendPos_]));
        // A device failing under the write ends the attempt; a reply handled
        // during the write may have started the next packet.
        if (!busy() || packet != packet_)
            return;
        timeout_.arm(kMidPacket);
        ++sendPos_;
    }
    timeout_.arm(kReplyWait);
    sender_.disable();
    sendComplete_ = true;
}

void TransferEngine::onReceive()
{
    // Handlers re-check the waiting count, so a burst is worked through step
    // by step; bytes that arrive while no transfer runs are ignored.
    const auto alive = alive_;
    while (*alive && busy() && port_.isOpen() && receiveStep()) {
    }
}

// One step of the receive event; true when another step may follow at once.
bool TransferEngine::receiveStep()
{
    if (state_ == State::Handshake)
        return receiveIdentity();
    return params_.direction == Direction::Write ? receiveAck() : receiveBlock();
}

bool TransferEngine::receiveIdentity()
{
    if (port_.bytesWaiting() < kIdentityReplySize)
        return false;
    const QByteArray reply = port_.read(kIdentityReplySize);
    // The line may end under the flush (a hang-up just after the reply came
    // in): the attempt is over, and the reply goes with it.
    port_.clearInput();
    if (!busy())
        return false;
    const auto info = parseIdentityReply(reply);
    if (!info)
        return false;  // ignored: the reply time-out keeps running
    state_ = State::Transfer;
    timeout_.disable();
    retry_.disable();
    if (context_.identified)
        context_.identified(*info);
    request_ = 0;
    if (params_.direction == Direction::Read) {
        buildReadRequest(0, true);
        counter_ = params_.firstSlot;
        startSender();
        port_.clearInput();
        if (!busy())
            return false;
    } else {
        counter_ = params_.firstRow;
        buildWritePacket(counter_);
        ++counter_;
        startSender();
    }
    reportProgress(params_.direction == Direction::Read ? counter_ : counter_ - 1);
    return false;
}

bool TransferEngine::receiveAck()
{
    if (port_.bytesWaiting() < 1)
        return false;
    const QByteArray b = port_.read(1);
    if (b.size() != 1 || uint8_t(b[0]) != kAck || !sendComplete_)
        return true;  // dropped
    timeout_.disable();
    if (counter_ >= params_.endRow || stopRequested_) {
        finish();
        return false;
    }
    const int row = counter_;
    buildWritePacket(row);
    ++counter_;
    ++request_;
    startSender();
    reportProgress(row);
    return true;
}

bool TransferEngine::receiveBlock()
{
    if (port_.bytesWaiting() < kBlockReplySize)
        return false;
    const QByteArray reply = port_.read(kBlockReplySize);
    port_.clearInput();
    if (!busy())
        return false;  // the line ended under the flush
    // A reply that is not the block asked for (garbage, a wrong header or
    // address) is dropped unacknowledged: the reply time-out runs on.
    if (!isBlockReply(reply, expected_))
        return false;
    timeout_.disable();
    if (counter_ >= 0 && counter_ < int(slots_.size()))
        slots_[size_t(counter_)] = reply;
    port_.writeByte(kAck);
    if (!busy())
        return false;  // the device failed under the acknowledgement
    if (params_.lastSlot < counter_) {
        finish();
        return false;
    }
    const int stored = counter_;
    buildReadRequest(++request_, false);
    startSender();
    ++counter_;
    reportProgress(stored);
    return false;
}

void TransferEngine::reportProgress(int counter)
{
    if (events_.progress)
        events_.progress(request_, counter);
}

void TransferEngine::buildReadRequest(int request, bool first)
{
    uint8_t ah = 0;
    uint8_t al = 0;
    if (params_.requestAddress) {
        const uint16_t a = params_.requestAddress(request);
        ah = uint8_t(a >> 8);
        al = uint8_t(a & 0xFF);
    } else {
        // Request j > 0 is made after slot S + j - 1 was stored and asks for
        // block (S + j - 1) - 1; the first request asks for block 0.
        const int block = first ? 0 : std::max(counter_ - 1, 0);
        ah = uint8_t(params_.baseHigh + block / 4);
        al = uint8_t(params_.baseLow + (block % 4) * 64);
    }
    expected_ = uint16_t(ah << 8 | al);
    send_.clear();
    if (first)
        send_.append(char(kAck));
    send_.append(char(0x53));
    send_.append(char(ah));
    send_.append(char(al));
    send_.append(char(0x40));
}

void TransferEngine::buildWritePacket(int row)
{
    uint8_t ah = 0;
    uint8_t al = 0;
    if (params_.rowAddress) {
        const uint16_t a = params_.rowAddress(row);
        ah = uint8_t(a >> 8);
        al = uint8_t(a & 0xFF);
    } else {
        ah = uint8_t(params_.baseHigh + row / 16);
        al = uint8_t(params_.baseLow + (row % 16) * 16);
    }
    send_.clear();
    send_.append(char(kAck));
    send_.append(char(0x58));
    send_.append(char(ah));
    send_.append(char(al));
    send_.append(char(0x10));
    std::array<uint8_t, 16> data;
    data.fill(0xFF);
    if (params_.rowData)
        data = params_.rowData(row);
    send_.append(reinterpret_cast<const char*>(data.data()), 16);
}

void TransferEngine::timeoutTick()
{
    // The reply time-out disables itself as well: it is periodic and must not
    // re-arm the retry pause while that runs.
    sender_.disable();
    timeout_.disable();
    retry_.arm(params_.retryPause);
    if (port_.isOpen())
        port_.close();
    state_ = State::Pausing;
    if (events_.attemptFailed)
        events_.attemptFailed();
}

void TransferEngine::retryTick()
{
    stopTimers();
    state_ = State::Idle;
    if (retriesLeft_ < 1) {
        if (events_.failed)
            events_.failed();
        return;
    }
    --retriesLeft_;
    if (haveParams_)
        begin();
}

void TransferEngine::finish()
{
    stopTimers();
    state_ = State::Idle;
    if (port_.isOpen())
        port_.close();
    if (events_.finished)
        events_.finished();
}

namespace {

constexpr uint8_t kMarker = 0x58;  // the letter X

// A block header at byte p: X, the address (high, low) and the length 0x40.
bool headerAt(const QByteArray& reply, int p, uint16_t address)
{
    return reply.size() >= p + 4 && uint8_t(reply[p]) == kMarker && uint8_t(reply[p + 1]) == uint8_t(address >> 8)
           && uint8_t(reply[p + 2]) == uint8_t(address & 0xFF) && uint8_t(reply[p + 3]) == kBlockBytes;
}

}  // namespace

bool isBlockReply(const QByteArray& reply, uint16_t address)
{
    if (reply.size() < kBlockReplySize)
        return false;
    // The usual reply has its header after a leading byte of any value (0x58
    // included); a reply without the leading byte is taken too.
    return headerAt(reply, 1, address) || headerAt(reply, 0, address);
}

QByteArray blockData(const QByteArray& reply)
{
    int start = 4;
    if (reply.size() > 4 && uint8_t(reply[1]) == kMarker && uint8_t(reply[4]) == kBlockBytes) {
        // The usual layout: the data follow the header at byte 1, whatever
        // the leading byte is.
        start = 5;
    } else {
        for (int i = 0; i < 6 && i < reply.size(); ++i) {
            if (uint8_t(reply[i]) == kMarker) {
                if (i < 4)
                    start = i + 4;
                break;
            }
        }
    }
    QByteArray out(kBlockBytes, '\0');
    for (int i = 0; i < kBlockBytes; ++i)
        if (start + i < reply.size())
            out[i] = reply[start + i];
    return out;
}

}  // namespace vx
