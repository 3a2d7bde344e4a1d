// Program -> Restore points…: the store's points newest first with their
// radio, local time, kind and rows changed; a point that cannot be read is
// listed as such and can only be deleted; Open loads a point into the
// document as a data file loads; Compare and Write hand it to their windows;
// Delete removes its file.
#include "fake_link.h"
#include "prompts.h"
#include "test_document.h"

#include "app/compare_window.h"
#include "app/restore_window.h"
#include "app/write_changes.h"
#include "editors/defaults.h"
#include "image/language.h"
#include "interchange/config/config.h"
#include "interchange/restore_points.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <ctime>

using namespace vx;
using namespace vx::test;

namespace {

const restore::Radio kRadio{"VX-80", "aaaaaabbbbbbcccc"};
const restore::Radio kOther{"VX-80", "zzzzzzyyyyyyxxxx"};
// 10:00 UTC; the test runs in China Standard Time, eight hours ahead.
const QDateTime kNoon(QDate(2026, 12, 10), QTime(10, 0, 5), Qt::UTC);

Image patterned(uint8_t seed)
{
    Image image;
    for (int i = 0; i < Image::kSize; ++i)
        image.bytes()[size_t(i)] = uint8_t(seed + i * 7);
    return image;
}

restore::Store store() { return restore::Store(restore::Store::defaultFolder()); }

restore::Point add(const Image& image, const restore::Radio& radio, restore::Kind kind, int rows, const QDateTime& time)
{
    const std::optional<restore::Point> p = store().add(image, radio, kind, rows, time);
    if (!p)
        qFatal("the store cannot be written");
    return *p;
}

}  // namespace

class TstRestoreWindow : public QObject {
    Q_OBJECT

    CapturedPrompts prompts_;

    static Form_restore_points* open()
    {
        auto* w = qobject_cast<Form_restore_points*>(shell::reopenWindow(window::kRestorePoints));
        if (!w)
            qFatal("no restore points window");
        return w;
    }
    static QTreeWidget* list(QWidget* w) { return w->findChild<QTreeWidget*>("List_points"); }
    static QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }
    static void click(QWidget* w, const char* name) { QTest::mouseClick(button(w, name), Qt::LeftButton); }
    static QStringList row(QWidget* w, int n)
    {
        QStringList out;
        const QTreeWidgetItem* item = list(w)->topLevelItem(n);
        for (int c = 0; item && c < item->columnCount(); ++c)
            out << item->text(c);
        return out;
    }
    // A real click on the n-th point of the list.
    static void select(QWidget* w, int n)
    {
        QTreeWidget* l = list(w);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->topLevelItem(n)).center());
        QVERIFY(l->topLevelItem(n)->isSelected());
    }
    static QList<bool> usable(QWidget* w)
    {
        return {button(w, "Command_open")->isEnabled(), button(w, "Command_compare")->isEnabled(),
                button(w, "Command_write")->isEnabled(), button(w, "Command_delete")->isEnabled()};
    }

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Asia/Shanghai");
        tzset();
        registerWindows();
    }
    void init()
    {
        QDir(restore::Store::defaultFolder()).removeRecursively();
        setChinese(false);
        testImage() = patterned(1);
        prompts_.clear();
    }
    void cleanup()
    {
        shell::closeAllWindows();
        setChinese(false);
    }

    void listsThePointsNewestFirst_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("English") << false << QStringList{"Radio", "Date and time", "Kind", "Summary"}
                                 << QList<QStringList>{
                                        {"VX-80 aaaaaabbbbbbcccc", "2026-12-10 18:00:05", "Write", "1 row changed"},
                                        {"VX-80 zzzzzzyyyyyyxxxx", "2026-12-10 18:00:00", "Read", "first point of this radio"},
                                        {"VX-80 aaaaaabbbbbbcccc", "2026-12-10 17:59:05", "Backup before a change write", "before a write of 12 rows"},
                                        {"VX-80 aaaaaabbbbbbcccc", "2026-12-09 18:00:05", "Read", "no change"},
                                    };
        QTest::newRow("Chinese") << true << QStringList{"对讲机", "日期时间", "种类", "摘要"}
                                 << QList<QStringList>{
                                        {"VX-80 aaaaaabbbbbbcccc", "2026-12-10 18:00:05", "写入", "改动了 1 行"},
                                        {"VX-80 zzzzzzyyyyyyxxxx", "2026-12-10 18:00:00", "读取", "该电台的第一个还原点"},
                                        {"VX-80 aaaaaabbbbbbcccc", "2026-12-10 17:59:05", "写入前备份", "写入 12 行之前"},
                                        {"VX-80 aaaaaabbbbbbcccc", "2026-12-09 18:00:05", "读取", "与上一个还原点相同"},
                                    };
    }
    void listsThePointsNewestFirst()
    {
        QFETCH(bool, inChinese);
        QFETCH(QStringList, headings);
        QFETCH(QList<QStringList>, rows);
        add(patterned(2), kRadio, restore::Kind::Read, 0, kNoon.addDays(-1));
        add(patterned(3), kRadio, restore::Kind::Backup, 12, kNoon.addSecs(-60));
        add(patterned(4), kOther, restore::Kind::Read, -1, kNoon.addSecs(-5));
        add(patterned(5), kRadio, restore::Kind::Write, 1, kNoon);
        setChinese(inChinese);
        Form_restore_points* w = open();
        QCOMPARE(w->windowTitle(), QString(inChinese ? "还原点" : "Restore points"));
        QStringList shownHeadings;
        for (int c = 0; c < list(w)->columnCount(); ++c)
            shownHeadings << list(w)->headerItem()->text(c);
        QCOMPARE(shownHeadings, headings);
        QCOMPARE(list(w)->topLevelItemCount(), rows.size());
        for (int n = 0; n < rows.size(); ++n)
            QCOMPARE(row(w, n), rows[n]);
        QVERIFY(w->findChild<QLabel*>("Label_empty")->isHidden());
        QCOMPARE(usable(w), (QList<bool>{true, true, true, true}));  // the newest is selected
    }

    void anEmptyStore_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("label");
        QTest::newRow("English") << false << "No restore points yet: every whole read and write of a radio keeps one.";
        QTest::newRow("Chinese") << true << "还没有还原点：每次整机读取和写入都会保存一个。";
    }
    void anEmptyStore()
    {
        QFETCH(bool, inChinese);
        QFETCH(QString, label);
        setChinese(inChinese);
        Form_restore_points* w = open();
        QCOMPARE(list(w)->topLevelItemCount(), 0);
        QVERIFY(w->findChild<QLabel*>("Label_empty")->isVisible());
        QCOMPARE(w->findChild<QLabel*>("Label_empty")->text(), label);
        QCOMPARE(usable(w), (QList<bool>{false, false, false, false}));
    }

    // A point whose file is damaged is listed, never loaded: Open, Compare
    // and Write are off while it is selected, and opening it by a double
    // click is refused with the document unchanged. Delete still works.
    void anUnreadablePoint_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QByteArray>("damage");  // what the point's file becomes; "missing": removed
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("message");
        const QString en = "The restore point can not be read; the data was not changed .";
        const QString zh = "该还原点无法读取，数据未改动 ！";
        QTest::newRow("cut short") << false << QByteArray("cut") << "unreadable" << en;
        QTest::newRow("not a data file") << false << QByteArray("text") << "unreadable" << en;
        QTest::newRow("missing") << false << QByteArray("missing") << "unreadable" << en;
        QTest::newRow("cut short, Chinese") << true << QByteArray("cut") << "无法读取" << zh;
    }
    void anUnreadablePoint()
    {
        QFETCH(bool, inChinese);
        QFETCH(QByteArray, damage);
        QFETCH(QString, summary);
        QFETCH(QString, message);
        add(patterned(2), kRadio, restore::Kind::Read, -1, kNoon.addSecs(-60));
        const restore::Point bad = add(patterned(3), kRadio, restore::Kind::Write, 5, kNoon);
        QFile file(bad.path);
        if (damage == "missing") {
            QVERIFY(file.remove());
        } else {
            QVERIFY(file.open(QIODevice::ReadWrite));
            if (damage == "cut")
                QVERIFY(file.resize(file.size() / 2));
            else
                QVERIFY(file.resize(0) && file.write("This is a shopping list.\n") > 0);
            file.close();
        }
        setChinese(inChinese);
        const size_t edits = testDocument().record().size();
        const Image before = testImage();
        Form_restore_points* w = open();
        QCOMPARE(list(w)->topLevelItemCount(), 2);
        QCOMPARE(row(w, 0).value(3), summary);
        select(w, 0);
        QCOMPARE(usable(w), (QList<bool>{false, false, false, true}));
        select(w, 1);
        QCOMPARE(usable(w), (QList<bool>{true, true, true, true}));

        select(w, 0);
        QTreeWidget* l = list(w);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->topLevelItem(0)).center());
        QCOMPARE(prompts_.texts(), QStringList{message});
        QVERIFY(testImage() == before);
        QCOMPARE(testDocument().record().size(), edits);

        select(w, 0);
        click(w, "Command_delete");
        QCOMPARE(list(w)->topLevelItemCount(), 1);
        QVERIFY(!QFile::exists(bad.path));
    }

    void openLoadsThePoint_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("message");
        QTest::newRow("English") << false << "Restore point loaded.";
        QTest::newRow("Chinese") << true << "还原点已载入。";
    }
    void openLoadsThePoint()
    {
        QFETCH(bool, inChinese);
        QFETCH(QString, message);
        add(patterned(2), kRadio, restore::Kind::Read, -1, kNoon.addSecs(-60));
        add(patterned(3), kRadio, restore::Kind::Write, 5, kNoon);
        setChinese(inChinese);
        Form_restore_points* w = open();
        select(w, 1);
        click(w, "Command_open");
        QVERIFY(testImage() == patterned(2));
        QCOMPARE(testDocument().record().back().name.en, edits::loadDataFile().en);
        QCOMPARE(prompts_.all, (QList<PromptRecord>{{inChinese ? "操作提示" : "Operate prompt", PromptIcon::Warning, message}}));
    }

    void deleteRemovesTheFileAndTheRow()
    {
        const restore::Point older = add(patterned(2), kRadio, restore::Kind::Read, -1, kNoon.addSecs(-60));
        const restore::Point newer = add(patterned(3), kRadio, restore::Kind::Write, 5, kNoon);
        Form_restore_points* w = open();
        select(w, 1);
        click(w, "Command_delete");
        QVERIFY(!QFile::exists(older.path));
        QVERIFY(QFile::exists(newer.path));
        QCOMPARE(list(w)->topLevelItemCount(), 1);
        QCOMPARE(row(w, 0).value(2), QString("Write"));
        QCOMPARE(int(store().points().size()), 1);
        QVERIFY(prompts_.all.isEmpty());
    }

    // A point kept while the window is open shows once it is refreshed or
    // activated; the selection stays on its point.
    void refreshes_data()
    {
        QTest::addColumn<bool>("byActivation");
        QTest::newRow("Refresh") << false;
        QTest::newRow("activation") << true;
    }
    void refreshes()
    {
        QFETCH(bool, byActivation);
        add(patterned(2), kRadio, restore::Kind::Read, -1, kNoon.addSecs(-60));
        add(patterned(3), kRadio, restore::Kind::Read, 0, kNoon.addSecs(-30));
        Form_restore_points* w = open();
        select(w, 1);
        add(patterned(4), kRadio, restore::Kind::Write, 7, kNoon);
        QCOMPARE(list(w)->topLevelItemCount(), 2);
        if (byActivation) {
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(w, &activate);
        } else {
            click(w, "Command_refresh");
        }
        QCOMPARE(list(w)->topLevelItemCount(), 3);
        QCOMPARE(row(w, 0).value(3), QString("7 rows changed"));
        QVERIFY(list(w)->topLevelItem(2)->isSelected());  // the point selected before
    }

    // Compare opens the compare window on the point and the document, and
    // lists what the command line's diff lists, by name.
    void compareOpensTheCompareWindow()
    {
        lay_startup_defaults(testImage());
        QVERIFY(config::apply_config("channels: [{number: 12, receive: 145.6, transmit: 145.6}]\n", testImage(), bandLimits()).ok());
        Image kept = testImage();
        QVERIFY(config::apply_config("options: {squelch_level: \"3\"}\nchannels: [{number: 12, transmit: 145.625}]\n", kept, bandLimits()).ok());
        add(kept, kRadio, restore::Kind::Read, -1, kNoon);
        const Image before = testImage();
        const size_t edits = testDocument().record().size();
        Form_restore_points* w = open();
        click(w, "Command_compare");
        auto* compare = qobject_cast<Form_compare*>(shell::findWindow(window::kCompare));
        QVERIFY(compare);
        QCOMPARE(compare->source(Form_compare::Side::First), Form_compare::Source::RestorePoint);
        QCOMPARE(compare->source(Form_compare::Side::Second), Form_compare::Source::Current);
        QCOMPARE(compare->lines(), (QStringList{"Channel 12: TX Frequency 145.62500 → 145.60000", "Options: Squelch Level 3 → 5"}));
        QCOMPARE(compare->lines().size(), config::diff_images(kept, testImage(), bandLimits()).size());
        QVERIFY(testImage() == before);
        QCOMPARE(testDocument().record().size(), edits);
    }

    // Write opens the change-only write for the point. Regression: making
    // that window copied its base's descriptor before the base was made.
    void writeOpensTheChangeWrite()
    {
        VirtualClock clock;
        clock.install();
        FakePorts ports;
        add(patterned(2), kRadio, restore::Kind::Read, -1, kNoon);
        Form_restore_points* w = open();
        click(w, "Command_write");
        QVERIFY(qobject_cast<Form_write_changes*>(shell::findWindow(window::kWriteChanges)));
        QVERIFY(testImage() == patterned(1));
        shell::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // its timers go before the clock
        setTimerFactory(nullptr);
    }
};

QTEST_MAIN(TstRestoreWindow)
#include "tst_restore_window.moc"
