// Times each editor window: opening it (construction, first show and first
// refresh, offscreen) and refreshing it from the image. The image holds what
// start-up lays down. Aims: open < 50 ms, refresh < 5 ms.
#include "image/radio_document.h"
#include "app/mdimain.h"
#include "app/startup.h"
#include "app/windows.h"
#include "editors/frame/region_editor.h"
#include "ui/shell.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const char* const kEditors[] = {"frm_chann", "frm_option", "frm_dtmf", "frm_2tone", "frm_5tone", "frm_FM", "frm_Adj_Txp"};

// Median of `runs` timings of f, in milliseconds.
double medianMs(int runs, const std::function<void()>& f)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void closeAndDelete(const QString& name)
{
    vx::shell::closeWindow(name);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // No prompt service: a port message from the start-up is dropped.
    vx::RadioDocument radio;
    vx::registerWindows(radio);
    vx::MDImain main(radio);
    vx::runStartup(main);
    vx::shell::closeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    std::printf("%-12s %12s %12s\n", "window", "open (ms)", "refresh (ms)");
    for (const char* n : kEditors) {
        const QString name = QString::fromLatin1(n);
        std::vector<double> opens;
        for (int i = 0; i < 11; ++i) {
            QElapsedTimer t;
            t.start();
            vx::shell::openWindow(name);
            QCoreApplication::processEvents();
            opens.push_back(double(t.nsecsElapsed()) / 1e6);
            closeAndDelete(name);
        }
        std::sort(opens.begin(), opens.end());
        const double open = opens[opens.size() / 2];
        auto* editor = dynamic_cast<vx::RegionEditor*>(vx::shell::openWindow(name));
        if (!editor) {
            std::printf("%-12s %12s %12s\n", n, "-", "not built");
            closeAndDelete(name);
            continue;
        }
        QCoreApplication::processEvents();
        const double refresh = medianMs(101, [&] { editor->refresh(); });
        closeAndDelete(name);
        std::printf("%-12s %12.2f %12.3f\n", n, open, refresh);
    }
    return 0;
}
