// The data file's open and save dialogs: name and extension checks, the
// lists, a round trip through both dialogs, malformed files, failed saves
// and drives that are not ready.
#include "files.h"
#include "test_document.h"
#include "app/file_dialog.h"
#include "interchange/datafile.h"
#include "image/image.h"
#include "image/language.h"
#include "prompts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace vx;
using namespace vx::test;
using test::readAll;
using test::writeAll;

namespace {

const QString kLoaded = QStringLiteral("Succeed fold the parameter from file.");
const QString kSaved = QStringLiteral("Complete storing  parameter.");

Image pattern(int seed)
{
    Image img;
    for (int i = 0; i < Image::kSize; ++i)
        img.bytes()[size_t(i)] = uint8_t(i * 7 + seed);
    return img;
}



// Types a name into Text1 as a user would and presses Confirm.
void confirmName(FileDialog& dialog, const QString& name)
{
    auto* box = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, name);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command_enter")), Qt::LeftButton);
}

QListWidgetItem* itemNamed(QListWidget* list, const QString& text)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == text)
            return list->item(i);
    return nullptr;
}

void clickItem(QListWidget* list, const QString& text, bool twice = false)
{
    QListWidgetItem* item = itemNamed(list, text);
    QVERIFY2(item, qPrintable(text));
    const QPoint at = list->visualItemRect(item).center();
    // A double click is a click followed by QTest's press + double-click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class TstFileDialog : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString oldCurrent_;

    QString path(const QString& name) const { return dir_.filePath(name); }

private slots:
    void init()
    {
        QVERIFY(dir_.isValid());
        oldCurrent_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        setChinese(false);
        testImage() = pattern(1);
    }
    void cleanup()
    {
        QDir::setCurrent(oldCurrent_);
        setDriveSource({});
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
    }

    void confirmChecksNameThenExtension_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString openName = QStringLiteral("Open the file name is nullity ");
        const QString saveName = QStringLiteral("Store the file name is nullity. ");
        const QString openExt = QStringLiteral("Nullity file suffix name.");
        const QString saveExt = QStringLiteral("Advice don't modify file suffix name of system default ！");
        QTest::newRow("save .dat") << true << "a.dat" << kSaved;
        QTest::newRow("save .DAT") << true << "b.DAT" << kSaved;
        QTest::newRow("save trimmed") << true << "  c.dat  " << kSaved;
        QTest::newRow("save .Dat") << true << "a.Dat" << saveExt;
        QTest::newRow("save other extension") << true << "a.txt" << saveExt;
        QTest::newRow("save short") << true << "dat" << saveExt;
        QTest::newRow("save empty") << true << "" << saveExt;
        QTest::newRow("save slash before extension") << true << "x/a.Dat" << saveName;
        QTest::newRow("save hash") << true << "#a.dat" << saveName;
        QTest::newRow("save pattern") << true << "*.dat" << saveName;
        QTest::newRow("open .dat") << false << "a.dat" << kLoaded;
        QTest::newRow("open .DAT") << false << "a.DAT" << kLoaded;
        QTest::newRow("open .dAT") << false << "a.dAT" << openExt;
        QTest::newRow("open backslash") << false << "a\\b.dat" << openName;
        QTest::newRow("open dollar") << false << "$a.daT" << openName;
    }
    void confirmChecksNameThenExtension()
    {
        QFETCH(bool, save);
        QFETCH(QString, name);
        QFETCH(QString, message);
        const Image saved = pattern(2);
        if (!save) {
            QCOMPARE(datafile::save(saved, path(name.trimmed())), datafile::SaveError::None);
            QCOMPARE(datafile::save(saved, path(QStringLiteral("a.dat"))), datafile::SaveError::None);
        }
        const QStringList before = QDir(dir_.path()).entryList(QDir::Files);
        test::CapturedPrompts prompts;
        std::unique_ptr<FileDialog> dialog(save ? static_cast<FileDialog*>(new Form_save_chann(testDocument()))
                                                : new Form_open_chann(testDocument()));
        dialog->show();
        confirmName(*dialog, name);
        QCOMPARE(prompts.all,
                 (QList<PromptRecord>{{QStringLiteral("Operate prompt"), PromptIcon::Warning, message}}));
        const bool done = message == kSaved || message == kLoaded;
        QCOMPARE(dialog->isVisible(), !done);
        if (save && done)
            QCOMPARE(readAll(path(name.trimmed())), datafile::format(pattern(1)));
        else if (save)
            QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), before);  // nothing written
        QCOMPARE(testImage() == saved, !save && done);
    }

    void clickedFileIsTakenFromTheFolderShown()
    {
        QDir(dir_.path()).mkdir(QStringLiteral("sub"));
        QCOMPARE(datafile::save(pattern(3), path(QStringLiteral("sub/one.dat"))), datafile::SaveError::None);
        writeAll(path(QStringLiteral("sub/skip.txt")), "x");
        writeAll(path(QStringLiteral("sub/two.DAT")), "x");
        writeAll(path(QStringLiteral("one.dat")), "not this one");
        test::CapturedPrompts prompts;
        Form_open_chann dialog(testDocument());
        dialog.show();
        auto* dirs = dialog.findChild<QListWidget*>(QStringLiteral("Dir1"));
        auto* files = dialog.findChild<QListWidget*>(QStringLiteral("File1"));
        QCOMPARE(dialog.folder(), QDir(dir_.path()).absolutePath());
        clickItem(dirs, QStringLiteral("sub"), true);
        QCOMPARE(dialog.folder(), QDir(path(QStringLiteral("sub"))).absolutePath());
        QCOMPARE(files->count(), 2);  // the pattern's files, in either case
        clickItem(files, QStringLiteral("one.dat"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("one.dat"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Command_enter")), Qt::LeftButton);
        QCOMPARE(prompts.texts(), QStringList{kLoaded});
        QVERIFY(testImage() == pattern(3));
        QCOMPARE(QDir::currentPath(), QDir(dir_.path()).absolutePath());  // browsing left it alone

        // The next opening starts afresh in the application's folder.
        dialog.show();
        QCOMPARE(dialog.folder(), QDir(dir_.path()).absolutePath());
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("*.dat"));
    }

    void roundTripThroughBothDialogs()
    {
        test::CapturedPrompts prompts;
        const Image original = testImage();
        Form_save_chann save(testDocument());
        save.show();
        confirmName(save, QStringLiteral("trip.dat"));
        QVERIFY(!save.isVisible());
        testImage() = pattern(9);
        Form_open_chann open(testDocument());
        open.show();
        clickItem(open.findChild<QListWidget*>(QStringLiteral("File1")), QStringLiteral("trip.dat"));
        QTest::keyClick(open.findChild<QLineEdit*>(QStringLiteral("Text1")), Qt::Key_Return);
        QCOMPARE(prompts.texts(), (QStringList{kSaved, kLoaded}));
        QVERIFY(testImage() == original);
        QVERIFY(!open.isVisible());
    }

    void malformedFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QList<QByteArray> good = datafile::format(pattern(5)).split('\n');
        auto with = [&good](int line, const QByteArray& text) {
            QList<QByteArray> lines = good;
            lines[line] = text;
            return lines.join('\n');
        };
        QTest::newRow("empty") << QByteArray() << "The file is incomplete, it ends at line 1 , the parameter is not loaded .";
        QTest::newRow("ten rows") << good.mid(0, 10).join('\n') + '\n'
                                  << "The file is incomplete, it ends at line 11 , the parameter is not loaded .";
        QTest::newRow("a word") << with(3, " 0  3  3  7  1x ") << "Line 4 of the file holds a non-number, the parameter is not loaded .";
        QTest::newRow("256 up") << with(5, " 0  5  5  256 ") << "Line 6 of the file holds a value out of 0~255, the parameter is not loaded .";
        QTest::newRow("a folder") << QByteArray("folder") << "Open the file failure, the parameter is not loaded .";
    }
    void malformedFilesAreRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        if (content == "folder")
            QDir(dir_.path()).mkdir(QStringLiteral("bad.dat"));
        else
            writeAll(path(QStringLiteral("bad.dat")), content);
        const Image before = testImage();
        test::CapturedPrompts prompts;
        Form_open_chann dialog(testDocument());
        dialog.show();
        confirmName(dialog, QStringLiteral("bad.dat"));
        QCOMPARE(prompts.texts(), QStringList{message});
        QVERIFY(testImage() == before);
        QVERIFY(dialog.isVisible());
    }

    void failedSaveIsReported_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("target is a folder") << false;
        QTest::newRow("read-only folder") << true;
    }
    void failedSaveIsReported()
    {
        QFETCH(bool, readOnlyFolder);
        if (readOnlyFolder && ::geteuid() == 0)
            QSKIP("root ignores folder permissions");
        QDir(dir_.path()).mkdir(QStringLiteral("ro"));
        const QString target = path(readOnlyFolder ? QStringLiteral("ro/keep.dat") : QStringLiteral("ro.dat"));
        if (readOnlyFolder) {
            writeAll(target, "old contents");
            QFile::setPermissions(path(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
        } else {
            QDir(dir_.path()).mkdir(QStringLiteral("ro.dat"));
        }
        test::CapturedPrompts prompts;
        Form_save_chann dialog(testDocument());
        dialog.show();
        if (readOnlyFolder)
            clickItem(dialog.findChild<QListWidget*>(QStringLiteral("Dir1")), QStringLiteral("ro"), true);
        confirmName(dialog, QFileInfo(target).fileName());
        QFile::setPermissions(path(QStringLiteral("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(prompts.texts(),
                 QStringList{QStringLiteral("Can not create the file, the parameter is not stored .")});
        QVERIFY(dialog.isVisible());
        if (readOnlyFolder)
            QCOMPARE(readAll(target), QByteArray("old contents"));
    }

    void unreadableFolderIsReported()
    {
        if (::geteuid() == 0)
            QSKIP("root reads every folder");
        QDir(dir_.path()).mkdir(QStringLiteral("locked"));
        QFile::setPermissions(path(QStringLiteral("locked")), QFile::WriteOwner);
        test::CapturedPrompts prompts;
        Form_open_chann dialog(testDocument());
        dialog.show();
        clickItem(dialog.findChild<QListWidget*>(QStringLiteral("Dir1")), QStringLiteral("locked"), true);
        QFile::setPermissions(path(QStringLiteral("locked")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(prompts.texts(), QStringList{QStringLiteral("Can not open the folder .")});
        QCOMPARE(dialog.folder(), QDir(dir_.path()).absolutePath());
    }

    void driveNotReadyKeepsTheLists()
    {
        QDir(dir_.path()).mkdir(QStringLiteral("media"));
        QDir(dir_.path()).mkdir(QStringLiteral("home"));
        const QString here = QDir(dir_.path()).absolutePath();
        setDriveSource([here] {
            return QList<Drive>{{here, QStringLiteral("here")},
                                {here + QStringLiteral("/gone"), QStringLiteral("gone"), true},
                                {here + QStringLiteral("/media"), QStringLiteral("unmounted"), true},
                                {here + QStringLiteral("/home"), QStringLiteral("home")}};
        });
        test::CapturedPrompts prompts;
        Form_open_chann dialog(testDocument());
        dialog.show();
        auto* drives = dialog.findChild<QComboBox*>(QStringLiteral("Drive1"));
        QCOMPARE(drives->currentText(), QStringLiteral("here"));
        QTest::keyClick(drives, Qt::Key_Down);  // "gone": no such folder
        QVERIFY(!dialog.setDrive(here + QStringLiteral("/media")));  // its volume was unmounted
        QCOMPARE(prompts.texts(), QStringList(2, QStringLiteral("The drive is not ready .")));
        QCOMPARE(dialog.folder(), here);
        QCOMPARE(drives->currentText(), QStringLiteral("here"));
        QVERIFY(dialog.setDrive(here + QStringLiteral("/home")));
        QCOMPARE(dialog.folder(), here + QStringLiteral("/home"));
        QCOMPARE(prompts.all.size(), 2);
    }
};

QTEST_MAIN(TstFileDialog)
#include "tst_file_dialog.moc"
