#include "radio_rig.h"

namespace vx::test {

QByteArray identityReply(std::array<int, 4> limits, const QByteArray& model, const QByteArray& version,
                         const QByteArray& serial)
{
    QByteArray r(kIdentityReplySize, '\0');
    for (int k = 0; k < 4; ++k)
        for (int d = 0; d < 3; ++d)
            r[1 + 3 * k + d] = char(QByteArray::number(limits[k]).rightJustified(3, '0')[d] - '0');
    r.replace(13, 4, "PNRB");
    r.replace(17, 6, model.leftJustified(6, ' ', true));
    r.replace(23, 6, version.leftJustified(6, ' ', true));
    r.replace(33, 16, serial.leftJustified(16, ' ', true));
    r[49] = char(kIdentityEndMark);
    return r;
}

QByteArray blockReply(int address, const QByteArray& data)
{
    return QByteArray("\x06\x58", 2) + char(address >> 8) + char(address & 0xFF) + char(0x40) + data.leftJustified(64, '\xFF', true);
}

ScriptRadio::ScriptRadio(VirtualClock& clock, FakePort& port)
    : answer([this](const QByteArray& p) { return radio(p); }), clock_(clock), port_(port), flush_(clock.makeTimer())
{
    port_.onWrite = [this](uint8_t byte) {
        if (pending_.isEmpty())
            pendingSince_ = clock_.now();
        pending_.append(char(byte));
        flush_->arm(std::chrono::milliseconds(gatherMs));  // a packet ends when the line goes quiet
    };
    flush_->onTick = [this] {
        flush_->disable();
        const QByteArray packet = std::exchange(pending_, {});
        packets << packet;
        packetTimes << pendingSince_;
        if (const QByteArray reply = answer(packet); !reply.isEmpty())
            port_.deliver(reply);
    };
}

char ScriptRadio::kindOf(const QByteArray& p)
{
    const QByteArray body = p.startsWith('\x06') ? p.mid(1) : p;
    if (p == QByteArray(reinterpret_cast<const char*>(kHandshake.data()), 8))
        return 'H';
    if (body.size() == 4 && body[0] == 'S' && uint8_t(body[3]) == 0x40)
        return 'S';
    if (p.size() == 21 && body[0] == 'X' && body[3] == 0x10)
        return 'X';
    return body.isEmpty() ? 'A' : '?';
}

int ScriptRadio::addressOf(const QByteArray& p)
{
    const QByteArray body = p.startsWith('\x06') ? p.mid(1) : p;
    return body.size() >= 3 ? uint8_t(body[1]) << 8 | uint8_t(body[2]) : -1;
}

int ScriptRadio::count(char kind) const
{
    return int(std::count_if(packets.begin(), packets.end(), [kind](const QByteArray& p) { return kindOf(p) == kind; }));
}

QByteArray ScriptRadio::radio(const QByteArray& p)
{
    const int address = addressOf(p);
    switch (kindOf(p)) {
    case 'H':
        return identityReply();
    case 'S': {
        QByteArray data(64, '\xFF');
        for (int i = 0; i < 64 && address + i < Image::kSize; ++i)
            data[i] = char(memory.bytes()[size_t(address + i)]);
        return blockReply(address, data);
    }
    case 'X':
        if (address % 16 == 0 && Image::validRow(address / 16))
            memory.setRow(address / 16, std::span(reinterpret_cast<const uint8_t*>(p.constData()) + 5, 16));
        return QByteArray(1, '\x06');
    default:
        return {};
    }
}

}  // namespace vx::test
