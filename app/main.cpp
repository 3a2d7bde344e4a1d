#include "app/mdimain.h"
#include "app/startup.h"
#include "app/windows.h"
#include "ui/prompt_box.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vx::MessageBoxPrompts prompts;
    vx::setPromptService(&prompts);
    vx::registerWindows();

    vx::MDImain window;
    vx::runStartup(window);
    const int rc = app.exec();
    vx::setPromptService(nullptr);
    return rc;
}
