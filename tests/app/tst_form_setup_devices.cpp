// The port setup dialog's list of the serial devices found: each present
// device with its COM number and name, likely cables marked, in both
// languages; listed afresh on each opening; between the ports and the
// buttons. The devices are fakes reached by comN links in a runtime folder
// of the test's own.
#include "app/form_setup.h"
#include "test_document.h"

#include "image/language.h"
#include "link/port_inventory.h"
#include "link/portmap.h"
#include "ui/shell.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vx;
using namespace vx::test;

namespace {

QListWidget* list(QWidget& w) { return w.findChild<QListWidget*>(QStringLiteral("List_Devices")); }

// The list's line that names `path`, or none.
QListWidgetItem* lineOf(QWidget& w, const QString& path)
{
    for (int i = 0; i < list(w)->count(); ++i)
        if (list(w)->item(i)->text().contains(path))
            return list(w)->item(i);
    return nullptr;
}

}  // namespace

class TstFormSetupDevices : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;  // XDG_RUNTIME_DIR: the comN links
    QTemporaryDir dev_;      // the fake devices
    QString ch340_, ftdi_, other_;

    void linkEveryPortTo(const QString& target)
    {
        for (int n = kFirstPort; n <= kLastPort; ++n) {
            QFile::remove(portLinkPath(n));
            QVERIFY(QFile::link(target, portLinkPath(n)));
        }
    }

private slots:
    // COM3 reaches a CH340; an FTDI cable and a board that is no cable are
    // found where no COM number reaches.
    void initTestCase()
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        QVERIFY(QDir().mkpath(portLinkFolder()));
        QFile device(dev_.filePath(QStringLiteral("ttyFAKE0")));
        QVERIFY(device.open(QIODevice::WriteOnly));
        ch340_ = QFileInfo(device).canonicalFilePath();
        ftdi_ = QFileInfo(dev_.path()).canonicalFilePath() + QStringLiteral("/ttyFAKE9");
        other_ = QFileInfo(dev_.path()).canonicalFilePath() + QStringLiteral("/ttyFAKE8");
        QVERIFY(QFile::link(ch340_, portLinkPath(3)));
    }
    void init()
    {
        setChinese(false);
        setSerialDeviceSource([this] {
            return std::vector<SerialDevice>{
                {ch340_, true, 0x1a86, 0x7523, QStringLiteral("1a86"), QStringLiteral("USB2.0-Serial"), {}},
                {ftdi_, true, 0x0403, 0x6001, QStringLiteral("FTDI"), QStringLiteral("FT232R USB UART"), QStringLiteral("A50285BI")},
                {other_, true, 0x2341, 0x0043, QStringLiteral("Arduino"), {}, {}},
            };
        });
    }
    void cleanup()
    {
        setSerialDeviceSource({});
        setChinese(false);
    }

    void listsTheDevicesFound_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("ch340");
        QTest::addColumn<QString>("ftdi");
        QTest::addColumn<QString>("other");
        QTest::addColumn<QString>("unreachedTip");
        QTest::newRow("English") << false << "Serial devices found:"
                                 << "COM3  %1  WCH CH340: 1a86 / USB2.0-Serial  (likely programming cable)"
                                 << "no COM number  %1  FTDI FT232: FTDI / FT232R USB UART, serial A50285BI  (likely programming cable)"
                                 << "no COM number  %1  Arduino"
                                 << "No COM number opens this device; a comN link in %1 makes one";
        QTest::newRow("Chinese") << true << "找到的串口设备："
                                 << "COM3  %1  WCH CH340: 1a86 / USB2.0-Serial  （可能是编程线）"
                                 << "无 COM 号  %1  FTDI FT232: FTDI / FT232R USB UART, 序列号 A50285BI  （可能是编程线）"
                                 << "无 COM 号  %1  Arduino"
                                 << "没有 COM 号可以打开此设备；在 %1 中建立 comN 链接即可使用";
    }
    void listsTheDevicesFound()
    {
        QFETCH(bool, inChinese);
        QFETCH(QString, caption);
        QFETCH(QString, ch340);
        QFETCH(QString, ftdi);
        QFETCH(QString, other);
        QFETCH(QString, unreachedTip);
        setChinese(inChinese);
        Form_setup w(testDocument());
        w.show();
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label_Devices"))->text(), caption);
        QCOMPARE(list(w)->selectionMode(), QAbstractItemView::NoSelection);
        const QListWidgetItem* cable = lineOf(w, ch340_);
        const QListWidgetItem* unreached = lineOf(w, ftdi_);
        const QListWidgetItem* board = lineOf(w, other_);
        QVERIFY(cable && unreached && board);
        QCOMPARE(cable->text(), ch340.arg(ch340_));
        QCOMPARE(unreached->text(), ftdi.arg(ftdi_));
        QCOMPARE(board->text(), other.arg(other_));
        QVERIFY(cable->font().bold() && unreached->font().bold() && !board->font().bold());
        QVERIFY(!cable->toolTip().contains(portLinkFolder()));
        QVERIFY2(unreached->toolTip().contains(unreachedTip.arg(portLinkFolder())), qPrintable(unreached->toolTip()));
        // The COM numbers reach devices in their order; the others follow.
        QVERIFY(list(w)->row(cable) < list(w)->row(board) && list(w)->row(board) < list(w)->row(unreached));
    }

    // Only present devices: an absent COM number is no device.
    void noDeviceFound()
    {
        setSerialDeviceSource([] { return std::vector<SerialDevice>{}; });
        linkEveryPortTo(dev_.filePath(QStringLiteral("ttyGONE")));
        Form_setup w(testDocument());
        w.show();
        const QStringList shown = [&] {
            QStringList lines;
            for (int i = 0; i < list(w)->count(); ++i)
                lines << list(w)->item(i)->text();
            return lines;
        }();
        for (int n = kFirstPort; n <= kLastPort; ++n)
            QFile::remove(portLinkPath(n));
        QVERIFY(QFile::link(ch340_, portLinkPath(3)));
        QCOMPARE(shown, QStringList{QStringLiteral("No serial device found")});
    }

    // A cable plugged in while the dialog was closed is listed when it opens again.
    void eachOpeningListsAfresh()
    {
        Form_setup w(testDocument());
        w.show();
        QVERIFY(lineOf(w, ftdi_));
        w.close();
        setSerialDeviceSource([this] { return std::vector<SerialDevice>{{ch340_, true, 0x1a86, 0x7523, {}, {}, {}}}; });
        w.show();
        QVERIFY(!lineOf(w, ftdi_));
        QCOMPARE(lineOf(w, ch340_)->text(), QStringLiteral("COM3  %1  WCH CH340  (likely programming cable)").arg(ch340_));
    }

    // The list lies below Frame1 and above the buttons, alone and in the
    // main window.
    void listLiesBetweenThePortsAndTheButtons_data()
    {
        QTest::addColumn<bool>("inMainWindow");
        QTest::newRow("alone") << false;
        QTest::newRow("in the main window") << true;
    }
    void listLiesBetweenThePortsAndTheButtons()
    {
        QFETCH(bool, inMainWindow);
        QWidget frame;
        auto* area = new QMdiArea(&frame);
        std::unique_ptr<Form_setup> alone;
        QWidget* w = nullptr;
        if (inMainWindow) {
            frame.resize(1000, 700);
            area->resize(frame.size());
            frame.show();
            shell::attachMainWindow(&frame, area);
            shell::registerWindow(QStringLiteral("Form_setup"), [] { return new Form_setup(testDocument()); });
            w = shell::openWindow(QStringLiteral("Form_setup"));
        } else {
            alone = std::make_unique<Form_setup>(testDocument());
            w = alone.get();
            w->show();
        }
        const QRect ports = w->findChild<QGroupBox*>(QStringLiteral("Frame1"))->geometry();
        const QRect label = w->findChild<QLabel*>(QStringLiteral("Label_Devices"))->geometry();
        const QRect devices = list(*w)->geometry();
        const QRect ok = w->findChild<QPushButton*>(QStringLiteral("Command_ok"))->geometry();
        QVERIFY(ports.height() > 0 && devices.height() > 0);
        QVERIFY(ports.bottom() < label.top() && label.bottom() < devices.top() && devices.bottom() < ok.top());
        QVERIFY(w->rect().contains(devices));
        if (inMainWindow) {
            shell::closeWindow(QStringLiteral("Form_setup"));
            shell::attachMainWindow(nullptr, nullptr);
        }
    }
};

QTEST_MAIN(TstFormSetupDevices)
#include "tst_form_setup_devices.moc"
