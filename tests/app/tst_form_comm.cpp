// The whole-radio read and write dialogs on a fake port and virtual clock.
#include "prompts.h"
#include "test_document.h"
#include "radio_rig.h"

#include "image/language.h"
#include "app/form_comm.h"
#include "interchange/restore_points.h"
#include "editors/defaults.h"
#include "link/whole_radio.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QFile>
#include <QTest>

using namespace vx;
using namespace vx::test;

namespace {

const PromptRecord kBusy{"Operate prompt", PromptIcon::Warning, "Read-write operating with transceiver ."};
const PromptRecord kNoClose{"Operate prompt", PromptIcon::Warning, "Read-write operating，don't close the window. ,"};
const PromptRecord kFailed{"Operate prompt", PromptIcon::Warning, "Fail connect with transceiver."};

struct Rig {
    VirtualClock clock;
    CapturedPrompts prompts;
    FakePorts ports;
    FakePort* port = nullptr;
    std::unique_ptr<FormComm> dialog;
    std::unique_ptr<ScriptRadio> radio;
    QStringList labels;  // the label each time a packet left
    QList<int> bars;

    Rig(bool write, std::set<int> available = {1}, RadioDocument* doc = nullptr) : ports(std::move(available))
    {
        clock.install();
        RadioDocument& d = doc ? *doc : testDocument();
        dialog.reset(write ? static_cast<FormComm*>(new Form_Comm_Write(d)) : new Form_Comm_Read(d));
        port = ports.last;
        dialog->show();
        radio = std::make_unique<ScriptRadio>(clock, *port);
        for (int i = 0; i < Image::kSize; ++i)
            radio->memory.bytes()[size_t(i)] = uint8_t(i * 13 + i / 256);
        radio->answer = [this](const QByteArray& p) {
            if (dialog && (ScriptRadio::kindOf(p) == 'S' || ScriptRadio::kindOf(p) == 'X')) {
                labels << label();
                bars << bar()->value();
            }
            return radio->radio(p);
        };
    }
    ~Rig() { setTimerFactory(nullptr); }
    void click(const char* name) { QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton); }
    void runToPrompt() { QVERIFY(clock.runUntil([this] { return !prompts.all.isEmpty(); })); }
    QString label() const { return dialog->findChild<QLabel*>("Label_tr_count")->text(); }
    QProgressBar* bar() const { return dialog->findChild<QProgressBar*>("ProgressBar1"); }
    QStringList progressLabels(const QString& before, const QString& after, int first, int last) const
    {
        QStringList out;
        for (int n = first; n <= last; ++n)
            out << before + QString::number(n) + after;
        return out;
    }
};

Image patterned(uint8_t seed)
{
    Image image;
    for (int i = 0; i < Image::kSize; ++i)
        image.bytes()[size_t(i)] = uint8_t(seed + i * 3);
    return image;
}

}  // namespace

class TstFormComm : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        setChinese(false);
        setPortNumber(1);
        testImage() = patterned(1);
    }

    void captions_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("texts");  // caption, start, cancel, help
        QTest::newRow("read, English") << false << false << QStringList{"Read Data From Radio", "Read", "Cancel", "Help"};
        QTest::newRow("read, Chinese") << false << true << QStringList{"从对讲机读取数据", "读取", "取消", "帮助"};
        QTest::newRow("write, English") << true << false << QStringList{"Write Data to Radio", "Write", "Cancel", "Help"};
        QTest::newRow("write, Chinese") << true << true << QStringList{"写数据到对讲机", "写入", "取消", "帮助"};
    }
    void captions()
    {
        QFETCH(bool, write);
        QFETCH(bool, inChinese);
        QFETCH(QStringList, texts);
        setChinese(inChinese);
        Rig rig(write);
        auto text = [&](const char* name) { return rig.dialog->findChild<QPushButton*>(name)->text(); };
        QCOMPARE((QStringList{rig.dialog->windowTitle(), text(write ? "Command_Write" : "Command_read"),
                              text("Command_Cancel"), text("Command_Help")}),
                 texts);
        QVERIFY(rig.bar()->isHidden());
        rig.click("Command_Help");
        QVERIFY(rig.prompts.all.isEmpty());
        QVERIFY(rig.port->written.isEmpty());
    }

    void readWholeRadio()
    {
        Rig rig(false);
        const Image before = testImage();
        rig.click("Command_read");
        QCOMPARE(rig.label(), QString("Connecting with transceiver. "));
        QVERIFY(rig.bar()->isVisible());
        rig.runToPrompt();
        QCOMPARE(rig.radio->count('S'), 201);
        QCOMPARE(rig.labels.mid(1), rig.progressLabels("Reading ", " Data Block", 1, 200));
        QCOMPARE(rig.bars.last(), 99);
        for (int r = 0; r < Image::kRows; ++r)
            QCOMPARE(testImage().row(r)[7], r <= 787 ? rig.radio->memory.row(r)[7] : before.row(r)[7]);
        QCOMPARE(rig.prompts.all, (QList<PromptRecord>{{"Operate prompt", PromptIcon::Warning, "Complete reading data from the transceiver."}}));
        QCOMPARE(rig.label(), QString("Read Data is Ok ！"));
        QVERIFY(!rig.port->isOpen());
    }

    // A read that fails part-way, in every attempt, leaves the image as it was.
    void readFailsPartWay()
    {
        Rig rig(false);
        const Image before = testImage();
        rig.radio->answer = [&](const QByteArray& p) {
            const bool late = ScriptRadio::kindOf(p) == 'S' && ScriptRadio::addressOf(p) >= 0x1900;
            return late ? QByteArray() : rig.radio->radio(p);
        };
        rig.click("Command_read");
        rig.runToPrompt();
        QCOMPARE(rig.radio->count('H'), 4);
        QCOMPARE(rig.prompts.all, QList<PromptRecord>{kFailed});
        QCOMPARE(rig.label(), QString("Communication fault."));
        QCOMPARE(rig.bar()->value(), 0);
        QVERIFY(testImage() == before);
    }

    void writeWholeRadio()
    {
        Rig rig(true);
        // The constant 5-tone tables go into the image before anything is
        // sent, and go out with the rest.
        Image expected = testImage();
        prepare_whole_write(expected);
        QVERIFY(!(expected == testImage()));
        rig.click("Command_Write");
        rig.runToPrompt();
        QVERIFY(testImage() == expected);
        QCOMPARE(rig.radio->count('X'), 784);
        QCOMPARE(rig.labels.mid(1), rig.progressLabels("Writing  ", "  Data Block", 1, 783));
        QCOMPARE(rig.bars.last(), 99);
        for (int r = 0; r < Image::kRows; ++r)
            QCOMPARE(std::ranges::equal(rig.radio->memory.row(r), testImage().row(r)), r <= 783);
        QCOMPARE(rig.prompts.all, (QList<PromptRecord>{{"Operate prompt", PromptIcon::Warning, "Complete writing the data to transceiver."}}));
        QCOMPARE(rig.label(), QString("Data Written ！"));
    }

    // Every whole read and write is kept as the radio's newest restore point:
    // what was read, what was sent, with the rows that differ from the point
    // before.
    void restorePoints()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        const restore::Store store(restore::Store::defaultFolder());
        {
            Rig rig(false);
            rig.click("Command_read");
            rig.runToPrompt();
        }
        std::vector<restore::Point> points = store.points();
        QCOMPARE(int(points.size()), 1);
        QCOMPARE(points[0].kind, restore::Kind::Read);
        QCOMPARE(points[0].radio.model, testDocument().model());
        QVERIFY(!points[0].radio.model.isEmpty());
        QCOMPARE(points[0].rowsChanged, -1);  // the first of the radio
        Image kept;
        QVERIFY(store.load(points[0], kept));
        QVERIFY(kept == testImage());
        testDocument().unrecorded().set(5, 0, uint8_t(testImage().at(5, 0) ^ 1));  // one row changed
        {
            Rig rig(true);
            rig.click("Command_Write");
            rig.runToPrompt();
            QCOMPARE(rig.prompts.all.size(), 1);  // the store asks nothing
        }
        points = store.points();
        QCOMPARE(int(points.size()), 2);
        QCOMPARE(points[0].kind, restore::Kind::Write);
        QVERIFY(points[0].rowsChanged >= 1);  // row 5 and the 5-tone tables the write laid in
        QVERIFY(store.load(points[0], kept));
        QVERIFY(kept == testImage());
        qunsetenv("XDG_DATA_HOME");
    }

    // A store that cannot be written is said once a document; the reads
    // and writes go on.
    void restoreStoreUnwritable()
    {
        QTemporaryDir data;
        QFile blocker(data.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_DATA_HOME", data.filePath("file").toLocal8Bit());
        RadioDocument doc;
        for (int round = 0; round < 2; ++round) {
            Rig rig(false, {1}, &doc);
            rig.click("Command_read");
            rig.runToPrompt();
            QVERIFY(rig.clock.runUntil([&] { return rig.prompts.all.size() == (round == 0 ? 2 : 1); }));
            QCOMPARE(rig.prompts.all.last().text, QString("Complete reading data from the transceiver."));
            if (round == 0)
                QVERIFY2(rig.prompts.all[0].text.startsWith("Restore points cannot be kept in "), qPrintable(rig.prompts.all[0].text));
        }
        qunsetenv("XDG_DATA_HOME");
    }

    // The write makes one attempt only: it fails 5 s after the time-out.
    void writeFailsWithoutRetry()
    {
        Rig rig(true);
        rig.radio->answer = [&](const QByteArray& p) {
            return ScriptRadio::addressOf(p) == 0x00A0 && ScriptRadio::kindOf(p) == 'X' ? QByteArray() : rig.radio->radio(p);
        };
        rig.click("Command_Write");
        rig.runToPrompt();
        QCOMPARE(rig.clock.now() - rig.radio->packetTimes.last(), 1000 + 5000);
        QCOMPARE(rig.radio->count('H'), 1);
        QCOMPARE(rig.prompts.all, QList<PromptRecord>{kFailed});
        QCOMPARE(rig.label(), QString("Communication fault."));
        QVERIFY(rig.bar()->isHidden());
        QCOMPARE(rig.bar()->value(), 0);
    }

    void busyRefusals_data()
    {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }
    void busyRefusals()
    {
        QFETCH(bool, write);
        Rig rig(write);
        const char* start = write ? "Command_Write" : "Command_read";
        rig.click(start);
        rig.clock.advance(500);
        const QString label = rig.label();
        const int opens = rig.port->opens;
        rig.click(start);
        rig.click("Command_Cancel");
        QCOMPARE(rig.prompts.all, (QList<PromptRecord>{kBusy, kNoClose}));
        QCOMPARE(rig.label(), label);
        QCOMPARE(rig.port->opens, opens);
        QVERIFY(rig.dialog->isVisible());
        rig.prompts.clear();
        rig.runToPrompt();  // the transfer runs on to its end
        QCOMPARE(rig.prompts.all.size(), 1);
        QCOMPARE(rig.prompts.all[0].text, write ? "Complete writing the data to transceiver." : "Complete reading data from the transceiver.");
    }

    void portWillNotOpen()
    {
        Rig rig(false, {});
        rig.click("Command_read");
        QCOMPARE(rig.prompts.all, (QList<PromptRecord>{{"Operate prompt", PromptIcon::Warning,
                                                         "Communication port is error, please setting right communication port . ！"}}));
        QVERIFY(rig.bar()->isHidden());
        QVERIFY(rig.label().isEmpty());
    }

    void closeRules()
    {
        Rig rig(false);
        const Image before = testImage();
        rig.click("Command_read");
        rig.clock.advance(300);
        QVERIFY(rig.dialog->close());  // the frame's close is not refused
        QVERIFY(!rig.port->isOpen());
        QVERIFY(!rig.dialog->engine().busy());
        rig.clock.advance(60'000);
        QVERIFY(rig.prompts.all.isEmpty());
        QVERIFY(testImage() == before);

        Rig idle(true);
        idle.click("Command_Cancel");
        QVERIFY(!idle.dialog->isVisible());
    }

    // Regression: a window closed and deleted while its success message was
    // up was used after it was gone.
    void deletedDuringMessage()
    {
        Rig rig(false);
        rig.prompts.onShow = [&](const PromptRecord&) { rig.dialog.reset(); };
        rig.click("Command_read");
        rig.runToPrompt();
        QVERIFY(!rig.dialog);
        rig.clock.advance(10'000);
    }
};

QTEST_MAIN(TstFormComm)
#include "tst_form_comm.moc"
