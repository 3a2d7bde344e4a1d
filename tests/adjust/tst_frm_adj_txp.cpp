// The adjustment editor driven with real mouse and key events: pages and
// captions, number-box validation, the settings lists, the range page with
// its checks and focus return, Default, and when it shows the table again.
#include "editor_window.h"
#include "test_document.h"

#include "editors/adjust/frm_adj_txp.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QTabBar>

using namespace vx;
using namespace vx::test;

namespace {

using AdjWindow = EditorWindow<frm_Adj_Txp>;

QTabBar* tabs(const AdjWindow& a) { return a.find<QTabBar>("TabStrip1"); }
void tab(AdjWindow& a, int page) { QTest::mouseClick(tabs(a), Qt::LeftButton, {}, tabs(a)->tabRect(page).center()); }

PromptRecord info(const QString& text) { return {"操作提示", PromptIcon::Information, text}; }

}  // namespace

class TstFrmAdjTxp : public QObject {
    Q_OBJECT
private slots:
    void init() { adjust::load_defaults(table()); }

    void opensOnTheSquelchPage()
    {
        AdjWindow a;
        QCOMPARE(a.w->windowTitle(), QString("Other "));
        QCOMPARE(a.w->page(), frm_Adj_Txp::Squelch);
        QCOMPARE(tabs(a)->currentIndex(), 2);
        QVERIFY(a.find<QGroupBox>("Frame_Sql")->isVisible());
        QVERIFY(!a.find<QGroupBox>("Frame_Frame")->isVisible());
        const QStringList levels{"38", "26", "27", "28", "29", "30", "32", "35", "38", "40"};
        const QStringList offsets{"0", "0", "0", "1", "2", "3", "3", "3", "2", "1", "0", "0", "0", "0", "0", "0"};
        for (int i = 0; i < 16; ++i) {
            if (i < 10)
                QCOMPARE(a.edit(QString("Text_SQ_VHF_%1").arg(i))->text(), levels[i]);
            QCOMPARE(a.edit(QString("Text_Sq_Offset_VHF_%1").arg(i))->text(), offsets[i]);
        }
        QCOMPARE(a.text("Command_write"), QString("Write"));
        QCOMPARE(a.find<QComboBox>("Combo_TXP_Temp")->count(), 256);
        QCOMPARE(a.find<QComboBox>("Combo_Voice_Dev")->itemText(1), QString(" 1"));
        QVERIFY(a.prompts.all.isEmpty());
    }

    // Tab changes caption the window by the page, in Chinese in both
    // languages; the power boxes show the page's rows without a message.
    void tabsCaptionAndFill()
    {
        AdjWindow a;
        tab(a, 1);
        QCOMPARE(a.w->windowTitle(), QString("发射功率调整（低功率）"));
        QCOMPARE(a.find<QGroupBox>("Frame_Frame")->title(), QString("发射功率调整（低功率）"));
        QCOMPARE(a.edit("Text1_0")->text(), QString("6"));
        QCOMPARE(a.edit("Text2_15")->text(), QString("5"));
        QVERIFY(a.edit("Text1_0")->isVisible());
        QVERIFY(a.edit("Text2_16")->isHidden());
        QCOMPARE(a.find<QLabel>("Label_Txp_VHF_1")->text(), QString("134MHZ"));
        tab(a, 0);
        QCOMPARE(a.edit("Text1_0")->text(), QString("12"));
        tab(a, 4);
        QCOMPARE(a.w->windowTitle(), QString("频率范围"));
        QCOMPARE(a.edit("Text_Freq_H_1")->text(), QString(" 480"));
        QVERIFY(a.prompts.all.isEmpty());
        QVERIFY(table() == adjust::default_table());
    }

    void numberBoxes_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");  // empty: stored
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        const char* k255 = " 输入数字范围为 0 - 255 ！";
        const char* k100 = " 输入数字范围为 0 - 100 ！";
        const char* k15 = " 输入数字范围为 0 - 15 ！";
        const char* k10 = " 输入数字范围为 0 - 10 ！";
        QTest::newRow("Text1 page 1: 12") << 1 << "Text1_0" << "12" << "" << 2 << 0 << 12;
        QTest::newRow("Text1 page 1: 16") << 1 << "Text1_0" << "16" << k15 << 2 << 0 << 6;
        QTest::newRow("Text1 letter") << 0 << "Text1_3" << "1a" << k255 << 0 << 3 << 13;
        QTest::newRow("Text2 sign") << 0 << "Text2_0" << "-1" << k15 << 1 << 0 << 12;
        QTest::newRow("Text2 page 1: 15") << 1 << "Text2_15" << "15" << "" << 3 << 15 << 15;
        QTest::newRow("SQ_VHF letter") << 2 << "Text_SQ_VHF_0" << "x" << k255 << 4 << 0 << 38;
        QTest::newRow("SQ_VHF 101") << 2 << "Text_SQ_VHF_9" << "101" << k100 << 4 << 9 << 40;
        QTest::newRow("SQ_UHF inner space") << 2 << "Text_SQ_UHF_9" << "9 9" << k100 << 6 << 9 << 35;
        QTest::newRow("SQ_UHF 100") << 2 << "Text_SQ_UHF_1" << "100" << "" << 6 << 1 << 100;
        QTest::newRow("Offset_VHF 11") << 2 << "Text_Sq_Offset_VHF_4" << "11" << k10 << 5 << 4 << 2;
        QTest::newRow("Offset_UHF spaces") << 2 << "Text_Sq_Offset_UHF_3" << " 7 " << "" << 7 << 3 << 7;
        QTest::newRow("Offset_UHF huge") << 2 << "Text_Sq_Offset_UHF_0" << "99999999999999" << k10 << 7 << 0 << 5;
    }
    void numberBoxes()
    {
        QFETCH(int, page);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, row);
        QFETCH(int, byte);
        QFETCH(int, value);
        AdjWindow a;
        tab(a, page);
        QLineEdit* edit = a.edit(box);
        a.paste(edit, text);
        QCOMPARE(a.prompts.all, message.isEmpty() ? QList<PromptRecord>{} : QList<PromptRecord>{info(message)});
        QCOMPARE(int(table().at(row, byte)), value);
        if (!message.isEmpty())
            QCOMPARE(edit->text(), QString::number(value));
        adjust::Table rest = table();
        rest.set(row, byte, adjust::default_table().at(row, byte));
        QVERIFY(rest == adjust::default_table());
    }

    // Key by key every change is checked: "1" is stored, "16" is refused and
    // the 1 put back.
    void typedKeyByKey()
    {
        AdjWindow a;
        tab(a, 1);
        a.retype(a.edit("Text1_0"), "16");
        QCOMPARE(a.prompts.texts(), QStringList{QString::fromUtf8(" 输入数字范围为 0 - 15 ！")});
        QCOMPARE(a.edit("Text1_0")->text(), QString("1"));
        QCOMPARE(int(table().at(2, 0)), 1);
    }

    void settingsLists()
    {
        AdjWindow a;
        table().set(adjust::Settings, 1, 0);
        table().set(adjust::Settings, 11, 200);
        table().set(adjust::Settings, 3, 99);  // past the end of its list
        tab(a, 3);
        auto* ct = a.find<QComboBox>("Combo_CT_Dev");
        QCOMPARE(ct->currentText(), QString(" 0"));
        QCOMPARE(a.find<QComboBox>("Combo_TXP_Temp")->currentText(), QString(" 200"));
        QCOMPARE(a.find<QComboBox>("Combo_Wide_C")->currentIndex(), -1);
        QCOMPARE(int(table().at(adjust::Settings, 3)), 99);
        QTest::keyClicks(ct, "5");  // typing is ignored
        QCOMPARE(int(table().at(adjust::Settings, 1)), 0);
        ct->showPopup();
        QAbstractItemView* list = ct->view();
        const QModelIndex entry = list->model()->index(21, 0);
        list->scrollTo(entry);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
        QCOMPARE(int(table().at(adjust::Settings, 1)), 21);
    }

    void rangeLimits()
    {
        AdjWindow a;
        tab(a, 4);
        a.retype(a.edit("Text_Freq_L_0"), "140");
        QTest::keyClick(a.edit("Text_Freq_L_0"), Qt::Key_Tab);
        a.retype(a.edit("Text_Freq_H_0"), "170");
        QTest::mouseClick(a.edit("Text_Freq_L_1"), Qt::LeftButton);
        QVERIFY(a.prompts.all.isEmpty());
        QCOMPARE(QList<int>({table().at(9, 0), table().at(9, 1), table().at(9, 2), table().at(9, 3), table().at(9, 4),
                             table().at(9, 5)}),
                 QList<int>({1, 4, 0, 1, 7, 0}));
        QCOMPARE(a.edit("Text_Freq_L_0")->text(), QString(" 140"));
        // A fifth character is not taken.
        a.retype(a.edit("Text_Freq_L_1"), "4000");
        QTest::keyClicks(a.edit("Text_Freq_L_1"), "5");
        QCOMPARE(a.edit("Text_Freq_L_1")->text(), QString("4000"));
        // The check boxes store nothing.
        const adjust::Table before = table();
        QTest::mouseClick(a.find<QCheckBox>("Check_Tx_0"), Qt::LeftButton);
        QVERIFY(table() == before);
    }

    void rangeMessages_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("restored");
        QTest::newRow("A lower 129") << "Text_Freq_L_0" << "129"
                                     << "Receive frequency of lower limit can't less than the lowest of work frequency. " << " 130";
        QTest::newRow("A lower over upper") << "Text_Freq_L_0" << "180"
                                            << "Receive frequency of lower limit can't more than receive frequency of upper limit."
                                            << " 130";
        QTest::newRow("A upper 180") << "Text_Freq_H_0" << "180"
                                     << "Receive frequency of upper limit can't more than the highest of work frequency. " << " 179";
        QTest::newRow("B upper under lower") << "Text_Freq_H_1" << "39"
                                             << "Receive frequency of upper limit can't less than receive frequency of lower limit."
                                             << " 520";
        QTest::newRow("B lower words") << "Text_Freq_L_1" << "abc"
                                       << "Receive frequency of lower limit can't less than the lowest of work frequency. " << " 400";
    }
    void rangeMessages()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, restored);
        AdjWindow a;
        tab(a, 4);
        QLineEdit* edit = a.edit(box);
        a.retype(edit, typed);
        QTest::mouseClick(a.edit(box.endsWith("_0") ? "Text_Freq_L_1" : "Text_Freq_L_0"), Qt::LeftButton);
        QCOMPARE(a.prompts.all, (QList<PromptRecord>{{"Operate Prompt", PromptIcon::Warning, message}}));
        QCOMPARE(edit->text(), restored);
        QVERIFY(edit->hasFocus());
        QVERIFY(table() == adjust::default_table());
    }

    // Default lays the factory table and shows it; the focus refreshes, an
    // activation does not.
    // Regression: the Close refusal read "... the window. ," with a space
    // before the comma.
    void closeWhileBusy()
    {
        setPortNumber(1);
        AdjWindow a;
        a.clickButton("Command_read");
        QVERIFY(a.w->busy());
        a.clickButton("Command_close");
        QCOMPARE(a.prompts.all, (QList<PromptRecord>{{"Operate prompt", PromptIcon::Warning, "Read-write operating，don't close the window.,"}}));
        QVERIFY(a.w->isVisible());
    }

    void defaultAndRefreshes()
    {
        AdjWindow a;
        a.retype(a.edit("Text_SQ_UHF_0"), "77");
        table().set(adjust::SquelchA, 0, 55);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(a.w.get(), &activate);
        QCOMPARE(a.edit("Text_SQ_VHF_0")->text(), QString("38"));
        QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(a.w.get(), &focus);
        QCOMPARE(a.edit("Text_SQ_VHF_0")->text(), QString("55"));
        a.clickButton("Command_def");
        QVERIFY(table() == adjust::default_table());
        QCOMPARE(a.edit("Text_SQ_UHF_0")->text(), QString("38"));
        QCOMPARE(a.label()->text(), QString());
        QVERIFY(a.prompts.all.isEmpty());
    }
};

QTEST_MAIN(TstFrmAdjTxp)
#include "tst_frm_adj_txp.moc"
