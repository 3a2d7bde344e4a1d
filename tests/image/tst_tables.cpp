// Image geometry, the tone list and the shared tables.
#include "image/image.h"
#include "image/language.h"
#include "image/tables.h"
#include "image/tones.h"

#include <QSet>
#include <QTest>

using namespace vx;

class TstTables : public QObject {
    Q_OBJECT
private slots:
    void imageStartsEmptyAndMapsAddresses()
    {
        Image img;
        for (uint8_t b : img.bytes())
            QCOMPARE(b, uint8_t(0xFF));
        QCOMPARE(Image::addressOfRow(0), 0x0000);
        QCOMPARE(Image::addressOfRow(256), 0x1000);
        QCOMPARE(Image::addressOfRow(768), 0x3000);
        QCOMPARE(Image::addressOfRow(1024), 0x4000);
        QCOMPARE(Image::rowOfAddress(0x3C40), 964);
        QCOMPARE(Image::firstRowOfBlock(0x3C00, 3), 972);
        QCOMPARE(int(sizeof(img.bytes())), 16400);
        img.set(1024, 15, 7);
        QCOMPARE(img.row(1024)[15], uint8_t(7));
        img.fill();
        QCOMPARE(img.at(1024, 15), uint8_t(0xFF));
    }

    void regionsMatchTheirAddresses()
    {
        QCOMPARE(region::options.address(), 0x0E00);
        QCOMPARE(region::names.address(), 0x1000);
        QCOMPARE(region::fiveTone.address(), 0x2000);
        QCOMPARE(region::dtmf.address(), 0x2900);
        QCOMPARE(region::twoTone.address(), 0x2D00);
        QCOMPARE(region::fmPresets.address(), 0x3000);
        QCOMPARE(region::adjust.address(), 0x3C00);
        QCOMPARE(region::unused.address(), 0x3E00);
        QCOMPARE(region::channels.count(), 200);
        QCOMPARE(region::wholeWrite.count(), 784);
    }

    void toneList_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("code");
        QTest::newRow("off") << 0 << "OFF" << 0;
        QTest::newRow("first ctcss") << 1 << "67.0" << 670;
        QTest::newRow("100.0 keeps its decimal") << 13 << "100.0" << 1000;
        QTest::newRow("last ctcss") << 50 << "254.1" << 2541;
        QTest::newRow("first dcs") << 51 << "D023N" << 1;
        QTest::newRow("645 is in the list") << 51 + 93 << "D645N" << 94;
        QTest::newRow("last normal") << 155 << "D754N" << 105;
        QTest::newRow("first inverted") << 156 << "D023I" << 106;
        QTest::newRow("last inverted") << 260 << "D754I" << 210;
    }
    void toneList()
    {
        QFETCH(int, index);
        QFETCH(QString, label);
        QFETCH(int, code);
        QCOMPARE(tones::label(index), label);
        QCOMPARE(int(tones::code(index)), code);
        QCOMPARE(tones::index_of(label), std::optional<int>(index));
        QCOMPARE(tones::index_of_code(uint16_t(code)), std::optional<int>(index));
    }

    void toneListShape()
    {
        QCOMPARE(tones::labels().size(), 261);
        QSet<QString> unique(tones::labels().begin(), tones::labels().end());
        QCOMPARE(unique.size(), 261);
        for (const QString& l : tones::labels())
            QVERIFY2(!l.contains(' '), qPrintable(l));
        QCOMPARE(tones::label(261), QString());
        QCOMPARE(tones::label(-1), QString());
        QCOMPARE(tones::index_of_code(0xFFFF), std::optional<int>(0));
        QCOMPARE(tones::index_of_code(671), std::nullopt);
        QCOMPARE(tones::index_of_code(211), std::nullopt);
    }

    void indexOfTrimsAndMatchesWholeLabels()
    {
        QCOMPARE(tones::index_of(u"  D023N "), std::optional<int>(51));
        QCOMPARE(tones::index_of(u"67"), std::nullopt);
        QCOMPARE(tones::index_of(u"d023n"), std::nullopt);
        QCOMPARE(tones::index_of(u""), std::nullopt);
    }

    void identityWord()
    {
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(kIdentityWord.data()), 4), QByteArray("PNRB"));
    }

    void callAlertListFollowsLanguage()
    {
        setChinese(false);
        rebuildCallAlertList();
        QCOMPARE(callAlertTexts(), QStringList({"0.None", "1.Alert", "2.Transpond", "3.Alert+Transpond"}));
        setChinese(true);
        QCOMPARE(callAlertTexts().at(1), QString("1.Alert"));  // not rebuilt until a switch
        rebuildCallAlertList();
        QCOMPARE(callAlertTexts(), QStringList({"0.无", "1.提醒", "2.回复", "3.提醒并回"}));
        setChinese(false);
        rebuildCallAlertList();
    }

    void textFollowsFlag()
    {
        const Text t{"确定", "Confirm"};
        setChinese(true);
        QCOMPARE(t.str(), QString("确定"));
        setChinese(false);
        QCOMPARE(QString(t), QString("Confirm"));
    }
};

QTEST_GUILESS_MAIN(TstTables)
#include "tst_tables.moc"
