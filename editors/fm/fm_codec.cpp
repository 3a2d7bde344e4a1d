#include "editors/fm/fm_codec.h"

#include "image/codecs.h"

#include <QList>

namespace vx::fm {

namespace {

using O = PresetOffsets;

// A name byte that shows as a character: a printable character of the ANSI
// code page other than a space; 00 and FF (no character) never do.
bool shown(uint8_t b)
{
    const QChar c(ansi_char(b));
    return b != 0x00 && b != 0xFF && c.unicode() != 0 && c.isPrint() && !c.isSpace();
}

// The byte a typed name character is stored as: its ANSI code when that is
// a printable character (a space included), or -1.
int storedCode(char32_t c)
{
    const int code = ansi_code(c);
    if (code < 0 || code == 0xFF)
        return -1;
    const QChar shownAs(ansi_char(uint8_t(code)));
    return shownAs.isPrint() ? code : -1;
}

RecordRef presetRef(Image& image, int p) { return RecordRef(image, preset_row(p)); }

void layEmpty(const RecordRef& rec)
{
    rec.fill(0, 8, 0x00);
    rec.fill(O::name, O::nameBytes, 0xFF);
}

}  // namespace

bool is_empty(const Image& image, int p)
{
    if (!valid_preset(p))
        return true;
    const RecordView rec(image, preset_row(p));
    return rec.u8(0) == 0 && rec.u8(1) == 0 && rec.u8(2) == 0;
}

PresetTexts decode_preset(const Image& image, int p)
{
    if (is_empty(image, p))
        return {};
    const RecordView rec(image, preset_row(p));
    const auto name = rec.bytes<O::nameBytes>(O::name);
    return {O::frequency.get(rec), decode_name(name)};
}

QString decode_name(std::span<const uint8_t> bytes)
{
    QString out;
    for (const uint8_t b : bytes)
        if (shown(b))
            out += QChar(ansi_char(b));
    return out;
}

int name_start(int length)
{
    if (length >= 6)
        return 8;
    if (length == 5)
        return 9;
    if (length >= 3)
        return 10;
    return 11;
}

QByteArray name_codes(QStringView name)
{
    QByteArray out;
    for (const uint c : name.toUcs4()) {
        if (out.size() == kNameLength)
            break;
        if (const int code = storedCode(char32_t(c)); code >= 0)
            out.append(char(code));
    }
    return out;
}

void encode_preset(Image& image, int p, QStringView frequency, QStringView name)
{
    if (!valid_preset(p))
        return;
    const RecordRef rec = presetRef(image, p);
    if (frequency.trimmed().isEmpty()) {
        layEmpty(rec);
        return;
    }
    O::frequency.put(rec, frequency);
    rec.fill(O::name, O::nameBytes, 0xFF);
    const QByteArray codes = name_codes(name.trimmed());
    const int first = name_start(int(codes.size()));
    for (int i = 0; i < codes.size(); ++i)
        rec.setU8(first + i, uint8_t(codes[i]));
}

void set_frequency(Image& image, int p, QStringView frequency)
{
    if (!valid_preset(p))
        return;
    if (frequency.trimmed().isEmpty() || is_empty(image, p)) {
        // Emptied, or a preset that was empty: the name cell is blank.
        encode_preset(image, p, frequency, {});
        return;
    }
    O::frequency.put(presetRef(image, p), frequency);
}

void clear_presets(Image& image) { image.fillRows(region::fmPresets.first, region::fmPresets.last, 0x00); }

void load_factory_presets(Image& image)
{
    for (int p = 1; p <= kPresets; ++p)
        layEmpty(presetRef(image, p));
    struct Factory {
        int preset;
        const char16_t* frequency;
        const char* name;
    };
    static constexpr Factory kFactory[] = {
        {1, u"88.9", "KTNEW"},  {2, u"90.4", "CCTV1"},   {4, u"92.3", "JTZS2"},
        {6, u"95.5", "KTBBC"},  {8, u"96.9", "CCTV4"},   {10, u"98.3", "FJQX"},
        {12, u"103.9", "CCTV6"}, {14, u"100.7", "DNZS3"}, {16, u"105.9", "CCTV9"},
    };
    for (const Factory& f : kFactory) {
        const RecordRef rec = presetRef(image, f.preset);
        O::frequency.put(rec, f.frequency);
        // From byte 8, not by the placement rule.
        for (int i = 0; f.name[i] != '\0' && i < kNameLength; ++i)
            rec.setU8(O::name + i, uint8_t(f.name[i]));
    }
}

bool in_band(QStringView typed)
{
    const double v = number_value(typed);
    return v >= kLowMHz && v <= kHighMHz;
}

QString frequency_entry(QStringView typed) { return frequency_text(frequency_units(typed.trimmed())); }

QString lowest_frequency() { return frequency_text_mhz(kLowMHz); }

QString name_entry(QStringView typed)
{
    const QList<uint> chars = typed.trimmed().toUcs4();
    const QList<uint> kept = chars.first(std::min<qsizetype>(chars.size(), kNameLength));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(kept.constData()), kept.size()).toUpper();
}

bool name_too_long(QStringView typed) { return typed.trimmed().toUcs4().size() > kNameLength; }

}  // namespace vx::fm
