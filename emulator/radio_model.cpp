#include "emulator/radio_model.h"

#include "editors/defaults.h"

#include "editors/channels/channel_codec.h"
#include "image/tables.h"
#include "link/identity.h"

#include <QStringList>
#include <algorithm>

namespace vx::emu {

namespace {

constexpr uint8_t kRead = 0x53;   // 'S'
constexpr uint8_t kWrite = 0x58;  // 'X'
constexpr uint8_t kAck = 0x06;
constexpr uint8_t kBlockLength = 0x40;
constexpr uint8_t kRowLength = 0x10;
constexpr int kReadPacket = 4;    // 53 AH AL 40
constexpr int kWritePacket = 20;  // 58 AH AL 10 + 16 bytes
constexpr int kBlockBytes = 64;

// Copies `text` into `out` at `at`, cut or padded with spaces to `width`.
void putText(QByteArray& out, int at, const QByteArray& text, int width)
{
    for (int i = 0; i < width; ++i)
        out[at + i] = i < text.size() ? text[i] : ' ';
}

QByteArray fitted(const QString& text, int width)
{
    return text.toLatin1().left(width).leftJustified(width, ' ');
}

RadioModel::Output lineClosed()
{
    RadioModel::Output out;
    out.closeLine = true;
    return out;
}

int address(const QByteArray& packet) { return (uint8_t(packet[1]) << 8) | uint8_t(packet[2]); }

}  // namespace

void RadioIdentity::setSerialText(const QString& text)
{
    const QStringList parts = text.split(QStringLiteral("--"));
    if (parts.size() == 3)
        serial = fitted(parts[0], 6) + fitted(parts[1], 6) + fitted(parts[2], 4);
    else
        serial = fitted(text, 16);
}

bool RadioFaults::any() const
{
    RadioFaults none;
    none.seed = seed;
    return !(*this == none);
}

bool applyFaultSwitch(const QString& text, RadioFaults& faults, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const int eq = text.indexOf(QLatin1Char('='));
    const QString name = (eq < 0 ? text : text.left(eq)).trimmed().toLower();
    const bool hasArg = eq >= 0;
    bool ok = true;
    const long long arg = hasArg ? text.mid(eq + 1).trimmed().toLongLong(&ok) : 0;
    if (!ok)
        return fail(QStringLiteral("fault %1: the argument is not a whole number").arg(name));

    auto flag = [&](bool RadioFaults::*member) {
        if (hasArg)
            return fail(QStringLiteral("fault %1 takes no argument").arg(name));
        faults.*member = true;
        return true;
    };
    auto number = [&](int RadioFaults::*member, long long fallback, long long low, long long high) {
        const long long v = hasArg ? arg : fallback;
        if (v < low || v > high)
            return fail(QStringLiteral("fault %1 needs a number from %2 to %3").arg(name).arg(low).arg(high));
        faults.*member = int(v);
        return true;
    };

    if (name == QLatin1String("none")) {
        const uint32_t seed = faults.seed;
        faults = RadioFaults{};
        faults.seed = seed;
        return true;
    }
    if (name == QLatin1String("silence"))
        return flag(&RadioFaults::silence);
    if (name == QLatin1String("wrong-identity"))
        return flag(&RadioFaults::wrongIdentity);
    if (name == QLatin1String("no-end-mark"))
        return flag(&RadioFaults::noEndMark);
    if (name == QLatin1String("no-ack"))
        return flag(&RadioFaults::withholdAck);
    if (name == QLatin1String("short"))
        return number(&RadioFaults::shortReply, 1, 1, 69);
    if (name == QLatin1String("garbage"))
        return number(&RadioFaults::garbage, 3, 1, 4096);
    if (name == QLatin1String("drop-every"))
        return hasArg ? number(&RadioFaults::dropEvery, 0, 1, 1'000'000)
                      : fail(QStringLiteral("fault drop-every needs =N"));
    if (name == QLatin1String("close-after"))
        return hasArg ? number(&RadioFaults::closeAfter, 0, 0, 1'000'000)
                      : fail(QStringLiteral("fault close-after needs =N"));
    if (name == QLatin1String("seed")) {
        if (!hasArg || arg < 0 || arg > 0xFFFFFFFFLL)
            return fail(QStringLiteral("seed needs a number from 0 to 4294967295"));
        faults.seed = uint32_t(arg);
        return true;
    }
    return fail(QStringLiteral("unknown fault: %1").arg(name));
}

RadioModel::RadioModel() : rng_(faults_.seed) {}

void RadioModel::setFaults(const RadioFaults& faults)
{
    faults_ = faults;
    rng_.seed(faults.seed);
    repliesSinceFaults_ = 0;
    commandsSinceFaults_ = 0;
}

void RadioModel::reset()
{
    session_ = false;
    handshakeMatched_ = 0;
    packet_.clear();
    lastByteMs_ = -1;
}

RadioModel::Output RadioModel::feed(const QByteArray& bytes)
{
    Output all;
    for (char c : bytes) {
        Output one = feed(uint8_t(c));
        if (one.restart) {
            all.bytes.clear();
            all.restart = true;
        }
        all.bytes += one.bytes;
        if (one.closeLine) {
            all.closeLine = true;
            break;
        }
    }
    return all;
}

RadioModel::Output RadioModel::feed(uint8_t byte, double atMs)
{
    if (atMs >= 0) {
        if (!packet_.isEmpty() && lastByteMs_ >= 0 && atMs - lastByteMs_ > kPacketTimeoutMs) {
            counters_.skipped += int(packet_.size());
            packet_.clear();
        }
        lastByteMs_ = atMs;
    }

    // The handshake bytes are all different, so a mismatch can only restart
    // the match at its first byte.
    if (byte == kHandshake[size_t(handshakeMatched_)])
        ++handshakeMatched_;
    else
        handshakeMatched_ = byte == kHandshake[0] ? 1 : 0;

    if (handshakeMatched_ == int(kHandshake.size())) {
        handshakeMatched_ = 0;
        packet_.clear();
        session_ = true;
        ++counters_.handshakes;
        if (!countCommand())
            return lineClosed();
        QByteArray id = identityReply();
        if (faults_.wrongIdentity)
            id[16] = 'X';
        if (faults_.noEndMark)
            id[49] = char(kIdentityEndMark - 1);
        Output out = reply(id, true);
        out.restart = true;
        return out;
    }
    if (!session_)
        return {};
    return commandByte(byte);
}

RadioModel::Output RadioModel::commandByte(uint8_t byte)
{
    if (packet_.isEmpty()) {
        if (byte == kRead || byte == kWrite)
            packet_.append(char(byte));
        else if (byte != kAck && handshakeMatched_ == 0)
            ++counters_.skipped;
        return {};
    }
    packet_.append(char(byte));
    const bool read = uint8_t(packet_[0]) == kRead;
    if (packet_.size() == 4 && byte != (read ? kBlockLength : kRowLength)) {
        // Not a command after all: look again from the byte after its letter.
        Output out;
        rescan(out);
        return out;
    }
    if (read && packet_.size() == kReadPacket)
        return answerRead();
    if (!read && packet_.size() == kWritePacket)
        return answerWrite();
    return {};
}

void RadioModel::rescan(Output& out)
{
    const QByteArray rest = packet_.mid(1);
    packet_.clear();
    ++counters_.skipped;
    for (char c : rest) {
        Output one = commandByte(uint8_t(c));
        out.bytes += one.bytes;
        out.closeLine = out.closeLine || one.closeLine;
    }
}

bool RadioModel::countCommand()
{
    ++counters_.commands;
    if (faults_.closeAfter >= 0) {
        if (commandsSinceFaults_ >= faults_.closeAfter) {
            faults_.closeAfter = -1;  // once: a line opened again works
            reset();
            return false;
        }
        ++commandsSinceFaults_;
    }
    return true;
}

RadioModel::Output RadioModel::answerRead()
{
    const int at = address(packet_);
    packet_.clear();
    ++counters_.readRequests;
    counters_.lastAddress = at;
    log_.push_back({'S', at});
    if (!countCommand())
        return lineClosed();
    QByteArray r;
    r.reserve(5 + kBlockBytes);
    r.append(char(kLeadByte));
    r.append(char(kWrite));
    r.append(char(at >> 8));
    r.append(char(at & 0xFF));
    r.append(char(kBlockLength));
    r.append(block(at));
    return reply(r, true);
}

RadioModel::Output RadioModel::answerWrite()
{
    const int at = address(packet_);
    const QByteArray data = packet_.mid(4, 16);
    packet_.clear();
    counters_.lastAddress = at;
    log_.push_back({'X', at});
    if (!countCommand())
        return lineClosed();
    auto& mem = memory_.bytes();
    for (int i = 0; i < data.size(); ++i)
        if (at + i < kMemoryEnd)
            mem[size_t(at + i)] = uint8_t(data[i]);
    ++counters_.rowsWritten;
    if (faults_.withholdAck)
        return {};
    return reply(QByteArray(1, char(kAck)), false);
}

RadioModel::Output RadioModel::reply(QByteArray bytes, bool cuttable)
{
    if (faults_.silence)
        return {};
    ++repliesSinceFaults_;
    if (faults_.dropEvery > 0 && repliesSinceFaults_ % faults_.dropEvery == 0)
        return {};
    if (cuttable && faults_.shortReply > 0)
        bytes.chop(std::min<qsizetype>(faults_.shortReply, bytes.size()));
    Output out;
    out.bytes.reserve(faults_.garbage + bytes.size());
    for (int i = 0; i < faults_.garbage; ++i)
        out.bytes.append(char(rng_() & 0xFF));
    out.bytes.append(bytes);
    ++counters_.replies;
    return out;
}

QByteArray RadioModel::block(int at) const
{
    QByteArray out(kBlockBytes, char(0xFF));
    const auto& mem = memory_.bytes();
    for (int i = 0; i < kBlockBytes; ++i)
        if (at + i >= 0 && at + i < kMemoryEnd)
            out[i] = char(mem[size_t(at + i)]);
    return out;
}

QByteArray RadioModel::identityReply() const
{
    QByteArray r(kIdentityReplySize, '\0');
    r[0] = char(kLeadByte);
    for (int k = 0; k < 4; ++k) {
        const int v = std::clamp(identity_.limits[size_t(k)], 0, 999);
        r[1 + 3 * k] = char(v / 100);
        r[2 + 3 * k] = char(v / 10 % 10);
        r[3 + 3 * k] = char(v % 10);
    }
    for (int i = 0; i < 4; ++i)
        r[13 + i] = char(kIdentityWord[size_t(i)]);
    putText(r, 17, identity_.model, 6);
    putText(r, 23, identity_.version, 6);
    putText(r, 33, identity_.serial, 16);
    r[49] = char(kIdentityEndMark);
    return r;
}

Image demoMemory()
{
    // A radio as it leaves the factory: every setting at its factory value,
    // the constant 5-tone tables, the factory channels.
    Image memory;
    lay_startup_defaults(memory);
    prepare_whole_write(memory);
    channels::load_factory_channels(memory);
    const char* const names[] = {"CALL", "SIMPLX", "RPT1", "UHF1", "UHF2", "UHF3", "DCS"};
    for (int n = 0; n < 7; ++n)
        channels::set_name(memory, n, QString::fromLatin1(names[n]));
    channels::set_name(memory, 199, u"LAST");
    return memory;
}

}  // namespace vx::emu
