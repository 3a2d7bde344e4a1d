// Start-up figures: time from process start to the main window shown
// (offscreen unless a platform is chosen), and resident memory after
// start-up. Serial ports are replaced by one that never opens, so the
// figures do not depend on the devices of the machine.

#include "image/radio_document.h"
#include "app/mdimain.h"
#include "app/startup.h"
#include "app/windows.h"
#include "link/port.h"
#include "ui/prompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process (clock-tick
// resolution), or -1 where /proc is not available.
double processAgeMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which is in parentheses: state is
    // field 3, start time field 22.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startMs = fields[19].toDouble() * 1000.0 / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6 - startMs;
}

// Resident memory in kB, or -1.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // /proc files report no size: read them whole.
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

class NoPort final : public vx::SerialPort {
public:
    bool open(int) override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    int bytesWaiting() const override { return 0; }
    QByteArray read(int) override { return {}; }
    void clearInput() override {}
    void writeByte(uint8_t) override {}
};

class SilentPrompts final : public vx::PromptService {
public:
    void show(const vx::PromptRecord&) override {}
};

}  // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    const double ageAtMain = processAgeMs();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    SilentPrompts prompts;
    vx::setPromptService(&prompts);
    vx::setSerialPortFactory([] { return std::make_unique<NoPort>(); });
    vx::RadioDocument radio;
    vx::registerWindows(radio);

    vx::MDImain window(radio);
    double ageAtShown = -1;
    qint64 mainToShown = -1;
    vx::runStartup(window, [&](const QString& step) {
        if (step == QLatin1String("advice")) {  // the step right after the window is shown
            ageAtShown = processAgeMs();
            mainToShown = sinceMain.elapsed();
        }
    });
    QCoreApplication::processEvents();  // first paint
    const qint64 mainToReady = sinceMain.elapsed();
    const double ageAtReady = processAgeMs();
    const long rss = residentKb();

    std::printf("process start -> main():                 %8.1f ms (clock ticks)\n", ageAtMain);
    std::printf("process start -> main window shown:      %8.1f ms (clock ticks)\n", ageAtShown);
    std::printf("process start -> start-up done, painted: %8.1f ms (clock ticks)\n", ageAtReady);
    std::printf("main() -> main window shown:             %8lld ms\n", static_cast<long long>(mainToShown));
    std::printf("main() -> start-up done, painted:        %8lld ms\n", static_cast<long long>(mainToReady));
    std::printf("resident memory after start-up:          %8.1f MB\n", rss >= 0 ? double(rss) / 1024.0 : -1.0);

    vx::setPromptService(nullptr);
    return 0;
}
