#pragma once
// Texts of the channel editor window, in both languages.

#include "image/language.h"

namespace vx::chann_texts {

// Window title.
inline constexpr Text kTitle{"信道参数编辑", "Channel Information"};
inline constexpr Text kRead{"读 取", "Read"};
inline constexpr Text kWrite{"写 入", "Write"};
inline constexpr Text kClear{"清 除", "Clear"};
inline constexpr Text kDefault{"出厂值", "Default"};
inline constexpr Text kSave{"保 存", "Save"};
inline constexpr Text kOpen{"打 开", "Open"};
inline constexpr Text kClose{"关 闭", "Close"};
// Title of every message but the name-length one.
inline constexpr Text kPromptTitle{"操作提示", "Operate prompt"};
inline constexpr Text kNamePromptTitle{"操作提示", "Operate Prompt"};
// Cell checks.
inline constexpr Text kRxRange{"接收频率超出范围 ！", "Over the range of receive frequency ."};
inline constexpr Text kTxRange{"发射频率超出范围 ！", "Over the range of transmit frequency ."};
inline constexpr Text kRxFirst{"请先输入接收频率 ！", "Please input the receive frequency in advance."};
inline constexpr Text kNameLength{"信道名称的字符个数最大为 6 位 ！", "The letter of channel name max 6 bit . "};
// Refusals while a transfer runs.
inline constexpr Text kBusy{"正在与对讲机进行读写操作 ！", "Read-write operating with transceiver ."};
inline constexpr Text kBusyClear{"正在进行读写操作,请勿进行清除操作 ！,", "Read-write operating，don't clear operate .,"};
inline constexpr Text kBusyClose{"正在进行读写操作,请勿关窗口 ！,", "Read-write operating，don't close the window. ,"};
// Closing by the frame or from the main window.
inline constexpr Text kBusyCloseFrame{"正在进行读写操作,请勿关窗口 ！,", "Read-write operating，don't close the window.,"};
// Transfers.
inline constexpr Text kConnecting{"正在与对讲机联络 ！", "Connecting with transceiver. "};
inline constexpr Text kReadingBefore{"正在读取 ", "Reading "};
inline constexpr Text kReadingAfter{" 数据块", " Data Block"};
inline constexpr Text kReadDone{"从对讲机中读取数据完毕 ！", "Complete reading data from the transceiver."};
inline constexpr Text kReadOk{"信道数据读出正常 ！", "Read Channel Data is Ok ！"};
inline constexpr Text kWritingBefore{"正在写入  ", "Writeing  "};
inline constexpr Text kWritingAfter{"  信道", "  Channel"};
inline constexpr Text kWriteDone{"向对讲机写入数据完毕 ！", "Complete writing the data to transceiver."};
inline constexpr Text kWriteOk{"信道数据写入完毕 ！", "Channel Data Written ！"};
inline constexpr Text kPortError{"通讯端口打开错误，请正确设置通讯端口 ！", "Communication port is error, please setting right communication port . ！"};
inline constexpr Text kFail{"与对讲机联络失败 ！", "Fail connect with transceiver."};
inline constexpr Text kFailPanel{"联机故障 ！", "Communication fault."};
inline constexpr Text kFailLabel{"与对讲机通讯故障 ！", "Communication fault."};
// Grid headings: "|" separates columns, a leading "^" centres one.
inline constexpr Text kHeadings{"^信道号|^ 工作频段 |^接收频率(MHZ)|^发射频率(MHZ)|^QT/DQT 解码|^QT/DQT 编码|^发射功率|^信道带宽|^PTT-ID|^繁忙锁定|^扫描添加|^信令码|^可选信令|^静音方式|^扰频|信 道 名 称", "^Channel|^  Band  |^RX Frequency|^TX Frequency|^CTCSS/DCS Dec|^CTCSS/DCS Enc|^TX Power|^ W/N |^PTT-ID|^BusyLock|^Scan_Add|^SigCode|^Opisug|^Spmute|^SCR|^CH-Name"};

}  // namespace vx::chann_texts
