// The DTMF, 2-tone and 5-tone sections by their frozen keys and by the keys
// files of version 15.8.25 carry: each old key does exactly what its frozen
// key does, value for value, on images with any bytes.
#include "editors/signalling/dtmf_settings.h"
#include "editors/signalling/five_tone_settings.h"
#include "editors/signalling/two_tone_settings.h"
#include "interchange/config/config.h"
#include "image/language.h"

#include <QMap>
#include <QRandomGenerator>
#include <QTest>

using namespace vx;
using namespace vx::config;

namespace {

// Frozen key -> old key, for one section's rows and grid columns.
using OldKeys = QMap<QString, QString>;

template <size_t N>
void addRows(OldKeys& out, const vx::Setting (&rows)[N])
{
    for (const vx::Setting& s : rows)
        out[QLatin1String(s.key)] = QString::fromUtf8(s.oldKey);
}

template <size_t N>
void addColumns(OldKeys& out, const signalling::EntryColumn (&columns)[N])
{
    for (const signalling::EntryColumn& c : columns)
        for (int i = 0; i < c.entries; ++i)
            out[signalling::entry_key(c, i)] = signalling::entry_old_key(c, i);
}

QMap<QString, OldKeys> oldKeys()
{
    QMap<QString, OldKeys> out;
    addRows(out["dtmf"], dtmf::kSettings);
    addColumns(out["2-tone"], two_tone::kTransmitColumns);
    addColumns(out["2-tone"], two_tone::kReceiveColumns);
    addRows(out["2-tone"], two_tone::kSettings);
    addColumns(out["5-tone"], five_tone::kStandardColumns);
    addColumns(out["5-tone"], five_tone::kEncodeColumns);
    addRows(out["5-tone"], five_tone::kSettings);
    return out;
}

Image randomSignalling(quint32 seed)
{
    Image image;
    QRandomGenerator g(seed);
    for (const region::Rows rows : {dtmf::kRegion, two_tone::kRegion, five_tone::kRegion})
        for (int r = rows.first; r <= rows.last; ++r)
            for (int b = 0; b < 16; ++b)
                image.set(r, b, uint8_t(g.bounded(4) == 0 ? 0xFF : g.bounded(256)));
    return image;
}

QByteArray yaml(const QString& section, const QString& key, const QString& value)
{
    QString v = value;
    v.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QStringLiteral("%1:\n  \"%2\": \"%3\"\n").arg(section, key, v).toUtf8();
}

}  // namespace

class TstConfigSignalling : public QObject {
    Q_OBJECT

private slots:
    // Every exported signalling key is a row's frozen key, and every row's
    // key is exported.
    void exportedKeysAreTheRows()
    {
        const QMap<QString, OldKeys> old = oldKeys();
        QMap<QString, QStringList> exported;
        for (const config::Setting& s : settings_of(Image{}))
            if (old.contains(s.section))
                exported[s.section] << s.key;
        for (auto it = old.begin(); it != old.end(); ++it) {
            QStringList keys = it.value().keys();
            QStringList shown = exported.value(it.key());
            keys.sort();
            shown.sort();
            QCOMPARE(shown, keys);
        }
    }

    // Applying a value under the old key gives the image the frozen key
    // gives, whether the value is taken or refused.
    void oldKeyActsAsFrozenKey_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 3; ++seed)
            QTest::newRow(qPrintable(QString("random %1").arg(seed))) << seed;
    }
    void oldKeyActsAsFrozenKey()
    {
        QFETCH(quint32, seed);
        const QMap<QString, OldKeys> old = oldKeys();
        const Image source = randomSignalling(seed);
        const Image base = randomSignalling(seed + 100);
        int checked = 0, taken = 0;
        for (const config::Setting& s : settings_of(source)) {
            if (!old.contains(s.section))
                continue;
            const QString oldKey = old[s.section].value(s.key);
            QVERIFY2(!oldKey.isEmpty(), qPrintable(s.key));
            Image byNew = base, byOld = base;
            const Applied a = apply_config(yaml(s.section, s.key, s.value), byNew, kDefaultBandLimits);
            const Applied b = apply_config(yaml(s.section, oldKey, s.value), byOld, kDefaultBandLimits);
            QVERIFY2(a.ok() == b.ok(), qPrintable(oldKey));
            QVERIFY2(byNew == byOld, qPrintable(oldKey));
            // The old key in another case too.
            Image byUpper = base;
            apply_config(yaml(s.section, oldKey.toUpper(), s.value), byUpper, kDefaultBandLimits);
            QVERIFY2(byUpper == byOld, qPrintable(oldKey));
            ++checked;
            taken += a.ok();
        }
        QCOMPARE(checked, 433);
        QVERIFY2(taken > 300, qPrintable(QString::number(taken)));  // most shown values are taken back
    }

    // A refused grid cell says why in the language in force, under either
    // key, and leaves the image as it was.
    void refusalsInBothLanguages_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("transmit tone") << QByteArray("2-tone:\n  encode_3_tone_1: \"5\"\n") << "\"5\" is not empty, or 300.0 to 3000.0 Hz"
                                       << QString::fromUtf8("\"5\" 不可取；可取：空，或 300.0 至 3000.0 Hz");
        QTest::newRow("old key") << QByteArray("2-tone:\n  Encode Code 3 1st Frequency(HZ): \"5\"\n") << "is not empty, or 300.0"
                                 << QString::fromUtf8("不可取");
        QTest::newRow("pair") << QByteArray("2-tone:\n  decode_1_pair_2: \"A-A\"\n") << "\"A-A\" is not empty, A-B, A-C"
                              << QString::fromUtf8("\"A-A\" 不可取；可取：空，A-B、A-C");
        QTest::newRow("frame") << QByteArray("5-tone:\n  encode_2_frame_3: \"123\"\n") << "\"123\" is not empty, or five digits"
                               << QString::fromUtf8("五个 0-9、A-F 的数字");
        QTest::newRow("period") << QByteArray("5-tone:\n  zvei1_period: \"25\"\n") << "\"25\" is not one of `20`, `30`"
                                << QString::fromUtf8("\"25\" 不是以下取值之一：`20`");
    }
    void refusalsInBothLanguages()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        for (const bool zh : {false, true}) {
            setChinese(zh);
            Image image = randomSignalling(5);
            const Image before = image;
            const Applied r = apply_config(text, image, kDefaultBandLimits);
            setChinese(false);
            QVERIFY(!r.ok());
            QVERIFY2(r.problems[0].text.contains(zh ? chinese : english), qPrintable(r.problems[0].text));
            QVERIFY(image == before);
        }
    }

    // A setting named by both its keys is refused, as one named twice.
    void bothKeysRefused()
    {
        Image image = randomSignalling(7);
        const Image before = image;
        const Applied r = apply_config("dtmf:\n  rx_disable: \"on\"\n  RX Disable: \"off\"\n", image, kDefaultBandLimits);
        QVERIFY(!r.ok());
        QVERIFY(image == before);
    }
};

QTEST_MAIN(TstConfigSignalling)
#include "tst_config_signalling.moc"
