#pragma once
// The optional features in image rows 224..243 (radio 0x0E00..0x0F3F):
// the option block (rows 224..239); the two VFO records (240..243) are in
// vfo_codec.h.
//
// Option block byte k is image row 224 + k / 16, byte k % 16. Editors work
// on a working copy of the block; a change edits the copy and then copies
// all 256 bytes back.
//
//   k        | what
//   0..48    | general settings, one list position a byte (kSettings)
//   129      | Check_chann_Mode: any non-zero value is checked, written 1
//   132      | bit 0 menu, bit 1 reset, bit 3 VFO/MR; other bits kept
//   192..203 | power-on message, two lines of six character codes
//   208..223 | ANI code, DTMF digit codes, FF where unused
//   224..239 | PTT-ID code sent at the start of a transmission
//   240..255 | PTT-ID code sent at the end

#include "editors/options/option_lists.h"
#include "editors/options/option_settings.h"
#include "editors/options/vfo_codec.h"
#include "image/codecs.h"
#include "image/image.h"
#include "image/record.h"
#include "image/tables.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <span>

namespace vx::options {

inline constexpr region::Rows kBlockRows{224, 239};
inline constexpr int kBlockSize = 256;

// ---------------------------------------------------------------- the block

// The working copy of the option block: 256 bytes, read and written through
// the same typed views as the image. All zero when made.
class OptionBlock {
public:
    OptionBlock() { bytes_.fill(0); }

    void load(const Image& image);   // rows 224..239 into the copy
    void store(Image& image) const;  // the whole copy back into rows 224..239

    RecordView view() const { return RecordView(bytes_); }
    RecordRef ref() { return RecordRef(bytes_); }
    uint8_t at(int k) const { return view().u8(k); }
    void set(int k, uint8_t value) { ref().setU8(k, value); }

private:
    std::array<uint8_t, kBlockSize> bytes_;
};

// Each radio document holds one working copy (RadioDocument::part): it
// outlives the editor window, so the defaults keep what was last loaded
// (zero before anything was).

// ---------------------------------------------------------------- settings

// Bytes no control edits, with their defaults.
inline constexpr RecordDefault kUneditedDefaults[] = {
    {1, {2}}, {3, {0}}, {7, {0}}, {10, {0, 0, 0, 0}}, {20, {0, 0}}, {24, {0}}, {36, {0, 0, 0, 0, 0}}, {48, {0}}, {133, {1}},
};
// The check boxes' bytes before Default sets their bits.
inline constexpr RecordDefault kCheckDefaults[] = {{129, {0}}, {132, {0xFF}}};

// What a list or check box of kSettings shows; a change stores it: the copy
// is loaded from the image, changed, and copied back whole.
int setting_position(const OptionBlock& block, const Setting& s);
void store_setting(OptionBlock& block, Image& image, const Setting& s, int position);
bool check_state(const OptionBlock& block, const Setting& s);
void store_check(OptionBlock& block, Image& image, const Setting& s, bool on);
// A text setting (a message line, a code) as shown, and a change of it.
QString text_value(const OptionBlock& block, const Setting& s);
void store_text(OptionBlock& block, Image& image, const Setting& s, QStringView text);

// ---------------------------------------------------------------- texts

// Power-on message: two lines of six cells, bytes 192..197 and 198..203.
enum class MessageLine { Upper, Lower };
constexpr int message_offset(MessageLine line) { return line == MessageLine::Upper ? 192 : 198; }
inline constexpr int kMessageCells = 6;
inline constexpr uint8_t kMessageEmpty = 11;  // a character without a code

// "0".."9", "A".."Z" (lower case taken as upper), "+", "-" and a space have
// codes; any other character gives kMessageEmpty.
uint8_t message_code(char32_t c);
// The character of a code, or 0 for a code without one.
char32_t message_char(uint8_t code);
// The visible characters of six cells, spaces left out.
QString decode_message(std::span<const uint8_t, kMessageCells> cells);
// The trimmed text centred in six cells of spaces; a space inside the text
// is taken as an empty character.
std::array<uint8_t, kMessageCells> encode_message(QStringView text);

QString message_text(const OptionBlock& block, MessageLine line);
// Writes the line into the image and the working copy.
void store_message(Image& image, OptionBlock& block, MessageLine line, QStringView text);

// ANI (row 237), PTT-ID begin (238) and end (239): up to 16 DTMF digit codes.
enum class CodeString { Ani, PttIdBegin, PttIdEnd };
constexpr field::DtmfString code_field(CodeString c) { return {208 + 16 * int(c), 16}; }

QString code_text(const OptionBlock& block, CodeString c);
// Writes the code into the image and the working copy.
void store_code(Image& image, OptionBlock& block, CodeString c, QStringView text);

// ---------------------------------------------------------------- defaults

// The factory values: the option block through the working copy (bytes
// without a default keep the copy's value), then the VFO rows; bytes 12..15
// of rows 241 and 243 are not touched.
void lay_down_defaults(Image& image, OptionBlock& block);

}  // namespace vx::options
