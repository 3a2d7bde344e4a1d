#pragma once
// The main window's identification of the radio: handshake, identity reply,
// status panels, on its own port (MSC) and three timers (Timer1 sends a byte
// every 10 ms, Timer2 waits 5000 ms for the reply, Timer3 pauses 1500 ms
// before a retry; three retries).

#include "link/engine.h"
#include "link/port.h"

#include <functional>
#include <memory>

namespace vx {

class Identification {
public:
    // Port and timers come from makeSerialPort()/makeTimer(); the context
    // gives the port number, the port-failure flag and the identity sink.
    explicit Identification(LinkContext context);
    ~Identification();
    Identification(const Identification&) = delete;
    Identification& operator=(const Identification&) = delete;

    // Start: closes the port if open, sets three retries and probes.
    void start();
    // Opens the port on portNumber(); on failure sets the port-failure flag,
    // reports onPortError and returns false.
    bool openPort();
    void closePort();
    // Ends a running identification at once: its timers stop and its port
    // closes (another window needs the port).
    void stop();

    bool probing() const;
    bool identified() const;
    int retriesLeft() const;

    // A good reply arrived (after the panels and band limits were written):
    // the main window enables its four editor menu entries.
    std::function<void()> onIdentified;
    // The port would not open; the window that owns the identification
    // shows its message.
    std::function<void()> onPortError;
    // No good reply after the last retry (the status panels say so).
    std::function<void()> onGaveUp;

    SerialPort& port();

private:
    void probe();
    void onTimer1();
    void onTimer2();
    void onTimer3();
    void onReceive();
    void stopTimers();

    struct State;
    std::unique_ptr<State> d;
    const LinkContext context_;
};

// Start-up port probe: tries ports 8, 7, ..., 1 silently and keeps the first
// that opens (closing it again). When none opens the port number is 1 and
// the port-failure flag stays set. Returns the port number chosen; the
// document keeps it.
int probePorts(RadioDocument& doc);

}  // namespace vx
