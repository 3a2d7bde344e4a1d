#pragma once
// Texts of vxprog-cli doctor, in both languages; the check's own are in
// link/doctor_texts.h.

#include "image/language.h"

namespace vx::cli::doctor_command_text {

inline constexpr Text summary{"一步一步检查与对讲机的连接：串口设备、打开端口、对讲机的应答、识别、读取一个数据块；每一步给出结论和下一步怎么做。不写入对讲机。",
                              "Check the connection to the radio step by step (serial devices, opening the port, the radio's answer, "
                              "identification, one block read), each with its verdict and what to do next. Nothing is written to the radio."};
inline constexpr Text traceFileOption{"把整个通讯记录保存到 FILE（默认在临时文件夹中）。",
                                      "Save the trace of the whole exchange to FILE (by default in the temporary folder)."};
inline constexpr Text checking{"正在检查 COM%1（%2）……", "Checking COM%1 (%2)…"};
inline constexpr Text traceSaved{"通讯记录已保存到 %1（报告问题时请附上）。", "The trace is in %1 (attach it to a bug report)."};
// After a port or radio failure of any radio command.
inline constexpr Text runDoctor{"运行 vxprog-cli doctor 查明原因。", "Run vxprog-cli doctor to find out why."};
inline constexpr Text traceFailed{"无法保存通讯记录到 %1。", "The trace could not be saved to %1."};

}  // namespace vx::cli::doctor_command_text
