#pragma once
// Captures every prompt while alive; each returns at once.

#include "ui/prompt.h"

#include <QList>

namespace vx::test {

class CapturedPrompts final : public PromptService {
public:
    CapturedPrompts() { previous_ = setPromptService(this); }
    ~CapturedPrompts() override { setPromptService(previous_); }
    CapturedPrompts(const CapturedPrompts&) = delete;
    CapturedPrompts& operator=(const CapturedPrompts&) = delete;

    void show(const PromptRecord& p) override
    {
        all.append(p);
        if (onShow)
            onShow(p);
    }
    QStringList texts() const
    {
        QStringList out;
        for (const auto& p : all)
            out << p.text;
        return out;
    }
    void clear() { all.clear(); }

    QList<PromptRecord> all;
    std::function<void(const PromptRecord&)> onShow;

private:
    PromptService* previous_ = nullptr;
};

}  // namespace vx::test
