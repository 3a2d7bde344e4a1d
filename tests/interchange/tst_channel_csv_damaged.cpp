// Channel lists that are damaged or not channel lists at all: bytes that are
// not UTF-8 wherever they stand in a field, and files of any size and shape,
// refused or imported in bounded time and memory with a short report.
#include "csv_shapes.h"

#include "editors/channels/channel_codec.h"
#include "interchange/csv/channel_csv.h"
#include "image/language.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <numeric>

using namespace vx;
using namespace vx::channels;
using vx::test::repeatedTo;

namespace {

std::vector<CsvNote> notesOf(const CsvImport& r, CsvNote::Kind kind)
{
    std::vector<CsvNote> out;
    for (const CsvNote& n : r.notes)
        if (n.kind == kind)
            out.push_back(n);
    return out;
}

}  // namespace

class TstChannelCsvDamaged : public QObject {
    Q_OBJECT
private slots:
    void init() { setChinese(false); }

    // Regression: an unfinished multi-byte sequence at a field's end was
    // dropped without a word ("CAF\xC9" stored as CAF, "145.5\xC9" read as 145.5).
    void unfinishedSequenceAtAFieldsEnd_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("fit");
        const QList<std::pair<QString, QByteArray>> values{{"Location", "1"}, {"Name", "CAF"}, {"Frequency", "145.5"}};
        const QList<std::pair<const char*, QByteArray>> tails{{"2-byte lead", "\xC9"}, {"3-byte lead and one", "\xE2\x82"}};
        const QList<std::pair<const char*, QByteArray>> places{{"before a separator", ""}, {"at the line end", "\r\n"}, {"at the file end", ""}};
        for (const auto& [column, value] : values)
            for (const auto& [tailName, tail] : tails)
                for (int place = 0; place < places.size(); ++place) {
                    QStringList header;
                    QList<QByteArray> fields;
                    for (const auto& [c, v] : values)
                        if (c != column) {
                            header << c;
                            fields << v;
                        }
                    // The damaged field first (a separator follows it) or last.
                    const bool first = place == 0;
                    header.insert(first ? 0 : header.size(), column);
                    fields.insert(first ? 0 : fields.size(), value + tail);
                    QList<QByteArray> good;  // line 2, in the header's order
                    for (const QString& c : header)
                        good << (c == "Location" ? "0" : c == "Name" ? "OK" : "146.5");
                    const QByteArray csv = header.join(',').toLatin1() + "\r\n" + good.join(',') + "\r\n" + fields.join(',') + places[place].second;
                    for (bool fit : {false, true})
                        QTest::addRow("%s, %s, %s%s", qPrintable(column), tailName, places[place].first, fit ? ", fit" : "")
                            << csv << column << fit;
                }
    }
    void unfinishedSequenceAtAFieldsEnd()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, column);
        QFETCH(bool, fit);
        Image image;
        load_factory_channels(image);
        const Image before = image;
        const CsvImport r = import_csv(csv, image, {.fit = fit});
        const QString reason = column == "Name" ? (fit ? "not UTF-8 dropped" : "not UTF-8")
                               : column == "Location" ? "is not a channel number" : "is not a frequency";
        if (!fit) {
            QVERIFY(!r.ok());
            const auto refused = notesOf(r, CsvNote::Refused);
            QCOMPARE(refused.size(), size_t(1));
            QCOMPARE(refused[0].line, 3);
            QVERIFY2(refused[0].text.contains(reason), qPrintable(refused[0].text));
            QVERIFY(image == before);
            return;
        }
        QVERIFY(r.ok());
        const auto noted = notesOf(r, column == "Name" ? CsvNote::Adapted : CsvNote::Skipped);
        QCOMPARE(noted.size(), size_t(1));
        QCOMPARE(noted[0].line, 3);
        QVERIFY2(noted[0].text.contains(reason), qPrintable(noted[0].text));
        QCOMPARE(r.channels, column == "Name" ? 2 : 1);
        QCOMPARE(decode_channel(image, 0)[ColName], QStringLiteral("OK"));
        if (column == "Name")
            QCOMPARE(decode_channel(image, 1)[ColName], QStringLiteral("CAF"));
        else
            QVERIFY(is_empty(image, 1));
    }

    // Regression (issue 29): a file of millions of short lines ran for minutes
    // and grew to gigabytes, one problem kept per line. Just under the size
    // bound every bad shape is refused at once with a capped report.
    void badShapesJustUnderTheBound_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("fit");
        for (int i = 0; i < test::csvShapes().size(); ++i)
            for (bool fit : {false, true})
                QTest::addRow("%s%s", test::csvShapes()[i].name, fit ? ", fit" : "") << i << fit;
    }
    void badShapesJustUnderTheBound()
    {
        QFETCH(int, shape);
        QFETCH(bool, fit);
        const QByteArray csv = test::csvShapes()[shape].make(kMaxCsvBytes);
        QVERIFY(csv.size() > kMaxCsvBytes - 100 && csv.size() <= kMaxCsvBytes);
        Image image;
        load_factory_channels(image);
        const Image before = image;
        QElapsedTimer clock;
        clock.start();
        const CsvImport r = import_csv(csv, image, {.fit = fit});
        // A sanity limit for slow and sanitizer builds; bench/csv_import
        // measures (well under a second in the optimised build).
        QVERIFY2(clock.elapsed() < 60'000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!r.ok());
        QVERIFY(image == before);

        QVERIFY(r.notes.size() <= size_t(kMaxCsvNotes));
        QVERIFY(std::ranges::is_sorted(r.notes, {}, &CsvNote::line));
        const int found = std::accumulate(r.found.begin(), r.found.end(), 0);
        QCOMPARE(int(r.notes.size()) + r.more, found);
        const QStringList report = r.report();
        QVERIFY(report.size() <= kMaxCsvNotes + 2);
        if (r.more > 1)
            QCOMPARE(report[kMaxCsvNotes], QStringLiteral("and %1 more problems").arg(r.more));
        if (!fit && found > kMaxCsvNotes)  // refused already: the rest is not read
            QVERIFY(r.stoppedAfter > 0);
        if (r.stoppedAfter > 0)
            QCOMPARE(report.last(), QStringLiteral("not read after line %1: the rest of the file cannot change the outcome").arg(r.stoppedAfter));
    }

    // Fit mode reads on past the kept notes (a good line may follow), and
    // counts every problem; the header's line comes first.
    void fitModeCountsEveryProblem()
    {
        const int lines = 100'000;
        QByteArray csv = repeatedTo(test::kShapeHeader, "A\n", test::kShapeHeader.size() + 2 * lines) + "7,GOOD,145.5\n";
        Image image;
        const CsvImport r = import_csv(csv, image, {.fit = true});
        QVERIFY(r.ok());
        QCOMPARE(r.channels, 1);
        QCOMPARE(decode_channel(image, 7)[ColName], QStringLiteral("GOOD"));
        QCOMPARE(r.count(CsvNote::Skipped), 2 * lines);  // Location and Frequency, each line
        QCOMPARE(r.more, 2 * lines - kMaxCsvNotes);
        QCOMPARE(r.notes.back().line, 2 + kMaxCsvNotes / 2 - 1);
        QCOMPARE(r.stoppedAfter, 0);
        setChinese(true);
        QCOMPARE(r.report().last(), QStringLiteral("另有 %1 个问题").arg(r.more));
    }

    // A quoted field that runs on over many lines is named as such, and the
    // lines after its first are numbered as the file numbers them.
    void aQuoteRunningOnIsNamedAtItsLine()
    {
        const QByteArray csv = repeatedTo(test::kShapeHeader + "1,\"A", "\nA", 20'000);
        Image image;
        const CsvImport r = import_csv(csv, image);
        QVERIFY(!r.ok());
        QCOMPARE(r.notes[0].line, 2);
        QCOMPARE(r.notes[0].text, QStringLiteral("a quoted field runs on past 4096 bytes without being closed"));
        QCOMPARE(r.notes[1].line, 3);
    }

    // Files over the bound are refused from their size, before they are read.
    void largeFilesAreRefusedFromTheirSize_data()
    {
        QTest::addColumn<int>("shape");  // -1: a sparse file of zeros
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("read");
        for (int i = 0; i < test::csvShapes().size(); ++i)
            QTest::addRow("%s, 12 MB", test::csvShapes()[i].name) << i << qint64(12'000'000) << false;
        QTest::newRow("100 MB") << -1 << qint64(100'000'000) << false;
        QTest::newRow("one byte over the bound") << -1 << kMaxCsvBytes + 1 << false;
        QTest::newRow("at the bound") << -1 << kMaxCsvBytes << true;
    }
    void largeFilesAreRefusedFromTheirSize()
    {
        QFETCH(int, shape);
        QFETCH(qint64, size);
        QFETCH(bool, read);
        QTemporaryDir dir;
        QFile f(dir.filePath("list.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (shape >= 0)
            f.write(test::csvShapes()[shape].make(size));
        QVERIFY(f.resize(size));
        f.close();
        const CsvFile file = read_csv_file(f.fileName());
        QCOMPARE(file.size, size);
        if (read) {
            QVERIFY(file.ok());
            QCOMPARE(file.bytes.size(), size);
            return;
        }
        QCOMPARE(file.error, CsvFile::TooLarge);
        QVERIFY(file.bytes.isEmpty());
        QCOMPARE(file.reason(), QStringLiteral("the file is %1 MB (%2 bytes); a channel list is at most 4.0 MB (4000000 bytes): it was not read")
                                    .arg(double(size) / 1e6, 0, 'f', 1)
                                    .arg(size));
    }

    void aMissingFileCannotBeRead()
    {
        const CsvFile file = read_csv_file(QStringLiteral("/nonexistent/list.csv"));
        QCOMPARE(file.error, CsvFile::CannotOpen);
        QCOMPARE(file.reason(), QStringLiteral("the file is missing or cannot be read"));
    }
};

QTEST_GUILESS_MAIN(TstChannelCsvDamaged)
#include "tst_channel_csv_damaged.moc"
