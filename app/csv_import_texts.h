#pragma once
// Texts of the channel list import and export: the two file dialogs and the
// import report window.

#include "image/language.h"

namespace vx::csv_import_text {

// The file dialogs.
inline constexpr Text importTitle{"导入信道 (CSV)", "Import channels (CSV)"};
inline constexpr Text exportTitle{"导出信道 (CSV)", "Export channels (CSV)"};
inline constexpr Text importName{"导入文件名：", "Import File:"};
inline constexpr Text exportName{"导出文件名：", "Export File:"};
inline constexpr Text nameMessage{"文件名无效 ", "The file name is not valid. "};
inline constexpr Text extensionMessage{"文件名应以 .csv 结尾 ！", "The file name must end in .csv ."};
inline constexpr Text cannotRead{"文件无法读取，信道未改动 ！", "Can not read the file, no channel was changed ."};
inline constexpr Text tooLarge{"文件大小为 %1，信道列表最大为 %2，文件未读取，信道未改动 ！",
                               "The file is %1; a channel list is at most %2. The file was not read, no channel was changed ."};
inline constexpr Text exported{"已导出 %1 个信道 ！", "Exported %1 channels ."};
inline constexpr Text cannotWrite{"文件无法写入，未导出 ！", "Can not write the file, nothing was exported ."};

// The report window.
inline constexpr Text reportTitle{"导入信道 (CSV)：%1", "Import channels (CSV): %1"};
inline constexpr Text summary{"%1 个信道将替换现有的全部信道：%2 处为适合对讲机而调整，%3 行跳过。按“导入”写入信道，按“取消”不作任何改动。",
                              "%1 channels will replace all the channels now held: %2 changes made to fit the radio, %3 lines skipped. "
                              "Import puts them into the channels; Cancel changes nothing."};
inline constexpr Text refused{"此文件无法导入，信道未改动：", "This file cannot be imported; no channel was changed:"};
inline constexpr Text asItStands{"每一行都原样导入。", "Every line is imported as it stands."};
inline constexpr Text renumber{"0-199 以外的信道号放入空闲信道", "Place locations outside 0-199 in free channels"};
inline constexpr Text import{"导  入", "Import"};
inline constexpr Text copy{"复  制", "Copy"};
inline constexpr Text cancel{"取  消", "Cancel"};
inline constexpr Text imported{"已导入 %1 个信道 ！", "Imported %1 channels ."};

}  // namespace vx::csv_import_text
