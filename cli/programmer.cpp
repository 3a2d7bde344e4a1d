#include "cli/programmer.h"

#include "cli/interrupt.h"
#include "link/identification.h"
#include "link/transfer_session.h"
#include "link/whole_radio.h"

#include <QEventLoop>
#include <QTimer>

namespace vx::cli {

namespace {

using namespace std::chrono_literals;
constexpr auto kSignalPoll = 20ms;  // how often a running command looks for a signal

// Runs a plan on a session of its own until it ends.
Transfer run(RadioDocument& radio, TransferPlan plan, int total, const ProgressFn& progress)
{
    Transfer result;
    const bool write = plan.params.direction == Direction::Write;
    const int firstRow = plan.params.firstRow;
    const int rows = plan.params.endRow - firstRow;
    plan.progress = [&](int request, int counter) -> std::optional<ProgressStep> {
        // A write's packet for row r starts once row r - 1 was acknowledged.
        if (write && request > 0)
            result.acknowledged = counter - firstRow;
        if (progress)
            progress(request, total);
        return std::nullopt;
    };
    TransferSession session(LinkContext::of(radio));
    QEventLoop loop;
    QObject::connect(&session, &TransferSession::succeeded, &loop, [&] {
        if (write)
            result.acknowledged = rows;
        if (progress)
            progress(total, total);
        loop.quit();
    });
    QObject::connect(&session, &TransferSession::failed, &loop, [&] {
        result.failure = Failure::NoAnswer;
        loop.quit();
    });
    QObject::connect(&session, &TransferSession::portError, &loop, [&](bool midTransfer) {
        result.failure = midTransfer ? Failure::NoAnswer : Failure::Port;
        loop.quit();
    });
    QObject::connect(&session, &TransferSession::stopped, &loop, [&](Direction, int sent) {
        result.failure = Failure::Interrupted;
        if (write)
            result.acknowledged = sent;
        loop.quit();
    });
    QTimer signalPoll;
    bool stopping = false;
    QObject::connect(&signalPoll, &QTimer::timeout, &loop, [&] {
        if (interruptSignal() && !stopping) {
            stopping = true;
            session.stop();
        }
    });
    if (interruptSignal())
        return {Failure::Interrupted, 0};
    if (!session.start(std::move(plan)))
        return {Failure::Port, 0};
    signalPoll.start(kSignalPoll);
    loop.exec();
    return result;
}

}  // namespace

Identified identify(RadioDocument& radio)
{
    Identified result{Failure::NoAnswer, {}};
    LinkContext context = LinkContext::of(radio);
    context.identified = [&, publish = context.identified](const IdentityInfo& info) {
        result = {Failure::None, info};
        publish(info);  // band limits for what follows
    };
    Identification identification(context);
    QEventLoop loop;
    identification.onIdentified = [&] { loop.quit(); };
    identification.onPortError = [&] {
        result.failure = Failure::Port;
        loop.quit();
    };
    identification.onGaveUp = [&] { loop.quit(); };
    QTimer signalPoll;
    QObject::connect(&signalPoll, &QTimer::timeout, &loop, [&] {
        if (interruptSignal()) {
            result.failure = Failure::Interrupted;
            loop.quit();
        }
    });
    identification.start();
    if (result.failure == Failure::Port)
        return result;
    signalPoll.start(kSignalPoll);
    loop.exec();
    identification.closePort();
    return result;
}

Transfer readRadio(RadioDocument& radio, Image& image, const ProgressFn& progress)
{
    Image fresh = image;
    const Transfer t = run(radio, wholeReadPlan(fresh), kWholeReadBlocks, progress);
    if (t.failure == Failure::None)
        image = fresh;
    return t;
}

Transfer readBlocks(RadioDocument& radio, Image& image, const std::vector<int>& blocks, const ProgressFn& progress)
{
    if (blocks.empty())
        return {};
    Image fresh = image;
    const Transfer t = run(radio, blocksReadPlan(fresh, blocks), int(blocks.size()), progress);
    if (t.failure == Failure::None)
        image = fresh;
    return t;
}

Transfer writeRadio(RadioDocument& radio, const Image& image, const ProgressFn& progress)
{
    return run(radio, wholeWritePlan(image), kWholeWriteRows, progress);
}

Transfer writeRows(RadioDocument& radio, const Image& image, const std::vector<int>& rows, const ProgressFn& progress)
{
    if (rows.empty())
        return {};
    return run(radio, rowsWritePlan(image, rows), int(rows.size()), progress);
}

}  // namespace vx::cli
