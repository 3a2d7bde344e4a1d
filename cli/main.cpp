// vxprog-cli: the command-line programmer. The same core as the window
// program: the data file, the codecs, the transfer engine and the whole-radio
// plans; no widgets.
#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "image/language.h"
#include "image/version.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

// "--lang zh" or "--lang=zh" anywhere: Chinese from the first message on.
void pickLanguage(const QStringList& args)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--lang=zh") || (args[i] == QLatin1String("--lang") && i + 1 < args.size() && args[i + 1] == QLatin1String("zh")))
            vx::setChinese(true);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vxprog-cli"));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(vx::kProgramVersion));
    QStringList args = QCoreApplication::arguments();
    pickLanguage(args);
    const QString usage = vx::cli_text::mainUsage.str();
    const QString first = args.value(1);
    if (args.size() < 2) {
        std::fputs(qPrintable(usage), stderr);
        return vx::cli::kExitUsage;
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v") || first == QLatin1String("version")) {
        std::printf("vxprog-cli %s\n", vx::kProgramVersion);
        return 0;
    }
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        // "help COMMAND" is that command's --help.
        const QString command = args.value(2);
        if (first == QLatin1String("help") && !command.isEmpty() && !command.startsWith(QLatin1Char('-')))
            return vx::cli::runCommand(command, {args[0], QStringLiteral("--help")}, usage);
        std::fputs(usage.toUtf8().constData(), stdout);
        return 0;
    }
    args.removeAt(1);
    return vx::cli::runCommand(first, args, usage);
}
