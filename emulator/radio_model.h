#pragma once
// A byte-in / byte-out model of the transceiver's programming interface.
// No I/O and no clock of its own: the caller feeds the bytes that arrive on
// the line and sends what comes back (PtyRadio does so over a
// pseudo-terminal; tests call it directly).
//
//   from the computer                        answer
//   5A 31 07 1C 44 61 2E 09 (any time)       50-byte identity reply, new session
//   [06] 53 AH AL 40                         lead 58 AH AL 40 + 64 bytes at AH:AL
//   [06] 58 AH AL 10 + 16 bytes              06, after storing the row
//   06 on its own                            nothing (block acknowledgement)
//
// Commands count only inside a session (after a handshake). Bytes that fit
// no command are skipped one at a time, so the parser finds its feet again
// on the next command or handshake.

#include "image/image.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace vx::emu {

// What the identity reply reports.
struct RadioIdentity {
    std::array<int, 4> limits{136, 174, 400, 480};  // MHz: A low, A high, B low, B high (0..999)
    QByteArray model = "EMU-01";    // 6 characters
    QByteArray version = "150825";  // 6 characters, shown as 15.08.2.5
    QByteArray serial = "EMU000" "000000" "0001";  // 16 characters (6 + 6 + 4)

    // Fills `serial` from "AAAAAA--BBBBBB--CCCC" (as the status bar shows it)
    // or from a plain text of up to 16 characters.
    void setSerialText(const QString& text);
};

// Faults the radio plays on request. Each can be changed at any time; the
// counting ones (dropEvery, closeAfter) count from the moment they are set.
struct RadioFaults {
    bool silence = false;        // no answer at all
    bool wrongIdentity = false;  // identity reply carries "PNRX" instead of "PNRB"
    bool noEndMark = false;      // identity reply byte 49 is 0x54 instead of 0x55
    int shortReply = 0;          // identity and block replies lose this many trailing bytes
    int garbage = 0;             // this many random bytes go before every reply
    bool withholdAck = false;    // written rows are stored but not acknowledged
    int dropEvery = 0;           // every Nth reply (any kind) is not sent; 0 = off
    int closeAfter = -1;         // the line closes when command N + 1 arrives; -1 = off
    uint32_t seed = 1;           // for the garbage bytes

    bool any() const;
    bool operator==(const RadioFaults&) const = default;
};

// Applies one "NAME[=ARG]" switch to `faults`:
//   silence, wrong-identity, no-end-mark, short[=N] (1), garbage[=N] (3),
//   no-ack, drop-every=N, close-after=N, seed=N, none (clears all).
// False (and `faults` unchanged) for an unknown name or a bad argument.
bool applyFaultSwitch(const QString& text, RadioFaults& faults, QString* error = nullptr);

// The memory of --demo: a radio as it leaves the factory (every setting at
// its factory value, the constant 5-tone tables, the factory channel set)
// with a few channel names, so a first read shows something.
Image demoMemory();

struct RadioCounters {
    int handshakes = 0;
    int commands = 0;      // handshakes, read requests and write packets
    int readRequests = 0;
    int rowsWritten = 0;   // write packets stored
    int replies = 0;       // identity replies, blocks and acknowledgements given out
    int skipped = 0;       // bytes that fitted no command
    int lastAddress = -1;  // of the last read request or write packet
    bool operator==(const RadioCounters&) const = default;
};

class RadioModel {
public:
    static constexpr int kMemoryEnd = Image::kSize;  // 0x4010: memory is 0x0000..0x400F
    static constexpr uint8_t kLeadByte = 0x06;       // first byte of a block reply
    static constexpr double kPacketTimeoutMs = 500;  // a packet left unfinished this long is dropped

    // What the radio does in answer to the bytes fed.
    struct Output {
        QByteArray bytes;        // to be sent, in order
        bool restart = false;    // a new session began: drop what was still to be sent
        bool closeLine = false;  // the line closes now; nothing more is sent
    };

    RadioModel();

    // One byte from the line. `atMs` is its arrival time on any steady
    // clock, or negative when the caller keeps no time; with times given, a
    // packet whose bytes stop coming for kPacketTimeoutMs is dropped.
    Output feed(uint8_t byte, double atMs = -1);
    // Several bytes at once (tests): the outputs joined; a restart drops what
    // came before it; a closed line takes no more bytes.
    Output feed(const QByteArray& bytes);

    bool inSession() const { return session_; }
    // Ends the session (line closed or reopened): commands wait for a new
    // handshake.
    void reset();

    Image& memory() { return memory_; }
    const Image& memory() const { return memory_; }
    // The 64 bytes a read request at `address` is answered with.
    QByteArray block(int address) const;

    const RadioIdentity& identity() const { return identity_; }
    void setIdentity(const RadioIdentity& id) { identity_ = id; }
    // The identity reply as this radio sends it, before faults.
    QByteArray identityReply() const;

    const RadioFaults& faults() const { return faults_; }
    void setFaults(const RadioFaults& faults);

    const RadioCounters& counters() const { return counters_; }
    void resetCounters() { counters_ = {}; }

    // Every read request ('S') and write packet ('X') taken, with its address,
    // in the order they arrived; cleared by clearLog().
    struct LoggedCommand {
        char kind;
        int address;
        bool operator==(const LoggedCommand&) const = default;
    };
    const std::vector<LoggedCommand>& log() const { return log_; }
    void clearLog() { log_.clear(); }

private:
    enum class Packet { None, Read, Write };

    Output commandByte(uint8_t byte);
    Output answerRead();
    Output answerWrite();
    Output reply(QByteArray bytes, bool cuttable);
    void rescan(Output& out);
    bool countCommand();  // false when the line closes instead

    Image memory_;
    RadioIdentity identity_;
    RadioFaults faults_;
    RadioCounters counters_;
    std::vector<LoggedCommand> log_;
    std::mt19937 rng_;
    int repliesSinceFaults_ = 0;
    int commandsSinceFaults_ = 0;

    bool session_ = false;
    int handshakeMatched_ = 0;
    QByteArray packet_;
    double lastByteMs_ = -1;
};

}  // namespace vx::emu
