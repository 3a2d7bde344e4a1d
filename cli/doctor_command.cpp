// vxprog-cli doctor: the connection check, printed step by step, with the
// trace of the whole exchange saved to a file it names.
#include "cli/command_kit.h"
#include "cli/commands.h"
#include "cli/doctor_command_texts.h"
#include "link/doctor.h"
#include "link/portmap.h"

#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QSaveFile>

namespace vx::cli {

namespace T = doctor_command_text;

namespace {

// The port given, else the first whose device is there (COM8 down to COM1),
// else COM8.
int chosenPort(const QCommandLineParser& p)
{
    if (p.isSet(kPort))
        return p.value(kPort).toInt();
    for (int n = kLastPort; n >= kFirstPort; --n)
        if (n <= 8 && QFileInfo::exists(deviceForPort(n)))
            return n;
    return 8;
}

QString tracePath(const QCommandLineParser& p)
{
    if (p.isSet(kTraceFile))
        return p.value(kTraceFile);
    return QDir::temp().filePath(QStringLiteral("vxprog-doctor-%1.txt").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))));
}

}  // namespace

int doctorCommand(const QCommandLineParser& p, const QStringList&)
{
    const int port = chosenPort(p);
    const doctor::Environment env = doctor::environment_of(port);
    out() << T::checking.str().arg(port).arg(env.device.path) << Qt::endl;
    doctor::Check check(env, [] { return clock().elapsed(); });
    QEventLoop loop;
    check.onFinished = [&] { loop.quit(); };
    check.start();
    if (check.running())
        loop.exec();
    for (const QString& line : doctor::report(check.results(), port, chinese()))
        out() << line << Qt::endl;

    const QString path = tracePath(p);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write((check.trace() + doctor::report(check.results(), port, false)).join(QLatin1Char('\n')).toUtf8() + '\n');
        if (file.commit()) {
            out() << T::traceSaved.str().arg(QDir::toNativeSeparators(path)) << Qt::endl;
        } else {
            err() << T::traceFailed.str().arg(QDir::toNativeSeparators(path)) << Qt::endl;
        }
    } else {
        err() << T::traceFailed.str().arg(QDir::toNativeSeparators(path)) << Qt::endl;
    }
    const auto failure = check.failure();
    if (!failure)
        return kExitOk;
    return failure->step == doctor::Step::Devices || failure->step == doctor::Step::Open ? kExitPort : kExitRadio;
}

}  // namespace vx::cli
