#include "cli/commands.h"

#include "cli/cli_texts.h"
#include "cli/progress.h"
#include "cli/programmer.h"
#include "cli/trace_port.h"
#include "editors/channels/channel_csv.h"
#include "editors/channels/channel_csv_texts.h"
#include "editors/channels/datafile.h"
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
    const char* summary;
    QStringList positional;  // names, in order
    bool radio = false;      // --port, --trace
    std::function<void(QCommandLineParser&)> extra;
};

const QCommandLineOption kPort(QStringLiteral("port"), QStringLiteral("COM number 1..12 (default: the first of COM8..COM1 that opens)."),
                               QStringLiteral("N"));
const QCommandLineOption kTrace(QStringLiteral("trace"), QStringLiteral("Print every byte on the wire, with direction and milliseconds, on stderr."));
const QCommandLineOption kLang(QStringLiteral("lang"), QStringLiteral("Message language: en (default) or zh."), QStringLiteral("en|zh"),
                               QStringLiteral("en"));
const QCommandLineOption kJson(QStringLiteral("json"), QStringLiteral("Print the identity as JSON."));
const QCommandLineOption kNoBackup(QStringLiteral("no-backup"), QStringLiteral("Do not read the radio into a backup file first."));
const QCommandLineOption kNoVerify(QStringLiteral("no-verify"), QStringLiteral("Do not read the radio back and compare after writing."));
const QCommandLineOption kOutput(QStringList{QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("Output file."),
                                 QStringLiteral("FILE"));
const QCommandLineOption kFit(QStringLiteral("fit"),
                              QStringLiteral("Adapt names the radio cannot store and skip lines it cannot hold; every change and skipped line is listed."));
const QCommandLineOption kRenumber(QStringLiteral("renumber"),
                                   QStringLiteral("Place lines whose Location is outside 0-199 (or empty) in the first free channels, in file order."));
const QCommandLineOption kLimits(QStringLiteral("limits"),
                                 QStringLiteral("Band limits in MHz for the import checks (default 130,179,400,520)."),
                                 QStringLiteral("A,B,C,D"));

// Parses the command's arguments; nullopt (after a message) on a usage error.
std::optional<QStringList> parse(QCommandLineParser& p, const Spec& spec, const QStringList& args)
{
    p.setApplicationDescription(QString::fromLatin1(spec.summary));
    p.addHelpOption();
    p.addOption(kLang);
    if (spec.radio) {
        p.addOption(kPort);
        p.addOption(kTrace);
    }
    if (spec.extra)
        spec.extra(p);
    for (const QString& name : spec.positional)
        p.addPositionalArgument(name, name);
    if (!p.parse(args)) {
        err() << p.errorText() << Qt::endl;
        return std::nullopt;
    }
    if (p.isSet(QStringLiteral("help"))) {
        out() << p.helpText().replace(QStringLiteral("[options]"), QStringLiteral("%1 [options]").arg(QLatin1String(spec.name)));
        out().flush();
        std::exit(kExitOk);
    }
    const QString lang = p.value(kLang);
    if (lang != QLatin1String("en") && lang != QLatin1String("zh")) {
        err() << "--lang takes en or zh" << Qt::endl;
        return std::nullopt;
    }
    setChinese(lang == QLatin1String("zh"));
    const QStringList positional = p.positionalArguments();
    if (positional.size() != spec.positional.size()) {
        err() << QStringLiteral("%1 takes %2 argument(s): %3").arg(QLatin1String(spec.name)).arg(spec.positional.size()).arg(spec.positional.join(' '))
              << Qt::endl;
        return std::nullopt;
    }
    return positional;
}

// Sets up the port for a radio command: tracing, and the port number given
// or found by trying COM8 down to COM1. Exit code on failure.
int preparePort(const QCommandLineParser& p)
{
    if (p.isSet(kTrace))
        setSerialPortFactory([] {
            return std::make_unique<TracePort>(std::make_unique<QtSerialPort>(), err(), clock());
        });
    if (p.isSet(kPort)) {
        bool ok = false;
        const int n = p.value(kPort).toInt(&ok);
        if (!ok || n < kFirstPort || n > kLastPort) {
            err() << "--port takes a number from 1 to 12" << Qt::endl;
            return kExitUsage;
        }
        setPortNumber(n);
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
    static const std::map<datafile::LoadError, const char*> reasons{
        {datafile::LoadError::CannotOpen, "missing or unreadable"},
        {datafile::LoadError::TooShort, "it ends before all 1025 rows"},
        {datafile::LoadError::NotANumber, "a value is not a whole number"},
        {datafile::LoadError::OutOfRange, "a value is outside 0..255"},
    };
    const auto it = reasons.find(r.error);
    QString reason = QString::fromLatin1(it != reasons.end() ? it->second : "unreadable");
    if (r.row >= 0)
        reason += QStringLiteral(" (row %1)").arg(r.row);
    err() << T::loadFailed.str().arg(path, reason) << Qt::endl;
    return false;
}

bool saveFile(const Image& image, const QString& path)
{
    QString detail;
    if (datafile::save(image, path, &detail) == datafile::SaveError::None)
        return true;
    err() << T::saveFailed.str().arg(path, detail) << Qt::endl;
    return false;
}

// Reads the radio back and compares rows 0..783 with `expected`.
int verifyAgainst(const Image& expected)
{
    Image radio;
    const Transfer t = readWhole(radio, T::verifying);
    if (t.failure != Failure::None)
        return failureExit(t.failure);
    const QStringList regions = differingRegions(expected, radio, region::wholeWrite.first, region::wholeWrite.last);
    if (!regions.isEmpty()) {
        int count = 0;
        for (int r = region::wholeWrite.first; r <= region::wholeWrite.last; ++r)
            count += !std::ranges::equal(expected.row(r), radio.row(r));
        err() << T::mismatch.str().arg(count) << Qt::endl;
        for (const QString& line : regions)
            err() << line << Qt::endl;
        return kExitMismatch;
    }
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
                     .arg(linked ? QStringLiteral("link ") : QStringLiteral("table"))
                     .arg(present ? QStringLiteral("present") : QStringLiteral("absent"))
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

QString backupPath(const QString& input)
{
    const QFileInfo f(input);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return f.absoluteDir().filePath(QStringLiteral("%1-backup-%2.dat").arg(f.completeBaseName(), stamp));
}

int writeCommand(const QCommandLineParser& p, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;  // refused before the port is touched
    if (const int rc = preparePort(p))
        return rc;

    if (!p.isSet(kNoBackup)) {
        Image backup;
        const Transfer t = readWhole(backup, T::reading);
        if (t.failure != Failure::None)
            return failureExit(t.failure);
        const QString path = backupPath(a[0]);
        Image check;
        if (!saveFile(backup, path) || !datafile::load(path, check).ok() || !(check == backup)) {
            err() << arg1(T::backupFailed, path) << Qt::endl;
            return kExitFile;
        }
        out() << arg1(T::backupSaved, path) << Qt::endl;
    }

    // Exactly what the write dialog sends: the tables kept outside the
    // editors' reach laid in first.
    prepare_whole_write(image);
    Progress bar(err(), Progress::stderrIsTerminal(), T::writing.str() + QLatin1Char(' ') + T::rows.str(), kWholeWriteRows);
    const Transfer t = writeRadio(image, progressOn(bar));
    bar.finish();
    if (t.failure != Failure::None) {
        const int rc = failureExit(t.failure);
        if (t.lastRowAcknowledged >= 0)
            err() << T::writeStopped.str().arg(t.lastRowAcknowledged).arg(Image::addressOfRow(t.lastRowAcknowledged), 4, 16, QLatin1Char('0'))
                  << Qt::endl;
        else
            err() << T::writeStoppedNone.str() << Qt::endl;
        return rc;
    }
    out() << common::writeDone.str() << Qt::endl;
    return p.isSet(kNoVerify) ? kExitOk : verifyAgainst(image);
}

int verifyCommand(const QCommandLineParser& p, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    if (const int rc = preparePort(p))
        return rc;
    // A write lays the constant tables in; the radio is compared with that.
    prepare_whole_write(image);
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

int exportCsv(const QCommandLineParser& p, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    const QByteArray csv = channels::export_csv(image);
    for (int n : channels::export_problems(image, bandLimits()))
        err() << channels::csv_text::notExpressible.str().arg(n) << Qt::endl;
    if (!p.isSet(kOutput)) {
        out() << QString::fromUtf8(csv);
        return kExitOk;
    }
    QSaveFile f(p.value(kOutput));
    if (!f.open(QIODevice::WriteOnly) || f.write(csv) != csv.size() || !f.commit()) {
        err() << T::saveFailed.str().arg(p.value(kOutput), f.errorString()) << Qt::endl;
        return kExitFile;
    }
    out() << arg1(T::saved, p.value(kOutput)) << Qt::endl;
    return kExitOk;
}

int importCsv(const QCommandLineParser& p, const QStringList& a)
{
    if (!p.isSet(kOutput)) {
        err() << "import-csv needs -o OUT.dat" << Qt::endl;
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
            err() << "--limits takes four rising numbers in MHz: A-low,A-high,B-low,B-high" << Qt::endl;
            return kExitUsage;
        }
        options.limits = {v[0], v[1], v[2], v[3]};
    }
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    QFile csvFile(a[1]);
    if (!csvFile.open(QIODevice::ReadOnly) || csvFile.size() > datafile::kMaxFileBytes) {
        err() << T::loadFailed.str().arg(a[1], csvFile.isOpen() ? QStringLiteral("too large") : csvFile.errorString()) << Qt::endl;
        return kExitFile;
    }
    const channels::CsvImport r = channels::import_csv(csvFile.readAll(), image, options);
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

struct Command {
    Spec spec;
    int (*run)(const QCommandLineParser&, const QStringList&);
};

const std::vector<Command>& commands()
{
    static const std::vector<Command> all{
        {{"ports", "Serial ports COM1..COM12, the device each opens (from the table or a comN link) and whether it is present.", {}, false, {}},
         ports},
        {{"identify", "The radio's model, firmware version, serial number and band limits.", {}, true,
          [](QCommandLineParser& p) { p.addOption(kJson); }},
         identifyCommand},
        {{"read", "Reads the whole radio into a data file (rows the read does not cover keep the start-up defaults); the file is replaced only once complete.",
          {QStringLiteral("FILE.dat")}, true, {}},
         readCommand},
        {{"write",
          "Reads the radio into a backup file beside FILE (name with date and time), writes the file as the write dialog does (rows 0-783, the 5-tone tables laid in), then reads back and compares.",
          {QStringLiteral("FILE.dat")}, true,
          [](QCommandLineParser& p) {
              p.addOption(kNoBackup);
              p.addOption(kNoVerify);
          }},
         writeCommand},
        {{"verify", "Reads the radio and compares rows 0-783 with what writing FILE would send; names the regions that differ.",
          {QStringLiteral("FILE.dat")}, true, {}},
         verifyCommand},
        {{"show", "Prints a data file as text: channels, FM presets, both VFOs and the main options.", {QStringLiteral("FILE.dat")}, false, {}},
         showCommand},
        {{"export-csv", "Writes the channels of a data file as CSV (to stdout without -o).", {QStringLiteral("FILE.dat")}, false,
          [](QCommandLineParser& p) { p.addOption(kOutput); }},
         exportCsv},
        {{"import-csv",
          "Puts the channels of a CSV into a copy of a data file, every other row unchanged. Columns are found by name (Location and Frequency are needed); "
          "every line is checked first, and with any bad line nothing is written unless --fit is given. See the README's section on channel lists.",
          {QStringLiteral("FILE.dat"), QStringLiteral("IN.csv")}, false,
          [](QCommandLineParser& p) {
              p.addOption(kOutput);
              p.addOption(kFit);
              p.addOption(kRenumber);
              p.addOption(kLimits);
          }},
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
    err() << QStringLiteral("unknown command \"%1\"").arg(command) << Qt::endl << Qt::endl << usage;
    return kExitUsage;
}

QStringList differingRegions(const Image& a, const Image& b, int firstRow, int lastRow)
{
    QStringList out;
    for (const region::Named& r : region::kMap) {
        QStringList runs;
        int start = -1;
        const int first = std::max(firstRow, r.rows.first);
        const int last = std::min(lastRow, r.rows.last);
        for (int row = first; row <= last + 1; ++row) {
            const bool differs = row <= last && !std::ranges::equal(a.row(row), b.row(row));
            if (differs && start < 0)
                start = row;
            if (!differs && start >= 0) {
                runs << (start == row - 1 ? QString::number(start) : QStringLiteral("%1-%2").arg(start).arg(row - 1));
                start = -1;
            }
        }
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
