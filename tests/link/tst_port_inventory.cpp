// The port inventory without hardware: the cable chips and the udev rule
// made from the same list, COM numbers joined with the devices the system
// lists (through comN links, chains of links, twice over), lock files, and
// the port list's text in both languages. Fake devices are plain files in
// a temporary folder, reached by comN links in a runtime folder of the
// test's own.
#include "link/port_inventory.h"
#include "link/portmap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace vx;

Q_DECLARE_METATYPE(vx::PortEntry)

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The entry of COM n, or of the device at `location` that no COM number opens.
std::optional<PortEntry> entryOf(const std::vector<PortEntry>& entries, int port, const QString& location = {})
{
    for (const PortEntry& e : entries)
        if (e.port == port && (port || e.location == location))
            return e;
    return std::nullopt;
}

SerialDevice usbDevice(const QString& path, quint16 vendor, quint16 product, const char* maker, const char* product_, const char* serial)
{
    return {path, true, vendor, product, QString::fromUtf8(maker), QString::fromUtf8(product_), QString::fromUtf8(serial)};
}

}  // namespace

class TstPortInventory : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;  // XDG_RUNTIME_DIR: the comN links
    QTemporaryDir dev_;      // the fake devices
    QTemporaryDir locks_;    // a lock folder
    std::vector<SerialDevice> devices_;

    QString dev(const QString& name) const { return QFileInfo(dev_.filePath(name)).canonicalFilePath(); }
    void link(int n, const QString& target) { QVERIFY(QFile::link(target, portLinkPath(n))); }
    std::vector<PortEntry> inventory() const { return port_inventory(devices_, {locks_.path()}); }

private slots:
    // COM3 and COM7 lead to one CH340, COM4 through a by-id name to an FTDI
    // chip, COM6 to a device that is gone; a PL2303 and a device without USB
    // ids are listed but no COM number reaches them.
    void initTestCase()
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        QVERIFY(QDir().mkpath(portLinkFolder()));
        QVERIFY(QDir(dev_.path()).mkpath(QStringLiteral("serial/by-id")));
        for (const char* name : {"ttyFAKE0", "ttyFAKE1", "ttyFAKE2", "ttyFAKE3"})
            QVERIFY(writeFile(dev_.filePath(QLatin1String(name)), {}));
        const QString byId = dev_.filePath(QStringLiteral("serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"));
        QVERIFY(QFile::link(QStringLiteral("../../ttyFAKE1"), byId));
        link(3, dev(QStringLiteral("ttyFAKE0")));
        link(4, byId);
        link(6, dev_.filePath(QStringLiteral("ttyGONE")));
        link(7, dev(QStringLiteral("ttyFAKE0")));
        devices_ = {
            usbDevice(dev(QStringLiteral("ttyFAKE0")), 0x1a86, 0x7523, "1a86", "USB2.0-Serial", ""),
            usbDevice(dev(QStringLiteral("ttyFAKE1")), 0x0403, 0x6001, "FTDI", "FT232R USB UART", "A50285BI"),
            usbDevice(dev(QStringLiteral("ttyFAKE2")), 0x067b, 0x2303, "Prolific Technology Inc.", "USB-Serial Controller", ""),
            {dev(QStringLiteral("ttyFAKE3")), false, 0, 0, {}, {}, {}},
        };
    }

    // The chips the port list marks and the udev rule grants are found by
    // vendor and product together: a chip of the same maker is not a cable.
    void cableChipsByVendorAndProduct_data()
    {
        QTest::addColumn<int>("vendor");
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("chip");
        QTest::newRow("PL2303") << 0x067b << 0x2303 << "Prolific PL2303";
        QTest::newRow("PL2303GC") << 0x067b << 0x23a3 << "Prolific PL2303GC";
        QTest::newRow("CH340") << 0x1a86 << 0x7523 << "WCH CH340";
        QTest::newRow("CH341") << 0x1a86 << 0x5523 << "WCH CH341";
        QTest::newRow("CP210x") << 0x10c4 << 0xea60 << "Silicon Labs CP210x";
        QTest::newRow("FT232") << 0x0403 << 0x6001 << "FTDI FT232";
        QTest::newRow("FT-X") << 0x0403 << 0x6015 << "FTDI FT-X (FT230X, FT231X)";
        QTest::newRow("FTDI FT2232, not a cable chip") << 0x0403 << 0x6010 << "";
        QTest::newRow("WCH, another product") << 0x1a86 << 0x7522 << "";
        QTest::newRow("product of another vendor") << 0x10c4 << 0x2303 << "";
        QTest::newRow("no ids") << 0 << 0 << "";
    }
    void cableChipsByVendorAndProduct()
    {
        QFETCH(int, vendor);
        QFETCH(int, product);
        QFETCH(QString, chip);
        const CableChip* found = find_cable_chip(quint16(vendor), quint16(product));
        QCOMPARE(found ? QString::fromUtf8(found->name) : QString(), chip);
    }

    // The package's udev rule grants exactly the chips the port list marks,
    // one rule a chip in the form udev and logind act on.
    void udevRuleGrantsEveryCableChip()
    {
#if !defined(VX_CABLE_RULES)
        QSKIP("the udev rule is made on Linux only");
#else
        QFile file(QStringLiteral(VX_CABLE_RULES));
        QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), VX_CABLE_RULES);
        static const QRegularExpression rule(QStringLiteral(
            R"re(^SUBSYSTEM=="tty", ATTRS\{idVendor\}=="([0-9a-f]{4})", ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess"$)re"));
        QSet<QString> granted;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const QRegularExpressionMatch m = rule.match(line);
            QVERIFY2(m.hasMatch(), qPrintable(line));
            QVERIFY2(!granted.contains(m.captured(1) + m.captured(2)), qPrintable(line));
            granted << m.captured(1) + m.captured(2);
        }
        QSet<QString> chips;
        for (const CableChip& c : cable_chips())
            chips << QStringLiteral("%1%2").arg(c.vendorId, 4, 16, QLatin1Char('0')).arg(c.productId, 4, 16, QLatin1Char('0'));
        QCOMPARE(granted, chips);
#endif
    }

    // Every COM number once, in order, then the devices no COM number opens.
    void everyComNumberThenTheDevicesNoneOpens()
    {
        const std::vector<PortEntry> entries = inventory();
        QCOMPARE(entries.size(), size_t(kLastPort + 2));
        for (int n = kFirstPort; n <= kLastPort; ++n) {
            QCOMPARE(entries[n - 1].port, n);
            QCOMPARE(entries[n - 1].device, deviceForPort(n));
        }
        QCOMPARE(entries[12].location, dev(QStringLiteral("ttyFAKE2")));
        QCOMPARE(entries[13].location, dev(QStringLiteral("ttyFAKE3")));
    }

    void comNumbersReachDevices_data()
    {
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("location");  // for port 0
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("reaches");
        QTest::addColumn<QString>("ids");
        QTest::addColumn<QString>("chip");
        QTest::newRow("COM3 through its link") << 3 << "" << true << true << "ttyFAKE0" << "1a86:7523" << "WCH CH340";
        QTest::newRow("COM4 through a by-id name") << 4 << "" << true << true << "ttyFAKE1" << "0403:6001" << "FTDI FT232";
        QTest::newRow("COM7, the device of COM3 again") << 7 << "" << true << true << "ttyFAKE0" << "1a86:7523" << "WCH CH340";
        QTest::newRow("COM6, its device gone") << 6 << "" << true << false << "" << "" << "";
        QTest::newRow("unreached PL2303") << 0 << "ttyFAKE2" << false << true << "ttyFAKE2" << "067b:2303" << "Prolific PL2303";
        QTest::newRow("unreached, no USB ids") << 0 << "ttyFAKE3" << false << true << "ttyFAKE3" << "" << "";
    }
    void comNumbersReachDevices()
    {
        QFETCH(int, port);
        QFETCH(QString, location);
        QFETCH(bool, linked);
        QFETCH(bool, present);
        QFETCH(QString, reaches);
        QFETCH(QString, ids);
        QFETCH(QString, chip);
        const auto e = entryOf(inventory(), port, location.isEmpty() ? QString() : dev(location));
        QVERIFY(e);
        QCOMPARE(e->linked, linked);
        QCOMPARE(e->present, present);
        QCOMPARE(e->location, reaches.isEmpty() ? QString() : dev(reaches));
        QCOMPARE(usb_ids(*e), ids);
        QCOMPARE(e->cable ? QString::fromUtf8(e->cable->name) : QString(), chip);
        QVERIFY(!e->inUse);
    }

    // A lock file counts only while the process it names runs.
    void lockFiles_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("lockName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("held");
        const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
        QProcess finished;
        finished.start(QStringLiteral("true"));
        QVERIFY(finished.waitForStarted());
        const QByteArray gone = QByteArray::number(finished.processId());
        QVERIFY(finished.waitForFinished());
        QTest::newRow("Qt's lock, running") << "/dev/ttyUSB0" << "LCK..ttyUSB0" << self + "\nvxprog\nhost\n" << true;
        QTest::newRow("UUCP lock, running") << "/dev/ttyUSB0" << "LCK..ttyUSB0" << QByteArray("      ") + self + "\n" << true;
        QTest::newRow("a path outside /dev") << "/proc/77/fd/9" << "LCK.._proc_77_fd_9" << self + "\n" << true;
        QTest::newRow("a name under /dev") << "/dev/pts/3" << "LCK..pts_3" << self + "\n" << true;
        QTest::newRow("stale: its process ended") << "/dev/ttyUSB0" << "LCK..ttyUSB0" << gone + "\n" << false;
        QTest::newRow("no process id") << "/dev/ttyUSB0" << "LCK..ttyUSB0" << QByteArray("locked\n") << false;
        QTest::newRow("empty") << "/dev/ttyUSB0" << "LCK..ttyUSB0" << QByteArray() << false;
        QTest::newRow("another device's") << "/dev/ttyUSB0" << "LCK..ttyUSB1" << self + "\n" << false;
    }
    void lockFiles()
    {
        QFETCH(QString, device);
        QFETCH(QString, lockName);
        QFETCH(QByteArray, content);
        QFETCH(bool, held);
        QTemporaryDir folder;
        QVERIFY(writeFile(folder.filePath(lockName), content));
        QCOMPARE(lock_held(device, {QStringLiteral("/nonexistent"), folder.path()}), held);
    }

    // A program that opened COM3 locked the name it opened: the device is in
    // use on every line that reaches it.
    void lockedDeviceIsInUseOnEveryLine()
    {
        const QString lock = locks_.filePath(QStringLiteral("LCK..") + deviceForPort(3).replace(QLatin1Char('/'), QLatin1Char('_')));
        QVERIFY(writeFile(lock, QByteArray::number(QCoreApplication::applicationPid()) + "\n"));
        const std::vector<PortEntry> entries = inventory();
        QFile::remove(lock);
        QVERIFY(entryOf(entries, 3)->inUse);
        QVERIFY(entryOf(entries, 7)->inUse);
        QVERIFY(!entryOf(entries, 4)->inUse);
    }

    void describe_data()
    {
        QTest::addColumn<PortEntry>("entry");
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("line");
        PortEntry absent{.port = 6, .device = QStringLiteral("/dev/ttyUSB1")};
        QTest::newRow("absent") << absent << false << "COM6   /dev/ttyUSB1              table  absent";
        QTest::newRow("absent, zh") << absent << true << "COM6   /dev/ttyUSB1              端口表  不存在";

        PortEntry plain{.port = 1, .device = QStringLiteral("/dev/ttyS0"), .location = QStringLiteral("/dev/ttyS0"), .present = true};
        QTest::newRow("no USB ids") << plain << false << "COM1   /dev/ttyS0                table  present  -          -       -";
        QTest::newRow("no USB ids, zh") << plain << true << "COM1   /dev/ttyS0                端口表  存在  -          -     -";

        PortEntry cable{.port = 10,
                        .device = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"),
                        .location = QStringLiteral("/dev/ttyUSB4"),
                        .linked = true,
                        .present = true,
                        .usb = true,
                        .vendorId = 0x0403,
                        .productId = 0x6001,
                        .manufacturer = QStringLiteral("FTDI"),
                        .description = QStringLiteral("FT232R USB UART"),
                        .serialNumber = QStringLiteral("A50285BI"),
                        .cable = find_cable_chip(0x0403, 0x6001),
                        .inUse = true};
        QTest::newRow("linked cable in use")
            << cable << false
            << "COM10  /dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0  link   present  0403:6001  cable?  in-use  FTDI FT232: FTDI / FT232R USB UART, serial A50285BI";
        QTest::newRow("linked cable in use, zh")
            << cable << true
            << "COM10  /dev/serial/by-id/usb-FTDI_FT232R_A50285BI-if00-port0  链接  存在  0403:6001  编程线?  使用中  FTDI FT232: FTDI / FT232R USB UART, 序列号 A50285BI";

        // A maker that repeats the product is said once.
        PortEntry unreached{.device = QStringLiteral("/dev/ttyUSB5"),
                            .location = QStringLiteral("/dev/ttyUSB5"),
                            .present = true,
                            .usb = true,
                            .vendorId = 0x2341,
                            .productId = 0x0043,
                            .manufacturer = QStringLiteral("Arduino"),
                            .description = QStringLiteral("arduino")};
        QTest::newRow("no COM number opens it")
            << unreached << false << "-      /dev/ttyUSB5              -      present  2341:0043  -       -       Arduino";
        QTest::newRow("no COM number opens it, zh")
            << unreached << true << "-      /dev/ttyUSB5              -      存在  2341:0043  -     -    Arduino";
    }
    void describe()
    {
        QFETCH(PortEntry, entry);
        QFETCH(bool, inChinese);
        QFETCH(QString, line);
        QCOMPARE(describe_ports({entry}, inChinese), QStringList{line});
    }
};

QTEST_GUILESS_MAIN(TstPortInventory)
#include "tst_port_inventory.moc"
