#pragma once
// The product's bindings of the link interfaces: QSerialPort and QTimer.

#include "link/port.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>

namespace vx {

class QtSerialPort final : public QObject, public SerialPort {
    Q_OBJECT
public:
    QtSerialPort();
    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override;
    int bytesWaiting() const override;
    QByteArray read(int maxBytes) override;
    void clearInput() override;
    void writeByte(uint8_t byte) override;

private:
    void shut();
    void onError(QSerialPort::SerialPortError error);
    QSerialPort port_;
    bool closing_ = false;
};

class QtTimer final : public QObject, public Timer {
    Q_OBJECT
public:
    QtTimer();
    void arm(std::chrono::milliseconds interval) override;
    void disable() override;
    bool enabled() const override;
    std::chrono::milliseconds interval() const override;

private:
    QTimer timer_;
};

}  // namespace vx
