#pragma once
// The block transfer engine every transferring window runs on its own port
// and three timers (sender, reply time-out, retry pause).
//
// A transfer: handshake, 50-byte identity reply, then either read requests
// each answered by a 69-byte block (acknowledged with 06), or 16-byte row
// writes each acknowledged by the radio with 06.
//
//   first read request  06 53 AH AL 40     reply  lead 58 AH AL 40 + 64 bytes
//   read request           53 AH AL 40
//   write packet        06 58 AH AL 10 + 16 bytes
//
// Slots: the first read request asks for block 0 and its reply goes to slot
// S; the request made after slot s was stored asks for block s - 1 and its
// reply goes to slot s + 1. The read ends once slot L + 1 is stored.
//
//   Idle --start--> Handshake --good identity--> Transfer --last--> Idle
//                       |                           |
//                       +---- silence: time-out ----+--> Pausing --> Handshake
//                                                          (retry) or Idle (failed)

#include "link/identity.h"
#include "link/port.h"

#include <QByteArray>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vx {

class RadioDocument;

enum class Direction { Read, Write };

inline constexpr int kBlockReplySize = 69;
inline constexpr int kBlockBytes = 64;
inline constexpr int kWritePacketSize = 21;
inline constexpr uint8_t kAck = 0x06;

// What the engine needs from the radio's document, passed in rather than
// read from process-wide state: the port number to open, the port-failure
// flag, and where a good identity reply goes.
struct LinkContext {
    std::function<int()> portNumber;
    std::function<void(bool failed)> setPortFailure;
    std::function<void(const IdentityInfo&)> identified;

    // The document's port and failure flag; a good reply goes to the status
    // panels (publishIdentity()) and replaces the document's band limits and
    // the radio's model and serial number.
    static LinkContext of(RadioDocument& doc);
};

struct TransferParams {
    Direction direction = Direction::Read;
    uint8_t baseHigh = 0;
    uint8_t baseLow = 0;

    // Read: first slot S and last slot L; slots S..L+1 get filled.
    int firstSlot = 2;
    int lastSlot = 0;
    // Optional: address of read request j (j = 0 is the first request). By
    // default request j asks for the block the slot rule names, at
    // AH = B_H + k div 4, AL = B_L + (k mod 4) x 64.
    std::function<uint16_t(int request)> requestAddress;

    // Write: rows F..E-1 in ascending order.
    int firstRow = 0;
    int endRow = 0;
    // The 16 bytes of row n, read when its packet is built.
    std::function<std::array<uint8_t, 16>(int row)> rowData;
    // Optional: address of row n; by default base + 16 x n, that is
    // AH = B_H + n div 16, AL = B_L + (n mod 16) x 16.
    std::function<uint16_t(int row)> rowAddress;

    std::chrono::milliseconds retryPause{3000};
};

class TransferEngine {
public:
    enum class State {
        Idle,       // no transfer, or the last one finished or failed
        Handshake,  // handshake sent, waiting for the identity reply
        Transfer,   // identified: requests or packets going out
        Pausing,    // an attempt timed out; the retry pause runs (not busy)
    };

    // What the engine reports; each may be empty. A report may delete the
    // engine's owner: the engine touches nothing of itself afterwards.
    struct Events {
        // The port could not be opened (the window shows its own words).
        std::function<void()> portError;
        // A request or packet has just started. `request` counts them in this
        // attempt, 0 being the first right after the identity reply; `counter`
        // is the block counter before it moves on: the slot just stored (the
        // first slot S for request 0) or the row being sent.
        std::function<void(int request, int counter)> progress;
        // The transfer finished: timers off, port closed. For a read the
        // owner now runs its post-processing over replies().
        std::function<void()> finished;
        // An attempt ended in the reply time-out (port closed, not busy).
        std::function<void()> attemptFailed;
        // The retries are used up.
        std::function<void()> failed;
    };

    // The engine takes the window's port and timers; they must outlive it.
    // The port's failure report ends the running attempt at once, also when
    // it comes from inside one of the engine's own calls on the port: the
    // engine does nothing more for that attempt.
    TransferEngine(SerialPort& port, Timer& sender, Timer& timeout, Timer& retry, Events events,
                   LinkContext context = {});
    ~TransferEngine();
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    void setRetries(int n) { retriesLeft_ = n; }
    int retriesLeft() const { return retriesLeft_; }

    // Starts a transfer. Refused (false) while one runs; false also when the
    // port cannot be opened (portError has run).
    bool start(const TransferParams& params);
    // Stops everything at once without a report (the window is closing).
    void abandon();
    // Stops a transfer so that the radio is left as consistent as it can be:
    // a write that is sending ends when the packet in flight is acknowledged
    // (finished is reported then, and stopRequested() tells it apart from a
    // complete write; no acknowledgement runs into the reply time-out as
    // usual); anything else (a read, a handshake, a retry pause) stops at
    // once, as abandon(). True when the write waits for its packet.
    bool stopAfterPacket();
    bool stopRequested() const { return stopRequested_; }

    State state() const { return state_; }
    bool busy() const { return state_ == State::Handshake || state_ == State::Transfer; }
    bool reading() const { return busy() && params_.direction == Direction::Read; }
    bool writing() const { return busy() && params_.direction == Direction::Write; }
    bool identified() const { return state_ == State::Transfer; }
    int counter() const { return counter_; }
    const TransferParams& params() const { return params_; }

    // Replies of the last read, indexed by slot number (0..L+1); a slot that
    // was not filled is empty.
    const std::vector<QByteArray>& replies() const { return slots_; }

private:
    bool begin();
    void startSender();
    void senderTick();
    void onReceive();
    bool receiveStep();
    bool receiveAck();
    bool receiveBlock();
    bool receiveIdentity();
    void timeoutTick();
    void retryTick();
    void finish();
    void stopTimers();
    void buildReadRequest(int request, bool first);
    void buildWritePacket(int row);
    void reportProgress(int counter);

    SerialPort& port_;
    Timer& sender_;
    Timer& timeout_;
    Timer& retry_;
    const Events events_;
    const LinkContext context_;

    State state_ = State::Idle;
    TransferParams params_;
    QByteArray send_;
    int sendPos_ = 0;
    bool sendComplete_ = false;
    int counter_ = 0;
    int request_ = 0;
    int retriesLeft_ = 0;
    bool haveParams_ = false;
    bool stopRequested_ = false;
    int packet_ = 0;         // counts packets started, to notice a restart
    uint16_t expected_ = 0;  // address of the block last asked for
    std::vector<QByteArray> slots_;
    // False once the engine is gone; a report may delete the window that
    // owns it, and the receive loop must not touch the engine afterwards.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// True when a reply is the 69-byte answer to a read request for `address`:
// a leading byte of any value, the letter X (0x58), the address (high, low)
// and the length 0x40; or the same header from byte 0 when the leading byte
// is missing. Anything else is dropped by the engine and times out.
bool isBlockReply(const QByteArray& reply, uint16_t address);

// The 64 data bytes of a stored block reply. A reply with X at byte 1 and the
// length 0x40 at byte 4 has its data at bytes 5..68, whatever its leading
// byte (0x58 too). Any other reply: four bytes after the first 0x58 among
// bytes 0..5, or from byte 4 when there is none; a marker at byte 4 or 5
// would put the data past the reply, so such a reply is read from byte 4 as
// well. Bytes past the end of the reply read as 0.
QByteArray blockData(const QByteArray& reply);

}  // namespace vx
