#pragma once
// Texts of the connection check window, in both languages; the check's own
// verdicts are in link/doctor_texts.h.

#include "image/language.h"

namespace vx::form_doctor_text {

inline constexpr Text caption{"连接检查", "Connection check"};
inline constexpr Text check{"检查", "Check"};
inline constexpr Text copy{"复制报告", "Copy report"};
inline constexpr Text close{"关闭", "Close"};
inline constexpr Text intro{"检查 COM%1（%2）与对讲机的连接。不会写入对讲机。",
                            "Checks the connection to the radio on COM%1 (%2). Nothing is written to the radio."};
inline constexpr Text running{"正在检查……", "Checking…"};
inline constexpr Text traceSaved{"通讯记录：%1", "Trace: %1"};

}  // namespace vx::form_doctor_text
