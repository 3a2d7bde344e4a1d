#include "cli/commands.h"

#include "cli/cli_texts.h"
#include "cli/interrupt.h"
#include "cli/progress.h"
#include "cli/programmer.h"
#include "cli/trace_port.h"
#include "editors/channels/channel_csv.h"
#include "editors/channels/channel_csv_texts.h"
#include "editors/channels/datafile.h"
#include "editors/config/config.h"
#include "editors/defaults.h"
#include "image/language.h"
#include "image/tables.h"
#include "link/identification.h"
#include "link/port.h"
#include "link/portmap.h"
#include "link/qt_link.h"
#include "link/transfer_texts.h"
#include "link/whole_radio.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace vx::cli {

namespace T = cli_text;
namespace common = transfer_text;

namespace {

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
const QCommandLineOption kPort = makeOption({QStringLiteral("port")}, T::portDescription, QStringLiteral("N"));
const QCommandLineOption kTrace = makeOption({QStringLiteral("trace")}, T::traceDescription);
const QCommandLineOption kLang = makeOption({QStringLiteral("lang")}, T::langDescription, QStringLiteral("en|zh"), QStringLiteral("en"));
const QCommandLineOption kJson = makeOption({QStringLiteral("json")}, T::jsonDescription);
const QCommandLineOption kNoBackup = makeOption({QStringLiteral("no-backup")}, T::noBackupDescription);
const QCommandLineOption kNoVerify = makeOption({QStringLiteral("no-verify")}, T::noVerifyDescription);
const QCommandLineOption kOutput = makeOption({QStringLiteral("o"), QStringLiteral("output")}, T::outputDescription, QStringLiteral("FILE"));
const QCommandLineOption kFull = makeOption({QStringLiteral("full")}, T::fullDescription);
const QCommandLineOption kDryRun = makeOption({QStringLiteral("dry-run")}, T::dryRunDescription);
const QCommandLineOption kFit = makeOption({QStringLiteral("fit")}, T::fitDescription);
const QCommandLineOption kRenumber = makeOption({QStringLiteral("renumber")}, T::renumberDescription);
const QCommandLineOption kLimits = makeOption({QStringLiteral("limits")}, T::limitsDescription, QStringLiteral("A,B,C,D"));

// The help of one command, in the language in force.
QString helpText(const Spec& spec, const QList<QCommandLineOption>& options)
{
    QString usage = QStringLiteral("vxprog-cli %1 [options]").arg(QLatin1String(spec.name));
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

// Sets up the port for a radio command: tracing, and the port number given
// or found by trying COM8 down to COM1. Exit code on failure.
int preparePort(const QCommandLineParser& p)
{
    catchInterrupts();
    if (p.isSet(kTrace))
        setSerialPortFactory([] {
            return std::make_unique<TracePort>(std::make_unique<QtSerialPort>(), err(), clock());
        });
    if (p.isSet(kPort)) {
        setPortNumber(p.value(kPort).toInt());  // checked when the options were read
    } else {
        probePorts();
        if (portFailure()) {
            err() << T::noPort.str() << Qt::endl;
            return kExitPort;
        }
    }
    err() << T::portOpened.str().arg(portNumber()).arg(deviceForPort(portNumber())) << Qt::endl;
    return kExitOk;
}

int failureExit(Failure f)
{
    if (f == Failure::Port) {
        err() << common::portOpenError.str() << Qt::endl;
        return kExitPort;
    }
    if (f == Failure::Interrupted) {
        err() << T::interrupted.str().arg(interruptSignal()) << Qt::endl;
        return kExitInterrupted;
    }
    err() << common::failed.str() << Qt::endl;
    return kExitRadio;
}

ProgressFn progressOn(Progress& bar)
{
    return [&bar](int done, int) { bar.step(done); };
}

// A whole read into a fresh image, with a progress bar.
Transfer readWhole(Image& image, const Text& what)
{
    Progress bar(err(), Progress::stderrIsTerminal(), what.str() + QLatin1Char(' ') + T::blocks.str(), kWholeReadBlocks);
    image = freshImage();
    const Transfer t = readRadio(image, progressOn(bar));
    bar.finish();
    return t;
}

bool loadFile(const QString& path, Image& image)
{
    const datafile::LoadResult r = datafile::load(path, image);
    if (r.ok())
        return true;
    const Text* reason = &T::loadUnreadable;
    switch (r.error) {
    case datafile::LoadError::None:
    case datafile::LoadError::CannotOpen: break;
    case datafile::LoadError::TooShort: reason = &T::loadTooShort; break;
    case datafile::LoadError::NotANumber: reason = &T::loadNotANumber; break;
    case datafile::LoadError::OutOfRange: reason = &T::loadOutOfRange; break;
    }
    QString text = reason->str();
    if (r.row >= 0)
        text += T::atRow.str().arg(r.row);
    err() << T::loadFailed.str().arg(path, text) << Qt::endl;
    return false;
}

// Whether a file can be made in the folder of `path`, found out before the
// radio is touched: the folder exists and takes a file.
bool folderWritable(const QString& path)
{
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    if (!folder.exists()) {
        err() << T::saveFailed.str().arg(path, T::folderMissing.str().arg(QDir::toNativeSeparators(folder.path()))) << Qt::endl;
        return false;
    }
    QTemporaryFile probe(folder.filePath(QStringLiteral(".vxprog-XXXXXX")));
    if (info.isDir() || !probe.open()) {
        err() << T::saveFailed.str().arg(path, T::folderNotWritable.str().arg(QDir::toNativeSeparators(folder.path()))) << Qt::endl;
        return false;
    }
    return true;
}

bool saveFile(const Image& image, const QString& path)
{
    QString detail;
    if (datafile::save(image, path, &detail) == datafile::SaveError::None)
        return true;
    err() << T::saveFailed.str().arg(path, detail) << Qt::endl;
    return false;
}

// "N rows differ" and the regions, as verify reports a mismatch.
int reportMismatch(const std::vector<int>& rows)
{
    err() << T::mismatch.str().arg(rows.size()) << Qt::endl;
    for (const QString& line : regionLines(rows))
        err() << line << Qt::endl;
    return kExitMismatch;
}

// Reads the whole radio and compares it with `file` as a write of it leaves
// the radio (the 5-tone table rows may hold the file's or the tables').
int verifyAgainst(const Image& file)
{
    Image radio;
    const Transfer t = readWhole(radio, T::verifying);
    if (t.failure != Failure::None)
        return failureExit(t.failure);
    const std::vector<int> differ = rows_not_held(file, radio);
    if (!differ.empty())
        return reportMismatch(differ);
    out() << T::verified.str() << Qt::endl;
    return kExitOk;
}

// --- commands ----------------------------------------------------------------

int ports(const QCommandLineParser&, const QStringList&)
{
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        const QString device = deviceForPort(n);
        const bool linked = QFileInfo(portLinkPath(n)).isSymLink();
#if defined(Q_OS_WIN)
        const bool present = true;
#else
        const bool present = QFileInfo::exists(device);
#endif
        out() << QStringLiteral("COM%1  %2  %3  %4")
                     .arg(n, -2)
                     .arg(device, -24)
                     .arg(linked ? T::linked.str() : T::fromTable.str())
                     .arg(present ? T::present.str() : T::absent.str())
              << Qt::endl;
    }
    return kExitOk;
}

int identifyCommand(const QCommandLineParser& p, const QStringList&)
{
    if (const int rc = preparePort(p))
        return rc;
    const Identified id = identify();
    if (id.failure != Failure::None)
        return failureExit(id.failure);
    const IdentityInfo& i = id.info;
    if (p.isSet(kJson)) {
        QJsonObject o{{QStringLiteral("port"), portNumber()},
                      {QStringLiteral("model"), i.model.trimmed()},
                      {QStringLiteral("version"), i.version.trimmed()},
                      {QStringLiteral("serial"), i.serial.trimmed()},
                      {QStringLiteral("bandA"), QJsonObject{{QStringLiteral("low"), i.limits[0]}, {QStringLiteral("high"), i.limits[1]}}},
                      {QStringLiteral("bandB"), QJsonObject{{QStringLiteral("low"), i.limits[2]}, {QStringLiteral("high"), i.limits[3]}}}};
        out() << QJsonDocument(o).toJson(QJsonDocument::Indented);
        return kExitOk;
    }
    out() << T::model.str() << ": " << i.model.trimmed() << Qt::endl
          << T::version.str() << ": " << i.version.trimmed() << Qt::endl
          << T::serial.str() << ": " << i.serial.trimmed() << Qt::endl
          << T::bandA.str() << ": " << i.limits[0] << "-" << i.limits[1] << " MHz" << Qt::endl
          << T::bandB.str() << ": " << i.limits[2] << "-" << i.limits[3] << " MHz" << Qt::endl;
    return kExitOk;
}

int readCommand(const QCommandLineParser& p, const QStringList& a)
{
    if (!folderWritable(a[0]))
        return kExitFile;  // known before the port is touched
    if (const int rc = preparePort(p))
        return rc;
    Image image;
    const Transfer t = readWhole(image, T::reading);
    if (t.failure != Failure::None)
        return failureExit(t.failure);
    if (!saveFile(image, a[0]))
        return kExitFile;
    out() << common::readDone.str() << Qt::endl << arg1(T::saved, a[0]) << Qt::endl;
    return kExitOk;
}

// A backup file name beside the input, with date and time, never one that
// exists already.
QString backupPath(const QString& input)
{
    const QFileInfo f(input);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString base = f.absoluteDir().filePath(QStringLiteral("%1-backup-%2").arg(f.completeBaseName(), stamp));
    QString path = base + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QStringLiteral("%1-%2.dat").arg(base).arg(n);
    return path;
}

// Seconds a transfer takes at 9600 baud: a handshake, 22 bytes and a
// sender tick a row written, 75 bytes and a tick a block read.
int estimateSeconds(int rowsWritten, int blocksRead)
{
    const double s = (rowsWritten ? 0.5 : 0) + (blocksRead ? 0.5 : 0) + rowsWritten * 0.038 + blocksRead * 0.094;
    return int(std::ceil(s));
}

// The command that writes `backup` back, as the user types it.
QString restoreCommand(const QCommandLineParser& p, const QString& backup)
{
    QString path = QDir::toNativeSeparators(backup);
    if (path.contains(QLatin1Char(' ')))
        path = QLatin1Char('"') + path + QLatin1Char('"');
    QString command = QStringLiteral("vxprog-cli write --full ") + path;
    if (p.isSet(kPort))
        command += QStringLiteral(" --port ") + p.value(kPort);
    return command;
}

// What the radio holds after a write of `rows` stopped with `acknowledged`
// of them taken: the regions now new, mixed and as they were, and how to
// put the backup back.
void reportStoppedWrite(const QCommandLineParser& p, const std::vector<int>& rows, int acknowledged, const QString& backup)
{
    if (acknowledged > 0) {
        const int last = rows[size_t(acknowledged - 1)];
        err() << T::writeStopped.str().arg(last).arg(Image::addressOfRow(last), 4, 16, QLatin1Char('0')) << Qt::endl;
    } else {
        err() << T::writeStoppedNone.str() << Qt::endl;
    }
    QStringList fresh, mixed, old;
    for (const region::Named& r : region::kMap) {
        int planned = 0, sent = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] < r.rows.first || rows[i] > r.rows.last)
                continue;
            ++planned;
            sent += int(i) < acknowledged;
        }
        const QString name = QString::fromUtf8(chinese() ? r.nameZh : r.name);
        if (planned == 0)
            continue;
        (sent == planned ? fresh : sent == 0 ? old : mixed) << name;
    }
    const QString separator = chinese() ? QStringLiteral("、") : QStringLiteral(", ");
    if (!fresh.isEmpty())
        err() << T::regionsNew.str() << fresh.join(separator) << Qt::endl;
    if (!mixed.isEmpty())
        err() << T::regionsMixed.str() << mixed.join(separator) << Qt::endl;
    if (!old.isEmpty())
        err() << T::regionsOld.str() << old.join(separator) << Qt::endl;
    if (backup.isEmpty()) {
        err() << T::noBackup.str() << Qt::endl;
    } else {
        err() << T::restoreWith.str() << Qt::endl << QStringLiteral("  ") << restoreCommand(p, backup) << Qt::endl;
    }
}

int writeCommand(const QCommandLineParser& p, const QStringList& a)
{
    Image file;
    if (!loadFile(a[0], file))
        return kExitFile;  // refused before the port is touched
    const bool backupFirst = !p.isSet(kNoBackup);
    const bool full = p.isSet(kFull) || !backupFirst;  // without a backup nothing tells what changed
    const bool dryRun = p.isSet(kDryRun);
    QString backup;
    if (backupFirst && !dryRun) {
        backup = backupPath(a[0]);
        if (!folderWritable(backup))
            return kExitFile;
    }
    if (const int rc = preparePort(p))
        return rc;

    Image radio;
    if (backupFirst) {
        const Transfer t = readWhole(radio, T::reading);
        if (t.failure != Failure::None)
            return failureExit(t.failure);
    }
    if (!backup.isEmpty()) {
        Image check;
        if (!saveFile(radio, backup) || !datafile::load(backup, check).ok() || !(check == radio)) {
            err() << arg1(T::backupFailed, backup) << Qt::endl;
            return kExitFile;
        }
        out() << arg1(T::backupSaved, backup) << Qt::endl;
    }

    // Exactly what the write dialog sends: the tables kept outside the
    // editors' reach laid in first; only the rows that differ unless --full.
    Image target = file;
    prepare_whole_write(target);
    std::vector<int> rows;
    if (full) {
        for (int r = region::wholeWrite.first; r <= region::wholeWrite.last; ++r)
            rows.push_back(r);
        out() << T::fullWrite.str().arg(estimateSeconds(int(rows.size()), p.isSet(kNoVerify) ? 0 : kWholeReadBlocks)) << Qt::endl;
    } else {
        rows = rows_to_write(file, radio);
        if (rows.empty()) {
            out() << T::nothingToWrite.str() << Qt::endl;
            return kExitOk;
        }
        const int blocks = p.isSet(kNoVerify) ? 0 : int(blocksOfRows(rows).size());
        out() << T::changes.str().arg(rows.size()).arg(estimateSeconds(int(rows.size()), blocks)) << Qt::endl;
        for (const QString& line : regionLines(rows))
            out() << line << Qt::endl;
    }
    if (dryRun) {
        out() << T::dryRun.str() << Qt::endl;
        return kExitOk;
    }

    Progress bar(err(), Progress::stderrIsTerminal(), T::writing.str() + QLatin1Char(' ') + T::rows.str(), int(rows.size()));
    const Transfer t = full ? writeRadio(target, progressOn(bar)) : writeRows(target, rows, progressOn(bar));
    bar.finish();
    if (t.failure != Failure::None) {
        const int rc = failureExit(t.failure);
        reportStoppedWrite(p, rows, t.acknowledged, backup);
        return rc;
    }
    out() << common::writeDone.str() << Qt::endl;
    if (p.isSet(kNoVerify))
        return kExitOk;
    if (full)
        return verifyAgainst(file);

    // Reads back only the blocks that hold the rows written.
    const std::vector<int> blocks = blocksOfRows(rows);
    Image back = target;
    Progress verifyBar(err(), Progress::stderrIsTerminal(), T::verifying.str() + QLatin1Char(' ') + T::blocks.str(), int(blocks.size()));
    const Transfer v = readBlocks(back, blocks, progressOn(verifyBar));
    verifyBar.finish();
    if (v.failure != Failure::None)
        return failureExit(v.failure);
    std::vector<int> differ;
    for (int b : blocks)
        for (int r = b * 4; r < b * 4 + 4 && r <= region::wholeWrite.last; ++r)
            if (!std::ranges::equal(back.row(r), target.row(r)))
                differ.push_back(r);
    if (!differ.empty())
        return reportMismatch(differ);
    out() << T::verifiedRows.str().arg(rows.size()) << Qt::endl;
    return kExitOk;
}

int verifyCommand(const QCommandLineParser& p, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    if (const int rc = preparePort(p))
        return rc;
    return verifyAgainst(image);
}

int showCommand(const QCommandLineParser&, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    showImage(image, out());
    return kExitOk;
}

// An export's text: to the -o file, through a temporary file so a failed
// write leaves any old one whole, or to stdout.
int writeOutput(const QCommandLineParser& p, const QByteArray& text)
{
    if (!p.isSet(kOutput)) {
        out() << QString::fromUtf8(text);
        return kExitOk;
    }
    QSaveFile f(p.value(kOutput));
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size() || !f.commit()) {
        err() << T::saveFailed.str().arg(p.value(kOutput), f.errorString()) << Qt::endl;
        return kExitFile;
    }
    out() << arg1(T::saved, p.value(kOutput)) << Qt::endl;
    return kExitOk;
}

int exportCsv(const QCommandLineParser& p, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    for (int n : channels::export_problems(image, bandLimits()))
        err() << channels::csv_text::notExpressible.str().arg(n) << Qt::endl;
    return writeOutput(p, channels::export_csv(image));
}

int importCsv(const QCommandLineParser& p, const QStringList& a)
{
    if (!p.isSet(kOutput)) {
        err() << T::needsOutput.str() << Qt::endl;
        return kExitUsage;
    }
    channels::CsvOptions options;
    options.fit = p.isSet(kFit);
    options.renumber = p.isSet(kRenumber);
    if (p.isSet(kLimits)) {
        const QStringList parts = p.value(kLimits).split(QLatin1Char(','));
        bool ok = parts.size() == 4;
        double v[4] = {};
        for (int i = 0; ok && i < 4; ++i)
            v[i] = parts[i].toDouble(&ok);
        if (!ok || !(v[0] < v[1] && v[1] < v[2] && v[2] < v[3])) {
            err() << T::limitsOption.str() << Qt::endl;
            return kExitUsage;
        }
        options.limits = {v[0], v[1], v[2], v[3]};
    }
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    const channels::CsvFile csvFile = channels::read_csv_file(a[1]);
    if (!csvFile.ok()) {
        err() << T::csvUnreadable.str().arg(a[1], csvFile.reason()) << Qt::endl;
        return kExitFile;
    }
    const channels::CsvImport r = channels::import_csv(csvFile.bytes, image, options);
    if (!r.ok()) {
        err() << T::csvFailed.str() << Qt::endl;
        for (const QString& line : r.report())
            err() << QStringLiteral("  ") << line << Qt::endl;
        if (r.fitChannels > 0)
            err() << channels::csv_text::fitWould.str().arg(r.fitChannels) << Qt::endl;
        if (r.renumberHelps)
            err() << channels::csv_text::renumberWould.str() << Qt::endl;
        return kExitFile;
    }
    for (const QString& line : r.report())
        out() << line << Qt::endl;
    if (!saveFile(image, p.value(kOutput)))
        return kExitFile;
    out() << T::csvImported.str().arg(r.channels).arg(p.value(kOutput)) << Qt::endl;
    return kExitOk;
}

int exportConf(const QCommandLineParser& p, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    return writeOutput(p, config::export_config(image));
}

// Reads a configuration file; nullopt after a message.
std::optional<QByteArray> readConf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > config::kMaxConfigBytes) {
        err() << T::loadFailed.str().arg(path, f.isOpen() ? T::tooLarge.str() : T::loadUnreadable.str()) << Qt::endl;
        return std::nullopt;
    }
    return f.readAll();
}

// Applies a configuration to an image; false after listing every problem.
bool applyConf(const QString& path, const QByteArray& text, Image& image)
{
    const config::Applied r = config::apply_config(text, image);
    if (r.ok())
        return true;
    err() << T::confFailed.str().arg(path) << Qt::endl;
    for (const config::Problem& problem : r.problems)
        err() << T::confLine.str().arg(problem.line).arg(problem.column).arg(problem.text) << Qt::endl;
    return false;
}

int applyConfCommand(const QCommandLineParser& p, const QStringList& a)
{
    if (!p.isSet(kOutput)) {
        err() << T::needsOutputFor.str().arg(QStringLiteral("apply-conf")) << Qt::endl;
        return kExitUsage;
    }
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    const auto text = readConf(a[1]);
    if (!text || !applyConf(a[1], *text, image))
        return kExitFile;
    if (!saveFile(image, p.value(kOutput)))
        return kExitFile;
    out() << arg1(T::saved, p.value(kOutput)) << Qt::endl;
    return kExitOk;
}

// diff A.dat B.dat, or A.dat CONF.yaml (A with the configuration applied).
int diffCommand(const QCommandLineParser&, const QStringList& a)
{
    Image first;
    if (!loadFile(a[0], first))
        return kExitFile;
    Image second = first;
    if (a[1].endsWith(QLatin1String(".yaml"), Qt::CaseInsensitive) || a[1].endsWith(QLatin1String(".yml"), Qt::CaseInsensitive)) {
        const auto text = readConf(a[1]);
        if (!text || !applyConf(a[1], *text, second))
            return kExitFile;
    } else if (!loadFile(a[1], second)) {
        return kExitFile;
    }
    const QStringList lines = config::diff_images(first, second);
    for (const QString& line : lines)
        out() << line << Qt::endl;
    return lines.isEmpty() ? kExitOk : kExitDiffers;
}

int confReference(const QCommandLineParser&, const QStringList&)
{
    out() << config::reference();
    return kExitOk;
}

struct Command {
    Spec spec;
    int (*run)(const QCommandLineParser&, const QStringList&);
};

const std::vector<Command>& commands()
{
    static const QStringList file{QStringLiteral("FILE.dat")};
    static const std::vector<Command> all{
        {{"ports", T::portsSummary, {}, false, {}}, ports},
        {{"identify", T::identifySummary, {}, true, {kJson}}, identifyCommand},
        {{"read", T::readSummary, file, true, {}}, readCommand},
        {{"write", T::writeSummary, file, true, {kNoBackup, kNoVerify, kFull, kDryRun}}, writeCommand},
        {{"verify", T::verifySummary, file, true, {}}, verifyCommand},
        {{"show", T::showSummary, file, false, {}}, showCommand},
        {{"export-csv", T::exportCsvSummary, file, false, {kOutput}}, exportCsv},
        {{"export-conf", T::exportConfSummary, file, false, {kOutput}}, exportConf},
        {{"apply-conf", T::applyConfSummary, {QStringLiteral("BASE.dat"), QStringLiteral("CONF.yaml")}, false, {kOutput}}, applyConfCommand},
        {{"diff", T::diffSummary, {QStringLiteral("A.dat"), QStringLiteral("B.dat|CONF.yaml")}, false, {}}, diffCommand},
        {{"conf-reference", T::confReferenceSummary, {}, false, {}}, confReference},
        {{"import-csv", T::importCsvSummary, {QStringLiteral("FILE.dat"), QStringLiteral("IN.csv")}, false, {kOutput, kFit, kRenumber, kLimits}},
         importCsv},
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

QStringList regionLines(const std::vector<int>& rows)
{
    QStringList out;
    for (const region::Named& r : region::kMap) {
        QStringList runs;
        int start = -1, previous = -2;
        const auto close = [&] {
            if (start >= 0)
                runs << (start == previous ? QString::number(start) : QStringLiteral("%1-%2").arg(start).arg(previous));
        };
        for (int row : rows) {
            if (row < r.rows.first || row > r.rows.last)
                continue;
            if (row != previous + 1) {
                close();
                start = row;
            }
            previous = row;
        }
        close();
        if (!runs.isEmpty())
            out << T::mismatchRegion.str().arg(QString::fromUtf8(chinese() ? r.nameZh : r.name), runs.join(QStringLiteral(", ")));
    }
    return out;
}

Image freshImage()
{
    Image image;
    lay_startup_defaults(image);
    return image;
}

}  // namespace vx::cli
