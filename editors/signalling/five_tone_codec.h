#pragma once
// 5-tone settings: image rows 512..607 (radio 0x2000..0x25FF), read as one
// run of 96 rows. Standard s is 0..14, digit d 0..15 ("0".."9", "A".."F"),
// transmit entry n 1..15; a tone digit FF is no digit.
//
//   row      | bytes     | field
//   512 + s  | d         | frequency word of digit d, low byte  (constant
//   528 + s  | d         | frequency word, high byte             tables)
//   544 + s  | d         | divider, low byte
//   560 + s  | d         | divider, high byte
//   527, 543, 559, 575   | kept
//   576 + s  | 0         | tone length position (20 + 10 i ms)
//            | 1, 2      | group tone, repeat tone (tone digits)
//            | 3-15      | kept
//   591      |           | kept
//   591 + n  | 0-4, 5-9, 10-14 | frames 1, 2, 3: five tone digits each
//            | 15        | standard
//   607      | 0, 1, 2   | delay before frames 1..3 (10 i ms)
//            | 3         | first-tone lengthening (10 i ms)
//            | 8         | decoding standard
//            | 9, 10     | call frames, displayed frames: bit k = frame k + 1
//            | 11        | decoder reset time (100 + 100 i ms)
//            | 4-7, 12-15| kept
//
// Frequency word: the whole part of f. Divider: the whole part of one
// period of f in ticks of the tone clock, always rounded down. A tone of
// 0.0 Hz has both words 0.

#include "editors/signalling/tone_words.h"
#include "image/image.h"
#include "image/record.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace vx::five_tone {

inline constexpr region::Rows kRegion = region::fiveTone;
inline constexpr region::Rows kTableRows{512, 574};  // what the constant tables cover
inline constexpr region::Rows kReadRows{576, 607};   // what the editor's own read replaces
inline constexpr int kStandards = 15;
inline constexpr int kDigits = 16;
inline constexpr int kEntries = 15;
inline constexpr int kFrames = 3;
inline constexpr int kFrameDigits = 5;
inline constexpr int kToneLengths = 19;  // 20, 30, ... 200 ms
inline constexpr int kTimings = 101;     // 0, 10, ... 1000 ms
inline constexpr int kResetTimes = 150;  // 100, 200, ... 15000 ms
inline constexpr uint8_t kNoDigit = 0xFF;


enum Timing : int { Delay1, Delay2, Delay3, FirstToneExtend, kTimingLists };
enum Standard : int { CCIR1, CCIR2, PCCIR, ZVEI1, ZVEI2, ZVEI3, PZVEI, DZVEI, PDZVEI, EEA, EIA, EURO, CCITT, NATEL, MODAT };

struct Layout {
    static constexpr field::U8 freqLow(int s, int d) { return {runOffset(kRegion, 512 + s, d)}; }
    static constexpr field::U8 freqHigh(int s, int d) { return {runOffset(kRegion, 528 + s, d)}; }
    static constexpr field::U8 dividerLow(int s, int d) { return {runOffset(kRegion, 544 + s, d)}; }
    static constexpr field::U8 dividerHigh(int s, int d) { return {runOffset(kRegion, 560 + s, d)}; }
    static constexpr field::List8 toneLength(int s) { return {runOffset(kRegion, 576 + s, 0), kToneLengths}; }
    static constexpr field::U8 groupTone(int s) { return {runOffset(kRegion, 576 + s, 1)}; }
    static constexpr field::U8 repeatTone(int s) { return {runOffset(kRegion, 576 + s, 2)}; }
    // n = 1..15, frame f = 0..2.
    static constexpr int frame(int n, int f) { return runOffset(kRegion, 591 + n, kFrameDigits * f); }
    static constexpr field::U8 standard(int n) { return {runOffset(kRegion, 591 + n, 15)}; }
    static constexpr field::List8 timing(int which) { return {runOffset(kRegion, 607, which), kTimings}; }
    static constexpr field::List8 decodeStandard{runOffset(kRegion, 607, 8), kStandards};
    static constexpr field::Flag callFrame(int f) { return {runOffset(kRegion, 607, 9), f}; }
    static constexpr field::Flag displayFrame(int f) { return {runOffset(kRegion, 607, 10), f}; }
    static constexpr field::List8 resetTime{runOffset(kRegion, 607, 11), kResetTimes};
};

inline RecordView view(const Image& image) { return RecordView(image, kRegion); }
inline RecordRef ref(Image& image) { return RecordRef(image, kRegion); }

// The fifteen standards: names and tone frequencies (tenths of a hertz).
QString standard_name(int s);  // empty outside 0..14
QStringList standard_names();
int tone_tenths(int s, int d);
QString digit_frequency_text(int s, int d);  // one decimal: "1981.0", "979.8"
int frequency_word(int s, int d);      // whole hertz
int divider(int s, int d);             // ticks in one period, rounded down

// Lays the constant tables into rows 512..526, 528..542, 544..558 and
// 560..574; nothing else changes. Runs before every whole-radio write.
void lay_tables(Image& image);

// List entries; the stored value is the position.
QStringList tone_length_entries();  // "20" .. "200"
QStringList digit_entries();       // "0" .. "9", "A" .. "F"
QStringList timing_entries();      // "0" .. "1000"
QStringList reset_time_entries();   // "100" .. "15000"

// "0".."9", "A".."F", a single space above 15.
QString digit_text(uint8_t digit);
// The value of a typed digit: "0".."9" 0..9, "a".."f" / "A".."F" 10..15,
// anything else FF.
uint8_t digit_value(char32_t c);

// Grid texts.
QString tone_length_text(const Image& image, int s);  // 20 + 10 i, unclamped
QString group_tone_text(const Image& image, int s);
QString repeat_tone_text(const Image& image, int s);
QString frame_text(const Image& image, int n, int f);  // five characters
QString entry_standard_text(const Image& image, int n);  // empty past 14

// Setters. A frame takes the first five characters of the trimmed text.
void set_frame(Image& image, int n, int f, QStringView text);
void set_entry_standard(Image& image, int n, int s);
void set_tone_length(Image& image, int s, int position);
void set_group_tone(Image& image, int s, int digit);
void set_repeat_tone(Image& image, int s, int digit);

// Factory values: the tables, every standard's tone length, group and
// repeat tone, rows 592..607 FF and then the defaults table.
void load_defaults(Image& image);

}  // namespace vx::five_tone
