// The channel editor's own read and write of the channel region.
#include "editors/channels/frm_chann.h"

#include "app/prompt.h"
#include "editors/channels/frm_chann_texts.h"
#include "link/engine.h"
#include "link/port.h"
#include "link/status.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace vx {

using namespace channels;
namespace T = chann_texts;

namespace {

constexpr int kFirstSlot = 2;  // read replies go to slots 2..103
constexpr int kChannelBase = 0x0000;
constexpr int kNameBase = 0x1000;

void warn(const QString& text) { prompt(T::kPromptTitle, PromptIcon::Warning, text); }

}  // namespace

int frm_chann::readAddress(int request)
{
    const int pair = request / 2;
    return (request % 2 == 0 ? kChannelBase : kNameBase) + kBlockBytes * pair;
}

int frm_chann::writeRow(int packet)
{
    const int n = packet / 2;
    return packet % 2 == 0 ? recordRow(n) : nameRow(n);
}

void frm_chann::setUpTransfers()
{
    engine_ = std::make_unique<TransferEngine>(*port_, *timer1_, *timer2_, *timer3_);
    engine_->hooks.portError = [] { warn(T::kPortError); };
    engine_->hooks.progress = [this](int counter) {
        if (engine_->params().direction == Direction::Write)
            showWriteProgress(counter);
    };
    engine_->hooks.finished = [this] {
        if (engine_->params().direction == Direction::Read)
            readFinished();
        else
            writeFinished();
    };
    engine_->hooks.failed = [this] { transferFailed(); };
}

void frm_chann::startTransfer(const TransferParams& params)
{
    engine_->setRetries(kRetries);
    if (!engine_->start(params))
        return;  // the port message has been shown
    progress_->setValue(0);
    progress_->show();
    label_->setText(T::kConnecting);
    label_->show();
}

void frm_chann::onRead()
{
    if (refuseWhileBusy())
        return;
    TransferParams p;
    p.direction = Direction::Read;
    p.firstSlot = kFirstSlot;
    p.lastSlot = kFirstSlot + kReadRequests - 2;  // slots 2..103
    // Called once for each request as it is made.
    p.requestAddress = [this](int request) {
        showReadProgress(request);
        return uint16_t(readAddress(request));
    };
    p.retryPauseMs = kRetryPauseMs;
    startTransfer(p);
}

void frm_chann::onWrite()
{
    if (refuseWhileBusy())
        return;
    TransferParams p;
    p.direction = Direction::Write;
    p.firstRow = 0;
    p.endRow = kWritePackets;
    p.rowAddress = [](int packet) { return uint16_t(Image::addressOfRow(writeRow(packet))); };
    p.rowData = [](int packet) {
        std::array<uint8_t, Image::kRowBytes> data;
        const auto row = std::as_const(appImage()).row(writeRow(packet));
        std::copy(row.begin(), row.end(), data.begin());
        return data;
    };
    p.retryPauseMs = kRetryPauseMs;
    startTransfer(p);
}

void frm_chann::showReadProgress(int request)
{
    // The block count reads i after the channel request of pair i and i + 1
    // after its name request.
    const int c = request / 2 + 1 + request % 2;
    progress_->setValue(std::min(100, c * 100 / (kReadPairs + 1)));
    label_->setText(T::kReadingBefore.str() + QString::number(c) + T::kReadingAfter.str());
}

void frm_chann::showWriteProgress(int packet)
{
    // Before each record n from 1 on.
    if (packet % 2 != 0 || packet < 2)
        return;
    const int n = packet / 2;
    progress_->setValue(std::min(100, n * 100 / kChannels));
    label_->setText(T::kWritingBefore.str() + QString::number(n - 1) + T::kWritingAfter.str());
}

void frm_chann::readFinished()
{
    Image& image = appImage();
    const auto& filled = engine_->replies();
    auto reply = [&filled](int request) {
        const size_t s = size_t(kFirstSlot + request);
        return s < filled.size() ? filled[s] : QByteArray();
    };
    for (int i = 0; i < kStoredPairs; ++i) {
        const QByteArray records = blockData(reply(2 * i));
        const QByteArray names = blockData(reply(2 * i + 1));
        for (int k = 0; k < 4; ++k) {
            const auto at = [k](const QByteArray& b) {
                return std::span(reinterpret_cast<const uint8_t*>(b.constData()) + k * Image::kRowBytes,
                                 size_t(Image::kRowBytes));
            };
            image.setRow(recordRow(4 * i + k), at(records));
            image.setRow(nameRow(4 * i + k), at(names));
        }
    }
    closeEditors();
    refresh();
    for (int i = 0; i < kReadPairs; ++i) {
        const int request = 2 * i + 1;
        for (const ReceivedName& name : received_names(blockData(reply(request)), readAddress(request)))
            setCell(name.channel, ColName, name.text);
    }
    warn(T::kReadDone);
    label_->setText(T::kReadOk);
}

void frm_chann::writeFinished()
{
    warn(T::kWriteDone);
    label_->setText(T::kWriteOk);
}

void frm_chann::transferFailed()
{
    warn(T::kFail);
    setStatusPanel(4, T::kFailPanel);
    progress_->setValue(0);
    label_->setText(T::kFailLabel);
}

}  // namespace vx
