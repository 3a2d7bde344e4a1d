#pragma once
// Checks the signalling windows' row tests share: the keys a section's rows
// and grid columns give, and where a row's bytes lie.
#include "editors/signalling/entry_column.h"

#include <QLabel>
#include <QMap>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableView>

#include <algorithm>
#include <QSet>
#include <QTest>

namespace vx::test {

struct RowKeys {
    QStringList keys;
    QStringList oldKeys;

    void add(const Setting& s)
    {
        keys << QLatin1String(s.key);
        oldKeys << (s.oldKey ? QString::fromUtf8(s.oldKey) : QString());
    }
    template <size_t N>
    void add(const signalling::EntryColumn (&columns)[N])
    {
        for (const signalling::EntryColumn& c : columns)
            for (int i = 0; i < c.entries; ++i) {
                keys << signalling::entry_key(c, i);
                oldKeys << signalling::entry_old_key(c, i);
            }
    }
};

// Every key of the frozen form and given once; every old key once, and none
// another setting's key (the old key would name two settings).
inline void checkKeys(const RowKeys& k)
{
    static const QRegularExpression frozen(QStringLiteral("^[a-z][a-z0-9_]*$"));
    QSet<QString> keys, olds;
    for (const QString& key : k.keys) {
        QVERIFY2(frozen.match(key).hasMatch(), qPrintable(key));
        QVERIFY2(!keys.contains(key), qPrintable(key));
        keys << key;
    }
    for (int i = 0; i < k.oldKeys.size(); ++i) {
        const QString old = k.oldKeys[i].toLower();
        QVERIFY2(!old.isEmpty(), qPrintable(k.keys[i]));
        QVERIFY2(!olds.contains(old), qPrintable(old));
        olds << old;
        QVERIFY2(old == k.keys[i] || !keys.contains(old), qPrintable(old));
    }
}

// How many bytes from a row's byte on its setting holds.
inline int heldBytes(const Setting& s, int textBytes) { return s.kind == SettingKind::Text ? textBytes : 1; }

// Where settings lie: no two share a byte (check boxes: a bit), so that no
// row was given another's offset.
struct HeldBytes {
    struct Held {
        int byte, width, bit;
        QString key;
    };
    QList<Held> held;
    void add(const Setting& s, int width) { held.push_back({s.byte, width, s.kind == SettingKind::OnOff ? s.bit : -1, QLatin1String(s.key)}); }
    void check() const
    {
        for (qsizetype i = 0; i < held.size(); ++i)
            for (qsizetype j = i + 1; j < held.size(); ++j) {
                const Held& a = held[i];
                const Held& b = held[j];
                const bool overlap = a.byte < b.byte + b.width && b.byte < a.byte + a.width;
                QVERIFY2(!overlap || (a.bit >= 0 && b.bit >= 0 && a.bit != b.bit), qPrintable(a.key + QLatin1Char(' ') + b.key));
            }
    }
};

// Every column is its grid column or field: the grid's heading over the
// column is the column's label, each entry's cell shows the entry's value
// (a field shows the first entry's, which the window shows at first), and
// the last entry's bytes lie in the region. Every grid column but the
// entries' own is one column row's.
template <class Window, size_t N>
void checkColumns(const Window& w, const signalling::EntryColumn (&columns)[N], RecordView r, int regionBytes, bool inChinese)
{
    QMap<QString, QList<int>> covered;
    for (const signalling::EntryColumn& c : columns)
        if (c.column >= 0)
            covered[QString::fromLatin1(c.cell.control)] << c.column;
    for (auto it = covered.begin(); it != covered.end(); ++it) {
        QList<int> expected, shown = it.value();
        for (int column = 1; column < w.grid(it.key())->model()->columnCount(); ++column)
            expected << column;
        std::ranges::sort(shown);
        QCOMPARE(shown, expected);
    }
    for (const signalling::EntryColumn& c : columns) {
        QVERIFY2(c.cell.byte >= 0 && signalling::entry_setting(c, c.entries - 1).byte < regionBytes, c.cell.key);
        QVERIFY2(c.cell.kind != SettingKind::Text || c.cell.text, c.cell.key);
        if (c.column >= 0) {
            const QAbstractItemModel* grid = w.grid(QString::fromLatin1(c.cell.control))->model();
            QVERIFY2(c.column < grid->columnCount(), c.cell.key);
            QCOMPARE(grid->headerData(c.column, Qt::Horizontal).toString(), c.cell.label.in(inChinese));
            QCOMPARE(grid->rowCount(), c.entries);
            for (int i = 0; i < c.entries; ++i)
                QCOMPARE(grid->index(i, c.column).data().toString().trimmed(), signalling::entry_setting(c, i).value(r));
        } else {
            QCOMPARE(w.edit(QString::fromLatin1(c.cell.control))->text(), signalling::entry_setting(c, 0).value(r));
            QCOMPARE(w.template find<QLabel>(QString::fromLatin1(c.cell.labelControl))->text(), c.cell.label.in(inChinese));
        }
    }
}

}  // namespace vx::test
