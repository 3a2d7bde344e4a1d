#include "link/port_inventory.h"

#include "link/port_inventory_texts.h"
#include "link/portmap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

#if !defined(Q_OS_WIN)
#include <cerrno>
#include <csignal>
#endif

namespace vx {

namespace text = port_inventory_text;

namespace {

constexpr CableChip kCableChips[] = {
#include "link/cable_chips.inc"
};

SerialDeviceSource& deviceSource()
{
    static SerialDeviceSource source;
    return source;
}

// The file a path leads to, links followed, so that a comN link, a
// /dev/serial/by-id name and the device node compare equal. Windows names
// its ports, which are not files.
QString reached(const QString& path)
{
#if defined(Q_OS_WIN)
    return path.toUpper();
#else
    return QFileInfo(path).canonicalFilePath();
#endif
}

bool processRunning(qint64 pid)
{
#if defined(Q_OS_WIN)
    Q_UNUSED(pid);
    return false;
#else
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#endif
}

void takeDetails(PortEntry& entry, const SerialDevice& device)
{
    entry.usb = device.usb;
    entry.vendorId = device.vendorId;
    entry.productId = device.productId;
    entry.manufacturer = device.manufacturer;
    entry.description = device.description;
    entry.serialNumber = device.serialNumber;
    entry.cable = device.usb ? find_cable_chip(device.vendorId, device.productId) : nullptr;
}

}  // namespace

std::span<const CableChip> cable_chips() { return kCableChips; }

const CableChip* find_cable_chip(quint16 vendorId, quint16 productId)
{
    const auto it = std::ranges::find_if(kCableChips, [&](const CableChip& c) { return c.vendorId == vendorId && c.productId == productId; });
    return it != std::end(kCableChips) ? &*it : nullptr;
}

std::vector<SerialDevice> serialDevices()
{
    if (deviceSource())
        return deviceSource()();
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice d;
#if defined(Q_OS_WIN)
        d.location = info.portName();
#else
        d.location = info.systemLocation();
#endif
        d.usb = info.hasVendorIdentifier() && info.hasProductIdentifier();
        d.vendorId = d.usb ? info.vendorIdentifier() : 0;
        d.productId = d.usb ? info.productIdentifier() : 0;
        d.manufacturer = info.manufacturer().trimmed();
        d.description = info.description().trimmed();
        d.serialNumber = info.serialNumber().trimmed();
        devices.push_back(d);
    }
    return devices;
}

void setSerialDeviceSource(SerialDeviceSource source) { deviceSource() = std::move(source); }

QStringList defaultLockFolders()
{
#if defined(Q_OS_WIN)
    return {};
#else
    return {QStringLiteral("/var/lock"), QStringLiteral("/run/lock")};
#endif
}

bool lock_held(const QString& device, const QStringList& lockFolders)
{
    if (device.isEmpty())
        return false;
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString& folder : lockFolders) {
        QFile lock(QDir(folder).filePath(QStringLiteral("LCK..") + name));
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        // Qt's lock files and the UUCP ones both begin with the holder's
        // process id as text.
        bool ok = false;
        const qint64 pid = lock.readLine(64).trimmed().toLongLong(&ok);
        if (ok && processRunning(pid))
            return true;
    }
    return false;
}

std::vector<PortEntry> port_inventory(const std::vector<SerialDevice>& devices, const QStringList& lockFolders)
{
    std::vector<QString> deviceFiles;
    for (const SerialDevice& d : devices)
        deviceFiles.push_back(reached(d.location));
    std::vector<bool> reachedByPort(devices.size(), false);

    std::vector<PortEntry> entries;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        PortEntry e;
        e.port = n;
        e.device = deviceForPort(n);
        e.linked = QFileInfo(portLinkPath(n)).isSymLink();
#if defined(Q_OS_WIN)
        e.present = true;  // whether COM n exists shows only when it opens
#else
        e.present = QFileInfo::exists(e.device);
#endif
        if (e.present) {
            e.location = reached(e.device);
            for (size_t i = 0; i < devices.size(); ++i) {
                if (!deviceFiles[i].isEmpty() && deviceFiles[i] == e.location) {
                    takeDetails(e, devices[i]);
                    reachedByPort[i] = true;
                }
            }
            // A program opening COM n locks the name it opened; another
            // may have locked the device under its own name.
            e.inUse = lock_held(e.device, lockFolders) || (e.location != e.device && lock_held(e.location, lockFolders));
        }
        entries.push_back(e);
    }

    std::vector<PortEntry> unreached;
    for (size_t i = 0; i < devices.size(); ++i) {
        if (reachedByPort[i])
            continue;
        PortEntry e;
        e.device = devices[i].location;
        e.location = deviceFiles[i].isEmpty() ? devices[i].location : deviceFiles[i];
        e.present = true;
        takeDetails(e, devices[i]);
        e.inUse = lock_held(e.device, lockFolders);
        unreached.push_back(e);
    }
    std::ranges::sort(unreached, {}, &PortEntry::device);
    entries.insert(entries.end(), unreached.begin(), unreached.end());
    return entries;
}

std::vector<PortEntry> portInventory() { return port_inventory(serialDevices(), defaultLockFolders()); }

QString usb_ids(const PortEntry& entry)
{
    if (!entry.usb)
        return {};
    return QStringLiteral("%1:%2").arg(entry.vendorId, 4, 16, QLatin1Char('0')).arg(entry.productId, 4, 16, QLatin1Char('0'));
}

QString device_name(const PortEntry& entry, bool inChinese)
{
    QStringList reported;
    for (const QString& part : {entry.manufacturer, entry.description})
        if (!part.isEmpty() && !reported.contains(part, Qt::CaseInsensitive))
            reported << part;
    QString name = reported.join(QStringLiteral(" / "));
    if (entry.cable)
        name = name.isEmpty() ? QString::fromUtf8(entry.cable->name) : QString::fromUtf8(entry.cable->name) + QStringLiteral(": ") + name;
    if (!entry.serialNumber.isEmpty()) {
        const QString serial = text::serialNumber.in(inChinese).arg(entry.serialNumber);
        name = name.isEmpty() ? serial : name + QStringLiteral(", ") + serial;
    }
    return name;
}

QStringList describe_ports(const std::vector<PortEntry>& entries, bool inChinese)
{
    const QString none = QStringLiteral("-");
    QStringList lines;
    for (const PortEntry& e : entries) {
        const QString port = e.port ? QStringLiteral("COM%1").arg(e.port, -2) : none.leftJustified(5);
        const QString how = !e.port ? none.leftJustified(5) : e.linked ? text::linked.in(inChinese) : text::fromTable.in(inChinese);
        QString line = QStringLiteral("%1  %2  %3  %4")
                           .arg(port)
                           .arg(e.device, -24)
                           .arg(how)
                           .arg(e.present ? text::present.in(inChinese) : text::absent.in(inChinese));
        if (e.present) {
            const QString ids = usb_ids(e);
            line += QStringLiteral("  %1  %2  %3  %4")
                        .arg(ids.isEmpty() ? none.leftJustified(9) : ids)
                        .arg(e.cable ? text::likelyCable.in(inChinese) : none.leftJustified(text::likelyCable.in(inChinese).size()))
                        .arg(e.inUse ? text::inUse.in(inChinese) : none.leftJustified(text::inUse.in(inChinese).size()))
                        .arg(device_name(e, inChinese));
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        lines << line;
    }
    return lines;
}

}  // namespace vx
