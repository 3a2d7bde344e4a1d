#pragma once
// The language flag and the two-language text type.
// Every caption, list entry and message has a Chinese and an English form;
// the flag picks one at the moment the text is shown.

#include <QString>

namespace vx {

// True selects Chinese, false English. English after start-up.
bool chinese();
void setChinese(bool on);

// One text in both languages, picked by the flag when it is shown.
// Literals are UTF-8 and are used exactly as written (trailing spaces too).
struct Text {
    const char* zh;
    const char* en;

    QString str() const { return QString::fromUtf8(chinese() ? zh : en); }
    QString in(bool inChinese) const { return QString::fromUtf8(inChinese ? zh : en); }
    operator QString() const { return str(); }
};

}  // namespace vx
