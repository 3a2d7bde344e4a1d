#pragma once
// The one prompt service every message box goes through. The product
// installs a service that shows modal message boxes; tests install one that
// records each prompt and returns at once, so no box ever waits in a test.

#include <QString>
#include <functional>

namespace vx {

enum class PromptIcon { None, Warning, Information };

struct PromptRecord {
    QString title;
    PromptIcon icon = PromptIcon::None;
    QString text;
    bool operator==(const PromptRecord&) const = default;
};

class PromptService {
public:
    virtual ~PromptService() = default;
    // Shows one message and returns when the user has dismissed it.
    virtual void show(const PromptRecord& prompt) = 0;
};

// Shows a message through the installed service. With no service installed
// (a core-only program) the prompt is dropped.
void prompt(const QString& title, PromptIcon icon, const QString& text);
inline void prompt(const PromptRecord& p) { prompt(p.title, p.icon, p.text); }

// A warning box: the form of nearly every message the windows show.
inline void warn(const QString& title, const QString& text) { prompt(title, PromptIcon::Warning, text); }

// Installs a service; returns the previous one. The caller keeps ownership.
PromptService* setPromptService(PromptService* service);

}  // namespace vx
