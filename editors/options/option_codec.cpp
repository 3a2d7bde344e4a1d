#include "editors/options/option_codec.h"

#include "editors/options/vfo_codec.h"

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

int setting_position(const OptionBlock& block, const Setting& s) { return s.position(block.view()); }

// The copy is first brought up to date: a change must not write back bytes
// that changed in the image since the editor last showed them (a read or a
// file loaded while it was not active).
void store_setting(OptionBlock& block, Image& image, const Setting& s, int position)
{
    block.load(image);
    s.setPosition(block.ref(), position);
    block.store(image);
}

bool check_state(const OptionBlock& block, const Setting& s) { return s.on(block.view()); }

void store_check(OptionBlock& block, Image& image, const Setting& s, bool on)
{
    block.load(image);
    s.setOn(block.ref(), on);
    block.store(image);
}

QString text_value(const OptionBlock& block, const Setting& s) { return s.text ? s.text->get(block.view(), s.byte) : QString(); }

void store_text(OptionBlock& block, Image& image, const Setting& s, QStringView text)
{
    if (!s.text)
        return;
    block.load(image);
    s.text->put(block.ref(), s.byte, text);
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

// ---------------------------------------------------------------- defaults

void lay_down_defaults(Image& image, OptionBlock& block)
{
    const RecordRef w = block.ref();
    for (const Setting& s : kSettings)
        if (s.kind == SettingKind::List && s.fallback != kNoDefault)
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
