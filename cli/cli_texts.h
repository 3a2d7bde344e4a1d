#pragma once
// Texts of the command-line programmer. Messages the windows also show use
// the windows' own words (link/transfer_texts.h); the rest are its own, in
// both languages like every text of the product.

#include "image/language.h"

namespace vx::cli_text {

inline constexpr Text portOpened{"使用通讯端口 COM%1 (%2)", "Using COM%1 (%2)"};
inline constexpr Text noPort{"没有可以打开的通讯端口", "No serial port opens"};
inline constexpr Text identifying{"正在与对讲机联络 ！", "Connecting with transceiver. "};
inline constexpr Text reading{"正在读取", "Reading"};
inline constexpr Text writing{"正在写入", "Writing"};
inline constexpr Text verifying{"正在校验", "Verifying"};
inline constexpr Text blocks{"数据块", "blocks"};
inline constexpr Text rows{"数据行", "rows"};

inline constexpr Text model{"机型", "Model"};
inline constexpr Text version{"固体版本", "Firmware"};
inline constexpr Text serial{"序列号", "Serial number"};
inline constexpr Text bandA{"频段-A", "Band A"};
inline constexpr Text bandB{"频段-B", "Band B"};

inline constexpr Text saved{"已保存 %1", "Saved %1"};
inline constexpr Text backupSaved{"写入前的备份: %1", "Backup before writing: %1"};
inline constexpr Text backupFailed{"备份未能保存或读回: %1；未写入对讲机", "The backup could not be saved or read back: %1; nothing was written to the radio"};
inline constexpr Text writeStopped{"写入中断，对讲机最后确认的是第 %1 行 (地址 0x%2)",
                                   "The write stopped; the last row the radio acknowledged is row %1 (address 0x%2)"};
inline constexpr Text writeStoppedNone{"写入中断，对讲机没有确认任何一行", "The write stopped before the radio acknowledged any row"};
inline constexpr Text verified{"校验通过：第 0 - 783 行与文件相同", "Verified: rows 0-783 equal the file"};
inline constexpr Text mismatch{"校验失败：%1 行不同", "Verify failed: %1 rows differ"};
inline constexpr Text mismatchRegion{"  %1：第 %2 行", "  %1: rows %2"};

inline constexpr Text loadFailed{"无法读取数据文件 %1：%2", "Cannot load the data file %1: %2"};
inline constexpr Text saveFailed{"无法保存数据文件 %1：%2", "Cannot save the data file %1: %2"};
inline constexpr Text csvFailed{"CSV 文件有错误，未写入任何文件：", "The CSV file has errors; nothing was written:"};
inline constexpr Text csvImported{"导入 %1 个信道到 %2", "Imported %1 channels into %2"};

}  // namespace vx::cli_text
