#pragma once
// Checks the signalling windows' row tests share: the keys a section's rows
// and grid columns give, and where a row's bytes lie.
#include "editors/signalling/entry_column.h"

#include <QRegularExpression>
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

}  // namespace vx::test
