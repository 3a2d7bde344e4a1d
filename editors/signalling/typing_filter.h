#pragma once
// Per-key filtering of typed text, as the signalling editors' fields need:
// a key that types a character is let through only when the character is
// one of `accepted` and the field's trimmed text (less a selection the key
// would replace) has at most `maxBefore` characters. Backspace and Enter
// are filtered as characters too: each passes only when the filter accepts
// it. Keys that type nothing (arrows, Delete, Home) and shortcuts with
// Ctrl (copy, paste, undo) are left to the toolkit.

#include "ui/field_events.h"

#include <QObject>
#include <QString>

class QEvent;
class QLineEdit;

namespace vx {

class TypingFilter final : public QObject {
public:
    struct Rule {
        QString accepted;      // characters accepted
        int maxBefore = -1;    // -1: no limit
        bool backspace = false;
        bool enter = true;
    };

    // Installs a filter on `edit`; it is owned by the edit.
    static TypingFilter* install(QLineEdit* edit, Rule rule);

    // Whether a key typing `key` (a character, '\b' or '\r') is let
    // through on a field whose text, less the selection, is `remaining`.
    static bool accepts(const Rule& rule, QChar key, const QString& remaining);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TypingFilter(QLineEdit* edit, Rule rule);
    QLineEdit* edit_;
    Rule rule_;
};

}  // namespace vx
