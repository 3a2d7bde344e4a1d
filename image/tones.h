#pragma once
// The tone list: every selectable sub-audible squelch setting with the 16-bit
// code the radio stores for it.
//
//   index 0        "OFF"                 code 0
//   index 1..50    CTCSS "67.0".."254.1" code = tone x 10
//   index 51..155  DCS "D023N".."D754N"  code = index - 50 (1..105)
//   index 156..260 DCS "D023I".."D754I"  code = index - 50 (106..210)

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace vx::tones {

enum class Kind { None, Ctcss, DcsNormal, DcsInverted };

inline constexpr int kCount = 261;
inline constexpr int kCtcssCount = 50;
inline constexpr int kDcsCount = 105;
inline constexpr int kFirstCtcss = 1;
inline constexpr int kFirstDcsNormal = 51;
inline constexpr int kFirstDcsInverted = 156;

bool valid(int index);
QString label(int index);             // empty for an index outside 0..260
const QStringList& labels();          // all 261 labels in order
Kind kind(int index);
uint16_t code(int index);             // stored code; 0 for an invalid index
int ctcss_tenths(int index);           // tone x 10 of a CTCSS entry, else 0
int dcs_number(int index);             // octal code number as written (23 for D023N), else 0

// Index whose label equals the text, both trimmed of surrounding spaces.
std::optional<int> index_of(QStringView text);
// Index whose stored code this is; 0 and 0xFFFF both mean "OFF" (index 0).
std::optional<int> index_of_code(uint16_t code);

}  // namespace vx::tones
