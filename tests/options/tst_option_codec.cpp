// The option block and VFO codec: block addressing, list values, flags,
// message and code strings, VFO frequency, offset and tones, the defaults
// byte for byte.
#include "editors/options/option_codec.h"

#include <QTest>

using namespace vx;
using namespace vx::options;

namespace {

QByteArray hex(std::span<const uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())).toHex(' ').toUpper();
}

QByteArray rowHex(const Image& image, int row) { return hex(image.row(row)); }

template <size_t N>
std::array<uint8_t, N> bytesOf(std::initializer_list<int> values)
{
    std::array<uint8_t, N> out{};
    size_t i = 0;
    for (int v : values)
        out[i++] = uint8_t(v);
    return out;
}

const vx::Setting& setting(const char* control)
{
    if (const vx::Setting* s = setting_of(control))
        return *s;
    qFatal("no setting %s", control);
}

}  // namespace

class TstOptionCodec : public QObject {
    Q_OBJECT
private slots:
    void blockAddressing()
    {
        Image image;
        for (int k = 0; k < kBlockSize; ++k)
            image.set(224 + k / 16, k % 16, uint8_t(k ^ 0x5A));
        OptionBlock block;
        QCOMPARE(block.at(0), uint8_t(0));  // zero before anything is loaded
        block.load(image);
        QCOMPARE(block.at(0x2A), uint8_t(0x2A ^ 0x5A));
        QCOMPARE(Image::addressOfRow(224 + 0x2A / 16) + 0x2A % 16, 0x0E2A);
        block.set(0x2A, 0x77);
        Image out;
        block.store(out);
        QCOMPARE(out.at(226, 10), uint8_t(0x77));
        QCOMPARE(out.at(239, 15), uint8_t(255 ^ 0x5A));
        QCOMPARE(rowHex(out, 223), rowHex(Image(), 223));
        QCOMPARE(rowHex(out, 240), rowHex(Image(), 240));
    }

    // Every list: its length, first and last entries in both languages.
    void lists_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("english");  // first, second, last
        QTest::addColumn<QStringList>("chinese");
        auto row = [](const char* c, int n, QStringList en, QStringList zh) { QTest::newRow(c) << QString(c) << n << en << zh; };
        row("Combo_Tdr", 2, {"OFF", "ON", "ON"}, {"关闭", "开启", "开启"});
        row("Combo_tot", 40, {"15", "30", "600"}, {"15", "30", "600"});
        row("Combo_Toa", 11, {"OFF", "30", "300"}, {"关闭", "30", "300"});
        row("Combo_Dtmfst", 4, {"OFF All ", "KB DTMF Side Tone", "KB DTMFST + Send ANI DTMFST"},
            {"关闭", "按键侧音", "按键侧音+发身份码侧音"});
        row("Combo_Pri_Ch", 200, {"CH-000", "CH-001", "CH-199"}, {"CH-000", "CH-001", "CH-199"});
        row("Combo_Ptt_id", 4, {"OFF", "BOT", "BOTH"}, {"关", "按下发码", "两者均发"});
        row("Combo_MDF_B", 3, {"Channel+Frequency", "Channel", "Channel+Name"}, {"频率+信道号", "信道号", "信道名称+信道号"});
        row("Combo_tx_led", 4, {"OFF", "Blue", "Purple"}, {"关", "蓝色", "紫色"});
        row("Combo_REP_M", 5, {"OFF", "CARRI", "DTMF"}, {"关", "CARRI", "DTMF"});
        row("Combo_RP_STE", 11, {"OFF", "1", "10"}, {"关闭", "1", "10"});
    }
    void lists()
    {
        QFETCH(QString, control);
        QFETCH(int, count);
        QFETCH(QStringList, english);
        QFETCH(QStringList, chinese);
        const vx::Setting& s = setting(control.toLatin1());
        QCOMPARE(s.list->count(), count);
        for (const auto& [inChinese, expected] : {std::pair{false, english}, std::pair{true, chinese}}) {
            const QStringList e = s.list->entries(inChinese);
            QCOMPARE(e.size(), count);
            QCOMPARE((QStringList{e[0], e[1], e.last()}), expected);
        }
    }

    // A value past the end of its list shows the last entry; a chosen
    // position is stored unchanged, and the whole block goes back.
    void listValues_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Pri_Ch erased") << "Combo_Pri_Ch" << 0xFF << "CH-199";
        QTest::newRow("tot erased") << "Combo_tot" << 0xFF << "600";
        QTest::newRow("squelch erased") << "Combo_Sql_le" << 0xFF << "9";
        QTest::newRow("squelch 3") << "Combo_Sql_le" << 3 << "3";
        QTest::newRow("Toa 4") << "Combo_Toa" << 4 << "120";
        QTest::newRow("Emc_Ch 42") << "Combo_Emc_Ch" << 42 << "CH-042";
    }
    void listValues()
    {
        QFETCH(QString, control);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        const vx::Setting& s = setting(control.toLatin1());
        Image image;
        image.fill(0x33);
        image.set(224 + s.byte / 16, s.byte % 16, uint8_t(stored));
        OptionBlock block;
        block.load(image);
        const int position = setting_position(block, s);
        QCOMPARE(s.list->entries(false).at(position), shown);

        // Regression: a copy gone stale (the image read anew since) wrote
        // its old bytes back over the new ones.
        image.set(236, 8, 0x44);
        store_setting(block, image, s, position);
        QCOMPARE(image.at(224 + s.byte / 16, s.byte % 16), uint8_t(position));
        QCOMPARE(image.at(236, 8), uint8_t(0x44));
        QCOMPARE(block.at(200), uint8_t(0x44));
        QCOMPARE(image.at(240, 0), uint8_t(0x33));  // nothing past the block
    }

    void checkBoxes_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("before");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("set");
        QTest::addColumn<int>("after");
        QTest::newRow("VFO/MR cleared from FF") << "Check_VFO_MR_SW" << 0xFF << true << false << 0xF7;
        QTest::newRow("VFO/MR set from 00") << "Check_VFO_MR_SW" << 0x00 << false << true << 0x08;
        QTest::newRow("menu set, others kept") << "Check_chann_Menu_en" << 0xA2 << false << true << 0xA3;
        QTest::newRow("reset cleared") << "Check_chann_reset_en" << 0x03 << true << false << 0x01;
        QTest::newRow("mode 5 reads checked") << "Check_chann_Mode" << 5 << true << true << 1;
        QTest::newRow("mode FF cleared") << "Check_chann_Mode" << 0xFF << true << false << 0;
    }
    void checkBoxes()
    {
        QFETCH(QString, control);
        QFETCH(int, before);
        QFETCH(bool, shown);
        QFETCH(bool, set);
        QFETCH(int, after);
        const vx::Setting& c = setting(control.toLatin1());
        Image image;
        image.set(232, c.byte - 128, uint8_t(before));
        OptionBlock block;
        block.load(image);
        QCOMPARE(check_state(block, c), shown);
        store_check(block, image, c, set);
        QCOMPARE(int(image.at(232, c.byte - 128)), after);
    }

    void messageCodes()
    {
        QCOMPARE(message_code(U'0'), uint8_t(48));
        QCOMPARE(message_code(U'9'), uint8_t(57));
        QCOMPARE(message_code(U'A'), uint8_t(65));
        QCOMPARE(message_code(U'z'), uint8_t(90));
        QCOMPARE(message_code(U'+'), uint8_t(43));
        QCOMPARE(message_code(U'-'), uint8_t(45));
        QCOMPARE(message_code(U' '), uint8_t(32));
        for (char32_t c : {U'*', U'.', U'é', U'中', U'\0'})
            QCOMPARE(message_code(c), uint8_t(11));
        for (int code = 0; code < 256; ++code) {
            const char32_t c = message_char(uint8_t(code));
            QCOMPARE(c != 0, (code >= 48 && code <= 57) || (code >= 65 && code <= 90) || code == 43 || code == 45 || code == 32);
            if (c)
                QCOMPARE(int(message_code(c)), code);
        }
    }

    void messageLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("cells");
        QTest::addColumn<QString>("shown");
        QTest::newRow("hi") << "hi" << QByteArray("20 20 48 49 20 20") << "HI";
        QTest::newRow("3 characters centred") << "abc" << QByteArray("20 41 42 43 20 20") << "ABC";
        QTest::newRow("5 characters") << "12345" << QByteArray("31 32 33 34 35 20") << "12345";
        QTest::newRow("7 characters: first six") << "ABCDEFG" << QByteArray("41 42 43 44 45 46") << "ABCDEF";
        QTest::newRow("no code inside") << "A*B" << QByteArray("20 41 0B 42 20 20") << "AB";
        QTest::newRow("space inside") << "A B" << QByteArray("20 41 0B 42 20 20") << "AB";
        QTest::newRow("trimmed") << "  xy  " << QByteArray("20 20 58 59 20 20") << "XY";
        QTest::newRow("wide character") << "中文" << QByteArray("20 20 0B 0B 20 20") << "";
    }
    void messageLines()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, cells);
        QFETCH(QString, shown);
        const auto encoded = encode_message(text);
        QCOMPARE(hex(encoded), cells);
        QCOMPARE(decode_message(encoded), shown);

        Image image;
        OptionBlock block;
        store_message(image, block, MessageLine::Lower, text);
        QCOMPARE(rowHex(image, 236).mid(6 * 3, 6 * 3 - 1), cells);  // cells 6..11
        QCOMPARE(image.at(236, 5), uint8_t(0xFF));                   // the upper line untouched
        QCOMPARE(image.at(236, 12), uint8_t(0xFF));
        QCOMPARE(message_text(block, MessageLine::Lower), shown);   // the copy has them too
    }

    void messageDecodeSkipsCodes()
    {
        QCOMPARE(decode_message(bytesOf<6>({0xFF, 0x41, 0x00, 0x20, 0x5A, 0x61})), QString("AZ"));
        QCOMPARE(decode_message(bytesOf<6>({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})), QString());
    }

    void codeStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("shown");
        QTest::newRow("12#A") << "12#A" << QByteArray("01 02 0C 0D FF FF FF FF FF FF FF FF FF FF FF FF") << "12#A";
        QTest::newRow("lower case") << " d0* " << QByteArray("00 0A 0B FF FF FF FF FF FF FF FF FF FF FF FF FF") << "D0*";
        QTest::newRow("no code: FF") << "1x2" << QByteArray("01 FF 02 FF FF FF FF FF FF FF FF FF FF FF FF FF") << "12";
        QTest::newRow("past 16") << "12345678901234567" << QByteArray("01 02 03 04 05 06 07 08 09 0A 01 02 03 04 05 06")
                                 << "1234567890123456";
        QTest::newRow("empty") << "" << QByteArray("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF") << "";
    }
    void codeStrings()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, row);
        QFETCH(QString, shown);
        for (const CodeString c : {CodeString::Ani, CodeString::PttIdBegin, CodeString::PttIdEnd}) {
            Image image;
            image.fill(0x10);
            OptionBlock block;
            store_code(image, block, c, text);
            const int r = 237 + int(c);
            QCOMPARE(rowHex(image, r), row);
            QCOMPARE(image.at(r - 1, 15), uint8_t(0x10));
            QCOMPARE(r == 239 ? image.at(240, 0) : image.at(r + 1, 0), uint8_t(0x10));
            QCOMPARE(code_text(block, c), shown);
        }
    }

    void vfoFrequency_data()
    {
        QTest::addColumn<QByteArray>("digits");
        QTest::addColumn<QString>("text");
        QTest::newRow("145.125") << QByteArray::fromHex("0104050102050000") << "145.12500";
        QTest::newRow("470.625") << QByteArray::fromHex("0407000602050000") << "470.62500";
        QTest::newRow("erased") << QByteArray::fromHex("ffffffffffffffff") << ".";
        QTest::newRow("below 100") << QByteArray::fromHex("0008080900000000") << "088.90000";
        QTest::newRow("one byte 10") << QByteArray::fromHex("010a050102050000") << "15.12500";
    }
    void vfoFrequency()
    {
        QFETCH(QByteArray, digits);
        QFETCH(QString, text);
        std::array<uint8_t, 8> d{};
        std::copy(digits.begin(), digits.end(), d.begin());
        QCOMPARE(decode_vfo_frequency(d), text);
    }

    void vfoFrequencyEncodes()
    {
        Image image;
        encode_vfo_frequency(image, Vfo::B, u"145.12500");
        QCOMPARE(rowHex(image, 242), QByteArray("01 04 05 01 02 05 00 00 FF FF FF FF FF FF FF FF"));
        QVERIFY(vfo_is_vhf(image, Vfo::B));
        QCOMPARE(vfo_frequency(image, Vfo::B), QString("145.12500"));
        encode_vfo_frequency(image, Vfo::A, u"99.50000");
        QCOMPARE(rowHex(image, 240), QByteArray("00 09 09 05 00 00 00 00 FF FF FF FF FF FF FF FF"));
        QVERIFY(!vfo_is_vhf(image, Vfo::A));
        QCOMPARE(rowHex(image, 241), rowHex(Image(), 241));
    }

    // The part below 1 kHz goes to the nearest 250 Hz; 125 Hz past a step
    // goes up; 1000 Hz carries into the kHz.
    void frequencyGrid_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("kHz only") << "145.125" << "145.12500";
        QTest::newRow("whole MHz") << "136" << "136.00000";
        QTest::newRow("400 Hz to 500") << "145.1234" << "145.12350";
        QTest::newRow("990 Hz carries") << "145.12499" << "145.12500";
        QTest::newRow("tie goes up") << "99.123125" << "99.12325";
        QTest::newRow("just under the tie") << "99.123124" << "99.12300";
        QTest::newRow("tie 875 carries") << "99.123875" << "99.12400";
        QTest::newRow("carry into MHz") << "145.99990" << "146.00000";
        QTest::newRow("1.2.3 reads 1.2") << "1.2.3" << "1.20000";
        QTest::newRow("not a number") << "abc" << "0.00000";
    }
    void frequencyGrid()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normalised);
        QCOMPARE(normalised_vfo_frequency(typed), normalised);
    }

    void offsetLabels()
    {
        QCOMPARE(offset_labels().size(), 2000);
        QCOMPARE(offset_labels().at(0), QString("00.000MHZ"));
        QCOMPARE(offset_labels().at(1), QString("00.050MHZ"));
        QCOMPARE(offset_labels().at(21), QString("01.050MHZ"));
        QCOMPARE(offset_labels().at(213), QString("10.650MHZ"));
        QCOMPARE(offset_labels().at(1999), QString("99.950MHZ"));
    }

    void offsetDecodes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("position");
        QTest::newRow("10655 kHz") << QByteArray::fromHex("000100060505") << 213;
        QTest::newRow("1625 kHz: half to even, down") << QByteArray::fromHex("000001060205") << 32;
        QTest::newRow("75 kHz: half to even, up") << QByteArray::fromHex("000000000705") << 2;
        QTest::newRow("25 kHz: half to even, 0") << QByteArray::fromHex("000000000205") << 0;
        QTest::newRow("zero") << QByteArray::fromHex("000000000000") << 0;
        QTest::newRow("erased: limit") << QByteArray::fromHex("ffffffffffff") << 1999;
        QTest::newRow("bytes of 10 and up join as text") << QByteArray::fromHex("0000000c0000") << 24;
    }
    void offsetDecodes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, position);
        std::array<uint8_t, 6> b{};
        std::copy(bytes.begin(), bytes.end(), b.begin());
        QCOMPARE(decode_offset(b), position);
    }

    void offsetEncodes()
    {
        Image image;
        encode_offset(image, Vfo::A, u"00.050MHZ");
        QCOMPARE(rowHex(image, 240), QByteArray("FF FF FF FF FF FF FF FF 00 00 00 00 05 00 FF FF"));
        QCOMPARE(vfo_offset(image, Vfo::A), 1);
        encode_offset(image, Vfo::B, offset_label(213));
        QCOMPARE(rowHex(image, 242), QByteArray("FF FF FF FF FF FF FF FF 00 01 00 06 05 00 FF FF"));
        QCOMPARE(vfo_offset(image, Vfo::B), 213);
    }

    void tones_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("88.5") << 0x75 << 0x03 << 9 << "";
        QTest::newRow("100.0") << 0xE8 << 0x03 << 13 << "";
        QTest::newRow("D065N") << 0x0C << 0x00 << 62 << "";
        QTest::newRow("D754I") << 0xD2 << 0x00 << 260 << "";
        QTest::newRow("00 00") << 0x00 << 0x00 << 0 << "";
        QTest::newRow("FF FF") << 0xFF << 0xFF << 0 << "";
        QTest::newRow("00 FF") << 0x00 << 0xFF << 0 << "";
        QTest::newRow("tone not listed") << 0xD2 << 0x04 << -1 << "123.4";
        QTest::newRow("DCS past 210") << 0xD3 << 0x00 << -1 << "D3 00";
        QTest::newRow("high 0x80") << 0x00 << 0x80 << -1 << "3276.8";
    }
    void tones()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, position);
        QFETCH(QString, text);
        QCOMPARE(decode_vfo_tone(uint8_t(low), uint8_t(high)), (VfoTone{position, text}));
        if (position > 0)
            QCOMPARE(encode_vfo_tone(position), (TonePair{uint8_t(low), uint8_t(high)}));
    }

    void toneEncodes()
    {
        QCOMPARE(encode_vfo_tone(0), (TonePair{0, 0}));
        QCOMPARE(encode_vfo_tone(51), (TonePair{1, 0}));
        QCOMPARE(encode_vfo_tone(50), (TonePair{0xED, 0x09}));  // 254.1
        QCOMPARE(vfo_tone_entries(false).size(), 261);
        QCOMPARE(vfo_tone_entries(false).first(), QString("OFF"));
        QCOMPARE(vfo_tone_entries(true).first(), QString("关"));
        QCOMPARE(vfo_tone_entries(true).at(9), QString("88.5"));
        QCOMPARE(vfo_tone_entries(true).last(), QString("D754I"));
    }

    // On a fresh start (working copy all zero) the bytes without a default
    // become 0; bytes 12..15 of rows 241 and 243 and the rows past 243 are
    // not touched.
    void defaultsByteForByte()
    {
        Image image;
        OptionBlock block;
        lay_down_defaults(image, block);
        const QByteArray zero("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
        const QList<QByteArray> expected{
            "01 02 05 00 00 05 0A 00 00 01 00 00 00 00 03 00",  // 224
            "00 00 00 00 00 00 00 0A 00 01 C7 05 00 00 01 00",  // 225
            "01 03 01 02 00 00 00 00 00 02 00 00 0A 01 05 00",  // 226
            zero, zero, zero, zero, zero,                        // 227..231
            "00 00 00 00 FF 01 00 00 00 00 00 00 00 00 00 00",  // 232
            zero, zero, zero,                                    // 233..235
            "57 45 4C 43 4F 4D 51 58 2D 32 37 30 FF FF FF FF",  // 236: WELCOM, QX-270
            "08 00 08 00 08 FF FF FF FF FF FF FF FF FF FF FF",  // 237: ANI
            "01 02 03 04 05 FF FF FF FF FF FF FF FF FF FF FF",  // 238: PTT-ID begin
            "09 08 07 06 05 FF FF FF FF FF FF FF FF FF FF FF",  // 239: PTT-ID end
            "01 03 06 00 02 05 00 00 00 01 00 06 05 05 00 00",  // 240: VFO A
            "00 00 00 00 00 00 00 00 00 00 00 00 FF FF FF FF",  // 241
            "04 07 00 06 02 05 00 00 00 00 01 06 02 05 00 00",  // 242: VFO B
            "00 00 00 00 0E 00 00 00 00 00 00 00 FF FF FF FF",  // 243
        };
        for (int r = 224; r <= 243; ++r)
            QCOMPARE(rowHex(image, r), expected[r - 224]);
        QCOMPARE(rowHex(image, 244), rowHex(Image(), 244));
        QCOMPARE(rowHex(image, 223), rowHex(Image(), 223));
        QCOMPARE(message_text(block, MessageLine::Upper), QString("WELCOM"));
        QCOMPARE(message_text(block, MessageLine::Lower), QString("QX-270"));
        QCOMPARE(code_text(block, CodeString::Ani), QString("8D8D8"));
        QCOMPARE(code_text(block, CodeString::PttIdBegin), QString("12345"));
        QCOMPARE(code_text(block, CodeString::PttIdEnd), QString("98765"));
        QCOMPARE(offset_labels().at(vfo_offset(image, Vfo::A)), QString("10.650MHZ"));
        QCOMPARE(vfo_frequency(image, Vfo::B), QString("470.62500"));
    }

    // Default after a load: the bytes without a default keep what was
    // loaded; the rest is as on a fresh start.
    void defaultsKeepLoadedBytes()
    {
        Image image;
        for (int k = 0; k < 256; ++k)
            image.set(224 + k / 16, k % 16, uint8_t(0x80 | k));
        image.set(241, 13, 0x42);
        OptionBlock block;
        block.load(image);
        lay_down_defaults(image, block);
        for (int k : {4, 28, 49, 100, 128, 130, 131, 134, 191})
            QCOMPARE(int(image.at(224 + k / 16, k % 16)), 0x80 | k);
        Image fresh;
        OptionBlock zero;
        lay_down_defaults(fresh, zero);
        for (int k : {0, 1, 2, 26, 48, 129, 132, 133, 192, 204, 207, 255})
            QCOMPARE(image.at(224 + k / 16, k % 16), fresh.at(224 + k / 16, k % 16));
        QCOMPARE(image.at(241, 13), uint8_t(0x42));
    }
};

QTEST_MAIN(TstOptionCodec)
#include "tst_option_codec.moc"
