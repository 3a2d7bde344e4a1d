#pragma once
// The code names of the application's windows, as the shell opens them and
// as each window calls itself (its objectName).

namespace vx::window {

inline constexpr char kMain[] = "MDImain";
inline constexpr char kCommRead[] = "Form_Comm_Read";
inline constexpr char kCommWrite[] = "Form_Comm_Write";
inline constexpr char kSetup[] = "Form_setup";
inline constexpr char kOpenFile[] = "Form_open_chann";
inline constexpr char kSaveFile[] = "Form_save_chann";
inline constexpr char kImportCsv[] = "Form_import_csv";
inline constexpr char kExportCsv[] = "Form_export_csv";
inline constexpr char kCsvReport[] = "Form_csv_report";
inline constexpr char kChannels[] = "frm_chann";
inline constexpr char kOptions[] = "frm_option";
inline constexpr char kDtmf[] = "frm_dtmf";
inline constexpr char kTwoTone[] = "frm_2tone";
inline constexpr char kFiveTone[] = "frm_5tone";
inline constexpr char kFm[] = "frm_FM";
inline constexpr char kAdjust[] = "frm_Adj_Txp";
inline constexpr char kAbout[] = "frmAbout";
inline constexpr char kWriteChanges[] = "Form_write_changes";
inline constexpr char kCompare[] = "Form_compare";
inline constexpr char kRestorePoints[] = "Form_restore_points";
inline constexpr char kDoctor[] = "Form_doctor";

}  // namespace vx::window
