#pragma once
// 2-tone settings: image rows 720..767 (radio 0x2D00..0x2FFF), read as one
// run of 48 rows. Frequencies are whole hertz, 16-bit little endian.
//
//   row      | bytes      | field
//   720..734 | 0-1, 8-9   | transmit entry n = row - 719: first, second tone
//            | 2-7, 10-15 | kept
//   735      | 0, 1, 2    | first tone, second tone, gap: duration positions
//   736..750 | 0-11       | receive entry n = row - 735: rules 1..4, three
//            |            | bytes each: tone pair, response, alert number
//            | 12-15      | kept
//   751      |            | kept
//   752..766 | 0-7        | receive entry n = row - 751: tones A..D (2k, 2k+1)
//            | 8-15       | the same tones as period counts (8+2k, 9+2k)
//   767      | 0          | decoder reset time position; 1-15 kept
//
// Receive tones are 300..3000 Hz, or FF in all four bytes of the tone.

#include "editors/signalling/tone_words.h"
#include "image/image.h"
#include "image/record.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vx::two_tone {

inline constexpr region::Rows kRegion = region::twoTone;
inline constexpr int kEntries = 15;
inline constexpr int kRules = 4;
inline constexpr int kTones = 4;             // A, B, C, D
inline constexpr int kDecodeColumns = 1 + 3 * kRules;  // number, then pair/response/alert x 4
inline constexpr int kMinHz = 300;
inline constexpr int kMaxHz = 3000;
inline constexpr int kDurations = 101;       // 0, 10, ... 1000 ms
inline constexpr int kResetTimes = 150;      // 100, 200, ... 15000 ms
inline constexpr int kPairs = 12;
inline constexpr int kAlerts = 16;           // "1" .. "16"


enum Duration : int { FirstTone, SecondTone, Gap };
// What a column of a decode rule holds.
enum class RuleField { Pair, Response, Alert };

struct Layout {
    // n = 1..15; which = 0 first tone, 1 second tone.
    static constexpr field::Word16le txFreq(int n, int which) { return {runOffset(kRegion, 719 + n, which == 0 ? 0 : 8)}; }
    static constexpr field::List8 duration(int which) { return {runOffset(kRegion, 735, which), kDurations}; }
    // n = 1..15, rule 0..3.
    static constexpr field::U8 rule(int n, int rule, RuleField f) { return {runOffset(kRegion, 735 + n, 3 * rule + int(f))}; }
    // n = 1..15, tone k = 0..3 (A..D).
    static constexpr field::Word16le toneFreq(int n, int k) { return {runOffset(kRegion, 751 + n, 2 * k)}; }
    static constexpr field::Word16le tonePeriods(int n, int k) { return {runOffset(kRegion, 751 + n, 8 + 2 * k)}; }
    static constexpr field::List8 resetTime{runOffset(kRegion, 767, 0), kResetTimes};
};

inline RecordView view(const Image& image) { return RecordView(image, kRegion); }
inline RecordRef ref(Image& image) { return RecordRef(image, kRegion); }

// Decode grid column (1..12) of rule r and field f, and back.
constexpr int rule_column(int rule, RuleField f) { return 1 + 3 * rule + int(f); }
constexpr int column_rule(int column) { return (column - 1) / 3; }
constexpr RuleField column_field(int column) { return RuleField((column - 1) % 3); }

// List entries; the stored value is the position.
QStringList duration_entries();   // "0" .. "1000"
QStringList reset_time_entries();  // "100" .. "15000"
QStringList pair_entries();       // "A-B", "A-C", ... "D-C"
QStringList alert_entries();      // "1" .. "16"

// Rounding of typed numbers: half to the even neighbour, and half up.
int round_half_even(double v);
int round_half_up(double v);

// "f.0" for a frequency of 300..3000 Hz, else empty (transmit cells).
QString tx_text(const Image& image, int n, int which);
// A decode grid cell (column 1..12) of receive entry n.
QString rule_text(const Image& image, int n, int column);
QString pair_text(uint8_t code);      // empty past "D-C"
QString response_text(uint8_t code);  // the call-alert text; 4..254 as 0, FF empty
QString alert_text(uint8_t value);    // "0".."16", empty above
// Tone k of receive entry n: "f.0", empty for 0 and FFFF.
QString tone_text(const Image& image, int n, int k);

// Stores a transmit frequency word (0 for none).
void set_tx_freq(Image& image, int n, int which, int hz);
// Stores one byte of a decode rule (column 1..12).
void set_rule_byte(Image& image, int n, int column, uint8_t value);
// Stores tone k of entry n with its period count; out-of-range values store
// FF in the tone's four bytes.
void set_tone(Image& image, int n, int k, int hz);
void clear_tone(Image& image, int n, int k);

// A typed transmit frequency as the cell commits it: the value rounded half
// up when it lies in 300..3000, 0 for an empty text; `refused` for any other
// text (0 is stored then too).
struct TxCommit {
    int hz = 0;
    bool refused = false;
};
TxCommit tx_commit(QStringView text);

// A typed receive tone as its field commits it: rounded half to even and
// stored with its period count when in 300..3000, else the tone's bytes all
// FF. True when the text was refused (neither in range nor empty).
bool commit_tone(Image& image, int n, int k, QStringView text);

// Factory values: the whole region FF, then the defaults table.
void load_defaults(Image& image);

}  // namespace vx::two_tone
