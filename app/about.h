#pragma once
// The about box (frmAbout): four texts in the current language, the program's
// version, and a button that starts the operating system's system-information
// program.

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

namespace vx {

// The language-dependent about texts, rebuilt at start-up, on every language
// change and whenever the about box opens.
struct AboutTexts {
    QString product;
    QString rights;
    QString designer;
    QString warning;
    QString version;  // "Version 15.8.25"
};
void rebuildAboutTexts();
const AboutTexts& aboutTexts();

// The system-information program of the operating system; empty where there
// is none.
QString systemInfoProgram();

class AboutBox final : public QWidget {
public:
    explicit AboutBox(QWidget* parent = nullptr);

private:
    void startSystemInfo();

    QLabel* lblProduct_;
    QLabel* lblVersion_;
    QLabel* lblRights_;
    QLabel* lblDesigner_;
    QLabel* lblWarning_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
};

}  // namespace vx
