#include "model_line.h"

namespace vx::test {

ModelLine::ModelLine(VirtualClock& c) : clock(c), wire(c.makeTimer())
{
    wire->onTick = [this] {
        wire->disable();
        while (!queue.empty() && queue.front().first <= clock.now()) {
            const QByteArray bytes = queue.front().second;
            queue.pop_front();
            port->deliver(bytes);
        }
        if (!queue.empty())
            wire->arm(std::chrono::milliseconds(queue.front().first - clock.now()));
    };
}

void ModelLine::attach(FakePort* p)
{
    p->onWrite = [this, p](uint8_t byte) {
        if (port != p) {
            queue.clear();
            port = p;
        }
        const emu::RadioModel::Output out = model.feed(byte, double(clock.now()));
        if (out.restart)
            queue.clear();
        if (out.closeLine) {
            queue.clear();
            model.reset();
            if (unplugOnClose)
                port->available.clear();
            port->fail();
            return;
        }
        if (!out.bytes.isEmpty()) {
            queue.emplace_back(clock.now() + latency, out.bytes);
            if (!wire->enabled())
                wire->arm(std::chrono::milliseconds(latency));
        }
    };
}

void ModelLine::install()
{
    setSerialPortFactory([this] {
        auto p = std::make_unique<FakePort>();
        p->available = {1};
        attach(p.get());
        return p;
    });
}

void ModelLine::replug()
{
    if (port)
        port->available = {1};
}

}  // namespace vx::test
