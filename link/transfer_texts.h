#pragma once
// The texts most transferring windows share. A window's descriptor starts
// from these and replaces what its own texts change.

#include "image/language.h"

namespace vx::transfer_text {

inline constexpr Text title{"操作提示", "Operate prompt"};
inline constexpr Text titleCapital{"操作提示", "Operate Prompt"};

// Refusals while a transfer runs.
inline constexpr Text busy{"正在与对讲机进行读写操作 ！", "Read-write operating with transceiver ."};
inline constexpr Text busyClear{"正在进行读写操作,请勿进行清除操作 ！,", "Read-write operating，don't clear operate .,"};
// Close button; the window frame's close box has no space before the comma.
inline constexpr Text busyClose{"正在进行读写操作,请勿关窗口 ！,", "Read-write operating，don't close the window. ,"};
inline constexpr Text busyCloseBox{"正在进行读写操作,请勿关窗口 ！,", "Read-write operating，don't close the window.,"};

// The port would not open: the whole-radio dialogs' and the channel editor's
// words, and the other editors'.
inline constexpr Text portError{"通讯端口打开错误，请正确设置通讯端口 ！",
                                "Communication port is error, please setting right communication port . ！"};
inline constexpr Text portOpenError{"通讯端口打开错误，请正确设置通讯端口 ！", "Communication Port Open Error ！"};

inline constexpr Text connecting{"正在与对讲机联络 ！", "Connecting with transceiver. "};

// Progress label: before + N + after.
inline constexpr Text readingBefore{"正在读取 ", "Reading "};
inline constexpr Text readingAfter{" 数据块", " Data Block"};
inline constexpr Text writingBefore{"正在写入  ", "Writing  "};
inline constexpr Text writingAfter{"  数据块", "  Data Block"};

inline constexpr Text readDone{"从对讲机中读取数据完毕 ！", "Complete reading data from the transceiver."};
inline constexpr Text writeDone{"向对讲机写入数据完毕 ！", "Complete writing the data to transceiver."};

inline constexpr Text failed{"与对讲机联络失败 ！", "Fail connect with transceiver."};
inline constexpr Text failedLabel{"与对讲机通讯故障 ！", "Communication fault."};
// The main window's status panel after a failure, where a window sets it.
inline constexpr Text failedPanel{"联机故障 ！", "Communication fault."};

}  // namespace vx::transfer_text
