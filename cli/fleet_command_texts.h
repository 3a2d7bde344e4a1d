#pragma once
// Texts of vxprog-cli fleet, in both languages.

#include "image/language.h"

namespace vx::cli::fleet_command_text {

inline constexpr Text summary{"把一个配置写入多台对讲机，每台有自己的设置（ANI、开机信息、DTMF 和五音 ID……）：逐台识别、备份为还原点、只写入不同的行并读回核对。",
                              "Program one configuration into many radios, each with its own settings (ANI, power-on message, DTMF and "
                              "5-tone IDs, ...): each radio identified, backed up as a restore point, written only where it differs and read back."};
inline constexpr Text dryRun{"（--dry-run：没有连接任何对讲机）", "(--dry-run: no radio was touched)"};
inline constexpr Text refused{"车队文件 %1 无法使用，没有打开任何端口：", "The fleet file %1 cannot be used; no port was opened:"};
inline constexpr Text problem{"  第 %1 行第 %2 列：%3", "  line %1, column %2: %3"};
inline constexpr Text starting{"%1（COM%2）：%3", "%1 (COM%2): %3"};
inline constexpr Text identifying{"识别中", "identifying"};
inline constexpr Text backingUp{"读取备份", "reading the backup"};
inline constexpr Text writing{"写入 %1 行", "writing %1 rows"};
inline constexpr Text checking{"读回核对", "reading back"};
inline constexpr Text done{"完成", "done"};
inline constexpr Text wrongRadio{"这台对讲机的序列号是 %1，不是 %2：未写入", "this radio's serial number is %1, not %2: nothing was written"};
inline constexpr Text sameRadio{"这台对讲机（%1）已在 COM%2 上写入过：未写入", "this radio (%1) was already programmed on COM%2: nothing was written"};
inline constexpr Text heading{"对讲机        序列号                  端口   写入行  核对    用时     备份",
                              "Radio         Serial                  Port   Rows    Verify  Time     Backup"};
inline constexpr Text verified{"正常", "ok"};
inline constexpr Text notVerified{"失败", "FAILED"};
inline constexpr Text restoreWith{"  恢复 %1：vxprog-cli write --full %2 --port %3", "  To put %1 back: vxprog-cli write --full %2 --port %3"};

}  // namespace vx::cli::fleet_command_text
