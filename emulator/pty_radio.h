#pragma once
// A RadioModel on a pseudo-terminal, run by a thread of its own, so that the
// application (or a test in the same process) talks to it through a real
// serial device. The device is published as COM n by a link named comN in
// the per-user link folder (link/portmap.h); the link goes when the radio
// stops.
//
// On Linux the link names the radio's own open line, /proc/<pid>/fd/<n>,
// rather than /dev/pts/<k>: the system hands a freed pseudo-terminal number
// to the next pseudo-terminal opened anywhere, so a link to /dev/pts/<k>
// left behind by a radio that was killed would lead the application's next
// open (a retry) into another program's line. The /proc name goes with the
// process, however it ends.
//
// Wire time: at 9600 baud 8N1 a byte takes 10 bit times, about 1.042 ms.
// With wire time on, a byte written by the application counts as arrived
// only once it (and every byte before it) would have crossed the line, every
// reply waits the reply latency and then leaves one byte per byte time. With
// it off, replies leave at once after the latency.
//
// POSIX only.

#include "emulator/radio_model.h"

#include <QString>
#include <atomic>
#include <memory>
#include <mutex>

namespace vx::emu {

struct PtyRadioOptions {
    int port = 8;            // published as COM n (1..12); 0 publishes no link
    bool wireTime = true;    // model the line's 9600 baud in both directions
    double latencyMs = 2.0;  // before each reply
    int reopenAfterMs = -1;  // after the line was closed, a new line opens after this long; -1: stays closed
};

class PtyRadio {
public:
    static constexpr double kByteMs = 10.0 * 1000.0 / 9600.0;

    explicit PtyRadio(PtyRadioOptions options = {});
    ~PtyRadio();  // stops
    PtyRadio(const PtyRadio&) = delete;
    PtyRadio& operator=(const PtyRadio&) = delete;

    // Opens the pseudo-terminal, publishes the link and starts the thread.
    bool start(QString* error = nullptr);
    // Stops the thread, closes the line and removes the link if it still
    // points where this radio pointed it. Safe to call twice.
    void stop();
    bool running() const;

    // The line: the device of the open line (empty while it is closed); the
    // link may name it by another path that leads to the same device.
    bool lineOpen() const;
    QString devicePath() const;
    QString linkPath() const;  // empty when no port is published
    int port() const { return options_.port; }
    // Closes the line now, as a pulled cable: the application's port fails.
    // The link is left pointing at nothing, so opening COM n fails too.
    void closeLine();
    // Opens a fresh line (closing the current one) and points the link at it.
    bool reopenLine(QString* error = nullptr);
    int linesOpened() const { return linesOpened_; }

    void setWireTime(bool on) { wireTime_ = on; }
    bool wireTime() const { return wireTime_; }
    void setLatencyMs(double ms) { latencyMs_ = ms; }
    double latencyMs() const { return latencyMs_; }

    // The radio, shared with the thread: every access locks.
    template <class F>
    decltype(auto) withModel(F&& f)
    {
        std::lock_guard lock(mutex_);
        return f(model_);
    }
    Image memory() const;
    void setMemory(const Image& image);
    RadioCounters counters() const;
    void resetCounters();
    RadioFaults faults() const;
    void setFaults(const RadioFaults& faults);
    void setIdentity(const RadioIdentity& identity);

    long long bytesReceived() const { return bytesIn_; }
    long long bytesSent() const { return bytesOut_; }

private:
    struct Io;
    void run();
    bool openLine(QString* error);
    void closeLineNow();
    bool publish(const QString& target, QString* error);
    QString request(int kind);

    PtyRadioOptions options_;
    std::atomic<bool> wireTime_;
    std::atomic<double> latencyMs_;
    std::atomic<long long> bytesIn_{0};
    std::atomic<long long> bytesOut_{0};
    std::atomic<int> linesOpened_{0};

    mutable std::mutex mutex_;  // model_, device_ and published_
    RadioModel model_;
    QString device_;
    QString published_;  // where the link was last pointed

    std::unique_ptr<Io> io_;
};

}  // namespace vx::emu
