#include "editors/signalling/five_tone_settings.h"

#include <algorithm>

namespace vx::five_tone {

namespace {

// The standard `text` names, in any case and without regard to surrounding
// spaces; -1 for none.
int standardOf(QStringView text)
{
    const QStringList names = standard_names();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool isDigit(QChar c) { return digit_value(c.unicode()) != kNoDigit; }

}  // namespace

QString digit_hook_get(RecordView record, int byte) { return digit_text(record.u8(byte)).trimmed(); }

void digit_hook_put(RecordRef record, int byte, QStringView text)
{
    record.setU8(byte, text.size() == 1 ? digit_value(text[0].unicode()) : kNoDigit);
}

bool digit_hook_accepts(QStringView text) { return text.isEmpty() || (text.size() == 1 && isDigit(text[0])); }

QString frame_hook_get(RecordView record, int byte)
{
    QString out;
    for (int i = 0; i < kFrameDigits; ++i)
        out += digit_text(record.u8(byte + i));
    return out.trimmed();
}

// The first five characters of the trimmed text, FF for the rest.
void frame_hook_put(RecordRef record, int byte, QStringView text)
{
    record.fill(byte, kFrameDigits, kNoDigit);
    const QList<uint> chars = text.trimmed().toUcs4();
    for (int i = 0; i < kFrameDigits && i < chars.size(); ++i)
        record.setU8(byte + i, digit_value(char32_t(chars[i])));
}

bool frame_hook_accepts(QStringView text) { return text.isEmpty() || (text.size() == kFrameDigits && std::ranges::all_of(text, isDigit)); }

QString entry_standard_hook_get(RecordView record, int byte) { return standard_name(record.u8(byte)); }

void entry_standard_hook_put(RecordRef record, int byte, QStringView text)
{
    const int s = text.isEmpty() ? -1 : standardOf(text);
    record.setU8(byte, s < 0 ? 0xFF : uint8_t(s));
}

bool entry_standard_hook_accepts(QStringView text) { return text.isEmpty() || standardOf(text) >= 0; }

// A value past the last standard shows as the last, as the list does.
QString standard_hook_get(RecordView record, int byte) { return standard_name(field::List8{byte, kStandards}.get(record)); }

void standard_hook_put(RecordRef record, int byte, QStringView text) { field::List8{byte, kStandards}.put(record, standardOf(text)); }

bool standard_hook_accepts(QStringView text) { return standardOf(text) >= 0; }

const Setting* setting_of(QStringView control)
{
    for (const Setting& s : kSettings)
        if (QLatin1String(s.control) == control)
            return &s;
    return nullptr;
}

}  // namespace vx::five_tone
