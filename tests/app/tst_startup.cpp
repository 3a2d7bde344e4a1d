// Start-up: the order of its steps, the state it leaves, and the display
// advice on small screens.

#include "app/mdimain.h"
#include "test_document.h"
#include "app/startup.h"
#include "app/windows.h"
#include "editors/defaults.h"
#include "fake_link.h"
#include "image/image.h"
#include "image/language.h"
#include "image/tables.h"
#include "link/identification.h"
#include "link/port.h"
#include "link/status.h"
#include "prompts.h"
#include "ui/shell.h"

#include <QAction>
#include <QLabel>
#include <QTest>

using namespace vx;
using namespace vx::test;

class TestStartup : public QObject {
    Q_OBJECT

private:
    test::VirtualClock clock;
    std::set<int> ports{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

    // Runs start-up on a fresh main window, recording the steps.
    QStringList start(MDImain& w)
    {
        QStringList steps;
        runStartup(w, [&](const QString& step) { steps << step; });
        return steps;
    }

private slots:
    void initTestCase()
    {
        qApp->setQuitOnLastWindowClosed(false);
        setSerialPortFactory([this] {
            auto port = std::make_unique<test::FakePort>();
            port->available = ports;
            return port;
        });
        clock.install();
    }

    void init()
    {
        shell::setScreenSizeOverride({1024, 768});
        registerWindows();
        clearStatusPanels();
        setChinese(true);
        setBandLimits({136, 174, 400, 480});
    }

    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setChinese(false);
    }

    void stepsRunInOrder()
    {
        test::CapturedPrompts prompts;
        MDImain w(testDocument());
        const QStringList expected{"language", "captions",       "version", "show",         "advice",         "probe",
                                   "tables",   "identification", "image",   "adjust.table", "open.frm_option"};
        QCOMPARE(startupStepNames(), expected);
        QCOMPARE(start(w), expected);
    }

    void stateAfterStartup()
    {
        test::CapturedPrompts prompts;
        testImage().set(1000, 3, 0x12);
        testImage().set(700, 0, 0x34);
        MDImain w(testDocument());
        QString panel6AtShow;
        bool visibleAtAdvice = false;
        runStartup(w, [&](const QString& step) {
            if (step == "show")
                panel6AtShow = w.panel(6)->text();
            if (step == "advice")
                visibleAtAdvice = w.isVisible();
        });
        QCOMPARE(panel6AtShow, QString("V15.8.25"));
        QVERIFY(visibleAtAdvice);

        QVERIFY(!chinese());
        QCOMPARE(callAlertTexts(), callAlertTexts(false));
        QCOMPARE(bandLimits(), kDefaultBandLimits);
        QCOMPARE(w.windowTitle(), QString("Varnel MINI VX-40 / MOBILE VX-80 Series Program Software.( VIP )"));
        QCOMPARE(w.item("Prog_read")->text(), QString("Read form radio"));
        QCOMPARE(w.item("frm_adj")->text(), QString("Other"));
        QVERIFY(w.item("Language_eng")->isChecked());
        const QStringList panels{"Model:", "", "S I M:", "", "MCU-Version:", "V15.8.25", "Band-A", "", "Band-B", "", ""};
        for (int i = 1; i <= 11; ++i)
            QCOMPARE(w.panel(i)->text(), panels[i - 1]);
        QCOMPARE(w.size(), QSize(1024, 768));
        QCOMPARE(w.pos(), QPoint(0, 0));
        QVERIFY(w.isVisible());
        QCOMPARE(testImage().at(1000, 3), uint8_t(0xFF));
        QCOMPARE(testImage().at(700, 0), uint8_t(0xFF));
        QCOMPARE(shell::openWindowNames(), QStringList{"frm_option"});
        QCOMPARE(mainIdentification(), w.identification());
    }

    void displayAdvice_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("chineseBefore");
        QTest::addColumn<bool>("advised");
        QTest::newRow("1024x768") << QSize(1024, 768) << false << false;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << false << false;
        QTest::newRow("1020x767, just large enough") << QSize(1020, 767) << false << false;
        QTest::newRow("1019x768, too narrow") << QSize(1019, 768) << false << true;
        QTest::newRow("1024x766, too low") << QSize(1024, 766) << false << true;
        QTest::newRow("1024x600") << QSize(1024, 600) << false << true;
        QTest::newRow("800x600, was Chinese") << QSize(800, 600) << true << true;
    }

    void displayAdvice()
    {
        QFETCH(QSize, screen);
        QFETCH(bool, chineseBefore);
        QFETCH(bool, advised);
        shell::setScreenSizeOverride(screen);
        setChinese(chineseBefore);
        QCOMPARE(screenNeedsAdvice(screen), advised);
        test::CapturedPrompts prompts;
        QString stepAtPrompt;
        QString current;
        prompts.onShow = [&](const PromptRecord&) { stepAtPrompt = current; };
        MDImain w(testDocument());
        runStartup(w, [&](const QString& step) { current = step; });
        if (advised) {
            QCOMPARE(prompts.all, QList<PromptRecord>({{"操作提示", PromptIcon::Warning, "建议将计算机的显示模式设置为 1024 X 768 "}}));
            QCOMPARE(stepAtPrompt, QString("advice"));
        } else {
            QVERIFY(prompts.all.isEmpty());
        }
        QCOMPARE(w.size(), screen);
    }

    void probeTakesTheHighestPortThatOpens()
    {
        test::CapturedPrompts prompts;
        ports = {1, 3};
        MDImain w(testDocument());
        start(w);
        ports = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        QCOMPARE(portNumber(), 3);
        QVERIFY(!portFailure());
    }

    // The command-line programmer starts a read from the same image the
    // window program's start-up lays down (before the options editor opens
    // and shows it).
    void startupDefaultsAreTheSharedOnes()
    {
        MDImain w(testDocument());
        Image beforeEditor;
        runStartup(w, [&](const QString& step) {
            if (step == QLatin1String("open.frm_option"))
                beforeEditor = testImage();
        });
        Image shared;
        lay_startup_defaults(shared);
        QVERIFY(beforeEditor == shared);
    }

    // The identification reports a port that will not open; the main
    // window shows its message.
    void noPortShowsTheMainWindowsMessage()
    {
        test::CapturedPrompts prompts;
        ports = {};
        MDImain w(testDocument());
        start(w);
        ports = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        QVERIFY(portFailure());
        QVERIFY(prompts.all.contains(PromptRecord{"Operate Prompt", PromptIcon::Warning, "Communication Port Open Error ！"}));
    }

    void identificationEnablesTheEditorEntries()
    {
        test::CapturedPrompts prompts;
        MDImain w(testDocument());
        start(w);
        QVERIFY(w.identification()->probing());
        const char* entries[] = {"fm_chann_edit", "chann_edit", "sys_edit", "sig_edit"};
        for (const char* e : entries)
            w.item(e)->setEnabled(false);

        auto& port = dynamic_cast<test::FakePort&>(w.identification()->port());
        clock.advance(200);  // the handshake has left
        QByteArray reply(50, '\0');
        const char digits[] = {1, 3, 6, 1, 7, 4, 4, 0, 0, 4, 8, 0};
        for (int i = 0; i < 12; ++i)
            reply[1 + i] = digits[i];
        reply.replace(13, 4, "PNRB");
        reply.replace(17, 6, "VX-80 ");
        reply[49] = char(0x55);
        port.deliver(reply);

        QVERIFY(w.identification()->identified());
        for (const char* e : entries)
            QVERIFY(w.item(e)->isEnabled());
        QCOMPARE(w.panel(8)->text(), QString(" 136-- 174 MHZ"));
        QCOMPARE(w.panel(10)->text(), QString(" 400-- 480 MHZ"));
        QCOMPARE(w.panel(2)->text(), QString("VX-80 "));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
