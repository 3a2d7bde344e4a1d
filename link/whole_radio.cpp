#include "link/whole_radio.h"

namespace vx {

namespace {
BeforeWholeWrite gBeforeWrite;
}  // namespace

TransferPlan wholeReadPlan(Image& image)
{
    return TransferPlan::read(0x0000, kWholeReadFirstSlot, kWholeReadLastSlot)
        .storing(kWholeReadStored, region::wholeRead.first, intoImage(image))
        .withRetries(kWholeReadRetries, kWholeReadPause);
}

TransferPlan wholeWritePlan(const Image& image)
{
    return TransferPlan::write(0x0000, region::wholeWrite.first, region::wholeWrite.last + 1, fromImage(image))
        .withRetries(kWholeWriteRetries, kWholeWritePause);
}

bool wholeReadToImage(const std::vector<QByteArray>& replies, Image& image)
{
    return copySlotsToRows(replies, kWholeReadStored, region::wholeRead.first, intoImage(image));
}

void setBeforeWholeWrite(BeforeWholeWrite hook) { gBeforeWrite = std::move(hook); }

void runBeforeWholeWrite(Image& image)
{
    if (gBeforeWrite)
        gBeforeWrite(image);
}

}  // namespace vx
