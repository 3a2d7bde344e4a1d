#include "link/identification.h"

// Placeholder until the identification state machine lands: it holds a port
// and does nothing.

namespace vx {

struct Identification::State {
    std::unique_ptr<SerialPort> port = makeSerialPort();
};

Identification::Identification() : d(std::make_unique<State>()) {}
Identification::~Identification() = default;
void Identification::start() {}
bool Identification::openPort() { return false; }
void Identification::closePort() {}
bool Identification::probing() const { return false; }
bool Identification::identified() const { return false; }
int Identification::retriesLeft() const { return 0; }
SerialPort& Identification::port() { return *d->port; }

int probePorts() { return portNumber(); }

}  // namespace vx
