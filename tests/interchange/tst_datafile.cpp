// The ".dat" data file: layout byte for byte, malformed files, atomic save.
#include "files.h"
#include "interchange/datafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace vx;
using test::readAll;
using test::writeAll;

namespace {
Image sample()
{
    Image img;
    auto* rng = QRandomGenerator::global();
    for (auto& b : img.bytes())
        b = uint8_t(rng->bounded(256));
    return img;
}
}  // namespace

class TstDataFile : public QObject {
    Q_OBJECT
private slots:
    void layoutIsExact()
    {
        Image img;
        img.set(0, 0, 0);
        img.set(0, 1, 7);
        const QByteArray text = datafile::format(img);
        const QList<QByteArray> lines = text.split('\n');
        QCOMPARE(lines.size(), 1026);  // 1025 lines, each ended by CR LF
        QVERIFY(lines.last().isEmpty());
        QVERIFY(lines[0].startsWith(" 0  0  0  0  7  255 "));
        QByteArray row17 = " 1  1  17 ";
        for (int i = 0; i < 16; ++i)
            row17 += " 255 ";
        QCOMPARE(lines[17], row17 + "\r");
        QCOMPARE(lines[1024], QByteArray(" 64  0  1024 ") + QByteArray(" 255 ").repeated(16) + "\r");
        QVERIFY(!text.contains("\n\n"));
        QCOMPARE(text.count("\r\n"), 1025);
    }

    void saveAndLoadRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.dat");
        const Image img = sample();
        QCOMPARE(datafile::save(img, path), datafile::SaveError::None);
        QCOMPARE(readAll(path), datafile::format(img));
        Image back;
        QVERIFY(datafile::load(path, back).ok());
        QVERIFY(back == img);
    }

    void readingRuleIgnoresLineStructureAndRowNumbers()
    {
        // Commas, tabs, odd line breaks, wrong row numbers: the same bytes.
        const Image img = sample();
        QByteArray text;
        for (int r = 0; r < Image::kRows; ++r) {
            text += "9,-1,123456789012\n";
            for (uint8_t b : img.row(r))
                text += QByteArray::number(b) + (b % 3 ? "," : "\t");
            text += r % 2 ? "\r\n" : " ";
        }
        Image back;
        QVERIFY(datafile::parse(text, back).ok());
        QVERIFY(back == img);
    }

    void malformedFilesAreRefusedAndLeaveTheImage_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("row");
        const QByteArray good = datafile::format(Image());
        QTest::newRow("empty") << QByteArray() << int(datafile::LoadError::TooShort) << 0;
        QTest::newRow("ends early") << good.left(good.size() / 2) << int(datafile::LoadError::TooShort) << -1;
        QTest::newRow("one number short") << good.left(good.lastIndexOf(" 255 ")) << int(datafile::LoadError::TooShort)
                                          << 1024;
        QByteArray word = good;
        word.replace(word.indexOf(" 255 ", 2000), 5, " abc ");
        QTest::newRow("word") << word << int(datafile::LoadError::NotANumber) << -1;
        QByteArray big = good;
        big.replace(big.indexOf(" 255 "), 5, " 256 ");
        QTest::newRow("256") << big << int(datafile::LoadError::OutOfRange) << 0;
        QByteArray neg = good;
        neg.replace(neg.indexOf(" 255 "), 5, " -1 ");
        QTest::newRow("negative byte") << neg << int(datafile::LoadError::OutOfRange) << 0;
        QByteArray frac = good;
        frac.replace(frac.indexOf(" 255 "), 5, " 2.5 ");
        QTest::newRow("fraction") << frac << int(datafile::LoadError::NotANumber) << 0;
        QTest::newRow("binary") << QByteArray("\x00\x01\x02", 3) << int(datafile::LoadError::NotANumber) << 0;
        QTest::newRow("huge number") << QByteArray(" 0 0 0 99999999999999999999999999 ")
                                     << int(datafile::LoadError::OutOfRange) << 0;
    }
    void malformedFilesAreRefusedAndLeaveTheImage()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, error);
        QFETCH(int, row);
        Image img = sample();
        const Image before = img;
        const auto r = datafile::parse(text, img);
        QCOMPARE(int(r.error), error);
        if (row >= 0)
            QCOMPARE(r.row, row);
        QVERIFY(img == before);
    }

    void randomBytesAndTruncationsNeverLoadPartly()
    {
        auto* rng = QRandomGenerator::global();
        const QByteArray good = datafile::format(sample());
        for (int i = 0; i < 300; ++i) {
            QByteArray text = good.left(rng->bounded(good.size()));
            const int flips = rng->bounded(4);
            for (int k = 0; k < flips && !text.isEmpty(); ++k)
                text[rng->bounded(text.size())] = char(rng->bounded(256));
            Image img;
            img.set(3, 3, 42);
            const Image before = img;
            const auto r = datafile::parse(text, img);
            if (!r.ok())
                QVERIFY(img == before);
        }
        for (int i = 0; i < 100; ++i) {
            QByteArray noise(rng->bounded(4000), '\0');
            for (auto& c : noise)
                c = char(rng->bounded(256));
            Image img;
            const Image before = img;
            QVERIFY(!datafile::parse(noise, img).ok());
            QVERIFY(img == before);
        }
    }

    void filesThatCannotBeOpened()
    {
        QTemporaryDir dir;
        Image img = sample();
        const Image before = img;
        QCOMPARE(datafile::load(dir.filePath("missing.dat"), img).error, datafile::LoadError::CannotOpen);
        QCOMPARE(datafile::load(dir.path(), img).error, datafile::LoadError::CannotOpen);
        QVERIFY(img == before);
    }

    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("keep.dat");
        writeAll(path, "old contents");
        const QString sub = dir.filePath("ro");
        QVERIFY(QDir().mkdir(sub));
        const QString inReadOnly = sub + "/x.dat";
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner);
        QString detail;
        const bool root = QFileInfo(sub).isWritable();  // root ignores permissions
        if (!root) {
            QVERIFY(datafile::save(Image(), inReadOnly, &detail) != datafile::SaveError::None);
            QVERIFY(!QFile::exists(inReadOnly));
        }
        QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // A target that is a folder cannot be replaced; the folder survives.
        QVERIFY(datafile::save(Image(), dir.path(), &detail) != datafile::SaveError::None);
        QVERIFY(QFileInfo(dir.path()).isDir());
        QCOMPARE(readAll(path), QByteArray("old contents"));
        QCOMPARE(datafile::save(Image(), path), datafile::SaveError::None);
        QCOMPARE(readAll(path), datafile::format(Image()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"keep.dat"}));
    }
};

QTEST_GUILESS_MAIN(TstDataFile)
#include "tst_datafile.moc"
