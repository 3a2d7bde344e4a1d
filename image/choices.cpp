#include "image/choices.h"

namespace vx {

QStringList Choices::entries(bool inChinese) const
{
    QStringList out;
    out.reserve(count());
    for (int i = 0; i < fixedCount; ++i)
        out << fixed[size_t(i)].in(inChinese);
    const QString before = QString::fromLatin1(prefix);
    for (int i = 0; i < numbers; ++i)
        out << before + QStringLiteral("%1").arg(first + i * step, digits, 10, QLatin1Char('0'));
    return out;
}

}  // namespace vx
