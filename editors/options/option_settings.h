#pragma once
// The optional features' settings, one row each (image/setting.h), in the
// window's order: the general lists, the check boxes, the power-on message
// lines and the codes. Offsets are option block bytes: rows 224..239 read
// as one 256-byte record (options::kBlockRows).
//
// The keys are frozen: files carry them. The old keys are the window's
// English captions, which files written by version 15.8.25 carry.

#include "editors/options/option_lists.h"
#include "image/setting.h"

#include <algorithm>
#include <iterator>

namespace vx::options {

// The hooks of the text settings: a message line is six cells of character
// codes, a code string sixteen DTMF digit codes.
QString message_hook_get(RecordView block, int byte);
void message_hook_put(RecordRef block, int byte, QStringView text);
bool message_hook_accepts(QStringView text);
QString code_hook_get(RecordView block, int byte);
void code_hook_put(RecordRef block, int byte, QStringView text);
bool ani_hook_accepts(QStringView text);
bool ptt_id_hook_accepts(QStringView text);

inline constexpr TextHook kMessageText{message_hook_get, message_hook_put, message_hook_accepts,
                                       {"至多六个 0-9、A-Z、+、- 或空格", "up to six of 0-9, A-Z, `+`, `-` and space"}};
inline constexpr TextHook kAniText{code_hook_get, code_hook_put, ani_hook_accepts,
                                   {"空，或 3 至 5 个 DTMF 字符（0-9、A-D、*、#）", "empty, or 3 to 5 DTMF characters (0-9, A-D, `*`, `#`)"}};
inline constexpr TextHook kPttIdText{code_hook_get, code_hook_put, ptt_id_hook_accepts,
                                     {"空，或 1 至 16 个 DTMF 字符（0-9、A-D、*、#）", "empty, or 1 to 16 DTMF characters (0-9, A-D, `*`, `#`)"}};

using K = SettingKind;

inline constexpr Setting kSettings[] = {
    // General lists, two columns of the window.
    {.key = "dual_watch", .label = {"双频守侯", "TDR"}, .control = "Combo_Tdr", .labelControl = "Label_Tdr",
     .byte = 0, .list = &lists::onOff, .fallback = 1, .oldKey = "TDR"},
    {.key = "squelch_level", .label = {"静噪电平", "Squelch Level"}, .control = "Combo_Sql_le", .labelControl = "Label_Sql",
     .byte = 2, .list = &lists::squelch, .fallback = 5, .oldKey = "Squelch Level"},
    {.key = "time_out_timer", .label = {"发射超时定时器（秒）", "Time Out Timer(TOT)[S]"}, .control = "Combo_tot",
     .labelControl = "Label_Tot", .byte = 5, .list = &lists::timeOut, .fallback = 5, .oldKey = "Time Out Timer(TOT)[S]"},
    {.key = "auto_power_off", .label = {"发射结束预警（秒）", "APO[minutes]"}, .control = "Combo_Toa", .labelControl = "Label_Toa",
     .byte = 6, .list = &lists::apo, .fallback = 10, .oldKey = "APO[minutes]"},
    {.key = "auto_backlight", .label = {"自动背光", "ABR"}, .control = "Combo_Abr", .labelControl = "Label_Abr",
     .byte = 8, .list = &lists::backLightTime, .fallback = 0, .oldKey = "ABR"},
    {.key = "beep", .label = {"操作提示音", "Beep"}, .control = "Combo_Beep", .labelControl = "Label_Beep",
     .byte = 9, .list = &lists::onOff, .fallback = 1, .oldKey = "Beep"},
    {.key = "dtmf_side_tone", .label = {"DTMF侧音", "DTMF-ST"}, .control = "Combo_Dtmfst", .labelControl = "Label_Stdtmf",
     .byte = 14, .list = &lists::dtmfSideTone, .fallback = 3, .oldKey = "DTMF-ST"},
    {.key = "busy_channel_lockout", .label = {"遇忙禁发", "BCL"}, .control = "Combo_Bcl", .labelControl = "Label_Bcl",
     .byte = 15, .list = &lists::onOff, .fallback = 0, .oldKey = "BCL"},
    {.key = "scan_add", .label = {"扫描添加", "Scan Add"}, .control = "Combo_Sc_Add", .labelControl = "Label_Sc_Add",
     .byte = 16, .list = &lists::onOff, .oldKey = "Scan Add"},
    {.key = "priority_scan", .label = {"优先扫描", "Moni Priority Channel"}, .control = "Combo_Pri_Sc",
     .labelControl = "Label_Pri_Sc", .byte = 17, .list = &lists::onOff, .oldKey = "Moni Priority Channel"},
    {.key = "priority_channel", .label = {"优先信道", "Priority Channel"}, .control = "Combo_Pri_Ch",
     .labelControl = "Label_Pri_CH", .byte = 18, .list = &lists::channel, .oldKey = "Priority Channel"},
    {.key = "scan_resume", .label = {"扫描方式", "Scan_Rev"}, .control = "Combo_Sc_rev", .labelControl = "Label_Scan_rev",
     .byte = 19, .list = &lists::scanResume, .fallback = 0, .oldKey = "Scan_Rev"},
    {.key = "ptt_id", .label = {"PTT_ID", "PTT_ID"}, .control = "Combo_Ptt_id", .labelControl = "Label_ptt_id",
     .byte = 22, .list = &lists::pttId, .fallback = 0, .oldKey = "PTT_ID"},
    {.key = "ptt_id_delay", .label = {"发ID延迟", "PTT_Delay"}, .control = "Combo_Ptt_lt", .labelControl = "Label_Ptt_Lt",
     .byte = 23, .list = &lists::pttDelay, .fallback = 10, .oldKey = "PTT_Delay"},
    {.key = "alarm_type", .label = {"报警模式", "Alarm Type"}, .control = "Combo_Emc_Tp", .labelControl = "Label_Emc_tp",
     .byte = 25, .list = &lists::alarmType, .fallback = 1, .oldKey = "Alarm Type"},
    {.key = "alarm_channel", .label = {"报警信道", "Alarm Channel"}, .control = "Combo_Emc_Ch", .labelControl = "Label_Emc_ch",
     .byte = 26, .list = &lists::channel, .fallback = 199, .oldKey = "Alarm Channel"},
    {.key = "ring_time", .label = {"振铃时间", "Ring_Time"}, .control = "Combo_ring", .labelControl = "Label_Ring",
     .byte = 27, .list = &lists::ringTime, .fallback = 5, .oldKey = "Ring_Time"},
    {.key = "channel_display_a", .label = {"A 段信道显示方式", "A Channel Disp Way"}, .control = "Combo_MDF_A",
     .labelControl = "Label_MDF_A", .byte = 29, .list = &lists::channelDisplay, .fallback = 0, .oldKey = "A Channel Disp Way"},
    {.key = "channel_display_b", .label = {"B 段信道显示方式", "B Channel Disp Way"}, .control = "Combo_MDF_B",
     .labelControl = "Label_MDF_B", .byte = 30, .list = &lists::channelDisplay, .fallback = 1, .oldKey = "B Channel Disp Way"},
    {.key = "auto_lock", .label = {"自动锁", "Channel Synchronous"}, .control = "Combo_Autolk", .labelControl = "Label_Autolk",
     .byte = 31, .list = &lists::onOff, .fallback = 0, .oldKey = "Channel Synchronous"},
    {.key = "power_on_display", .label = {"开机显示", "Power-On Message"}, .control = "Combo_PonMsg",
     .labelControl = "Label_Ponmsg", .byte = 32, .list = &lists::powerOnDisplay, .fallback = 1, .oldKey = "Power-On Message"},
    {.key = "wait_backlight", .label = {"守侯背光", "Wait Back Light"}, .control = "Combo_wt_led", .labelControl = "Label_WT_LED",
     .byte = 33, .list = &lists::backLightColour, .fallback = 3, .oldKey = "Wait Back Light"},
    {.key = "rx_backlight", .label = {"接收背光", "RX Back Light"}, .control = "Combo_rx_led", .labelControl = "Label_RX_LED",
     .byte = 34, .list = &lists::backLightColour, .fallback = 1, .oldKey = "RX Back Light"},
    {.key = "tx_backlight", .label = {"发射背光", "TX Back Light"}, .control = "Combo_tx_led", .labelControl = "Label_TX_LED",
     .byte = 35, .list = &lists::backLightColour, .fallback = 2, .oldKey = "TX Back Light"},
    {.key = "ani_length", .label = {"身份码长", "Lang"}, .control = "Combo_ANI_L", .labelControl = "Label_ANI_L",
     .byte = 41, .list = &lists::aniLength, .fallback = 2, .oldKey = "Lang"},
    {.key = "relay_signal", .label = {"中继激活信令", "Relay Signal "}, .control = "Combo_REP_S", .labelControl = "Label_REP_S",
     .byte = 42, .list = &lists::relaySignal, .fallback = 0, .oldKey = "Relay Signal"},
    {.key = "relay_condition", .label = {"中继转发条件", "Relay Condition "}, .control = "Combo_REP_M",
     .labelControl = "Label_REP_M", .byte = 43, .list = &lists::relayCondition, .fallback = 0, .oldKey = "Relay Condition"},
    {.key = "dual_watch_return", .label = {"双守返回主频", "TDR_AB "}, .control = "Combo_TDR_AB", .labelControl = "Label_Tdr_AB",
     .byte = 44, .list = &lists::dualWatchReturn, .fallback = 10, .oldKey = "TDR_AB"},
    {.key = "squelch_tail_elimination", .label = {"尾音消除", "STE"}, .control = "Combo_STE", .labelControl = "Label_STE",
     .byte = 45, .list = &lists::onOff, .fallback = 1, .oldKey = "STE"},
    {.key = "repeater_tail_elimination", .label = {"过中继消尾音", "RP_STE"}, .control = "Combo_RP_STE",
     .labelControl = "Label_RP_STE", .byte = 46, .list = &lists::repeaterTail, .fallback = 5, .oldKey = "RP_STE"},
    {.key = "repeater_tail_delay", .label = {"过中继证实音", "RPT_DL"}, .control = "Combo_RPT_DL", .labelControl = "Label_RPT_DL",
     .byte = 47, .list = &lists::repeaterTail, .fallback = 0, .oldKey = "RPT_DL"},
    // Check boxes, under the VFO panels.
    {.key = "vfo_mr_switch", .label = {"VFO/MR En", "VFO/MR En"}, .control = "Check_VFO_MR_SW", .kind = K::OnOff, .byte = 132,
     .bit = 3, .oldKey = "VFO/MR En"},
    {.key = "channel_mode_menu", .label = {"Menu En for CH MODE", "Menu En for CH MODE"}, .control = "Check_chann_Menu_en",
     .kind = K::OnOff, .byte = 132, .bit = 0, .oldKey = "Menu En for CH MODE"},
    {.key = "channel_mode_reset", .label = {"Reset En for CH MODE", "Reset En for CH MODE"}, .control = "Check_chann_reset_en",
     .kind = K::OnOff, .byte = 132, .bit = 1, .oldKey = "Reset En for CH MODE"},
    {.key = "channel_mode", .label = {"channel  mode ", "channel  mode "}, .control = "Check_chann_Mode", .kind = K::OnOff,
     .byte = 129, .oldKey = "channel  mode"},
    // The power-on message's two lines, one label for both.
    {.key = "power_on_message_1", .label = {"开机显示字符", "Power-On Message"}, .control = "Text_PON_MSG_U",
     .labelControl = "Label_Ponmsg_Txt", .kind = K::Text, .byte = 192, .text = &kMessageText, .oldKey = "Power-On Message 1"},
    {.key = "power_on_message_2", .label = {"开机显示字符", "Power-On Message"}, .control = "Text_PON_MSG_D", .kind = K::Text,
     .byte = 198, .text = &kMessageText, .oldKey = "Power-On Message 2"},
    // The codes.
    {.key = "ani", .label = {"身份码", "ANI"}, .control = "Text_ANI", .labelControl = "Label_ANI", .kind = K::Text, .byte = 208,
     .text = &kAniText, .oldKey = "ANI"},
    {.key = "ptt_id_begin", .label = {"按下发码", "Press PTT to Send"}, .control = "Text_PttId_Begin",
     .labelControl = "Label_Send_Begin", .kind = K::Text, .byte = 224, .text = &kPttIdText, .oldKey = "Press PTT to Send"},
    {.key = "ptt_id_end", .label = {"松开发码", "Release PTT to Send"}, .control = "Text_PttId_End",
     .labelControl = "Label_Send_End", .kind = K::Text, .byte = 240, .text = &kPttIdText, .oldKey = "Release PTT to Send"},
};

// The rows of one kind, in the window's order.
constexpr int count_of(SettingKind kind)
{
    return int(std::count_if(std::begin(kSettings), std::end(kSettings), [kind](const Setting& s) { return s.kind == kind; }));
}
inline constexpr int kListCount = count_of(SettingKind::List);
inline constexpr int kCheckCount = count_of(SettingKind::OnOff);
inline constexpr int kTextCount = count_of(SettingKind::Text);

// The row whose control is `control`; null when there is none.
const Setting* setting_of(const char* control);

}  // namespace vx::options
