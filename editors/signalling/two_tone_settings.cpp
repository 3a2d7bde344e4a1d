#include "editors/signalling/two_tone_settings.h"

#include "image/codecs.h"
#include "image/tables.h"

#include <algorithm>

namespace vx::two_tone {

namespace {

bool inRange(double hz) { return hz >= kMinHz && hz <= kMaxHz; }

QString hzText(int hz) { return QString::number(hz) + QStringLiteral(".0"); }

// The entry `text` names, in any case and without regard to surrounding
// spaces; -1 for none.
int entryIn(const QStringList& entries, QStringView text)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].trimmed().compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool emptyOrEntry(const QStringList& entries, QStringView text) { return text.isEmpty() || entryIn(entries, text) >= 0; }

// A rule byte: the entry's position, FF for an empty text.
void putEntry(RecordRef record, int byte, const QStringList& entries, QStringView text)
{
    const int p = text.isEmpty() ? -1 : entryIn(entries, text);
    record.setU8(byte, p < 0 ? 0xFF : uint8_t(p));
}

QStringList alertValues() { return numberSteps(0, 1, kAlerts + 1); }

}  // namespace

QString tx_hook_get(RecordView record, int byte)
{
    const int f = field::Word16le{byte}.get(record);
    return inRange(f) ? hzText(f) : QString();
}

void tx_hook_put(RecordRef record, int byte, QStringView text) { field::Word16le{byte}.put(record, std::clamp(tx_commit(text).hz, 0, 0xFFFF)); }

bool tx_hook_accepts(QStringView text) { return !tx_commit(text).refused; }

QString pair_hook_get(RecordView record, int byte) { return pair_text(record.u8(byte)); }
void pair_hook_put(RecordRef record, int byte, QStringView text) { putEntry(record, byte, pair_entries(), text); }
bool pair_hook_accepts(QStringView text) { return emptyOrEntry(pair_entries(), text); }

QString response_hook_get(RecordView record, int byte) { return response_text(record.u8(byte)); }
void response_hook_put(RecordRef record, int byte, QStringView text) { putEntry(record, byte, callAlertTexts(false), text); }
bool response_hook_accepts(QStringView text) { return emptyOrEntry(callAlertTexts(false), text); }

QString alert_hook_get(RecordView record, int byte) { return alert_text(record.u8(byte)); }
void alert_hook_put(RecordRef record, int byte, QStringView text) { putEntry(record, byte, alertValues(), text); }
bool alert_hook_accepts(QStringView text) { return emptyOrEntry(alertValues(), text); }

QString tone_hook_get(RecordView record, int byte)
{
    const int f = field::Word16le{byte}.get(record);
    return f == 0 || f == 0xFFFF ? QString() : hzText(f);
}

// Rounded half to even; the period count lies eight bytes on.
void tone_hook_put(RecordRef record, int byte, QStringView text)
{
    const int hz = round_half_even(number_value(text));
    const bool set = inRange(hz);
    field::Word16le{byte}.put(record, set ? hz : 0xFFFF);
    field::Word16le{byte + 8}.put(record, set ? tone_words::period_count(hz) : 0xFFFF);
}

bool tone_hook_accepts(QStringView text) { return inRange(round_half_even(number_value(text))) || text.trimmed().isEmpty(); }

const Setting* setting_of(QStringView control)
{
    for (const Setting& s : kSettings)
        if (QLatin1String(s.control) == control)
            return &s;
    return nullptr;
}

}  // namespace vx::two_tone
