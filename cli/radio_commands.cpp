// The commands that talk to the radio: ports, identify, read, write, verify.
#include "cli/cli_texts.h"
#include "cli/command_kit.h"
#include "cli/doctor_command_texts.h"
#include "cli/commands.h"
#include "cli/interrupt.h"
#include "cli/programmer.h"
#include "cli/progress.h"
#include "cli/trace_port.h"
#include "interchange/datafile.h"
#include "interchange/restore_points.h"
#include "editors/defaults.h"
#include "image/language.h"
#include "link/identification.h"
#include "link/port.h"
#include "link/port_inventory.h"
#include "link/portmap.h"
#include "link/qt_link.h"
#include "link/stopped_write.h"
#include "link/transfer_texts.h"
#include "link/whole_radio.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace vx::cli {

namespace T = cli_text;
namespace common = transfer_text;

namespace {

// Sets up the port for a radio command: tracing, and the port number given
// or found by trying COM8 down to COM1. Exit code on failure.
int preparePort(const QCommandLineParser& p, RadioDocument& radio)
{
    catchInterrupts();
    if (p.isSet(kTrace))
        setSerialPortFactory([] {
            return std::make_unique<TracePort>(std::make_unique<QtSerialPort>(), err(), clock());
        });
    if (p.isSet(kPort)) {
        radio.setPortNumber(p.value(kPort).toInt());  // checked when the options were read
    } else {
        probePorts(radio);
        if (radio.portFailed()) {
            err() << T::noPort.str() << Qt::endl;
            return kExitPort;
        }
    }
    err() << T::portOpened.str().arg(radio.portNumber()).arg(deviceForPort(radio.portNumber())) << Qt::endl;
    return kExitOk;
}

// The backup also goes into the user's restore points, beside those the
// window program keeps; a store that cannot be written is reported and the
// write goes on.
void keepRestorePoint(const RadioDocument& doc, const Image& radio, int rowsToWrite)
{
    restore::Store store(restore::Store::defaultFolder());
    QString error;
    if (const auto point = store.add(radio, {doc.model(), doc.serial()}, restore::Kind::Backup, rowsToWrite,
                                     QDateTime::currentDateTimeUtc(), {}, &error))
        err() << arg1(T::restorePointKept, point->path) << Qt::endl;
    else
        err() << T::restorePointFailed.str().arg(QDir::toNativeSeparators(store.folder()), error) << Qt::endl;
}

int failureExit(Failure f)
{
    if (f == Failure::Port) {
        err() << common::portOpenError.str() << Qt::endl << doctor_command_text::runDoctor.str() << Qt::endl;
        return kExitPort;
    }
    if (f == Failure::Interrupted) {
        err() << T::interrupted.str().arg(interruptSignal()) << Qt::endl;
        return kExitInterrupted;
    }
    err() << common::failed.str() << Qt::endl << doctor_command_text::runDoctor.str() << Qt::endl;
    return kExitRadio;
}

ProgressFn progressOn(Progress& bar)
{
    return [&bar](int done, int) { bar.step(done); };
}

// A whole read into a fresh image, with a progress bar.
Transfer readWhole(RadioDocument& radio, Image& image, const Text& what)
{
    Progress bar(err(), Progress::stderrIsTerminal(), what.str() + QLatin1Char(' ') + T::blocks.str(), kWholeReadBlocks);
    image = freshImage();
    const Transfer t = readRadio(radio, image, progressOn(bar));
    bar.finish();
    return t;
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
int verifyAgainst(RadioDocument& doc, const Image& file)
{
    Image radio;
    const Transfer t = readWhole(doc, radio, T::verifying);
    if (t.failure != Failure::None)
        return failureExit(t.failure);
    const std::vector<int> differ = rows_not_held(file, radio);
    if (!differ.empty())
        return reportMismatch(differ);
    out() << T::verified.str() << Qt::endl;
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
// of them taken: the last row, the regions now new, mixed and as they were,
// and how to put the backup back.
void reportStoppedWrite(const QCommandLineParser& p, const std::vector<int>& rows, int acknowledged, const QString& backup)
{
    const StoppedWrite stopped = classifyStoppedWrite(rows, acknowledged);
    if (stopped.lastRow >= 0)
        err() << T::writeStopped.str().arg(stopped.lastRow).arg(Image::addressOfRow(stopped.lastRow), 4, 16, QLatin1Char('0')) << Qt::endl;
    else
        err() << T::writeStoppedNone.str() << Qt::endl;
    const auto regions = [](const Text& heading, const std::vector<region::Named>& named) {
        if (named.empty())
            return;
        QStringList names;
        for (const region::Named& r : named)
            names << QString::fromUtf8(chinese() ? r.nameZh : r.name);
        err() << heading.str() << names.join(chinese() ? QStringLiteral("、") : QStringLiteral(", ")) << Qt::endl;
    };
    regions(T::regionsNew, stopped.written);
    regions(T::regionsMixed, stopped.mixed);
    regions(T::regionsOld, stopped.unchanged);
    if (backup.isEmpty()) {
        err() << T::noBackup.str() << Qt::endl;
    } else {
        err() << T::restoreWith.str() << Qt::endl << QStringLiteral("  ") << restoreCommand(p, backup) << Qt::endl;
    }
}

}  // namespace

// The COM numbers and the serial devices found, as text or as JSON.
int portsCommand(const QCommandLineParser& p, const QStringList&)
{
    const std::vector<PortEntry> entries = portInventory();
    if (p.isSet(kJson)) {
        const auto textOrNull = [](const QString& s) { return s.isEmpty() ? QJsonValue() : QJsonValue(s); };
        QJsonArray list;
        for (const PortEntry& e : entries) {
            const QString ids = usb_ids(e);
            list.append(QJsonObject{{QStringLiteral("port"), e.port ? QJsonValue(e.port) : QJsonValue()},
                                    {QStringLiteral("device"), e.device},
                                    {QStringLiteral("location"), textOrNull(e.location)},
                                    {QStringLiteral("linked"), e.linked},
                                    {QStringLiteral("present"), e.present},
                                    {QStringLiteral("vendorId"), textOrNull(ids.left(4))},
                                    {QStringLiteral("productId"), textOrNull(ids.mid(5))},
                                    {QStringLiteral("manufacturer"), textOrNull(e.manufacturer)},
                                    {QStringLiteral("description"), textOrNull(e.description)},
                                    {QStringLiteral("serialNumber"), textOrNull(e.serialNumber)},
                                    {QStringLiteral("likelyCable"), e.cable != nullptr},
                                    {QStringLiteral("chip"), e.cable ? QJsonValue(QString::fromUtf8(e.cable->name)) : QJsonValue()},
                                    {QStringLiteral("inUse"), e.inUse}});
        }
        out() << QJsonDocument(QJsonObject{{QStringLiteral("ports"), list}}).toJson(QJsonDocument::Indented);
        return kExitOk;
    }
    for (const QString& line : describe_ports(entries, chinese()))
        out() << line << Qt::endl;
    return kExitOk;
}

int identifyCommand(const QCommandLineParser& p, const QStringList&)
{
    RadioDocument radio;
    if (const int rc = preparePort(p, radio))
        return rc;
    const Identified id = identify(radio);
    if (id.failure != Failure::None)
        return failureExit(id.failure);
    const IdentityInfo& i = id.info;
    if (p.isSet(kJson)) {
        QJsonObject o{{QStringLiteral("port"), radio.portNumber()},
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
    if (!outputCreatable(a[0]))
        return kExitFile;  // known before the port is touched
    RadioDocument radio;
    if (const int rc = preparePort(p, radio))
        return rc;
    Image image;
    const Transfer t = readWhole(radio, image, T::reading);
    if (t.failure != Failure::None)
        return failureExit(t.failure);
    if (!saveFile(image, a[0]))
        return kExitFile;
    out() << common::readDone.str() << Qt::endl << arg1(T::saved, a[0]) << Qt::endl;
    return kExitOk;
}

int writeCommand(const QCommandLineParser& p, const QStringList& a)
{
    Image file;
    if (!loadFile(a[0], file))
        return kExitFile;  // refused before the port is touched
    const bool backupFirst = !p.isSet(kNoBackup);
    // --since: the radio holds BASE, so only the blocks of the rows that
    // differ from it are read (to check that and as the backup).
    const bool since = p.isSet(kSince);
    Image base;
    if (since && p.isSet(kFull)) {
        err() << T::sinceAndFull.str() << Qt::endl;
        return kExitUsage;
    }
    if (since && !loadFile(p.value(kSince), base))
        return kExitFile;
    std::vector<int> sinceRows;
    // A radio that holds BASE holds it as a write of it left it: with the
    // constant tables laid in, or as read if BASE came from the radio.
    Image baseLaid = base;
    prepare_whole_write(baseLaid);
    if (since) {
        sinceRows = rows_to_write(file, baseLaid);
        if (sinceRows.empty()) {
            out() << arg1(T::nothingSince, p.value(kSince)) << Qt::endl;
            return kExitOk;
        }
    }
    // Without a backup nothing tells what changed, unless BASE does.
    const bool full = p.isSet(kFull) || (!backupFirst && !since);
    const bool dryRun = p.isSet(kDryRun);
    QString backup;
    if (backupFirst && !dryRun) {
        backup = backupPath(a[0]);
        if (!outputCreatable(backup))
            return kExitFile;
    }
    RadioDocument doc;
    if (const int rc = preparePort(p, doc))
        return rc;

    Image radio;
    if (since) {
        // The blocks the write touches; the radio must hold BASE there.
        radio = base;
        const std::vector<int> blocks = blocksOfRows(sinceRows);
        out() << T::readingSince.str().arg(blocks.size()) << Qt::endl;
        Progress bar(err(), Progress::stderrIsTerminal(), T::reading.str() + QLatin1Char(' ') + T::blocks.str(), int(blocks.size()));
        const Transfer t = readBlocks(doc, radio, blocks, progressOn(bar));
        bar.finish();
        if (t.failure != Failure::None)
            return failureExit(t.failure);
        std::vector<int> changed;
        for (int b : blocks)
            for (int r = b * 4; r < b * 4 + 4 && r <= region::wholeRead.last; ++r)
                if (!std::ranges::equal(radio.row(r), base.row(r)) && !std::ranges::equal(radio.row(r), baseLaid.row(r)))
                    changed.push_back(r);
        if (!changed.empty()) {
            QStringList runs;
            for (int r : changed)
                runs << QString::number(r);
            err() << T::changedSince.str().arg(p.value(kSince), runs.join(QStringLiteral(", "))) << Qt::endl;
            return kExitMismatch;
        }
    } else if (backupFirst) {
        const Transfer t = readWhole(doc, radio, T::reading);
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
        keepRestorePoint(doc, radio, int(rows_to_write(file, radio).size()));
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
    const Transfer t = full ? writeRadio(doc, target, progressOn(bar)) : writeRows(doc, target, rows, progressOn(bar));
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
        return verifyAgainst(doc, file);

    // Reads back only the blocks that hold the rows written.
    const std::vector<int> blocks = blocksOfRows(rows);
    Image back = target;
    Progress verifyBar(err(), Progress::stderrIsTerminal(), T::verifying.str() + QLatin1Char(' ') + T::blocks.str(), int(blocks.size()));
    const Transfer v = readBlocks(doc, back, blocks, progressOn(verifyBar));
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
    RadioDocument radio;
    if (const int rc = preparePort(p, radio))
        return rc;
    return verifyAgainst(radio, image);
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
