#pragma once
// Texts of the compare window, in both languages; the texts of the radio's
// read are the transferring windows' own (link/transfer_texts.h).

#include "image/language.h"

namespace vx::compare_window_text {

inline constexpr Text caption{"比较", "Compare"};
inline constexpr Text promptTitle{"操作提示", "Operate prompt"};

inline constexpr Text firstLabel{"第一份：", "First:"};
inline constexpr Text secondLabel{"第二份：", "Second:"};

// The entries of each side's list, in this order.
inline constexpr Text current{"当前数据", "Current data"};
inline constexpr Text dataFile{"数据文件…", "Data file…"};
inline constexpr Text restorePoint{"还原点…", "Restore point…"};
inline constexpr Text radio{"对讲机（现在读取）", "The radio (read now)"};
inline constexpr Text choose{"请选择…", "Choose…"};

// What a side holds.
inline constexpr Text notChosen{"未选择", "Not chosen"};
inline constexpr Text currentShown{"当前数据", "Current data"};
inline constexpr Text fileShown{"数据文件：%1", "Data file: %1"};
inline constexpr Text pointShown{"还原点：%1，%2，%3", "Restore point: %1, %2, %3"};
inline constexpr Text radioShown{"对讲机 %1，读取于 %2", "The radio %1, read at %2"};
inline constexpr Text reading{"正在读取对讲机…", "Reading the radio…"};

// Picking a file or a restore point.
inline constexpr Text fileTitle{"选择要比较的数据文件", "Choose a data file to compare"};
inline constexpr Text fileFilter{"数据文件 (*.dat *.DAT)", "Data files (*.dat *.DAT)"};
inline constexpr Text fileLookIn{"查找范围：", "Look in:"};
inline constexpr Text fileName{"文件名：", "File name:"};
inline constexpr Text fileType{"文件类型：", "Files of type:"};
inline constexpr Text fileAccept{"打开", "Open"};
inline constexpr Text fileReject{"取消", "Cancel"};
inline constexpr Text pickHint{"双击一个还原点选用它：", "Double-click a restore point to use it:"};
inline constexpr Text noPoints{"还没有还原点。", "There are no restore points yet."};
inline constexpr Text pointUnreadable{"该还原点无法读取 ！", "The restore point can not be read ."};

// The result.
inline constexpr Text same{"两者相同。", "The two are the same."};
inline constexpr Text oneSetting{"1 项设置", "1 setting"};
inline constexpr Text settings{"%1 项设置", "%1 settings"};
inline constexpr Text oneRow{"1 行", "1 row"};
inline constexpr Text rows{"%1 行", "%1 rows"};
inline constexpr Text bothDiffer{"%1、%2不同", "%1 and %2 differ"};
inline constexpr Text oneDiffers{"%1不同", "%1 differs"};
inline constexpr Text manyDiffer{"%1不同", "%1 differ"};

// The buttons.
inline constexpr Text compare{"比较", "Compare"};
inline constexpr Text copy{"复制为文本", "Copy as text"};
inline constexpr Text close{"关闭", "Close"};

}  // namespace vx::compare_window_text
