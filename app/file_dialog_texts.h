#pragma once
// Captions and messages of the file dialogs: the common ones, then those of
// the data file's open and save dialogs.

#include "image/language.h"

namespace vx::file_dialog_text {

inline constexpr Text driveLabel{"驱动器：", "Drive:"};
inline constexpr Text enter{"确  定", "Confirm"};
inline constexpr Text close{"取  消", "Cancel"};
inline constexpr Text promptTitle{"操作提示", "Operate prompt"};

// Browsing.
inline constexpr Text driveNotReady{"驱动器没有准备好 ！", "The drive is not ready ."};
inline constexpr Text folderUnreadable{"文件夹无法打开 ！", "Can not open the folder ."};

// The data file.
namespace data {
inline constexpr Text openTitle{"打开文件", "Open File"};
inline constexpr Text saveTitle{"保存文件", "Save File"};
inline constexpr Text openName{"打开文件名：", "Open File:"};
inline constexpr Text saveName{"保存文件名：", "Save File:"};
inline constexpr Text openNameMessage{"打开文件名无效 ", "Open the file name is nullity "};
inline constexpr Text saveNameMessage{"保存文件所需要的文件名无效 ", "Store the file name is nullity. "};
inline constexpr Text openExtensionMessage{"无效的文件后缀名！", "Nullity file suffix name."};
inline constexpr Text saveExtensionMessage{"建议不要修改系统默认的文件后缀名！",
                                           "Advice don't modify file suffix name of system default ！"};
inline constexpr Text loaded{"参数从文件调入成功 ！", "Succeed fold the parameter from file."};
inline constexpr Text saved{"参数保存完毕 ！", "Complete storing  parameter."};

// Failures; the image stays as it was. %1 is a line of the file.
inline constexpr Text cannotOpen{"文件打开失败，参数未调入 ！", "Open the file failure, the parameter is not loaded ."};
inline constexpr Text tooShort{"文件数据不完整，在第 %1 行提前结束，参数未调入 ！",
                               "The file is incomplete, it ends at line %1 , the parameter is not loaded ."};
inline constexpr Text notANumber{"文件第 %1 行含有不是数字的数据，参数未调入 ！",
                                 "Line %1 of the file holds a non-number, the parameter is not loaded ."};
inline constexpr Text outOfRange{"文件第 %1 行的数值超出 0~255，参数未调入 ！",
                                 "Line %1 of the file holds a value out of 0~255, the parameter is not loaded ."};
inline constexpr Text cannotCreate{"文件无法建立，参数未保存 ！", "Can not create the file, the parameter is not stored ."};
inline constexpr Text writeFailed{"文件写入失败，参数未保存 ！", "Write the file failure, the parameter is not stored ."};
}  // namespace data

}  // namespace vx::file_dialog_text
