#pragma once
// The 2-tone settings: the durations and the reset time one row each
// (image/setting.h), the grid cells and tone fields one column row each
// (entry_column.h), entry 1's offset given. Offsets are 2-tone region bytes
// (the run of rows 720..767, two_tone_codec.h).
//
// The keys are frozen: files carry them. The old keys are the window's
// English captions, which files written by version 15.8.25 carry.

#include "editors/signalling/entry_column.h"
#include "editors/signalling/two_tone_codec.h"

namespace vx::two_tone {

// The hooks of the cells: a transmit frequency (none stored as 0), a rule's
// tone pair, response and alert (none stored as FF), a receive tone with
// its period count eight bytes on (none stored as FF in all four bytes).
QString tx_hook_get(RecordView record, int byte);
void tx_hook_put(RecordRef record, int byte, QStringView text);
bool tx_hook_accepts(QStringView text);
QString pair_hook_get(RecordView record, int byte);
void pair_hook_put(RecordRef record, int byte, QStringView text);
bool pair_hook_accepts(QStringView text);
QString response_hook_get(RecordView record, int byte);
void response_hook_put(RecordRef record, int byte, QStringView text);
bool response_hook_accepts(QStringView text);
QString alert_hook_get(RecordView record, int byte);
void alert_hook_put(RecordRef record, int byte, QStringView text);
bool alert_hook_accepts(QStringView text);
QString tone_hook_get(RecordView record, int byte);
void tone_hook_put(RecordRef record, int byte, QStringView text);
bool tone_hook_accepts(QStringView text);

inline constexpr TextHook kTxText{tx_hook_get, tx_hook_put, tx_hook_accepts, {"空，或 300.0 至 3000.0 Hz", "empty, or 300.0 to 3000.0 Hz"}};
inline constexpr TextHook kPairText{pair_hook_get, pair_hook_put, pair_hook_accepts,
                                    {"空，`A-B`、`A-C`、`A-D`、`B-A`、`B-C`、`B-D`、`C-A`、`C-B`、`C-D`、`D-A`、`D-B`、`D-C`",
                                     "empty, `A-B`, `A-C`, `A-D`, `B-A`, `B-C`, `B-D`, `C-A`, `C-B`, `C-D`, `D-A`, `D-B`, `D-C`"}};
inline constexpr TextHook kResponseText{response_hook_get, response_hook_put, response_hook_accepts,
                                        {"空，`0.None`、`1.Alert`、`2.Transpond`、`3.Alert+Transpond`",
                                         "empty, `0.None`, `1.Alert`, `2.Transpond`, `3.Alert+Transpond`"}};
inline constexpr TextHook kAlertText{alert_hook_get, alert_hook_put, alert_hook_accepts,
                                     {"空，`0`、`1`……`16`（17 个取值）", "empty, `0`, `1`, ... `16` (17 values)"}};
inline constexpr TextHook kToneText{tone_hook_get, tone_hook_put, tone_hook_accepts, {"空，或 300.0 至 3000.0 Hz", "empty, or 300.0 to 3000.0 Hz"}};

namespace lists {
inline constexpr Choices duration = number_list(kDurations, 0, 10);       // 0 .. 1000 ms
inline constexpr Choices resetTime = number_list(kResetTimes, 100, 100);  // 100 .. 15000 ms
}  // namespace lists

using K = SettingKind;
using signalling::EntryColumn;

inline constexpr Setting kSettings[] = {
    {.key = "first_tone_duration", .label = {"发送第 1 个频率时间长度（MS）", "1st Tone Duration(MS)"}, .control = "Combo_Enc_ys1",
     .labelControl = "Label_1st", .byte = Layout::duration(FirstTone).offset, .list = &lists::duration, .fallback = 60,
     .oldKey = "1st Tone Duration(MS)"},
    {.key = "second_tone_duration", .label = {"发送第 2 个频率时间长度（MS）", "2nd Tone Duration(MS)"}, .control = "Combo_Enc_ys2",
     .labelControl = "Label_2nd", .byte = Layout::duration(SecondTone).offset, .list = &lists::duration, .fallback = 60,
     .oldKey = "2nd Tone Duration(MS)"},
    {.key = "tone_gap", .label = {"前后两个频率的间隔时长 （MS）", "Gap of Tone (MS)"}, .control = "Combo_enc_ys3",
     .labelControl = "Label_gap", .byte = Layout::duration(Gap).offset, .list = &lists::duration, .fallback = 30,
     .oldKey = "Gap of Tone (MS)"},
    {.key = "reset_time", .label = {"复位时间（MS）", "Reset_Time (MS)"}, .control = "Combo_Dec_Res_Time", .labelControl = "Label_Reset",
     .byte = Layout::resetTime.offset, .list = &lists::resetTime, .fallback = 59, .oldKey = "Reset_Time (MS)"},
};

inline constexpr Text kEncodeEntry{"编码信息码 %1", "Encode Code %1"};
inline constexpr Text kDecodeEntry{"解码信息码 %1", "Decode Code %1"};

constexpr EntryColumn txColumn(const char* key, Text label, int which, const char* oldKey)
{
    return {.cell = {.key = key, .label = label, .control = "MSF_Encode", .kind = K::Text, .byte = Layout::txFreq(1, which).offset,
                     .text = &kTxText, .oldKey = oldKey},
            .column = 1 + which, .entries = kEntries, .entry = kEncodeEntry};
}
constexpr EntryColumn ruleColumn(const char* key, Text label, int rule, RuleField f, const TextHook* hook, const char* oldKey)
{
    return {.cell = {.key = key, .label = label, .control = "MSF_Decode", .kind = K::Text, .byte = Layout::rule(1, rule, f).offset,
                     .text = hook, .oldKey = oldKey},
            .column = rule_column(rule, f), .entries = kEntries, .entry = kDecodeEntry};
}
constexpr EntryColumn toneColumn(const char* key, Text label, const char* control, const char* labelControl, int k, const char* oldKey)
{
    return {.cell = {.key = key, .label = label, .control = control, .labelControl = labelControl, .kind = K::Text,
                     .byte = Layout::toneFreq(1, k).offset, .text = &kToneText, .oldKey = oldKey},
            .entries = kEntries, .entry = kDecodeEntry};
}

// The transmit grid's columns; their labels are its headings.
inline constexpr Text kEncodeFirstHeading{"^ 信息码 ", "^ Code"};
inline constexpr EntryColumn kTransmitColumns[] = {
    txColumn("encode_N_tone_1", {" 第 1 个频率(HZ) ", " 1st Frequency(HZ)"}, 0, "Encode Code %1 1st Frequency(HZ)"),
    txColumn("encode_N_tone_2", {" 第 2 个频率(HZ) ", " 2nd Frequency(HZ)"}, 1, "Encode Code %1 2nd Frequency(HZ)"),
};

// The receive grid's columns, then the chosen entry's tone fields.
inline constexpr Text kDecodeFirstHeading{"^ 信息码", "^ Code"};
inline constexpr EntryColumn kReceiveColumns[] = {
    ruleColumn("decode_N_pair_1", {"解码1", "Dec_1"}, 0, RuleField::Pair, &kPairText, "Decode Code %1 Dec_1"),
    ruleColumn("decode_N_response_1", {"   响 应 方 式  ", "    Response   "}, 0, RuleField::Response, &kResponseText,
               "Decode Code %1 Dec_1 Response"),
    ruleColumn("decode_N_alert_1", {"提示", "Alert"}, 0, RuleField::Alert, &kAlertText, "Decode Code %1 Dec_1 Alert"),
    ruleColumn("decode_N_pair_2", {"解码2", "Dec_2"}, 1, RuleField::Pair, &kPairText, "Decode Code %1 Dec_2"),
    ruleColumn("decode_N_response_2", {"   响 应 方 式  ", "   Response   "}, 1, RuleField::Response, &kResponseText,
               "Decode Code %1 Dec_2 Response"),
    ruleColumn("decode_N_alert_2", {"提示", "Alert"}, 1, RuleField::Alert, &kAlertText, "Decode Code %1 Dec_2 Alert"),
    ruleColumn("decode_N_pair_3", {"解码3", "Dec_3"}, 2, RuleField::Pair, &kPairText, "Decode Code %1 Dec_3"),
    ruleColumn("decode_N_response_3", {"   响 应 方 式  ", "   Response   "}, 2, RuleField::Response, &kResponseText,
               "Decode Code %1 Dec_3 Response"),
    ruleColumn("decode_N_alert_3", {"提示", "Alert"}, 2, RuleField::Alert, &kAlertText, "Decode Code %1 Dec_3 Alert"),
    ruleColumn("decode_N_pair_4", {"解码4", "Dec_4"}, 3, RuleField::Pair, &kPairText, "Decode Code %1 Dec_4"),
    ruleColumn("decode_N_response_4", {"   响 应 方 式  ", "   Response   "}, 3, RuleField::Response, &kResponseText,
               "Decode Code %1 Dec_4 Response"),
    ruleColumn("decode_N_alert_4", {"提示", "Alert"}, 3, RuleField::Alert, &kAlertText, "Decode Code %1 Dec_4 Alert"),
    toneColumn("decode_N_tone_a", {"A 音（HZ）", "A Tone( HZ )"}, "Text_A", "Label_A_tone", 0, "Decode Code %1 A Tone( HZ )"),
    toneColumn("decode_N_tone_b", {"B 音（HZ）", "B Tone( HZ )"}, "Text_B", "Label_B_tone", 1, "Decode Code %1 B Tone( HZ )"),
    toneColumn("decode_N_tone_c", {"C 音（HZ）", "C Tone( HZ )"}, "Text_C", "Label_C_tone", 2, "Decode Code %1 C Tone( HZ )"),
    toneColumn("decode_N_tone_d", {"D 音（HZ）", "D Tone( HZ )"}, "Text_D", "Label_D_Tone", 3, "Decode Code %1 D Tone( HZ )"),
};

// The row whose control is `control`; null when there is none.
const Setting* setting_of(QStringView control);

}  // namespace vx::two_tone
