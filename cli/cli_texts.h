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
inline constexpr Text restorePointKept{"已保存还原点: %1", "Restore point kept: %1"};
inline constexpr Text restorePointFailed{"无法在 %1 中保存还原点: %2（写入继续进行）", "Cannot keep a restore point in %1: %2 (the write goes on)"};
inline constexpr Text backupFailed{"备份未能保存或读回: %1；未写入对讲机", "The backup could not be saved or read back: %1; nothing was written to the radio"};
inline constexpr Text writeStopped{"写入中断，对讲机最后确认的是第 %1 行 (地址 0x%2)",
                                   "The write stopped; the last row the radio acknowledged is row %1 (address 0x%2)"};
inline constexpr Text writeStoppedNone{"写入中断，对讲机没有确认任何一行", "The write stopped before the radio acknowledged any row"};
inline constexpr Text verified{"校验通过：对讲机中的第 0 - 783 行与文件相同", "Verified: the radio holds the file (rows 0-783)"};
inline constexpr Text verifiedRows{"校验通过：写入的 %1 行与文件相同", "Verified: the %1 rows written equal the file"};
inline constexpr Text mismatch{"校验失败：%1 行不同", "Verify failed: %1 rows differ"};
inline constexpr Text mismatchRegion{"  %1：第 %2 行", "  %1: rows %2"};

// Writing only what changed, and a write that stopped.
inline constexpr Text changes{"将写入 %1 行，约 %2 秒：", "%1 rows will be written, about %2 s:"};
inline constexpr Text fullWrite{"将写入全部 784 行，约 %1 秒", "All 784 rows will be written, about %1 s"};
inline constexpr Text sinceAndFull{"--since 与 --full 不能同时使用", "--since and --full cannot go together."};
inline constexpr Text nothingSince{"此文件与 %1 相同，未写入任何数据", "The file is the same as %1; nothing was sent."};
inline constexpr Text readingSince{"读取将要写入的 %1 个数据块作为备份……", "Reading the %1 blocks to be written, as the backup…"};
inline constexpr Text changedSince{"对讲机自 %1 以来已改变（第 %2 行），未写入任何数据。不带 --since 写入，会先读取整个对讲机。",
                                   "The radio has changed since %1 (rows %2); nothing was sent. Write without --since to read the whole radio first."};
inline constexpr Text nothingToWrite{"对讲机中已是此文件，未写入任何数据", "The radio already holds this file; nothing was sent."};
inline constexpr Text dryRun{"--dry-run：未写入任何数据", "--dry-run: nothing was sent."};
inline constexpr Text interrupted{"已中断（信号 %1）", "Interrupted (signal %1)"};
inline constexpr Text regionsNew{"已是新数据的区域：", "Regions that now hold the file: "};
inline constexpr Text regionsMixed{"新旧数据混合的区域：", "Regions now mixed, part new and part old: "};
inline constexpr Text regionsOld{"仍是原数据的区域：", "Regions still as they were: "};
inline constexpr Text restoreWith{"恢复写入前的对讲机数据，请运行：", "To put the radio back as it was before, run:"};
inline constexpr Text noBackup{"没有写入前的备份（使用了 --no-backup）", "There is no backup to put back (--no-backup was given)."};

// Options and arguments.
inline constexpr Text portOption{"--port 需要 1 至 12 的数字", "--port takes a number from 1 to 12"};
inline constexpr Text langOption{"--lang 需要 en 或 zh", "--lang takes en or zh"};
inline constexpr Text argumentCount{"%1 需要 %2 个参数：%3", "%1 takes %2 argument(s): %3"};
inline constexpr Text needsOutput{"import-csv 需要 -o OUT.dat", "import-csv needs -o OUT.dat"};
inline constexpr Text limitsOption{"--limits 需要四个递增的 MHz 数值：A 低,A 高,B 低,B 高", "--limits takes four rising numbers in MHz: A-low,A-high,B-low,B-high"};
inline constexpr Text unknownCommand{"未知的命令 \"%1\"", "unknown command \"%1\""};

// Files.
inline constexpr Text loadUnreadable{"文件不存在或无法读取", "missing or unreadable"};
inline constexpr Text loadTooShort{"文件在 1025 行之前结束", "it ends before all 1025 rows"};
inline constexpr Text loadNotANumber{"有一个值不是整数", "a value is not a whole number"};
inline constexpr Text loadOutOfRange{"有一个值超出 0..255", "a value is outside 0..255"};
inline constexpr Text atRow{"（第 %1 行）", " (row %1)"};
inline constexpr Text tooLarge{"文件太大", "too large"};
inline constexpr Text folderMissing{"文件夹 %1 不存在", "the folder %1 does not exist"};
inline constexpr Text isFolder{"这是一个文件夹", "it is a folder"};
inline constexpr Text cannotMake{"无法建立此文件（%1）", "the file cannot be made (%1)"};

inline constexpr Text loadFailed{"无法读取数据文件 %1：%2", "Cannot load the data file %1: %2"};
inline constexpr Text saveFailed{"无法保存数据文件 %1：%2", "Cannot save the data file %1: %2"};
inline constexpr Text csvUnreadable{"无法读取信道列表 %1：%2", "Cannot read the channel list %1: %2"};
inline constexpr Text csvFailed{"CSV 文件有错误，未写入任何文件：", "The CSV file has errors; nothing was written:"};
inline constexpr Text csvImported{"导入 %1 个信道到 %2", "Imported %1 channels into %2"};

// Help.
inline constexpr Text mainUsage{
    "用法：vxprog-cli 命令 [选项] [参数]\n"
    "\n"
    "命令：\n"
    "  ports [--json]                    COM1..COM12 通讯端口及其设备，找到的串口设备和可能的编程线\n"
    "  identify [--port N] [--json]      对讲机的机型、固体版本、序列号、频段范围\n"
    "  read [--port N] FILE.dat          把整台对讲机读入数据文件\n"
    "  write [--port N] FILE.dat         备份对讲机，只写入改动的行，读回校验\n"
    "        [--full] [--dry-run] [--no-backup] [--no-verify]\n"
    "  verify [--port N] FILE.dat        读取对讲机，检查它是否保存着此文件\n"
    "  show FILE.dat                     以文字列出文件：信道、FM 预置、VFO、选项\n"
    "  export-csv FILE.dat [-o OUT.csv]  把信道写成 CSV\n"
    "  import-csv FILE.dat IN.csv -o OUT.dat [--fit] [--renumber]\n"
    "                                    把 CSV 的信道放入数据文件的副本\n"
    "  export-conf FILE.dat [-o X.yaml]  把全部命名设置写成 YAML 文本配置\n"
    "  apply-conf BASE.dat CONF.yaml -o OUT.dat\n"
    "                                    把配置写明的设置放入数据文件的副本\n"
    "  diff A.dat B.dat|CONF.yaml        按名称列出不同的设置\n"
    "  conf-reference                    配置文件的全部键和取值\n"
    "  help [命令]                       此帮助，或某个命令的帮助\n"
    "  version                           版本\n"
    "\n"
    "每个命令都接受 --help。对讲机命令接受 --trace（打印线路上的每个字节、方向和毫秒数）\n"
    "和 --port N（COM1..COM12；不指定时依次试 COM8 至 COM1）。--lang zh 输出中文信息。\n"
    "\n"
    "退出码：\n"
    "  0    成功\n"
    "  1    diff：两者不同\n"
    "  2    用法：未知的命令或选项，缺少参数\n"
    "  3    端口：通讯端口无法打开\n"
    "  4    对讲机：对讲机没有应答，或中途停止应答\n"
    "  5    文件：数据文件或 CSV 文件无法读取、格式有误或无法写入\n"
    "  6    校验：对讲机与文件不同\n"
    "  130  中断：收到 Ctrl+C、SIGTERM 或 SIGHUP（写入在当前数据包后停止）\n",
    "Usage: vxprog-cli COMMAND [options] [arguments]\n"
    "\n"
    "Commands:\n"
    "  ports [--json]                    COM1..COM12 and their devices, the serial devices found, likely cables\n"
    "  identify [--port N] [--json]      the radio's model, firmware, serial number, band limits\n"
    "  read [--port N] FILE.dat          read the whole radio into a data file\n"
    "  write [--port N] FILE.dat         back up the radio, write the rows that changed, read them back\n"
    "        [--full] [--dry-run] [--no-backup] [--no-verify]\n"
    "  verify [--port N] FILE.dat        read the radio and check that it holds the file\n"
    "  show FILE.dat                     the file as text: channels, FM presets, VFOs, options\n"
    "  export-csv FILE.dat [-o OUT.csv]  the channels as CSV\n"
    "  import-csv FILE.dat IN.csv -o OUT.dat [--fit] [--renumber]\n"
    "                                    the channels of a CSV into a copy of a data file\n"
    "  export-conf FILE.dat [-o X.yaml]  every named setting as a YAML text configuration\n"
    "  apply-conf BASE.dat CONF.yaml -o OUT.dat\n"
    "                                    the settings CONF names onto a copy of a data file\n"
    "  diff A.dat B.dat|CONF.yaml        the settings that differ, by name\n"
    "  conf-reference                    every key of the configuration and its values\n"
    "  help [COMMAND]                    this help, or a command's\n"
    "  version                           the version\n"
    "\n"
    "Every command takes --help. Radio commands take --trace (every byte on the\n"
    "wire, with direction and milliseconds) and --port N (COM1..COM12; without\n"
    "it the ports are tried from COM8 down to COM1). --lang zh gives Chinese\n"
    "messages.\n"
    "\n"
    "Exit codes:\n"
    "  0    success\n"
    "  1    diff: the two differ\n"
    "  2    usage: unknown command or option, missing argument\n"
    "  3    port: the serial port will not open\n"
    "  4    radio: the radio does not answer, or stopped answering\n"
    "  5    file: a data file or CSV file cannot be read, is malformed, or cannot be written\n"
    "  6    verify: the radio differs from the file\n"
    "  130  interrupted: Ctrl+C, SIGTERM or SIGHUP (a write stops after the packet in flight)\n"};
inline constexpr Text usage{"用法：", "Usage: "};
inline constexpr Text optionsPlaceholder{"[选项]", "[options]"};
inline constexpr Text optionsHeading{"选项：", "Options:"};
inline constexpr Text unknownOption{"未知的选项：%1", "unknown option: %1"};
inline constexpr Text badOption{"选项有误：%1", "bad option: %1"};

inline constexpr Text helpOption{"显示此帮助", "Show this help."};
inline constexpr Text portDescription{"通讯端口 COM1..COM12（不指定时依次试 COM8 至 COM1）", "COM number 1..12 (default: the first of COM8..COM1 that opens)."};
inline constexpr Text traceDescription{"在标准错误输出上打印线路上的每个字节、方向和毫秒数", "Print every byte on the wire, with direction and milliseconds, on stderr."};
inline constexpr Text langDescription{"信息语言：en（默认）或 zh", "Message language: en (default) or zh."};
inline constexpr Text jsonDescription{"以 JSON 格式输出，供脚本使用", "Print the result as JSON, for scripts."};
inline constexpr Text noBackupDescription{"写入前不读取对讲机备份（此时写入全部 784 行）", "Do not read the radio into a backup file first (all 784 rows are sent then)."};
inline constexpr Text noVerifyDescription{"写入后不读回校验", "Do not read the radio back and compare after writing."};
inline constexpr Text outputDescription{"输出文件", "Output file."};
inline constexpr Text sinceDescription{"对讲机中是 BASE（上次读出或写入的文件，或一个还原点）：只读取并写入与它不同的行所在的数据块",
                                      "The radio holds BASE (the file last read from or written to it, or a restore point): only the blocks of the rows that differ from it are read and written."};
inline constexpr Text fullDescription{"写入全部 784 行，与窗口程序的整机写入相同", "Send all 784 rows, as the window program's whole-radio write does."};
inline constexpr Text dryRunDescription{"读取对讲机并列出将要写入的内容，然后停止（不保留备份文件）", "Read the radio and print what would be sent, then stop (no backup file is kept)."};
inline constexpr Text fitDescription{"调整对讲机无法存放的名称，跳过无法存放的行；每处调整和跳过的行都会列出",
                                     "Adapt names the radio cannot store and skip lines it cannot hold; every change and skipped line is listed."};
inline constexpr Text renumberDescription{"把 Location 超出 0-199（或为空）的行按文件顺序放入空闲信道",
                                          "Place lines whose Location is outside 0-199 (or empty) in the first free channels, in file order."};
inline constexpr Text limitsDescription{"检查频率所用的频段范围（MHz，默认 130,179,400,520）", "Band limits in MHz the frequencies are checked against (default 130,179,400,520)."};

inline constexpr Text portsSummary{
    "列出 COM1..COM12 通讯端口、各自打开的设备（来自端口表或 comN 链接）以及是否存在，然后是没有 COM 号可以打开的串口设备。"
    "存在的设备还列出 USB 厂商和产品编号（VID:PID）、是否可能是编程线（常见的 USB 转串口芯片，编程线?）、"
    "是否被正在运行的程序占用（其锁文件，使用中）以及设备报告的厂商、产品和序列号；没有的项目显示 -。",
    "Lists COM1..COM12, the device each opens (from the table or a comN link) and whether it is present, then the serial "
    "devices no COM number opens. A present device's line adds its USB vendor and product ids (VID:PID), whether it is a "
    "likely programming cable (a common USB-serial chip: cable?), whether a running program holds it (its lock file: in-use), "
    "and the maker, product and serial number it reports; \"-\" where it has none."};
inline constexpr Text identifySummary{"对讲机的机型、固体版本、序列号和频段范围。", "The radio's model, firmware version, serial number and band limits."};
inline constexpr Text readSummary{"把整台对讲机读入数据文件（读取不涉及的行保留开机默认值）；文件只在读取完整后才被替换。输出文件夹在打开端口前检查。",
                                  "Reads the whole radio into a data file (rows the read does not cover keep the start-up defaults); the file is replaced only once "
                                  "complete. The output folder is checked before the port is opened."};
inline constexpr Text writeSummary{
    "先把对讲机读入文件旁的备份（名称带日期和时间，已有的文件不会被覆盖），然后只写入与文件不同的行（与写入窗口一样先放入 5-tone 常数表），再读回这些行校验。"
    "--full 写入全部 784 行并读回整机校验。中断（Ctrl+C）时在当前数据包后停止，并列出恢复备份的命令。",
    "Reads the radio into a backup file beside FILE (named with date and time, never over an existing file), then writes only the rows that differ from "
    "FILE (with the 5-tone tables laid in, as the write dialog does) and reads back just those rows to compare. --full sends all 784 rows and reads the "
    "whole radio back. Interrupted (Ctrl+C), it stops after the packet in flight and prints the command that restores the backup."};
inline constexpr Text verifySummary{"读取对讲机并检查它是否保存着此文件（5-tone 表的行与文件或常数表相同即可）；列出不同的区域和行。",
                                    "Reads the radio and checks that it holds FILE (the 5-tone table rows may equal the file or the constant tables); names "
                                    "the regions and rows that differ."};
inline constexpr Text showSummary{"以文字列出数据文件：信道、FM 预置、两个 VFO 和主要选项。", "Prints a data file as text: channels, FM presets, both VFOs and the main options."};
inline constexpr Text exportCsvSummary{"把数据文件的信道写成 CSV（不带 -o 时输出到标准输出）。", "Writes the channels of a data file as CSV (to stdout without -o)."};
inline constexpr Text importCsvSummary{
    "把 CSV 的信道放入数据文件的副本，其他行不变。按列名识别各列（任意顺序、任意大小写），只需要 Location 和 Frequency；"
    "可读列：Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,Skip,Power。"
    "先检查每一行，有错误时不写入任何文件，除非使用 --fit。详见 README 的“Channel lists (CSV)”一节。",
    "Puts the channels of a CSV into a copy of a data file, every other row unchanged. Columns are found by name (any order, any case); only Location and "
    "Frequency are needed. Columns read: Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,Skip,Power. Every line is checked first; with any bad line nothing is written unless --fit is given. See the README, section \"Channel lists "
    "(CSV)\"."};

// The text configuration.
inline constexpr Text confFailed{"配置文件 %1 有错误，未写入任何文件：", "The configuration %1 has errors; nothing was written:"};
inline constexpr Text confLine{"  第 %1 行第 %2 列：%3", "  line %1, column %2: %3"};
inline constexpr Text needsOutputFor{"%1 需要 -o OUT.dat", "%1 needs -o OUT.dat"};
inline constexpr Text exportConfSummary{"把数据文件的全部命名设置写成 YAML 文本配置（不带 -o 时输出到标准输出）。包括各编辑窗口的全部设置。",
                                        "Writes every named setting of a data file as a YAML text configuration (to stdout without -o). It covers "
                                        "every editor's settings."};
inline constexpr Text applyConfSummary{"把配置文件中写明的设置放入数据文件的副本，其他字节不变；每个有错误的值都带行号和列号列出，有错误时不写入。",
                                       "Sets exactly the settings CONF names on a copy of BASE, every other byte unchanged; every bad value is listed with "
                                       "its line and column, and with any nothing is written."};
inline constexpr Text diffSummary{"按名称列出两个数据文件（或数据文件与在其上应用的配置）不同的设置，其余不同的字节按行列出；相同时退出码 0，不同时 1。",
                                  "Lists the settings that differ between two data files (or a data file and a configuration applied to it) by name, "
                                  "then any other differing bytes as raw rows; exit 0 when equal, 1 when different."};

inline constexpr Text confReferenceSummary{"以 Markdown 列出配置文件的每个键及其取值（README 中的参考即此输出）。",
                                           "Prints every key of the configuration with the values it takes, as Markdown (the README's reference is this text)."};

// show.
namespace show {
inline constexpr Text channels{"信道", "Channels"};
inline constexpr Text number{"序号", "No."};
inline constexpr Text rxMhz{"接收 MHz", "RX MHz"};
inline constexpr Text txMhz{"发射 MHz", "TX MHz"};
inline constexpr Text decode{"接收亚音", "Decode"};
inline constexpr Text encode{"发射亚音", "Encode"};
inline constexpr Text power{"功率", "Power"};
inline constexpr Text name{"名称", "Name"};
inline constexpr Text inUse{"（使用中 %1 个，共 %2 个信道）", "(%1 of %2 channels in use)"};
inline constexpr Text fmPresets{"FM 预置", "FM presets"};
inline constexpr Text vfos{"VFO", "VFOs"};
inline constexpr Text vfoLine{"%1  %2 MHz (%3)  频差 %4 %5  步进 %6  接收亚音 %7  发射亚音 %8  %9 %10  信令码 %11  %12",
                              "%1  %2 MHz (%3)  offset %4 %5  step %6  RX tone %7  TX tone %8  %9 %10  signal code %11  %12"};
inline constexpr Text options{"可选参数", "Options"};
inline constexpr Text on{"开", "on"};
inline constexpr Text off{"关", "off"};
}  // namespace show

}  // namespace vx::cli_text
