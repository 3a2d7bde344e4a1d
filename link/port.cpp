#include "link/port.h"

#include "link/qt_link.h"

namespace vx {

namespace {
SerialPortFactory gPortFactory;
TimerFactory gTimerFactory;
}  // namespace

std::unique_ptr<SerialPort> makeSerialPort()
{
    return gPortFactory ? gPortFactory() : std::make_unique<QtSerialPort>();
}

std::unique_ptr<Timer> makeTimer() { return gTimerFactory ? gTimerFactory() : std::make_unique<QtTimer>(); }

void setSerialPortFactory(SerialPortFactory factory) { gPortFactory = std::move(factory); }
void setTimerFactory(TimerFactory factory) { gTimerFactory = std::move(factory); }

}  // namespace vx
