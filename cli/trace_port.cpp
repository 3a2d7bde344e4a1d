#include "cli/trace_port.h"

namespace vx::cli {

namespace {
constexpr qint64 kNsPerMs = 1'000'000;
constexpr int kBytesPerLine = 24;
}  // namespace

TracePort::TracePort(std::unique_ptr<SerialPort> inner, QTextStream& out, const QElapsedTimer& clock)
    : inner_(std::move(inner)), out_(out), clock_(clock)
{
    inner_->onReceive = [this] {
        if (onReceive)
            onReceive();
    };
    inner_->onFailure = [this] {
        flush();
        out_ << QStringLiteral("%1 ms  !  the line failed").arg(double(clock_.nsecsElapsed()) / kNsPerMs, 9, 'f', 1) << Qt::endl;
        if (onFailure)
            onFailure();
    };
}

TracePort::~TracePort() { flush(); }

bool TracePort::open(int portNumber)
{
    flush();
    const bool ok = inner_->open(portNumber);
    out_ << QStringLiteral("%1 ms  %2 COM%3").arg(double(clock_.nsecsElapsed()) / kNsPerMs, 9, 'f', 1).arg(ok ? QStringLiteral("opened") : QStringLiteral("cannot open")).arg(portNumber)
         << Qt::endl;
    return ok;
}

void TracePort::close()
{
    flush();
    if (inner_->isOpen())
        out_ << QStringLiteral("%1 ms  closed").arg(double(clock_.nsecsElapsed()) / kNsPerMs, 9, 'f', 1) << Qt::endl;
    inner_->close();
}

QByteArray TracePort::read(int maxBytes)
{
    flush();
    const QByteArray bytes = inner_->read(maxBytes);
    for (qsizetype i = 0; i < bytes.size(); i += kBytesPerLine)
        line('<', bytes.mid(i, kBytesPerLine), clock_.nsecsElapsed());
    return bytes;
}

void TracePort::clearInput()
{
    // Bytes thrown away unread are on the wire too.
    flush();
    if (const int waiting = inner_->bytesWaiting(); waiting > 0) {
        const QByteArray dropped = inner_->read(waiting);
        for (qsizetype i = 0; i < dropped.size(); i += kBytesPerLine)
            line('x', dropped.mid(i, kBytesPerLine), clock_.nsecsElapsed());
    }
    inner_->clearInput();
}

void TracePort::writeByte(uint8_t byte)
{
    const qint64 now = clock_.nsecsElapsed();
    if (!pending_.isEmpty() && (now - pendingAt_ >= kNsPerMs || pending_.size() >= kBytesPerLine))
        flush();
    if (pending_.isEmpty())
        pendingAt_ = now;
    pending_.append(char(byte));
    inner_->writeByte(byte);
}

void TracePort::flush()
{
    if (pending_.isEmpty())
        return;
    line('>', pending_, pendingAt_);
    pending_.clear();
}

void TracePort::line(char direction, const QByteArray& bytes, qint64 atNs)
{
    out_ << QStringLiteral("%1 ms  %2  %3").arg(double(atNs) / kNsPerMs, 9, 'f', 1).arg(QLatin1Char(direction)).arg(QString::fromLatin1(bytes.toHex(' ').toUpper()))
         << Qt::endl;
}

}  // namespace vx::cli
