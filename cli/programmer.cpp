#include "cli/programmer.h"

#include "link/identification.h"
#include "link/transfer_session.h"
#include "link/whole_radio.h"

#include <QEventLoop>

namespace vx::cli {

namespace {

// Runs a plan on a session of its own until it ends.
Transfer run(TransferPlan plan, int total, const ProgressFn& progress)
{
    Transfer result;
    const bool write = plan.params.direction == Direction::Write;
    plan.progress = [&](int request, int counter) -> std::optional<ProgressStep> {
        // A write's packet for row r starts once row r - 1 was acknowledged.
        if (write && request > 0)
            result.lastRowAcknowledged = counter - 1;
        if (progress)
            progress(request, total);
        return std::nullopt;
    };
    TransferSession session;
    QEventLoop loop;
    QObject::connect(&session, &TransferSession::succeeded, &loop, [&] {
        if (write)
            result.lastRowAcknowledged = plan.params.endRow - 1;
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
    if (!session.start(std::move(plan)))
        return {Failure::Port, -1};
    loop.exec();
    return result;
}

}  // namespace

Identified identify()
{
    Identified result{Failure::NoAnswer, {}};
    LinkContext context = LinkContext::application();
    context.identified = [&](const IdentityInfo& info) {
        result = {Failure::None, info};
        publishIdentity(info);  // band limits for what follows
    };
    Identification identification(context);
    QEventLoop loop;
    identification.onIdentified = [&] { loop.quit(); };
    identification.onPortError = [&] {
        result.failure = Failure::Port;
        loop.quit();
    };
    identification.onGaveUp = [&] { loop.quit(); };
    identification.start();
    if (result.failure == Failure::Port)
        return result;
    loop.exec();
    identification.closePort();
    return result;
}

Transfer readRadio(Image& image, const ProgressFn& progress)
{
    Image fresh = image;
    const Transfer t = run(wholeReadPlan(fresh), kWholeReadBlocks, progress);
    if (t.failure == Failure::None)
        image = fresh;
    return t;
}

Transfer writeRadio(const Image& image, const ProgressFn& progress)
{
    return run(wholeWritePlan(image), kWholeWriteRows, progress);
}

}  // namespace vx::cli
