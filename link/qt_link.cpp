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
    shut();
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
        shut();
        return false;
    }
    port_.clear(QSerialPort::Input);
    // A device that failed during the set-up has been closed by onError().
    return port_.isOpen();
}

void QtSerialPort::close() { shut(); }

void QtSerialPort::shut()
{
    // Closing may report errors of its own on some systems; they are not a
    // new failure.
    if (!port_.isOpen() || closing_)
        return;
    closing_ = true;
    port_.close();
    closing_ = false;
}

bool QtSerialPort::isOpen() const { return port_.isOpen(); }

int QtSerialPort::bytesWaiting() const { return int(port_.bytesAvailable()); }

QByteArray QtSerialPort::read(int maxBytes) { return port_.read(maxBytes); }

void QtSerialPort::clearInput()
{
    // On a line that has ended the flush fails, and onError() closes the
    // port from inside it.
    port_.clear(QSerialPort::Input);
    if (port_.isOpen())
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
    // hit the end of the file, writes and flushes fail) ends the running
    // attempt at once. So does an error Qt cannot name: the line cannot be
    // trusted any more, and the retry opens it afresh. Only the errors that
    // say nothing about the line leave it open.
    if (!port_.isOpen() || closing_)
        return;
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::OpenError:                  // open() on an open port
    case QSerialPort::NotOpenError:               // a call on a closed port
    case QSerialPort::TimeoutError:               // the waitFor...() calls, not used
    case QSerialPort::UnsupportedOperationError:  // a setting the device refuses
        return;
    default:
        break;
    }
    shut();
    if (onFailure)
        onFailure();
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
