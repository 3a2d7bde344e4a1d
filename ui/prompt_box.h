#pragma once
// The product's prompt service: a modal message box with the given title,
// icon and text, and one OK button.

#include "ui/prompt.h"

namespace vx {

class MessageBoxPrompts final : public PromptService {
public:
    void show(const PromptRecord& prompt) override;
};

}  // namespace vx
