#pragma once
// Files a user may pick as a channel list by mistake, or that were damaged,
// in the shapes that once made the import slow or large: each made to a
// given size. Shared by the import's tests and its benchmark.

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <random>

namespace vx::test {

struct CsvShape {
    const char* name;
    QByteArray (*make)(qsizetype bytes);
};

inline QByteArray repeatedTo(QByteArray head, const QByteArray& unit, qsizetype bytes)
{
    head.reserve(bytes);
    while (head.size() + unit.size() <= bytes)
        head += unit;
    return head;
}

inline const QByteArray kShapeHeader = "Location,Name,Frequency\n";

inline const QList<CsvShape>& csvShapes()
{
    static const QList<CsvShape> shapes{
        // An opening quote never closed: every following line a field of it.
        {"unclosed quote", [](qsizetype n) { return repeatedTo(kShapeHeader + "1,\"A", "\nA", n); }},
        {"empty lines", [](qsizetype n) { return repeatedTo(kShapeHeader, "\n", n); }},
        {"one-field lines", [](qsizetype n) { return repeatedTo(kShapeHeader, "A\n", n); }},
        {"one channel line repeated", [](qsizetype n) { return repeatedTo(kShapeHeader, "1,CH,145.5\n", n); }},
        {"one huge line", [](qsizetype n) { return repeatedTo(kShapeHeader + "1,", "x", n); }},
        {"binary data", [](qsizetype n) {
             std::mt19937 rng(29);
             QByteArray out = kShapeHeader;
             out.reserve(n);
             while (out.size() < n)
                 out += char(rng());
             return out;
         }},
        // A log file: text lines longer than a header, no Location column.
        {"log file", [](qsizetype n) { return repeatedTo({}, "2026-12-10 09:46:39 INFO  radio: link up on COM8, 9600 baud\n", n); }},
    };
    return shapes;
}

}  // namespace vx::test
