#include "link/qt_link.h"

#include "link/portmap.h"

namespace vx {

QtSerialPort::QtSerialPort()
{
    port_.setReadBufferSize(0);  // unlimited: the engine empties it itself
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (onReceive)
            onReceive();
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

bool QtSerialPort::open(int portNumber)
{
    if (port_.isOpen())
        port_.close();
    const QString device = deviceForPort(portNumber);
    if (device.isEmpty())
        return false;
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite))
        return false;
    const bool ok = port_.setBaudRate(QSerialPort::Baud9600) && port_.setParity(QSerialPort::NoParity)
                    && port_.setDataBits(QSerialPort::Data8) && port_.setStopBits(QSerialPort::OneStop)
                    && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!ok) {
        port_.close();
        return false;
    }
    port_.clear(QSerialPort::Input);
    return true;
}

void QtSerialPort::close()
{
    if (port_.isOpen())
        port_.close();
}

bool QtSerialPort::isOpen() const { return port_.isOpen(); }

int QtSerialPort::bytesWaiting() const { return int(port_.bytesAvailable()); }

QByteArray QtSerialPort::read(int maxBytes) { return port_.read(maxBytes); }

void QtSerialPort::clearInput()
{
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

void QtSerialPort::writeByte(uint8_t byte)
{
    // Out at once, not on the next pass of the event loop.
    const char c = char(byte);
    port_.write(&c, 1);
    port_.flush();
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    // Errors while opening are reported by open(); a device that fails once
    // open (cable pulled, the far end of a pseudo-terminal closed: reads then
    // fail or hit the end of the file) ends the running attempt at once.
    if (error == QSerialPort::NoError || !port_.isOpen())
        return;
    if (error == QSerialPort::ResourceError || error == QSerialPort::PermissionError
        || error == QSerialPort::DeviceNotFoundError || error == QSerialPort::ReadError
        || error == QSerialPort::WriteError) {
        port_.close();
        if (onFailure)
            onFailure();
    }
}

QtTimer::QtTimer()
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (onTick)
            onTick();
    });
}

void QtTimer::arm(std::chrono::milliseconds interval) { timer_.start(interval); }
void QtTimer::disable() { timer_.stop(); }
bool QtTimer::enabled() const { return timer_.isActive(); }
std::chrono::milliseconds QtTimer::interval() const { return timer_.intervalAsDuration(); }

}  // namespace vx
