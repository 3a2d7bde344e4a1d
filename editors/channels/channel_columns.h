#pragma once
// The channel grid's columns, one row each, in the grid's order: the frozen
// key the text configuration carries, the heading in both languages, the
// grid's width, where the record holds the value (or the hook that reads and
// writes it) and the drop-down list. The grid, the record codec, the text
// configuration and its reference read these rows; nothing else describes a
// column. (The command line's show and the channel list's CSV layout name
// columns of their own: they pick cells by column id.)

#include "editors/channels/channel_codec.h"
#include "image/language.h"

#include <QString>
#include <QStringList>

namespace vx::channels {

// What a row cannot say.
enum class ColumnHook {
    Number,     // the channel number: not stored
    Band,       // "VHF/UHF" on a channel in use
    Frequency,  // receive or transmit, packed BCD (set_rx, set_tx)
    Tone,       // the tone list or a typed CTCSS tone (set_tone)
    Power,      // written only through set_power
    Choice,     // a list position in the row's bits (set_choice)
    Name,       // the name row (set_name)
};

struct ChannelColumn {
    Column id;
    const char* key;       // frozen: files carry it; null: not a setting of a file
    Text heading;          // as the grid heads it, an alignment mark (^ < >) first
    int twips;             // the grid's column width
    ColumnHook hook;
    Bits bits{0, 0, 0};    // Choice: the bit field the list position is stored in
    const QStringList& (*list)() = nullptr;  // the drop-down list's entries
};

namespace column_lists {
const QStringList& band();
const QStringList& tones();
const QStringList& power();
const QStringList& bandwidth();
const QStringList& pttId();
const QStringList& offOn();
const QStringList& signalCodes();
const QStringList& optionalSignal();
const QStringList& speakerMute();
}  // namespace column_lists

using CO = ChannelOffsets;
using CH = ColumnHook;
namespace CL = column_lists;

// In the order of the grid; the text configuration applies the keyed ones in
// this order too: receive before transmit, so a channel that was empty gets
// its transmit frequency from the receive frequency.
inline constexpr ChannelColumn kChannelColumns[] = {
    {ColNumber, nullptr, {"^信道号", "^Channel"}, 800, CH::Number},
    {ColBand, nullptr, {"^ 工作频段 ", "^  Band  "}, 1000, CH::Band, {}, CL::band},
    {ColRx, "receive", {"^接收频率(MHZ)", "^RX Frequency"}, 1300, CH::Frequency},
    {ColTx, "transmit", {"^发射频率(MHZ)", "^TX Frequency"}, 1300, CH::Frequency},
    {ColDecode, "decode", {"^QT/DQT 解码", "^CTCSS/DCS Dec"}, 1400, CH::Tone, {}, CL::tones},
    {ColEncode, "encode", {"^QT/DQT 编码", "^CTCSS/DCS Enc"}, 1400, CH::Tone, {}, CL::tones},
    {ColPower, "power", {"^发射功率", "^TX Power"}, 900, CH::Power, CO::power, CL::power},
    {ColBandwidth, "bandwidth", {"^信道带宽", "^ W/N "}, 700, CH::Choice, CO::bandwidth, CL::bandwidth},
    {ColPttId, "ptt id", {"^PTT-ID", "^PTT-ID"}, 800, CH::Choice, CO::pttId, CL::pttId},
    {ColBusyLock, "busy lock", {"^繁忙锁定", "^BusyLock"}, 900, CH::Choice, CO::busyLock, CL::offOn},
    {ColScanAdd, "scan add", {"^扫描添加", "^Scan_Add"}, 900, CH::Choice, CO::scanAdd, CL::offOn},
    {ColSignalCode, "signal code", {"^信令码", "^SigCode"}, 800, CH::Choice, CO::signalCode, CL::signalCodes},
    {ColOptionalSignal, "optional signal", {"^可选信令", "^Opisug"}, 800, CH::Choice, CO::optionalSignal, CL::optionalSignal},
    {ColSpeakerMute, "speaker mute", {"^静音方式", "^Spmute"}, 800, CH::Choice, CO::speakerMute, CL::speakerMute},
    {ColScrambler, "scrambler", {"^扰频", "^SCR"}, 600, CH::Choice, CO::scrambler, CL::offOn},
    {ColName, "name", {"信 道 名 称", "^CH-Name"}, 1100, CH::Name},
};

// The row of column `id`; null for an id no row has.
const ChannelColumn* channel_column(int id);
// The grid's heading format: every row's heading in the language asked for,
// joined by "|".
QString channel_headings(bool inChinese);
// Column `id`'s heading without its alignment mark, spaces simplified.
QString channel_heading(bool inChinese, int id);

// ------------------------------------------------------------- FM presets

// A preset's settings in a file, in the order they are applied.
enum class PresetField { Frequency, Name };
struct PresetColumn {
    const char* key;  // frozen
    PresetField field;
};
inline constexpr PresetColumn kPresetColumns[] = {
    {"frequency", PresetField::Frequency},
    {"name", PresetField::Name},
};

}  // namespace vx::channels
