// The 2-tone editor driven by real key and mouse events: captions and grid
// headings in both languages, the tab strip, transmit cells, receive rules,
// the tone fields, the lists, Default, and opening on bad images.
#include "editor_window.h"
#include "setting_rows.h"
#include "test_document.h"

#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/two_tone_settings.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QTabWidget>

using namespace vx;
using namespace vx::test;

namespace {

using TwoToneWindow = EditorWindow<frm_2tone>;

const PromptRecord kRangeEnglish{"Operate Prompt\"", PromptIcon::Warning, "Frequency range 300Hz to 3000Hz"};

QStringList headings(const TwoToneWindow& t, const char* grid)
{
    QStringList out;
    QAbstractItemModel* m = t.grid(grid)->model();
    for (int c = 0; c < m->columnCount(); ++c)
        out << m->headerData(c, Qt::Horizontal).toString();
    return out;
}

}  // namespace

class TstFrm2Tone : public QObject {
    Q_OBJECT

private slots:
    void captions_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("encodeHeadings");
        QTest::addColumn<QStringList>("decodeHeadings");
        QTest::newRow("English") << false
                                 << QStringList{"2 TONE", "Encode", "Decode", "2 TONE Encode", "1st Tone Duration(MS)",
                                                "2nd Tone Duration(MS)", "Gap of Tone (MS)", "2 TONE Decode",
                                                "A Tone( HZ )", "B Tone( HZ )", "C Tone( HZ )", "D Tone( HZ )",
                                                "Reset_Time (MS)", " 1 Decode 2 Tone Frequency", "Read", "Write",
                                                "Default", "Save", "Open", "Close"}
                                 << QStringList{" Code", " 1st Frequency(HZ)", " 2nd Frequency(HZ)"}
                                 << QStringList{" Code", "Dec_1", "    Response   ", "Alert", "Dec_2", "   Response   ",
                                                "Alert", "Dec_3", "   Response   ", "Alert", "Dec_4", "   Response   ", "Alert"};
        QTest::newRow("Chinese") << true
                                 << QStringList{"2 TONE 编解码参数编辑", "编码", "解码", "2 TONE 编码",
                                                "发送第 1 个频率时间长度（MS）", "发送第 2 个频率时间长度（MS）",
                                                "前后两个频率的间隔时长 （MS）", "2 TONE 解码", "A 音（HZ）", "B 音（HZ）",
                                                "C 音（HZ）", "D 音（HZ）", "复位时间（MS）", " 1 解码信息两音频率", "读 取",
                                                "写  入", "默 认", "保  存", "打  开", "关  闭"}
                                 << QStringList{" 信息码 ", " 第 1 个频率(HZ) ", " 第 2 个频率(HZ) "}
                                 << QStringList{" 信息码", "解码1", "   响 应 方 式  ", "提示", "解码2", "   响 应 方 式  ",
                                                "提示", "解码3", "   响 应 方 式  ", "提示", "解码4", "   响 应 方 式  ", "提示"};
    }
    void captions()
    {
        QFETCH(bool, inChinese);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, encodeHeadings);
        QFETCH(QStringList, decodeHeadings);
        TwoToneWindow t({.chinese = inChinese});
        auto* tabs = t.find<QTabWidget>("TabStrip1");
        QStringList shown{t.w->windowTitle(), tabs->tabText(0), tabs->tabText(1)};
        shown << t.find<QGroupBox>("Frame_Encode")->title();
        for (const char* n : {"Label_1st", "Label_2nd", "Label_gap"})
            shown << t.text(n);
        shown << t.find<QGroupBox>("Frame_Decode")->title();
        for (const char* n : {"Label_A_tone", "Label_B_tone", "Label_C_tone", "Label_D_Tone", "Label_Reset"})
            shown << t.text(n);
        shown << t.find<QGroupBox>("Frame_Dec_xx")->title();
        for (const char* n : {"Command_read", "Command_write", "Command_def", "Command_save", "Command_open", "Command_close"})
            shown << t.text(n);
        QCOMPARE(shown, expected);
        QCOMPARE(headings(t, "MSF_Encode"), encodeHeadings);
        QCOMPARE(headings(t, "MSF_Decode"), decodeHeadings);
        // "^" centres every column.
        QCOMPARE(t.grid("MSF_Decode")->model()->headerData(5, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter,
                 int(Qt::AlignHCenter));
        for (int n = 0; n < 15; ++n)
            QCOMPARE(t.cell("MSF_Decode", n, 0), QString::number(n + 1));
    }

    // The tab strip shows one frame at a time; the receive grid is 4000
    // twips high and as wide as its frame / 1.02.
    void tabsAndSizes()
    {
        TwoToneWindow t;
        auto* tabs = t.find<QTabWidget>("TabStrip1");
        QVERIFY(t.find<QWidget>("Frame_Encode")->isVisible());
        QVERIFY(!t.find<QWidget>("Frame_Decode")->isVisible());
        QCOMPARE(tabs->width(), int(t.w->width() / 1.02));
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        QVERIFY(t.find<QWidget>("Frame_Decode")->isVisible());
        QVERIFY(!t.find<QWidget>("Frame_Encode")->isVisible());
        QCOMPARE(t.grid("MSF_Decode")->height(), 4000 / 15);
        QCOMPARE(t.grid("MSF_Decode")->width(), int(t.find<QWidget>("Frame_Decode")->width() / 1.02));
        QCOMPARE(t.grid("MSF_Encode")->width(), int(t.find<QWidget>("Frame_Encode")->width() / 2.5));
    }

    void transmitCells_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("refused");
        QTest::newRow("1000.4") << "1000.4" << "1000.0" << QByteArray("E8 03") << false;
        QTest::newRow("letters dropped") << "1x2y00" << "1200.0" << QByteArray("B0 04") << false;
        QTest::newRow("250 refused") << "250" << "" << QByteArray("00 00") << true;
    }
    void transmitCells()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, refused);
        TwoToneWindow t;
        t.clickCell("MSF_Encode", 4, 2);  // entry 5, second tone
        QLineEdit* box = t.edit("Text_Encode");
        QVERIFY(box->isVisible());
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, keys);
        QTest::keyClick(box, Qt::Key_Backspace);  // not accepted
        t.clickCell("MSF_Encode", 6, 1);
        QCOMPARE(t.cell("MSF_Encode", 4, 2), shown);
        QCOMPARE(rowHex(testImage(), 724).mid(24, 5), bytes);
        QCOMPARE(rowHex(testImage(), 724).left(5), QByteArray("FF FF"));
        QCOMPARE(t.prompts.all, refused ? QList<PromptRecord>{kRangeEnglish} : QList<PromptRecord>{});
        // The box moved to the clicked cell, with that cell's text.
        QCOMPARE(box->text(), t.cell("MSF_Encode", 6, 1));
        QVERIFY(box->isVisible());
    }

    // An emptied frequency stores 0; the number column opens nothing.
    void transmitCellEmptied()
    {
        TwoToneWindow t;
        t.clickCell("MSF_Encode", 0, 1);  // 1981.0
        QLineEdit* box = t.edit("Text_Encode");
        QCOMPARE(box->text(), QString("1981.0"));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        t.clickCell("MSF_Encode", 0, 0);
        QVERIFY(!box->isVisible());
        QCOMPARE(rowHex(testImage(), 720).left(5), QByteArray("00 00"));
        QCOMPARE(t.cell("MSF_Encode", 0, 1), QString());
        QVERIFY(t.prompts.all.isEmpty());
    }

    void receiveRules()
    {
        TwoToneWindow t;
        t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
        QComboBox* list = t.combo("Combo_Decode");
        // An empty rule's pair cell: pair code 0 is stored at once.
        t.clickCell("MSF_Decode", 2, 1);
        QCOMPARE(list->currentText(), QString("A-B"));
        QCOMPARE(list->count(), 12);
        QCOMPARE(int(testImage().at(738, 0)), 0);
        t.choose(list, 9);
        QCOMPARE(int(testImage().at(738, 0)), 9);
        QTest::keyClicks(list, "B");  // typing is discarded
        QCOMPARE(list->currentText(), QString("D-A"));
        // The response cell preselects "2.Transpond".
        t.clickCell("MSF_Decode", 2, 2);
        QCOMPARE(t.cell("MSF_Decode", 2, 1), QString("D-A"));
        QCOMPARE(list->currentText(), QString("2.Transpond"));
        QCOMPARE(int(testImage().at(738, 1)), 2);
        // The alert cell stores the number chosen.
        t.clickCell("MSF_Decode", 2, 3);
        QCOMPARE(int(testImage().at(738, 2)), 1);
        t.choose(list, 15);
        QCOMPARE(int(testImage().at(738, 2)), 16);
        t.clickCell("MSF_Decode", 2, 0);
        QVERIFY(!list->isVisible());
        QCOMPARE(t.cell("MSF_Decode", 2, 3), QString("16"));
        QCOMPARE(rowHex(testImage(), 738), QByteArray("09 02 10 FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        // A response chosen for a rule without a pair is emptied on screen.
        t.clickCell("MSF_Decode", 2, 5);
        t.clickCell("MSF_Decode", 2, 0);
        QCOMPARE(t.cell("MSF_Decode", 2, 5), QString());
        QCOMPARE(int(testImage().at(738, 4)), 2);
        QCOMPARE(t.cell("MSF_Decode", 2, 4), QString());
    }

    // Double-clicking a number cell empties the row on screen only.
    void doubleClickNumberCell()
    {
        TwoToneWindow t;
        t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
        const Image before = testImage();
        t.doubleClickCell("MSF_Decode", 13, 0);
        for (int c = 1; c < 13; ++c)
            QCOMPARE(t.cell("MSF_Decode", 13, c), QString());
        QVERIFY(testImage() == before);
        QCOMPARE(t.edit("Text_A")->text(), QString("2200.0"));
        QCOMPARE(t.find<QGroupBox>("Frame_Dec_xx")->title(), QString(" 14 Decode 2 Tone Frequency"));
        t.w->refresh();
        QCOMPARE(t.cell("MSF_Decode", 13, 1), QString("A-B"));
    }

    void toneFields_data()
    {
        QTest::addColumn<int>("row");  // receive grid row clicked first
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("toneRow");
        QTest::addColumn<int>("k");
        QTest::addColumn<QByteArray>("bytes");  // word, then period count
        QTest::addColumn<bool>("refused");
        QTest::newRow("1981 in A of entry 1") << 0 << "Text_A" << "1981" << 752 << 0 << QByteArray("BD 07 8B 04") << false;
        QTest::newRow("250 refused") << 0 << "Text_A" << "250" << 752 << 0 << QByteArray("FF FF FF FF") << true;
        QTest::newRow("eighth key dropped") << 14 << "Text_B" << "1234.567" << 766 << 1 << QByteArray("D3 04 4A 07") << false;
    }
    void toneFields()
    {
        QFETCH(int, row);
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(int, toneRow);
        QFETCH(int, k);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, refused);
        TwoToneWindow t;
        t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
        t.clickCell("MSF_Decode", row, 0);
        QCOMPARE(t.w->selectedEntry(), row);
        QLineEdit* e = t.edit(field);
        t.retype(e, keys);
        QTest::keyClick(e, Qt::Key_Backspace);  // not accepted
        QCOMPARE(e->text(), keys.left(7));
        t.focusAway(t.combo("Combo_Dec_Res_Time"));
        const QByteArray r = rowHex(testImage(), toneRow);
        QCOMPARE(r.mid(6 * k, 5) + " " + r.mid(24 + 6 * k, 5), bytes);
        QCOMPARE(t.prompts.all, refused ? QList<PromptRecord>{kRangeEnglish} : QList<PromptRecord>{});
        if (refused) {
            QCOMPARE(e->text(), QString());
            QTRY_VERIFY(e->hasFocus());  // the focus comes back
        } else {
            QCOMPARE(e->text(), two_tone::tone_text(testImage(), toneRow - 751, k));
        }
    }

    // Selecting the decode tab selects entry 1 again.
    void decodeTabSelectsEntryOne()
    {
        TwoToneWindow t;
        auto* tabs = t.find<QTabWidget>("TabStrip1");
        tabs->setCurrentIndex(1);
        t.clickCell("MSF_Decode", 14, 0);
        QCOMPARE(t.edit("Text_A")->text(), QString("1400.0"));
        tabs->setCurrentIndex(0);
        tabs->setCurrentIndex(1);
        QCOMPARE(t.w->selectedEntry(), 0);
        QCOMPARE(t.edit("Text_A")->text(), QString("1981.0"));
        QCOMPARE(t.find<QGroupBox>("Frame_Dec_xx")->title(), QString(" 1 Decode 2 Tone Frequency"));
    }

    void lists()
    {
        TwoToneWindow t([] { testImage().set(735, 1, 0xFF), testImage().set(767, 0, 0xFF); });
        QCOMPARE(t.combo("Combo_Enc_ys2")->currentText(), QString("1000"));
        QCOMPARE(t.combo("Combo_Dec_Res_Time")->currentText(), QString("15000"));
        QCOMPARE(rowHex(testImage(), 735).left(8), QByteArray("3C FF 1E"));  // shown as the last entry, kept
        t.choose(t.combo("Combo_enc_ys3"), 7);
        QCOMPARE(int(testImage().at(735, 2)), 7);
        t.choose(t.combo("Combo_Dec_Res_Time"), 0);
        QCOMPARE(int(testImage().at(767, 0)), 0);
    }

    // Default hides the bar at 0, empties the label and lays the defaults.
    void defaultButton()
    {
        TwoToneWindow t([] { testImage().fillRows(720, 767, 0x00); });
        t.bar()->show();
        t.bar()->setValue(40);
        t.label()->setText("x");
        t.clickButton("Command_def");
        QVERIFY(t.bar()->isHidden());
        QCOMPARE(t.bar()->value(), 0);
        QCOMPARE(t.label()->text(), QString());
        Image expected;
        lay_startup_defaults(expected);
        for (int r = 720; r <= 767; ++r)
            QCOMPARE(rowHex(testImage(), r), rowHex(expected, r));
        QCOMPARE(t.cell("MSF_Encode", 11, 1), QString("2200.0"));
        QCOMPARE(t.cell("MSF_Decode", 14, 1), QString("D-A"));
    }

    void badImages_data() { addBadImages(); }
    void badImages()
    {
        QFETCH(int, fill);
        const Image bad = filledImage(fill < 0 ? -1 : fill, quint32(-fill));
        const Image expected = bad;  // showing stores nothing
        TwoToneWindow t([&] { testImage() = bad; });
        QVERIFY(testImage() == expected);
        for (int n = 1; n <= 15; ++n) {
            QCOMPARE(t.cell("MSF_Encode", n - 1, 1), two_tone::tx_text(testImage(), n, 0));
            for (int c = 1; c < 13; ++c)
                QCOMPARE(t.cell("MSF_Decode", n - 1, c), two_tone::rule_text(testImage(), n, c));
        }
        QCOMPARE(t.edit("Text_C")->text(), two_tone::tone_text(testImage(), 1, 2));
        t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
        t.w->refresh();
        QVERIFY(testImage() == expected);
        QVERIFY(t.prompts.all.isEmpty());
    }

    // Every row is its control and every column its grid column or tone
    // field: labels and headings are the rows' labels, lists hold the rows'
    // entries and Default lays the rows' defaults, every cell and field
    // shows its entry's value, and the bytes lie in the region.
    void everyRowIsItsControl_data() { addLanguages(); }
    void everyRowIsItsControl()
    {
        QFETCH(bool, inChinese);
        TwoToneWindow t({.prepare = [] { testImage().fillRows(720, 767, 0x00); }, .chinese = inChinese});
        t.clickButton("Command_def");
        const RecordView r = two_tone::view(testImage());
        const int regionBytes = two_tone::kRegion.count() * 16;
        RowKeys keys;
        HeldBytes bytes;
        for (const Setting& s : two_tone::kSettings) {
            keys.add(s);
            bytes.add(s, 1);
            QCOMPARE(s.kind, SettingKind::List);
            QVERIFY2(s.byte >= 0 && s.byte < regionBytes, s.key);
            QComboBox* combo = t.combo(s.control);
            QCOMPARE(combo->count(), s.list->count());
            QCOMPARE(combo->itemText(combo->count() - 1), s.list->entries(inChinese).last());
            QVERIFY2(s.fallback >= 0 && s.fallback < s.list->count(), s.key);
            QCOMPARE(s.position(r), s.fallback);
            QCOMPARE(combo->currentIndex(), s.fallback);
            QCOMPARE(t.find<QLabel>(s.labelControl)->text(), s.label.in(inChinese));
        }
        checkColumns(t, two_tone::kTransmitColumns, r, regionBytes, inChinese);
        checkColumns(t, two_tone::kReceiveColumns, r, regionBytes, inChinese);
        keys.add(two_tone::kTransmitColumns);
        keys.add(two_tone::kReceiveColumns);
        checkKeys(keys);
        // A frequency is a word; a tone's period count lies eight bytes on.
        for (const signalling::EntryColumn& c : two_tone::kTransmitColumns)
            bytes.add(c.cell, 2);
        for (const signalling::EntryColumn& c : two_tone::kReceiveColumns) {
            bytes.add(c.cell, c.column >= 0 ? 1 : 2);
            if (c.column < 0) {
                Setting periods = c.cell;
                periods.byte += 8;
                bytes.add(periods, 2);
            }
        }
        bytes.check();
    }

    // Each grid's context menu takes the document's edits back and makes
    // them again, in the language in force, greyed when there is none.
    void gridsUndoFromTheirMenu_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<bool>("inChinese");
        QTest::newRow("transmit, English") << "MSF_Encode" << false;
        QTest::newRow("receive, Chinese") << "MSF_Decode" << true;
    }
    void gridsUndoFromTheirMenu()
    {
        QFETCH(QString, grid);
        QFETCH(bool, inChinese);
        EditorWindow<frm_2tone> w({.chinese = inChinese});
        testDocument().start(testImage());
        auto* menu = w.grid(grid)->findChild<QMenu*>("Menu_rows");
        QVERIFY(menu);
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QAction* undo = menu->findChild<QAction*>("Menu_undo");
        QCOMPARE(undo->text(), QString(inChinese ? "撤销" : "Undo"));
        QVERIFY(!undo->isEnabled());
        const Image before = testImage();
        testDocument().edit({"测试", "Test"}, two_tone::kRegion, [](Image& image) { image.set(two_tone::kRegion.first, 0, 0x12); });
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QVERIFY(undo->isEnabled());
        undo->trigger();
        QVERIFY(testImage() == before);
        QMetaObject::invokeMethod(menu, "aboutToShow");
        menu->findChild<QAction*>("Menu_redo")->trigger();
        QCOMPARE(testImage().at(two_tone::kRegion.first, 0), uint8_t(0x12));
    }
};

QTEST_MAIN(TstFrm2Tone)
#include "tst_frm_2tone.moc"
