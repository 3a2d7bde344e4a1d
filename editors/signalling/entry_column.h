#pragma once
// A column of a grid (or a field that shows the chosen entry's value): one
// setting of each entry, described once. `cell` is entry 1's setting; entry
// i (0-based) lies one image row (16 bytes) further on per entry.
//
//   cell.key     frozen, with N where the entry goes: "encode_N_tone_1"
//   cell.label   the column's caption as the window shows it: its grid
//                heading (the window builds the heading from it) or the
//                field's label
//   cell.oldKey  what files of version 15.8.25 carry, with %1 for the entry
//   entry        how an entry is named in a label: "Code %1"
//
// An entry is its number (1..entries), or with `entryName` a name (the
// 5-tone standards); in a key the name is in lower case.

#include "image/setting.h"

#include <QString>
#include <QStringList>

namespace vx::signalling {

inline constexpr int kEntryBytes = 16;

struct EntryColumn {
    Setting cell;
    int column = -1;  // its grid column; -1: a field showing the chosen entry
    int entries = 0;
    Text entry;
    QString (*entryName)(int i) = nullptr;
};

// Entry i's setting: the cell moved down i rows.
inline Setting entry_setting(const EntryColumn& c, int i)
{
    Setting s = c.cell;
    s.byte += kEntryBytes * i;
    return s;
}

inline QString entry_word(const EntryColumn& c, int i) { return c.entryName ? c.entryName(i) : QString::number(i + 1); }

inline QString entry_key(const EntryColumn& c, int i)
{
    return QString::fromLatin1(c.cell.key).replace(QLatin1Char('N'), entry_word(c, i).toLower());
}

inline QString entry_old_key(const EntryColumn& c, int i)
{
    return c.cell.oldKey ? QString::fromUtf8(c.cell.oldKey).arg(entry_word(c, i)) : QString();
}

// "Code 3 1st Frequency(HZ)": the entry, then the column's caption.
inline QString entry_label(const EntryColumn& c, int i, bool inChinese)
{
    return c.entry.in(inChinese).arg(entry_word(c, i)) + QLatin1Char(' ') + c.cell.label.in(inChinese).trimmed();
}

// A grid's headings in the language of the moment: `first` over the entry
// column, then each column's caption over its own column, centred.
template <size_t N>
QString grid_headings(const Text& first, const EntryColumn (&columns)[N], int count)
{
    QStringList out(count);
    out[0] = first.str();
    for (const EntryColumn& c : columns)
        if (c.column > 0 && c.column < count)
            out[c.column] = QLatin1Char('^') + c.cell.label.str();
    return out.join(QLatin1Char('|'));
}

}  // namespace vx::signalling
