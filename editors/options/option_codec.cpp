#include "editors/options/option_codec.h"

#include "image/tones.h"

#include <QChar>
#include <QList>
#include <algorithm>
#include <cmath>

namespace vx::options {

namespace {

// The VFO rows 240..243 as one run.
inline constexpr RecordDefault kVfoDefaults[] = {
    {0, {1, 3, 6, 0, 2, 5, 0, 0, 0, 1, 0, 6, 5, 5, 0, 0}},   // A: 136.02500 MHz, offset 010655
    {16, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},             // no tones, first entries
    {32, {4, 7, 0, 6, 2, 5, 0, 0, 0, 0, 1, 6, 2, 5, 0, 0}},  // B: 470.62500 MHz, offset 001625
    {48, {0, 0, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0}},            // signal code "15"
};

inline constexpr RecordDefault kCodeDefaults[] = {
    {208, {8, 0, 8, 0, 8}},  // ANI 8D8D8
    {224, {1, 2, 3, 4, 5}},  // PTT-ID begin 12345
    {240, {9, 8, 7, 6, 5}},  // PTT-ID end 98765
};

constexpr char32_t kWelcome[] = U"WELCOM";
constexpr char32_t kModel[] = U"QX-270";

RecordRef blockRef(Image& image) { return RecordRef(image, kBlockRows); }

}  // namespace

// ---------------------------------------------------------------- the block

void OptionBlock::load(const Image& image)
{
    const RecordView rows(image, kBlockRows);
    for (int k = 0; k < kBlockSize; ++k)
        bytes_[size_t(k)] = rows.u8(k);
}

void OptionBlock::store(Image& image) const { blockRef(image).write(0, bytes_); }

// ---------------------------------------------------------------- settings

int setting_position(const OptionBlock& block, const GeneralSetting& s) { return s.field().get(block.view()); }

// The copy is first brought up to date: a change must not write back bytes
// that changed in the image since the editor last showed them (a read or a
// file loaded while it was not active).
void store_setting(OptionBlock& block, Image& image, const GeneralSetting& s, int position)
{
    block.load(image);
    s.field().put(block.ref(), position);
    block.store(image);
}

bool check_state(const OptionBlock& block, const CheckSetting& c) { return c.get(block.view()); }

void store_check(OptionBlock& block, Image& image, const CheckSetting& c, bool on)
{
    block.load(image);
    c.put(block.ref(), on);
    block.store(image);
}

// ---------------------------------------------------------------- texts

uint8_t message_code(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        c = c - U'a' + U'A';
    if ((c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || c == U'+' || c == U'-' || c == U' ')
        return uint8_t(c);
    return kMessageEmpty;
}

char32_t message_char(uint8_t code)
{
    const char32_t c = code;
    if ((c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || c == U'+' || c == U'-' || c == U' ')
        return c;
    return 0;
}

QString decode_message(std::span<const uint8_t, kMessageCells> cells)
{
    QString out;
    for (uint8_t code : cells) {
        const char32_t c = message_char(code);
        if (c && c != U' ')
            out += QChar(c);
    }
    return out;
}

std::array<uint8_t, kMessageCells> encode_message(QStringView text)
{
    std::array<uint8_t, kMessageCells> cells;
    cells.fill(uint8_t(' '));
    const QList<uint> chars = text.trimmed().toUcs4();
    const int n = int(chars.size());
    const int shift = n >= kMessageCells ? 0 : (kMessageCells - n) / 2;
    for (int i = 0; i < n && i < kMessageCells; ++i) {
        // Each character is taken alone and trimmed: a space is empty.
        const char32_t c = char32_t(chars[i]);
        cells[size_t(shift + i)] = QChar::isSpace(c) ? kMessageEmpty : message_code(c);
    }
    return cells;
}

QString message_text(const OptionBlock& block, MessageLine line)
{
    return decode_message(block.view().bytes<kMessageCells>(message_offset(line)));
}

void store_message(Image& image, OptionBlock& block, MessageLine line, QStringView text)
{
    const auto cells = encode_message(text);
    block.ref().write(message_offset(line), cells);
    blockRef(image).write(message_offset(line), cells);
}

QString code_text(const OptionBlock& block, CodeString c) { return code_field(c).get(block.view()); }

void store_code(Image& image, OptionBlock& block, CodeString c, QStringView text)
{
    code_field(c).put(block.ref(), text);
    code_field(c).put(blockRef(image), text);
}

// ---------------------------------------------------------------- VFO

QString decode_vfo_frequency(std::span<const uint8_t, 8> digits)
{
    QString out;
    for (int i = 0; i < 8; ++i) {
        if (i == 3)
            out += QLatin1Char('.');
        if (digits[size_t(i)] < 10)
            out += QLatin1Char(char('0' + digits[size_t(i)]));
    }
    return out;
}

QString vfo_frequency(const Image& image, Vfo v) { return decode_vfo_frequency(vfo_view(image, v).bytes<8>(0)); }

void encode_vfo_frequency(Image& image, Vfo v, QStringView text) { VfoLayout::frequency.put(vfo_ref(image, v), text); }

bool vfo_is_vhf(const Image& image, Vfo v) { return vfo_view(image, v).u8(0) == 1; }

Units10Hz vfo_grid_units(QStringView text)
{
    // Read the number exactly: leading spaces, a sign, digits with one point.
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    int64_t mhz = 0;
    int64_t khz = 0;     // the first three decimals
    int64_t below = 0;   // the next six: the part below 1 kHz in millionths of a kHz
    int decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        const int d = c.digitValue();
        if (!point)
            mhz = std::min<int64_t>(mhz * 10 + d, 1000);
        else if (decimals < 3)
            khz = khz * 10 + d, ++decimals;
        else if (decimals < 9)
            below = below * 10 + d, ++decimals;
    }
    if (negative)
        return 0;
    for (; decimals < 3; ++decimals)
        khz *= 10;
    for (; decimals < 9; ++decimals)
        below *= 10;
    // The nearest of 0, 250, 500, 750 and 1000 Hz; digits past the ninth
    // decimal never move a value across a tie, which goes up.
    const int64_t quarter = (below + 125'000) / 250'000;
    const Units10Hz units = mhz * kUnitsPerMHz + khz * 100 + quarter * 25;
    return std::clamp<Units10Hz>(units, 0, kMaxUnits);
}

QString normalised_vfo_frequency(QStringView text) { return frequency_text(vfo_grid_units(text)); }

QString offset_label(int position)
{
    const int khz = std::clamp(position, 0, kOffsetCount - 1) * 50;
    return QStringLiteral("%1.%2MHZ").arg(khz / 1000, 2, 10, QLatin1Char('0')).arg(khz % 1000, 3, 10, QLatin1Char('0'));
}

int decode_offset(std::span<const uint8_t, 6> bytes)
{
    // At most six three-digit texts: 18 digits fit.
    uint64_t n = 0;
    for (uint8_t b : bytes)
        n = n * (b >= 100 ? 1000 : b >= 10 ? 100 : 10) + b;
    uint64_t q = n / 50;
    const uint64_t r = n % 50;
    if (r > 25 || (r == 25 && q % 2 == 1))
        ++q;
    return int(std::min<uint64_t>(q, kOffsetCount - 1));
}

int vfo_offset(const Image& image, Vfo v) { return decode_offset(vfo_view(image, v).bytes<6>(VfoLayout::offsetDigits)); }

void encode_offset(Image& image, Vfo v, QStringView label)
{
    std::array<uint8_t, 6> bytes{};
    constexpr int kFrom[] = {0, 1, 3, 4, 5};  // characters 1, 2, 4, 5, 6
    for (int i = 0; i < 5; ++i) {
        const int d = kFrom[i] < label.size() ? label[kFrom[i]].digitValue() : 0;
        bytes[size_t(i + 1)] = uint8_t(std::max(d, 0));
    }
    vfo_ref(image, v).write(VfoLayout::offsetDigits, bytes);
}

VfoTone decode_vfo_tone(uint8_t low, uint8_t high)
{
    if (low == 0xFF || high == 0xFF)
        return {0, {}};
    const ToneValue t = tone_value({low, high});
    switch (t.kind) {
    case ToneValue::Off: return {0, {}};
    case ToneValue::Dcs: return {t.index, {}};
    case ToneValue::Ctcss:
        if (const auto index = tones::index_of(tenths_text(t.tenths)); index && tones::kind(*index) == tones::Kind::Ctcss)
            return {*index, {}};
        return {-1, tenths_text(t.tenths)};
    case ToneValue::Other: break;
    }
    // No list entry: the stored bytes as they are.
    if (high != 0)
        return {-1, tenths_text(256 * high + low)};
    return {-1, QStringLiteral("%1 %2").arg(low, 2, 16, QLatin1Char('0')).arg(high, 2, 16, QLatin1Char('0')).toUpper()};
}

// ---------------------------------------------------------------- VFO entry

VfoLimits vfo_limits(bool vhf, const BandLimits& l) { return vhf ? VfoLimits{l.aLow, l.aHigh} : VfoLimits{l.bLow, l.bHigh}; }

namespace {
QString whole(double mhz) { return QString::number(int64_t(std::floor(mhz))); }
}  // namespace

VfoEntry vfo_frequency_entry(QStringView typed, VfoLimits limits)
{
    VfoEntry e{typed.toString()};
    const double f = number_value(typed);
    if (f < limits.lower) {
        e = {whole(limits.lower) + QStringLiteral(".02500"), true};
    } else if (f > limits.upper) {
        e = {whole(limits.upper - 1) + QStringLiteral(".62500"), true};
    }
    e.text = normalised_vfo_frequency(e.text);
    return e;
}

QString vfo_band_text(QStringView text, VfoLimits limits)
{
    const double w = std::trunc(number_value(text));
    if (w < limits.lower || w >= limits.upper)
        return whole(limits.lower) + QStringLiteral(".02500");
    return text.toString();
}

// ---------------------------------------------------------------- defaults

void lay_down_defaults(Image& image, OptionBlock& block)
{
    const RecordRef w = block.ref();
    for (const GeneralSetting& s : kGeneralSettings)
        if (s.fallback != kNoDefault)
            w.setU8(s.byte, uint8_t(s.fallback));
    w.lay(kUneditedDefaults);
    w.lay(kCheckDefaults);
    w.fill(192, 64, 0xFF);
    for (int i = 0; i < kMessageCells; ++i) {
        w.setU8(message_offset(MessageLine::Upper) + i, message_code(kWelcome[i]));
        w.setU8(message_offset(MessageLine::Lower) + i, message_code(kModel[i]));
    }
    w.lay(kCodeDefaults);
    block.store(image);
    RecordRef(image, vfo_row(Vfo::A), 4).lay(kVfoDefaults);
}

}  // namespace vx::options
