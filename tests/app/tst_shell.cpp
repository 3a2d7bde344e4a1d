// The window shell: the geometry rule, placement in the main window, and
// windows standing alone.

#include "app/mdimain.h"
#include "test_document.h"
#include "fake_link.h"
#include "ui/geometry.h"
#include "ui/shell.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

using namespace vx;
using namespace vx::test;

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qApp->setQuitOnLastWindowClosed(false);
        setSerialPortFactory([] { return std::make_unique<test::FakePort>(); });
    }

    void rule_data()
    {
        QTest::addColumn<int>("mainTwips");
        QTest::addColumn<int>("screenTwips");
        QTest::addColumn<int>("design");
        QTest::addColumn<int>("expected");
        QTest::newRow("full-screen main gets the design size") << 15360 << 15360 << 6400 << 6400;
        QTest::newRow("design wider than half the screen") << 15360 << 15360 << 14000 << 14000;
        QTest::newRow("screen 0: divisor 0 counts as 1") << 9000 << 0 << 14000 << 9000;
        QTest::newRow("design 0 counts as divisor 1") << 9000 << 9000 << 0 << 9000;
        QTest::newRow("half-size main") << 7680 << 15360 << 5000 << 2500;
    }

    void rule()
    {
        QFETCH(int, mainTwips);
        QFETCH(int, screenTwips);
        QFETCH(int, design);
        QFETCH(int, expected);
        QCOMPARE(childTwips(mainTwips, screenTwips, design), expected);
    }

    void placedInTheMainWindow_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("designW");
        QTest::addColumn<int>("designH");
        QTest::newRow("1024x768, 6400 x 6000") << QSize(1024, 768) << 6400 << 6000;
        QTest::newRow("1280x1024, 14000 x 9500") << QSize(1280, 1024) << 14000 << 9500;
        QTest::newRow("800x600, design wider than the screen") << QSize(800, 600) << 14000 << 9500;
    }

    void placedInTheMainWindow()
    {
        QFETCH(QSize, screen);
        QFETCH(int, designW);
        QFETCH(int, designH);
        shell::setScreenSizeOverride(screen);
        shell::registerWindow("frm_test", [&] {
            auto* w = new QWidget;
            shell::placeChild(w, designW, designH);
            return w;
        });
        MDImain main(testDocument());
        main.showScreenSized();
        QCOMPARE(main.size(), screen);
        QWidget* w = shell::openWindow("frm_test");
        QVERIFY(w);
        auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->size(), childSize(screen, screen, designW, designH));
        const QSize client = main.mdiArea()->viewport()->size();
        QCOMPARE(shell::clientArea().size(), client);
        const QPoint centred = centredIn(client, frame->size());
        QCOMPARE(frame->pos(), QPoint(qMax(0, centred.x()), qMax(0, centred.y())));
        QVERIFY(shell::closeWindow("frm_test"));
    }

    void standaloneWindowKeepsItsSize()
    {
        shell::registerWindow("frm_test", [] {
            auto* w = new QWidget;
            w->resize(321, 123);
            shell::placeChild(w, 6400, 6000);
            return w;
        });
        QWidget* w = shell::openWindow("frm_test");
        QVERIFY(w);
        QVERIFY(w->isWindow());
        QVERIFY(w->isVisible());
        QCOMPARE(w->size(), QSize(321, 123));
        QCOMPARE(shell::openWindow("frm_test"), w);
        QVERIFY(shell::closeWindow("frm_test"));
        QVERIFY(!shell::findWindow("frm_test"));
    }

    void unknownNameOpensNothing()
    {
        QVERIFY(!shell::openWindow("no_such_window"));
        QVERIFY(!shell::reopenWindow("no_such_window"));
        QVERIFY(shell::closeWindow("no_such_window"));
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
