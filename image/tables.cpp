#include "image/tables.h"

#include "image/language.h"

namespace vx {

namespace {
QStringList gCallAlert;
}  // namespace

QStringList callAlertTexts(bool inChinese)
{
    if (inChinese)
        return {QStringLiteral("0.无"), QStringLiteral("1.提醒"), QStringLiteral("2.回复"), QStringLiteral("3.提醒并回")};
    return {QStringLiteral("0.None"), QStringLiteral("1.Alert"), QStringLiteral("2.Transpond"),
            QStringLiteral("3.Alert+Transpond")};
}

const QStringList& callAlertTexts()
{
    if (gCallAlert.isEmpty())
        rebuildCallAlertList();
    return gCallAlert;
}

void rebuildCallAlertList() { gCallAlert = callAlertTexts(chinese()); }

QStringList numberSteps(int first, int step, int count)
{
    QStringList out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out << QString::number(first + step * i);
    return out;
}

}  // namespace vx
