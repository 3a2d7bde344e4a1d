// The radio document: every edit recorded with the rows it changed and
// announced to the windows; its parts per document.
#include "image/radio_document.h"

#include <QSignalSpy>
#include <QTest>

using namespace vx;

namespace {

const EditName kName{QStringLiteral("名"), QStringLiteral("Name")};

QByteArray hex(const std::array<uint8_t, Image::kRowBytes>& row)
{
    return QByteArray(reinterpret_cast<const char*>(row.data()), int(row.size())).toHex(' ').toUpper();
}

struct Counter {
    int value = 0;
};

}  // namespace

class TstRadioDocument : public QObject {
    Q_OBJECT
private slots:
    // What an edit changed, and only that, is recorded and announced: rows
    // named but unchanged are neither.
    void editsRecordTheirRows_data()
    {
        QTest::addColumn<QList<int>>("written");  // rows the change writes 0x11 into
        QTest::addColumn<QList<int>>("recorded");
        QTest::addColumn<QStringList>("announced");  // "first-last"
        QTest::newRow("one byte") << QList<int>{5} << QList<int>{5} << QStringList{"5-5"};
        QTest::newRow("nothing") << QList<int>{} << QList<int>{} << QStringList{};
        QTest::newRow("runs") << QList<int>{3, 4, 7} << QList<int>{3, 4, 7} << QStringList{"3-4", "7-7"};
        QTest::newRow("the same value") << QList<int>{-9} << QList<int>{} << QStringList{};  // 9 holds FF: FF written
    }
    void editsRecordTheirRows()
    {
        QFETCH(QList<int>, written);
        QFETCH(QList<int>, recorded);
        QFETCH(QStringList, announced);
        RadioDocument doc;
        QObject window;
        QStringList seen;
        connect(&doc, &RadioDocument::changed, this, [&](int first, int last, const QObject* source) {
            QCOMPARE(source, &window);
            seen << QStringLiteral("%1-%2").arg(first).arg(last);
        });
        const bool changed = doc.edit(kName, region::Rows{0, 9}, [&](Image& image) {
            for (int r : written)
                image.set(std::abs(r), 2, r < 0 ? 0xFF : 0x11);
        }, &window);
        QCOMPARE(changed, !recorded.isEmpty());
        QCOMPARE(seen, announced);
        if (recorded.isEmpty()) {
            QVERIFY(doc.record().empty());
            return;
        }
        QCOMPARE(int(doc.record().size()), 1);
        const EditRecord& e = doc.record().front();
        QCOMPARE(e.name.en, QString("Name"));
        QList<int> rows;
        for (const RowChange& c : e.rows) {
            rows << c.row;
            QCOMPARE(hex(c.before), QByteArray("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
            QCOMPARE(hex(c.after), QByteArray("FF FF 11 FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        }
        QCOMPARE(rows, recorded);
    }

    // A load or a read replaces rows as one edit; unchanged rows are not in
    // it, and the edit names the rows of both runs.
    void replaceIsOneEdit()
    {
        RadioDocument doc;
        Image loaded;
        loaded.set(0, 0, 1);
        loaded.set(500, 15, 2);
        loaded.set(1024, 0, 3);
        QVERIFY(doc.replace(edits::loadDataFile(), loaded));
        QVERIFY(doc.image() == loaded);
        QCOMPARE(int(doc.record().size()), 1);
        QCOMPARE(doc.record().back().name.en, QString("Load data file"));
        QCOMPARE(int(doc.record().back().rows.size()), 3);
        QVERIFY(!doc.replace(edits::loadDataFile(), loaded));  // the same again changes nothing
        QCOMPARE(int(doc.record().size()), 1);

        // Only the named runs change, once each even when they overlap.
        Image other;
        other.fill(0x22);
        QVERIFY(doc.edit(edits::importChannels(), {{0, 3}, {2, 5}, {256, 256}}, [&](Image& image) {
            for (int r : {0, 1, 2, 3, 4, 5, 256})
                image.setRow(r, other.row(r));
        }));
        QList<int> rows;
        for (const RowChange& c : doc.record().back().rows)
            rows << c.row;
        QCOMPARE(rows, (QList<int>{0, 1, 2, 3, 4, 5, 256}));
        QCOMPARE(doc.image().at(6, 0), uint8_t(0xFF));
    }

    // The record keeps the newest edits within its bound, the newest always.
    void recordIsBounded()
    {
        RadioDocument doc;
        const int edits = int(RadioDocument::kRecordedRows / Image::kRows) + 3;
        for (int i = 0; i < edits; ++i) {
            Image next;
            next.fill(uint8_t(i));
            doc.replace(kName, next);
        }
        size_t rows = 0;
        for (const EditRecord& e : doc.record())
            rows += e.rows.size();
        QVERIFY(rows <= RadioDocument::kRecordedRows);
        QCOMPARE(doc.record().back().rows.front().after[0], uint8_t(edits - 1));
        QVERIFY(int(doc.record().size()) < edits);
    }

    // Start-up contents are no edit: the record empties and windows hear
    // that every row changed.
    void startIsNoEdit()
    {
        RadioDocument doc;
        doc.edit(kName, region::Rows{0, 0}, [](Image& image) { image.set(0, 0, 0); });
        QSignalSpy spy(&doc, &RadioDocument::changed);
        Image fresh;
        fresh.set(7, 7, 7);
        doc.start(fresh);
        QVERIFY(doc.record().empty());
        QVERIFY(doc.image() == fresh);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 0);
        QCOMPARE(spy.at(0).at(1).toInt(), Image::kRows - 1);
    }

    // Two documents are two radios: their images, limits, ports and parts
    // are their own.
    void documentsAreIndependent()
    {
        RadioDocument a;
        RadioDocument b;
        a.edit(kName, region::Rows{1, 1}, [](Image& image) { image.set(1, 1, 0x42); });
        QCOMPARE(b.image().at(1, 1), uint8_t(0xFF));
        QSignalSpy limitsB(&b, &RadioDocument::bandLimitsChanged);
        a.setBandLimits({136, 174, 400, 480});
        QCOMPARE(b.bandLimits(), kDefaultBandLimits);
        QCOMPARE(limitsB.count(), 0);
        a.setPortNumber(5);
        QCOMPARE(b.portNumber(), 1);
        a.part<Counter>().value = 3;
        QCOMPARE(b.part<Counter>().value, 0);
        QCOMPARE(a.part<Counter>().value, 3);
        QCOMPARE(&a.part<Counter>(), &a.part<Counter>());
    }

    // Undo takes the newest edits back one at a time and redo makes them
    // again, each announced as its rows; a new edit after an undo drops what
    // was undone; start-up empties both.
    void undoAndRedo()
    {
        RadioDocument doc;
        const Image fresh = doc.image();
        const auto put = [&](int row, uint8_t value) {
            doc.edit(kName, region::Rows{row, row}, [=](Image& image) { image.set(row, 0, value); });
        };
        put(3, 0x31);
        put(3, 0x32);
        Image file;
        file.fill(0x44);
        doc.replace(kName, file, {10, 12});
        const Image latest = doc.image();
        QSignalSpy spy(&doc, &RadioDocument::changed);

        QVERIFY(doc.undo());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 10);
        QCOMPARE(spy.at(0).at(1).toInt(), 12);
        QCOMPARE(doc.image().at(11, 5), uint8_t(0xFF));
        QVERIFY(doc.undo());
        QCOMPARE(doc.image().at(3, 0), uint8_t(0x31));
        QVERIFY(doc.undo());
        QVERIFY(doc.image() == fresh);
        QVERIFY(!doc.canUndo());
        QVERIFY(!doc.undo());
        QCOMPARE(doc.record().size(), size_t(3));  // kept for redo

        QVERIFY(doc.redo());
        QVERIFY(doc.redo());
        QVERIFY(doc.redo());
        QVERIFY(doc.image() == latest);
        QVERIFY(!doc.redo());

        QVERIFY(doc.undo());
        QVERIFY(doc.undo());
        put(4, 0x01);  // drops the two undone
        QVERIFY(!doc.canRedo());
        QCOMPARE(doc.record().size(), size_t(2));
        QVERIFY(doc.undo());
        QVERIFY(doc.undo());
        QVERIFY(doc.image() == fresh);

        doc.start(file);
        QVERIFY(!doc.canUndo() && !doc.canRedo());
    }

    // Keys typed into one field until it is left are one entry of the
    // record. A script of steps, one a word: "aX3=31" window a types into
    // field X, leaving byte 0 of row 3 at 31 (hex); "end-a" window a leaves
    // its field; "edit" an edit of row 9; "undo".
    void typingIsOneEntry_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("entries");
        QTest::newRow("keys in one field") << "aX3=31 aX3=32 aX3=33" << 1;
        QTest::newRow("rows of one field") << "aX3=31 aX4=32 aX3=33" << 1;
        QTest::newRow("the field left between") << "aX3=31 end-a aX3=32" << 2;
        QTest::newRow("another window leaving its field") << "aX3=31 end-b aX3=32" << 1;
        QTest::newRow("another field") << "aX3=31 aY3=32" << 2;
        QTest::newRow("another window") << "aX3=31 bX3=32" << 2;
        QTest::newRow("an edit between") << "aX3=31 edit aX3=32" << 3;
        QTest::newRow("an undo between") << "aX3=31 aX3=32 undo aX3=33" << 1;
        QTest::newRow("typed back to the bytes before") << "aX3=31 aX3=FF" << 0;
        QTest::newRow("typed back, then on") << "aX3=31 aX3=FF aX3=34" << 1;
    }
    void typingIsOneEntry()
    {
        QFETCH(QString, script);
        QFETCH(int, entries);
        RadioDocument doc;
        const Image fresh = doc.image();
        QObject a, b;
        for (const QString& step : script.split(' ')) {
            if (step == "edit") {
                doc.edit(kName, region::Rows{9, 9}, [](Image& image) { image.set(9, 0, uint8_t(image.at(9, 0) + 1)); });
            } else if (step == "undo") {
                QVERIFY(doc.undo());
            } else if (step.startsWith("end-")) {
                doc.endTyping(step.endsWith('a') ? &a : &b);
            } else {
                const int row = step.mid(2, 1).toInt();
                const uint8_t value = uint8_t(step.mid(4).toInt(nullptr, 16));
                doc.typed({step.mid(1, 1), step.mid(1, 1)}, {{3, 4}},
                          [=](Image& image) { image.set(row, 0, value); }, step[0] == 'a' ? &a : &b);
            }
        }
        QCOMPARE(int(doc.record().size()), entries);
        QCOMPARE(doc.canUndo(), entries > 0);
        // Every entry undone gives the bytes before the script, redone the
        // bytes after it.
        const Image latest = doc.image();
        while (doc.undo()) {}
        QVERIFY(doc.image() == fresh);
        while (doc.redo()) {}
        QVERIFY(doc.image() == latest);
        for (const EditRecord& e : doc.record())
            for (const RowChange& c : e.rows)
                QVERIFY(c.before != c.after);
    }
};

QTEST_MAIN(TstRadioDocument)
#include "tst_radio_document.moc"
