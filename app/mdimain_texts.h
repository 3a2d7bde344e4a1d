#pragma once
// Texts of the main window: titles, menu captions (design, start-up and
// language switch), status panel labels and the start-up advice.

#include "image/language.h"
#include "image/version.h"

namespace vx::mdimain_texts {

inline constexpr Text kTitle{"UV 双段车载电台编程软件",
                             "Varnel MINI VX-40 / MOBILE VX-80 Series Program Software.( VIP )"};
// Panel 11: empty in both languages.
inline constexpr Text kTail{"", ""};
// Panel 6 until a radio reports its firmware version.
inline constexpr const char* kVersion = "V" VXPROG_VERSION;

// The menu bar as designed, in order. An entry with a parent is a child of
// that menu; an entry without one is a top-level item.
struct MenuEntry {
    const char* name;
    const char* parent;  // nullptr: on the menu bar
    const char* caption;
};

inline constexpr MenuEntry kMenus[] = {
    {"File", nullptr, "File"},
    {"File_New", "File", "New"},
    {"File_Open", "File", "Open"},
    {"File_save", "File", "Save"},
    {"File_saveas", "File", "Save As"},
    {"File_exit", "File", "Exit"},
    {"File_import_csv", "File", "Import channels (CSV)…"},
    {"File_export_csv", "File", "Export channels (CSV)…"},
    {"fm_chann_edit", nullptr, "FM 频道编辑"},
    {"chann_edit", nullptr, "信道编辑"},
    {"sys_edit", nullptr, "可选参数"},
    {"sig_edit", nullptr, "信令编辑"},
    {"Sig_dtmf", "sig_edit", "DTMF"},
    {"Sig_2tone", "sig_edit", "2 TONE"},
    {"Sig_5tone", "sig_edit", "5 TONE"},
    {"frm_adj", nullptr, "调整参数"},
    {"Program", nullptr, "Program"},
    {"Prog_read", "Program", "Read form radio"},
    {"Prog_write", "Program", "Write to radio"},
    {"Prog_write_changes", "Program", "Write changes to radio…"},
    {"Prog_compare", "Program", "Compare…"},
    {"Prog_restore_points", "Program", "Restore points…"},
    {"Prog_doctor", "Program", "Connection check…"},
    {"proc_setup", nullptr, "端口设置"},
    {"Language_Setup", nullptr, "语言"},
    {"Language_chn", "Language_Setup", "中文"},
    {"Language_eng", "Language_Setup", "English"},
    {"about", nullptr, "关于"},
    {"Menu_Exit", nullptr, "退出"},
};

struct Caption {
    const char* name;
    Text text;
};

// Menu captions the language switch sets, in the order it sets them.
inline constexpr Caption kSwitchCaptions[] = {
    {"about", {"关于", "About"}},
    {"Menu_Exit", {"退出", "Exit"}},
    {"Language_Setup", {"语言", "Language"}},
    {"proc_setup", {"端口设置", "Communication"}},
    {"sig_edit", {"信令编辑", "Signal"}},
    {"sys_edit", {"可选参数", "Option"}},
    {"chann_edit", {"信道编辑", "Channel"}},
    {"fm_chann_edit", {"FM-频道", "FM-Radio"}},
    {"frm_adj", {"调整参数", "Adjust"}},
    {"File", {"文件", "File"}},
    {"File_New", {"新建", "New"}},
    {"File_Open", {"打开", "Open"}},
    {"File_save", {"保存", "Save"}},
    {"File_saveas", {"另存为", "Save As"}},
    {"File_exit", {"退出", "Exit"}},
    {"File_import_csv", {"导入信道 (CSV)…", "Import channels (CSV)…"}},
    {"File_export_csv", {"导出信道 (CSV)…", "Export channels (CSV)…"}},
    {"Program", {"编程", "Program"}},
    {"Prog_read", {"从对讲机读取数据", "Read from radio"}},
    {"Prog_write", {"向对讲机写入数据", "Write to radio"}},
    {"Prog_write_changes", {"向对讲机写入改动…", "Write changes to radio…"}},
    {"Prog_compare", {"比较…", "Compare…"}},
    {"Prog_restore_points", {"还原点…", "Restore points…"}},
    {"Prog_doctor", {"连接检查…", "Connection check…"}},
};

// At start-up the first nine entries of the switch table are set, except
// that frm_adj reads differently; the File and Program menus keep their
// design captions unless the language is Chinese.
inline constexpr int kStartupCaptionCount = 9;
inline constexpr Text kStartupAdjust{"其他", "Other"};
inline constexpr int kFirstFileCaption = 9;

// Labels of status panels 1, 3, 5, 7 and 9.
struct PanelLabel {
    int panel;
    Text text;
};
inline constexpr PanelLabel kPanelLabels[] = {
    {1, {"机  型:", "Model:"}},
    {3, {"序列号:", "S I M:"}},
    {5, {"固体版本:", "MCU-Version:"}},
    {7, {"频段-A", "Band-A"}},
    {9, {"频段-B", "Band-B"}},
};

// Width of each status panel in hundredths of the screen width.
inline constexpr int kPanelPercent[] = {4, 6, 5, 15, 8, 7, 5, 10, 5, 10, 25};

// The advice shown at start-up on a small screen, in either language.
inline constexpr const char* kAdviceTitle = "操作提示";
inline constexpr const char* kAdviceText = "建议将计算机的显示模式设置为 1024 X 768 ";
inline constexpr int kMinScreenHeightTwips = 11500;
inline constexpr int kMinScreenWidthTwips = 15300;

// The undo and redo keys after the designed eight: their tips name the edit
// they would take back or make again.
inline constexpr Text kUndo{"撤销：%1", "Undo: %1"};
inline constexpr Text kRedo{"重做：%1", "Redo: %1"};
inline constexpr Text kNothingToUndo{"没有可撤销的操作", "Nothing to undo"};
inline constexpr Text kNothingToRedo{"没有可重做的操作", "Nothing to redo"};

}  // namespace vx::mdimain_texts
