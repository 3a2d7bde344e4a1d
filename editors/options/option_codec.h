#pragma once
// The optional features in image rows 224..243 (radio 0x0E00..0x0F3F):
// the option block (rows 224..239) and the two VFO records (240..243).
//
// Option block byte k is image row 224 + k / 16, byte k % 16. Editors work
// on a working copy of the block; a change edits the copy and then copies
// all 256 bytes back.
//
//   k        | what
//   0..48    | general settings, one list position a byte (kGeneralSettings)
//   129      | Check_chann_Mode: any non-zero value is checked, written 1
//   132      | bit 0 menu, bit 1 reset, bit 3 VFO/MR; other bits kept
//   192..203 | power-on message, two lines of six character codes
//   208..223 | ANI code, DTMF digit codes, FF where unused
//   224..239 | PTT-ID code sent at the start of a transmission
//   240..255 | PTT-ID code sent at the end
//
// A VFO (A: rows 240..241, B: 242..243), as run bytes of its two rows:
//
//   0..7   frequency, one digit a byte, 100 MHz .. 10 Hz
//   8..13  offset in kHz, six digits, most significant first (8 written 0)
//   16..17 receive tone, 18..19 transmit tone (00 00: none)
//   20..27 signal code, speaker mute, optional signal, scrambler,
//          bandwidth, power, offset direction, step (list positions)
//   14, 15, 28..31 not used, kept

#include "editors/options/option_lists.h"
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
inline constexpr int kNoDefault = -1;

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

// One general setting: the drop-down list `control` shows the position held
// in byte `byte`; the defaults lay `fallback` there.
struct GeneralSetting {
    const char* control;
    int byte;
    const Choices* list;
    int fallback = kNoDefault;

    constexpr field::List8 field() const { return {byte, list->count()}; }
};

// In refresh order.
inline constexpr GeneralSetting kGeneralSettings[] = {
    {"Combo_Tdr", 0, &lists::onOff, 1},
    {"Combo_Sql_le", 2, &lists::squelch, 5},
    {"Combo_tot", 5, &lists::timeOut, 5},
    {"Combo_Toa", 6, &lists::apo, 10},
    {"Combo_Abr", 8, &lists::backLightTime, 0},
    {"Combo_Beep", 9, &lists::onOff, 1},
    {"Combo_Dtmfst", 14, &lists::dtmfSideTone, 3},
    {"Combo_Bcl", 15, &lists::onOff, 0},
    {"Combo_Sc_Add", 16, &lists::onOff},
    {"Combo_Pri_Sc", 17, &lists::onOff},
    {"Combo_Pri_Ch", 18, &lists::channel},
    {"Combo_Sc_rev", 19, &lists::scanResume, 0},
    {"Combo_Ptt_id", 22, &lists::pttId, 0},
    {"Combo_Ptt_lt", 23, &lists::pttDelay, 10},
    {"Combo_Emc_Tp", 25, &lists::alarmType, 1},
    {"Combo_Emc_Ch", 26, &lists::channel, 199},
    {"Combo_ring", 27, &lists::ringTime, 5},
    {"Combo_MDF_A", 29, &lists::channelDisplay, 0},
    {"Combo_MDF_B", 30, &lists::channelDisplay, 1},
    {"Combo_Autolk", 31, &lists::onOff, 0},
    {"Combo_PonMsg", 32, &lists::powerOnDisplay, 1},
    {"Combo_wt_led", 33, &lists::backLightColour, 3},
    {"Combo_rx_led", 34, &lists::backLightColour, 1},
    {"Combo_tx_led", 35, &lists::backLightColour, 2},
    {"Combo_ANI_L", 41, &lists::aniLength, 2},
    {"Combo_REP_S", 42, &lists::relaySignal, 0},
    {"Combo_REP_M", 43, &lists::relayCondition, 0},
    {"Combo_TDR_AB", 44, &lists::dualWatchReturn, 10},
    {"Combo_STE", 45, &lists::onOff, 1},
    {"Combo_RP_STE", 46, &lists::repeaterTail, 5},
    {"Combo_RPT_DL", 47, &lists::repeaterTail, 0},
};
inline constexpr int kGeneralCount = int(std::size(kGeneralSettings));

// Bytes no control edits, with their defaults.
inline constexpr RecordDefault kUneditedDefaults[] = {
    {1, {2}}, {3, {0}}, {7, {0}}, {10, {0, 0, 0, 0}}, {20, {0, 0}}, {24, {0}}, {36, {0, 0, 0, 0, 0}}, {48, {0}}, {133, {1}},
};

// A check box: bit `bit` of `byte`, or (bit < 0) the whole byte, any
// non-zero value checked.
struct CheckSetting {
    const char* control;
    int byte;
    int bit;

    bool get(RecordView r) const { return bit < 0 ? field::NonZero8{byte}.get(r) : field::Flag{byte, bit}.get(r); }
    void put(RecordRef r, bool on) const
    {
        if (bit < 0)
            field::NonZero8{byte}.put(r, on);
        else
            field::Flag{byte, bit}.put(r, on);
    }
};

// In refresh order.
inline constexpr CheckSetting kCheckSettings[] = {
    {"Check_VFO_MR_SW", 132, 3},
    {"Check_chann_Menu_en", 132, 0},
    {"Check_chann_reset_en", 132, 1},
    {"Check_chann_Mode", 129, -1},
};
inline constexpr RecordDefault kCheckDefaults[] = {{129, {0}}, {132, {0xFF}}};

// Position a general setting shows; a change stores it: the copy is loaded
// from the image, changed, and copied back whole.
int setting_position(const OptionBlock& block, const GeneralSetting& s);
void store_setting(OptionBlock& block, Image& image, const GeneralSetting& s, int position);
bool check_state(const OptionBlock& block, const CheckSetting& c);
void store_check(OptionBlock& block, Image& image, const CheckSetting& c, bool on);

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

// ---------------------------------------------------------------- VFO

enum class Vfo { A, B };
constexpr int vfo_row(Vfo v) { return v == Vfo::A ? 240 : 242; }
inline RecordView vfo_view(const Image& image, Vfo v) { return RecordView(image, vfo_row(v), 2); }
inline RecordRef vfo_ref(Image& image, Vfo v) { return RecordRef(image, vfo_row(v), 2); }

struct VfoLayout {
    static constexpr field::Digits8 frequency{0};
    static constexpr int offsetDigits = 8;  // bytes 8..13
    static constexpr field::Tone16le rxTone{16};
    static constexpr field::Tone16le txTone{18};
    static constexpr field::List8 signalCode{20, lists::signalCode.count()};
    static constexpr field::List8 speakerMute{21, lists::speakerMute.count()};
    static constexpr field::List8 optionalSignal{22, lists::optionalSignal.count()};
    static constexpr field::List8 scrambler{23, lists::scrambler.count()};
    static constexpr field::List8 bandwidth{24, lists::bandwidth.count()};
    static constexpr field::List8 power{25, lists::power.count()};
    static constexpr field::List8 shiftDirection{26, lists::shiftDirection.count()};
    static constexpr field::List8 step{27, lists::step.count()};
};

// The frequency digits as shown: bytes 0..2, ".", bytes 3..7; a byte of 10
// or more gives no character (erased: ".").
QString decode_vfo_frequency(std::span<const uint8_t, 8> digits);
QString vfo_frequency(const Image& image, Vfo v);
// `text` in the normalised form (three integer digits or two, a point and
// five decimals).
void encode_vfo_frequency(Image& image, Vfo v, QStringView text);
// VHF when the first frequency digit is 1.
bool vfo_is_vhf(const Image& image, Vfo v);
// A typed frequency on the stored grid: whole MHz, three kHz digits and
// 00, 25, 50 or 75 tens of hertz, the part below 1 kHz taken to the
// nearest 250 Hz (125 Hz past a step goes up; 1000 Hz carries).
Units10Hz vfo_grid_units(QStringView text);
QString normalised_vfo_frequency(QStringView text);

// Offsets: entry i is i x 50 kHz.
inline constexpr int kOffsetCount = 2000;
QString offset_label(int position);
// The six offset bytes as one number (each byte's decimal text joined), in
// 50 kHz steps rounded half to even, at most 1999.
int decode_offset(std::span<const uint8_t, 6> bytes);
int vfo_offset(const Image& image, Vfo v);
// Byte 8 = 0, bytes 9..13 = characters 1, 2, 4, 5, 6 of the label.
void encode_offset(Image& image, Vfo v, QStringView label);

// A VFO tone as its list shows it: a position of the VFO tone list, or
// (position -1) a text the list has no entry for.
struct VfoTone {
    int position = 0;
    QString text;
    bool operator==(const VfoTone&) const = default;
};
VfoTone decode_vfo_tone(uint8_t low, uint8_t high);
// The pair a list position stores: the tone list entry's stored form, none
// as 00 00 (the channel records write FF FF).
inline TonePair encode_vfo_tone(int position) { return encode_tone_index(position); }

// ---------------------------------------------------------------- VFO entry

// The working range of a VFO's frequency field, MHz: band A's limits for
// VHF, band B's for UHF.
struct VfoLimits {
    double lower;
    double upper;
};
VfoLimits vfo_limits(bool vhf, const BandLimits& limits);

// A frequency typed into a VFO field as it is stored: below the lower limit
// it becomes the lower limit's whole MHz and .02500, above the upper limit
// (upper - 1) and .62500, each with the range message; then it is brought
// onto the stored grid.
struct VfoEntry {
    QString text;
    bool outOfRange = false;
};
VfoEntry vfo_frequency_entry(QStringView typed, VfoLimits limits);
// A band change keeps a frequency only when its whole MHz lies in
// [lower, upper); otherwise the lower limit's whole MHz and .02500.
QString vfo_band_text(QStringView text, VfoLimits limits);

// ---------------------------------------------------------------- showing

// ---------------------------------------------------------------- defaults

// The factory values: the option block through the working copy (bytes
// without a default keep the copy's value), then the VFO rows; bytes 12..15
// of rows 241 and 243 are not touched.
void lay_down_defaults(Image& image, OptionBlock& block);

}  // namespace vx::options
