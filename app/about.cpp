#include "app/about.h"

#include "app/about_texts.h"
#include "image/version.h"
#include "ui/prompt.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace vx {

namespace {
AboutTexts gTexts;
}

void rebuildAboutTexts()
{
    using namespace about_texts;
    gTexts = {kProduct.str(), kRights.str(), kDesigner.str(), kWarning.str(),
              kVersionWord.str() + QString::fromUtf8(kProgramVersion)};
}

const AboutTexts& aboutTexts() { return gTexts; }

QString systemInfoProgram()
{
#ifdef Q_OS_WIN
    const QSettings tools(QStringLiteral(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO)"),
                          QSettings::NativeFormat);
    const QString path = tools.value(QStringLiteral("PATH")).toString();
    if (!path.isEmpty())
        return path;
    const QSettings location(QStringLiteral(R"(HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools Location)"),
                             QSettings::NativeFormat);
    const QString folder = location.value(QStringLiteral("MSINFO")).toString();
    if (!folder.isEmpty()) {
        const QString file = QDir(folder).filePath(QStringLiteral("MSINFO32.EXE"));
        if (QFileInfo::exists(file))
            return file;
    }
#endif
    return {};
}

AboutBox::AboutBox(QWidget* parent)
    : QWidget(parent),
      lblProduct_(new QLabel(this)),
      lblVersion_(new QLabel(this)),
      lblRights_(new QLabel(this)),
      lblDesigner_(new QLabel(this)),
      lblWarning_(new QLabel(this)),
      cmdOK_(new QPushButton(this)),
      cmdSysInfo_(new QPushButton(this))
{
    using namespace about_texts;
    setObjectName(window::kAbout);
    lblProduct_->setObjectName(QStringLiteral("lblProduct"));
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    lblRights_->setObjectName(QStringLiteral("lblRights"));
    lblDesigner_->setObjectName(QStringLiteral("lblDesigner"));
    lblWarning_->setObjectName(QStringLiteral("lblWarning"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));

    rebuildAboutTexts();
    const AboutTexts& t = aboutTexts();
    setWindowTitle(kCaption.str());
    lblProduct_->setText(t.product);
    lblVersion_->setText(t.version);
    lblRights_->setText(t.rights);
    lblDesigner_->setText(t.designer);
    lblWarning_->setText(t.warning);
    cmdOK_->setText(kConfirm.str());
    cmdSysInfo_->setText(kSystemInfo.str());

    QFont bold = lblProduct_->font();
    bold.setBold(true);
    lblProduct_->setFont(bold);
    for (QLabel* l : {lblProduct_, lblRights_, lblDesigner_, lblWarning_})
        l->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblProduct_);
    layout->addWidget(lblVersion_);
    layout->addWidget(lblRights_);
    layout->addWidget(lblDesigner_);
    layout->addStretch();
    layout->addWidget(lblWarning_);
    layout->addLayout(buttons);
    resize(420, 260);

    connect(cmdOK_, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &AboutBox::startSystemInfo);
    shell::centreChild(this, kRaiseTwips);
}

void AboutBox::startSystemInfo()
{
    const QString program = systemInfoProgram();
    if (program.isEmpty() || !QProcess::startDetached(program, {}))
        prompt(QString(), PromptIcon::None, QString::fromUtf8(about_texts::kNoSystemInfo));
}

}  // namespace vx
