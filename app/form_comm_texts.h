#pragma once
// Texts of the whole-radio read and write dialogs (Form_Comm_Read,
// Form_Comm_Write); the texts they share with other windows are in
// transfer_texts.h.

#include "image/language.h"

namespace vx::form_comm_text {

inline constexpr Text readCaption{"从对讲机读取数据", "Read Data From Radio"};
inline constexpr Text writeCaption{"写数据到对讲机", "Write Data to Radio"};
inline constexpr Text read{"读取", "Read"};
inline constexpr Text write{"写入", "Write"};
inline constexpr Text cancel{"取消", "Cancel"};
inline constexpr Text help{"帮助", "Help"};

inline constexpr Text readDoneLabel{"数据读出正常 ！", "Read Data is Ok ！"};
inline constexpr Text writeDoneLabel{"参数写入完毕 ！", "Data Written ！"};

// The restore points.
inline constexpr Text restoreFailed{"无法在 %1 中保存还原点：%2。读写照常进行；此后不再提示。",
                                    "Restore points cannot be kept in %1: %2. Reads and writes go on as usual; this is not said again."};

}  // namespace vx::form_comm_text
