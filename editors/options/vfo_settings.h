#pragma once
// The controls of a VFO panel, one row each (image/setting.h), in the
// panel's order (two to a line). Offsets are the VFO record's bytes as
// its layout names them (vfo_codec.h). A row names panel A's control and label; panel B's names
// are beside it.
//
// What a row cannot say is its hook: the frequency (typed, checked against
// the band limits, stored as digits), the band and the range it shows (both
// follow from the frequency and are no setting of their own), the tones
// (the VFO tone list, a stored tone without an entry shown as its text) and
// the offset (a list whose entries are coded as digits).
//
// The keys are frozen: files carry them. The old keys are the panel's
// English captions, which files written by version 15.8.25 carry.

#include "editors/options/option_lists.h"
#include "editors/options/vfo_codec.h"
#include "image/setting.h"

namespace vx::options {

enum class VfoHook {
    None,       // a list of the row, stored as its position
    Frequency,  // the frequency field
    Band,       // VHF or UHF, from the frequency's first digit
    Range,      // the read-only field of the selected band's limits
    Tone,       // the VFO tone list, a tone pair from the row's byte
    Offset,     // the offset list, six digits from the row's byte
};

struct VfoSetting {
    Setting row;                // panel A's control and label
    const char* controlB;       // panel B's control
    const char* labelControlB;  // panel B's label
    VfoHook hook = VfoHook::None;

    // Only the settings of the record are in files; band and range follow.
    constexpr bool inFile() const { return hook != VfoHook::Band && hook != VfoHook::Range; }
    constexpr const char* control(Vfo v) const { return v == Vfo::A ? row.control : controlB; }
    constexpr const char* labelControl(Vfo v) const { return v == Vfo::A ? row.labelControl : labelControlB; }
};

// The VFO record as one record of two rows.
constexpr region::Rows vfo_rows(Vfo v) { return {vfo_row(v), vfo_row(v) + 1}; }

using VK = SettingKind;
using L = VfoLayout;  // the bytes, as the record's layout draws them

inline constexpr VfoSetting kVfoSettings[] = {
    {{.key = "frequency", .label = {"当前频率", "Frequency"}, .control = "Text_Freq_a", .labelControl = "Label_Freq_a",
      .kind = VK::Text, .byte = L::frequency.offset, .oldKey = "Frequency"},
     "Text_Freq_b", "Label_Freq_b", VfoHook::Frequency},
    {{.key = "band", .label = {"频段", "Band"}, .control = "Combo_Band_A", .labelControl = "Label_Band_A",
      .byte = L::frequency.offset,
      .list = &lists::band},
     "Combo_Band_B", "Label_Band_B", VfoHook::Band},
    {{.key = "range", .label = {"频率范围", "Freq Range"}, .control = "Text_Range_A", .labelControl = "Label_Range_A",
      .kind = VK::Text},
     "Text_Range_B", "Label_Range_B", VfoHook::Range},
    {{.key = "tx_power", .label = {"发射功率", "TX Power"}, .control = "Combo_txp_a", .labelControl = "Label_Txp_a",
      .byte = L::power.offset, .list = &lists::power, .oldKey = "TX Power"},
     "Combo_txp_b", "Label_txp_b"},
    {{.key = "rx_tone", .label = {"接收哑音", "RX QT/DQT"}, .control = "Combo_r_ctdcs_a", .labelControl = "Label_r_ctdcs_a",
      .byte = L::rxTone.offset, .oldKey = "RX QT/DQT"},
     "Combo_r_ctdcs_b", "Label_r_ctdcs_b", VfoHook::Tone},
    {{.key = "tx_tone", .label = {"发射哑音", "TX QT/DQT"}, .control = "Combo_t_ctdcs_a", .labelControl = "Label_t_ctdcs_a",
      .byte = L::txTone.offset, .oldKey = "TX QT/DQT"},
     "Combo_t_ctdcs_b", "Label_t_ctdcs_b", VfoHook::Tone},
    {{.key = "bandwidth", .label = {"信道带宽", "W/N"}, .control = "Combo_wn_a", .labelControl = "Label_wn_a", .byte = L::bandwidth.offset,
      .list = &lists::bandwidth, .oldKey = "W/N"},
     "Combo_wn_b", "Label_wn_b"},
    {{.key = "shift_direction", .label = {"频差方向", "SFT_D"}, .control = "Combo_sft_d_a", .labelControl = "Label_sft_d_a",
      .byte = L::shiftDirection.offset, .list = &lists::shiftDirection, .oldKey = "SFT_D"},
     "Combo_sft_d_b", "Label_sft_d_b"},
    {{.key = "step", .label = {"步进频率", "Step Frequency"}, .control = "Combo_step_a", .labelControl = "Label_step_a",
      .byte = L::step.offset, .list = &lists::step, .oldKey = "Step Frequency"},
     "Combo_step_b", "Label_step_b"},
    {{.key = "offset", .label = {"频差频率", "Offset"}, .control = "Combo_Offset_A", .labelControl = "Label_Offset_A",
      .byte = L::offsetDigits, .oldKey = "Offset"},
     "Combo_offset_b", "Label_Offset_B", VfoHook::Offset},
    {{.key = "optional_signal", .label = {"可选信令", "Optional Signal"}, .control = "Combo_Optsig_a",
      .labelControl = "Label_Optsig_a", .byte = L::optionalSignal.offset, .list = &lists::optionalSignal, .oldKey = "Optional Signal"},
     "Combo_OptSig_b", "Label_OptSig_b"},
    {{.key = "signal_code", .label = {"信令编码", "Signal Code"}, .control = "Combo_S_info_a", .labelControl = "Label_S_info_a",
      .byte = L::signalCode.offset, .list = &lists::signalCode, .oldKey = "Signal Code"},
     "Combo_S_info_b", "Label_S_info_b"},
    {{.key = "speaker_mute", .label = {"信令关系", "Speak Mute"}, .control = "Combo_Spmute_a", .labelControl = "Label_Spmute_a",
      .byte = L::speakerMute.offset, .list = &lists::speakerMute, .oldKey = "Speak Mute"},
     "Combo_Spmute_b", "Label_Spmute_b"},
    {{.key = "scrambler", .label = {"扰频", "SCR"}, .control = "Combo_Scr_a", .labelControl = "Label_scr_a", .byte = L::scrambler.offset,
      .list = &lists::scrambler, .oldKey = "SCR"},
     "Combo_Scr_b", "Label_Scr_b"},
};

// The tone field of a tone row.
constexpr field::Tone16le vfo_tone_field(const VfoSetting& s) { return field::Tone16le{s.row.byte}; }

}  // namespace vx::options
