#pragma once
// The two VFO records in image rows 240..243 (A: rows 240..241, B:
// 242..243), as run bytes of their two rows:
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
#include <span>

namespace vx::options {

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

}  // namespace vx::options
