// Channel lists that are damaged or not channel lists at all: bytes that are
// not UTF-8 wherever they stand in a field.
#include "editors/channels/channel_codec.h"
#include "editors/channels/channel_csv.h"
#include "image/language.h"

#include <QTest>

using namespace vx;
using namespace vx::channels;

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
};

QTEST_GUILESS_MAIN(TstChannelCsvDamaged)
#include "tst_channel_csv_damaged.moc"
