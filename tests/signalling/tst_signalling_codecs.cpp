// The signalling record codecs on images of their own: DTMF digit codes,
// code fields, rights bits and lists; 2-tone words, period counts, rule
// texts and commits; 5-tone tables, dividers, frames and digits; the
// defaults of all three; and what showing stores back on bad images.
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_settings.h"
#include "editors/signalling/two_tone_settings.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/two_tone_codec.h"
#include "image/dtmf.h"
#include "image/language.h"
#include "image/tables.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vx;

namespace {

QByteArray rowHex(const Image& image, int row)
{
    QByteArray b;
    for (uint8_t v : image.row(row))
        b.append(char(v));
    return b.toHex(' ').toUpper();
}

// Rows outside [first, last] equal in both images.
bool sameOutside(const Image& a, const Image& b, int first, int last)
{
    for (int r = 0; r < Image::kRows; ++r)
        if ((r < first || r > last) && !std::ranges::equal(a.row(r), b.row(r)))
            return false;
    return true;
}

Image randomImage(quint32 seed)
{
    QRandomGenerator g(seed);
    Image image;
    for (auto& b : image.bytes())
        b = uint8_t(g.bounded(256));
    return image;
}

}  // namespace

class TstSignallingCodecs : public QObject {
    Q_OBJECT

private slots:
    void init() { setChinese(false), rebuildCallAlertList(); }

    // ------------------------------------------------------------ DTMF

    void dtmfDigitCodeBothWays()
    {
        const QString chars = QStringLiteral("D1234567890*#ABC");
        for (int code = 0; code < 256; ++code) {
            const char c = dtmf_char(uint8_t(code));
            QCOMPARE(c ? QString(QLatin1Char(c)) : QString(), code < 16 ? QString(chars.at(code)) : QString());
            if (code < 16)
                QCOMPARE(int(dtmf_code(char32_t(chars.at(code).unicode()))), code);
        }
        for (const char32_t lower : {U'a', U'b', U'c', U'd'})
            QCOMPARE(dtmf_code(lower), dtmf_code(lower - U'a' + U'A'));
        for (const char32_t other : {U'E', U'e', U' ', U'+', U'\0', char32_t(0x4E2D)})
            QCOMPARE(dtmf_code(other), kDtmfNone);
    }

    void dtmfCodeFields_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("shown");
        const QByteArray ff = " FF";
        QTest::newRow("a1*#") << "a1*#" << "0D 01 0B 0C" + ff.repeated(12) << "A1*#";
        QTest::newRow("0 is 10, D is 0") << "0D" << "0A 00" + ff.repeated(14) << "0D";
        QTest::newRow("empty") << "" << QByteArray("FF") + ff.repeated(15) << "";
        QTest::newRow("trimmed") << "  12  " << "01 02" + ff.repeated(14) << "12";
        QTest::newRow("foreign character stored as FF") << "1x2" << "01 FF 02" + ff.repeated(13) << "12";
        QTest::newRow("only 16 characters") << "12345678901234567" << QByteArray("01 02 03 04 05 06 07 08 09 0A 01 02 03 04 05 06") << "1234567890123456";
    }
    void dtmfCodeFields()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, row);
        QFETCH(QString, shown);
        for (int n : {1, 15}) {
            Image image;
            dtmf::set_tx_code(image, n, typed);
            QCOMPARE(rowHex(image, 655 + n), row);
            QCOMPARE(dtmf::decode(image).txCodes[size_t(n - 1)], shown);
            QVERIFY(sameOutside(image, Image(), 655 + n, 655 + n));
        }
        Image image;
        dtmf::set_identity(image, dtmf::Identity::Vice, typed);
        QCOMPARE(rowHex(image, 686), row);
        dtmf::set_decode(image, dtmf::Revive, typed);
        QCOMPARE(rowHex(image, 677), row);
    }

    // Check box n of a rights row is bit n; the other bits stay.
    void dtmfRightsBits_data()
    {
        QTest::addColumn<int>("who");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("bit");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("after");
        QTest::newRow("master kill on 0x83") << 0 << 0x83 << 3 << true << 0x8B;
        QTest::newRow("master inspection off 0x8B") << 0 << 0x8B << 0 << false << 0x8A;
        QTest::newRow("vice revive on 0xE0") << 1 << 0xE0 << 4 << true << 0xF0;
        QTest::newRow("vice monitor off 0xFF") << 1 << 0xFF << 1 << false << 0xFD;
        QTest::newRow("already set") << 0 << 0x04 << 2 << true << 0x04;
    }
    void dtmfRightsBits()
    {
        QFETCH(int, who);
        QFETCH(int, before);
        QFETCH(int, bit);
        QFETCH(bool, on);
        QFETCH(int, after);
        Image image;
        image.set(687, 1 + who, uint8_t(before));
        dtmf::set_right(image, who ? dtmf::Identity::Vice : dtmf::Identity::Master, bit, on);
        QCOMPARE(int(image.at(687, 1 + who)), after);
        QCOMPARE(int(image.at(687, 2 - who)), 0xFF);
        const dtmf::Settings s = dtmf::decode(image);
        QCOMPARE(int(who ? s.viceRights : s.masterRights), after & 0x1F);
    }

    void dtmfStateBitsAndCharacters()
    {
        Image image;
        image.set(687, 3, 0xF0);
        dtmf::set_disabled(image, dtmf::Disable::Receive, true);
        QCOMPARE(int(image.at(687, 3)), 0xF1);
        dtmf::set_group_call(image, U'#');
        dtmf::set_separator(image, U'd');
        QCOMPARE(rowHex(image, 687).mid(12, 5), QByteArray("0C 00"));
        image.set(687, 4, 0x10);
        QCOMPARE(dtmf::decode(image).groupCall, QString());
        image.set(687, 0, 0x80);
        QVERIFY(dtmf::decode(image).control);
    }

    void dtmfLists()
    {
        QCOMPARE(dtmf::on_off_time_entries().size(), 196);
        QCOMPARE(dtmf::on_off_time_entries().at(3), QString("80"));
        QCOMPARE(dtmf::on_off_time_entries().last(), QString("2000"));
        QCOMPARE(dtmf::decode_delay_entries().at(4), QString("500"));
        QCOMPARE(dtmf::decode_delay_entries().last(), QString("4000"));
        QCOMPARE(dtmf::reset_time_entries().at(79), QString("8000"));
        QCOMPARE(dtmf::reset_time_entries().last(), QString("15000"));
        QCOMPARE(dtmf::group_call_entries(), (QStringList{"*", "#", "A", "B", "C", "D"}));
    }

    void dtmfDefaults()
    {
        Image image = randomImage(7);
        const Image before = image;
        dtmf::load_defaults(image);
        QVERIFY(sameOutside(image, before, 656, 687));
        const dtmf::Settings s = dtmf::decode(image);
        QCOMPARE(s.txCodes[0], QString("20202"));
        QCOMPARE(s.txCodes[14], QString("30303"));
        for (int i = 1; i < 14; ++i)
            QCOMPARE(s.txCodes[size_t(i)], QString());
        QCOMPARE((QStringList{s.decodes.begin(), s.decodes.end()}), (QStringList{"202", "303", "119", "505", "666", "777"}));
        QCOMPARE(s.master, QString("60606"));
        QCOMPARE(s.vice, QString("70707"));
        QCOMPARE(rowHex(image, 671), QByteArray("03 03 FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(rowHex(image, 687), QByteArray("01 1F 03 00 0B 0C 04 4F FF FF FF FF FF FF FF FF"));
        for (int r = 678; r <= 684; ++r)
            QCOMPARE(rowHex(image, r), rowHex(Image(), r));
    }

    // ------------------------------------------------------------ 2-tone

    void periodCountsAndDividers_data()
    {
        QTest::addColumn<int>("tenths");
        QTest::addColumn<int>("periods");  // rounded, whole hertz
        QTest::addColumn<int>("divider");  // rounded down
        QTest::newRow("300: 7679.99") << 3000 << 7680 << 7679;
        QTest::newRow("1981") << 19810 << 1163 << 1163;
        QTest::newRow("2400: 959.9995") << 24000 << 960 << 959;
        QTest::newRow("2000: 1151.9994") << 20000 << 1152 << 1151;
        QTest::newRow("3000") << 30000 << 768 << 767;
        QTest::newRow("979.8") << 9798 << -1 << 2351;
        QTest::newRow("none") << 0 << 0 << 0;
    }
    void periodCountsAndDividers()
    {
        QFETCH(int, tenths);
        QFETCH(int, periods);
        QFETCH(int, divider);
        if (periods >= 0)
            QCOMPARE(tone_words::period_count(tenths / 10), periods);
        QCOMPARE(tone_words::divider_tenths(tenths), divider);
    }

    void twoToneTxCommit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1000.4") << "1000.4" << 1000 << false << "1000.0";
        QTest::newRow("half up 1000.5") << "1000.5" << 1001 << false << "1001.0";
        QTest::newRow("300") << "300" << 300 << false << "300.0";
        QTest::newRow("3000") << "3000" << 3000 << false << "3000.0";
        QTest::newRow("299.9 refused") << "299.9" << 0 << true << "";
        QTest::newRow("3000.1 refused") << "3000.1" << 0 << true << "";
        QTest::newRow("empty") << "  " << 0 << false << "";
    }
    void twoToneTxCommit()
    {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        QFETCH(bool, refused);
        QFETCH(QString, shown);
        const two_tone::TxCommit c = two_tone::tx_commit(typed);
        QCOMPARE(c.hz, stored);
        QCOMPARE(c.refused, refused);
        Image image;
        two_tone::set_tx_freq(image, 4, 1, c.hz);
        QCOMPARE(int(image.at(723, 8)), stored & 0xFF);
        QCOMPARE(int(image.at(723, 9)), stored >> 8);
        QCOMPARE(two_tone::tx_text(image, 4, 1), shown);
        QCOMPARE(int(image.at(723, 0)), 0xFF);
    }

    void twoToneToneCommit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QByteArray>("bytes");  // tone A word and period count
        QTest::newRow("1981") << "1981" << false << QByteArray("BD 07 8B 04");
        QTest::newRow("half to even 1000.5") << "1000.5" << false << QByteArray("E8 03 00 09");
        QTest::newRow("half to even 1001.5") << "1001.5" << false << QByteArray("EA 03 FB 08");
        QTest::newRow("299.5 rounds to 300") << "299.5" << false << QByteArray("2C 01 00 1E");
        QTest::newRow("250 refused") << "250" << true << QByteArray("FF FF FF FF");
        QTest::newRow("emptied") << "" << false << QByteArray("FF FF FF FF");
    }
    void twoToneToneCommit()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(QByteArray, bytes);
        Image image;
        image.fillRows(752, 752, 0x00);
        QCOMPARE(two_tone::commit_tone(image, 1, 0, typed), refused);
        const QByteArray row = rowHex(image, 752);
        QCOMPARE(row.mid(0, 5) + " " + row.mid(24, 5), bytes);
        QCOMPARE(row.mid(6, 17), QByteArray("00 00 00 00 00 00"));  // tones B..D untouched
    }

    void twoToneTexts()
    {
        QCOMPARE(two_tone::pair_text(0), QString("A-B"));
        QCOMPARE(two_tone::pair_text(11), QString("D-C"));
        QCOMPARE(two_tone::pair_text(12), QString());
        QCOMPARE(two_tone::response_text(3), QString("3.Alert+Transpond"));
        QCOMPARE(two_tone::response_text(7), QString("0.None"));
        QCOMPARE(two_tone::response_text(0xFF), QString());
        QCOMPARE(two_tone::alert_text(16), QString("16"));
        QCOMPARE(two_tone::alert_text(17), QString());
        setChinese(true);
        rebuildCallAlertList();
        QCOMPARE(two_tone::response_text(2), QString("2.回复"));
        Image image;
        image.set(752, 2, 0x00), image.set(752, 3, 0x00);  // tone B: 0
        image.set(752, 4, 0xFF), image.set(752, 5, 0x00);  // tone C: 255
        QCOMPARE(two_tone::tone_text(image, 1, 0), QString());
        QCOMPARE(two_tone::tone_text(image, 1, 1), QString());
        QCOMPARE(two_tone::tone_text(image, 1, 2), QString("255.0"));
    }

    // Decode grid columns: rule r, field f at 1 + 3r + f, byte 3r + f.
    void twoToneRuleBytes()
    {
        Image image;
        for (int column = 1; column < two_tone::kDecodeColumns; ++column)
            two_tone::set_rule_byte(image, 15, column, uint8_t(column));
        QCOMPARE(rowHex(image, 750), QByteArray("01 02 03 04 05 06 07 08 09 0A 0B 0C FF FF FF FF"));
        QCOMPARE(two_tone::rule_text(image, 15, 4), QString("B-C"));
        QCOMPARE(two_tone::rule_text(image, 15, 5), QString("0.None"));
        QCOMPARE(two_tone::rule_text(image, 15, 6), QString("6"));
    }

    void twoToneDefaults()
    {
        Image image = randomImage(9);
        const Image before = image;
        two_tone::load_defaults(image);
        QVERIFY(sameOutside(image, before, 720, 767));
        QCOMPARE(rowHex(image, 720), QByteArray("BD 07 FF FF FF FF FF FF 64 04 FF FF FF FF FF FF"));  // 1981, 1124
        const int tx[][3] = {{2, 1358, 1446}, {3, 1540, 1640}, {12, 2200, 970}, {13, 1060, 1160}, {14, 1400, 1530}, {15, 1670, 1830}};
        for (const auto& t : tx) {
            QCOMPARE(two_tone::tx_text(image, t[0], 0), QString::number(t[1]) + ".0");
            QCOMPARE(two_tone::tx_text(image, t[0], 1), QString::number(t[2]) + ".0");
        }
        for (int n = 4; n <= 11; ++n)
            QCOMPARE(rowHex(image, 719 + n), rowHex(Image(), 0));
        QCOMPARE(rowHex(image, 735), QByteArray("3C 3C 1E FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        const QByteArray forward = "00 01 01 04 02 02 08 03 03 09 00 04 FF FF FF FF";
        QCOMPARE(rowHex(image, 736), forward);
        QCOMPARE(rowHex(image, 737), forward);
        QCOMPARE(rowHex(image, 749), forward);
        QCOMPARE(rowHex(image, 750), QByteArray("09 00 04 08 03 03 04 02 02 00 01 01 FF FF FF FF"));
        QCOMPARE(rowHex(image, 738), rowHex(Image(), 0));
        const int tones[][5] = {{1, 1981, 1124, 1197, 1275}, {2, 1358, 1446, 1540, 1640},
                                {14, 2200, 970, 1060, 1160}, {15, 1400, 1530, 1670, 1830}};
        for (const auto& t : tones)
            for (int k = 0; k < 4; ++k) {
                const int row = 751 + t[0];
                QCOMPARE(image.at(row, 2 * k) | image.at(row, 2 * k + 1) << 8, t[k + 1]);
                QCOMPARE(image.at(row, 8 + 2 * k) | image.at(row, 9 + 2 * k) << 8, tone_words::period_count(t[k + 1]));
            }
        QCOMPARE(rowHex(image, 752).mid(24), QByteArray("8B 04 02 08 85 07 0F 07"));  // 1163, 2050, 1925, 1807
        QCOMPARE(rowHex(image, 767), QByteArray("3B FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
    }

    // ------------------------------------------------------------ 5-tone

    void fiveToneTables_data()
    {
        QTest::addColumn<int>("standard");
        QTest::addColumn<int>("digit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("divider");
        QTest::newRow("CCIR1 A 2400") << 0 << 10 << "2400.0" << 0x0960 << 0x03BF;
        QTest::newRow("CCIR1 0 1981") << 0 << 0 << "1981.0" << 1981 << 1163;
        QTest::newRow("EURO 0 979.8") << 11 << 0 << "979.8" << 979 << 2351;
        QTest::newRow("EURO E 1062.9") << 11 << 14 << "1062.9" << 1062 << 2167;
        QTest::newRow("MODAT 0 657.5") << 14 << 0 << "657.5" << 657 << 3504;
        QTest::newRow("ZVEI3 B none") << 5 << 11 << "0.0" << 0 << 0;
        QTest::newRow("NATEL F 2694") << 13 << 15 << "2694.0" << 2694 << 855;
        QTest::newRow("EIA E 459") << 10 << 14 << "459.0" << 459 << 5019;
    }
    void fiveToneTables()
    {
        QFETCH(int, standard);
        QFETCH(int, digit);
        QFETCH(QString, text);
        QFETCH(int, word);
        QFETCH(int, divider);
        QCOMPARE(five_tone::digit_frequency_text(standard, digit), text);
        QCOMPARE(five_tone::frequency_word(standard, digit), word);
        QCOMPARE(five_tone::divider(standard, digit), divider);
        Image image;
        five_tone::lay_tables(image);
        QCOMPARE(image.at(512 + standard, digit) | image.at(528 + standard, digit) << 8, word);
        QCOMPARE(image.at(544 + standard, digit) | image.at(560 + standard, digit) << 8, divider);
    }

    // The tables fill rows 512..526, 528..542, 544..558, 560..574 and nothing
    // else, whatever the image held.
    void fiveToneTablesCoverOnlyTheirRows()
    {
        Image image = randomImage(11);
        const Image before = image;
        five_tone::lay_tables(image);
        for (int r = 0; r < Image::kRows; ++r) {
            const bool table = r >= 512 && r <= 574 && (r - 512) % 16 != 15;
            if (!table)
                QVERIFY(std::ranges::equal(image.row(r), before.row(r)));
        }
        Image again = Image();
        again.fill(0x00);
        five_tone::lay_tables(again);
        for (int r = 512; r <= 574; ++r)
            if ((r - 512) % 16 != 15)
                QVERIFY(std::ranges::equal(image.row(r), again.row(r)));
        QCOMPARE(five_tone::standard_names(), (QStringList{"CCIR1", "CCIR2", "PCCIR", "ZVEI1", "ZVEI2", "ZVEI3", "PZVEI",
                                                           "DZVEI", "PDZVEI", "EEA", "EIA", "EURO", "CCITT", "NATEL", "MODAT"}));
    }

    void fiveToneFrames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("bytes");  // frame 2 of entry 3: row 594 bytes 5..9
        QTest::addColumn<QString>("shown");
        QTest::newRow("1a2") << "1a2" << QByteArray("01 0A 02 FF FF") << "1A2  ";
        QTest::newRow("five digits") << "0F9E3" << QByteArray("00 0F 09 0E 03") << "0F9E3";
        QTest::newRow("pasted seven") << "1234567" << QByteArray("01 02 03 04 05") << "12345";
        QTest::newRow("foreign character") << "1G2" << QByteArray("01 FF 02 FF FF") << "1 2  ";
        QTest::newRow("empty") << "" << QByteArray("FF FF FF FF FF") << "     ";
    }
    void fiveToneFrames()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        Image image;
        image.fillRows(594, 594, 0x77);
        five_tone::set_frame(image, 3, 1, typed);
        QCOMPARE(rowHex(image, 594).mid(15, 14), bytes);
        QCOMPARE(rowHex(image, 594).left(14), QByteArray("77 77 77 77 77"));
        QCOMPARE(rowHex(image, 594).mid(30), QByteArray("77 77 77 77 77 77"));
        QCOMPARE(five_tone::frame_text(image, 3, 1), shown);
    }

    void fiveToneCells()
    {
        Image image;
        QCOMPARE(five_tone::tone_length_text(image, 0), QString("2570"));
        QCOMPARE(five_tone::group_tone_text(image, 0), QString(" "));
        QCOMPARE(five_tone::entry_standard_text(image, 1), QString());
        five_tone::set_tone_length(image, 0, 18);
        five_tone::set_group_tone(image, 0, 15);
        five_tone::set_repeat_tone(image, 14, 0);
        five_tone::set_entry_standard(image, 15, 14);
        QCOMPARE(five_tone::tone_length_text(image, 0), QString("200"));
        QCOMPARE(five_tone::group_tone_text(image, 0), QString("F"));
        QCOMPARE(five_tone::repeat_tone_text(image, 14), QString("0"));
        QCOMPARE(five_tone::entry_standard_text(image, 15), QString("MODAT"));
        QCOMPARE(rowHex(image, 576), QByteArray("12 0F FF FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        QCOMPARE(int(image.at(590, 2)), 0);
        QCOMPARE(int(image.at(606, 15)), 14);
        QCOMPARE(five_tone::tone_length_entries().last(), QString("200"));
    }

    void fiveToneDefaults()
    {
        Image image = randomImage(13);
        const Image before = image;
        five_tone::load_defaults(image);
        QVERIFY(sameOutside(image, before, 512, 607));
        for (const int r : {527, 543, 559, 575, 591})
            QVERIFY(std::ranges::equal(image.row(r), before.row(r)));
        const QStringList lengths{"100", "70", "70", "70", "70", "70", "70", "70", "70", "40", "30", "100", "70", "70", "40"};
        for (int s = 0; s < five_tone::kStandards; ++s) {
            QCOMPARE(five_tone::tone_length_text(image, s), lengths.at(s));
            QCOMPARE(five_tone::group_tone_text(image, s), QString("A"));
            QCOMPARE(five_tone::repeat_tone_text(image, s), QString("E"));
            for (int b = 3; b < 16; ++b)
                QCOMPARE(image.at(576 + s, b), before.at(576 + s, b));
        }
        QCOMPARE(rowHex(image, 592), QByteArray("01 02 03 04 05 03 04 05 06 07 05 06 07 08 09 00"));
        QCOMPARE(rowHex(image, 606), QByteArray("02 03 04 05 06 04 05 06 07 08 06 07 08 09 00 0E"));
        for (int r = 593; r <= 605; ++r)
            QCOMPARE(rowHex(image, r), rowHex(Image(), r));
        QCOMPARE(rowHex(image, 607), QByteArray("14 14 14 00 FF FF FF FF 00 01 06 3B FF FF FF FF"));
    }

    // A grid column's row shows, entry by entry, what the window's grid or
    // field shows, and stores what the window stores: the text
    // configuration and the windows cannot disagree.
    void columnRowsShowTheCodec_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 4; ++seed)
            QTest::newRow(qPrintable(QString("random %1").arg(seed))) << seed;
    }
    void columnRowsShowTheCodec()
    {
        using signalling::entry_setting;
        QFETCH(quint32, seed);
        const Image image = randomImage(seed);
        const RecordView w = two_tone::view(image);
        const RecordView f = five_tone::view(image);
        for (int i = 0; i < 15; ++i) {
            const int n = i + 1;
            for (const signalling::EntryColumn& c : two_tone::kTransmitColumns)
                QCOMPARE(entry_setting(c, i).value(w), two_tone::tx_text(image, n, c.column - 1));
            for (const signalling::EntryColumn& c : two_tone::kReceiveColumns) {
                const int tone = c.cell.control[5] - 'A';  // Text_A .. Text_D
                QCOMPARE(entry_setting(c, i).value(w),
                         c.column >= 0 ? two_tone::rule_text(image, n, c.column) : two_tone::tone_text(image, n, tone));
            }
            for (const signalling::EntryColumn& c : five_tone::kEncodeColumns)
                QCOMPARE(entry_setting(c, i).value(f), c.column == 4 ? five_tone::entry_standard_text(image, n)
                                                                     : five_tone::frame_text(image, n, c.column - 1).trimmed());
        }
        for (int st = 0; st < five_tone::kStandards; ++st) {
            const QStringList lengths = five_tone::tone_length_entries();
            QCOMPARE(entry_setting(five_tone::kStandardColumns[0], st).value(f),
                     lengths.value(std::min<int>(f.u8(five_tone::Layout::toneLength(st).offset), int(lengths.size()) - 1)));
            QCOMPARE(entry_setting(five_tone::kStandardColumns[1], st).value(f), five_tone::group_tone_text(image, st).trimmed());
            QCOMPARE(entry_setting(five_tone::kStandardColumns[2], st).value(f), five_tone::repeat_tone_text(image, st).trimmed());
        }
    }

    void columnRowsStoreAsTheCodec_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* t : {"1000", "1000.5", "1001.5", "299.9", "300", "3000", "3000.4", "3000.6", "", " ", "abc", "12345",
                              "abcde", "1234", "12G45", " 0F0F0 "})
            QTest::newRow(t) << QString::fromLatin1(t);
    }
    void columnRowsStoreAsTheCodec()
    {
        using signalling::entry_setting;
        QFETCH(QString, text);
        const Image start = randomImage(9);
        for (const int i : {0, 6, 14}) {
            const int n = i + 1;
            for (const signalling::EntryColumn& c : two_tone::kTransmitColumns) {
                Image byRow = start, byCodec = start;
                const two_tone::TxCommit commit = two_tone::tx_commit(text);
                QCOMPARE(entry_setting(c, i).setValue(two_tone::ref(byRow), text), !commit.refused);
                two_tone::set_tx_freq(byCodec, n, c.column - 1, commit.hz);
                if (!commit.refused)
                    QVERIFY(byRow == byCodec);
            }
            for (const signalling::EntryColumn& c : two_tone::kReceiveColumns) {
                if (c.column >= 0)
                    continue;
                Image byRow = start, byCodec = start;
                const bool refused = two_tone::commit_tone(byCodec, n, c.cell.control[5] - 'A', text);
                QCOMPARE(entry_setting(c, i).setValue(two_tone::ref(byRow), text), !refused);
                if (!refused)
                    QVERIFY(byRow == byCodec);
            }
            for (const signalling::EntryColumn& c : five_tone::kEncodeColumns) {
                if (c.column == 4)
                    continue;
                Image byRow = start, byCodec = start;
                five_tone::set_frame(byCodec, n, c.column - 1, text);
                if (entry_setting(c, i).setValue(five_tone::ref(byRow), text))
                    QVERIFY(byRow == byCodec);
            }
        }
    }
};

QTEST_MAIN(TstSignallingCodecs)
#include "tst_signalling_codecs.moc"
