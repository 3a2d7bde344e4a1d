#include "link/port.h"

#include "link/qt_link.h"

namespace vx {

namespace {
SerialPortFactory gPortFactory;
TimerFactory gTimerFactory;
int gPortNumber = 1;
bool gPortFailure = false;
}  // namespace

std::unique_ptr<SerialPort> makeSerialPort()
{
    return gPortFactory ? gPortFactory() : std::make_unique<QtSerialPort>();
}

std::unique_ptr<Timer> makeTimer() { return gTimerFactory ? gTimerFactory() : std::make_unique<QtTimer>(); }

void setSerialPortFactory(SerialPortFactory factory) { gPortFactory = std::move(factory); }
void setTimerFactory(TimerFactory factory) { gTimerFactory = std::move(factory); }

int portNumber() { return gPortNumber; }
void setPortNumber(int n) { gPortNumber = n; }
bool portFailure() { return gPortFailure; }
void setPortFailure(bool failed) { gPortFailure = failed; }

}  // namespace vx
