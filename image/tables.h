#pragma once
// Shared tables other than the tone list: band limits, identity word,
// call-alert list and the tone clock period.

#include <QStringList>
#include <array>
#include <cstdint>

namespace vx {

// Band limits in MHz: band A (VHF) lower/upper, band B (UHF) lower/upper.
struct BandLimits {
    double aLow = 130;
    double aHigh = 179;
    double bLow = 400;
    double bHigh = 520;
    bool operator==(const BandLimits&) const = default;
};

inline constexpr BandLimits kDefaultBandLimits{130, 179, 400, 520};

// Identity word an identity reply must carry at bytes 13..16.
inline constexpr std::array<uint8_t, 4> kIdentityWord{'P', 'N', 'R', 'B'};

// Call-alert list of the 2-tone editor, in the current language. Rebuilt by
// rebuildCallAlertList() at start-up and on every language switch.
const QStringList& callAlertTexts();
void rebuildCallAlertList();
QStringList callAlertTexts(bool inChinese);

// List entries that are a run of numbers: first, first + step, ..., count of
// them ("50", "60", ... for 50 ms in steps of 10).
QStringList numberSteps(int first, int step, int count);

// The tick in which the radio counts tone periods, in ms.
inline constexpr double kToneClockPeriodMs = 0.000434028;

}  // namespace vx
