#include "link/whole_radio.h"

namespace vx {

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

}  // namespace vx
