// Channels as CSV: export, the round trip back into a data file, and every
// line the radio could not hold refused with its line number.
#include "editors/channels/channel_codec.h"
#include "editors/channels/channel_csv.h"

#include <QtTest>

#include <random>

using namespace vx;
using namespace vx::channels;

namespace {

QByteArray csvOf(std::initializer_list<const char*> lines)
{
    QByteArray out = kCsvHeader + "\r\n";
    for (const char* l : lines)
        out += QByteArray(l) + "\r\n";
    return out;
}

// Rows outside the channel and name rows, scrambled so that any stray write
// shows.
Image scrambledOutside()
{
    std::mt19937 rng(11);
    Image image;
    for (int r = 0; r < Image::kRows; ++r)
        if (!(r <= region::channels.last || (r >= region::names.first && r <= region::names.last)))
            for (int b = 0; b < Image::kRowBytes; ++b)
                image.set(r, b, uint8_t(rng()));
    load_factory_channels(image);
    return image;
}

}  // namespace

class TstChannelCsv : public QObject {
    Q_OBJECT
private slots:
    void exportFactoryChannels()
    {
        Image image;
        load_factory_channels(image);
        set_name(image, 1, u"HOME");
        set_tx(image, 2, u"174.55");  // + 0.6 MHz
        set_choice(image, 3, ColBandwidth, 1);
        set_choice(image, 3, ColScanAdd, 0);
        set_choice(image, 3, ColPower, 1);
        const QList<QByteArray> lines = export_csv(image).split('\n');
        QCOMPARE(lines[0], kCsvHeader + "\r");
        QCOMPARE(lines[1], "0,,155.025000,,0.000000,TSQL,67.0,67.0,023,NN,FM,2.50,,High,\r");
        QCOMPARE(lines[2], "1,HOME,136.100000,,0.000000,TSQL,100.0,100.0,023,NN,FM,2.50,,High,\r");
        QCOMPARE(lines[3], "2,,173.950000,+,0.600000,TSQL,127.3,127.3,023,NN,FM,2.50,,High,\r");
        QCOMPARE(lines[4], "3,,400.025000,,0.000000,TSQL,203.5,203.5,023,NN,NFM,2.50,S,Low,\r");
        QCOMPARE(lines[5], "4,,479.950000,,0.000000,,88.5,88.5,023,NN,FM,2.50,,High,\r");
        QCOMPARE(lines[7], "6,,155.500000,,0.000000,DTCS,88.5,88.5,754,RR,FM,2.50,,High,\r");
        QCOMPARE(lines[8], "199,,480.625000,,0.000000,,88.5,88.5,023,NN,FM,2.50,,High,\r");
        QCOMPARE(lines.size(), 10);  // eight channels and the last line end
    }

    // file -> CSV -> the same file keeps every byte of the channel and name
    // rows, and every other row; channels edited since, or added, go back.
    void roundTripIsByteIdentical()
    {
        Image before = scrambledOutside();
        set_name(before, 0, u"ABC123");
        set_tx(before, 5, u"446.5");                          // "+" 10 MHz
        remove_tx(before, 4);                                 // "off"
        set_tx(before, 2, u"434.0");                          // "split"
        set_tone(before, 1, Tone::Decode, 0);
        set_tone_value(before, 1, Tone::Encode, 100.0);       // "Tone"
        set_tone_value(before, 3, Tone::Encode, 110.9);       // "Cross"
        set_choice(before, 5, ColPower, 1);
        const QByteArray csv = export_csv(before);
        QVERIFY(export_problems(before).empty());

        Image after = before;
        set_rx(after, 2, u"150");
        new_channel(after, 9);
        set_rx(after, 9, u"146");
        set_name(after, 0, u"OTHER");
        const CsvImport r = import_csv(csv, after);
        QVERIFY2(r.ok(), qPrintable(r.problems.empty() ? QString() : r.problems[0].reason));
        QCOMPARE(r.channels, 8);
        for (int row = 0; row < Image::kRows; ++row)
            QVERIFY2(std::ranges::equal(after.row(row), before.row(row)), qPrintable(QString::number(row)));
    }

    void importReplacesOnlyChannelRows()
    {
        const Image before = scrambledOutside();
        Image image = before;
        const CsvImport r = import_csv(csvOf({"7,Rpt1,145.000000,-,0.600000,Tone,88.5,88.5,023,NN,NFM,12.50,,Low,a comment",
                                              "8,,438.500000,split,145.500000,DTCS,88.5,88.5,023,NR,FM,5.00,S,High,"}),
                                       image);
        QVERIFY(r.ok());
        for (int row = 0; row < Image::kRows; ++row) {
            const bool channelRow = row <= region::channels.last || (row >= region::names.first && row <= region::names.last);
            if (!channelRow)
                QVERIFY(std::ranges::equal(image.row(row), before.row(row)));
        }
        const ChannelTexts t7 = decode_channel(image, 7);
        QCOMPARE((QStringList{t7[ColRx], t7[ColTx], t7[ColDecode], t7[ColEncode], t7[ColBandwidth], t7[ColPower], t7[ColName]}),
                 (QStringList{"145.00000", "144.40000", "OFF", "88.5", "N", "LOW", "RPT1"}));
        const ChannelTexts t8 = decode_channel(image, 8);
        QCOMPARE((QStringList{t8[ColRx], t8[ColTx], t8[ColDecode], t8[ColEncode], t8[ColScanAdd]}),
                 (QStringList{"438.50000", "145.50000", "D023I", "D023N", "OFF"}));
        QVERIFY(is_empty(image, 0));  // not in the CSV: empty now
    }

    void badLinesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");  // a part of the reason
        const char* good = "1,,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,";
        QTest::newRow("empty file") << QByteArray() << 1 << "empty";
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + csvOf({good}) << 1 << "byte-order mark";
        QTest::newRow("wrong header") << QByteArray("Location,Name\r\n") << 1 << "header";
        QTest::newRow("column count") << csvOf({good, "2,,145.000000,,0.000000,,88.5"}) << 3 << "7 columns";
        QTest::newRow("non-numeric frequency") << csvOf({"2,,abc,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << 2 << "not a frequency";
        QTest::newRow("outside the band limits") << csvOf({"2,,300.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << 2 << "band limits";
        QTest::newRow("off the raster") << csvOf({"2,,145.001000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << 2 << "raster";
        QTest::newRow("unknown tone") << csvOf({"2,,145.000000,,0.000000,Tone,55.0,88.5,023,NN,FM,5.00,,High,"}) << 2 << "CTCSS";
        QTest::newRow("unknown DCS code") << csvOf({"2,,145.000000,,0.000000,DTCS,88.5,88.5,999,NN,FM,5.00,,High,"}) << 2 << "DCS code";
        QTest::newRow("unknown tone mode") << csvOf({"2,,145.000000,,0.000000,Cross2,88.5,88.5,023,NN,FM,5.00,,High,"}) << 2 << "Tone";
        QTest::newRow("duplicate location") << csvOf({good, good}) << 3 << "twice";
        QTest::newRow("location out of range") << csvOf({"200,,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << 2 << "0-199";
        QTest::newRow("long name") << csvOf({"2,SEVENCH,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << 2 << "longer";
        QTest::newRow("name character") << csvOf({"2,A-B,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << 2 << "character";
        QTest::newRow("mode") << csvOf({"2,,145.000000,,0.000000,,88.5,88.5,023,NN,AM,5.00,,High,"}) << 2 << "Mode";
        QTest::newRow("2 MB line") << csvOf({good}) + QByteArray(2 * 1024 * 1024, 'x') + "\r\n" << 3 << "long";
        QTest::newRow("binary bytes") << csvOf({good}) + QByteArray("\x01\x02\xFF\xFE,,,\r\n", 9) << 3 << "not text";
    }
    void badLinesAreRefused()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, line);
        QFETCH(QString, reason);
        Image image = scrambledOutside();
        const Image before = image;
        const CsvImport r = import_csv(csv, image);
        QVERIFY(!r.ok());
        QCOMPARE(r.problems.front().line, line);
        QVERIFY2(r.problems.front().reason.contains(reason), qPrintable(r.problems.front().reason));
        QVERIFY(image == before);  // nothing written
    }

    void moreThan200Channels()
    {
        QByteArray csv = kCsvHeader + "\n";
        for (int i = 0; i < 201; ++i)
            csv += QByteArray::number(i % 200) + ",,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,\n";
        Image image;
        const CsvImport r = import_csv(csv, image);
        QVERIFY(!r.ok());
        QCOMPARE(r.problems.back().line, 202);
        QVERIFY(r.problems.back().reason.contains("more than 200"));
    }

    void limitsGivenAreUsed()
    {
        Image image;
        const QByteArray csv = csvOf({"1,,140.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"});
        QVERIFY(import_csv(csv, image).ok());
        QVERIFY(!import_csv(csv, image, {144, 146, 430, 440}).ok());
    }
};

QTEST_GUILESS_MAIN(TstChannelCsv)
#include "tst_channel_csv.moc"
