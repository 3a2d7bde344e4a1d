// Copy and paste of channels between the grid and a spreadsheet: the
// clipboard's tab-separated text, a round trip through an edit in the
// text, pasting elsewhere, other separators, and refusals that change
// nothing.
#include "editor_window.h"
#include "test_document.h"

#include "app/channel_clipboard.h"
#include "editors/channels/channel_codec.h"
#include "editors/channels/frm_chann.h"
#include "interchange/csv/channel_csv.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace vx;
using namespace vx::channels;
using namespace vx::test;

namespace {

using ChannWindow = EditorWindow<frm_chann>;

// Channels 0..7 named N0..N7 on 440 - n MHz, channel 4 with PTT-ID set (a
// setting channel lists do not carry); the rest empty.
void layChannels()
{
    Image& image = testImage();
    for (int n = 0; n < kChannels; ++n)
        delete_channel(image, n);
    for (int n = 0; n < 8; ++n) {
        new_channel(image, n);
        set_rx(image, n, QStringLiteral("%1.00000").arg(440 - n));
        set_name(image, n, QStringLiteral("N%1").arg(n));
    }
    set_choice(image, 4, ColPttId, 2);
}

bool sameChannel(const Image& a, int n, const Image& b, int m)
{
    return std::ranges::equal(a.row(record_row(n)), b.row(record_row(m))) && std::ranges::equal(a.row(name_row(n)), b.row(name_row(m)));
}

QString clipboard() { return QGuiApplication::clipboard()->text(); }
void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

}  // namespace

class TstChannelClipboard : public QObject {
    Q_OBJECT
private slots:
    // Copy gives the channel list's header and columns, tab-separated; an
    // edit made in the spreadsheet comes back and nothing else changes,
    // the settings lists do not carry included; one undo step.
    void roundTripThroughASpreadsheet()
    {
        ChannWindow cw({.prepare = layChannels});
        attach_channel_clipboard(*cw.w);
        const Image before = testImage();
        cw.w->selectChannels({3, 4, 5});
        copy_channels(*cw.w);
        const QStringList lines = clipboard().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString::fromLatin1(kCsvHeader).replace(',', '\t'));
        QVERIFY(lines[2].startsWith("4\tN4\t436.000000\t"));

        QString edited = clipboard();
        edited.replace("\tN4\t", "\tNEW\t");
        setClipboard(edited);
        const size_t edits = testDocument().record().size();
        paste_channels(*cw.w);
        QVERIFY(cw.prompts.all.isEmpty());
        QCOMPARE(decode_channel(testImage(), 4)[ColName], QString("NEW"));
        QCOMPARE(decode_channel(testImage(), 4)[ColPttId], decode_channel(before, 4)[ColPttId]);
        QVERIFY(std::ranges::equal(testImage().row(record_row(4)), before.row(record_row(4))));
        for (int n = 0; n < kChannels; ++n)
            if (n != 4)
                QVERIFY2(sameChannel(testImage(), n, before, n), qPrintable(QString::number(n)));
        QCOMPARE(testDocument().record().size(), edits + 1);
        QCOMPARE(cw.cell("MSF_Chann", 4, ColName), QString("NEW"));
        QVERIFY(testDocument().undo());
        QVERIFY(testImage() == before);
    }

    // A list pasted elsewhere goes to consecutive channels from the first
    // selected one, whatever its locations say; commas and semicolons are
    // read as well as tabs.
    void pasteElsewhere_data()
    {
        QTest::addColumn<char>("separator");
        QTest::newRow("tabs") << '\t';
        QTest::newRow("commas") << ',';
        QTest::newRow("semicolons") << ';';
    }
    void pasteElsewhere()
    {
        QFETCH(char, separator);
        ChannWindow cw({.prepare = layChannels});
        const Image before = testImage();
        setClipboard(QString::fromUtf8(export_channels(before, {1, 2}, separator)));
        cw.w->selectChannels({20});
        paste_channels(*cw.w);
        QVERIFY2(cw.prompts.all.isEmpty(), qPrintable(cw.prompts.texts().join('\n')));
        QCOMPARE(decode_channel(testImage(), 20)[ColName], QString("N1"));
        QCOMPARE(decode_channel(testImage(), 21)[ColRx], decode_channel(before, 2)[ColRx]);
        QVERIFY(is_empty(testImage(), 22));
        QCOMPARE(cw.w->selectedChannels(), (std::vector<int>{20, 21}));
    }

    // Text that is no channel list, and a list that runs past channel 199:
    // refused with the import's reasons, nothing changed.
    void refusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a list") << "hello\tworld\r\n1\t2\r\n" << 3 << "Frequency";
        QTest::newRow("past the last channel") << QString() << 198 << "the paste runs past the last channel (199)";
        QTest::newRow("empty clipboard") << "" << 3 << "";
    }
    void refusals()
    {
        QFETCH(QString, text);
        QFETCH(int, at);
        QFETCH(QString, reason);
        ChannWindow cw({.prepare = layChannels});
        const Image before = testImage();
        setClipboard(text.isNull() ? QString::fromUtf8(export_channels(before, {0, 1, 2}, '\t')) : text);
        cw.w->selectChannels({at});
        paste_channels(*cw.w);
        QCOMPARE(cw.prompts.all.size(), 1);
        QVERIFY(cw.prompts.all[0].text.startsWith("The clipboard holds no channel list that can be pasted; no channel was changed:"));
        QVERIFY2(cw.prompts.all[0].text.contains(reason), qPrintable(cw.prompts.all[0].text));
        QVERIFY(testImage() == before);
    }

    // Cut is copy, then the channels cleared in place.
    void cut()
    {
        ChannWindow cw({.prepare = layChannels});
        const Image before = testImage();
        cw.w->selectChannels({6, 7});
        cut_channels(*cw.w);
        QVERIFY(is_empty(testImage(), 6) && is_empty(testImage(), 7));
        cw.w->selectChannels({6});
        paste_channels(*cw.w);
        QVERIFY(sameChannel(testImage(), 6, before, 6));
        QVERIFY(sameChannel(testImage(), 7, before, 7));
    }
};

QTEST_MAIN(TstChannelClipboard)
#include "tst_channel_clipboard.moc"
