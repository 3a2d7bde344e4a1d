// The change-only write with its preview, on a fake port and virtual clock:
// the read for the preview, the list by name, the rows sent, the blocks read
// back, an interrupted write and its write-back, a restore point of another
// radio, the adjustment values only when asked for.
#include "prompts.h"
#include "radio_rig.h"
#include "test_document.h"

#include "app/write_changes.h"
#include "editors/defaults.h"
#include "image/language.h"
#include "interchange/config/config.h"
#include "interchange/restore_points.h"
#include "link/whole_radio.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace vx;
using namespace vx::test;

namespace {

using Stage = Form_write_changes::Stage;

// What the radio holds: the start-up image with two channels.
Image radioMemory()
{
    Image image;
    lay_startup_defaults(image);
    prepare_whole_write(image);
    const config::Applied a = config::apply_config("options: {squelch_level: \"3\"}\n"
                                                   "channels: [{number: 12, receive: 145.6, transmit: 145.6, name: RPT1},\n"
                                                   "           {number: 13, receive: 433.5}]\n",
                                                   image, kDefaultBandLimits);
    Q_ASSERT(a.ok());
    return image;
}

// The document: the radio with channel 12's transmit frequency and the
// squelch level changed.
Image edited()
{
    Image image = radioMemory();
    const config::Applied a = config::apply_config("options: {squelch_level: \"5\"}\nchannels: [{number: 12, transmit: 145.625}]\n",
                                                   image, kDefaultBandLimits);
    Q_ASSERT(a.ok());
    return image;
}

struct Rig {
    VirtualClock clock;
    CapturedPrompts prompts;
    FakePorts ports{{1}};
    std::unique_ptr<Form_write_changes> w;
    std::unique_ptr<ScriptRadio> radio;

    explicit Rig(const Image& memory, const std::function<void(Form_write_changes&)>& before = {})
    {
        clock.install();
        w = std::make_unique<Form_write_changes>(testDocument());
        if (before)
            before(*w);
        radio = std::make_unique<ScriptRadio>(clock, *ports.last);
        radio->memory = memory;
        w->show();
        QCoreApplication::processEvents();  // the read starts once the window is up
    }
    ~Rig() { setTimerFactory(nullptr); }
    bool runTo(Stage stage) { return clock.runUntil([&] { return w->stage() == stage && !w->busy(); }); }
    QPushButton* button(const char* name) const { return w->findChild<QPushButton*>(name); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // The rows of the write packets the radio took, in order.
    QList<int> writtenRows(uint16_t base = 0) const
    {
        QList<int> rows;
        for (const QByteArray& p : radio->packets)
            if (ScriptRadio::kindOf(p) == 'X')
                rows << (ScriptRadio::addressOf(p) - base) / Image::kRowBytes;
        return rows;
    }
    QList<int> readBlocks() const
    {
        QList<int> blocks;
        for (const QByteArray& p : radio->packets)
            if (ScriptRadio::kindOf(p) == 'S')
                blocks << ScriptRadio::addressOf(p) / 64;
        return blocks;
    }
    QString summary() const { return w->findChild<QLabel*>("Label_summary")->text(); }
};

void emptyStore() { QDir(restore::Store::defaultFolder()).removeRecursively(); }

}  // namespace

class TstWriteChanges : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        setChinese(false);
        setPortNumber(1);
        testDocument().replace(edits::loadDataFile(), edited());
        emptyStore();
    }

    // The preview lists exactly the two settings changed, by name and in
    // either language, the same differences the command line's diff gives;
    // the write sends exactly their rows, in address order, and reads back
    // only their blocks. The read keeps a restore point and leaves the
    // document as it was.
    void previewAndWriteChanges_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("done");
        QTest::newRow("English") << false
                                 << QStringList{"Channel 12: TX Frequency 145.60000 → 145.62500", "Options: Squelch Level 3 → 5"}
                                 << "Write 2 changes" << "2 rows written and checked.";
        QTest::newRow("Chinese") << true << QStringList{"信道 12: 发射频率(MHZ) 145.60000 → 145.62500", "可选参数: 静噪电平 3 → 5"}
                                 << "写入 2 处改动" << "已写入 2 行，读回核对无误。";
    }
    void previewAndWriteChanges()
    {
        QFETCH(bool, inChinese);
        QFETCH(QStringList, expected);
        QFETCH(QString, button);
        QFETCH(QString, done);
        setChinese(inChinese);
        const Image document = testImage();
        const size_t edits = testDocument().record().size();
        Rig rig(radioMemory());
        QVERIFY(rig.runTo(Stage::Preview));

        QCOMPARE(rig.w->lines(), expected);
        QCOMPARE(rig.w->findChild<QTreeWidget*>("List_changes")->topLevelItemCount(), 2);
        QCOMPARE(config::diff_images(radioMemory(), document).size(), 2);  // what vxprog-cli diff lists
        QCOMPARE(rig.button("Command_write_changes")->text(), button);
        QVERIFY(rig.button("Command_write_changes")->isEnabled());
        QVERIFY(testImage() == document);
        QCOMPARE(testDocument().record().size(), edits);
        QCOMPARE(rig.radio->count('X'), 0);
        const std::vector<int> rows = rig.w->rows();
        QCOMPARE(int(rows.size()), 2);
        QVERIFY(rows[0] < rows[1]);

        const restore::Store store(restore::Store::defaultFolder());
        std::vector<restore::Point> points = store.points();
        QCOMPARE(int(points.size()), 1);
        QCOMPARE(points[0].kind, restore::Kind::Backup);
        QCOMPARE(points[0].rowsChanged, 2);
        Image kept;
        QVERIFY(store.load(points[0], kept));
        for (int r = 0; r < region::wholeRead.last; ++r)
            QVERIFY(std::ranges::equal(kept.row(r), radioMemory().row(r)));

        rig.radio->packets.clear();
        rig.click("Command_write_changes");
        QVERIFY(rig.runTo(Stage::Done));
        QCOMPARE(rig.writtenRows(), (QList<int>{rows[0], rows[1]}));
        QList<int> blocks;
        for (int b : blocksOfRows(rows))
            blocks << b;
        QCOMPARE(rig.readBlocks(), blocks);
        QVERIFY2(rig.prompts.texts() == QStringList{done}, qPrintable(rig.prompts.texts().join("\n")));
        for (int r = 0; r <= region::wholeWrite.last; ++r)
            QVERIFY2(std::ranges::equal(rig.radio->memory.row(r), document.row(r)), qPrintable(QString::number(r)));
        points = store.points();
        QCOMPARE(int(points.size()), 2);
        QCOMPARE(points[0].kind, restore::Kind::Write);
        QVERIFY(testImage() == document);
    }

    // A radio that holds everything already: the list says so, nothing is
    // sent, and only Write everything is offered.
    void nothingToWrite()
    {
        testDocument().replace(edits::loadDataFile(), radioMemory());
        Rig rig(radioMemory());
        QVERIFY(rig.runTo(Stage::Preview));
        QVERIFY(rig.w->lines().isEmpty());
        QVERIFY2(rig.summary().endsWith("The radio already holds all of it: there is nothing to write."), qPrintable(rig.summary()));
        QVERIFY(!rig.button("Command_write_changes")->isEnabled());
        QVERIFY(rig.button("Command_write_all")->isEnabled());
        rig.click("Command_write_changes");
        QVERIFY(!rig.w->busy());
        QCOMPARE(rig.radio->count('X'), 0);
    }

    // Write everything sends every row as the whole write does and checks
    // them with a whole read.
    void writeEverything()
    {
        Rig rig(radioMemory());
        QVERIFY(rig.runTo(Stage::Preview));
        rig.radio->packets.clear();
        rig.click("Command_write_all");
        QVERIFY(rig.runTo(Stage::Done));
        QCOMPARE(rig.radio->count('X'), kWholeWriteRows);
        QCOMPARE(rig.radio->count('S'), kWholeReadBlocks);
        QCOMPARE(rig.prompts.texts(), QStringList{"784 rows written and checked."});
    }

    // A radio that does not answer: the read fails cleanly, nothing is
    // written and the document is as it was.
    void readFails()
    {
        const Image document = testImage();
        Rig rig(radioMemory());
        rig.radio->answer = [](const QByteArray&) { return QByteArray(); };
        QVERIFY(rig.runTo(Stage::Stopped));
        QVERIFY(testImage() == document);
        QCOMPARE(rig.radio->count('X'), 0);
        QVERIFY(rig.w->lines().contains("The radio could not be read: nothing was written and the current data is unchanged. "
                                         "Run Program → Connection check… to find out why."));
        QVERIFY(!rig.button("Command_write_changes")->isEnabled());
        QVERIFY(!rig.button("Command_write_back")->isVisible());
        QVERIFY(restore::Store(restore::Store::defaultFolder()).points().empty());
    }

    // The radio stops answering after the first of the two rows: the report
    // says which row it took last and which regions are new and which as
    // before, and Write back puts the row it took back as it was read.
    void interruptedWrite()
    {
        Rig rig(radioMemory());
        QVERIFY(rig.runTo(Stage::Preview));
        const std::vector<int> rows = rig.w->rows();
        const int first = rows[0];
        bool off = false;
        rig.radio->answer = [&](const QByteArray& p) {
            if (off)
                return QByteArray();
            if (ScriptRadio::kindOf(p) == 'X' && ScriptRadio::addressOf(p) != Image::addressOfRow(first))
                off = true;  // switched off as the second packet arrives
            return off ? QByteArray() : rig.radio->radio(p);
        };
        rig.click("Command_write_changes");
        QVERIFY(rig.runTo(Stage::Stopped));
        const QStringList lines = rig.w->lines();
        QVERIFY2(lines.contains(QStringLiteral("The write stopped after row %1 (address 0x%2).")
                                    .arg(first)
                                    .arg(Image::addressOfRow(first), 4, 16, QLatin1Char('0'))),
                 qPrintable(lines.join('\n')));
        QVERIFY(lines.contains("Now new: channels"));
        QVERIFY(lines.contains("As before: options"));
        QVERIFY(rig.button("Command_write_back")->isVisible());
        QVERIFY(!std::ranges::equal(rig.radio->memory.row(first), radioMemory().row(first)));

        off = false;
        rig.radio->answer = [&](const QByteArray& p) { return rig.radio->radio(p); };
        rig.radio->packets.clear();
        rig.prompts.clear();
        rig.click("Command_write_back");
        QVERIFY(rig.runTo(Stage::Done));
        QCOMPARE(rig.writtenRows(), QList<int>{first});
        for (int r = 0; r <= region::wholeWrite.last; ++r)
            QVERIFY(std::ranges::equal(rig.radio->memory.row(r), radioMemory().row(r)));
        QCOMPARE(rig.prompts.texts(), QStringList{"1 rows written and checked."});
    }

    // A restore point of another radio is warned about, and nothing is
    // written until the user says so; then the point's rows are what is sent.
    void restorePointOfAnotherRadio()
    {
        const Image point = radioMemory();
        const restore::Point other{.path = "x.dat", .time = QDateTime::currentDateTimeUtc(), .radio = {"VX-80", "SOMEONE-ELSE"}};
        Rig rig(edited(), [&](Form_write_changes& w) { w.setRestorePoint(other, point); });
        QVERIFY(rig.runTo(Stage::Preview));
        QCOMPARE(rig.w->lines(), (QStringList{"Channel 12: TX Frequency 145.62500 → 145.60000", "Options: Squelch Level 5 → 3"}));
        auto* warning = rig.w->findChild<QLabel*>("Label_warning");
        QVERIFY(warning->isVisible());
        QVERIFY2(warning->text().contains("SOMEONE-ELSE"), qPrintable(warning->text()));
        QVERIFY(!rig.button("Command_write_changes")->isEnabled());
        QVERIFY(!rig.button("Command_write_all")->isEnabled());
        QVERIFY(!rig.w->findChild<QCheckBox*>("Check_adjust")->isVisible());  // a point holds no adjustment values
        rig.click("Command_write_changes");
        QCOMPARE(rig.radio->count('X'), 0);

        rig.w->findChild<QCheckBox*>("Check_other_radio")->click();
        QVERIFY(rig.button("Command_write_changes")->isEnabled());
        rig.click("Command_write_changes");
        QVERIFY(rig.runTo(Stage::Done));
        QCOMPARE(rig.radio->count('X'), 2);
        for (int r = 0; r <= region::wholeWrite.last; ++r)
            QVERIFY(std::ranges::equal(rig.radio->memory.row(r), point.row(r)));
    }

    // The adjustment values are written only when their box is ticked: then
    // rows 4..7 of the table follow the image's rows.
    void adjustmentOnlyWhenTicked_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::newRow("not ticked") << false;
        QTest::newRow("ticked") << true;
    }
    void adjustmentOnlyWhenTicked()
    {
        QFETCH(bool, ticked);
        Rig rig(radioMemory());
        QVERIFY(rig.runTo(Stage::Preview));
        auto* box = rig.w->findChild<QCheckBox*>("Check_adjust");
        QVERIFY(!box->isChecked());
        if (ticked)
            box->click();
        rig.radio->packets.clear();
        rig.click("Command_write_changes");
        QVERIFY(rig.runTo(Stage::Done));
        QList<int> adjustRows;
        for (const QByteArray& p : rig.radio->packets)
            if (ScriptRadio::kindOf(p) == 'X' && ScriptRadio::addressOf(p) >= adjust::kBase)
                adjustRows << (ScriptRadio::addressOf(p) - adjust::kBase) / 16;
        QCOMPARE(adjustRows, ticked ? (QList<int>{4, 5, 6, 7}) : QList<int>{});
        QCOMPARE(rig.radio->count('X'), ticked ? 6 : 2);
    }

    // While a transfer runs, Cancel and Read again are refused as in the
    // whole-radio dialogs; closing the window abandons the transfer.
    void busyRule()
    {
        Rig rig(radioMemory());
        QVERIFY(rig.clock.runUntil([&] { return rig.radio->count('S') > 3; }));
        rig.click("Command_Cancel");
        rig.click("Command_read");
        QCOMPARE(rig.prompts.texts(), (QStringList{"Read-write operating，don't close the window. ,", "Read-write operating with transceiver ."}));
        QVERIFY(rig.w->busy());
        rig.w->close();
        QVERIFY(!rig.w->busy());
        QVERIFY(!rig.ports.last->isOpen());
    }
};

QTEST_MAIN(TstWriteChanges)
#include "tst_write_changes.moc"
