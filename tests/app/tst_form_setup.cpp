// The port setup dialog: the selection on opening, confirming a port that
// opens or one that does not, and Cancel.
#include "app/form_setup.h"
#include "test_document.h"
#include "app/mdimain.h"
#include "fake_link.h"
#include "image/language.h"
#include "link/identification.h"
#include "link/portmap.h"
#include "link/status.h"
#include "prompts.h"
#include "ui/shell.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vx;
using namespace vx::test;

namespace {

QRadioButton* option(QWidget& w, int n) { return w.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(n)); }

// A click on the option's indicator (its label does not fill its cell).
void choose(QWidget& w, int n)
{
    QRadioButton* button = option(w, n);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    QVERIFY(button->isChecked());
}

void click(QWidget& w, const char* name)
{
    QTest::mouseClick(w.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

void fillPanels()
{
    for (int panel : {2, 4, 6, 8, 10})
        setStatusPanel(panel, QStringLiteral("old"));
}

// The main window's part: an MDI area and the identification.
struct MainWindow {
    Identification id{testLink()};
    QWidget frame;
    QMdiArea* area = new QMdiArea(&frame);
    MainWindow()
    {
        frame.resize(1000, 700);
        area->resize(frame.size());
        frame.show();
        shell::attachMainWindow(&frame, area);
        setMainIdentification(&id);
        shell::registerWindow(QStringLiteral("Form_setup"), [] { return new Form_setup(testDocument()); });
    }
    ~MainWindow()
    {
        shell::attachMainWindow(nullptr, nullptr);
        setMainIdentification(nullptr);
    }
};

}  // namespace

class TstFormSetup : public QObject {
    Q_OBJECT

    test::VirtualClock clock_;

private slots:
    void init()
    {
        setSerialPortFactory([] {
            auto port = std::make_unique<test::FakePort>();
            port->available = {1, 2, 3};
            return port;
        });
        clock_.install();
        setChinese(false);
        setPortNumber(1);
        fillPanels();
    }
    void cleanup()
    {
        setSerialPortFactory({});
        setTimerFactory({});
        clearStatusPanels();
    }

    void openingSelectsTheCurrentPort_data()
    {
        QTest::addColumn<int>("port");
        QTest::newRow("COM5") << 5;
        QTest::newRow("COM12") << 12;
        QTest::newRow("out of range: none") << 0;
    }
    void openingSelectsTheCurrentPort()
    {
        QFETCH(int, port);
        Form_setup w(testDocument());
        w.show();
        choose(w, 2);  // a stale choice from an earlier showing
        w.close();
        setPortNumber(port);
        w.show();
        for (int n = 1; n <= 12; ++n) {
            QCOMPARE(option(w, n)->isChecked(), n == port);
            QCOMPARE(option(w, n)->text(), QStringLiteral("COM%1").arg(n));
            QCOMPARE(option(w, n)->toolTip(), deviceForPort(n));
        }
        QCOMPARE(w.windowTitle(), QStringLiteral("Communication Port Setup"));
    }

    // In the main window the identification starts and the frame closes;
    // standing alone the dialog tests the port on its own.
    void confirmingAnAvailablePort_data()
    {
        QTest::addColumn<bool>("withMainWindow");
        QTest::newRow("in the main window") << true;
        QTest::newRow("alone") << false;
    }
    void confirmingAnAvailablePort()
    {
        QFETCH(bool, withMainWindow);
        test::CapturedPrompts prompts;
        std::unique_ptr<MainWindow> main(withMainWindow ? new MainWindow : nullptr);
        std::unique_ptr<Form_setup> alone(withMainWindow ? nullptr : new Form_setup(testDocument()));
        QWidget* w = main ? shell::openWindow(QStringLiteral("Form_setup")) : alone.get();
        w->show();
        // The button row's top is 1500 twips above the bottom of the whole
        // window (its frame included).
        const int outerHeight = main ? w->parentWidget()->height() : w->frameGeometry().height();
        QCOMPARE(w->findChild<QPushButton*>(QStringLiteral("Command_ok"))->y(), outerHeight - 1500 / 15);
        choose(*w, 3);
        click(*w, "Command_ok");
        QCOMPARE(portNumber(), 3);
        for (int panel : {2, 4, 6, 8, 10})
            QVERIFY(statusPanel(panel).isEmpty());
        QVERIFY(prompts.all.isEmpty());
        QVERIFY(!portFailure());
        if (main) {
            QVERIFY(main->id.probing());
            QCOMPARE(main->id.retriesLeft(), 3);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(!shell::findWindow(QStringLiteral("Form_setup")));
            QVERIFY(main->area->subWindowList().isEmpty());
        } else {
            QVERIFY(!w->isVisible());
        }
    }

    void missingPortShowsTheMessageOnceAndKeepsTheDialog_data()
    {
        QTest::addColumn<bool>("withMainWindow");
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        const QString zh = QStringLiteral("通讯端口打开错误，请正确设置通讯端口 ！");
        const QString en = QStringLiteral("Communication Port Open Error ！");
        QTest::newRow("main window, English") << true << false << QStringLiteral("Operate Prompt") << en;
        QTest::newRow("main window, Chinese") << true << true << QStringLiteral("操作提示") << zh;
        QTest::newRow("alone, English") << false << false << QStringLiteral("Operate Prompt") << en;
        QTest::newRow("alone, Chinese") << false << true << QStringLiteral("操作提示") << zh;
    }
    void missingPortShowsTheMessageOnceAndKeepsTheDialog()
    {
        QFETCH(bool, withMainWindow);
        QFETCH(bool, inChinese);
        QFETCH(QString, title);
        QFETCH(QString, message);
        test::CapturedPrompts prompts;
        std::unique_ptr<MainWindow> main(withMainWindow ? new MainWindow : nullptr);
        setChinese(inChinese);
        Form_setup w(testDocument());
        w.show();
        choose(w, 7);
        click(w, "Command_ok");
        // Regression: the port message must not be shown twice.
        QCOMPARE(prompts.all, (QList<PromptRecord>{{title, PromptIcon::Warning, message}}));
        QVERIFY(w.isVisible());
        QVERIFY(portFailure());
        QVERIFY(!main || !main->id.probing());
        QVERIFY(statusPanel(2).isEmpty());  // the old radio's details are gone

        click(w, "Command_Cancel");  // Cancel keeps the failed port number
        QVERIFY(!w.isVisible());
        QCOMPARE(portNumber(), 7);
        QCOMPARE(prompts.all.size(), 1);
    }

    void cancelChangesNothing()
    {
        Form_setup w(testDocument());
        w.show();
        choose(w, 9);
        click(w, "Command_Cancel");
        QCOMPARE(portNumber(), 1);
        QCOMPARE(statusPanel(4), QStringLiteral("old"));
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TstFormSetup)
#include "tst_form_setup.moc"
