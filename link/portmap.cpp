#include "link/portmap.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#if defined(Q_OS_MACOS)
#include <QSerialPortInfo>
#endif

namespace vx {

QString portLinkFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return base + QStringLiteral("/vxprog");
}

QString portLinkPath(int n) { return portLinkFolder() + QStringLiteral("/com%1").arg(n); }

QString defaultDeviceForPort(int n)
{
    if (n < kFirstPort || n > kLastPort)
        return {};
#if defined(Q_OS_WIN)
    return QStringLiteral("COM%1").arg(n);
#elif defined(Q_OS_MACOS)
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString loc = info.systemLocation();
        if (loc.startsWith(QStringLiteral("/dev/cu.")) && !loc.contains(QStringLiteral("Bluetooth")))
            names << loc;
    }
    names.sort();
    return n - 1 < names.size() ? names.at(n - 1) : QStringLiteral("/dev/cu.com%1").arg(n);
#else
    static const char* const kinds[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};
    return QString::fromLatin1(kinds[(n - 1) / 4]) + QString::number((n - 1) % 4);
#endif
}

QString deviceForPort(int n)
{
    if (n < kFirstPort || n > kLastPort)
        return {};
#if !defined(Q_OS_WIN)
    const QFileInfo link(portLinkPath(n));
    if (link.isSymLink() || link.exists()) {
        const QString target = link.symLinkTarget();
        return target.isEmpty() ? link.absoluteFilePath() : target;
    }
#endif
    return defaultDeviceForPort(n);
}

}  // namespace vx
