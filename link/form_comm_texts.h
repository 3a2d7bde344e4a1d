#pragma once
// Texts of the whole-radio read and write dialogs (Form_Comm_Read,
// Form_Comm_Write).

#include "image/language.h"

namespace vx::form_comm_text {

inline constexpr Text readCaption{"从对讲机读取数据", "Read Data From Radio"};
inline constexpr Text writeCaption{"写数据到对讲机", "Write Data to Radio"};
inline constexpr Text read{"读取", "Read"};
inline constexpr Text write{"写入", "Write"};
inline constexpr Text cancel{"取消", "Cancel"};
inline constexpr Text help{"帮助", "Help"};

inline constexpr Text title{"操作提示", "Operate prompt"};
inline constexpr Text busy{"正在与对讲机进行读写操作 ！", "Read-write operating with transceiver ."};
inline constexpr Text noClose{"正在进行读写操作,请勿关窗口 ！,", "Read-write operating，don't close the window. ,"};
inline constexpr Text portError{"通讯端口打开错误，请正确设置通讯端口 ！",
                                "Communication port is error, please setting right communication port . ！"};
inline constexpr Text connecting{"正在与对讲机联络 ！", "Connecting with transceiver. "};

// Progress label: before + N + after.
inline constexpr Text readingBefore{"正在读取 ", "Reading "};
inline constexpr Text readingAfter{" 数据块", " Data Block"};
inline constexpr Text writingBefore{"正在写入  ", "Writing  "};
inline constexpr Text writingAfter{"  数据块", "  Data Block"};

inline constexpr Text readDone{"从对讲机中读取数据完毕 ！", "Complete reading data from the transceiver."};
inline constexpr Text readDoneLabel{"数据读出正常 ！", "Read Data is Ok ！"};
inline constexpr Text writeDone{"向对讲机写入数据完毕 ！", "Complete writing the data to transceiver."};
inline constexpr Text writeDoneLabel{"参数写入完毕 ！", "Data Written ！"};
inline constexpr Text failed{"与对讲机联络失败 ！", "Fail connect with transceiver."};
inline constexpr Text failedLabel{"与对讲机通讯故障 ！", "Communication fault."};

}  // namespace vx::form_comm_text
