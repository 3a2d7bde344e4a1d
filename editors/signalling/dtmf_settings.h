#pragma once
// The DTMF settings, one row each (image/setting.h), in the order the text
// configuration lists them. Offsets are DTMF region bytes (the run of rows
// 656..687, dtmf_codec.h); the window finds its controls' rows by object
// name.
//
// The keys are frozen: files carry them. The old keys are the window's
// English captions, which files written by version 15.8.25 carry.

#include "editors/signalling/dtmf_codec.h"
#include "image/setting.h"

namespace vx::dtmf {

// The hooks of the text settings: a code is up to sixteen DTMF digit codes;
// the group-call and separator characters one digit code, or none.
QString code_hook_get(RecordView record, int byte);
void code_hook_put(RecordRef record, int byte, QStringView text);
bool code_hook_accepts(QStringView text);
QString character_hook_get(RecordView record, int byte);
void character_hook_put(RecordRef record, int byte, QStringView text);
bool character_hook_accepts(QStringView text);

inline constexpr TextHook kCodeText{code_hook_get, code_hook_put, code_hook_accepts,
                                    {"空，或 1 至 16 个 DTMF 字符（0-9、A-D、*、#）", "empty, or 1 to 16 DTMF characters (0-9, A-D, `*`, `#`)"}};
inline constexpr TextHook kCharacterText{character_hook_get, character_hook_put, character_hook_accepts,
                                         {"空，`*`、`#`、`A`、`B`、`C`、`D`", "empty, `*`, `#`, `A`, `B`, `C`, `D`"}};

namespace lists {
inline constexpr Choices onOffTime = number_list(kOnOffTimes, 50, 10);     // 50 .. 2000 ms
inline constexpr Choices decodeDelay = number_list(kDecodeDelays, 100, 100);  // 100 .. 4000 ms
inline constexpr Choices resetTime = number_list(kResetTimes, 100, 100);    // 100 .. 15000 ms
}  // namespace lists

using K = SettingKind;

constexpr Setting code(const char* key, Text label, const char* control, int n, const char* oldKey)
{
    return {.key = key, .label = label, .control = control, .kind = K::Text, .byte = Layout::txCode(n).offset, .text = &kCodeText,
            .oldKey = oldKey};
}
constexpr Setting decodeCode(const char* key, Text label, const char* control, const char* labelControl, int which, const char* oldKey)
{
    return {.key = key, .label = label, .control = control, .labelControl = labelControl, .kind = K::Text,
            .byte = Layout::decode(which).offset, .text = &kCodeText, .oldKey = oldKey};
}
constexpr Setting right(const char* key, Text label, const char* control, Identity who, int bit, const char* oldKey)
{
    const field::Flag f = Layout::right(who, bit);
    return {.key = key, .label = label, .control = control, .kind = K::OnOff, .byte = f.offset, .bit = f.bit, .oldKey = oldKey};
}

// A transmit code's label is its number under the column heading; the
// rights boxes are captioned by the headings above them.
inline constexpr Setting kSettings[] = {
    code("code_1", {"发送编码 1", "Code 1"}, "Text_tx_Encode_0", 1, "Code 1"),
    code("code_2", {"发送编码 2", "Code 2"}, "Text_tx_Encode_1", 2, "Code 2"),
    code("code_3", {"发送编码 3", "Code 3"}, "Text_tx_Encode_2", 3, "Code 3"),
    code("code_4", {"发送编码 4", "Code 4"}, "Text_tx_Encode_3", 4, "Code 4"),
    code("code_5", {"发送编码 5", "Code 5"}, "Text_tx_Encode_4", 5, "Code 5"),
    code("code_6", {"发送编码 6", "Code 6"}, "Text_tx_Encode_5", 6, "Code 6"),
    code("code_7", {"发送编码 7", "Code 7"}, "Text_tx_Encode_6", 7, "Code 7"),
    code("code_8", {"发送编码 8", "Code 8"}, "Text_tx_Encode_7", 8, "Code 8"),
    code("code_9", {"发送编码 9", "Code 9"}, "Text_tx_Encode_8", 9, "Code 9"),
    code("code_10", {"发送编码 10", "Code 10"}, "Text_tx_Encode_9", 10, "Code 10"),
    code("code_11", {"发送编码 11", "Code 11"}, "Text_tx_Encode_10", 11, "Code 11"),
    code("code_12", {"发送编码 12", "Code 12"}, "Text_tx_Encode_11", 12, "Code 12"),
    code("code_13", {"发送编码 13", "Code 13"}, "Text_tx_Encode_12", 13, "Code 13"),
    code("code_14", {"发送编码 14", "Code 14"}, "Text_tx_Encode_13", 14, "Code 14"),
    code("code_15", {"发送编码 15", "Code 15"}, "Text_tx_Encode_14", 15, "Code 15"),
    {.key = "on_time", .label = {"发码持续时间（MS）", "DTMF Speed (On Time)"}, .control = "Combo_Enc_ys1",
     .labelControl = "Label_dtmf_ontime", .byte = Layout::onTime.offset, .list = &lists::onOffTime, .fallback = 3,
     .oldKey = "DTMF Speed (On Time)"},
    {.key = "off_time", .label = {"发码间断时间（MS）", "DTMF Speed (Off Time)"}, .control = "Combo_Enc_ys2",
     .labelControl = "Label_dtmf_offtime", .byte = Layout::offTime.offset, .list = &lists::onOffTime, .fallback = 3,
     .oldKey = "DTMF Speed (Off Time)"},
    {.key = "group_code", .label = {"群呼码", "Group Code"}, .control = "Combo_Dec_qh", .labelControl = "Label_Group_code",
     .kind = K::Text, .byte = Layout::groupCall.offset, .text = &kCharacterText, .oldKey = "Group Code"},
    {.key = "rx_disable", .label = {"接收禁止", "RX Disable"}, .control = "Check_RX", .kind = K::OnOff,
     .byte = Layout::disabled(Disable::Receive).offset, .bit = Layout::disabled(Disable::Receive).bit, .oldKey = "RX Disable"},
    {.key = "tx_disable", .label = {"发射禁止", "TX Disable"}, .control = "Check_Tx", .kind = K::OnOff,
     .byte = Layout::disabled(Disable::Transmit).offset, .bit = Layout::disabled(Disable::Transmit).bit, .oldKey = "TX Disable"},
    decodeCode("inspection", {"巡 查 码", "Inspection"}, "Text_XC", "Label_xc", Inspection, "Inspection"),
    decodeCode("monitor", {"监 听 码", "Monitor"}, "Text_JT", "Label_jt", Monitor, "Monitor"),
    decodeCode("alarm", {"报 警 码", "Alarm"}, "Text_BJ", "Label_bj", Alarm, "Alarm"),
    decodeCode("stun", {"遥 晕 码", "Stun"}, "Text_YY", "Label_yy", Stun, "Stun"),
    decodeCode("kill", {"遥 毙 码", "Kill"}, "Text_YB", "Label_yb", Kill, "Kill"),
    decodeCode("revive", {"开 机 码", "Revive"}, "Text_KJ", "Label_kj", Revive, "Revive"),
    {.key = "id_control", .label = {"接受主副ID控制", "Function Control by master and vice ID code"}, .control = "Check_Ctrl_En",
     .kind = K::OnOff, .byte = Layout::control.offset, .oldKey = "Function Control by master and vice ID code"},
    {.key = "master_id", .label = {"主控ID码", "Master Control ID"}, .control = "Text_MID", .labelControl = "Label_PID",
     .kind = K::Text, .byte = Layout::identity(Identity::Master).offset, .text = &kCodeText, .oldKey = "Master Control ID"},
    right("master_right_inspection", {"主控ID码 巡查", "Master Control ID right Inspection"}, "Check_M_0", Identity::Master,
          RightInspection, "Master Control ID right Inspection"),
    right("master_right_monitor", {"主控ID码 监听", "Master Control ID right Monitor"}, "Check_M_1", Identity::Master,
          RightMonitor, "Master Control ID right Monitor"),
    right("master_right_stun", {"主控ID码 遥晕", "Master Control ID right Stun"}, "Check_M_2", Identity::Master, RightStun,
          "Master Control ID right Stun"),
    right("master_right_kill", {"主控ID码 遥毙", "Master Control ID right Kill"}, "Check_M_3", Identity::Master, RightKill,
          "Master Control ID right Kill"),
    right("master_right_revive", {"主控ID码 开机", "Master Control ID right Revive"}, "Check_M_4", Identity::Master,
          RightRevive, "Master Control ID right Revive"),
    {.key = "vice_id", .label = {"副控ID码", "Vice Control ID"}, .control = "Text_SID", .labelControl = "Label_SID",
     .kind = K::Text, .byte = Layout::identity(Identity::Vice).offset, .text = &kCodeText, .oldKey = "Vice Control ID"},
    right("vice_right_inspection", {"副控ID码 巡查", "Vice Control ID right Inspection"}, "Check_S_0", Identity::Vice,
          RightInspection, "Vice Control ID right Inspection"),
    right("vice_right_monitor", {"副控ID码 监听", "Vice Control ID right Monitor"}, "Check_S_1", Identity::Vice, RightMonitor,
          "Vice Control ID right Monitor"),
    right("vice_right_stun", {"副控ID码 遥晕", "Vice Control ID right Stun"}, "Check_S_2", Identity::Vice, RightStun,
          "Vice Control ID right Stun"),
    right("vice_right_kill", {"副控ID码 遥毙", "Vice Control ID right Kill"}, "Check_S_3", Identity::Vice, RightKill,
          "Vice Control ID right Kill"),
    right("vice_right_revive", {"副控ID码 开机", "Vice Control ID right Revive"}, "Check_S_4", Identity::Vice, RightRevive,
          "Vice Control ID right Revive"),
    {.key = "space_code", .label = {"码组间隔码", "Space Code"}, .control = "Combo_Dec_Space_Code",
     .labelControl = "Label_Dec_Space_Code", .kind = K::Text, .byte = Layout::separator.offset, .text = &kCharacterText,
     .oldKey = "Space Code"},
    {.key = "reset_time", .label = {"复位时间(ms)", "Reset Time(ms)"}, .control = "Combo_Dec_Res_Time",
     .labelControl = "Label_Reset_Time", .byte = Layout::resetTime.offset, .list = &lists::resetTime, .fallback = 79,
     .oldKey = "Reset Time(ms)"},
    {.key = "decode_delay", .label = {"收码结束延迟处理时间(ms)", "Delay processing time (ms)"}, .control = "Combo_Dec_Proc_Ys",
     .labelControl = "Label_Rece_End_ProcDelay", .byte = Layout::decodeDelay.offset, .list = &lists::decodeDelay,
     .fallback = 4, .oldKey = "Delay processing time (ms)"},
};

// The row whose control is `control`; null when there is none.
const Setting* setting_of(QStringView control);

}  // namespace vx::dtmf
