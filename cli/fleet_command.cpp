// vxprog-cli fleet FLEET.yaml: the fleet file read and checked as a whole,
// then every radio in turn: identified (and matched to its serial number),
// backed up as a restore point, written where it differs and read back.
// A radio that fails does not stop the others; the summary names each.
#include "cli/command_kit.h"
#include "cli/commands.h"
#include "cli/fleet_command_texts.h"
#include "cli/interrupt.h"
#include "cli/programmer.h"
#include "editors/defaults.h"
#include "interchange/config/fleet.h"
#include "interchange/restore_points.h"
#include "link/whole_radio.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace vx::cli {

namespace T = fleet_command_text;

namespace {

struct Outcome {
    QString name;
    QString serial;
    int port = 0;
    int rows = 0;
    bool verified = false;
    qint64 ms = 0;
    QString backup;
    QString why;
};

// One radio from identification to the read-back.
Outcome program(const fleet::Radio& r, std::map<QString, int>& done, const QString& backupFolder)
{
    Outcome o{r.name, {}, r.port};
    QElapsedTimer t;
    t.start();
    const auto say = [&](const QString& what) { out() << T::starting.str().arg(r.name).arg(r.port).arg(what) << Qt::endl; };
    RadioDocument doc;
    doc.setPortNumber(r.port);
    say(T::identifying);
    const Identified id = identify(doc);
    if (id.failure != Failure::None) {
        o.why = id.failure == Failure::Port ? QStringLiteral("port") : QStringLiteral("no answer");
        return o;
    }
    o.serial = id.info.serial.trimmed();
    if (!r.serial.isEmpty() && o.serial != r.serial) {
        o.why = T::wrongRadio.str().arg(o.serial, r.serial);
        return o;
    }
    if (const auto [it, fresh] = done.emplace(o.serial, r.port); !fresh) {
        o.why = T::sameRadio.str().arg(o.serial).arg(it->second);
        return o;
    }
    say(T::backingUp);
    Image radio = freshImage();
    const Transfer backup = readRadio(doc, radio, {});
    if (backup.failure != Failure::None) {
        o.why = QStringLiteral("backup read failed");
        return o;
    }
    restore::Store store(restore::Store::defaultFolder());
    const std::vector<int> rows = rows_to_write(r.image, radio);
    if (const auto point = store.add(radio, {doc.model(), doc.serial()}, restore::Kind::Backup, int(rows.size()), QDateTime::currentDateTimeUtc()))
        o.backup = point->path;
    else {
        o.backup = QDir(backupFolder).filePath(QStringLiteral("%1-backup.dat").arg(o.serial.isEmpty() ? r.name : o.serial));
        saveFile(radio, o.backup);
    }
    Image target = r.image;
    prepare_whole_write(target);
    say(T::writing.str().arg(rows.size()));
    const Transfer w = writeRows(doc, target, rows, {});
    o.rows = w.failure == Failure::None ? int(rows.size()) : w.acknowledged;
    if (w.failure != Failure::None) {
        o.why = w.failure == Failure::Interrupted ? QStringLiteral("interrupted") : QStringLiteral("write stopped");
        return o;
    }
    say(T::checking);
    const std::vector<int> blocks = blocksOfRows(rows);
    Image back = target;
    const Transfer v = readBlocks(doc, back, blocks, {});
    o.verified = v.failure == Failure::None && std::ranges::all_of(rows, [&](int row) { return std::ranges::equal(back.row(row), target.row(row)); });
    if (!o.verified)
        o.why = QStringLiteral("read-back differs");
    o.ms = t.elapsed();
    say(o.verified ? T::done.str() : o.why);
    return o;
}

}  // namespace

int fleetCommand(const QCommandLineParser& p, const QStringList& a)
{
    QFile file(a[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        err() << arg1(T::refused, a[0]) << Qt::endl << file.errorString() << Qt::endl;
        return kExitFile;
    }
    const fleet::Fleet fleet = fleet::read_fleet(file.read(1024 * 1024), QFileInfo(a[0]).absolutePath(), kDefaultBandLimits);
    if (!fleet.ok()) {
        err() << arg1(T::refused, a[0]) << Qt::endl;
        for (const config::Problem& pr : fleet.problems)
            err() << T::problem.str().arg(pr.line).arg(pr.column).arg(pr.text) << Qt::endl;
        return kExitFile;
    }
    if (p.isSet(kDryRun)) {
        for (const QString& line : fleet::plan_lines(fleet, chinese()))
            out() << line << Qt::endl;
        out() << T::dryRun.str() << Qt::endl;
        return kExitOk;
    }
    catchInterrupts();
    std::map<QString, int> done;
    std::vector<Outcome> outcomes;
    for (const fleet::Radio& r : fleet.radios) {
        if (interruptSignal())
            break;
        outcomes.push_back(program(r, done, QFileInfo(a[0]).absolutePath()));
    }
    out() << Qt::endl << T::heading.str() << Qt::endl;
    bool all = outcomes.size() == fleet.radios.size();
    for (const Outcome& o : outcomes) {
        all = all && o.verified;
        out() << QStringLiteral("%1 %2 COM%3 %4 %5 %6 %7")
                     .arg(o.name, -13)
                     .arg(o.serial, -23)
                     .arg(o.port, -3)
                     .arg(o.rows, -7)
                     .arg(o.verified ? T::verified.str() : T::notVerified.str(), -7)
                     .arg(QStringLiteral("%1 s").arg(double(o.ms) / 1000.0, 0, 'f', 1), -8)
                     .arg(QDir::toNativeSeparators(o.backup))
              << Qt::endl;
        if (!o.verified) {
            out() << QStringLiteral("  ") << o.why << Qt::endl;
            if (!o.backup.isEmpty())
                out() << T::restoreWith.str().arg(o.name, QDir::toNativeSeparators(o.backup)).arg(o.port) << Qt::endl;
        }
    }
    return all ? kExitOk : kExitRadio;
}

}  // namespace vx::cli
