#pragma once
// One window's transfers: its own serial port, its three timers (sender,
// reply time-out, retry pause) and the engine that runs on them, made and
// torn down in the right order, plus a timer that reports the end of a
// transfer. The window starts plans and listens to the
// session's signals; it never touches the port or the timers itself.
//
// The end of a transfer (success, failure, a port lost at a retry) is
// signalled from the event loop, after the port and timer callbacks that
// noticed it have returned: the window shows a modal message then, and may
// be closed and deleted while it is up, taking the session, its port and its
// timers with it. A read stores its rows at once, before that signal.

#include "link/engine.h"
#include "link/transfer_plan.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace vx {

class TransferSession final : public QObject {
    Q_OBJECT
public:
    // Port and timers come from makeSerialPort() and makeTimer().
    TransferSession(LinkContext context, QObject* parent = nullptr);
    ~TransferSession() override;

    // Starts `plan`. False when a transfer runs (refused, nothing emitted) or
    // when the port will not open (portError emitted).
    bool start(TransferPlan plan);
    // Stops at once without a report: timers off, port closed, a pending
    // retry dropped.
    void abandon();
    // Stops the running transfer as TransferEngine::stopAfterPacket() does;
    // `stopped` follows from the event loop (after the packet in flight of a
    // write was acknowledged), or `failed` when that acknowledgement never
    // comes.
    void stop();

    bool busy() const { return engine_->busy(); }
    bool reading() const { return engine_->reading(); }
    bool writing() const { return engine_->writing(); }
    const TransferEngine& engine() const { return *engine_; }
    SerialPort& port() { return *port_; }

signals:
    // After a request or packet started, when the plan's rule shows a step.
    void progressed(const vx::ProgressStep& step);
    // The transfer finished; for a read the plan's rows have been stored.
    void succeeded(vx::Direction direction);
    // The retries are used up; a read has stored nothing.
    void failed(vx::Direction direction);
    // The port would not open. `midTransfer`: at a retry of a running
    // transfer (the device vanished), which is over now.
    void portError(bool midTransfer);
    // Ended by stop(); a write has sent `rowsSent` rows, each acknowledged.
    void stopped(vx::Direction direction, int rowsSent);

private:
    void onFinished();
    void onProgress(int request, int counter);
    // Runs `emitter` from the event loop (the report timer's tick), unless
    // the session is gone or abandoned by then.
    void later(std::function<void()> emitter);
    void reportTick();

    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<Timer> sender_;
    std::unique_ptr<Timer> timeout_;
    std::unique_ptr<Timer> retry_;
    std::unique_ptr<Timer> report_;           // ends of transfers, from the event loop
    std::unique_ptr<TransferEngine> engine_;  // after the port and timers it runs on
    std::vector<std::function<void()>> pending_;
    TransferPlan plan_;
    bool starting_ = false;
};

}  // namespace vx
