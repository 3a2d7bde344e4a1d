#pragma once
// Texts of the channel CSV import and export: why a line is refused or
// skipped, what fit mode changed, and the words of the report. %1.. are
// filled in when the text is made, in the language in force then.

#include "image/language.h"

namespace vx::channels::csv_text {

// Whole file.
inline constexpr Text empty{"文件是空的", "the file is empty"};
inline constexpr Text noChannels{"文件中没有信道行：未导入任何信道，也未清除任何信道",
                                 "the file holds no channel lines: nothing was imported and no channel was cleared"};
inline constexpr Text noneImportable{"没有可以导入的行：信道未作任何改动", "no line can be imported: no channel was changed"};
inline constexpr Text missingColumn{"标题行没有 %1 列", "the header has no %1 column"};
inline constexpr Text duplicateColumn{"标题行中 %1 列出现了两次（第 %2 和第 %3 列）",
                                      "the column %1 appears twice in the header (columns %2 and %3)"};
inline constexpr Text unknownColumn{"不认识的列 \"%1\"，已忽略", "the column \"%1\" is not one this program knows; it is ignored"};
inline constexpr Text tooLong{"该行长 %1 字节，最多读取 %2 字节", "the line is %1 bytes long; at most %2 are read"};
inline constexpr Text binary{"该行含有不是文本的字节", "the line holds bytes that are not text"};
inline constexpr Text unclosed{"引号内的字段没有结束", "a quoted field is not closed"};
inline constexpr Text quotedTooLong{"引号内的字段超过 %1 字节仍未结束", "a quoted field runs on past %1 bytes without being closed"};
inline constexpr Text extraFields{"该行有 %1 个非空字段，标题行只有 %2 列", "the line has %1 fields that are not empty, the header %2 columns"};
inline constexpr Text duplicateLocation{"信道号 %1 出现了两次（第一次在第 %2 行）", "Location %1 is given twice (first on line %2)"};
inline constexpr Text tooManyLines{"已有 200 个信道，此行放不下", "the radio's 200 channels are taken; this line has no place"};

// One value.
inline constexpr Text pastLastChannel{"粘贴超出了最后一个信道（%1）", "the paste runs past the last channel (%1)"};
inline constexpr Text location{"Location \"%1\" 不是 0-199 的信道号", "Location \"%1\" is not a channel number 0-199"};
inline constexpr Text notFrequency{"%1 \"%2\" 不是以 MHz 为单位的频率", "%1 \"%2\" is not a frequency in MHz"};
inline constexpr Text outsideLimits{"%1 %2 MHz 超出频段范围（%3-%4 与 %5-%6 MHz）",
                                    "%1 %2 MHz is outside the band limits (%3-%4 and %5-%6 MHz)"};
inline constexpr Text offRaster{"%1 %2 MHz 不在 2.5 kHz 或 6.25 kHz 步进上", "%1 %2 MHz is on neither the 2.5 kHz nor the 6.25 kHz raster"};
inline constexpr Text receiveWhat{"Frequency", "Frequency"};
inline constexpr Text transmitWhat{"发射频率", "Transmit frequency"};
inline constexpr Text duplex{"Duplex \"%1\" 不是空、+、-、split 或 off", "Duplex \"%1\" is not empty, +, -, split or off"};
inline constexpr Text toneMode{"Tone \"%1\" 不是空、Tone、TSQL、DTCS 或 Cross", "Tone \"%1\" is not empty, Tone, TSQL, DTCS or Cross"};
inline constexpr Text crossMode{"CrossMode \"%1\" 不是 Tone->Tone、Tone->DTCS、DTCS->Tone、->Tone、->DTCS、DTCS->、DTCS->DTCS 或 Tone->",
                                "CrossMode \"%1\" is not Tone->Tone, Tone->DTCS, DTCS->Tone, ->Tone, ->DTCS, DTCS->, DTCS->DTCS or Tone->"};
inline constexpr Text ctcss{"%1 \"%2\" 不是 60.0 至 259.9 Hz 的 CTCSS 亚音", "%1 \"%2\" is not a CTCSS tone of 60.0 to 259.9 Hz"};
inline constexpr Text dcs{"%1 \"%2\" 不是亚音表中的 DCS 码", "%1 \"%2\" is not a DCS code of the tone list"};
inline constexpr Text polarity{"DtcsPolarity \"%1\" 不是 NN、NR、RN 或 RR", "DtcsPolarity \"%1\" is not NN, NR, RN or RR"};
inline constexpr Text noTransmitTone{"不发射的信道不能发送亚音", "a channel that does not transmit cannot send a tone"};
inline constexpr Text mode{"Mode \"%1\" 不是 FM 或 NFM", "Mode \"%1\" is not FM or NFM"};
inline constexpr Text skip{"Skip \"%1\" 不是空或 S", "Skip \"%1\" is not empty or S"};
inline constexpr Text power{"Power \"%1\" 不是 High、Low 或功率瓦数", "Power \"%1\" is not High, Low or a wattage"};
inline constexpr Text nameLong{"Name \"%1\" 超过六个字符", "Name \"%1\" is longer than six characters"};
inline constexpr Text nameCharacter{"Name \"%1\" 含有字母和数字以外的字符", "Name \"%1\" holds a character other than a letter or a digit"};
inline constexpr Text nameBytes{"Name 含有不是 UTF-8 的字节", "Name holds bytes that are not UTF-8"};

// What fit mode (or --renumber) changed.
inline constexpr Text nameStored{"名称 \"%1\" 存为 \"%2\"", "Name \"%1\" stored as \"%2\""};
inline constexpr Text nameMadeUnique{"名称 \"%1\" 存为 \"%2\"：截成六个字符后与第 %3 行的名称相同",
                                     "Name \"%1\" stored as \"%2\": cut to six characters it equalled the name of line %3"};
inline constexpr Text nameBytesDropped{"名称中不是 UTF-8 的字节已删除", "bytes of the name that are not UTF-8 dropped"};
inline constexpr Text transmitToneDropped{"信道不发射，发射亚音已删除", "the tone sent is dropped: the channel does not transmit"};
inline constexpr Text powerRead{"Power \"%1\" 按低功率导入", "Power \"%1\" read as Low"};
inline constexpr Text priorityRead{"Skip \"%1\"（优先扫描）按参加扫描导入", "Skip \"%1\" (priority scan) read as scanned"};
inline constexpr Text placed{"Location %1 放入信道 %2", "Location %1 placed in channel %2"};

// The file as a whole, before it is read.
inline constexpr Text fileUnreadable{"文件不存在或无法读取", "the file is missing or cannot be read"};
inline constexpr Text fileTooLarge{"文件大小为 %1，信道列表最大为 %2：未读取", "the file is %1; a channel list is at most %2: it was not read"};
inline constexpr Text fileSize{"%1 MB（%2 字节）", "%1 MB (%2 bytes)"};

// The report.
inline constexpr Text lineRefused{"第 %1 行：%2", "line %1: %2"};
inline constexpr Text lineSkipped{"第 %1 行：已跳过：%2", "line %1: skipped: %2"};
inline constexpr Text lineAdapted{"第 %1 行：已调整：%2", "line %1: adapted: %2"};
inline constexpr Text lineNote{"第 %1 行：%2", "line %1: %2"};
inline constexpr Text moreProblems{"另有 %1 个问题", "and %1 more problems"};
inline constexpr Text oneMoreProblem{"另有 1 个问题", "and 1 more problem"};
inline constexpr Text stoppedAfter{"第 %1 行之后未再读取：文件其余部分不会改变结果", "not read after line %1: the rest of the file cannot change the outcome"};
inline constexpr Text fitWould{"使用 --fit 时会导入 %1 个信道：名称被调整，对讲机无法存放的行被跳过。",
                               "With --fit, %1 channels would be imported: names adapted, and the lines the radio cannot hold skipped."};
inline constexpr Text renumberWould{"使用 --renumber 时，0-199 以外的信道号会放入空闲信道。",
                                    "With --renumber, locations outside 0-199 are placed in free channels."};

// Export.
inline constexpr Text notExpressible{"信道 %1 无法写成可原样读回的 CSV 行", "channel %1 cannot be written as a CSV line that reads back the same"};

}  // namespace vx::channels::csv_text
