#include "link/identity.h"

#include "link/status.h"

namespace vx {

namespace {

// Bytes become characters one by one as single-byte characters (Latin-1); a
// zero byte stays a character of code 0.
QString chars(const QByteArray& reply, int first, int count)
{
    QString s;
    for (int i = first; i < first + count; ++i)
        s.append(QChar(uchar(reply[i])));
    return s;
}

int limitAt(const QByteArray& reply, int first)
{
    return uchar(reply[first]) * 100 + uchar(reply[first + 1]) * 10 + uchar(reply[first + 2]);
}

}  // namespace

std::optional<IdentityInfo> parseIdentityReply(const QByteArray& reply)
{
    if (reply.size() < kIdentityReplySize)
        return std::nullopt;
    for (int i = 0; i < 4; ++i)
        if (uchar(reply[13 + i]) != kIdentityWord[i])
            return std::nullopt;
    if (uchar(reply[49]) != kIdentityEndMark)
        return std::nullopt;

    IdentityInfo info;
    for (int k = 0; k < 4; ++k)
        info.limits[k] = limitAt(reply, 1 + 3 * k);
    info.model = chars(reply, 17, 6);
    info.serial = chars(reply, 33, 6) + QStringLiteral("--") + chars(reply, 39, 6) + QStringLiteral("--")
                  + chars(reply, 45, 4);
    info.version = chars(reply, 23, 2) + QLatin1Char('.') + chars(reply, 25, 2) + QLatin1Char('.')
                   + chars(reply, 27, 1) + QLatin1Char('.') + chars(reply, 28, 1);
    return info;
}

QString limitsPanelText(int low, int high)
{
    auto num = [](int v) { return v < 0 ? QString::number(v) : QLatin1Char(' ') + QString::number(v); };
    return num(low) + QStringLiteral("--") + num(high) + QStringLiteral(" MHZ");
}

void publishIdentity(const IdentityInfo& info)
{
    setStatusPanel(8, limitsPanelText(info.limits[0], info.limits[1]));
    setStatusPanel(10, limitsPanelText(info.limits[2], info.limits[3]));
    setStatusPanel(2, info.model);
    setStatusPanel(4, info.serial);
    setStatusPanel(6, info.version);
}

}  // namespace vx
