#include "editors/signalling/dtmf_settings.h"

#include "image/dtmf.h"

#include <algorithm>

namespace vx::dtmf {

QString code_hook_get(RecordView record, int byte) { return field::DtmfString{byte, kCodeLength}.get(record); }

void code_hook_put(RecordRef record, int byte, QStringView text) { field::DtmfString{byte, kCodeLength}.put(record, text); }

bool code_hook_accepts(QStringView text)
{
    return text.size() <= kCodeLength && std::ranges::all_of(text, [](QChar ch) { return dtmf_code(ch.unicode()) != kDtmfNone; });
}

namespace {

// The entry of the group-call list `text` names, in any case and without
// regard to surrounding spaces; -1 for none.
int characterEntry(QStringView text)
{
    const QStringList entries = group_call_entries();
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

}  // namespace

QString character_hook_get(RecordView record, int byte) { return field::DtmfDigit{byte}.get(record); }

// An empty text stores the code of no character (FF).
void character_hook_put(RecordRef record, int byte, QStringView text)
{
    const int entry = text.isEmpty() ? -1 : characterEntry(text);
    field::DtmfDigit{byte}.put(record, entry < 0 ? U'\0' : group_call_entries().at(entry).at(0).unicode());
}

bool character_hook_accepts(QStringView text) { return text.isEmpty() || characterEntry(text) >= 0; }

const Setting* setting_of(QStringView control)
{
    for (const Setting& s : kSettings)
        if (QLatin1String(s.control) == control)
            return &s;
    return nullptr;
}

}  // namespace vx::dtmf
