#pragma once
// Texts of the connection check, in both languages. %1.. are filled in when
// the text is made.

#include "image/language.h"

namespace vx::doctor_text {

// The steps.
inline constexpr Text steps[] = {
    {"串口设备", "Serial devices"},
    {"打开端口", "Opening the port"},
    {"对讲机应答", "The radio's answer"},
    {"对讲机识别", "Identification"},
    {"读取一个数据块", "Reading one block"},
};
inline constexpr Text passed{"通过", "ok"};
inline constexpr Text failed{"失败", "FAILED"};
inline constexpr Text notRun{"未检查", "not checked"};
inline constexpr Text stepLine{"%1. %2：%3", "%1. %2: %3"};
inline constexpr Text nextLine{"   下一步：%1", "   Next: %1"};

// What was found.
inline constexpr Text devicesFound{"找到串口设备 %1 个；COM%2 是 %3", "serial devices found: %1; COM%2 is %3"};
inline constexpr Text opened{"已打开 %1", "%1 opened"};
inline constexpr Text answered{"收到 %1 字节的识别应答", "a %1-byte identity reply"};
inline constexpr Text identityFacts{"型号 %1，固件 %2，序列号 %3，频段 A %4-%5 MHz，频段 B %6-%7 MHz",
                                    "model %1, firmware %2, serial number %3, band A %4-%5 MHz, band B %6-%7 MHz"};
inline constexpr Text readFacts{"用时 %1 ms（线路下限 %2 ms）", "took %1 ms (the wire allows %2 ms)"};
inline constexpr Text receivedBytes{"收到 %1 字节：%2", "%1 bytes came back: %2"};

// Why a step failed.
inline constexpr Text causes[] = {
    {"", ""},
    {"系统中没有任何串口设备", "the system has no serial device at all"},
    {"所选端口的设备不存在", "the chosen port's device is not there"},
    {"没有打开此设备的权限", "this user may not open the device"},
    {"设备正被其他程序使用", "another program is using the device"},
    {"设备无法打开", "the device would not open"},
    {"没有任何应答", "nothing came back"},
    {"只收到了发出的字节（回声）", "only what was sent came back (an echo)"},
    {"收到的不是对讲机的应答", "what came back is not the radio's answer"},
    {"收到大量不停的字节", "bytes keep coming without end"},
    {"只收到应答的开头", "only the start of the answer came back"},
    {"检查期间设备消失了", "the device went away during the check"},
    {"已识别，但数据块没有读到", "identified, but the block did not come"},
    {"检查超时：端口不收发字节", "the check ran out of time: the port does not pass bytes"},
};

// What to do next.
inline constexpr Text actions[] = {
    {"", ""},
    {"插上写频线；USB 写频线会显示为 /dev/ttyUSB0 或 /dev/ttyACM0（Windows 上为 COM 端口）。",
     "plug the programming cable in; a USB cable shows up as /dev/ttyUSB0 or /dev/ttyACM0 (a COM port on Windows)."},
    {"用 vxprog-cli ports 查看写频线是哪个端口，然后在“端口设置”中选择它（或用 --port）。",
     "see which port the cable is with vxprog-cli ports, then choose it in Communication (or with --port)."},
    {"安装本软件包（其 udev 规则让当前用户可以使用常见写频线），或运行 sudo usermod -aG %1 $USER，然后注销并重新登录。",
     "install the package (its udev rule lets the logged-in user use the common cables), or run sudo usermod -aG %1 $USER, then log out and in again."},
    {"关闭正在使用此端口的程序（另一个写频软件、终端程序、调制解调器服务），然后再试。",
     "close the program using the port (another programmer, a terminal program, a modem service) and try again."},
    {"拔下写频线再插上，然后再试；仍不行时换一个 USB 口。",
     "unplug the cable and plug it in again, then try again; if that fails, try another USB socket."},
    {"检查对讲机已开机，写频线两端都已插紧，所选端口确实是写频线。",
     "check that the radio is on, that both ends of the cable are pushed fully in, and that the port is the cable's."},
    {"写频线有响应但对讲机没有：打开对讲机，并把插头完全插入对讲机的写频口。",
     "the cable answers but the radio does not: switch the radio on and push the plug fully into its programming socket."},
    {"此端口可能是别的设备，或是其他型号的对讲机；用 vxprog-cli ports 找到写频线。",
     "this port may be another device, or another kind of radio; find the cable with vxprog-cli ports."},
    {"此端口连接的设备在不停发送：它不是写频线，或对讲机处于其他模式。",
     "the device on this port sends without end: it is not the cable, or the radio is in another mode."},
    {"插头可能只插了一半：把它完全插入后再试。", "the plug may be half in: push it fully in and try again."},
    {"写频线被拔出或断开了：重新插上后再试。", "the cable was pulled out or dropped: plug it in again and try again."},
    {"再试一次；仍失败时把检查记录附在问题报告中。", "try again; if it fails again, attach the check's trace to a bug report."},
    {"拔下写频线再插上；仍不行时换一根写频线。", "unplug the cable and plug it in again; if that fails, try another cable."},
};

inline constexpr Text allPassed{"全部检查通过：对讲机在 COM%1 上应答。", "All checks passed: the radio answers on COM%1."};
inline constexpr Text stoppedAt{"在第 %1 步（%2）停止：%3", "Stopped at step %1 (%2): %3"};

}  // namespace vx::doctor_text
