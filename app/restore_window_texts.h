#pragma once
// Texts of the restore points window, and of a point as any window lists it
// (its kind and what changed against the point before).

#include "image/language.h"

namespace vx::restore_window_text {

inline constexpr Text caption{"还原点", "Restore points"};
inline constexpr Text promptTitle{"操作提示", "Operate prompt"};

// The list's headings.
inline constexpr Text radioHeading{"对讲机", "Radio"};
inline constexpr Text timeHeading{"日期时间", "Date and time"};
inline constexpr Text kindHeading{"种类", "Kind"};
inline constexpr Text summaryHeading{"摘要", "Summary"};

// A point's kind.
inline constexpr Text kindRead{"读取", "Read"};
inline constexpr Text kindWrite{"写入", "Write"};
inline constexpr Text kindBackup{"写入前备份", "Backup before a change write"};

// What changed against the radio's point before.
inline constexpr Text beforeWriteOf{"写入 %1 行之前", "before a write of %1 rows"};
inline constexpr Text firstPoint{"该电台的第一个还原点", "first point of this radio"};
inline constexpr Text noChange{"与上一个还原点相同", "no change"};
inline constexpr Text oneRowChanged{"改动了 1 行", "1 row changed"};
inline constexpr Text rowsChanged{"改动了 %1 行", "%1 rows changed"};
inline constexpr Text unreadable{"无法读取", "unreadable"};

inline constexpr Text empty{"还没有还原点：每次整机读取和写入都会保存一个。",
                            "No restore points yet: every whole read and write of a radio keeps one."};

// The buttons.
inline constexpr Text open{"打开", "Open"};
inline constexpr Text compare{"比较", "Compare"};
inline constexpr Text write{"写入对讲机", "Write to radio"};
inline constexpr Text remove{"删除", "Delete"};
inline constexpr Text refresh{"刷新", "Refresh"};
inline constexpr Text close{"关闭", "Close"};

// Messages.
inline constexpr Text loaded{"还原点已载入。", "Restore point loaded."};
inline constexpr Text cannotLoad{"该还原点无法读取，数据未改动 ！", "The restore point can not be read; the data was not changed ."};
inline constexpr Text cannotRemove{"该还原点无法删除 ！", "The restore point can not be deleted ."};

}  // namespace vx::restore_window_text
