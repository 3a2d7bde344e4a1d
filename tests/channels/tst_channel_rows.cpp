// Whole-channel operations: a channel's record and name move together byte
// for byte, at the ends and on full and empty memories, and a refused one
// changes nothing.
#include "editors/channels/channel_rows.h"

#include <QTest>

using namespace vx;
using namespace vx::channels;

namespace {

// A memory whose channel n holds receive frequency 400 + n MHz and name "Cn"
// for the channels in `filled`, empty elsewhere; every other row random-ish.
Image memory(const QList<int>& filled)
{
    Image image;
    for (int i = 0; i < Image::kSize; ++i)
        image.bytes()[size_t(i)] = uint8_t(i * 7 + 3);
    for (int n = 0; n < kChannels; ++n) {
        image.setRow(record_row(n), std::array<uint8_t, 16>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                             0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
        image.setRow(name_row(n), image.row(record_row(n)));
    }
    for (int n : filled) {
        image.set(record_row(n), 0, 0);  // a record that is not empty
        set_rx(image, n, QStringLiteral("%1.00000").arg(400 + n));
        set_name(image, n, QStringLiteral("C%1").arg(n));
    }
    return image;
}

// Channel n's name, "" when empty: what the tests follow.
QStringList names(const Image& image, int first, int last)
{
    QStringList out;
    for (int n = first; n <= last; ++n)
        out << (is_empty(image, n) ? QString() : decode_channel(image, n)[ColName]);
    return out;
}

// Rows outside the channels and names are never touched.
bool othersKept(const Image& a, const Image& b)
{
    for (int r = 0; r < Image::kRows; ++r) {
        const bool channelRow = (r >= record_row(0) && r <= record_row(kChannels - 1)) || (r >= name_row(0) && r <= name_row(kChannels - 1));
        if (!channelRow && !std::ranges::equal(a.row(r), b.row(r)))
            return false;
    }
    return true;
}

}  // namespace

class TstChannelRows : public QObject {
    Q_OBJECT
private slots:
    void moves_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("by");
        QTest::addColumn<QStringList>("expected");  // names of channels 0..7 after
        QTest::newRow("block down two") << 3 << 4 << 2 << QStringList{"C0", "C1", "C2", "C5", "C6", "C3", "C4", "C7"};
        QTest::newRow("block up two") << 3 << 4 << -2 << QStringList{"C0", "C3", "C4", "C1", "C2", "C5", "C6", "C7"};
        QTest::newRow("one up to the top") << 1 << 1 << -1 << QStringList{"C1", "C0", "C2", "C3", "C4", "C5", "C6", "C7"};
        QTest::newRow("down over an empty one") << 5 << 6 << 2 << QStringList{"C0", "C1", "C2", "C3", "C4", "C7", "", "C5"};
    }
    void moves()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, by);
        QFETCH(QStringList, expected);
        const Image before = memory({0, 1, 2, 3, 4, 5, 6, 7});
        Image image = before;
        clear_channels(image, 8, 8);
        QVERIFY(!move_channels(image, first, last, by));
        QCOMPARE(names(image, 0, 7), expected);
        QVERIFY(othersKept(before, image));
        // The whole record moves with its name, byte for byte.
        const int to = first + by;
        QVERIFY(std::ranges::equal(image.row(record_row(to)), before.row(record_row(first))));
        QVERIFY(std::ranges::equal(image.row(name_row(to)), before.row(name_row(first))));
        // And back.
        QVERIFY(!move_channels(image, to, last + by, -by));
        QCOMPARE(names(image, 0, 7), names(before, 0, 7));
    }

    // A move, insert or range past the ends is refused and changes nothing.
    void refusals_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("refusal");
        QTest::newRow("move the first up") << "up0" << int(RowRefusal::PastEnd);
        QTest::newRow("move the last down") << "down199" << int(RowRefusal::PastEnd);
        QTest::newRow("insert into a full memory") << "insertFull" << int(RowRefusal::Full);
        QTest::newRow("remove past the end") << "remove199-200" << int(RowRefusal::PastEnd);
        QTest::newRow("sort a backwards range") << "sort9-3" << int(RowRefusal::PastEnd);
    }
    void refusals()
    {
        QFETCH(QString, operation);
        QFETCH(int, refusal);
        QList<int> all;
        for (int n = 0; n < kChannels; ++n)
            all << n;
        const Image before = memory(all);
        Image image = before;
        std::optional<RowRefusal> r;
        if (operation == "up0")
            r = move_channels(image, 0, 1, -1);
        else if (operation == "down199")
            r = move_channels(image, 198, 199, 1);
        else if (operation == "insertFull")
            r = insert_empty(image, 10);
        else if (operation == "remove199-200")
            r = remove_channels(image, 199, 200);
        else
            r = sort_channels(image, 9, 3, SortKey::Name);
        QVERIFY(r);
        QCOMPARE(int(*r), refusal);
        QVERIFY(image == before);
    }

    // Insert shifts down and leaves an empty channel; remove shifts up and
    // empties the end; at both ends of the memory.
    void insertAndRemove()
    {
        const Image before = memory({0, 1, 2, 198});
        Image image = before;
        QVERIFY(!insert_empty(image, 0));
        QCOMPARE(names(image, 0, 3), (QStringList{"", "C0", "C1", "C2"}));
        QCOMPARE(names(image, 199, 199), QStringList{"C198"});
        for (uint8_t b : image.row(name_row(0)))
            QCOMPARE(b, uint8_t(0xFF));
        QVERIFY(insert_empty(image, 5));  // 199 is taken now
        QVERIFY(!remove_channels(image, 0, 0));
        QVERIFY(image == before);  // insert then remove at the same place
        QVERIFY(!remove_channels(image, 1, 2));
        QCOMPARE(names(image, 0, 2), (QStringList{"C0", "", ""}));
        QCOMPARE(names(image, 196, 199), (QStringList{"C198", "", "", ""}));
        QVERIFY(othersKept(before, image));
        QVERIFY(!remove_channels(image, 199, 199));  // the last one alone
        QVERIFY(!clear_channels(image, 0, 199));
        QCOMPARE(names(image, 0, 199), QStringList(200));
    }

    // Sorting orders the range only, keeps equal keys in order and puts
    // empty channels last.
    void sorting()
    {
        Image image = memory({2, 3, 4, 6});
        set_rx(image, 2, u"440.00000");
        set_rx(image, 6, u"145.00000");
        set_name(image, 3, u"ZULU");
        set_name(image, 4, u"ALPHA");
        const Image before = image;
        QVERIFY(!sort_channels(image, 2, 6, SortKey::Receive));
        QCOMPARE(names(image, 0, 7), (QStringList{"", "", "C6", "ZULU", "ALPHA", "C2", "", ""}));
        QVERIFY(othersKept(before, image));
        QVERIFY(!sort_channels(image, 2, 6, SortKey::Name));
        QCOMPARE(names(image, 2, 6), (QStringList{"ALPHA", "C2", "C6", "ZULU", ""}));
    }
};

QTEST_GUILESS_MAIN(TstChannelRows)
#include "tst_channel_rows.moc"
