#pragma once
// Texts vxprog prints on its terminal for --help; --version prints
// "vxprog <version>" in both languages.

#include "image/language.h"

namespace vx::main_texts {

inline constexpr Text kUsage{
    "用法：vxprog [选项]\n"
    "\n"
    "UV 双段车载电台编程软件：通过编程线读取对讲机存储器，编辑信道、选项、\n"
    "信令、FM 广播预置和调整值，保存和打开 .dat 数据文件，再写回对讲机。\n"
    "命令行编程请用 vxprog-cli。\n"
    "\n"
    "选项：\n"
    "  -h, --help     显示此帮助并退出\n"
    "  -v, --version  显示版本并退出\n",
    "Usage: vxprog [options]\n"
    "\n"
    "The programming application for a dual-band (VHF/UHF) FM mobile\n"
    "transceiver: read the radio's memory over a programming cable, edit\n"
    "channels, options, signalling, FM broadcast presets and adjustment values,\n"
    "save and load .dat data files, and write the memory back. For the command\n"
    "line, see vxprog-cli.\n"
    "\n"
    "Options:\n"
    "  -h, --help     display this help and exit\n"
    "  -v, --version  display the version and exit\n"};

}  // namespace vx::main_texts
