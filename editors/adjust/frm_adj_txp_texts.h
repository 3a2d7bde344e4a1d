#pragma once
// Texts of the adjustment editor, in both languages. Page titles, tab
// captions, point labels, squelch headings and setting labels are Chinese
// (or fixed) in both languages; so are the number-box messages.

#include "image/language.h"

namespace vx::adj_texts {

// Captions set by language when the window opens.
inline constexpr Text kTitle{"其他", "Other "};
inline constexpr Text kClose{"关闭", "Close"};
inline constexpr Text kRangeFrame{"频率范围限制", "Adjustable  frequency  range "};
inline constexpr Text kBandHeading{"频段", "Band"};
inline constexpr Text kMaxHeading{"最大工作频率范围(MHZ)", "Max frequency range (MHz)"};
inline constexpr Text kLimitHeading{"限制工作频率范围(MHZ)", "Limit frequency range (MHz)"};
inline constexpr Text kAllowHeading{"发射允许", "Allow transmit"};
inline constexpr Text kFrom{"从", "From"};
inline constexpr Text kTo{"到", "to"};

// Pages: tab key, tab caption, page title.
struct Page {
    const char* key;
    const char* tab;
    const char* title;
};
inline constexpr Page kPages[] = {
    {"Adj_Txp_High", "发射功率（高）", "发射功率调整（高功率）"},
    {"Adj_Txp_Low", "发射功率（低）", "发射功率调整（低功率）"},
    {"Adj_Sql_Leve", "静噪等级", "静噪等级调整"},
    {"Adj_Dev_Leve", "调制、音量", "调制度、输出音量调整"},
    {"Adj_Other", "频率范围", "频率范围"},
};

// Power pages.
inline constexpr const char* kPowerFrameA = "130 - 179 MHZ ";
inline constexpr const char* kPowerFrameB = "400  -  480 MHZ ";
inline constexpr const char* kPointUnit = "MHZ";

// Squelch page.
inline constexpr const char* kSquelchFrameA = "130 - 179 MHZ";
inline constexpr const char* kSquelchFrameB = "400 - 520 MHZ";
inline constexpr const char* kLevelHeading = "Level";
inline constexpr const char* kOpenHeading = "Open";
inline constexpr const char* kFreqHeading = "Freq";
inline constexpr const char* kCompenHeading = "Compen";

// Modulation page: one label per setting of row 8, in byte order.
inline constexpr const char* kSettingLabels[] = {
    "话音调制度",     "模拟哑音调制度",     "数字哑音调制度",    "宽带接收音量粗调", "宽带接收音量细调",
    "窄带接收音量粗调", "窄带接收音量细调",   "提示音音量粗调",    "提示音音量细调",   " VHF 段驱动功率选择",
    "UHF 段驱动功率选择", "功率管控制温度", "信令调制度",
};

// Range page: each band's name and widest range, on one line.
inline constexpr const char* kRangeLines[] = {
    "VHF0                     130 - 179  ",
    "UHF0                     400 - 520",
};

// Number boxes: Chinese only, information icon, title "操作提示".
inline constexpr const char* kNumberTitle = "操作提示";
inline constexpr const char* kUpTo255 = " 输入数字范围为 0 - 255 ！";
inline constexpr const char* kUpTo100 = " 输入数字范围为 0 - 100 ！";
inline constexpr const char* kUpTo15 = " 输入数字范围为 0 - 15 ！";
inline constexpr const char* kUpTo10 = " 输入数字范围为 0 - 10 ！";

// Range boxes, title "操作提示" / "Operate Prompt", warning icon.
inline constexpr Text kRangeTitle{"操作提示", "Operate Prompt"};
inline constexpr Text kLowerBelowBand{"下限频率不可小于该频段最低工作频率",
                                      "Receive frequency of lower limit can't less than the lowest of work frequency. "};
inline constexpr Text kLowerAboveUpper{"下限频率不可大于该频段上限频率",
                                       "Receive frequency of lower limit can't more than receive frequency of upper limit."};
inline constexpr Text kUpperAboveBand{"上限频率不可大于该频段最大工作频率",
                                      "Receive frequency of upper limit can't more than the highest of work frequency. "};
inline constexpr Text kUpperBelowLower{"上限频率不可小于该频段下限频率",
                                       "Receive frequency of upper limit can't less than receive frequency of lower limit."};

// Transfers.
inline constexpr Text kPromptTitle{"操作提示", "Operate prompt"};
inline constexpr Text kPromptTitleCapital{"操作提示", "Operate Prompt"};
inline constexpr Text kReadOk{"调整参数读出正常 ！", "Read optional parameters in gear. "};
inline constexpr Text kReadDone{"从对讲机中读取调整数据完毕 ！", "Complete reading the data from transceiver."};
inline constexpr Text kWriteDone{"调整参数写入完毕 ！", "Complete writing optional parameters to the transceiver."};
inline constexpr Text kWriteOk{"调整参数写入完毕 ！", "Complete writing optional parameters "};

}  // namespace vx::adj_texts
