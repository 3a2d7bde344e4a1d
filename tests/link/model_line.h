#pragma once
// The radio model on the fake port: bytes reach it as they are written and
// its answers arrive `latency` ms later on the virtual clock. A line the
// model closes fails the port; the next open finds the radio again (the
// cable plugged back in) unless `unplugOnClose` is set, which takes the
// port away until replug().

#include "fake_link.h"

#include "emulator/radio_model.h"

#include <QByteArray>
#include <deque>
#include <memory>
#include <utility>

namespace vx::test {

struct ModelLine {
    VirtualClock& clock;
    FakePort* port = nullptr;
    emu::RadioModel model;
    std::unique_ptr<Timer> wire;
    std::deque<std::pair<long long, QByteArray>> queue;
    int latency = 2;
    bool unplugOnClose = false;

    explicit ModelLine(VirtualClock& c);
    // Each window has its own port; the radio answers the one that spoke.
    void attach(FakePort* p);
    // Makes every port made from now on a FakePort on COM1 attached here.
    void install();
    void replug();
};

}  // namespace vx::test
