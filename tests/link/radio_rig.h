#pragma once
// A scripted radio on the fake port. A packet is the bytes written until the
// line has been quiet for gatherMs; the radio then delivers
// `answer(packet)`. The default answer is a well-behaved radio.

#include "fake_link.h"
#include "image/image.h"
#include "link/identity.h"

#include <QByteArray>
#include <QList>
#include <array>
#include <functional>
#include <memory>

namespace vx::test {

// A good 50-byte identity reply.
QByteArray identityReply(std::array<int, 4> limits = {136, 174, 400, 480}, const QByteArray& model = "VX-80 ",
                         const QByteArray& version = "123456", const QByteArray& serial = "aaaaaabbbbbbcccc");
// The usual 69-byte answer to a read request: lead byte, 58 AH AL 40, data.
QByteArray blockReply(int address, const QByteArray& data);

class ScriptRadio {
public:
    using Answer = std::function<QByteArray(const QByteArray& packet)>;

    ScriptRadio(VirtualClock& clock, FakePort& port);

    // A radio with `memory`: identity reply to the handshake, blocks to read
    // requests, 06 to stored write packets.
    QByteArray radio(const QByteArray& packet);

    Answer answer;     // radio() unless replaced
    int gatherMs = 1;  // the engine sends a packet at one instant
    Image memory;
    QList<QByteArray> packets;        // as received
    QList<long long> packetTimes;     // when each packet's first byte left
    int count(char kind) const;       // packets of a kind: 'H'andshake, 'S' read, 'X' write, 'A'ck

    static char kindOf(const QByteArray& packet);
    static int addressOf(const QByteArray& packet);  // read request or write packet

private:
    VirtualClock& clock_;
    FakePort& port_;
    std::unique_ptr<Timer> flush_;
    QByteArray pending_;
    long long pendingSince_ = 0;
};

}  // namespace vx::test
