// The connection check window on a fake port and virtual clock: every step
// green against a radio that answers, the cause and the next action against
// a silent one, in both languages, with the trace saved.
#include "prompts.h"
#include "radio_rig.h"
#include "test_document.h"

#include "app/form_doctor.h"
#include "image/language.h"
#include "link/portmap.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace vx;
using namespace vx::test;

namespace {

// COM1 names a device that is there (a file this user may read and write),
// so the check goes on to the fake port.
struct PresentDevice {
    QTemporaryDir runtime;
    PresentDevice()
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QDir().mkpath(portLinkFolder());
        QFile device(runtime.filePath("tty-fake"));
        device.open(QIODevice::WriteOnly);
        device.close();
        QFile::link(device.fileName(), portLinkPath(1));
    }
};

}  // namespace

class TstFormDoctor : public QObject {
    Q_OBJECT
private slots:
    void check_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("marks");
        QTest::newRow("radio, English") << false << false << "All checks passed: the radio answers on COM1." << "✓✓✓✓✓";
        QTest::newRow("radio, Chinese") << false << true << "全部检查通过：对讲机在 COM1 上应答。" << "✓✓✓✓✓";
        QTest::newRow("silent, English") << true << false << "Stopped at step 3 (The radio's answer): nothing came back" << "✓✓✗··";
        QTest::newRow("silent, Chinese") << true << true << "在第 3 步（对讲机应答）停止：没有任何应答" << "✓✓✗··";
    }
    void check()
    {
        QFETCH(bool, silent);
        QFETCH(bool, inChinese);
        QFETCH(QString, summary);
        QFETCH(QString, marks);
        setChinese(inChinese);
        PresentDevice device;
        VirtualClock clock;
        clock.install();
        CapturedPrompts prompts;
        FakePorts ports{{1}};
        testDocument().setPortNumber(1);
        Form_doctor w(testDocument());
        w.show();
        w.findChild<QPushButton*>("Command_check")->click();
        ScriptRadio radio(clock, *ports.last);
        if (silent)
            radio.answer = [](const QByteArray&) { return QByteArray(); };
        QVERIFY(clock.runUntil([&] { return !w.running(); }, 40'000));
        QCOMPARE(w.findChild<QLabel*>("Label_summary")->text(), summary);
        auto* steps = w.findChild<QTreeWidget*>("List_steps");
        QString shown;
        for (int i = 0; i < steps->topLevelItemCount(); ++i)
            shown += steps->topLevelItem(i)->text(0);
        QCOMPARE(shown, marks);
        if (silent)
            QVERIFY(steps->topLevelItem(2)->text(1).contains(inChinese ? "对讲机已开机" : "check that the radio is on"));
        QVERIFY(QFile::exists(w.tracePath()));
        QFile::remove(w.tracePath());
        QCOMPARE(radio.count('X'), 0);
        QVERIFY(!ports.last->isOpen());
        QVERIFY(prompts.all.isEmpty());
        setTimerFactory(nullptr);
        setChinese(false);
    }
};

QTEST_MAIN(TstFormDoctor)
#include "tst_form_doctor.moc"
