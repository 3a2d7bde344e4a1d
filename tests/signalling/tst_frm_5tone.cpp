// The 5-tone editor driven by real key and mouse events: captions and grid
// headings in both languages, the standards grid and tone table, transmit
// frames and standards, the settings, Default, and opening on bad images.
#include "editor_window.h"
#include "setting_rows.h"
#include "test_document.h"

#include "editors/signalling/five_tone_settings.h"
#include "editors/signalling/frm_5tone.h"

#include <QGroupBox>
#include <QTabWidget>

using namespace vx;
using namespace vx::test;

namespace {

using FiveToneWindow = EditorWindow<frm_5tone>;

const PromptRecord kFiveDigitsEnglish{"Operate Prompt\"", PromptIcon::Warning, "Encode Digit is 5 Bits."};

QStringList headings(const FiveToneWindow& t, const char* grid)
{
    QStringList out;
    QAbstractItemModel* m = t.grid(grid)->model();
    for (int c = 0; c < m->columnCount(); ++c)
        out << m->headerData(c, Qt::Horizontal).toString();
    return out;
}

void toEncodeTab(FiveToneWindow& t) { t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1); }

}  // namespace

class TstFrm5Tone : public QObject {
    Q_OBJECT

private slots:
    void captions_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("stdHeadings");
        QTest::addColumn<QStringList>("encodeHeadings");
        QTest::newRow("English") << false
                                 << QStringList{"5 Tone Encode/Decode ", "Standard", "Encode", "5 TONE Standard Frequency",
                                                "Standard Name", "5 Tone Encode", "Delay 1 (MS) ", "Delay 2 (MS) ",
                                                "Delay 3 (MS) ", "First Digit Extend Length (MS)", "5 TONE Decode Standard ",
                                                "5 TONE Decode Call", "5 TONE Decode Disp", "1 frame", "2 frame", "3 frame",
                                                "1 frame", "2 frame", "3 frame", "Decode Reset Time(ms)", "Read", "Write",
                                                "Default", "Save", "Open", "Close"}
                                 << QStringList{"Standard", "Period(ms)", " Group Tone", " Repeat Tone "}
                                 << QStringList{" Code ", " Frame 1 ", " Frame 2 ", " Frame 3 ", " Standard "};
        QTest::newRow("Chinese") << true
                                 << QStringList{"5音信令编解码参数编辑", "标准", "编解码", "5 TONE 标准频率", "标准名称",
                                                "5 TONE 编码", "发送第1组码前的延迟时间（MS）", "发送第2组码前的延迟时间（MS）",
                                                "发送第3组码前的延迟时间（MS）", "各组码第1个音的拓展时长（MS）",
                                                "5 TONE 解码使用标准", "5 TONE 解码呼叫帧", "5 TONE 解码显示帧", "第 1 帧",
                                                "第 2 帧", "第 3 帧", "第 1 帧", "第 2 帧", "第 3 帧", "解码复位时间（MS）",
                                                "读 取", "写  入", "默 认", "保  存", "打  开", "关  闭"}
                                 << QStringList{" 5 TONE 标准", "发送时长(ms)", " 群 呼 码 ", "重 复 码 "}
                                 << QStringList{" 信息码 ", "第 1 帧编码", "第 2 帧编码", "第 3 帧编码", "使用标准"};
    }
    void captions()
    {
        QFETCH(bool, inChinese);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, stdHeadings);
        QFETCH(QStringList, encodeHeadings);
        FiveToneWindow t({.chinese = inChinese});
        auto* tabs = t.find<QTabWidget>("TabStrip1");
        QStringList shown{t.w->windowTitle(), tabs->tabText(0), tabs->tabText(1)};
        shown << t.find<QGroupBox>("Frame_std")->title() << t.text("Label_std_name")
              << t.find<QGroupBox>("Frame_Encode")->title();
        for (const char* n : {"Label_enc_ys1", "Label_enc_ys2", "Label_enc_ys3", "Label_enc_ys4", "Label_Decode_Std",
                              "Label_Decode_HJ", "Label_Decode_Disp", "Check_Decode_HJ_0", "Check_Decode_HJ_1",
                              "Check_Decode_HJ_2", "Check_Decode_Disp_0", "Check_Decode_Disp_1", "Check_Decode_Disp_2",
                              "Label_Reset_Time", "Command_read", "Command_write", "Command_def", "Command_save",
                              "Command_open", "Command_close"})
            shown << t.text(n);
        QCOMPARE(shown, expected);
        QCOMPARE(headings(t, "MSF_Chann"), stdHeadings);
        QCOMPARE(headings(t, "MSF_Encode"), encodeHeadings);
        QVERIFY(t.find<QWidget>("Frame_std")->isVisible());  // opens on the first tab
        QCOMPARE(tabs->width(), int(t.w->width() / 1.03));
        QCOMPARE(t.grid("MSF_Chann")->width(), int(t.find<QWidget>("Frame_std")->width() / 1.8));
    }

    // Choosing a standard, in the list or by clicking its row, shows its
    // sixteen tones.
    void toneTable()
    {
        FiveToneWindow t;
        QCOMPARE(t.combo("Combo_stxh")->currentText(), QString("CCIR1"));
        QCOMPARE(t.text("Label_code_10"), QString("A"));
        QCOMPARE(t.text("Label_freq_10"), QString("2400.0"));
        t.choose(t.combo("Combo_stxh"), 11);
        QCOMPARE(t.text("Label_freq_0"), QString("979.8"));
        QCOMPARE(t.text("Label_freq_10"), QString("0.0"));
        t.clickCell("MSF_Chann", 14, 0);
        QCOMPARE(t.combo("Combo_stxh")->currentText(), QString("MODAT"));
        QCOMPARE(t.text("Label_freq_15"), QString("0.0"));
        QCOMPARE(t.text("Label_freq_14"), QString("487.5"));
        QVERIFY(!t.combo("Combo_edit")->isVisible());  // the name column has no list
    }

    void standardsGrid()
    {
        FiveToneWindow t;
        QCOMPARE(t.cell("MSF_Chann", 0, 1), QString("100"));
        QCOMPARE(t.cell("MSF_Chann", 0, 2), QString("A"));
        QCOMPARE(t.cell("MSF_Chann", 0, 3), QString("E"));
        QComboBox* list = t.combo("Combo_edit");
        t.clickCell("MSF_Chann", 0, 1);
        QVERIFY(list->isVisible());
        QCOMPARE(list->currentText(), QString("100"));
        QCOMPARE(list->count(), 19);
        t.choose(list, 18);
        QCOMPARE(int(testImage().at(576, 0)), 18);
        QTest::keyClicks(list, "3");  // typing is discarded
        QCOMPARE(list->currentText(), QString("200"));
        t.clickCell("MSF_Chann", 12, 3);  // CCITT repeat tone
        QCOMPARE(t.cell("MSF_Chann", 0, 1), QString("200"));
        QCOMPARE(list->count(), 16);
        QCOMPARE(t.combo("Combo_stxh")->currentText(), QString("CCITT"));
        t.choose(list, 15);
        QCOMPARE(int(testImage().at(588, 2)), 15);
        t.clickCell("MSF_Chann", 12, 0);
        QCOMPARE(t.cell("MSF_Chann", 12, 3), QString("F"));
        QVERIFY(!list->isVisible());
        // Tables are never changed by the editor.
        Image tables;
        five_tone::lay_tables(tables);
        for (int r = 512; r <= 574; ++r)
            QCOMPARE(rowHex(testImage(), r), rowHex(tables, r));
    }

    void storedOutsideTheLists()
    {
        FiveToneWindow t([] {
            testImage().set(576, 0, 0xFF);
            testImage().set(577, 1, 0x10);
            testImage().set(593, 2, 0x20);
            testImage().set(593, 15, 15);
            testImage().set(607, 0, 0xFF);
            testImage().set(607, 11, 0xFF);
            testImage().set(607, 8, 99);
        });
        QCOMPARE(t.cell("MSF_Chann", 0, 1), QString("2570"));
        QCOMPARE(t.cell("MSF_Chann", 1, 2), QString(" "));
        QCOMPARE(t.cell("MSF_Encode", 1, 1), QString("     "));
        QCOMPARE(t.cell("MSF_Encode", 1, 4), QString());
        QCOMPARE(t.combo("Combo_Enc_ys1")->currentText(), QString("1000"));
        QCOMPARE(t.combo("Combo_Dec_Res_Time")->currentText(), QString("15000"));
        QCOMPARE(t.combo("Combo_Decode_Std")->currentText(), QString("MODAT"));
        QCOMPARE(rowHex(testImage(), 607).left(35), QByteArray("FF 14 14 00 FF FF FF FF 63 01 06 FF"));  // kept
        QCOMPARE(int(testImage().at(576, 0)), 0xFF);  // the grid stores nothing
        // The tone length list shows the cell's text.
        t.clickCell("MSF_Chann", 0, 1);
        QCOMPARE(t.combo("Combo_edit")->currentText(), QString("2570"));
    }

    // Typing 1a2 into frame 2 of entry 3 stores 1, 10, 2, FF, FF; leaving
    // the cell refuses the 3 digits and keeps the box.
    void frameOfThreeDigits()
    {
        FiveToneWindow t;
        toEncodeTab(t);
        QLineEdit* box = t.edit("Text_Encode");
        t.clickCell("MSF_Encode", 2, 2);  // frame 1 is empty: nothing opens
        QVERIFY(!box->isVisible());
        t.clickCell("MSF_Encode", 2, 1);
        QVERIFY(box->isVisible());
        QTest::keyClicks(box, "12345");
        t.clickCell("MSF_Encode", 2, 2);
        QCOMPARE(t.cell("MSF_Encode", 2, 1), QString("12345"));
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, "1a2");
        QCOMPARE(rowHex(testImage(), 594).mid(15, 14), QByteArray("01 0A 02 FF FF"));
        t.clickCell("MSF_Encode", 5, 3);
        QCOMPARE(t.prompts.all, QList<PromptRecord>{kFiveDigitsEnglish});
        QVERIFY(box->isVisible());
        QVERIFY(box->hasFocus());
        QCOMPARE(t.grid("MSF_Encode")->currentIndex(), t.grid("MSF_Encode")->model()->index(2, 2));
        QCOMPARE(box->text(), QString("1a2"));
        // Two more digits and the frame is whole; the sixth key is dropped.
        QTest::keyClicks(box, "bc9");
        QCOMPARE(box->text(), QString("1a2bc"));
        QTest::keyClick(box, Qt::Key_Backspace);  // accepted here
        QTest::keyClicks(box, "F");
        QCOMPARE(rowHex(testImage(), 594).mid(15, 14), QByteArray("01 0A 02 0B 0F"));
        t.clickCell("MSF_Encode", 2, 4);
        QCOMPARE(t.cell("MSF_Encode", 2, 2), QString("1A2BF"));
        QCOMPARE(t.prompts.all.size(), 1);
        QComboBox* standard = t.combo("Combo_Encode");
        QVERIFY(standard->isVisible());
        QCOMPARE(standard->currentIndex(), -1);  // the entry has no standard yet
        t.choose(standard, 14);
        QCOMPARE(int(testImage().at(594, 15)), 14);
        t.clickCell("MSF_Encode", 2, 0);
        QCOMPARE(t.cell("MSF_Encode", 2, 4), QString("MODAT"));
    }

    // Emptying frame 1 leaves the frame unused and blanks the entry's row on
    // screen; the image keeps its other frames.
    void emptyFrameOne()
    {
        FiveToneWindow t;
        toEncodeTab(t);
        t.clickCell("MSF_Encode", 0, 1);
        QLineEdit* box = t.edit("Text_Encode");
        QCOMPARE(box->text(), QString("12345"));
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(rowHex(testImage(), 592).left(14), QByteArray("FF FF FF FF FF"));
        t.clickCell("MSF_Encode", 3, 0);
        QVERIFY(t.prompts.all.isEmpty());
        for (int c = 1; c <= 4; ++c)
            QCOMPARE(t.cell("MSF_Encode", 0, c), QString());
        QCOMPARE(rowHex(testImage(), 592).mid(15), QByteArray("03 04 05 06 07 05 06 07 08 09 00"));
    }

    void pasteLongerThanAFrame()
    {
        FiveToneWindow t;
        toEncodeTab(t);
        t.clickCell("MSF_Encode", 14, 3);
        QLineEdit* box = t.edit("Text_Encode");
        t.paste(box, "ABCDEF12");
        QCOMPARE(box->text(), QString("ABCDE"));
        QCOMPARE(rowHex(testImage(), 606).mid(30, 14), QByteArray("0A 0B 0C 0D 0E"));
    }

    void settings()
    {
        FiveToneWindow t;
        toEncodeTab(t);
        QVERIFY(!t.check("Check_Decode_Disp_0")->isChecked());
        QVERIFY(t.check("Check_Decode_Disp_1")->isChecked());
        QVERIFY(t.check("Check_Decode_Disp_2")->isChecked());
        QTest::mouseClick(t.check("Check_Decode_Disp_0"), Qt::LeftButton);
        QCOMPARE(int(testImage().at(607, 10)), 7);
        QTest::mouseClick(t.check("Check_Decode_HJ_0"), Qt::LeftButton);
        QCOMPARE(int(testImage().at(607, 9)), 0);
        t.choose(t.combo("Combo_enc_ys3"), 100);
        t.choose(t.combo("Combo_Enc_ys4"), 2);
        t.choose(t.combo("Combo_Decode_Std"), 10);
        t.choose(t.combo("Combo_Dec_Res_Time"), 149);
        QCOMPARE(rowHex(testImage(), 607), QByteArray("14 14 64 02 FF FF FF FF 0A 00 07 95 FF FF FF FF"));
        QTest::keyClicks(t.combo("Combo_Decode_Std"), "C");  // typing is discarded
        QCOMPARE(int(testImage().at(607, 8)), 10);
    }

    void defaultButton()
    {
        FiveToneWindow t([] { testImage().fillRows(512, 607, 0x00); });
        t.bar()->show();
        t.label()->setText("x");
        t.clickButton("Command_def");
        QVERIFY(t.bar()->isHidden());
        QCOMPARE(t.label()->text(), QString());
        QCOMPARE(t.cell("MSF_Chann", 0, 1), QString("100"));
        QCOMPARE(t.cell("MSF_Encode", 0, 1), QString("12345"));
        QCOMPARE(t.cell("MSF_Encode", 0, 4), QString("CCIR1"));
        Image expected = filledImage(0x00);
        five_tone::load_defaults(expected);
        for (int r = 512; r <= 607; ++r)
            QCOMPARE(rowHex(testImage(), r), rowHex(expected, r));
    }

    void badImages_data() { addBadImages(); }
    void badImages()
    {
        QFETCH(int, fill);
        const Image bad = filledImage(fill < 0 ? -1 : fill, quint32(-fill));
        const Image expected = bad;  // showing stores nothing
        FiveToneWindow t([&] { testImage() = bad; });
        QVERIFY(testImage() == expected);
        for (int n = 1; n <= 15; ++n) {
            QCOMPARE(t.cell("MSF_Chann", n - 1, 1), five_tone::tone_length_text(testImage(), n - 1));
            for (int f = 0; f < 3; ++f)
                QCOMPARE(t.cell("MSF_Encode", n - 1, f + 1), five_tone::frame_text(testImage(), n, f));
            QCOMPARE(t.cell("MSF_Encode", n - 1, 4), five_tone::entry_standard_text(testImage(), n));
        }
        toEncodeTab(t);
        t.w->refresh();
        QVERIFY(testImage() == expected);
        QVERIFY(t.prompts.all.isEmpty());
    }

    // Every row is its control and every column its grid column: labels,
    // box texts and headings are the rows' labels, lists hold the rows'
    // entries and Default lays the rows' defaults, every control and cell
    // shows its value, and the bytes lie in the region.
    void everyRowIsItsControl_data() { addLanguages(); }
    void everyRowIsItsControl()
    {
        QFETCH(bool, inChinese);
        FiveToneWindow t({.prepare = [] { testImage().fillRows(576, 607, 0x00); }, .chinese = inChinese});
        t.clickButton("Command_def");
        const RecordView r = five_tone::view(testImage());
        const int regionBytes = five_tone::kRegion.count() * 16;
        RowKeys keys;
        HeldBytes bytes;
        for (const Setting& s : five_tone::kSettings) {
            keys.add(s);
            bytes.add(s, 1);
            QVERIFY2(s.byte >= 0 && s.byte < regionBytes, s.key);
            switch (s.kind) {
            case SettingKind::List: {
                QComboBox* combo = t.combo(s.control);
                QCOMPARE(combo->count(), s.list->count());
                QCOMPARE(combo->itemText(combo->count() - 1), s.list->entries(inChinese).last());
                QVERIFY2(s.fallback >= 0 && s.fallback < s.list->count(), s.key);
                QCOMPARE(s.position(r), s.fallback);
                QCOMPARE(combo->currentIndex(), s.fallback);
                break;
            }
            case SettingKind::OnOff:
                QCOMPARE(t.check(s.control)->text(), s.label.in(inChinese));
                QCOMPARE(t.check(s.control)->isChecked(), s.on(r));
                break;
            case SettingKind::Text:
                QVERIFY2(s.text, s.key);
                QCOMPARE(t.combo(s.control)->currentText(), s.value(r));
                break;
            }
            if (s.labelControl)
                QCOMPARE(t.find<QLabel>(s.labelControl)->text(), s.label.in(inChinese));
        }
        checkColumns(t, five_tone::kStandardColumns, r, regionBytes, inChinese);
        checkColumns(t, five_tone::kEncodeColumns, r, regionBytes, inChinese);
        keys.add(five_tone::kStandardColumns);
        keys.add(five_tone::kEncodeColumns);
        checkKeys(keys);
        for (const signalling::EntryColumn& c : five_tone::kStandardColumns)
            bytes.add(c.cell, 1);
        for (const signalling::EntryColumn& c : five_tone::kEncodeColumns)
            bytes.add(c.cell, c.cell.text == &five_tone::kFrameText ? five_tone::kFrameDigits : 1);
        bytes.check();
    }
};

QTEST_MAIN(TstFrm5Tone)
#include "tst_frm_5tone.moc"
