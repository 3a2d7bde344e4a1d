#include "image/setting.h"

#include <algorithm>

namespace vx {

bool Setting::on(RecordView r) const { return bit < 0 ? field::NonZero8{byte}.get(r) : field::Flag{byte, bit}.get(r); }

void Setting::setOn(RecordRef r, bool value) const
{
    if (bit < 0)
        field::NonZero8{byte}.put(r, value);
    else
        field::Flag{byte, bit}.put(r, value);
}

QString Setting::value(RecordView r) const
{
    switch (kind) {
    case SettingKind::List: return list ? list->entries(false).value(position(r)).trimmed() : QString();
    case SettingKind::OnOff: return on(r) ? QStringLiteral("on") : QStringLiteral("off");
    case SettingKind::Text: return text ? text->get(r, byte) : QString();
    }
    return {};
}

bool Setting::setValue(RecordRef r, const QString& v) const
{
    switch (kind) {
    case SettingKind::List: {
        if (!list)
            return false;
        const QString wanted = v.trimmed();
        for (const bool zh : {false, true}) {
            const QStringList entries = list->entries(zh);
            const auto it = std::ranges::find_if(entries, [&](const QString& e) { return e.trimmed().compare(wanted, Qt::CaseInsensitive) == 0; });
            if (it != entries.end()) {
                setPosition(r, int(it - entries.begin()));
                return true;
            }
        }
        return false;
    }
    case SettingKind::OnOff: {
        const QString t = v.trimmed().toLower();
        if (t != u"on" && t != u"off")
            return false;
        setOn(r, t == u"on");
        return true;
    }
    case SettingKind::Text:
        if (!text || !text->accepts(v))
            return false;
        text->put(r, byte, v);
        return true;
    }
    return false;
}

QString Setting::values(bool inChinese) const
{
    switch (kind) {
    case SettingKind::List: return list ? listedValues(list->entries(false)) : QString();
    case SettingKind::OnOff: return QStringLiteral("`on`, `off`");
    case SettingKind::Text: return text ? text->values.in(inChinese) : QString();
    }
    return {};
}

QString listedValues(const QStringList& entries)
{
    QStringList quoted;
    for (const QString& e : entries)
        quoted << QLatin1Char('`') + e.trimmed() + QLatin1Char('`');
    if (quoted.size() > 12)
        return QStringLiteral("%1, %2, ... %3 (%4 values)").arg(quoted[0], quoted[1], quoted.last()).arg(quoted.size());
    return quoted.join(QStringLiteral(", "));
}

}  // namespace vx
