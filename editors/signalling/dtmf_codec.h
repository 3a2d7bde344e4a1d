#pragma once
// DTMF settings: image rows 656..687 (radio 0x2900..0x2AFF), read as one run
// of 32 rows. Run byte k is row 656 + k / 16, byte k % 16.
//
//   row      | bytes | field
//   656..670 | 0-15  | transmit code n = row - 655 (1..15), DTMF digit codes
//   671      | 0, 1  | tone on-time, pause off-time: list positions
//   671      | 2-15  | kept
//   672..677 | 0-15  | inspection, monitor, alarm, stun, kill, revive codes
//   678..684 |       | kept
//   685, 686 | 0-15  | master, vice control identity
//   687      | 0     | identity control: 0 off, anything else on
//            | 1, 2  | master, vice rights: bit 0 inspection, 1 monitor,
//            |       | 2 stun, 3 kill, 4 revive; bits 5-7 kept
//            | 3     | bit 0 receive disabled, bit 1 transmit disabled
//            | 4, 5  | group call, code-group separator: DTMF digit codes
//            | 6, 7  | decode delay, reset time: list positions
//            | 8-15  | kept
//
// A code field holds at most 16 characters, FF after the last.

#include "image/image.h"
#include "image/record.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace vx::dtmf {

inline constexpr region::Rows kRegion = region::dtmf;
inline constexpr int kTxCodes = 15;
inline constexpr int kCodeLength = 16;
inline constexpr int kRightsBoxes = 5;

// The codes the radio reacts to, in row order (672..677).
enum Decode : int { Inspection, Monitor, Alarm, Stun, Kill, Revive, kDecodeCodes };
// Rights bits, in the order of the check boxes.
enum Right : int { RightInspection, RightMonitor, RightStun, RightKill, RightRevive };
enum class Identity { Master, Vice };
enum class Disable { Receive, Transmit };

// List lengths.
inline constexpr int kOnOffTimes = 196;     // 50, 60, ... 2000 ms
inline constexpr int kDecodeDelays = 40;    // 100, 200, ... 4000 ms
inline constexpr int kResetTimes = 150;     // 100, 200, ... 15000 ms

struct Layout {
    static constexpr field::DtmfString txCode(int n) { return {runOffset(kRegion, 655 + n), kCodeLength}; }  // n = 1..15
    static constexpr field::List8 onTime{runOffset(kRegion, 671, 0), kOnOffTimes};
    static constexpr field::List8 offTime{runOffset(kRegion, 671, 1), kOnOffTimes};
    static constexpr field::DtmfString decode(int which) { return {runOffset(kRegion, 672 + which), kCodeLength}; }
    static constexpr field::DtmfString identity(Identity who)
    {
        return {runOffset(kRegion, who == Identity::Master ? 685 : 686), kCodeLength};
    }
    static constexpr field::NonZero8 control{runOffset(kRegion, 687, 0)};
    static constexpr field::Flag right(Identity who, int bit) { return {runOffset(kRegion, 687, who == Identity::Master ? 1 : 2), bit}; }
    static constexpr field::Flag disabled(Disable what) { return {runOffset(kRegion, 687, 3), what == Disable::Receive ? 0 : 1}; }
    static constexpr field::DtmfDigit groupCall{runOffset(kRegion, 687, 4)};
    static constexpr field::DtmfDigit separator{runOffset(kRegion, 687, 5)};
    static constexpr field::List8 decodeDelay{runOffset(kRegion, 687, 6), kDecodeDelays};
    static constexpr field::List8 resetTime{runOffset(kRegion, 687, 7), kResetTimes};
};

// The region as one run of rows.
inline RecordView view(const Image& image) { return RecordView(image, kRegion); }
inline RecordRef ref(Image& image) { return RecordRef(image, kRegion); }

// List entries, in order; the stored value is the position.
QStringList on_off_time_entries();    // "50" .. "2000"
QStringList decode_delay_entries();  // "100" .. "4000"
QStringList reset_time_entries();    // "100" .. "15000"
// The group-call and separator list; a choice stores the character's code.
QStringList group_call_entries();    // "*", "#", "A", "B", "C", "D"

// Everything the editor shows, decoded.
struct Settings {
    std::array<QString, kTxCodes> txCodes;
    std::array<QString, kDecodeCodes> decodes;
    QString master;
    QString vice;
    int onTime = 0;  // list positions, past-the-end values as the last entry
    int offTime = 0;
    int decodeDelay = 0;
    int resetTime = 0;
    bool control = false;
    uint8_t masterRights = 0;  // bits 0-4
    uint8_t viceRights = 0;
    bool rxDisabled = false;
    bool txDisabled = false;
    QString groupCall;  // empty for a code without a character
    QString separator;
    bool operator==(const Settings&) const = default;
};

Settings decode(const Image& image);

// Setters the controls call. Each writes only its own bytes.
void set_tx_code(Image& image, int n, QStringView text);  // n = 1..15
void set_decode(Image& image, int which, QStringView text);
void set_identity(Image& image, Identity who, QStringView text);
void set_right(Image& image, Identity who, int bit, bool on);
void set_disabled(Image& image, Disable what, bool on);
void set_control(Image& image, bool on);
// c is a DTMF character; its digit code is stored.
void set_group_call(Image& image, char32_t c);
void set_separator(Image& image, char32_t c);

// Factory values: the whole region FF, then the defaults table.
void load_defaults(Image& image);

}  // namespace vx::dtmf
