#pragma once
// The 5-tone settings: the timings, the decoding settings and the reset
// time one row each (image/setting.h), the standards' and the transmit
// entries' grid cells one column row each (entry_column.h), entry 1's offset
// given. Offsets are 5-tone region bytes (the run of rows 512..607,
// five_tone_codec.h). The constant frequency tables are not settings.
//
// The keys are frozen: files carry them. The old keys are the window's
// English captions, which files written by version 15.8.25 carry.

#include "editors/signalling/entry_column.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/frm_5tone_texts.h"

namespace vx::five_tone {

// The hooks of the text settings: a tone digit (none stored as FF), a
// frame of five digits, a standard by name (an entry's may be none, FF).
QString digit_hook_get(RecordView record, int byte);
void digit_hook_put(RecordRef record, int byte, QStringView text);
bool digit_hook_accepts(QStringView text);
QString frame_hook_get(RecordView record, int byte);
void frame_hook_put(RecordRef record, int byte, QStringView text);
bool frame_hook_accepts(QStringView text);
QString entry_standard_hook_get(RecordView record, int byte);
void entry_standard_hook_put(RecordRef record, int byte, QStringView text);
bool entry_standard_hook_accepts(QStringView text);
QString standard_hook_get(RecordView record, int byte);
void standard_hook_put(RecordRef record, int byte, QStringView text);
bool standard_hook_accepts(QStringView text);

inline constexpr TextHook kDigitText{digit_hook_get, digit_hook_put, digit_hook_accepts,
                                     {"空，`0`、`1`……`F`（16 个取值）", "empty, `0`, `1`, ... `F` (16 values)"}};
inline constexpr TextHook kFrameText{frame_hook_get, frame_hook_put, frame_hook_accepts,
                                     {"空，或五个 0-9、A-F 的数字", "empty, or five digits 0-9, A-F"}};
inline constexpr TextHook kEntryStandardText{entry_standard_hook_get, entry_standard_hook_put, entry_standard_hook_accepts,
                                             {"空，`CCIR1`、`CCIR2`……`MODAT`（15 个取值）", "empty, `CCIR1`, `CCIR2`, ... `MODAT` (15 values)"}};
inline constexpr TextHook kStandardText{standard_hook_get, standard_hook_put, standard_hook_accepts,
                                        {"`CCIR1`、`CCIR2`……`MODAT`（15 个取值）", "`CCIR1`, `CCIR2`, ... `MODAT` (15 values)"}};

namespace lists {
inline constexpr Choices toneLength = number_list(kToneLengths, 20, 10);  // 20 .. 200 ms
inline constexpr Choices timing = number_list(kTimings, 0, 10);          // 0 .. 1000 ms
inline constexpr Choices resetTime = number_list(kResetTimes, 100, 100);  // 100 .. 15000 ms
}  // namespace lists

using K = SettingKind;
using signalling::EntryColumn;

constexpr Setting timingRow(const char* key, Text label, const char* control, const char* labelControl, int which, int fallback,
                            const char* oldKey)
{
    return {.key = key, .label = label, .control = control, .labelControl = labelControl, .byte = Layout::timing(which).offset,
            .list = &lists::timing, .fallback = fallback, .oldKey = oldKey};
}
constexpr Setting frameBox(const char* key, Text label, const char* control, field::Flag f, const char* oldKey, const Text* group)
{
    return {.key = key, .label = label, .control = control, .kind = K::OnOff, .byte = f.offset, .bit = f.bit, .oldKey = oldKey, .group = group};
}

// The frame boxes caption themselves with the frame; the label over each
// row of boxes says which frames they are.
inline constexpr Setting kSettings[] = {
    timingRow("delay_1", {"发送第1组码前的延迟时间（MS）", "Delay 1 (MS) "}, "Combo_Enc_ys1", "Label_enc_ys1", Delay1, 20, "Delay 1 (MS)"),
    timingRow("delay_2", {"发送第2组码前的延迟时间（MS）", "Delay 2 (MS) "}, "Combo_Enc_ys2", "Label_enc_ys2", Delay2, 20, "Delay 2 (MS)"),
    timingRow("delay_3", {"发送第3组码前的延迟时间（MS）", "Delay 3 (MS) "}, "Combo_enc_ys3", "Label_enc_ys3", Delay3, 20, "Delay 3 (MS)"),
    timingRow("first_digit_extend", {"各组码第1个音的拓展时长（MS）", "First Digit Extend Length (MS)"}, "Combo_Enc_ys4",
              "Label_enc_ys4", FirstToneExtend, 0, "First Digit Extend Length (MS)"),
    {.key = "decode_standard", .label = {"5 TONE 解码使用标准", "5 TONE Decode Standard "}, .control = "Combo_Decode_Std",
     .labelControl = "Label_Decode_Std", .kind = K::Text, .byte = Layout::decodeStandard.offset, .text = &kStandardText,
     .oldKey = "5 TONE Decode Standard"},
    frameBox("decode_call_frame_1", {"第 1 帧", "1 frame"}, "Check_Decode_HJ_0", Layout::callFrame(0), "5 TONE Decode Call 1 frame", &five_tone_texts::kDecodeCall),
    frameBox("decode_call_frame_2", {"第 2 帧", "2 frame"}, "Check_Decode_HJ_1", Layout::callFrame(1), "5 TONE Decode Call 2 frame", &five_tone_texts::kDecodeCall),
    frameBox("decode_call_frame_3", {"第 3 帧", "3 frame"}, "Check_Decode_HJ_2", Layout::callFrame(2), "5 TONE Decode Call 3 frame", &five_tone_texts::kDecodeCall),
    frameBox("decode_display_frame_1", {"第 1 帧", "1 frame"}, "Check_Decode_Disp_0", Layout::displayFrame(0),
             "5 TONE Decode Disp 1 frame", &five_tone_texts::kDecodeDisp),
    frameBox("decode_display_frame_2", {"第 2 帧", "2 frame"}, "Check_Decode_Disp_1", Layout::displayFrame(1),
             "5 TONE Decode Disp 2 frame", &five_tone_texts::kDecodeDisp),
    frameBox("decode_display_frame_3", {"第 3 帧", "3 frame"}, "Check_Decode_Disp_2", Layout::displayFrame(2),
             "5 TONE Decode Disp 3 frame", &five_tone_texts::kDecodeDisp),
    {.key = "reset_time", .label = {"解码复位时间（MS）", "Decode Reset Time(ms)"}, .control = "Combo_Dec_Res_Time",
     .labelControl = "Label_Reset_Time", .byte = Layout::resetTime.offset, .list = &lists::resetTime, .fallback = 59,
     .oldKey = "Decode Reset Time(ms)"},
};

inline constexpr Text kStandardEntry{"%1", "%1"};
inline constexpr Text kEncodeEntry{"信息码 %1", "Code %1"};

// The standards grid's columns, one entry a standard; their labels are its
// headings.
inline constexpr Text kStandardFirstHeading{"^ 5 TONE 标准", "^Standard"};
inline constexpr EntryColumn kStandardColumns[] = {
    {.cell = {.key = "N_period", .label = {"发送时长(ms)", "Period(ms)"}, .control = "MSF_Chann", .byte = Layout::toneLength(0).offset,
              .list = &lists::toneLength, .oldKey = "%1 Period(ms)"},
     .column = 1, .entries = kStandards, .entry = kStandardEntry, .entryName = standard_name},
    {.cell = {.key = "N_group_tone", .label = {" 群 呼 码 ", " Group Tone"}, .control = "MSF_Chann", .kind = K::Text,
              .byte = Layout::groupTone(0).offset, .text = &kDigitText, .oldKey = "%1 Group Tone"},
     .column = 2, .entries = kStandards, .entry = kStandardEntry, .entryName = standard_name},
    {.cell = {.key = "N_repeat_tone", .label = {"重 复 码 ", " Repeat Tone "}, .control = "MSF_Chann", .kind = K::Text,
              .byte = Layout::repeatTone(0).offset, .text = &kDigitText, .oldKey = "%1 Repeat Tone"},
     .column = 3, .entries = kStandards, .entry = kStandardEntry, .entryName = standard_name},
};

// The transmit entries grid's columns.
inline constexpr Text kEncodeFirstHeading{"^ 信息码 ", "^ Code "};
constexpr EntryColumn frameColumn(const char* key, Text label, int f, const char* oldKey)
{
    return {.cell = {.key = key, .label = label, .control = "MSF_Encode", .kind = K::Text, .byte = Layout::frame(1, f),
                     .text = &kFrameText, .oldKey = oldKey},
            .column = 1 + f, .entries = kEntries, .entry = kEncodeEntry};
}
inline constexpr EntryColumn kEncodeColumns[] = {
    frameColumn("encode_N_frame_1", {"第 1 帧编码", " Frame 1 "}, 0, "Code %1 Frame 1"),
    frameColumn("encode_N_frame_2", {"第 2 帧编码", " Frame 2 "}, 1, "Code %1 Frame 2"),
    frameColumn("encode_N_frame_3", {"第 3 帧编码", " Frame 3 "}, 2, "Code %1 Frame 3"),
    {.cell = {.key = "encode_N_standard", .label = {"使用标准", " Standard "}, .control = "MSF_Encode", .kind = K::Text,
              .byte = Layout::standard(1).offset, .text = &kEntryStandardText, .oldKey = "Code %1 Standard"},
     .column = 4, .entries = kEntries, .entry = kEncodeEntry},
};

// The row whose control is `control`; null when there is none.
const Setting* setting_of(QStringView control);

}  // namespace vx::five_tone
