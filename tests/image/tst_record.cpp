// Typed record views: run addressing, every field type read and written,
// defaults tables, corrupt bytes.
#include "image/record.h"

#include <QTest>

#include <functional>
#include <map>

using namespace vx;

namespace {

constexpr int kVfo = 240;  // rows 240..243
constexpr int k = 16;      // every field under test starts at row 241, byte 0

struct Codec {
    std::function<QString(RecordView)> get;
    std::function<void(RecordRef, const QString&)> put;
};

template <class F>
Codec numeric(F f)
{
    return {[f](RecordView r) { return QString::number(int(f.get(r))); }, [f](RecordRef r, const QString& t) { f.put(r, t.toInt()); }};
}
template <class F>
Codec textual(F f)
{
    return {[f](RecordView r) { return f.get(r); }, [f](RecordRef r, const QString& t) { f.put(r, t); }};
}

Codec codecOf(const QString& kind)
{
    const std::map<QString, Codec> all{
        {"list 200", numeric(field::List8{k, 200})},
        {"bits 4-7", numeric(field::Bits{k, 4, 4})},
        {"flag 0", numeric(field::Flag{k, 0})},
        {"flag 3", numeric(field::Flag{k, 3})},
        {"non-zero", numeric(field::NonZero8{k})},
        {"bcd8le", textual(field::Bcd8le{k})},
        {"digits8", textual(field::Digits8{k})},
        {"dtmf16", textual(field::DtmfString{k, 16})},
        {"ascii6", textual(field::Ascii{k, 6})},
        {"tone16le", {[](RecordView r) { return field::Tone16le{k}.get(r); },
                      [](RecordRef r, const QString& t) { field::Tone16le{k}.putValue(r, t.toDouble()); }}},
        {"dtmf digit", {[](RecordView r) { return field::DtmfDigit{k}.get(r); },
                        [](RecordRef r, const QString& t) { field::DtmfDigit{k}.put(r, t.at(0).unicode()); }}},
    };
    return all.at(kind);
}

QByteArray hex(RecordView r, int offset, int count)
{
    QByteArray b;
    for (int i = 0; i < count; ++i)
        b.append(char(r.u8(offset + i)));
    return b.toHex(' ').toUpper();
}

QByteArray ff(int n) { return QByteArray(" FF").repeated(n); }

}  // namespace

class TstRecord : public QObject {
    Q_OBJECT
private slots:
    void fields_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("byte 132 FF, clear bit 3") << "flag 3" << QByteArray("FF") << "1" << "0" << QByteArray("F7");
        QTest::newRow("rights 83, set kill") << "flag 3" << QByteArray("83") << "0" << "1" << QByteArray("8B");
        QTest::newRow("rights 8B, clear inspection") << "flag 0" << QByteArray("8B") << "1" << "0" << QByteArray("8A");
        QTest::newRow("list FF of 200 shows 199") << "list 200" << QByteArray("FF") << "199" << "18" << QByteArray("12");
        QTest::newRow("list position past the end") << "list 200" << QByteArray("07") << "7" << "200" << QByteArray("07");
        QTest::newRow("high nibble keeps the low") << "bits 4-7" << QByteArray("F3") << "15" << "1" << QByteArray("13");
        QTest::newRow("non-zero 80 on, off is 0") << "non-zero" << QByteArray("80") << "1" << "0" << QByteArray("00");
        QTest::newRow("digit string") << "digits8" << QByteArray("01 04 05 01 02 05 00 00") << "145.12500" << "145.12500"
                                      << QByteArray("01 04 05 01 02 05 00 00");
        QTest::newRow("packed BCD snaps") << "bcd8le" << QByteArray("00 25 51 14") << "145.12500" << "145.0125"
                                          << QByteArray("50 12 50 14");
        QTest::newRow("tone 88.5") << "tone16le" << QByteArray("75 03") << "88.5" << "88.5" << QByteArray("75 03");
        QTest::newRow("tone FF FF off") << "tone16le" << QByteArray("FF FF") << "OFF" << "67" << QByteArray("9E 02");
        QTest::newRow("DTMF 12#A") << "dtmf16" << "01 02 0C 0D" + ff(12) << "12#A" << "12#A" << "01 02 0C 0D" + ff(12);
        QTest::newRow("DTMF gaps, codes past 15") << "dtmf16" << "0A FF 00 10 0F" + ff(11) << "0DC" << " a1*# "
                                                  << "0D 01 0B 0C FF" + ff(11);
        QTest::newRow("DTMF 17th character") << "dtmf16" << "FF 01" + ff(14) << "1" << "12345678901234567"
                                             << QByteArray("01 02 03 04 05 06 07 08 09 0A 01 02 03 04 05 06");
        QTest::newRow("DTMF code 10 is 0, D is 0") << "dtmf digit" << QByteArray("0A") << "0" << "D" << QByteArray("00");
        QTest::newRow("DTMF code 0 is D, E has none") << "dtmf digit" << QByteArray("00") << "D" << "E" << QByteArray("FF");
        QTest::newRow("name") << "ascii6" << QByteArray("41 42 20 FF 7F 43") << "AB C" << QString::fromUtf8("ab-é")
                              << QByteArray("61 62 2D FF FF FF");
        QTest::newRow("no name when byte 0 is FF") << "ascii6" << QByteArray("FF 42 43 44 45 46") << "" << "" << "FF" + ff(5);
    }
    void fields()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        Image img;
        const RecordRef run(img, kVfo, 4);
        const QByteArray raw = QByteArray::fromHex(stored);
        run.write(k, std::span(reinterpret_cast<const uint8_t*>(raw.constData()), size_t(raw.size())));
        const Codec codec = codecOf(kind);
        QCOMPARE(codec.get(RecordView(std::as_const(img), kVfo, 4)), shown);
        codec.put(run, typed);
        QCOMPARE(hex(run, k, int(raw.size())), written);
        QCOMPARE(hex(run, k - 1, 1) + hex(run, k + int(raw.size()), 1), QByteArray("FFFF"));  // neighbours kept
    }

    // The option block: byte k is row 224 + k / 16, byte k % 16.
    void defaultsTableOverARun()
    {
        Image img;
        const RecordRef block(img, 224, 16);
        block.fill(192, 64, 0x00);
        constexpr RecordDefault defaults[] = {{0, {1}}, {42, {3}}, {208, {8, 0, 8, 0, 8}}};
        block.lay(defaults);
        QCOMPARE(hex(block, 0, 2), QByteArray("01 FF"));  // byte 1 has no default: kept
        QCOMPARE(img.at(226, 10), uint8_t(3));
        QCOMPARE(hex(block, 206, 8), QByteArray("00 00 08 00 08 00 08 00"));
        QCOMPARE(Image::kSize - std::count(img.bytes().begin(), img.bytes().end(), 0xFF), 64 + 2);  // nothing else written
        QVERIFY(block.contains(255) && !block.contains(256) && !block.contains(-1) && !block.contains(253, 4));
    }

    // Every stored byte value decodes, and a list or bit field never reads
    // outside its range.
    void corruptBytesDecode()
    {
        Image img;
        const RecordRef run(img, kVfo, 4);
        constexpr field::List8 list{5, 6}, noEntries{5, 0};
        constexpr field::Bits bits{5, 6, 2};
        constexpr field::DtmfString codes{0, 16};
        for (int v = 0; v < 256; ++v) {
            run.fill(0, run.size(), uint8_t(v));
            QVERIFY(list.get(run) <= 5);
            QCOMPARE(noEntries.get(run), 0);
            QVERIFY(bits.get(run) <= 3);
            QVERIFY(codes.get(run).size() <= 16);
            field::Bcd8le{12}.get(run);
            field::Digits8{56}.get(run);
            field::Tone16le{62}.get(run);
        }
    }
};

QTEST_GUILESS_MAIN(TstRecord)
#include "tst_record.moc"
