#pragma once
// Every problem text of the text configuration, in both languages: the
// file's form, the sections and items, and why a value is refused. %1.. are
// filled in when the text is made, in the language in force then (the
// command line's --lang). YAML syntax errors are yaml-cpp's own words.

#include "image/language.h"

namespace vx::config::text {

// ---------------------------------------------------------------- the file
inline constexpr Text fileTooLarge{"文件有 %1 字节；最多读取 %2 字节", "the file is %1 bytes; at most %2 are read"};
inline constexpr Text fileEmpty{"文件是空的：没有给出任何设置", "the file is empty: it names no setting"};
inline constexpr Text notUtf8{"文件不是 UTF-8 文本", "the file is not UTF-8 text"};
inline constexpr Text tab{"制表符；YAML 用空格缩进", "a tab; YAML indents with spaces"};
inline constexpr Text nulByte{"NUL 字节；文件不是文本", "a NUL byte; the file is not text"};
inline constexpr Text notSections{"文件应是各节的映射：channels、fm presets、options 等",
                                  "the file is a map of sections: channels, fm presets, options"};
inline constexpr Text sectionTwice{"\"%1\" 节出现了两次", "the section \"%1\" is given twice"};
inline constexpr Text sectionIsList{"%1 是一个列表", "%1 is a list"};
inline constexpr Text sectionIsMap{"%1 是标签与取值的映射", "%1 is a map of labels and values"};
inline constexpr Text unknownKey{"不认识的键 \"%1\"（是否指 \"%2\"？）", "unknown key \"%1\" (did you mean \"%2\"?)"};
inline constexpr Text keyTwice{"\"%1\" 出现了两次", "\"%1\" is given twice"};
inline constexpr Text singleValue{"此处应是单个取值", "a single value is wanted here"};

// ---------------------------------------------------------------- items
inline constexpr Text channelItem{"每一项是一个含 number 的映射", "each item is a map with its number"};
inline constexpr Text presetItem{"每一项是一个含 preset 的映射", "each item is a map with its preset"};
inline constexpr Text itemWithout{"该项没有 \"%1\"", "the item has no \"%1\""};
inline constexpr Text channelNumber{"信道号为 0 至 199", "a channel number is 0 to 199"};
inline constexpr Text presetNumber{"预置号为 1 至 16", "a preset is 1 to 16"};
inline constexpr Text channelTwice{"信道 %1 出现了两次", "channel %1 is given twice"};
inline constexpr Text presetTwice{"预置 %1 出现了两次", "preset %1 is given twice"};
inline constexpr Text emptyTakesTrue{"empty 只取 true", "empty takes true"};
inline constexpr Text emptyChannelAlone{"空信道没有其他设置", "an empty channel has no other settings"};
inline constexpr Text emptyPresetAlone{"空预置没有其他设置", "an empty preset has no other settings"};
inline constexpr Text receiveFirst{"信道 %1 是空的：请先给出其接收频率", "channel %1 is empty: give its receive frequency first"};

// ---------------------------------------------------------------- values
// Channels, FM presets, options and the VFO panels.
inline constexpr Text notOneOf{"\"%1\" 不是 %2 之一", "\"%1\" is not one of %2"};
inline constexpr Text notOnOff{"\"%1\" 不是 on 或 off", "\"%1\" is not on or off"};
inline constexpr Text notValue{"\"%1\" 不是%2", "\"%1\" is not %2"};
inline constexpr Text notVfoFrequency{"\"%1\" 不是频段限内的频率", "\"%1\" is not a frequency within the band limits"};
inline constexpr Text notChannelFrequency{"\"%1\" 不是 %2-%3 或 %4-%5 MHz 内、2.5 或 6.25 kHz 步进上的频率",
                                          "\"%1\" is not a frequency of %2-%3 or %4-%5 MHz on the 2.5 or 6.25 kHz raster"};
inline constexpr Text notTone{"\"%1\" 不是列表中的哑音（OFF、67.0 .. 254.1、D023N .. D754I），也不是 60.0 至 259.9 Hz 的 CTCSS 哑音",
                              "\"%1\" is not a tone of the list (OFF, 67.0 .. 254.1, D023N .. D754I) or a CTCSS tone of 60.0 to 259.9 Hz"};
inline constexpr Text notChannelName{"\"%1\" 不是至多六个字母和数字的名称", "\"%1\" is not a name of up to six letters and digits"};
inline constexpr Text notPresetFrequency{"\"%1\" 不是 87.00000 至 108.00000 MHz、五位小数的频率",
                                         "\"%1\" is not a frequency of 87.00000 to 108.00000 MHz with five decimals"};
inline constexpr Text notPresetName{"\"%1\" 不是至多六个大写字符的名称", "\"%1\" is not a name of up to six characters in upper case"};
inline constexpr Text presetNameFirst{"空预置没有名称；请先给出其频率", "an empty preset has no name; give its frequency first"};

// The DTMF, 2-tone and 5-tone settings: %1 the value, %2 what the setting
// takes.
inline constexpr Text signallingNotOneOf{"\"%1\" 不是以下取值之一：%2", "\"%1\" is not one of %2"};
inline constexpr Text signallingNotValue{"\"%1\" 不可取；可取：%2", "\"%1\" is not %2"};

// ------------------------------------------------- differences by name
// The areas a difference is listed under, and how its values read.
inline constexpr Text channelArea{"信道 %1", "Channel %1"};
inline constexpr Text presetArea{"FM 频道 %1", "FM preset %1"};
struct AreaTitle {
    const char* section;
    Text title;
};
inline constexpr AreaTitle kAreas[] = {
    {"options", {"可选参数", "Options"}},
    {"vfo a", {"VFO A", "VFO A"}},
    {"vfo b", {"VFO B", "VFO B"}},
    {"dtmf", {"DTMF", "DTMF"}},
    {"2-tone", {"2 TONE", "2-Tone"}},
    {"5-tone", {"5 TONE", "5-Tone"}},
};
inline constexpr Text presetFrequencyLabel{"接收频率", "Frequency"};
inline constexpr Text presetNameLabel{"电台名称", "Name"};
inline constexpr Text emptyItem{"空", "empty"};
inline constexpr Text blankValue{"（空白）", "(blank)"};
inline constexpr Text noValue{"（无）", "(none)"};
inline constexpr Text rawArea{"没有设置对应的行", "Rows no setting explains"};
// Row, address (hex), region, "before → after" in hex.
inline constexpr Text rawRow{"第 %1 行（0x%2，%3）：%4", "Row %1 (0x%2, %3): %4"};

// ------------------------------------------------------------ fleet files
inline constexpr Text fleetNotMap{"车队文件应是含 base 和 radios 的映射", "a fleet file is a map with base and radios"};
inline constexpr Text fleetUnknownKey{"不认识的键 \"%1\"（可用：%2）", "unknown key \"%1\" (the keys are %2)"};
inline constexpr Text fleetNoBase{"没有给出 base（数据文件或文本配置）", "no base is given (a data file or a text configuration)"};
inline constexpr Text fleetBaseUnreadable{"base \"%1\" 无法载入：%2", "the base \"%1\" cannot be loaded: %2"};
inline constexpr Text fleetNoRadios{"radios 应是对讲机的列表", "radios is a list of radios"};
inline constexpr Text fleetRadioMap{"每台对讲机是一个映射（port、serial、name、settings）", "each radio is a map (port, serial, name, settings)"};
inline constexpr Text fleetPort{"port 为 1 至 12", "a port is 1 to 12"};
inline constexpr Text fleetPortTwice{"端口 COM%1 已在第 %2 行给出", "port COM%1 is already given on line %2"};
inline constexpr Text fleetSerialTwice{"序列号 %1 已在第 %2 行给出", "serial number %1 is already given on line %2"};
inline constexpr Text fleetNeedsPort{"每台对讲机需要给出 port", "each radio needs its port"};
inline constexpr Text fleetPlanLine{"%1：COM%2%3，与基础配置有 %4 行不同%5", "%1: COM%2%3, %4 rows differ from the base%5"};
inline constexpr Text fleetPlanSerial{"，序列号 %1", ", serial %1"};

}  // namespace vx::config::text
