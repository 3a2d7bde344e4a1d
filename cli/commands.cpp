// The command line of vxprog-cli: the options and their help in both
// languages, parsing, and the table that runs each command.
#include "cli/commands.h"

#include "cli/cli_texts.h"
#include "cli/doctor_command_texts.h"
#include "cli/fleet_command_texts.h"
#include "cli/command_kit.h"
#include "image/language.h"
#include "link/portmap.h"

#include <QCommandLineParser>

#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

namespace vx::cli {

namespace T = cli_text;

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

QElapsedTimer& clock()
{
    static QElapsedTimer c;
    if (!c.isValid())
        c.start();
    return c;
}

QString arg1(const Text& t, const QString& a) { return t.str().arg(a); }

namespace {

// The options and arguments of one command.
struct Spec {
    const char* name;
    Text summary;
    QStringList positional;  // names, in order
    bool radio = false;      // --port, --trace
    QList<QCommandLineOption> options;  // its own
};

// Every option's description in both languages, by its long name; the help
// text shows the one of the language in force.
std::map<QString, Text>& optionTexts()
{
    static std::map<QString, Text> texts;
    return texts;
}

QCommandLineOption makeOption(const QStringList& names, const Text& text, const QString& valueName = {}, const QString& fallback = {})
{
    optionTexts().emplace(names.last(), text);
    return QCommandLineOption(names, QString::fromUtf8(text.en), valueName, fallback);
}

const QCommandLineOption kHelp = makeOption({QStringLiteral("h"), QStringLiteral("help")}, T::helpOption);
const QCommandLineOption kLang = makeOption({QStringLiteral("lang")}, T::langDescription, QStringLiteral("en|zh"), QStringLiteral("en"));

}  // namespace

const QCommandLineOption kPort = makeOption({QStringLiteral("port")}, T::portDescription, QStringLiteral("N"));
const QCommandLineOption kTrace = makeOption({QStringLiteral("trace")}, T::traceDescription);
const QCommandLineOption kJson = makeOption({QStringLiteral("json")}, T::jsonDescription);
const QCommandLineOption kNoBackup = makeOption({QStringLiteral("no-backup")}, T::noBackupDescription);
const QCommandLineOption kNoVerify = makeOption({QStringLiteral("no-verify")}, T::noVerifyDescription);
const QCommandLineOption kOutput = makeOption({QStringLiteral("o"), QStringLiteral("output")}, T::outputDescription, QStringLiteral("FILE"));
const QCommandLineOption kFull = makeOption({QStringLiteral("full")}, T::fullDescription);
const QCommandLineOption kSince = makeOption({QStringLiteral("since")}, T::sinceDescription, QStringLiteral("BASE.dat"));
const QCommandLineOption kDryRun = makeOption({QStringLiteral("dry-run")}, T::dryRunDescription);
const QCommandLineOption kFit = makeOption({QStringLiteral("fit")}, T::fitDescription);
const QCommandLineOption kRenumber = makeOption({QStringLiteral("renumber")}, T::renumberDescription);
const QCommandLineOption kLimits = makeOption({QStringLiteral("limits")}, T::limitsDescription, QStringLiteral("A,B,C,D"));
const QCommandLineOption kTraceFile = makeOption({QStringLiteral("trace-file")}, doctor_command_text::traceFileOption, QStringLiteral("FILE"));

namespace {

// The help of one command, in the language in force.
QString helpText(const Spec& spec, const QList<QCommandLineOption>& options)
{
    QString usage = QStringLiteral("vxprog-cli %1 %2").arg(QLatin1String(spec.name), T::optionsPlaceholder.str());
    for (const QString& name : spec.positional)
        usage += QLatin1Char(' ') + name;
    QString out = T::usage.str() + usage + QStringLiteral("\n\n") + spec.summary.str() + QStringLiteral("\n\n") + T::optionsHeading.str() + QLatin1Char('\n');
    for (const QCommandLineOption& o : options) {
        QStringList names;
        for (const QString& n : o.names())
            names << (n.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + n;
        QString left = names.join(QStringLiteral(", "));
        if (!o.valueName().isEmpty())
            left += QStringLiteral(" <%1>").arg(o.valueName());
        const auto it = optionTexts().find(o.names().last());
        out += QStringLiteral("  %1  %2\n").arg(left, -24).arg(it != optionTexts().end() ? it->second.str() : o.description());
    }
    return out;
}

// --port, when given, names COM1..COM12.
bool portOptionValid(const QCommandLineParser& p)
{
    if (!p.isSet(kPort))
        return true;
    bool ok = false;
    const int n = p.value(kPort).toInt(&ok);
    if (ok && n >= kFirstPort && n <= kLastPort)
        return true;
    err() << T::portOption.str() << Qt::endl;
    return false;
}

// Parses the command's arguments; nullopt (after a message) on a usage error.
std::optional<QStringList> parse(QCommandLineParser& p, const Spec& spec, const QStringList& args)
{
    QList<QCommandLineOption> options{kHelp, kLang};
    if (spec.radio)
        options << kPort << kTrace;
    p.addOptions(options);
    options += spec.options;
    p.addOptions(spec.options);
    for (const QString& name : spec.positional)
        p.addPositionalArgument(name, name);
    if (!p.parse(args)) {
        const QStringList unknown = p.unknownOptionNames();
        err() << (unknown.isEmpty() ? T::badOption.str().arg(p.errorText()) : T::unknownOption.str().arg(unknown.join(QStringLiteral(", "))))
              << Qt::endl;
        return std::nullopt;
    }
    if (p.isSet(kHelp)) {
        out() << helpText(spec, options);
        out().flush();
        std::exit(kExitOk);
    }
    const QString lang = p.value(kLang);
    if (lang != QLatin1String("en") && lang != QLatin1String("zh")) {
        err() << T::langOption.str() << Qt::endl;
        return std::nullopt;
    }
    setChinese(lang == QLatin1String("zh"));
    const QStringList positional = p.positionalArguments();
    if (positional.size() != spec.positional.size()) {
        err() << T::argumentCount.str().arg(QLatin1String(spec.name)).arg(spec.positional.size()).arg(spec.positional.join(' ')) << Qt::endl;
        return std::nullopt;
    }
    if (spec.radio && !portOptionValid(p))
        return std::nullopt;
    return positional;
}

struct Command {
    Spec spec;
    CommandFn run;
};

const std::vector<Command>& commands()
{
    static const QStringList file{QStringLiteral("FILE.dat")};
    static const std::vector<Command> all{
        {{"ports", T::portsSummary, {}, false, {kJson}}, portsCommand},
        {{"identify", T::identifySummary, {}, true, {kJson}}, identifyCommand},
        {{"read", T::readSummary, file, true, {}}, readCommand},
        {{"write", T::writeSummary, file, true, {kNoBackup, kNoVerify, kFull, kDryRun, kSince}}, writeCommand},
        {{"verify", T::verifySummary, file, true, {}}, verifyCommand},
        {{"doctor", doctor_command_text::summary, {}, true, {kTraceFile}}, doctorCommand},
        {{"fleet", fleet_command_text::summary, {QStringLiteral("FLEET.yaml")}, false, {kDryRun}}, fleetCommand},
        {{"show", T::showSummary, file, false, {}}, showCommand},
        {{"export-csv", T::exportCsvSummary, file, false, {kOutput}}, exportCsvCommand},
        {{"export-conf", T::exportConfSummary, file, false, {kOutput}}, exportConfCommand},
        {{"apply-conf", T::applyConfSummary, {QStringLiteral("BASE.dat"), QStringLiteral("CONF.yaml")}, false, {kOutput, kLimits}}, applyConfCommand},
        {{"diff", T::diffSummary, {QStringLiteral("A.dat"), QStringLiteral("B.dat|CONF.yaml")}, false, {kLimits}}, diffCommand},
        {{"conf-reference", T::confReferenceSummary, {}, false, {}}, confReferenceCommand},
        {{"import-csv", T::importCsvSummary, {QStringLiteral("FILE.dat"), QStringLiteral("IN.csv")}, false, {kOutput, kFit, kRenumber, kLimits}},
         importCsvCommand},
    };
    return all;
}

}  // namespace

int runCommand(const QString& command, const QStringList& args, const QString& usage)
{
    clock();
    for (const Command& c : commands()) {
        if (command != QLatin1String(c.spec.name))
            continue;
        QCommandLineParser p;
        const auto positional = parse(p, c.spec, args);
        if (!positional)
            return kExitUsage;
        return c.run(p, *positional);
    }
    err() << T::unknownCommand.str().arg(command) << Qt::endl << Qt::endl << usage;
    return kExitUsage;
}

}  // namespace vx::cli
