#pragma once
// Audio tones as the radio stores them: a 16-bit little-endian word for the
// frequency in whole hertz (field::Word16le), and the length of one period
// counted in ticks of the radio's tone clock (0.000434028 ms, 434 028 ps a
// tick). The arithmetic is exact, in integers.

#include "image/record.h"
#include "image/tables.h"

#include <cstdint>

namespace vx::tone_words {

inline constexpr int64_t kTickPicoseconds = 434'028;
static_assert(kToneClockPeriodMs * 1e9 > kTickPicoseconds - 0.001 && kToneClockPeriodMs * 1e9 < kTickPicoseconds + 0.001);

// Ticks in one period of `hz`, rounded to the nearest (2-tone receive
// tones): 300 Hz gives 7680, 2400 Hz 960. 0 for hz <= 0.
constexpr int period_count(int64_t hz)
{
    if (hz <= 0)
        return 0;
    const int64_t ticks2 = 2 * hz * kTickPicoseconds;
    return int((2'000'000'000'000 + hz * kTickPicoseconds) / ticks2);
}

// Ticks in one period of a tone given in tenths of a hertz, rounded down
// (5-tone dividers): 2400.0 Hz gives 959, 979.8 Hz 2351. 0 for none.
constexpr int divider_tenths(int64_t tenths)
{
    if (tenths <= 0)
        return 0;
    return int(10'000'000'000'000 / (tenths * kTickPicoseconds));
}

}  // namespace vx::tone_words
