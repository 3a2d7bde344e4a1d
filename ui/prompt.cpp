#include "ui/prompt.h"

namespace vx {

namespace {
PromptService* gService = nullptr;
}

void prompt(const QString& title, PromptIcon icon, const QString& text)
{
    if (gService)
        gService->show({title, icon, text});
}

PromptService* setPromptService(PromptService* service)
{
    PromptService* old = gService;
    gService = service;
    return old;
}

}  // namespace vx
