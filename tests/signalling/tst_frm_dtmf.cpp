// The DTMF editor driven by real key and mouse events: captions in both
// languages, the code fields' typing filter and storing, Show on leaving a
// field, the lists, the identity control and rights boxes, Default, and
// opening on bad images.
#include "editor_window.h"
#include "setting_rows.h"
#include "test_document.h"

#include "editors/signalling/dtmf_settings.h"
#include "editors/signalling/frm_dtmf.h"
#include "image/dtmf.h"

#include <QGroupBox>

using namespace vx;
using namespace vx::test;

namespace {

using DtmfWindow = EditorWindow<frm_dtmf>;

QStringList texts(const DtmfWindow& d, const QStringList& names)
{
    QStringList out;
    for (const QString& n : names) {
        if (auto* g = d.w->findChild<QGroupBox*>(n))
            out << g->title();
        else
            out << d.text(n);
    }
    return out;
}

}  // namespace

class TstFrmDtmf : public QObject {
    Q_OBJECT

private slots:
    void captions_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("English") << false
                                 << QStringList{"DTMF Encode/Decode ",
                                                "DTMF Encode", "Number", " Code ", "DTMF Speed (On Time)", "DTMF Speed (Off Time)",
                                                "Group Code", "Read", "Write", "Default", "Save", "Open", "Close",
                                                "State", "RX Disable", "TX Disable", "DTMF Decode", "Inspection", "Monitor",
                                                "Alarm", "Stun", "Kill", "Revive", "Control ID code and control right",
                                                "              Monitor                Kill",
                                                "      Inspection             Stun                 Revive ",
                                                "Function Control by master and vice ID code", "Master Control ID",
                                                "Vice Control ID", "Space Code", "Reset Time(ms)", "Delay processing time (ms)"};
        QTest::newRow("Chinese") << true
                                 << QStringList{"DTMF 编解码参数编辑",
                                                "DTMF 编码", "编码码组", "发送编码", "发码持续时间（MS）", "发码间断时间（MS）",
                                                "群呼码", "读 取", "写  入", "默 认", "保  存", "打  开", "关  闭",
                                                "本机状态", "接收禁止", "发射禁止", "DTMF 解码", "巡 查 码", "监 听 码",
                                                "报 警 码", "遥 晕 码", "遥 毙 码", "开 机 码", "控制ID码及控制权限",
                                                "巡查      监听     遥晕     遥毙      开机 ", "", "接受主副ID控制",
                                                "主控ID码", "副控ID码", "码组间隔码", "复位时间(ms)", "收码结束延迟处理时间(ms)"};
    }
    void captions()
    {
        QFETCH(bool, inChinese);
        QFETCH(QStringList, expected);
        DtmfWindow d({.chinese = inChinese});
        const QStringList names{"Frame_Encode", "Label_encode_xh", "Label_tx_encode", "Label_dtmf_ontime",
                                "Label_dtmf_offtime", "Label_Group_code", "Command_read", "Command_write",
                                "Command_def", "Command_save", "Command_open", "Command_close",
                                "Frame_State", "Check_RX", "Check_Tx", "Frame_Decode", "Label_xc", "Label_jt",
                                "Label_bj", "Label_yy", "Label_yb", "Label_kj", "Frame_Ctrl",
                                "Label_xcjtyyybkj_1", "Label_xcjtyyybkj_2", "Check_Ctrl_En", "Label_PID",
                                "Label_SID", "Label_Dec_Space_Code", "Label_Reset_Time", "Label_Rece_End_ProcDelay"};
        QCOMPARE(QStringList{d.w->windowTitle()} + texts(d, names), expected);
        for (int i = 0; i < 15; ++i)
            QCOMPARE(d.text(QString("Label_xh_%1").arg(i)), QString::number(i + 1));
        QCOMPARE(d.find<QLabel>("Label_PID")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    }

    // The rights boxes stand 600 twips (40 pixels) apart, left to right.
    void rightsBoxesLayout()
    {
        DtmfWindow d;
        for (const char* row : {"Check_M_%1", "Check_S_%1"})
            for (int bit = 1; bit < 5; ++bit)
                QCOMPARE(d.check(QString(row).arg(bit))->x() - d.check(QString(row).arg(bit - 1))->x(), 40);
        QCOMPARE(d.check("Check_M_0")->y(), d.edit("Text_MID")->y());
        // Three rows of two decode codes.
        QCOMPARE(d.edit("Text_XC")->y(), d.edit("Text_JT")->y());
        QCOMPARE(d.edit("Text_BJ")->y(), d.edit("Text_YY")->y());
        QCOMPARE(d.edit("Text_YB")->y(), d.edit("Text_KJ")->y());
        QVERIFY(d.edit("Text_XC")->y() < d.edit("Text_BJ")->y());
        QVERIFY(d.edit("Text_BJ")->y() < d.edit("Text_YB")->y());
    }

    void typingStoresEveryChange_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shownAfter");
        const QByteArray ff = " FF";
        QTest::newRow("code 3: a1*#") << "Text_tx_Encode_2" << 658 << "a1*#" << "0D 01 0B 0C" + ff.repeated(12) << "A1*#";
        QTest::newRow("monitor: 0d") << "Text_JT" << 673 << "0d" << "0A 00" + ff.repeated(14) << "0D";
        QTest::newRow("foreign keys dropped") << "Text_SID" << 686 << "1e x2 " << "01 02" + ff.repeated(14) << "12";
        QTest::newRow("17th key dropped") << "Text_tx_Encode_14" << 670 << "1234567890ABCD*#5"
                                          << QByteArray("01 02 03 04 05 06 07 08 09 0A 0D 0E 0F 00 0B 0C")
                                          << "1234567890ABCD*#";
    }
    void typingStoresEveryChange()
    {
        QFETCH(QString, field);
        QFETCH(int, row);
        QFETCH(QString, keys);
        QFETCH(QByteArray, stored);
        QFETCH(QString, shownAfter);
        DtmfWindow d([&] { testImage().fillRows(row, row); });
        QLineEdit* e = d.edit(field);
        d.type(e, keys.left(1));
        QCOMPARE(testImage().at(row, 0), dtmf_code(keys.at(0).unicode()));  // stored at the first key
        QTest::keyClicks(e, keys.mid(1));
        QCOMPARE(rowHex(testImage(), row), stored);
        d.focusAway(d.edit("Text_XC") == e ? d.edit("Text_JT") : d.edit("Text_XC"));
        QCOMPARE(e->text(), shownAfter);
    }

    // Backspace is not accepted; Delete, and selecting then typing, work.
    void editingKeys()
    {
        DtmfWindow d;
        QLineEdit* e = d.edit("Text_tx_Encode_0");  // 20202
        QTest::mouseClick(e, Qt::LeftButton);
        e->setFocus();
        e->end(false);
        QTest::keyClick(e, Qt::Key_Backspace);
        QCOMPARE(e->text(), QString("20202"));
        e->home(false);
        QTest::keyClick(e, Qt::Key_Delete);
        QCOMPARE(e->text(), QString("0202"));
        QCOMPARE(rowHex(testImage(), 656).left(11), QByteArray("0A 02 0A 02"));
        e->end(false);
        QTest::keyClicks(e, "1234567890123");  // the 17th character is dropped
        QCOMPARE(e->text(), QString("0202123456789012"));
        e->setSelection(0, 4);
        QTest::keyClicks(e, "#");  // replaces the selection
        QCOMPARE(e->text(), QString("#123456789012"));
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QCOMPARE(rowHex(testImage(), 656), rowHex(Image(), 0));  // an empty field stores all FF
    }

    // Pasted text longer than the row: the first 16 characters are stored
    // and shown.
    void pasteLongerThanTheRow()
    {
        DtmfWindow d;
        QLineEdit* e = d.edit("Text_KJ");
        d.paste(e, "11112222333344445555");
        QCOMPARE(e->text(), QString("1111222233334444"));
        QCOMPARE(rowHex(testImage(), 677), QByteArray("01 01 01 01 02 02 02 02 03 03 03 03 04 04 04 04"));
    }

    // Show runs when a code field loses the focus: what changed in the image
    // meanwhile appears; foreign bytes in another field stay as they are.
    void showOnLeavingACodeField()
    {
        DtmfWindow d;
        QLineEdit* e = d.edit("Text_MID");
        d.type(e, "9");
        testImage().set(675, 3, 0x20);  // stun: 5 0 5, FF-like gap, then 0x20
        testImage().set(675, 4, 0x07);
        dtmf::set_tx_code(testImage(), 9, u"*9");
        d.focusAway(d.combo("Combo_Enc_ys1"));
        QCOMPARE(d.edit("Text_tx_Encode_8")->text(), QString("*9"));
        QCOMPARE(d.edit("Text_YY")->text(), QString("5057"));
        QCOMPARE(rowHex(testImage(), 675).left(14), QByteArray("05 0A 05 20 07"));
        QCOMPARE(e->text(), QString("606069"));
    }

    void lists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("choice");
        QTest::newRow("on time FF") << "Combo_Enc_ys1" << 671 << 0 << 0xFF << "2000" << 3;
        QTest::newRow("off time 3") << "Combo_Enc_ys2" << 671 << 1 << 3 << "80" << 0;
        QTest::newRow("reset 200") << "Combo_Dec_Res_Time" << 687 << 7 << 200 << "15000" << 0;
    }
    void lists()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        QFETCH(int, byte);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, choice);
        DtmfWindow d([&] { testImage().set(row, byte, uint8_t(stored)); });
        QComboBox* c = d.combo(name);
        QCOMPARE(c->currentText(), shown);
        QCOMPARE(int(testImage().at(row, byte)), stored);  // shown as the last entry, kept
        QTest::keyClicks(c, "1");  // typing is discarded
        QCOMPARE(c->currentText(), shown);
        d.choose(c, choice);
        QCOMPARE(int(testImage().at(row, byte)), choice);
    }

    void groupCallAndSeparator()
    {
        DtmfWindow d([] { testImage().set(687, 5, 5); });  // a code outside the list
        QCOMPARE(d.combo("Combo_Dec_qh")->currentText(), QString("*"));
        QCOMPARE(d.combo("Combo_Dec_Space_Code")->currentText(), QString("5"));
        QTest::keyClicks(d.combo("Combo_Dec_Space_Code"), "#");
        QCOMPARE(d.combo("Combo_Dec_Space_Code")->currentText(), QString("5"));
        d.choose(d.combo("Combo_Dec_qh"), 5);  // "D"
        d.choose(d.combo("Combo_Dec_Space_Code"), 2);  // "A"
        QCOMPARE(int(testImage().at(687, 4)), 0);
        QCOMPARE(int(testImage().at(687, 5)), 13);
        testImage().set(687, 4, 0x30);
        d.w->refresh();
        QCOMPARE(d.combo("Combo_Dec_qh")->currentText(), QString());
        QCOMPARE(int(testImage().at(687, 4)), 0x30);
    }

    void identityControl()
    {
        DtmfWindow d([] { testImage().set(687, 1, 0x83), testImage().set(687, 2, 0xE3); });
        QCheckBox* ctrl = d.check("Check_Ctrl_En");
        QVERIFY(ctrl->isChecked());
        QTest::mouseClick(ctrl, Qt::LeftButton);
        QCOMPARE(int(testImage().at(687, 0)), 0);
        for (const char* name : {"Text_MID", "Text_SID"})
            QVERIFY(!d.find<QWidget>(name)->isEnabled());
        for (int bit = 0; bit < 5; ++bit) {
            QVERIFY(!d.check(QString("Check_M_%1").arg(bit))->isEnabled());
            QVERIFY(!d.check(QString("Check_S_%1").arg(bit))->isEnabled());
        }
        QCOMPARE(int(testImage().at(687, 1)), 0x83);
        QCOMPARE(int(testImage().at(687, 2)), 0xE3);
        d.w->refresh();
        QVERIFY(!d.edit("Text_MID")->isEnabled());
        QTest::mouseClick(ctrl, Qt::LeftButton);
        QCOMPARE(int(testImage().at(687, 0)), 1);
        QVERIFY(d.edit("Text_SID")->isEnabled());
        QVERIFY(d.check("Check_S_4")->isEnabled());
    }

    // A box shows its bit and sets or clears only that bit.
    void rightsAndStateBoxes()
    {
        DtmfWindow d([] { testImage().set(687, 1, 0x83), testImage().set(687, 3, 0xF0); });
        QVERIFY(d.check("Check_M_1")->isChecked());
        QVERIFY(!d.check("Check_M_2")->isChecked());
        QTest::mouseClick(d.check("Check_M_3"), Qt::LeftButton);  // kill
        QCOMPARE(int(testImage().at(687, 1)), 0x8B);
        QTest::mouseClick(d.check("Check_Tx"), Qt::LeftButton);
        QCOMPARE(int(testImage().at(687, 3)), 0xF2);
    }

    void defaultButton()
    {
        DtmfWindow d([] { testImage().fillRows(656, 687, 0x00); });
        d.type(d.edit("Text_tx_Encode_2"), "123");
        d.clickButton("Command_def");
        QCOMPARE(d.edit("Text_tx_Encode_0")->text(), QString("20202"));
        QCOMPARE(d.edit("Text_tx_Encode_2")->text(), QString());
        QCOMPARE(d.edit("Text_tx_Encode_14")->text(), QString("30303"));
        QCOMPARE(d.edit("Text_YB")->text(), QString("666"));
        QCOMPARE(d.combo("Combo_Enc_ys1")->currentText(), QString("80"));
        QCOMPARE(d.combo("Combo_Dec_Res_Time")->currentText(), QString("8000"));
        QCOMPARE(d.combo("Combo_Dec_Space_Code")->currentText(), QString("#"));
        QVERIFY(d.check("Check_M_4")->isChecked());
        QVERIFY(!d.check("Check_S_2")->isChecked());
        Image expected = filledImage(0x00);
        lay_startup_defaults(expected);
        for (int r = 656; r <= 687; ++r)
            QCOMPARE(rowHex(testImage(), r), rowHex(expected, r));
        QVERIFY(d.prompts.all.isEmpty());
    }

    // Every row is its control: the control exists, its label (a check box's
    // own text) shows the row's label, a list holds the row's entries and
    // Default lays the row's default, every control shows its row's value,
    // and the bytes lie in the region. The rights boxes are captioned by the
    // headings above them.
    void everyRowIsItsControl_data() { addLanguages(); }
    void everyRowIsItsControl()
    {
        QFETCH(bool, inChinese);
        DtmfWindow d({.prepare = [] { testImage().fillRows(656, 687, 0x00); }, .chinese = inChinese});
        d.clickButton("Command_def");
        const RecordView r = dtmf::view(testImage());
        RowKeys keys;
        HeldBytes bytes;
        QSet<QString> controls;
        for (const Setting& s : dtmf::kSettings) {
            keys.add(s);
            QVERIFY2(!controls.contains(QLatin1String(s.control)), s.control);
            controls << QLatin1String(s.control);
            const int held = heldBytes(s, s.text == &dtmf::kCodeText ? dtmf::kCodeLength : 1);
            bytes.add(s, held);
            QVERIFY2(s.byte >= 0 && s.byte + held <= dtmf::kRegion.count() * 16, s.key);
            switch (s.kind) {
            case SettingKind::List: {
                QComboBox* combo = d.combo(s.control);
                QCOMPARE(combo->count(), s.list->count());
                QCOMPARE(combo->itemText(combo->count() - 1), s.list->entries(inChinese).last());
                QVERIFY2(s.fallback >= 0 && s.fallback < s.list->count(), s.key);
                QCOMPARE(s.position(r), s.fallback);
                QCOMPARE(combo->currentIndex(), s.fallback);
                break;
            }
            case SettingKind::OnOff: {
                const bool right = QByteArray(s.control).startsWith("Check_M_") || QByteArray(s.control).startsWith("Check_S_");
                QCOMPARE(d.check(s.control)->text(), right ? QString() : s.label.in(inChinese));
                QCOMPARE(d.check(s.control)->isChecked(), s.on(r));
                QVERIFY2(s.bit < 8, s.key);
                break;
            }
            case SettingKind::Text:
                QVERIFY2(s.text, s.key);
                if (auto* field = d.w->findChild<QLineEdit*>(s.control))  // a code field; else a character list
                    QCOMPARE(field->text(), s.value(r));
                else
                    QCOMPARE(d.combo(s.control)->currentText(), s.value(r));
                break;
            }
            if (s.labelControl)
                QCOMPARE(d.find<QLabel>(s.labelControl)->text(), s.label.in(inChinese));
        }
        checkKeys(keys);
        bytes.check();
    }

    // Stored bytes outside every range: the window opens, shows what it can
    // and changes only what Show stores back.
    void badImages_data() { addBadImages(); }
    void badImages()
    {
        QFETCH(int, fill);
        const Image bad = filledImage(fill < 0 ? -1 : fill, quint32(-fill));
        const Image expected = bad;  // showing stores nothing
        const dtmf::Settings shown = dtmf::decode(bad);
        DtmfWindow d([&] { testImage() = bad; });
        QVERIFY(testImage() == expected);
        for (int i = 0; i < 15; ++i)
            QCOMPARE(d.edit(QString("Text_tx_Encode_%1").arg(i))->text(), shown.txCodes[size_t(i)]);
        QCOMPARE(d.combo("Combo_Enc_ys2")->currentIndex(), shown.offTime);
        QCOMPARE(d.combo("Combo_Dec_qh")->currentText(), shown.groupCall);
        QCOMPARE(d.edit("Text_MID")->isEnabled(), shown.control);
        d.w->refresh();
        QVERIFY(testImage() == expected);
        QVERIFY(d.prompts.all.isEmpty());
    }
};

QTEST_MAIN(TstFrmDtmf)
#include "tst_frm_dtmf.moc"
