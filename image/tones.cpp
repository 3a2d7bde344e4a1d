#include "image/tones.h"

#include <array>

namespace vx::tones {

namespace {

constexpr std::array<int, kCtcssCount> kCtcss{
    670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035, 1072, 1109, 1148,
    1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679, 1713, 1738, 1773, 1799,
    1835, 1862, 1899, 1928, 1966, 1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

constexpr std::array<int, kDcsCount> kDcs{
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115, 116, 122, 125,
    131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223, 225, 226, 243, 244, 245, 246,
    251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365,
    371, 411, 412, 413, 423, 431, 432, 445, 446, 452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526,
    532, 546, 565, 606, 612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

QStringList buildLabels()
{
    QStringList out;
    out.reserve(kCount);
    out << QStringLiteral("OFF");
    for (int t : kCtcss)
        out << QStringLiteral("%1.%2").arg(t / 10).arg(t % 10);
    for (QChar pol : {QChar('N'), QChar('I')})
        for (int d : kDcs)
            out << QStringLiteral("D%1").arg(d, 3, 10, QChar('0')) + pol;
    return out;
}

}  // namespace

bool valid(int index) { return index >= 0 && index < kCount; }

const QStringList& labels()
{
    static const QStringList all = buildLabels();
    return all;
}

QString label(int index) { return valid(index) ? labels().at(index) : QString(); }

Kind kind(int index)
{
    if (index >= kFirstDcsInverted && index < kCount)
        return Kind::DcsInverted;
    if (index >= kFirstDcsNormal && index < kFirstDcsInverted)
        return Kind::DcsNormal;
    if (index >= kFirstCtcss && index < kFirstDcsNormal)
        return Kind::Ctcss;
    return Kind::None;
}

int ctcss_tenths(int index) { return kind(index) == Kind::Ctcss ? kCtcss[index - kFirstCtcss] : 0; }

int dcs_number(int index)
{
    switch (kind(index)) {
    case Kind::DcsNormal: return kDcs[index - kFirstDcsNormal];
    case Kind::DcsInverted: return kDcs[index - kFirstDcsInverted];
    default: return 0;
    }
}

uint16_t code(int index)
{
    switch (kind(index)) {
    case Kind::Ctcss: return uint16_t(ctcss_tenths(index));
    case Kind::DcsNormal:
    case Kind::DcsInverted: return uint16_t(index - 50);
    case Kind::None: return 0;
    }
    return 0;
}

std::optional<int> index_of(QStringView text)
{
    const QStringView t = text.trimmed();
    const QStringList& all = labels();
    for (int i = 0; i < all.size(); ++i)
        if (all[i] == t)
            return i;
    return std::nullopt;
}

std::optional<int> index_of_code(uint16_t c)
{
    if (c == 0 || c == 0xFFFF)
        return 0;
    if (c >= 1 && c <= 2 * kDcsCount)
        return int(c) + 50;
    for (int i = 0; i < kCtcssCount; ++i)
        if (kCtcss[i] == c)
            return i + kFirstCtcss;
    return std::nullopt;
}

}  // namespace vx::tones
