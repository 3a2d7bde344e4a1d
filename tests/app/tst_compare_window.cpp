// Program -> Compare…: what differs between two of the current data, a data
// file, a restore point and the radio as read now, by setting name and
// grouped by area, in both languages; the radio is read on the fake port and
// virtual clock into a copy. Nothing the window does changes the document.
#include "prompts.h"
#include "radio_rig.h"
#include "test_document.h"

#include "app/compare_window.h"
#include "editors/defaults.h"
#include "image/language.h"
#include "interchange/config/config.h"
#include "interchange/datafile.h"
#include "interchange/restore_points.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace vx;
using namespace vx::test;

namespace {

using Side = Form_compare::Side;
using Source = Form_compare::Source;

const PromptRecord kFailed{"Operate prompt", PromptIcon::Warning, "Fail connect with transceiver."};
const PromptRecord kPortError{"Operate prompt", PromptIcon::Warning,
                              "Communication port is error, please setting right communication port . ！"};

Image startup()
{
    Image image;
    lay_startup_defaults(image);
    return image;
}

Image configured(const Image& from, const QByteArray& yaml)
{
    Image image = from;
    if (!config::apply_config(yaml, image, kDefaultBandLimits).ok())
        qFatal("the configuration does not apply");
    return image;
}

// The two images most tests compare: channel 12's transmit frequency and
// the squelch level differ, and a row of the 5-tone tables no setting says.
Image older() { return configured(startup(), "options: {squelch_level: \"3\"}\nchannels: [{number: 12, receive: 145.6, transmit: 145.6}]\n"); }
Image newer()
{
    Image image = configured(older(), "options: {squelch_level: \"5\"}\nchannels: [{number: 12, transmit: 145.625}]\n");
    image.set(520, 0, uint8_t(image.at(520, 0) ^ 0x55));
    return image;
}

// The window on the fake port and virtual clock, with a radio that holds
// `older()`.
struct Rig {
    VirtualClock clock;
    CapturedPrompts prompts;
    FakePorts ports;
    std::unique_ptr<Form_compare> w;
    std::unique_ptr<ScriptRadio> radio;

    explicit Rig(std::set<int> available = {1}) : ports(std::move(available))
    {
        clock.install();
        w = std::make_unique<Form_compare>(testDocument());
        w->show();
    }
    ~Rig()
    {
        w.reset();
        setTimerFactory(nullptr);
    }
    template <class C = QWidget>
    C* find(const char* name) const
    {
        C* c = w->findChild<C*>(name);
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    QString text(const char* name) const { return find<QLabel>(name)->text(); }
    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    // Picks an entry of a side's list, as the user does.
    void pick(const char* combo, Source entry)
    {
        QComboBox* c = find<QComboBox>(combo);
        c->setCurrentIndex(int(entry));
        emit c->activated(int(entry));
    }
    // Starts the radio's read for the first side; the radio answers.
    void readRadio()
    {
        pick("Combo_first", Source::Radio);
        FakePort* port = ports.last;
        QVERIFY(port);
        if (!radio) {
            radio = std::make_unique<ScriptRadio>(clock, *port);
            radio->memory = older();
        }
    }
    // The list as shown: "area: line" for every child.
    QStringList shownLines() const
    {
        QStringList out;
        const QTreeWidget* list = find<QTreeWidget>("List_changes");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* area = list->topLevelItem(i);
            for (int j = 0; j < area->childCount(); ++j)
                out << area->text(0) + ": " + area->child(j)->text(0);
        }
        return out;
    }
};

}  // namespace

class TstCompareWindow : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir_.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
        return f.fileName();
    }

private slots:
    void initTestCase() { registerWindows(); }
    void init()
    {
        QDir(restore::Store::defaultFolder()).removeRecursively();
        setChinese(false);
        setPortNumber(1);
        testImage() = newer();
    }
    void cleanup()
    {
        shell::closeAllWindows();
        setChinese(false);
    }

    void captions_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("texts");  // caption, first, second, each side's label, the buttons
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("English") << false
                                 << QStringList{"Compare", "First:", "Second:", "Not chosen", "Not chosen", "Compare", "Copy as text", "Close"}
                                 << QStringList{"Current data", "Data file…", "Restore point…", "The radio (read now)"};
        QTest::newRow("Chinese") << true << QStringList{"比较", "第一份：", "第二份：", "未选择", "未选择", "比较", "复制为文本", "关闭"}
                                 << QStringList{"当前数据", "数据文件…", "还原点…", "对讲机（现在读取）"};
    }
    void captions()
    {
        QFETCH(bool, inChinese);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, entries);
        setChinese(inChinese);
        Rig rig;
        QStringList shown{rig.w->windowTitle()};
        for (QLabel* l : rig.w->findChildren<QLabel*>())
            if (l->text() == texts[1] || l->text() == texts[2])
                shown << l->text();
        shown << rig.text("Label_first") << rig.text("Label_second");
        for (const char* b : {"Command_compare", "Command_copy", "Command_close"})
            shown << rig.find<QPushButton>(b)->text();
        QCOMPARE(shown, texts);
        for (const char* name : {"Combo_first", "Combo_second"}) {
            QComboBox* c = rig.find<QComboBox>(name);
            QStringList items;
            for (int i = 0; i < c->count(); ++i)
                items << c->itemText(i);
            QCOMPARE(items, entries);
        }
        QVERIFY(!rig.find<QPushButton>("Command_compare")->isEnabled());
        QVERIFY(!rig.find<QPushButton>("Command_copy")->isEnabled());
        QVERIFY(rig.find<QProgressBar>("ProgressBar1")->isHidden());
    }

    // The list holds what the command line's diff lists, by name, each
    // change under its area; the summary counts them.
    void comparesTwoSides_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("first");  // "point", "file" or "current"
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("summary");
        const QString rawEn = "Rows no setting explains: Row 520 (0x2080, 5-tone): ";
        const QString rawZh = "没有设置对应的行: 第 520 行（0x2080，五音）：";
        const QStringList en{"Channel 12: TX Frequency 145.60000 → 145.62500", "Options: Squelch Level 3 → 5", rawEn};
        const QStringList zh{"信道 12: 发射频率(MHZ) 145.60000 → 145.62500", "可选参数: 静噪电平 3 → 5", rawZh};
        QTest::newRow("restore point, English") << false << "point" << en << "2 settings and 1 row differ";
        QTest::newRow("restore point, Chinese") << true << "point" << zh << "2 项设置、1 行不同";
        QTest::newRow("data file, English") << false << "file" << en << "2 settings and 1 row differ";
        QTest::newRow("data file, Chinese") << true << "file" << zh << "2 项设置、1 行不同";
        QTest::newRow("the same, English") << false << "current" << QStringList{} << "The two are the same.";
        QTest::newRow("the same, Chinese") << true << "current" << QStringList{} << "两者相同。";
    }
    void comparesTwoSides()
    {
        QFETCH(bool, inChinese);
        QFETCH(QString, first);
        QFETCH(QStringList, expected);
        QFETCH(QString, summary);
        setChinese(inChinese);
        const size_t edits = testDocument().record().size();
        Rig rig;
        if (first == "point") {
            const auto point = restore::Store(restore::Store::defaultFolder()).add(older(), {"VX-80", "a"}, restore::Kind::Read, -1,
                                                                                    QDateTime::currentDateTimeUtc());
            QVERIFY(point);
            QVERIFY(rig.w->setRestorePoint(Side::First, *point));
            QVERIFY(rig.text("Label_first").startsWith(inChinese ? "还原点：VX-80 a，" : "Restore point: VX-80 a, "));
        } else if (first == "file") {
            const QString path = writeFile("older.dat", datafile::format(older()));
            QVERIFY(rig.w->setFile(Side::First, path));
            QCOMPARE(rig.text("Label_first"), (inChinese ? "数据文件：" : "Data file: ") + QDir::toNativeSeparators(path));
        } else {
            rig.pick("Combo_first", Source::Current);
        }
        QVERIFY(!rig.find<QPushButton>("Command_compare")->isEnabled());
        rig.pick("Combo_second", Source::Current);
        QCOMPARE(rig.text("Label_second"), QString(inChinese ? "当前数据" : "Current data"));
        // Both sides known: the list comes at once, as Compare gives it.
        const QStringList shown = rig.shownLines();
        rig.click("Command_compare");

        const QStringList lines = rig.shownLines();
        QCOMPARE(shown, lines);
        const Image a = first == "current" ? newer() : older();
        QCOMPARE(lines.size(), config::diff_images(a, newer(), testDocument().bandLimits()).size());
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].startsWith(expected[i]), qPrintable(lines[i]));
        QCOMPARE(rig.w->lines(), lines);
        QCOMPARE(rig.text("Label_summary"), summary);
        QVERIFY(rig.prompts.all.isEmpty());
        QVERIFY(testImage() == newer());
        QCOMPARE(testDocument().record().size(), edits);

        // Copy puts the lines on the clipboard as text.
        rig.click("Command_copy");
        QCOMPARE(QGuiApplication::clipboard()->text(), lines.isEmpty() ? summary : lines.join('\n'));

        // Another pick on a side replaces the list made before with the new
        // sides' at once: the current data against itself.
        rig.pick("Combo_first", Source::Current);
        QCOMPARE(rig.find<QTreeWidget>("List_changes")->topLevelItemCount(), 0);
        QCOMPARE(rig.text("Label_summary"), QString(inChinese ? "两者相同。" : "The two are the same."));
    }

    // The current data is compared as it is when Compare is pressed.
    void theCurrentDataAtCompare()
    {
        Rig rig;
        rig.pick("Combo_first", Source::Current);
        rig.pick("Combo_second", Source::Current);
        testImage() = older();
        rig.click("Command_compare");
        QCOMPARE(rig.text("Label_summary"), QString("The two are the same."));
    }

    // A file that does not load says why, as the open dialog does, and
    // leaves its side unset.
    void aFileThatDoesNotLoad_data()
    {
        QTest::addColumn<QByteArray>("content");  // "missing": no file
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray("missing") << "Open the file failure, the parameter is not loaded .";
        QTest::newRow("not a data file") << QByteArray("Dear diary,\n") << "Line 1 of the file holds a non-number, the parameter is not loaded .";
    }
    void aFileThatDoesNotLoad()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        Rig rig;
        const QString path = content == "missing" ? dir_.filePath("none.dat") : writeFile("bad.dat", content);
        QVERIFY(rig.w->setFile(Side::Second, writeFile("good.dat", datafile::format(older()))));
        QVERIFY(!rig.w->setFile(Side::Second, path));
        QCOMPARE(rig.prompts.all, (QList<PromptRecord>{{"Operate prompt", PromptIcon::Warning, message}}));
        QCOMPARE(rig.w->source(Side::Second), Source::None);
        QCOMPARE(rig.text("Label_second"), QString("Not chosen"));
        QVERIFY(testImage() == newer());
    }

    // Data file… opens a file dialog in the language of the moment; the
    // file chosen there is loaded into its side.
    void pickingAFile_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("open");
        QTest::newRow("English") << false << "Choose a data file to compare" << "Open";
        QTest::newRow("Chinese") << true << "选择要比较的数据文件" << "打开";
    }
    void pickingAFile()
    {
        QFETCH(bool, inChinese);
        QFETCH(QString, title);
        QFETCH(QString, open);
        setChinese(inChinese);
        const QString path = writeFile("older.dat", datafile::format(older()));
        Rig rig;
        rig.pick("Combo_second", Source::File);
        auto* dialog = rig.w->findChild<QFileDialog*>("Dialog_file");
        QVERIFY(dialog);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->windowTitle(), title);
        QCOMPARE(rig.w->source(Side::Second), Source::None);
        QPushButton* accept = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
        QCOMPARE(accept->text(), open);
        dialog->selectFile(path);
        QTest::mouseClick(accept, Qt::LeftButton);
        QCOMPARE(rig.w->source(Side::Second), Source::File);
        rig.pick("Combo_first", Source::Current);
        rig.click("Command_compare");
        QCOMPARE(rig.w->lines().size(), config::diff_images(newer(), older(), testDocument().bandLimits()).size());
    }

    // The point list picks by a double click; a point that cannot be read
    // is listed but cannot be picked.
    void pickingAPoint()
    {
        restore::Store store(restore::Store::defaultFolder());
        const QDateTime now = QDateTime::currentDateTimeUtc();
        QVERIFY(store.add(older(), {"VX-80", "a"}, restore::Kind::Read, -1, now.addSecs(-60)));
        const auto bad = store.add(older(), {"VX-80", "a"}, restore::Kind::Write, 0, now);
        QVERIFY(bad);
        QFile::resize(bad->path, 100);
        Rig rig;
        rig.pick("Combo_first", Source::RestorePoint);
        QCoreApplication::processEvents();  // the window makes room for the list
        auto* list = rig.find<QTreeWidget>("List_pick");
        QVERIFY(list->isVisible());
        QCOMPARE(list->topLevelItemCount(), 2);
        QVERIFY(list->topLevelItem(0)->isDisabled());
        QVERIFY(!list->topLevelItem(1)->isDisabled());
        auto doubleClick = [&](int n) {
            const QPoint at = list->visualItemRect(list->topLevelItem(n)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick(0);
        QCOMPARE(rig.w->source(Side::First), Source::None);
        QVERIFY(list->isVisible());
        doubleClick(1);
        QCOMPARE(rig.w->source(Side::First), Source::RestorePoint);
        QVERIFY(list->isHidden());
        QVERIFY(rig.prompts.all.isEmpty());
    }

    // The radio is read whole into a copy: the document never changes, and
    // the rows the read does not fetch are the document's.
    void readsTheRadio()
    {
        Rig rig;
        const size_t edits = testDocument().record().size();
        rig.readRadio();
        QCOMPARE(rig.text("Label_first"), QString("Reading the radio…"));
        QVERIFY(!rig.find<QComboBox>("Combo_first")->isEnabled());
        QVERIFY(!rig.find<QComboBox>("Combo_second")->isEnabled());
        QVERIFY(rig.find<QProgressBar>("ProgressBar1")->isVisible());
        QStringList labels;
        rig.radio->answer = [&](const QByteArray& p) {
            labels << rig.find<QLabel>("Label_tr_count")->text();
            return rig.radio->radio(p);
        };
        QVERIFY(rig.clock.runUntil([&] { return rig.w->source(Side::First) == Source::Radio; }));
        QCOMPARE(rig.radio->count('S'), 201);
        QVERIFY(labels.contains("Reading 200 Data Block"));
        QVERIFY(rig.text("Label_first").startsWith("The radio VX-80 aaaaaa--bbbbbb--cccc, read at "));
        QVERIFY(rig.prompts.all.isEmpty());
        QVERIFY(testImage() == newer());
        QCOMPARE(testDocument().record().size(), edits);
        // Like every whole read, it is kept as the radio's newest restore point.
        const std::vector<restore::Point> points = restore::Store(restore::Store::defaultFolder()).points();
        QVERIFY(!points.empty());
        QCOMPARE(points[0].kind, restore::Kind::Read);
        QCOMPARE(points[0].radio.serial, testDocument().serial());

        rig.pick("Combo_second", Source::Current);
        rig.click("Command_compare");
        QCOMPARE(rig.shownLines().size(), config::diff_images(older(), newer(), testDocument().bandLimits()).size());
        QCOMPARE(rig.text("Label_summary"), QString("2 settings and 1 row differ"));
    }

    // A read that fails leaves its side unset and the document as it was.
    void aFailedRead_data()
    {
        QTest::addColumn<bool>("portOpens");
        QTest::addColumn<QList<PromptRecord>>("prompts");
        QTest::addColumn<QString>("label");
        QTest::newRow("no answer") << true << QList<PromptRecord>{kFailed} << "Communication fault.";
        QTest::newRow("port will not open") << false << QList<PromptRecord>{kPortError} << "";
    }
    void aFailedRead()
    {
        QFETCH(bool, portOpens);
        QFETCH(QList<PromptRecord>, prompts);
        QFETCH(QString, label);
        Rig rig(portOpens ? std::set<int>{1} : std::set<int>{});
        rig.pick("Combo_second", Source::Current);
        rig.pick("Combo_first", Source::Radio);
        QVERIFY(rig.clock.runUntil([&] { return !rig.prompts.all.isEmpty(); }));
        rig.clock.advance(30'000);
        QCOMPARE(rig.prompts.all, prompts);
        QCOMPARE(rig.w->source(Side::First), Source::None);
        QCOMPARE(rig.text("Label_first"), QString("Not chosen"));
        QCOMPARE(rig.text("Label_tr_count"), label);
        QCOMPARE(rig.find<QProgressBar>("ProgressBar1")->value(), 0);
        QVERIFY(!rig.find<QPushButton>("Command_compare")->isEnabled());
        QVERIFY(rig.find<QComboBox>("Combo_first")->isEnabled());
        QVERIFY(testImage() == newer());
    }

    // Closing the window while the radio is read abandons the read: the
    // port closes and nothing is reported.
    void closingAbandonsTheRead()
    {
        Rig rig;
        rig.readRadio();
        rig.clock.advance(300);
        FakePort* port = rig.ports.last;
        QVERIFY(port->isOpen());
        QVERIFY(rig.w->close());
        QVERIFY(!port->isOpen());
        rig.clock.advance(60'000);
        QVERIFY(rig.prompts.all.isEmpty());
        QVERIFY(testImage() == newer());
    }

    // The restore points window presets the point and the current data and
    // compares at once.
    void aPointAgainstTheDocument()
    {
        const auto point = restore::Store(restore::Store::defaultFolder()).add(older(), {"VX-80", "a"}, restore::Kind::Read, -1,
                                                                                QDateTime::currentDateTimeUtc());
        QVERIFY(point);
        Rig rig;
        rig.w->comparePointWithDocument(*point);
        QCOMPARE(rig.w->source(Side::First), Source::RestorePoint);
        QCOMPARE(rig.w->source(Side::Second), Source::Current);
        QCOMPARE(rig.text("Label_summary"), QString("2 settings and 1 row differ"));
    }
};

QTEST_MAIN(TstCompareWindow)
#include "tst_compare_window.moc"
