#include "image/record.h"

#include "image/dtmf.h"

#include <QList>
#include <vector>

namespace vx {

bool RecordView::check(int offset, int count) const
{
    const bool inside = contains(offset, count);
    assert(inside);
    return inside;
}

uint8_t RecordView::u8(int offset) const { return check(offset, 1) ? bytes_[size_t(offset)] : Image::kFill; }

void RecordRef::setU8(int offset, uint8_t value) const
{
    if (check(offset, 1))
        out_[size_t(offset)] = value;
}

void RecordRef::setU16le(int offset, uint16_t value) const
{
    setU8(offset, uint8_t(value & 0xFF));
    setU8(offset + 1, uint8_t(value >> 8));
}

void RecordRef::write(int offset, std::span<const uint8_t> bytes) const
{
    if (!check(offset, int(bytes.size())))
        return;
    for (size_t i = 0; i < bytes.size(); ++i)
        setU8(offset + int(i), bytes[i]);
}

void RecordRef::fill(int offset, int count, uint8_t value) const
{
    if (!check(offset, count))
        return;
    for (int i = 0; i < count; ++i)
        setU8(offset + i, value);
}

void RecordRef::lay(std::span<const RecordDefault> defaults) const
{
    for (const RecordDefault& d : defaults)
        write(d.offset, std::span(d.bytes).first(size_t(d.count)));
}

namespace field {

int DigitBytes::get(RecordView r) const
{
    int value = 0;
    for (int i = 0; i < count; ++i)
        value = value * 10 + r.u8(offset + i);
    return value;
}

void DigitBytes::put(RecordRef r, int value) const
{
    int scale = 1;
    for (int i = 1; i < count; ++i)
        scale *= 10;
    value = std::clamp(value, 0, 255 * scale + scale - 1);
    r.setU8(offset, uint8_t(value / scale));
    for (int i = count - 1; i >= 1; --i, value /= 10)
        r.setU8(offset + i, uint8_t(value % 10));
}

QString DtmfDigit::get(RecordView r) const
{
    const char c = dtmf_char(r.u8(offset));
    return c ? QString(QLatin1Char(c)) : QString();
}

void DtmfDigit::put(RecordRef r, char32_t c) const { r.setU8(offset, dtmf_code(c)); }

QString DtmfString::get(RecordView r) const
{
    QString out;
    for (int i = 0; i < length; ++i)
        if (const char c = dtmf_char(r.u8(offset + i)))
            out += QLatin1Char(c);
    return out;
}

void DtmfString::put(RecordRef r, QStringView text) const
{
    // Counted in characters, so a character outside the BMP takes one byte.
    const QList<uint> chars = text.trimmed().toUcs4();
    r.fill(offset, length, kDtmfNone);
    for (int i = 0; i < length && i < chars.size(); ++i)
        r.setU8(offset + i, dtmf_code(char32_t(chars[i])));
}

QString Ascii::text(std::span<const uint8_t> bytes) const
{
    QString out;
    if (bytes.empty() || bytes[0] == 0xFF)
        return out;
    for (size_t i = 0; i < bytes.size() && i < size_t(length); ++i)
        if (bytes[i] < 0x80 && keep(bytes[i]))
            out += QLatin1Char(char(bytes[i]));
    return out;
}

QString Ascii::get(RecordView r) const
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < length; ++i)
        bytes.push_back(r.u8(offset + i));
    return text(bytes);
}

void Ascii::put(RecordRef r, QStringView text) const
{
    const QList<uint> chars = text.toUcs4();
    for (int i = 0; i < length; ++i) {
        const char32_t c = i < chars.size() ? char32_t(chars[i]) : 0;
        const bool stored = i < chars.size() && c < 0x80 && keep(c);
        r.setU8(offset + i, stored ? uint8_t(c) : uint8_t(0xFF));
    }
}

}  // namespace field

}  // namespace vx
