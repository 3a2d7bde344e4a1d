// vxprog-cli ports run as a program, with the radio emulator's link and a
// user's comN links in a runtime folder of the test's own: the lines that
// scripts read, in both languages, and the same as JSON.
#include "emulator_rig.h"

#include "link/portmap.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace vx;

namespace {

constexpr int kPort = 10;

struct Run {
    int code = -1;
    QString out;
    QString err;
};

}  // namespace

class TstCliPorts : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;  // the files the links lead to
    std::optional<test::EmulatorRig> rig_;

    Run cli(const QStringList& args)
    {
        QProcess p;  // finds the links through the rig's XDG_RUNTIME_DIR
        p.start(QStringLiteral(VXPROG_CLI), args);
        if (!p.waitForFinished(60'000))
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void init()
    {
        rig_.emplace(kPort, Image{}, 0.2);
        QVERIFY(rig_->started());
    }
    void cleanup() { rig_.reset(); }

    // ports: every COM number on a line that begins as it always has (the
    // COM number, its device, link or table, present or absent), the
    // radio's link and a user's links among them; --json says the same.
    void portsListsEveryComNumber_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("linked");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("absent");
        QTest::newRow("English") << "en" << "link " << "table" << "present" << "absent";
        QTest::newRow("Chinese") << "zh" << "链接" << "端口表" << "存在" << "不存在";
    }
    void portsListsEveryComNumber()
    {
        QFETCH(QString, lang);
        QFETCH(QString, linked);
        QFETCH(QString, table);
        QFETCH(QString, present);
        QFETCH(QString, absent);
        QFile cable(path("cable"));
        QVERIFY(cable.open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(path("cable"), portLinkPath(3)));
        QVERIFY(QFile::link(path("gone"), portLinkPath(4)));

        const Run r = cli({QStringLiteral("ports"), QStringLiteral("--lang"), lang});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY2(lines.size() >= 12, qPrintable(r.out));
        for (int n = 1; n <= 12; ++n) {
            const QString device = deviceForPort(n);
            const bool exists = QFileInfo::exists(device);
            if (n == 3 || n == kPort)
                QVERIFY(exists);
            if (n == 4)
                QVERIFY(!exists);
            const QString start = QStringLiteral("COM%1  %2  %3  %4")
                                      .arg(n, -2)
                                      .arg(device, -24)
                                      .arg(n == 3 || n == 4 || n == kPort ? linked : table)
                                      .arg(exists ? present : absent);
            QVERIFY2(exists ? lines[n - 1].startsWith(start + QStringLiteral("  ")) : lines[n - 1] == start, qPrintable(lines[n - 1]));
        }
        for (const QString& line : lines.mid(12))  // the devices no COM number opens
            QVERIFY2(line.startsWith(QStringLiteral("-  ")), qPrintable(line));

        const Run json = cli({QStringLiteral("ports"), QStringLiteral("--json")});
        QCOMPARE(json.code, 0);
        const QJsonArray ports = QJsonDocument::fromJson(json.out.toUtf8()).object().value(QStringLiteral("ports")).toArray();
        QCOMPARE(ports.size(), lines.size());
        for (int n = 1; n <= 12; ++n)
            QCOMPARE(ports[n - 1].toObject().value(QStringLiteral("port")).toInt(), n);
        const QJsonObject radio = ports[kPort - 1].toObject();
        QCOMPARE(radio.value(QStringLiteral("location")).toString(), rig_->radio.devicePath());
        QVERIFY(radio.value(QStringLiteral("linked")).toBool() && radio.value(QStringLiteral("present")).toBool());
        QCOMPARE(radio.value(QStringLiteral("vendorId")), QJsonValue());  // a pseudo-terminal has no USB ids
        QCOMPARE(ports[2].toObject().value(QStringLiteral("location")).toString(), QFileInfo(path("cable")).canonicalFilePath());
        QVERIFY(!ports[3].toObject().value(QStringLiteral("present")).toBool());
        QCOMPARE(ports[3].toObject().value(QStringLiteral("location")), QJsonValue());
    }
};

QTEST_GUILESS_MAIN(TstCliPorts)
#include "tst_cli_ports.moc"
