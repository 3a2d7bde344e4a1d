#include "ui/prompt_box.h"

#include <QApplication>
#include <QMessageBox>

namespace vx {

void MessageBoxPrompts::show(const PromptRecord& p)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (p.icon) {
    case PromptIcon::Warning: icon = QMessageBox::Warning; break;
    case PromptIcon::Information: icon = QMessageBox::Information; break;
    case PromptIcon::None: break;
    }
    QMessageBox box(icon, p.title, p.text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

}  // namespace vx
