#pragma once
// Texts of the change-only write window, in both languages. %1.. are filled
// in when the text is shown.

#include "image/language.h"

namespace vx::write_changes_text {

inline constexpr Text caption{"向对讲机写入改动", "Write changes to radio"};
inline constexpr Text captionPoint{"把还原点写入对讲机", "Write a restore point to the radio"};
inline constexpr Text readAgain{"重新读取", "Read again"};
inline constexpr Text cancel{"取消", "Cancel"};
inline constexpr Text writeChanges{"写入 %1 处改动", "Write %1 changes"};
inline constexpr Text writeEverything{"全部写入", "Write everything"};
inline constexpr Text writeBack{"写回读出的数据", "Write back what was read"};
inline constexpr Text adjust{"同时写入调整参数（调整参数窗口中的静噪表，第 4-7 行）",
                             "Also write the adjustment values (the squelch rows 4-7 of the adjustment window)"};
inline constexpr Text anyway{"仍然写入这台对讲机", "Write to this radio anyway"};

// Which side the list compares.
inline constexpr Text fromDocument{"对讲机现有内容 → 当前数据", "What the radio holds → the current data"};
inline constexpr Text fromPoint{"对讲机现有内容 → 还原点 %1", "What the radio holds → restore point %1"};

// What the window says at each stage.
inline constexpr Text reading{"正在读取对讲机，以列出将要写入的改动……", "Reading the radio to list what a write would change…"};
inline constexpr Text preview{"%1 项设置、%2 行其他数据不同：将写入 %3 行，再读回 %4 个数据块核对。",
                              "%1 settings and %2 other rows differ: %3 rows to write, then %4 blocks read back to check them."};
inline constexpr Text previewSettings{"%1 项设置不同：将写入 %2 行，再读回 %3 个数据块核对。",
                                      "%1 settings differ: %2 rows to write, then %3 blocks read back to check them."};
inline constexpr Text nothing{"对讲机已保存全部内容：没有需要写入的改动。", "The radio already holds all of it: there is nothing to write."};
inline constexpr Text otherRadio{"这台对讲机（%1 %2）不是还原点所属的对讲机（%3 %4）。写入前请确认。",
                                 "This radio (%1 %2) is not the one the restore point was taken from (%3 %4). Make sure before writing."};
inline constexpr Text writing{"正在写入 %1 行……", "Writing %1 rows…"};
inline constexpr Text writingAdjust{"正在写入调整参数……", "Writing the adjustment values…"};
inline constexpr Text checking{"正在读回 %1 个数据块核对……", "Reading %1 blocks back to check them…"};
inline constexpr Text done{"已写入 %1 行，读回核对无误。", "%1 rows written and checked."};
inline constexpr Text doneAdjust{"已写入 %1 行，读回核对无误；调整参数已写入。", "%1 rows written and checked; the adjustment values written."};
inline constexpr Text mismatch{"已写入 %1 行，但有 %2 行读回不符：%3", "%1 rows written, but %2 did not read back as written: %3"};
inline constexpr Text readFailed{"无法读取对讲机：什么也没有写入，当前数据没有改变。运行“编程 → 连接检查…”查明原因。",
                                 "The radio could not be read: nothing was written and the current data is unchanged. "
                                 "Run Program → Connection check… to find out why."};
inline constexpr Text checkFailed{"已写入 %1 行，但无法读回核对。", "%1 rows were written but could not be read back to check them."};
inline constexpr Text adjustFailed{"已写入 %1 行并核对无误，但调整参数没有写入。",
                                   "%1 rows were written and checked, but the adjustment values were not written."};

// An interrupted write: what the radio holds now.
inline constexpr Text stoppedAt{"写入在第 %1 行（地址 0x%2）之后中断。", "The write stopped after row %1 (address 0x%2)."};
inline constexpr Text stoppedNone{"写入中断：对讲机没有收到任何一行。", "The write stopped before the radio took any row."};
inline constexpr Text regionsNew{"已是新内容：%1", "Now new: %1"};
inline constexpr Text regionsMixed{"新旧混合：%1", "Part new, part as before: %1"};
inline constexpr Text regionsOld{"仍是原内容：%1", "As before: %1"};
inline constexpr Text offerBack{"“写回读出的数据”会把写入前读出的内容（已保存为还原点）写回已改动的行。",
                                "\"Write back what was read\" puts what the radio held before (kept as a restore point) back into the rows that changed."};
inline constexpr Text listSeparator{"、", ", "};

}  // namespace vx::write_changes_text
