#pragma once
// A choice list in both languages: a few fixed entries followed by a run of
// numbers:
//
//   fixed entries  | numbers
//   "关闭" / "OFF"  | "30", "60", ... "300"   (first 30, step 30, 10 of them)
//
// The stored value of a list setting is the position of its entry; the
// Chinese and English lists have the same length and order.

#include "image/language.h"

#include <QStringList>
#include <array>
#include <initializer_list>

namespace vx {

struct Choices {
    static constexpr int kMaxFixed = 6;
    std::array<Text, kMaxFixed> fixed{};
    int fixedCount = 0;
    int numbers = 0;  // then `numbers` entries: first, first + step, ...
    int first = 0;
    int step = 1;
    const char* prefix = "";  // before each number ("CH-")
    int digits = 0;           // each number zero-padded to this width

    constexpr int count() const { return fixedCount + numbers; }
    // The entries in one language, or in the current one.
    QStringList entries(bool inChinese) const;
    QStringList entries() const { return entries(chinese()); }
};

constexpr Choices fixed_list(std::initializer_list<Text> entries)
{
    Choices c;
    for (const Text& t : entries)
        c.fixed[size_t(c.fixedCount++)] = t;
    return c;
}

constexpr Choices number_list(int count, int first, int step = 1, std::initializer_list<Text> before = {})
{
    Choices c = fixed_list(before);
    c.numbers = count;
    c.first = first;
    c.step = step;
    return c;
}

}  // namespace vx
