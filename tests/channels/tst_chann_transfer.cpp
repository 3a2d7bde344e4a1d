// The channel editor's own read and write on the fake port and the virtual
// clock: addresses and row order on the wire, progress texts, the image after
// a read, failures.
#include "editor_window.h"
#include "test_document.h"
#include "radio_rig.h"

#include "editors/channels/frm_chann.h"

using namespace vx;
using namespace vx::channels;
using namespace vx::test;

namespace {

struct Rig : EditorWindow<frm_chann> {
    std::unique_ptr<ScriptRadio> radio;
    QStringList labels;  // the label when each request or packet reached the radio
    QList<int> bars;

    Rig()
    {
        // The port is made by the window; the radio listens on it.
        radio = std::make_unique<ScriptRadio>(clock, *port);
        for (int i = 0; i < Image::kSize; ++i)
            radio->memory.bytes()[size_t(i)] = uint8_t(i * 7 + i / 256);
        radio->answer = [this](const QByteArray& p) {
            const char kind = ScriptRadio::kindOf(p);
            if (kind == 'S' || kind == 'X') {
                labels << label()->text();
                bars << bar()->value();
            }
            return radio->radio(p);
        };
    }
    // Runs a transfer until its closing message.
    void run(const char* button)
    {
        QTest::mouseClick(this->button(button), Qt::LeftButton);
        QVERIFY(clock.runUntil([this] { return !prompts.all.isEmpty(); }));
        clock.advance(10);
    }
    QList<int> addresses(char kind) const
    {
        QList<int> out;
        for (const auto& p : radio->packets)
            if (ScriptRadio::kindOf(p) == kind)
                out << ScriptRadio::addressOf(p);
        return out;
    }
};

}  // namespace

class TstChannTransfer : public QObject {
    Q_OBJECT
private slots:
    void readAlternatesChannelAndNameBlocks()
    {
        Rig rig;
        rig.radio->memory.set(name_row(5), 0, 'a');   // lower case: shown by the received-name rule
        rig.radio->memory.set(name_row(5), 1, 0x11);  // 17 -> "A"
        for (int b = 2; b < 16; ++b)
            rig.radio->memory.set(name_row(5), b, 0xFF);
        rig.run("Command_read");

        const QList<int> requests = rig.addresses('S');
        QCOMPARE(requests.size(), 102);
        for (int j = 0; j < 102; ++j)
            QCOMPARE(requests[j], (j % 2 ? 0x1000 : 0x0000) + 64 * (j / 2));
        QCOMPARE(rig.radio->count('H'), 1);

        // Records 0..199 and names 256..455 come from the radio; the 51st
        // pair (rows 200..203, 456..459) is read but not stored.
        const Image& img = testImage();
        for (int r : {0, 1, 57, 199, 256, 300, 455})
            QVERIFY2(std::equal(img.row(r).begin(), img.row(r).end(), rig.radio->memory.row(r).begin()),
                     qPrintable(QString::number(r)));
        for (int r : {200, 203, 456, 459})
            QCOMPARE(img.at(r, 0), uint8_t(0xFF));

        QCOMPARE(rig.cell("MSF_Chann", 5, ColName), QStringLiteral("aA"));
        QCOMPARE(rig.prompts.texts(), QStringList{"Complete reading data from the transceiver."});
        QCOMPARE(rig.label()->text(), QString::fromUtf8("Read Channel Data is Ok ！"));
    }

    void readProgress()
    {
        Rig rig;
        rig.run("Command_read");
        QCOMPARE(rig.labels.size(), 102);
        // i after the channel request of pair i, i + 1 after its name request.
        QCOMPARE(rig.labels.mid(0, 5),
                 (QStringList{"Reading 1 Data Block", "Reading 2 Data Block", "Reading 2 Data Block",
                              "Reading 3 Data Block", "Reading 3 Data Block"}));
        QCOMPARE(rig.labels.last(), QStringLiteral("Reading 52 Data Block"));
        QCOMPARE(rig.bars.mid(0, 3), (QList<int>{1, 3, 3}));
        QCOMPARE(rig.bars.last(), 100);
    }

    void writeSendsRecordThenName()
    {
        Rig rig;
        set_name(testImage(), 0, u"ONE");
        testImage().set(200, 3, 0x42);  // row 200 goes out as the image holds it
        rig.run("Command_write");

        const QList<int> packets = rig.addresses('X');
        QCOMPARE(packets.size(), 402);
        for (int k = 0; k < 402; ++k)
            QCOMPARE(packets[k], (k % 2 ? 0x1000 : 0x0000) + 16 * (k / 2));
        for (int r : {0, 6, 199, 200, 256, 456})
            QVERIFY2(std::equal(testImage().row(r).begin(), testImage().row(r).end(), rig.radio->memory.row(r).begin()),
                     qPrintable(QString::number(r)));
        QCOMPARE(rig.labels[1], QStringLiteral("Connecting with transceiver. "));  // name row 256
        QCOMPARE(rig.labels[2], QStringLiteral("Writeing  0  Channel"));           // record 1
        QCOMPARE(rig.labels[400], QStringLiteral("Writeing  199  Channel"));       // record 200
        QCOMPARE(rig.bars[400], 100);
        QCOMPARE(rig.prompts.texts(), QStringList{"Complete writing the data to transceiver."});
        QCOMPARE(rig.label()->text(), QString::fromUtf8("Channel Data Written ！"));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("answered");  // requests or packets answered before silence
        QTest::newRow("read, silent radio") << "Command_read" << 0;
        QTest::newRow("read, stops part-way") << "Command_read" << 60;
        QTest::newRow("write, stops part-way") << "Command_write" << 30;
    }
    void failures()
    {
        QFETCH(QString, button);
        QFETCH(int, answered);
        Rig rig;
        int served = 0;
        rig.radio->answer = [&](const QByteArray& p) {
            const char kind = ScriptRadio::kindOf(p);
            if ((kind == 'S' || kind == 'X') && served++ >= answered)
                return QByteArray();
            return kind == 'H' && answered == 0 ? QByteArray() : rig.radio->radio(p);
        };
        const Image before = testImage();
        QTest::mouseClick(rig.button(button), Qt::LeftButton);
        QVERIFY(rig.clock.runUntil([&] { return !rig.prompts.all.isEmpty(); }));
        QCOMPARE(rig.prompts.texts(), QStringList{"Fail connect with transceiver."});
        QCOMPARE(rig.prompts.all[0].title, QStringLiteral("Operate prompt"));
        QCOMPARE(statusPanel(4), QStringLiteral("Communication fault."));
        QCOMPARE(rig.label()->text(), QStringLiteral("Communication fault."));
        QCOMPARE(rig.bar()->value(), 0);
        QCOMPARE(rig.radio->count('H'), 4);  // three retries
        if (answered == 0)  // 15 ms sender, 1 s reply time-out, 3 s pause
            QCOMPARE(rig.radio->packetTimes[1] - rig.radio->packetTimes[0], 4015);
        QVERIFY(!rig.w->busy());
        if (button == "Command_read")
            QVERIFY(testImage() == before);
    }

    void portCannotBeOpened()
    {
        Rig rig;
        rig.port->available.clear();
        QTest::mouseClick(rig.button("Command_read"), Qt::LeftButton);
        QCOMPARE(rig.prompts.texts(),
                 QStringList{"Communication port is error, please setting right communication port . ！"});
        QVERIFY(!rig.w->busy());
        QVERIFY(rig.bar()->isHidden());
    }
};

QTEST_MAIN(TstChannTransfer)
#include "tst_chann_transfer.moc"
