// Channels as CSV: the layouts channel lists come in (the common programmer's
// stock lists and exports, our older layout, what spreadsheets save), the
// round trip back into a data file, fit mode and renumbering, and every bad
// file refused with its line number and nothing written.
#include "editors/channels/channel_codec.h"
#include "interchange/csv/channel_csv.h"
#include "image/language.h"
#include "image/tones.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTest>

#include <random>
#include <set>

using namespace vx;
using namespace vx::channels;

namespace {

const QByteArray kOlderHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Power,Comment";

QByteArray fixture(const char* name)
{
    QFile f(QStringLiteral(CSV_FIXTURES "/%1").arg(QLatin1String(name)));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return f.readAll();
}

QByteArray csvOf(const QByteArray& header, std::initializer_list<const char*> lines)
{
    QByteArray out = header + "\r\n";
    for (const char* l : lines)
        out += QByteArray(l) + "\r\n";
    return out;
}

// Rows outside the channel and name rows, scrambled so that any stray write
// shows; the factory channels in the channel rows.
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

bool channelRow(int row) { return row <= region::channels.last || (row >= region::names.first && row <= region::names.last); }

// The grid texts that a CSV carries, of channel n: receive, transmit,
// decode, encode, power, bandwidth, scan add, name.
QStringList carried(const Image& image, int n)
{
    const ChannelTexts t = decode_channel(image, n);
    return {t[ColRx], t[ColTx], t[ColDecode], t[ColEncode], t[ColPower], t[ColBandwidth], t[ColScanAdd], t[ColName]};
}

QString firstRefusal(const CsvImport& r)
{
    for (const CsvNote& n : r.notes)
        if (n.kind == CsvNote::Refused)
            return QStringLiteral("line %1: %2").arg(n.line).arg(n.text);
    return {};
}

std::vector<CsvNote> notesOf(const CsvImport& r, CsvNote::Kind kind)
{
    std::vector<CsvNote> out;
    for (const CsvNote& n : r.notes)
        if (n.kind == kind)
            out.push_back(n);
    return out;
}

// The same table as a spreadsheet saves it: every field quoted, a byte-order
// mark, empty trailing columns, rows of empty fields, and so on.
struct Table {
    std::vector<QList<QByteArray>> rows;

    static Table parse(const QByteArray& plain)
    {
        Table t;
        for (QByteArray line : plain.split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (!line.isEmpty())
                t.rows.push_back(line.split(','));  // the fixtures used have no quoted commas
        }
        return t;
    }
    QByteArray write(char sep, const QByteArray& end, bool quoteAll = false, int trailing = 0) const
    {
        QByteArray out;
        for (const auto& row : rows) {
            QByteArray line;
            for (qsizetype i = 0; i < row.size(); ++i)
                line += (i ? QByteArray(1, sep) : QByteArray()) + (quoteAll ? '"' + row[i] + '"' : row[i]);
            out += line + QByteArray(trailing, sep) + end;
        }
        return out;
    }
};

}  // namespace

class TstChannelCsv : public QObject {
    Q_OBJECT
private slots:
    void init() { setChinese(false); }

    // ------------------------------------------------------------- export

    void exportWritesTheCurrentLayout()
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
        QCOMPARE(lines[1], "0,,155.025000,,0.000000,TSQL,67.0,67.0,023,NN,023,Tone->Tone,FM,2.50,,High,,,,,\r");
        QCOMPARE(lines[2], "1,HOME,136.100000,,0.000000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,FM,2.50,,High,,,,,\r");
        QCOMPARE(lines[3], "2,,173.950000,+,0.600000,TSQL,127.3,127.3,023,NN,023,Tone->Tone,FM,2.50,,High,,,,,\r");
        QCOMPARE(lines[4], "3,,400.025000,,0.000000,TSQL,203.5,203.5,023,NN,023,Tone->Tone,NFM,2.50,S,Low,,,,,\r");
        QCOMPARE(lines[5], "4,,479.950000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,2.50,,High,,,,,\r");
        QCOMPARE(lines[7], "6,,155.500000,,0.000000,DTCS,88.5,88.5,754,RR,754,Tone->Tone,FM,2.50,,High,,,,,\r");
        QCOMPARE(lines.size(), 10);  // eight channels and the last line end
    }

    void exportWritesEveryTonePair_data()
    {
        QTest::addColumn<QString>("decode");
        QTest::addColumn<QString>("encode");
        QTest::addColumn<QByteArray>("columns");  // Tone .. CrossMode
        QTest::newRow("decode only CTCSS") << "88.5" << "OFF" << QByteArray("Cross,88.5,88.5,023,NN,023,->Tone");
        QTest::newRow("decode only DCS") << "D114I" << "OFF" << QByteArray("Cross,88.5,88.5,114,NR,114,->DTCS");
        QTest::newRow("send only DCS") << "OFF" << "D506N" << QByteArray("Cross,88.5,88.5,506,NN,506,DTCS->");
        QTest::newRow("CTCSS sent, DCS decoded") << "D031N" << "94.8" << QByteArray("Cross,94.8,88.5,031,NN,031,Tone->DTCS");
        QTest::newRow("DCS sent, CTCSS decoded") << "110.9" << "D047I" << QByteArray("Cross,88.5,110.9,047,RN,047,DTCS->Tone");
        QTest::newRow("two DCS codes") << "D754N" << "D025I" << QByteArray("Cross,88.5,88.5,025,RN,754,DTCS->DTCS");
        QTest::newRow("two CTCSS tones") << "167.9" << "77.0" << QByteArray("Cross,77.0,167.9,023,NN,023,Tone->Tone");
        QTest::newRow("one DCS code, two polarities") << "D023N" << "D023I" << QByteArray("DTCS,88.5,88.5,023,RN,023,Tone->Tone");
    }
    void exportWritesEveryTonePair()
    {
        QFETCH(QString, decode);
        QFETCH(QString, encode);
        QFETCH(QByteArray, columns);
        Image image;
        new_channel(image, 0);
        set_rx(image, 0, u"145.5");
        set_tone(image, 0, Tone::Decode, *tones::index_of(decode));
        set_tone(image, 0, Tone::Encode, *tones::index_of(encode));
        const QByteArray line = export_csv(image).split('\n')[1];
        QVERIFY2(line.contains(",0.000000," + columns + ",FM,"), line.constData());
        QVERIFY(export_problems(image).empty());
    }

    // file -> CSV -> the same file keeps every byte of the channel and name
    // rows, and every other row, for channels made the way the grid makes
    // them: every tone pair, duplex, power, bandwidth and scan setting.
    void roundTripIsByteIdentical()
    {
        std::mt19937 rng(7);
        const QStringList& labels = tones::labels();
        const QStringList rx{"145.5", "136.0125", "173.99375", "400.025", "479.99375", "146.52", "438.5"};
        for (int pass = 0; pass < 10; ++pass) {
            Image before = scrambledOutside();
            for (int n = 0; n < kChannels; ++n) {
                if (rng() % 4 == 0) {
                    delete_channel(before, n);
                    continue;
                }
                new_channel(before, n);
                set_rx(before, n, rx[rng() % rx.size()]);
                switch (rng() % 5) {
                case 0: break;
                case 1: set_tx(before, n, u"145.0"); break;
                case 2: set_tx(before, n, u"446.1"); break;
                case 3: set_tx(before, n, u"479.9"); break;
                case 4: remove_tx(before, n); break;
                }
                set_tone(before, n, Tone::Decode, int(rng() % labels.size()));
                if (rng() % 2)
                    set_tone(before, n, Tone::Encode, int(rng() % labels.size()));
                if (rng() % 5 == 0)
                    set_tone_value(before, n, rng() % 2 ? Tone::Decode : Tone::Encode, 60.0 + (rng() % 2000) / 10.0);
                for (int column : {int(ColPower), int(ColBandwidth), int(ColPttId), int(ColBusyLock), int(ColScanAdd), int(ColSignalCode),
                                   int(ColOptionalSignal), int(ColSpeakerMute), int(ColScrambler)})
                    set_choice(before, n, column, int(rng() % std::max<qsizetype>(1, choices(column).size())));
                const QString name = QStringLiteral("AB12CD").left(int(rng() % 7));
                set_name(before, n, name);
            }
            QVERIFY(export_problems(before).empty());
            const QByteArray csv = export_csv(before);

            // Edited since: frequencies, tones, names, choices the CSV carries.
            Image after = before;
            for (int n = 0; n < kChannels; n += 3) {
                if (is_empty(after, n))
                    continue;
                set_rx_only(after, n, u"150");
                // (Without a transmit frequency the CSV cannot carry the
                // encode bytes a decode change also writes: they are kept.)
                if (!decode_channel(after, n)[ColTx].isEmpty())
                    set_tone(after, n, Tone::Decode, 0);
                set_name(after, n, u"OTHER");
                set_choice(after, n, ColPower, 0);
                set_choice(after, n, ColBandwidth, 0);
                set_choice(after, n, ColScanAdd, 1);
            }
            const CsvImport r = import_csv(csv, after);
            QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
            QVERIFY(r.notes.empty());
            for (int row = 0; row < Image::kRows; ++row)
                if (!std::ranges::equal(after.row(row), before.row(row)))  // the message exports the file again
                    QFAIL(qPrintable(QStringLiteral("pass %1 row %2: %3 / %4 / %5")
                                         .arg(pass)
                                         .arg(row)
                                         .arg(QByteArray(reinterpret_cast<const char*>(before.row(row).data()), 16).toHex(' '),
                                              QByteArray(reinterpret_cast<const char*>(after.row(row).data()), 16).toHex(' '),
                                              QString::fromUtf8(row < kChannels ? QString::fromUtf8(export_csv(before)).split('\n').filter(QRegularExpression(QStringLiteral("^%1,").arg(row))).value(0).toUtf8() : QByteArray()))));
        }
    }

    // A channel that decodes a tone without sending one used to come back
    // without tones.
    void decodeOnlyToneComesBack()
    {
        Image before;
        new_channel(before, 5);
        set_rx(before, 5, u"145.5");
        set_tone_value(before, 5, Tone::Decode, 88.5);
        set_tone(before, 5, Tone::Encode, 0);
        Image after;
        QVERIFY(import_csv(export_csv(before), after).ok());
        QCOMPARE(carried(after, 5)[2], QStringLiteral("88.5"));
        QCOMPARE(carried(after, 5)[3], QStringLiteral("OFF"));
    }

    // ------------------------------------------------------- the layouts

    void importsOurOlderLayout()
    {
        const Image before = scrambledOutside();
        Image image = before;
        const CsvImport r = import_csv(fixture("older_layout.csv"), image);
        QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
        QCOMPARE(r.channels, 5);
        QCOMPARE(carried(image, 0), (QStringList{"145.50000", "145.50000", "67.0", "67.0", "HIGH", "W", "ON", "HOME"}));
        QCOMPARE(carried(image, 1), (QStringList{"145.00000", "144.40000", "OFF", "88.5", "LOW", "N", "OFF", "RPT"}));
        QCOMPARE(carried(image, 2), (QStringList{"438.50000", "145.50000", "D023I", "D023N", "HIGH", "W", "ON", ""}));
        QCOMPARE(carried(image, 3), (QStringList{"400.02500", "400.02500", "110.9", "203.5", "HIGH", "W", "ON", "CROSS"}));
        QCOMPARE(carried(image, 4)[1], QStringLiteral(""));  // off: no transmit frequency
        QVERIFY(is_empty(image, 5) && is_empty(image, 199));
        for (int row = 0; row < Image::kRows; ++row)
            if (!channelRow(row))
                QVERIFY(std::ranges::equal(image.row(row), before.row(row)));
    }

    void importsTheCurrentLayout()
    {
        Image image;
        const QByteArray csv = fixture("current_layout.csv");
        const CsvImport strict = import_csv(csv, image);
        QVERIFY(!strict.ok());  // "W1ABC-U": seven characters with a dash
        QCOMPARE(strict.count(CsvNote::Refused), 1);
        QCOMPARE(strict.notes[0].line, 3);
        QCOMPARE(strict.fitChannels, 12);
        QVERIFY(is_empty(image, 0));

        const CsvImport r = import_csv(csv, image, {.fit = true});
        QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
        QCOMPARE(r.channels, 12);
        QCOMPARE(carried(image, 0), (QStringList{"146.94000", "146.34000", "OFF", "100.0", "HIGH", "W", "ON", "W1ABC"}));  // 50W
        QCOMPARE(carried(image, 1), (QStringList{"444.10000", "449.10000", "123.0", "123.0", "HIGH", "W", "ON", "W1ABCU"}));
        QCOMPARE(carried(image, 2), (QStringList{"147.34500", "147.94500", "D025I", "D025N", "LOW", "N", "OFF", "CLUB"}));  // 5.0W
        QCOMPARE(carried(image, 3), (QStringList{"442.50000", "447.50000", "D754N", "D025I", "LOW", "W", "ON", "XDCS"}));
        QCOMPARE(carried(image, 4), (QStringList{"145.80000", "", "88.5", "", "HIGH", "W", "ON", "RXONLY"}));
        QCOMPARE(carried(image, 5).mid(2, 2), (QStringList{"D031N", "94.8"}));
        QCOMPARE(carried(image, 6).mid(2, 2), (QStringList{"110.9", "D047I"}));
        QCOMPARE(carried(image, 7).mid(2, 2), (QStringList{"D114N", "OFF"}));
        QCOMPARE(carried(image, 8).mid(2, 2), (QStringList{"OFF", "D506N"}));
        QCOMPARE(carried(image, 9).mid(2, 2), (QStringList{"OFF", "162.2"}));
        QCOMPARE(carried(image, 10), (QStringList{"145.60000", "145.00000", "167.9", "77.0", "LOW", "W", "ON", "XTONE"}));  // 1.0W
        QCOMPARE(carried(image, 11).mid(0, 2), (QStringList{"145.25000", "435.25000"}));
        const auto adapted = notesOf(r, CsvNote::Adapted);
        QCOMPARE(adapted.size(), size_t(2));  // W1ABC-U and Club
        QCOMPARE(adapted[0].line, 3);
        QCOMPARE(adapted[1].line, 4);
    }

    void importsStockListsInFitMode()
    {
        Image image;
        const CsvImport gmrs = import_csv(fixture("stock_gmrs.csv"), image, {.fit = true});
        QVERIFY2(gmrs.ok(), qPrintable(firstRefusal(gmrs)));
        QCOMPARE(gmrs.channels, 9);
        QCOMPARE(carried(image, 1), (QStringList{"462.56250", "462.56250", "OFF", "OFF", "HIGH", "N", "ON", "FRS1"}));  // no Power: high
        QCOMPARE(carried(image, 15)[7], QStringLiteral("GMRS15"));
        QCOMPARE(carried(image, 23), (QStringList{"462.55000", "467.55000", "141.3", "141.3", "HIGH", "W", "ON", "GMRSRP"}));
        QCOMPARE(carried(image, 24)[7], QStringLiteral("GMRSR2"));  // cut, it would equal line 8's
        QCOMPARE(carried(image, 25)[7], QStringLiteral("GMRSR3"));
        QCOMPARE(carried(image, 25).mid(2, 2), (QStringList{"D411N", "D411N"}));
        QCOMPARE(carried(image, 25)[6], QStringLiteral("OFF"));
        QCOMPARE(gmrs.count(CsvNote::Adapted), 9);  // every name

        const CsvImport murs = import_csv(fixture("stock_murs_no_comment.csv"), image, {.fit = true});
        QVERIFY2(murs.ok(), qPrintable(firstRefusal(murs)));
        QCOMPARE(murs.channels, 8);
        std::set<int> skippedLines;
        for (const CsvNote& n : notesOf(murs, CsvNote::Skipped))
            skippedLines.insert(n.line);
        QCOMPARE(skippedLines, (std::set<int>{7, 8, 9, 10}));  // 52.525, 223.5, AM air band, 851 MHz
        QCOMPARE(carried(image, 4)[7], QStringLiteral("GREEND"));
        QCOMPARE(carried(image, 9)[7], QStringLiteral("LPD01"));
        QCOMPARE(carried(image, 10)[7], QStringLiteral("70CMCA"));
        QVERIFY(is_empty(image, 5) && is_empty(image, 1 + 22));  // skipped; and the GMRS list is replaced
    }

    // What spreadsheets do to a file reads the same as the file itself.
    void spreadsheetVariantsReadAlike_data()
    {
        QTest::addColumn<QByteArray>("csv");
        const QByteArray plain = fixture("older_layout.csv");
        const Table t = Table::parse(plain);
        QTest::newRow("CSV UTF-8: byte-order mark") << "\xEF\xBB\xBF" + plain;
        QTest::newRow("every field quoted") << t.write(',', "\r\n", true);
        QTest::newRow("trailing empty columns") << t.write(',', "\r\n", false, 3);
        QTest::newRow("CR line ends") << t.write(',', "\r");
        QTest::newRow("LF line ends, no last line end") << t.write(',', "\n").chopped(1);
        QTest::newRow("rows of empty fields") << t.write(',', "\r\n") + ",,,,,,,,,,,,,,\r\n\r\n,,,\r\n";
        QTest::newRow("semicolons, decimal commas") << QByteArray(t.write(';', "\r\n")).replace("145.500000", "145,5");
        QTest::newRow("tabs") << t.write('\t', "\n");
        QByteArray lower = plain;
        lower.replace("TSQL", "tsql").replace(",FM,", ",fm,").replace("NFM", "nfm").replace("Low", "LOW").replace("DTCS", "dtcs").replace(",NR,", ",nr,");
        QTest::newRow("keywords in any case") << lower;
        QByteArray numbers = plain;
        numbers.replace("145.500000", "145.5").replace("0.600000", "0.6").replace("0.000000", "0").replace(",023,", ",23,").replace("67.0", "67");
        QTest::newRow("numbers as a spreadsheet shows them") << numbers;
        QByteArray header = plain;
        header.replace("Location,Name,Frequency", "LOCATION,name,frequency");
        QTest::newRow("column names in any case") << header;
        QByteArray comment = plain;
        comment.replace("High,\r\n", "High,Caf\xE9 \x96 Windows-1252\r\n");
        QTest::newRow("non-UTF-8 bytes in an ignored column") << comment;
        QStringEncoder utf16(QStringEncoder::Utf16LE);
        QTest::newRow("UTF-16 with its byte-order mark") << QByteArray("\xFF\xFE") + QByteArray(utf16.encode(QString::fromUtf8(plain)));
        // Columns in another order, Comment first.
        Table moved = t;
        for (auto& row : moved.rows)
            row.move(row.size() - 1, 0);
        QTest::newRow("columns in another order") << moved.write(',', "\n");
    }
    void spreadsheetVariantsReadAlike()
    {
        QFETCH(QByteArray, csv);
        Image expected = scrambledOutside();
        QVERIFY(import_csv(fixture("older_layout.csv"), expected).ok());
        Image image = scrambledOutside();
        const CsvImport r = import_csv(csv, image);
        QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
        QCOMPARE(r.channels, 5);
        QVERIFY(image == expected);
    }

    void powerReadsHighLowOrAWattage_data()
    {
        QTest::addColumn<QByteArray>("power");
        QTest::addColumn<bool>("fit");
        QTest::addColumn<QString>("shown");  // empty: refused
        QTest::newRow("High") << QByteArray("High") << false << "HIGH";
        QTest::newRow("low") << QByteArray("low") << false << "LOW";
        QTest::newRow("empty") << QByteArray("") << false << "HIGH";
        QTest::newRow("50W") << QByteArray("50W") << false << "HIGH";
        QTest::newRow("10.5 W") << QByteArray("10.5 W") << false << "HIGH";
        QTest::newRow("10W") << QByteArray("10W") << false << "LOW";
        QTest::newRow("5.0W") << QByteArray("5.0W") << false << "LOW";
        QTest::newRow("25") << QByteArray("25") << false << "HIGH";
        QTest::newRow("Mid, strict") << QByteArray("Mid") << false << "";
        QTest::newRow("Mid, fit") << QByteArray("Mid") << true << "LOW";
        QTest::newRow("maximum") << QByteArray("maximum") << true << "";
    }
    void powerReadsHighLowOrAWattage()
    {
        QFETCH(QByteArray, power);
        QFETCH(bool, fit);
        QFETCH(QString, shown);
        Image image;
        const CsvImport r = import_csv("Location,Frequency,Power\n3,145.5," + power + "\n", image, {.fit = fit});
        if (shown.isEmpty()) {
            QVERIFY(!r.ok());  // refused, or skipped leaving nothing to import
            QVERIFY(is_empty(image, 3));
        } else {
            QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
            QCOMPARE(carried(image, 3)[4], shown);
        }
    }

    // Only Location and Frequency are needed; the rest read as their defaults.
    void missingColumnsReadAsDefaults()
    {
        Image image;
        new_channel(image, 7);
        set_rx(image, 7, u"150");
        set_choice(image, 7, ColPower, 1);
        set_choice(image, 7, ColPttId, 2);
        set_name(image, 7, u"OLD");
        const CsvImport r = import_csv("frequency;location\r\n446,00625;7\r\n", image);
        QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
        QCOMPARE(carried(image, 7), (QStringList{"446.00625", "446.00625", "OFF", "OFF", "HIGH", "W", "ON", ""}));
        QCOMPARE(decode_channel(image, 7)[ColPttId], choices(ColPttId)[2]);  // not carried: kept
    }

    void unknownColumnsAreNamedAndIgnored()
    {
        Image image;
        const CsvImport r = import_csv("Location,Frequency,Frequncy,Comment,URCALL\n0,145.5,1,x,y\n", image);
        QVERIFY(r.ok());
        QCOMPARE(r.count(CsvNote::Ignored), 1);
        QVERIFY(r.notes[0].text.contains("Frequncy"));
    }

    // --------------------------------------------------- fit and renumber

    void namesAreAdaptedAndReported()
    {
        Image image;
        const QByteArray csv = "Location,Name,Frequency\n"
                               "0,Repeater North,145.5\n"
                               "1,Repeater South,145.6\n"
                               "2,Repeater North,145.7\n"  // the same name stays the same
                               "3,\xC3\xA9t\xC3\xA9 2,145.8\n"
                               "4,Ab\xFF" "C,145.9\n";
        QVERIFY(!import_csv(csv, image).ok());
        const CsvImport r = import_csv(csv, image, {.fit = true});
        QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
        QCOMPARE(carried(image, 0)[7], QStringLiteral("REPEAT"));
        QCOMPARE(carried(image, 1)[7], QStringLiteral("REPEA2"));
        QCOMPARE(carried(image, 2)[7], QStringLiteral("REPEAT"));
        QCOMPARE(carried(image, 3)[7], QStringLiteral("T2"));  // é is not shown by the radio
        QCOMPARE(carried(image, 4)[7], QStringLiteral("ABC"));
        const auto adapted = notesOf(r, CsvNote::Adapted);
        QCOMPARE(adapted.size(), size_t(6));  // one a name, and the bytes dropped on line 6
        QVERIFY(adapted[1].text.contains("line 2"));
        QCOMPARE(r.report().size(), 6);
        QVERIFY(r.report()[1].startsWith("line 3: adapted: "));
    }

    void strictNamesFollowTheGridRule()
    {
        Image image;
        QVERIFY(import_csv("Location,Name,Frequency\n0,abc12,145.5\n", image).ok());
        QCOMPARE(carried(image, 0)[7], QStringLiteral("ABC12"));  // upper case, as the grid stores it
        const CsvImport bytes = import_csv("Location,Name,Frequency\n0,AB\xFF,145.5\n", image);
        QVERIFY(!bytes.ok());
        QVERIFY(bytes.notes[0].text.contains("UTF-8"));
    }

    void locationsOutsideTheChannelsArePlacedWhenAsked()
    {
        const QByteArray csv = "Location,Frequency\n"
                               "200,145.5\n"
                               "1,145.6\n"
                               "-3,145.7\n"
                               ",145.8\n"
                               "0,145.9\n";
        Image image;
        const CsvImport strict = import_csv(csv, image);
        QVERIFY(!strict.ok());
        QCOMPARE(strict.count(CsvNote::Refused), 3);
        QVERIFY(strict.renumberHelps);
        QCOMPARE(strict.fitChannels, 2);  // fit alone skips them

        const CsvImport r = import_csv(csv, image, {.renumber = true});
        QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
        QCOMPARE(r.channels, 5);
        QCOMPARE(carried(image, 2)[0], QStringLiteral("145.50000"));  // the first free channel
        QCOMPARE(carried(image, 3)[0], QStringLiteral("145.70000"));
        QCOMPARE(carried(image, 4)[0], QStringLiteral("145.80000"));
        QCOMPARE(carried(image, 1)[0], QStringLiteral("145.60000"));
        QCOMPARE(r.count(CsvNote::Adapted), 3);
    }

    void moreLinesThanChannels()
    {
        QByteArray csv = "Location,Frequency\n";
        for (int i = 0; i < 197; ++i)
            csv += QByteArray::number(i) + ",145.5\n";
        for (int i = 0; i < 6; ++i)
            csv += "999,145.5\n";  // three placed, three left over
        Image image;
        const CsvImport r = import_csv(csv, image, {.fit = true, .renumber = true});
        QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
        QCOMPARE(r.channels, 200);
        const auto skipped = notesOf(r, CsvNote::Skipped);
        QCOMPARE(skipped.size(), size_t(3));
        QCOMPARE(skipped[0].line, 202);
        QVERIFY(skipped[0].text.contains("200"));
        const CsvImport strict = import_csv(csv, image, {.renumber = true});
        QVERIFY(!strict.ok());
        QCOMPARE(strict.fitChannels, 200);
    }

    void aTransmitToneWithoutTransmitting()
    {
        const QByteArray csv = "Location,Frequency,Duplex,Tone,cToneFreq\n0,145.5,off,TSQL,100\n";
        Image image;
        const CsvImport strict = import_csv(csv, image);
        QVERIFY(!strict.ok());
        const CsvImport r = import_csv(csv, image, {.fit = true});
        QVERIFY2(r.ok(), qPrintable(firstRefusal(r)));
        QCOMPARE(carried(image, 0).mid(1, 3), (QStringList{"", "100.0", ""}));
        QCOMPARE(r.count(CsvNote::Adapted), 1);
    }

    void everyLineSkippedImportsNothing()
    {
        const Image before = scrambledOutside();
        Image image = before;
        const CsvImport r = import_csv("Location,Frequency,Mode\n0,121.5,AM\n1,52.525,FM\n", image, {.fit = true});
        QVERIFY(!r.ok());
        QCOMPARE(r.count(CsvNote::Skipped), 3);
        QVERIFY(firstRefusal(r).contains("no line can be imported"));
        QVERIFY(image == before);
    }

    // ------------------------------------------------------- bad input

    void badFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<bool>("fit");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");  // a part of the reason
        const char* good = "1,,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,";
        const auto both = [&](const char* name, const QByteArray& csv, int line, const char* reason) {
            QTest::newRow(name) << csv << false << line << QString::fromUtf8(reason);
            QTest::newRow(QByteArray(name).append(", fit").constData()) << csv << true << line << QString::fromUtf8(reason);
        };
        both("empty file", QByteArray(), 1, "empty");
        both("only a byte-order mark and line ends", "\xEF\xBB\xBF\r\n\r\n", 1, "empty");
        both("header only", kOlderHeader + "\r\n", 1, "no channel lines");
        both("no Location column", "Name,Frequency\r\nA,145.5\r\n", 1, "no Location column");
        both("no Frequency column", "Location,Name\r\n1,A\r\n", 1, "no Frequency column");
        both("duplicate column names", "Location,Frequency,Name,name\r\n1,145.5,A,B\r\n", 1, "appears twice");
        both("more fields than the header", "Location,Frequency\r\n1,145.5,,\r\n2,145.5,x\r\n", 3, "fields");
        both("duplicate locations", csvOf(kOlderHeader, {good, good}), 3, "given twice");
        both("2 MB line", csvOf(kOlderHeader, {good}) + QByteArray(2 * 1024 * 1024, 'x') + "\r\n", 3, "long");
        both("binary bytes", csvOf(kOlderHeader, {good}) + QByteArray("\x01\x02\xFF\xFE,,,\r\n", 9), 3, "not text");
        both("unclosed quote", csvOf(kOlderHeader, {good}) + "2,\"AB,145.5\r\n", 3, "not closed");
        QTest::newRow("non-numeric frequency") << csvOf(kOlderHeader, {"2,,abc,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << false << 2 << "not a frequency";
        QTest::newRow("outside the band limits") << csvOf(kOlderHeader, {"2,,300.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << false << 2 << "band limits";
        QTest::newRow("transmit outside") << csvOf(kOlderHeader, {"2,,518.000000,+,5.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << false << 2 << "Transmit frequency";
        QTest::newRow("off the raster") << csvOf(kOlderHeader, {"2,,145.001000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << false << 2 << "raster";
        QTest::newRow("unknown tone") << csvOf(kOlderHeader, {"2,,145.000000,,0.000000,Tone,55.0,88.5,023,NN,FM,5.00,,High,"}) << false << 2 << "CTCSS";
        QTest::newRow("unknown DCS code") << csvOf(kOlderHeader, {"2,,145.000000,,0.000000,DTCS,88.5,88.5,999,NN,FM,5.00,,High,"}) << false << 2 << "DCS code";
        QTest::newRow("polarity") << csvOf(kOlderHeader, {"2,,145.000000,,0.000000,DTCS,88.5,88.5,023,NX,FM,5.00,,High,"}) << false << 2 << "DtcsPolarity";
        QTest::newRow("unknown tone mode") << csvOf(kOlderHeader, {"2,,145.000000,,0.000000,TSQL-R,88.5,88.5,023,NN,FM,5.00,,High,"}) << false << 2 << "Tone";
        QTest::newRow("unknown cross mode") << QByteArray("Location,Frequency,Tone,CrossMode\n0,145.5,Cross,Tone->Tone->\n") << false << 2 << "CrossMode";
        QTest::newRow("location out of range") << csvOf(kOlderHeader, {"200,,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << false << 2 << "0-199";
        QTest::newRow("long name") << csvOf(kOlderHeader, {"2,SEVENCH,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << false << 2 << "longer";
        QTest::newRow("name character") << csvOf(kOlderHeader, {"2,A-B,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,High,"}) << false << 2 << "character";
        QTest::newRow("mode") << csvOf(kOlderHeader, {"2,,145.000000,,0.000000,,88.5,88.5,023,NN,AM,5.00,,High,"}) << false << 2 << "Mode";
        QTest::newRow("priority scan") << csvOf(kOlderHeader, {"2,,145.000000,,0.000000,,88.5,88.5,023,NN,FM,5.00,P,High,"}) << false << 2 << "Skip";
    }
    void badFilesAreRefused()
    {
        QFETCH(QByteArray, csv);
        QFETCH(bool, fit);
        QFETCH(int, line);
        QFETCH(QString, reason);
        Image image = scrambledOutside();
        const Image before = image;
        const CsvImport r = import_csv(csv, image, {.fit = fit});
        QVERIFY(!r.ok());
        const auto refused = notesOf(r, CsvNote::Refused);
        QVERIFY(!refused.empty());
        QCOMPARE(refused.front().line, line);
        QVERIFY2(refused.front().text.contains(reason), qPrintable(refused.front().text));
        QVERIFY(image == before);  // nothing written
    }

    void limitsGivenAreUsed()
    {
        Image image;
        const QByteArray csv = "Location,Frequency\n1,140\n";
        QVERIFY(import_csv(csv, image).ok());
        QVERIFY(!import_csv(csv, image, {.limits = {144, 146, 430, 440}}).ok());
    }

    void reasonsInChinese()
    {
        setChinese(true);
        Image image;
        const CsvImport r = import_csv("Location,Name\n1,A\n", image);
        QVERIFY(r.report().join('\n').contains(QStringLiteral("标题行没有 Frequency 列")));
    }
};

QTEST_GUILESS_MAIN(TstChannelCsv)
#include "tst_channel_csv.moc"
