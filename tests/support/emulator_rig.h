#pragma once
// The radio emulator on a real pseudo-terminal for a test: a fresh runtime
// folder for its port link, the radio with the given memory started on
// COM n (wire time off, a short reply latency), and COM n made the port
// every window opens. The radio stops and the folder goes with the rig.
//
//   EmulatorRig rig(9, memory);
//   QVERIFY(rig.started());
//   QVERIFY(rig.run(*e.w, "Command_read", e.prompts));
//   QCOMPARE(rig.log(), expected);

#include "fake_link.h"
#include "test_document.h"
#include "prompts.h"

#include "emulator/pty_radio.h"
#include "link/port.h"
#include "link/transfer_window.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace vx::test {

class EmulatorRig {
public:
    using Logged = emu::RadioModel::LoggedCommand;

    EmulatorRig(int port, const Image& memory, double latencyMs = 0.5)
        : radio(emu::PtyRadioOptions{port, false, latencyMs, -1})
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        radio.setMemory(memory);
        started_ = radio.start();
        setPortNumber(port);
    }
    ~EmulatorRig()
    {
        radio.stop();
        if (hadRuntime_)
            qputenv("XDG_RUNTIME_DIR", oldRuntime_);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }
    EmulatorRig(const EmulatorRig&) = delete;
    EmulatorRig& operator=(const EmulatorRig&) = delete;

    bool started() const { return started_; }

    // The commands the radio has taken since it started or was last cleared.
    std::vector<Logged> log() { return radio.withModel([](emu::RadioModel& m) { return m.log(); }); }
    void clearLog() { radio.withModel([](emu::RadioModel& m) { m.clearLog(); }); }
    Image memory() const { return radio.memory(); }

    // Clears the prompts and the log, clicks a transfer button and runs the
    // events until a prompt has come and the window is idle again. The limit
    // only guards against a hang.
    bool run(TransferWindow& window, const char* buttonName, CapturedPrompts& prompts, int limitMs = 120'000)
    {
        prompts.clear();
        clearLog();
        QTest::mouseClick(window.findChild<QPushButton*>(buttonName), Qt::LeftButton);
        return runEventsUntil([&] { return !prompts.all.isEmpty() && !window.busy(); }, limitMs);
    }

private:
    const bool hadRuntime_ = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const QByteArray oldRuntime_ = qgetenv("XDG_RUNTIME_DIR");
    bool started_ = false;

public:
    QTemporaryDir runtime;  // XDG_RUNTIME_DIR while the rig lives
    emu::PtyRadio radio;
};

}  // namespace vx::test
