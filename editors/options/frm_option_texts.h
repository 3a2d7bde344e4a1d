#pragma once
// Texts of the optional-features editor and its VFO panels, in both
// languages. The list entries are in option_lists.h; the transfer texts it
// shares with other windows in link/transfer_texts.h.

#include "image/language.h"

namespace vx::option_texts {

inline constexpr Text kTitle{"可选参数编辑", "Optional Features"};

// The lists', check boxes' and text fields' captions are their rows' labels
// (option_settings.h).

// The ANI check.
inline constexpr Text kAniTitle{"操作提示", "Operate Prompt"};
inline constexpr Text kAniLength{"身份码长度为 3 - 5 位 ！", "ANI ID code length is 3 to 5 digit."};
inline constexpr Text kAniRange{" 身份码的有效数字为 00000 - 99999 ", " Available ANI ID code from 00000 to 99999. "};

// Transfers.
inline constexpr Text kReadOk{"可选参数读出正常 ！", "Read optional parameters in gear. "};
inline constexpr Text kReadDone{"从对讲机中读取数据完毕 ！", "Complete reading the data from transceiver."};
inline constexpr Text kWriteOk{"可选参数写入完毕 ！", "Complete writing optional parameters "};
inline constexpr Text kWriteDone{"向对讲机写入可选参数完毕 ！", "Complete writing optional parameters to the transceiver."};

// ---------------------------------------------------------------- VFO panels

inline constexpr Text kPanelA{"Ａ段频率模式", "A Band Frequency Mode"};
inline constexpr Text kPanelB{"Ｂ段频率模式", "B Band Frequency Mode"};

// Every control of a panel: object names in panel A and B, label names,
// caption.
struct VfoControl {
    const char* controlA;
    const char* controlB;
    const char* labelA;
    const char* labelB;
    Text caption;
};
// In the order VfoPanel::Part numbers them.
inline constexpr VfoControl kVfoControls[] = {
    {"Text_Freq_a", "Text_Freq_b", "Label_Freq_a", "Label_Freq_b", {"当前频率", "Frequency"}},
    {"Combo_Band_A", "Combo_Band_B", "Label_Band_A", "Label_Band_B", {"频段", "Band"}},
    {"Text_Range_A", "Text_Range_B", "Label_Range_A", "Label_Range_B", {"频率范围", "Freq Range"}},
    {"Combo_txp_a", "Combo_txp_b", "Label_Txp_a", "Label_txp_b", {"发射功率", "TX Power"}},
    {"Combo_r_ctdcs_a", "Combo_r_ctdcs_b", "Label_r_ctdcs_a", "Label_r_ctdcs_b", {"接收哑音", "RX QT/DQT"}},
    {"Combo_t_ctdcs_a", "Combo_t_ctdcs_b", "Label_t_ctdcs_a", "Label_t_ctdcs_b", {"发射哑音", "TX QT/DQT"}},
    {"Combo_wn_a", "Combo_wn_b", "Label_wn_a", "Label_wn_b", {"信道带宽", "W/N"}},
    {"Combo_sft_d_a", "Combo_sft_d_b", "Label_sft_d_a", "Label_sft_d_b", {"频差方向", "SFT_D"}},
    {"Combo_step_a", "Combo_step_b", "Label_step_a", "Label_step_b", {"步进频率", "Step Frequency"}},
    {"Combo_Offset_A", "Combo_offset_b", "Label_Offset_A", "Label_Offset_B", {"频差频率", "Offset"}},
    {"Combo_Optsig_a", "Combo_OptSig_b", "Label_Optsig_a", "Label_OptSig_b", {"可选信令", "Optional Signal"}},
    {"Combo_S_info_a", "Combo_S_info_b", "Label_S_info_a", "Label_S_info_b", {"信令编码", "Signal Code"}},
    {"Combo_Spmute_a", "Combo_Spmute_b", "Label_Spmute_a", "Label_Spmute_b", {"信令关系", "Speak Mute"}},
    {"Combo_Scr_a", "Combo_Scr_b", "Label_scr_a", "Label_Scr_b", {"扰频", "SCR"}},
};

// Frequency messages.
inline constexpr Text kFrequencyTitle{"操作提示", "Operate prompt"};
inline constexpr Text kFrequencyTooLong{"频率超出范围 ！", "Over the range of  frequency ."};
// Shown as it is in both languages.
inline constexpr Text kWorkingTitle{"操作提示", "操作提示"};
inline constexpr Text kWorkingRange{"当前工作频率超出范围 ！", "当前工作频率超出范围 ！"};

}  // namespace vx::option_texts
