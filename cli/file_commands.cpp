// The commands on files alone: show, export-csv, import-csv, export-conf,
// apply-conf, diff, conf-reference; and loading, saving and checking data
// files for every command.
#include "cli/cli_texts.h"
#include "cli/command_kit.h"
#include "cli/commands.h"
#include "interchange/csv/channel_csv.h"
#include "interchange/csv/channel_csv_texts.h"
#include "interchange/datafile.h"
#include "interchange/config/config.h"
#include "image/language.h"
#include "image/tables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <optional>

namespace vx::cli {

namespace T = cli_text;

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

// Whether the save of `path` can make its file, found out before the radio
// is touched and leaving nothing behind: the folder exists, the name can be
// made there (a new file is made and removed at once), and the save's
// temporary file opens. Replacing a file that is there goes through a
// temporary file named after it with seven characters added, so a name that
// long is made and removed instead, and the file itself is left as it was.
bool outputCreatable(const QString& path)
{
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    const auto refuse = [&](const QString& reason) {
        err() << T::saveFailed.str().arg(path, reason) << Qt::endl;
        return false;
    };
    if (!folder.exists())
        return refuse(T::folderMissing.str().arg(QDir::toNativeSeparators(folder.path())));
    if (info.isDir())
        return refuse(T::isFolder.str());
    QString probeName = info.absoluteFilePath();
    if (info.exists()) {
        do {
            probeName = info.absoluteFilePath() + QLatin1Char('.');
            for (int i = 0; i < 6; ++i)
                probeName += QLatin1Char(char('a' + QRandomGenerator::global()->bounded(26)));
        } while (QFileInfo::exists(probeName));
    }
    QFile probe(probeName);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return refuse(T::cannotMake.str().arg(probe.errorString()));
    probe.close();
    probe.remove();
    QSaveFile save(info.absoluteFilePath());
    if (!save.open(QIODevice::WriteOnly))
        return refuse(T::cannotMake.str().arg(save.errorString()));
    save.cancelWriting();
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

namespace {

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

// The band limits --limits gives (the defaults without it); nullopt after
// a message when it is not four rising numbers.
std::optional<BandLimits> limitsOf(const QCommandLineParser& p)
{
    if (!p.isSet(kLimits))
        return kDefaultBandLimits;
    const QStringList parts = p.value(kLimits).split(QLatin1Char(','));
    bool ok = parts.size() == 4;
    double v[4] = {};
    for (int i = 0; ok && i < 4; ++i)
        v[i] = parts[i].toDouble(&ok);
    if (!ok || !(v[0] < v[1] && v[1] < v[2] && v[2] < v[3])) {
        err() << T::limitsOption.str() << Qt::endl;
        return std::nullopt;
    }
    return BandLimits{v[0], v[1], v[2], v[3]};
}

// Applies a configuration to an image; false after listing every problem.
bool applyConf(const QString& path, const QByteArray& text, Image& image, const BandLimits& limits)
{
    const config::Applied r = config::apply_config(text, image, limits);
    if (r.ok())
        return true;
    err() << T::confFailed.str().arg(path) << Qt::endl;
    for (const config::Problem& problem : r.problems)
        err() << T::confLine.str().arg(problem.line).arg(problem.column).arg(problem.text) << Qt::endl;
    return false;
}

}  // namespace

int showCommand(const QCommandLineParser&, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    showImage(image, out());
    return kExitOk;
}

int exportCsvCommand(const QCommandLineParser& p, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    for (int n : channels::export_problems(image, kDefaultBandLimits))
        err() << channels::csv_text::notExpressible.str().arg(n) << Qt::endl;
    return writeOutput(p, channels::export_csv(image));
}

int importCsvCommand(const QCommandLineParser& p, const QStringList& a)
{
    if (!p.isSet(kOutput)) {
        err() << T::needsOutput.str() << Qt::endl;
        return kExitUsage;
    }
    channels::CsvOptions options;
    options.fit = p.isSet(kFit);
    options.renumber = p.isSet(kRenumber);
    const std::optional<BandLimits> limits = limitsOf(p);
    if (!limits)
        return kExitUsage;
    options.limits = *limits;
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

int exportConfCommand(const QCommandLineParser& p, const QStringList& a)
{
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    return writeOutput(p, config::export_config(image));
}

int applyConfCommand(const QCommandLineParser& p, const QStringList& a)
{
    if (!p.isSet(kOutput)) {
        err() << T::needsOutputFor.str().arg(QStringLiteral("apply-conf")) << Qt::endl;
        return kExitUsage;
    }
    const std::optional<BandLimits> limits = limitsOf(p);
    if (!limits)
        return kExitUsage;
    Image image;
    if (!loadFile(a[0], image))
        return kExitFile;
    const auto text = readConf(a[1]);
    if (!text || !applyConf(a[1], *text, image, *limits))
        return kExitFile;
    if (!saveFile(image, p.value(kOutput)))
        return kExitFile;
    out() << arg1(T::saved, p.value(kOutput)) << Qt::endl;
    return kExitOk;
}

// diff A.dat B.dat, or A.dat CONF.yaml (A with the configuration applied).
int diffCommand(const QCommandLineParser& p, const QStringList& a)
{
    const std::optional<BandLimits> limits = limitsOf(p);
    if (!limits)
        return kExitUsage;
    Image first;
    if (!loadFile(a[0], first))
        return kExitFile;
    Image second = first;
    if (a[1].endsWith(QLatin1String(".yaml"), Qt::CaseInsensitive) || a[1].endsWith(QLatin1String(".yml"), Qt::CaseInsensitive)) {
        const auto text = readConf(a[1]);
        if (!text || !applyConf(a[1], *text, second, *limits))
            return kExitFile;
    } else if (!loadFile(a[1], second)) {
        return kExitFile;
    }
    const QStringList lines = config::diff_images(first, second, *limits);
    for (const QString& line : lines)
        out() << line << Qt::endl;
    return lines.isEmpty() ? kExitOk : kExitDiffers;
}

int confReferenceCommand(const QCommandLineParser&, const QStringList&)
{
    out() << config::reference();
    return kExitOk;
}

}  // namespace vx::cli
