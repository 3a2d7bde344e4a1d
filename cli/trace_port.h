#pragma once
// A serial port that prints every byte on the wire to a stream as it
// passes, with its direction and the milliseconds since the program
// started:
//
//      12.4 ms  >  5A 31 07 1C 44 61 2E 09
//      98.0 ms  <  00 01 03 06 ...
//
// Bytes written one at a time within the same millisecond share a line.

#include "link/port.h"

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

#include <memory>

namespace vx::cli {

class TracePort final : public SerialPort {
public:
    TracePort(std::unique_ptr<SerialPort> inner, QTextStream& out, const QElapsedTimer& clock);
    ~TracePort() override;

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return inner_->isOpen(); }
    int bytesWaiting() const override { return inner_->bytesWaiting(); }
    QByteArray read(int maxBytes) override;
    void clearInput() override;
    void writeByte(uint8_t byte) override;

private:
    void line(char direction, const QByteArray& bytes, qint64 atNs);
    void flush();

    std::unique_ptr<SerialPort> inner_;
    QTextStream& out_;
    const QElapsedTimer& clock_;
    QByteArray pending_;  // written bytes not printed yet
    qint64 pendingAt_ = 0;
};

}  // namespace vx::cli
