#pragma once
// One setting, one row: its frozen key (what files carry), its label in both
// languages as the window captions it, the object names of its control and
// label, its kind, where its record holds it, its list and its default. The
// window builds and binds the control from the row; the text configuration,
// its reference, show and diff read the same row. Nothing else describes
// the setting, and no table is joined to another by position.
//
// What a row cannot say (how a text field is coded, a frequency, a grid) is
// a hook the row names.

#include "image/choices.h"
#include "image/language.h"
#include "image/record.h"

#include <QString>
#include <QStringView>

namespace vx {

inline constexpr int kNoDefault = -1;

enum class SettingKind {
    List,   // a drop-down list: the byte holds the entry's position
    OnOff,  // a check box: one bit, or a whole byte any non-zero value of which is on
    Text,   // a text field: the row's hook reads and writes it
};

// How a text setting is held from its byte on, and what it takes.
struct TextHook {
    QString (*get)(RecordView record, int byte);
    void (*put)(RecordRef record, int byte, QStringView text);
    bool (*accepts)(QStringView text);
    Text values;  // what it takes, for the reference and refusals
};

struct Setting {
    const char* key;                     // frozen: files in users' hands carry it
    Text label;                          // as the window captions it
    const char* control;                 // the control's object name
    const char* labelControl = nullptr;  // its label's; null: none of its own (a check box captions itself)
    SettingKind kind = SettingKind::List;
    int byte = 0;                        // offset in the area's record
    int bit = -1;                        // OnOff: the bit; -1: the whole byte, stored 1 when on
    const Choices* list = nullptr;       // List: the entries
    int fallback = kNoDefault;           // List: what Default lays down
    const TextHook* text = nullptr;      // Text: the hook
    const char* oldKey = nullptr;        // the key files of version 15.8.25 carry, when not `key`
    const Text* group = nullptr;         // the caption over the row of boxes it is one of, if any

    constexpr field::List8 listField() const { return {byte, list ? list->count() : 0}; }
    // List: the position shown; a value past the end shows the last entry.
    int position(RecordView r) const { return listField().get(r); }
    void setPosition(RecordRef r, int p) const { listField().put(r, p); }
    bool on(RecordView r) const;
    void setOn(RecordRef r, bool on) const;

    // The value as text: the list entry in English, "on" or "off", the text.
    QString value(RecordView r) const;
    // Stores `text`: an entry of the list in either language, in any case and
    // without regard to surrounding spaces; on or off; a text the hook
    // accepts. False, and nothing stored, when the setting does not take it.
    bool setValue(RecordRef r, const QString& text) const;
    // What the setting takes, for the reference and refusals.
    QString values(bool inChinese) const;
};

// The list entries as the reference and refusals show them: all of a short
// list, the ends of a long one.
QString listedValues(const QStringList& entries);

}  // namespace vx
