#pragma once
// The serial port and timer interfaces the link code runs on. The product
// binds QSerialPort and QTimer (qt_link.h); tests bind a fake port and a
// virtual clock, so time-outs take no test time.

#include <QByteArray>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace vx {

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens COM n (1..12) at 9600 baud, no parity, 8 data bits, 1 stop bit,
    // raw bytes, with the input emptied. False if any step failed.
    virtual bool open(int portNumber) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual int bytesWaiting() const = 0;
    // Takes up to maxBytes waiting bytes, oldest first.
    virtual QByteArray read(int maxBytes) = 0;
    virtual void clearInput() = 0;
    virtual void writeByte(uint8_t byte) = 0;

    // Called when bytes have arrived (once per byte or once per burst: the
    // handler re-checks bytesWaiting()).
    std::function<void()> onReceive;
    // Called when the open device fails (cable pulled, device gone).
    std::function<void()> onFailure;
};

// A periodic timer with a millisecond interval.
class Timer {
public:
    virtual ~Timer() = default;
    // Sets the interval and enables the timer; its countdown restarts.
    virtual void arm(std::chrono::milliseconds interval) = 0;
    virtual void disable() = 0;
    virtual bool enabled() const = 0;
    virtual std::chrono::milliseconds interval() const = 0;

    std::function<void()> onTick;
};

// Where windows get their port and timers from. The defaults make the Qt
// bindings; tests install fakes.
using SerialPortFactory = std::function<std::unique_ptr<SerialPort>()>;
using TimerFactory = std::function<std::unique_ptr<Timer>()>;

std::unique_ptr<SerialPort> makeSerialPort();
std::unique_ptr<Timer> makeTimer();
void setSerialPortFactory(SerialPortFactory factory);  // empty: back to the default
void setTimerFactory(TimerFactory factory);

}  // namespace vx
