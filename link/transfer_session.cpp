#include "link/transfer_session.h"

#include <QPointer>

namespace vx {

void TransferSession::later(std::function<void()> emitter)
{
    pending_.push_back(std::move(emitter));
    report_->arm(std::chrono::milliseconds(0));
}

void TransferSession::reportTick()
{
    report_->disable();
    // The window may be deleted by any report (a modal message it shows);
    // the session must not touch itself once that has happened.
    QPointer<TransferSession> self(this);
    while (self && !pending_.empty()) {
        const std::function<void()> emitter = std::move(pending_.front());
        pending_.erase(pending_.begin());
        emitter();
    }
}

TransferSession::TransferSession(LinkContext context, QObject* parent)
    : QObject(parent), port_(makeSerialPort()), sender_(makeTimer()), timeout_(makeTimer()), retry_(makeTimer()),
      report_(makeTimer())
{
    report_->onTick = [this] { reportTick(); };
    TransferEngine::Events events;
    events.portError = [this] {
        // At the start the window is in its own button handler; at a retry
        // the transfer is over, reported like its other ends.
        if (starting_)
            emit portError(false);
        else
            later([this] { emit portError(true); });
    };
    events.progress = [this](int request, int counter) { onProgress(request, counter); };
    events.finished = [this] { onFinished(); };
    events.failed = [this] { later([this, d = plan_.params.direction] { emit failed(d); }); };
    engine_ = std::make_unique<TransferEngine>(*port_, *sender_, *timeout_, *retry_, std::move(events),
                                               std::move(context));
}

TransferSession::~TransferSession()
{
    // The engine goes before the port and timers it runs on.
    engine_.reset();
}

bool TransferSession::start(TransferPlan plan)
{
    if (engine_->busy())
        return false;
    plan_ = std::move(plan);
    engine_->setRetries(plan_.retries);
    starting_ = true;
    QPointer<TransferSession> self(this);
    const bool started = engine_->start(plan_.params);
    if (self)
        starting_ = false;
    return started;
}

void TransferSession::abandon()
{
    engine_->abandon();
    report_->disable();
    pending_.clear();
}

void TransferSession::stop()
{
    const Direction direction = plan_.params.direction;
    if (engine_->stopAfterPacket())
        return;  // onFinished reports it
    report_->disable();
    pending_.clear();
    later([this, direction] { emit stopped(direction, 0); });
}

void TransferSession::onProgress(int request, int counter)
{
    if (!plan_.progress)
        return;
    if (const auto step = plan_.progress(request, counter))
        emit progressed(*step);
}

void TransferSession::onFinished()
{
    const Direction direction = plan_.params.direction;
    if (engine_->stopRequested()) {
        const int sent = engine_->counter() - plan_.params.firstRow;
        later([this, direction, sent] { emit stopped(direction, sent); });
        return;
    }
    if (direction == Direction::Read && !plan_.store(engine_->replies())) {
        later([this, direction] { emit failed(direction); });
        return;
    }
    later([this, direction] { emit succeeded(direction); });
}


}  // namespace vx
