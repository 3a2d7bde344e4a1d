#include "app/main_texts.h"
#include "app/mdimain.h"
#include "app/startup.h"
#include "app/windows.h"
#include "image/radio_document.h"
#include "image/version.h"
#include "ui/prompt_box.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // --version and --help answer on the terminal before any window system is
    // needed; every other argument is left to Qt as before.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::printf("vxprog %s\n", vx::kProgramVersion);
            return 0;
        }
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(vx::main_texts::kUsage.str().toUtf8().constData(), stdout);
            return 0;
        }
    }

    QApplication app(argc, argv);
    vx::MessageBoxPrompts prompts;
    vx::setPromptService(&prompts);
    // The one radio the window program works on.
    vx::RadioDocument radio;
    vx::registerWindows(radio);

    vx::MDImain window(radio);
    vx::runStartup(window);
    const int rc = app.exec();
    vx::setPromptService(nullptr);
    return rc;
}
