// The optional-features editor: captions and layout, what opening stores,
// lists, check boxes, message and code fields, the ANI check, Default and
// the busy rule, driven by real mouse and key events.
#include "editor_window.h"
#include "test_document.h"

#include "editors/options/frm_option.h"
#include "editors/options/vfo_panel.h"

#include "radio_rig.h"

#include "app/mdimain.h"
#include "app/startup.h"
#include "app/windows.h"
#include "image/codecs.h"
#include "ui/shell.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

using namespace vx;
using namespace vx::options;
using namespace vx::test;

namespace {

using OptionWindow = EditorWindow<frm_option>;

// Band A 136..174 MHz and band B 400..520 MHz, the limits the VFO tests are
// written against.
EditorSetup setup(std::function<void()> prepare = {}, bool chinese = false)
{
    return {.prepare = std::move(prepare), .chinese = chinese, .limits = {136, 174, 400, 520}};
}

PromptRecord operatePrompt(const char* text) { return {"Operate Prompt", PromptIcon::Warning, QString::fromUtf8(text)}; }

}  // namespace

class TstFrmOption : public QObject {
    Q_OBJECT
private slots:
    void captionsAndLayout()
    {
        {
            OptionWindow ow(setup());
            QCOMPARE(ow.w->windowTitle(), QString("Optional Features"));
            QCOMPARE(ow.find<QLabel>("Label_Tot")->text(), QString("Time Out Timer(TOT)[S]"));
            QCOMPARE(ow.find<QCheckBox>("Check_chann_Mode")->text(), QString("channel  mode "));
            QCOMPARE(ow.w->panel(Vfo::B)->title(), QString("B Band Frequency Mode"));
            QCOMPARE(ow.combo("Combo_offset_b")->count(), 2000);
            QCOMPARE(ow.combo("Combo_r_ctdcs_a")->itemText(0), QString("OFF"));
            // Buttons 1100 and the progress row 1700 twips above the bottom.
            const int bottom = ow.w->frameGeometry().height();
            QCOMPARE(ow.button("Command_def")->y(), bottom - 1100 / 15);
            QCOMPARE(ow.bar()->y(), bottom - 1700 / 15);
            QVERIFY(ow.bar()->isHidden());
            for (QWidget* c : ow.w->findChildren<QWidget*>())
                if (c->isVisible() && c->parentWidget() && c->parentWidget()->objectName() == "OptionSettings")
                    QVERIFY2(c->geometry().bottom() < ow.bar()->y(), qPrintable(c->objectName()));
        }
        OptionWindow zh(setup({}, true));
        QCOMPARE(zh.w->windowTitle(), QString("可选参数编辑"));
        QCOMPARE(zh.w->panel(Vfo::A)->title(), QString("Ａ段频率模式"));
        QCOMPARE(zh.button("Command_write")->text(), QString("写  入"));
        QCOMPARE(zh.find<QLabel>("Label_Tot")->text(), QString("发射超时定时器（秒）"));
        QCOMPARE(zh.combo("Combo_Spmute_a")->itemText(2), QString("哑音或可选信令"));
        QCOMPARE(zh.combo("Combo_t_ctdcs_b")->itemText(0), QString("关"));
    }

    // Opening on bad images: the window shows what the rules say and stores
    // nothing (a refresh once stored list values, offsets and messages back,
    // so a radio's bytes changed as soon as they were shown).
    void openingStoresNothing_data()
    {
        QTest::addColumn<int>("seed");  // -1: all 0xFF, -2: all 0x00
        QTest::newRow("all FF") << -1;
        QTest::newRow("all 00") << -2;
        for (int seed : {1, 2, 3, 4, 5, 6, 7, 8})
            QTest::newRow(qPrintable(QString("random %1").arg(seed))) << seed;
    }
    void openingStoresNothing()
    {
        QFETCH(int, seed);
        Image before;
        OptionWindow ow(setup([&] {
            if (seed == -2)
                testImage().fillRows(224, 255, 0x00);
            else if (seed >= 0) {
                QRandomGenerator random{quint32(seed)};
                for (int r = 224; r <= 255; ++r)
                    for (int b = 0; b < 16; ++b)
                        testImage().set(r, b, uint8_t(random.bounded(256)));
            } else {
                testImage().fillRows(224, 255);
            }
            before = testImage();
        }));
        for (int r = 0; r < Image::kRows; ++r)
            QVERIFY2(std::ranges::equal(testImage().row(r), before.row(r)), qPrintable(QString("row %1: %2").arg(r).arg(ow.rowHex(r).constData())));
        QVERIFY(ow.prompts.all.isEmpty());
        if (seed == -1) {
            QCOMPARE(ow.combo("Combo_Pri_Ch")->currentText(), QString("CH-199"));
            QCOMPARE(ow.combo("Combo_tot")->currentText(), QString("600"));
            for (const vx::Setting& c : kSettings)
                if (c.kind == SettingKind::OnOff)
                    QVERIFY(ow.find<QCheckBox>(c.control)->isChecked());
            QCOMPARE(ow.edit("Text_Freq_a")->text(), QString("."));  // as stored
            QCOMPARE(ow.combo("Combo_Band_A")->currentText(), QString("UHF"));
            QCOMPARE(ow.combo("Combo_Offset_A")->currentText(), QString("99.950MHZ"));
            QCOMPARE(ow.combo("Combo_r_ctdcs_a")->currentText(), QString("OFF"));
            QCOMPARE(ow.edit("Text_ANI")->text(), QString());
        }
        ow.w->refresh();
        QVERIFY(testImage() == before);
    }

    // The defaults as start-up leaves them show the factory settings.
    void defaultsShown()
    {
        OptionWindow ow(setup());
        QCOMPARE(ow.combo("Combo_Sql_le")->currentText(), QString("5"));
        QCOMPARE(ow.edit("Text_PON_MSG_U")->text(), QString("WELCOM"));
        QCOMPARE(ow.edit("Text_ANI")->text(), QString("8D8D8"));
        QCOMPARE(ow.edit("Text_Freq_a")->text(), QString("136.02500"));
        QCOMPARE(ow.edit("Text_Range_A")->text(), QString("136 - 174.9950"));
        QCOMPARE(ow.combo("Combo_Offset_A")->currentText(), QString("10.650MHZ"));
        // The offset shows its nearest entry and stays as stored (showing it
        // once stored 010650 over the default 010655).
        QCOMPARE(ow.rowHex(240), QByteArray("01 03 06 00 02 05 00 00 00 01 00 06 05 05 00 00"));
    }

    // Start-up lays the defaults on a fresh working copy (bytes without a
    // default become 0) and opens the editor on them.
    void startUp()
    {
        CapturedPrompts prompts;
        FakePorts ports(std::set<int>{});
        qApp->setQuitOnLastWindowClosed(false);
        working_copy() = OptionBlock();
        testImage().fillRows(224, 243, 0x5A);
        registerWindows();
        MDImain main(testDocument());
        runStartup(main);
        QCOMPARE(shell::openWindowNames(), QStringList{"frm_option"});
        auto* w = qobject_cast<frm_option*>(shell::findWindow("frm_option"));
        QVERIFY(w && w->isVisible());
        Image expected;
        OptionBlock fresh;
        lay_down_defaults(expected, fresh);
        for (int r = 224; r <= 243; ++r)
            QVERIFY2(std::ranges::equal(testImage().row(r), expected.row(r)), qPrintable(QString::number(r)));
        QCOMPARE(testImage().at(224, 4), uint8_t(0));
        QCOMPARE(w->findChild<QLineEdit*>("Text_PON_MSG_D")->text(), QString("QX-270"));
        shell::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Every row stands for one control of the window, captioned with its
    // label, stored within the option block, with a default its list has,
    // under a key of its own that no earlier key of another row can reach.
    void everyRowIsItsControl()
    {
        OptionWindow ow(setup());
        QSet<QString> keys, controls;
        const QRegularExpression frozen("^[a-z][a-z0-9_]*$");
        for (const vx::Setting& s : kSettings) {
            const QString key = QLatin1String(s.key);
            QVERIFY2(frozen.match(key).hasMatch(), s.key);
            QVERIFY2(!keys.contains(key), s.key);
            keys << key;
            QVERIFY2(!controls.contains(QLatin1String(s.control)), s.control);
            controls << QLatin1String(s.control);
            QVERIFY2(s.byte >= 0 && s.byte < kBlockSize, s.key);
            switch (s.kind) {
            case SettingKind::List:
                QVERIFY2(s.list && (s.fallback == kNoDefault || (s.fallback >= 0 && s.fallback < s.list->count())), s.key);
                QCOMPARE(ow.combo(s.control)->count(), s.list->count());
                break;
            case SettingKind::OnOff:
                QCOMPARE(ow.check(s.control)->text(), s.label.str());
                QVERIFY2(s.bit < 8, s.key);
                break;
            case SettingKind::Text:
                QVERIFY2(s.text && s.byte + (s.text == &kMessageText ? kMessageCells : 16) <= kBlockSize, s.key);
                ow.edit(s.control);
                break;
            }
            if (s.labelControl)
                QCOMPARE(ow.find<QLabel>(s.labelControl)->text(), s.label.str());
        }
        for (const vx::Setting& s : kSettings)
            if (s.oldKey)
                for (const vx::Setting& other : kSettings)
                    QVERIFY2(&other == &s || QString::fromLatin1(s.oldKey).compare(QLatin1String(other.key), Qt::CaseInsensitive) != 0,
                             s.oldKey);
    }

    // Two radios in one process: each editor edits its own document, and the
    // other document neither changes nor records anything.
    void twoEditorsOnTwoDocuments()
    {
        RadioDocument radioA;
        RadioDocument radioB;
        EditorSetup a = setup();
        a.doc = &radioA;
        EditorSetup b = setup();
        b.doc = &radioB;
        OptionWindow first(a);
        OptionWindow second(b);
        const Image startB = radioB.image();
        first.choose(first.combo("Combo_Sql_le"), 3);
        QCOMPARE(radioA.image().at(224, 2), uint8_t(3));
        QVERIFY(radioB.image() == startB);
        QVERIFY(radioB.record().empty());
        second.choose(second.combo("Combo_Sql_le"), 8);
        second.choose(second.combo("Combo_tot"), 1);
        QCOMPARE(radioB.image().at(224, 2), uint8_t(8));
        QCOMPARE(radioB.image().at(224, 5), uint8_t(1));
        QCOMPARE(radioA.image().at(224, 2), uint8_t(3));
        QCOMPARE(radioA.image().at(224, 5), uint8_t(5));
        QCOMPARE(first.combo("Combo_Sql_le")->currentText(), QString("3"));
        QCOMPARE(second.combo("Combo_Sql_le")->currentText(), QString("8"));
        // Each choice one edit named by the window and the setting's label.
        QCOMPARE(radioA.record().back().name.en, QString("Optional Features Squelch Level"));
        QCOMPARE(radioB.record().back().name.en, QString("Optional Features Time Out Timer(TOT)[S]"));
        QCOMPARE(int(radioB.record().back().rows.size()), 1);
        QCOMPARE(radioB.record().back().rows[0].row, 224);
    }

    void listsAndChecks()
    {
        OptionWindow ow(setup());
        QComboBox* sql = ow.combo("Combo_Sql_le");
        testImage().set(236, 14, 0x66);  // changed since the last refresh: kept
        QTest::keyClicks(sql, "8");     // typed keys are discarded
        QCOMPARE(sql->currentIndex(), 5);
        QTest::keyClick(sql, Qt::Key_Down);
        QCOMPARE(sql->currentText(), QString("6"));
        QCOMPARE(testImage().at(224, 2), uint8_t(6));
        QCOMPARE(testImage().at(236, 14), uint8_t(0x66));

        QCheckBox* vfoMr = ow.find<QCheckBox>("Check_VFO_MR_SW");
        QVERIFY(vfoMr->isChecked());
        const QPoint box(6, vfoMr->height() / 2);
        QTest::mouseClick(vfoMr, Qt::LeftButton, {}, box);
        QCOMPARE(testImage().at(232, 4), uint8_t(0xF7));
        QTest::mouseClick(ow.find<QCheckBox>("Check_chann_Mode"), Qt::LeftButton, {}, box);
        QCOMPARE(testImage().at(232, 1), uint8_t(1));
    }

    void messageLines_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shownWhileTyping");
        QTest::addColumn<QString>("shownAfter");
        QTest::addColumn<QByteArray>("cells");
        QTest::addColumn<QByteArray>("cellsAfter");
        QTest::newRow("centred") << "abc" << "abc" << "ABC" << QByteArray("20 41 42 43 20 20") << QByteArray("20 41 42 43 20 20");
        QTest::newRow("space joined") << "a b" << "a b" << "AB" << QByteArray("20 41 0B 42 20 20") << QByteArray("20 20 41 42 20 20");
        QTest::newRow("seven kept while typing") << "ABCDEFGHIJ" << "ABCDEFG" << "ABCDEF" << QByteArray("41 42 43 44 45 46")
                                                 << QByteArray("41 42 43 44 45 46");
        QTest::newRow("no code") << "x*" << "x*" << "X" << QByteArray("20 20 58 0B 20 20") << QByteArray("20 20 58 20 20 20");
        // Once kept its code-11 cells where spaces belong.
        QTest::newRow("nothing with a code") << "**" << "**" << "" << QByteArray("20 20 0B 0B 20 20") << QByteArray("20 20 20 20 20 20");
    }
    void messageLines()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shownWhileTyping);
        QFETCH(QString, shownAfter);
        QFETCH(QByteArray, cells);
        QFETCH(QByteArray, cellsAfter);
        OptionWindow ow(setup());
        QLineEdit* line = ow.edit("Text_PON_MSG_D");
        ow.retype(line, typed);
        QCOMPARE(line->text(), shownWhileTyping);
        QCOMPARE(ow.rowHex(236).mid(18, 17), cells);  // stored at every change
        ow.leave();
        QCOMPARE(line->text(), shownAfter);
        QCOMPARE(ow.rowHex(236).mid(18, 17), cellsAfter);  // stored again from what it shows
        QCOMPARE(ow.rowHex(236).mid(0, 17), QByteArray("57 45 4C 43 4F 4D"));  // the other line kept
    }

    // Pasted text passes the same key rules as typed text.
    void pastedText()
    {
        OptionWindow ow(setup());
        QLineEdit* line = ow.edit("Text_PON_MSG_U");
        ow.paste(line, "123456789012");
        QCOMPARE(line->text(), QString("1234567"));
        QLineEdit* code = ow.edit("Text_PttId_End");
        ow.paste(code, "12345678901234567890");
        QCOMPARE(code->text(), QString("1234567890123456"));
        QCOMPARE(ow.rowHex(239), QByteArray("01 02 03 04 05 06 07 08 09 0A 01 02 03 04 05 06"));
        QLineEdit* f = ow.edit("Text_Freq_a");
        ow.paste(f, "1a4b5.x1");
        QCOMPARE(f->text(), QString("145.1"));
        QVERIFY(ow.prompts.all.isEmpty());
    }

    void codeFields()
    {
        OptionWindow ow(setup());
        QLineEdit* begin = ow.edit("Text_PttId_Begin");
        ow.retype(begin, "1x2#");
        QCOMPARE(ow.rowHex(238), QByteArray("01 FF 02 0C FF FF FF FF FF FF FF FF FF FF FF FF"));
        ow.w->refresh();  // showing stores nothing
        QCOMPARE(begin->text(), QString("12#"));
        QCOMPARE(ow.rowHex(238), QByteArray("01 FF 02 0C FF FF FF FF FF FF FF FF FF FF FF FF"));
        ow.leave();  // leaving what was typed: the byte without a character goes, the rest moves up
        QCOMPARE(begin->text(), QString("12#"));
        QCOMPARE(ow.rowHex(238), QByteArray("01 02 0C FF FF FF FF FF FF FF FF FF FF FF FF FF"));
        ow.retype(begin, "12345678901234567890");
        QCOMPARE(begin->text().size(), 16);
        QTest::keyClick(begin, Qt::Key_Backspace);  // deleting is never refused
        QCOMPARE(begin->text().size(), 15);
    }

    void aniCheck_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");  // empty: passes
        const QString length = "ANI ID code length is 3 to 5 digit.";
        const QString range = " Available ANI ID code from 00000 to 99999. ";
        QTest::newRow("1234") << "1234" << "";
        QTest::newRow("12") << "12" << length;
        QTest::newRow("123456") << "123456" << length;
        QTest::newRow("A12") << "A12" << range;
        QTest::newRow("*12") << "*12" << range;
        QTest::newRow("1A2 passes as a string") << "1A2" << "";
        QTest::newRow("12# passes as a string") << "12#" << "";
        QTest::newRow("spaces trimmed") << " 123 " << "";
    }
    void aniCheck()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        OptionWindow ow(setup());
        QLineEdit* ani = ow.edit("Text_ANI");
        ow.retype(ow.edit("Text_ANI"), typed);
        ow.leave();
        const QByteArray stored = ow.rowHex(237);
        if (message.isEmpty()) {
            QVERIFY(ow.prompts.all.isEmpty());
            QVERIFY(!ani->hasFocus());
        } else {
            QCOMPARE(ow.prompts.all, QList<PromptRecord>{operatePrompt(message.toUtf8())});
            QTRY_VERIFY(ani->hasFocus());
            QCOMPARE(ani->text(), typed);
        }
        QCOMPARE(ow.rowHex(237), stored);  // the check stores nothing
    }

    // A DCS index past 210 shows its bytes with no entry chosen and keeps
    // them until an entry is chosen.
    void unlistedTone()
    {
        OptionWindow ow(setup([] { testImage().set(241, 2, 0xD3), testImage().set(241, 3, 0x00); }));
        QComboBox* tx = ow.combo("Combo_t_ctdcs_a");
        QCOMPARE(tx->currentIndex(), -1);
        QCOMPARE(tx->placeholderText(), QString("D3 00"));
        QCOMPARE(ow.rowHex(241).left(11), QByteArray("00 00 D3 00"));
        QTest::keyClick(tx, Qt::Key_Down);
        QCOMPARE(tx->currentIndex(), 0);
        QCOMPARE(ow.rowHex(241).left(11), QByteArray("00 00 00 00"));
    }

    void defaultAndBusy()
    {
        OptionWindow ow(setup());
        ow.retype(ow.edit("Text_ANI"), "999");
        QTest::keyClick(ow.combo("Combo_Sql_le"), Qt::Key_Up);
        ow.prompts.clear();
        ScriptRadio radio(ow.clock, *ow.port);
        QTest::mouseClick(ow.button("Command_read"), Qt::LeftButton);
        ow.clock.advance(30);
        QVERIFY(ow.w->busy());
        const Image during = testImage();
        QTest::mouseClick(ow.button("Command_def"), Qt::LeftButton);
        QCOMPARE(ow.prompts.texts(), QStringList{"Read-write operating with transceiver ."});
        QVERIFY(testImage() == during);
        ow.w->session().abandon();
        ow.label()->setText("x");

        QTest::mouseClick(ow.button("Command_def"), Qt::LeftButton);
        QCOMPARE(ow.edit("Text_ANI")->text(), QString("8D8D8"));
        QCOMPARE(ow.combo("Combo_Sql_le")->currentText(), QString("5"));
        QVERIFY(ow.bar()->isHidden());
        QCOMPARE(ow.label()->text(), QString());
    }

    // Reading shows "Reading 3" .. "Reading 9" with the bar in ninths;
    // writing "Writing  1" .. "Writing  31" with the bar in 32nds.
    void progress()
    {
        OptionWindow ow(setup());
        ScriptRadio radio(ow.clock, *ow.port);
        QStringList labels;
        QList<int> bars;
        radio.answer = [&](const QByteArray& p) {
            if (ScriptRadio::kindOf(p) == 'S' || ScriptRadio::kindOf(p) == 'X')
                labels << ow.label()->text(), bars << ow.bar()->value();
            return radio.radio(p);
        };
        QTest::mouseClick(ow.button("Command_read"), Qt::LeftButton);
        QVERIFY(ow.clock.runUntil([&] { return !ow.prompts.all.isEmpty(); }));
        QCOMPARE(labels.size(), 8);
        for (int n = 3; n <= 9; ++n) {
            QCOMPARE(labels[n - 2], QString("Reading %1 Data Block").arg(n));
            QCOMPARE(bars[n - 2], n * 100 / 9);
        }
        QCOMPARE(ow.bar()->value(), 100);
        labels.clear(), bars.clear(), ow.prompts.clear();
        QTest::mouseClick(ow.button("Command_write"), Qt::LeftButton);
        QVERIFY(ow.clock.runUntil([&] { return !ow.prompts.all.isEmpty(); }));
        QCOMPARE(labels.size(), 32);
        for (int n = 1; n <= 31; ++n) {
            QCOMPARE(labels[n], QString("Writing  %1  Data Block").arg(n));
            QCOMPARE(bars[n], n * 100 / 32);
        }
        QCOMPARE(ow.label()->text(), QString("Complete writing optional parameters "));
    }
};

QTEST_MAIN(TstFrmOption)
#include "tst_frm_option.moc"
