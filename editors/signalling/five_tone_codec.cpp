#include "editors/signalling/five_tone_codec.h"

#include "image/tables.h"

namespace vx::five_tone {

namespace {

struct StandardTones {
    const char* name;
    std::array<int, kDigits> tenths;  // digits 0..F, tenths of a hertz; 0: no tone
};

constexpr StandardTones kStandardTable[kStandards] = {
    {"CCIR1", {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 24000, 9300, 22470, 9910, 21100, 10550}},
    {"CCIR2", {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 24000, 9300, 22470, 9910, 21100, 10550}},
    {"PCCIR", {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 10500, 9300, 24000, 9910, 21100, 0}},
    {"ZVEI1", {24000, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 22000, 28000, 8100, 9700, 8850, 26000, 6800}},
    {"ZVEI2", {24000, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 22000, 8850, 8100, 7400, 6800, 9700, 26000}},
    {"ZVEI3", {22000, 9700, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 8850, 0, 0, 0, 24000, 0}},
    {"PZVEI", {24000, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 22000, 9700, 8100, 28000, 8850, 26000, 6800}},
    {"DZVEI", {22000, 9700, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 8250, 7400, 26000, 8850, 24000, 6800}},
    {"PDZVEI", {22000, 9700, 10600, 11600, 12700, 14000, 15300, 16700, 18300, 20000, 8250, 8860, 26000, 8560, 24000, 0}},
    {"EEA", {19810, 11240, 11970, 12750, 13580, 14460, 15400, 16400, 17470, 18600, 10550, 9300, 24000, 9910, 21100, 22470}},
    {"EIA", {6000, 7410, 8820, 10230, 11640, 13050, 14460, 15870, 17280, 18690, 21510, 24330, 20100, 22920, 4590, 10910}},
    {"EURO", {9798, 9031, 8325, 7674, 7074, 6520, 6010, 5540, 5107, 4708, 0, 0, 0, 0, 10629, 0}},
    {"CCITT", {4000, 6970, 7700, 8520, 9410, 12090, 13350, 14770, 16330, 18000, 19000, 20000, 21000, 22000, 23000, 0}},
    {"NATEL", {16330, 6310, 6970, 7700, 8520, 9410, 10400, 12090, 13360, 14770, 19950, 5710, 22050, 24370, 18050, 26940}},
    {"MODAT", {6575, 7875, 9375, 10875, 12375, 13875, 15375, 16875, 18375, 19875, 0, 0, 0, 0, 4875, 0}},
};

// Tone length positions of the standards (index i: 20 + 10 i ms): 70 ms,
// except CCIR1 and EURO 100 ms, EEA and MODAT 40 ms, EIA 30 ms.
constexpr uint8_t kToneLengthDefaults[kStandards] = {8, 5, 5, 5, 5, 5, 5, 5, 5, 2, 1, 8, 5, 5, 2};
constexpr uint8_t kGroupToneDefault = 10;   // A
constexpr uint8_t kRepeatToneDefault = 14;  // E

// Transmit entries 1 and 15, and row 607.
constexpr RecordDefault kDefaults[] = {
    {runOffset(kRegion, 592), {1, 2, 3, 4, 5, 3, 4, 5, 6, 7, 5, 6, 7, 8, 9, CCIR1}},
    {runOffset(kRegion, 606), {2, 3, 4, 5, 6, 4, 5, 6, 7, 8, 6, 7, 8, 9, 0, MODAT}},
    // delays 200 ms, no lengthening; 4-7 stay FF; decoding CCIR1, call frame
    // 1, display frames 2 and 3, reset 6000 ms
    {runOffset(kRegion, 607), {20, 20, 20, 0, 0xFF, 0xFF, 0xFF, 0xFF, CCIR1, 1, 6, 59}},
};

constexpr bool validStandard(int s) { return s >= 0 && s < kStandards; }
constexpr bool validDigit(int d) { return d >= 0 && d < kDigits; }
constexpr bool validEntry(int n) { return n >= 1 && n <= kEntries; }

}  // namespace

QString standard_name(int s) { return validStandard(s) ? QString::fromLatin1(kStandardTable[s].name) : QString(); }

QStringList standard_names()
{
    QStringList out;
    for (const StandardTones& t : kStandardTable)
        out << QString::fromLatin1(t.name);
    return out;
}

int tone_tenths(int s, int d) { return validStandard(s) && validDigit(d) ? kStandardTable[s].tenths[size_t(d)] : 0; }

QString digit_frequency_text(int s, int d)
{
    const int t = tone_tenths(s, d);
    return QString::number(t / 10) + QLatin1Char('.') + QString::number(t % 10);
}

int frequency_word(int s, int d) { return tone_tenths(s, d) / 10; }

int divider(int s, int d) { return tone_words::divider_tenths(tone_tenths(s, d)); }

void lay_tables(Image& image)
{
    const RecordRef r = ref(image);
    for (int s = 0; s < kStandards; ++s)
        for (int d = 0; d < kDigits; ++d) {
            const int word = frequency_word(s, d);
            const int ticks = divider(s, d);
            Layout::freqLow(s, d).put(r, uint8_t(word & 0xFF));
            Layout::freqHigh(s, d).put(r, uint8_t(word >> 8));
            Layout::dividerLow(s, d).put(r, uint8_t(ticks & 0xFF));
            Layout::dividerHigh(s, d).put(r, uint8_t(ticks >> 8));
        }
}

QStringList tone_length_entries() { return numberSteps(20, 10, kToneLengths); }

QStringList digit_entries()
{
    QStringList out;
    for (int d = 0; d < kDigits; ++d)
        out << digit_text(uint8_t(d));
    return out;
}

QStringList timing_entries() { return numberSteps(0, 10, kTimings); }
QStringList reset_time_entries() { return numberSteps(100, 100, kResetTimes); }

QString digit_text(uint8_t digit)
{
    if (digit >= kDigits)
        return QStringLiteral(" ");
    return QString(QLatin1Char("0123456789ABCDEF"[digit]));
}

uint8_t digit_value(char32_t c)
{
    if (c >= U'0' && c <= U'9')
        return uint8_t(c - U'0');
    if (c >= U'A' && c <= U'F')
        return uint8_t(c - U'A' + 10);
    if (c >= U'a' && c <= U'f')
        return uint8_t(c - U'a' + 10);
    return kNoDigit;
}

QString tone_length_text(const Image& image, int s)
{
    if (!validStandard(s))
        return {};
    return QString::number(20 + 10 * int(view(image).u8(Layout::toneLength(s).offset)));
}

QString group_tone_text(const Image& image, int s)
{
    return validStandard(s) ? digit_text(Layout::groupTone(s).get(view(image))) : QString();
}

QString repeat_tone_text(const Image& image, int s)
{
    return validStandard(s) ? digit_text(Layout::repeatTone(s).get(view(image))) : QString();
}

QString frame_text(const Image& image, int n, int f)
{
    if (!validEntry(n) || f < 0 || f >= kFrames)
        return {};
    QString out;
    const RecordView r = view(image);
    for (int i = 0; i < kFrameDigits; ++i)
        out += digit_text(r.u8(Layout::frame(n, f) + i));
    return out;
}

QString entry_standard_text(const Image& image, int n)
{
    return validEntry(n) ? standard_name(Layout::standard(n).get(view(image))) : QString();
}

void set_frame(Image& image, int n, int f, QStringView text)
{
    if (!validEntry(n) || f < 0 || f >= kFrames)
        return;
    const RecordRef r = ref(image);
    const int at = Layout::frame(n, f);
    r.fill(at, kFrameDigits, kNoDigit);
    const QList<uint> chars = text.trimmed().toUcs4();
    for (int i = 0; i < kFrameDigits && i < chars.size(); ++i)
        r.setU8(at + i, digit_value(char32_t(chars[i])));
}

void set_entry_standard(Image& image, int n, int s)
{
    if (validEntry(n) && validStandard(s))
        Layout::standard(n).put(ref(image), uint8_t(s));
}

void set_tone_length(Image& image, int s, int position)
{
    if (validStandard(s))
        Layout::toneLength(s).put(ref(image), position);
}

void set_group_tone(Image& image, int s, int digit)
{
    if (validStandard(s) && validDigit(digit))
        Layout::groupTone(s).put(ref(image), uint8_t(digit));
}

void set_repeat_tone(Image& image, int s, int digit)
{
    if (validStandard(s) && validDigit(digit))
        Layout::repeatTone(s).put(ref(image), uint8_t(digit));
}

void load_defaults(Image& image)
{
    lay_tables(image);
    const RecordRef r = ref(image);
    for (int s = 0; s < kStandards; ++s) {
        Layout::toneLength(s).put(r, kToneLengthDefaults[s]);
        Layout::groupTone(s).put(r, kGroupToneDefault);
        Layout::repeatTone(s).put(r, kRepeatToneDefault);
    }
    image.fillRows(592, 607);
    r.lay(kDefaults);
}

}  // namespace vx::five_tone
