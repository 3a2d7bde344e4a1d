// The VFO panels: the frequency key filter, the over-long text, frequency
// entry against the VFO limits, band change, the limits following the band
// limits, tones and offsets, driven by real key and focus events.
#include "editor_window.h"
#include "test_document.h"

#include "editors/options/frm_option.h"
#include "editors/options/vfo_panel.h"
#include "editors/options/vfo_settings.h"

#include "app/mdimain.h"
#include "ui/shell.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QSet>

#include <array>

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

const PromptRecord kWorking{"操作提示", PromptIcon::Warning, "当前工作频率超出范围 ！"};
const PromptRecord kTooLong{"Operate prompt", PromptIcon::Warning, "Over the range of  frequency ."};

}  // namespace

class TstVfoPanel : public QObject {
    Q_OBJECT
private slots:
    // Band A limits 136 and 174, band B 400 and 520; VHF selected in A and
    // UHF in B.
    void frequencyEntry_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("message");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("digits");
        QTest::newRow("below") << "Text_Freq_a" << "100" << true << "136.02500" << QByteArray("01 03 06 00 02 05 00 00");
        QTest::newRow("above") << "Text_Freq_a" << "180" << true << "173.62500" << QByteArray("01 07 03 06 02 05 00 00");
        QTest::newRow("upper limit taken") << "Text_Freq_a" << "174" << false << "174.00000" << QByteArray("01 07 04 00 00 00 00 00");
        QTest::newRow("lower limit taken") << "Text_Freq_a" << "136" << false << "136.00000" << QByteArray("01 03 06 00 00 00 00 00");
        QTest::newRow("145.125") << "Text_Freq_a" << "145.125" << false << "145.12500" << QByteArray("01 04 05 01 02 05 00 00");
        QTest::newRow("UHF not consulted") << "Text_Freq_a" << "435" << true << "173.62500" << QByteArray("01 07 03 06 02 05 00 00");
        QTest::newRow("1.2.3 reads 1.2") << "Text_Freq_a" << "1.2.3" << true << "136.02500" << QByteArray("01 03 06 00 02 05 00 00");
        QTest::newRow("empty") << "Text_Freq_a" << "" << true << "136.02500" << QByteArray("01 03 06 00 02 05 00 00");
        QTest::newRow("below 1 kHz") << "Text_Freq_a" << "145.1234" << false << "145.12350" << QByteArray("01 04 05 01 02 03 05 00");
        QTest::newRow("B above") << "Text_Freq_b" << "521" << true << "519.62500" << QByteArray("05 01 09 06 02 05 00 00");
        QTest::newRow("B 438.5") << "Text_Freq_b" << "438.5" << false << "438.50000" << QByteArray("04 03 08 05 00 00 00 00");
    }
    void frequencyEntry()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, message);
        QFETCH(QString, shown);
        QFETCH(QByteArray, digits);
        OptionWindow ow(setup());
        ow.retype(ow.edit(field), typed);
        ow.leave();
        QCOMPARE(ow.prompts.all, message ? QList<PromptRecord>{kWorking} : QList<PromptRecord>{});
        QCOMPARE(ow.edit(field.toLatin1())->text(), shown);
        const int row = field.endsWith('a') ? 240 : 242;
        QCOMPARE(ow.rowHex(row).left(23), digits);
        const bool a = row == 240;
        QCOMPARE(ow.combo(a ? "Combo_Band_A" : "Combo_Band_B")->currentText(), QString(a ? "VHF" : "UHF"));
    }

    // Every row of both panels: its control and label exist under the
    // panel's names and carry the row's caption in either language, its
    // bytes lie in the record and are no other row's, its key is
    // frozen-form and unique, and a list
    // entry chosen lands at the row's byte and nowhere else (a row whose
    // byte is another's, or whose list writes more than its byte, fails).
    void everyRowIsItsControl_data() { addLanguages("chinese"); }
    void everyRowIsItsControl()
    {
        QFETCH(bool, chinese);
        OptionWindow ow(setup({}, chinese));
        constexpr int kRecordBytes = 32;
        QSet<QString> keys, names;
        const QRegularExpression frozen("^[a-z][a-z0-9_]*$");
        std::array<const char*, kRecordBytes> owner{};  // which row's bytes these are
        for (const VfoSetting& s : kVfoSettings) {
            const int width = s.hook == VfoHook::Frequency ? 8 : s.hook == VfoHook::Tone ? 2 : s.hook == VfoHook::Offset ? 6 : 1;
            if (s.inFile())
                for (int b = s.row.byte; b < s.row.byte + width; ++b) {
                    QVERIFY2(b < kRecordBytes && !owner[size_t(b)], s.row.key);
                    owner[size_t(b)] = s.row.key;
                }
        }
        for (const VfoSetting& s : kVfoSettings) {
            const QString key = QLatin1String(s.row.key);
            QVERIFY2(frozen.match(key).hasMatch(), s.row.key);
            QVERIFY2(!keys.contains(key), s.row.key);
            keys << key;
            for (const Vfo v : {Vfo::A, Vfo::B}) {
                for (const char* name : {s.control(v), s.labelControl(v)}) {
                    QVERIFY2(!names.contains(QLatin1String(name)), name);
                    names << QLatin1String(name);
                }
                QCOMPARE(ow.find<QLabel>(s.labelControl(v))->text(), s.row.label.in(chinese));
                const int row = vfo_row(v);
                switch (s.hook) {
                case VfoHook::Frequency:
                    QVERIFY(s.row.byte + 8 <= kRecordBytes);
                    QVERIFY(!ow.edit(s.control(v))->isReadOnly());
                    break;
                case VfoHook::Range: QVERIFY(ow.edit(s.control(v))->isReadOnly()); break;
                case VfoHook::Band: QCOMPARE(ow.combo(s.control(v))->count(), s.row.list->count()); break;
                case VfoHook::Tone:
                    QVERIFY(s.row.byte + 2 <= kRecordBytes);
                    QCOMPARE(ow.combo(s.control(v))->count(), vfo_tone_entries(false).size());
                    break;
                case VfoHook::Offset:
                    QVERIFY(s.row.byte + 6 <= kRecordBytes);
                    QCOMPARE(ow.combo(s.control(v))->count(), kOffsetCount);
                    break;
                case VfoHook::None: {
                    QVERIFY2(s.row.byte < kRecordBytes && s.row.list, s.row.key);
                    QComboBox* combo = ow.combo(s.control(v));
                    QCOMPARE(combo->count(), s.row.list->count());
                    const int last = combo->count() - 1;
                    const Image before = ow.doc.image();
                    ow.choose(combo, combo->currentIndex() == last ? 0 : last);
                    for (int b = 0; b < kRecordBytes; ++b) {  // its byte, and no other, holds the choice
                        const uint8_t now = ow.doc.image().at(row + b / 16, b % 16);
                        QCOMPARE(int(now), b == s.row.byte ? combo->currentIndex() : int(before.at(row + b / 16, b % 16)));
                    }
                    break;
                }
                }
            }
            if (s.row.oldKey)
                for (const VfoSetting& other : kVfoSettings)
                    QVERIFY2(&other == &s || QString::fromLatin1(s.row.oldKey).compare(QLatin1String(other.row.key), Qt::CaseInsensitive) != 0,
                             s.row.oldKey);
        }
    }

    // Keys: a point into a blank text, letters and a tenth character are
    // dropped; a text over nine characters gives the message and empties.
    void frequencyKeys()
    {
        OptionWindow ow(setup());
        QLineEdit* f = ow.edit("Text_Freq_a");
        ow.retype(f, ".1a4x5");
        QCOMPARE(f->text(), QString("145"));
        ow.retype(f, "1451234567");
        QCOMPARE(f->text(), QString("145123456"));
        QVERIFY(ow.prompts.all.isEmpty());
        QTest::keyClick(f, '.');
        QCOMPARE(ow.prompts.all, QList<PromptRecord>{kTooLong});
        QCOMPARE(f->text(), QString());
        QVERIFY(f->hasFocus());
        QCOMPARE(ow.rowHex(240).left(23), QByteArray("01 03 06 00 02 05 00 00"));  // nothing stored yet
        ow.prompts.clear();
        ow.leave();  // the empty field takes the lower-limit path
        QCOMPARE(ow.prompts.all, QList<PromptRecord>{kWorking});
        QCOMPARE(f->text(), QString("136.02500"));
    }

    void bandChange()
    {
        OptionWindow ow(setup());
        ow.retype(ow.edit("Text_Freq_a"), "145.125");
        ow.leave();
        QComboBox* band = ow.combo("Combo_Band_A");
        QTest::keyClick(band, Qt::Key_Down);  // UHF
        QVERIFY(ow.prompts.all.isEmpty());
        QCOMPARE(ow.edit("Text_Freq_a")->text(), QString("400.02500"));
        QCOMPARE(ow.edit("Text_Range_A")->text(), QString("400 - 520.9950"));
        QCOMPARE(ow.rowHex(240).left(23), QByteArray("04 00 00 00 02 05 00 00"));
        QTest::keyClick(band, Qt::Key_Up);  // back to VHF: 400 is not below 174
        QCOMPARE(ow.edit("Text_Freq_a")->text(), QString("136.02500"));
        QCOMPARE(ow.edit("Text_Range_A")->text(), QString("136 - 174.9950"));
        QVERIFY(ow.prompts.all.isEmpty());
    }

    // 174.00000 is accepted on entry and shows as stored when the window
    // opens again (its first refresh once replaced it with 136.02500).
    void reopenedAtUpperLimit()
    {
        OptionWindow ow(setup([] { encode_vfo_frequency(testImage(), Vfo::A, u"174.00000"); }));
        QCOMPARE(ow.edit("Text_Freq_a")->text(), QString("174.00000"));
        QCOMPARE(ow.rowHex(240).left(23), QByteArray("01 07 04 00 00 00 00 00"));
        QVERIFY(ow.prompts.all.isEmpty());
    }

    // An erased record shows "." and stays erased until the user enters a
    // frequency or picks a value.
    void erasedRecord()
    {
        OptionWindow ow(setup([] { testImage().fillRows(242, 243); }));
        QCOMPARE(ow.edit("Text_Freq_b")->text(), QString("."));
        QCOMPARE(ow.rowHex(242), rowHex(Image(), 242));
        QCOMPARE(ow.combo("Combo_Band_B")->currentText(), QString("UHF"));
        QCOMPARE(ow.combo("Combo_offset_b")->currentText(), QString("99.950MHZ"));
        QCOMPARE(ow.combo("Combo_r_ctdcs_b")->currentText(), QString("OFF"));
        QCOMPARE(ow.combo("Combo_step_b")->currentText(), QString("25.00 KHZ"));
        QCOMPARE(ow.rowHex(243), rowHex(Image(), 243));  // nothing shown was stored
    }

    // A new identification moves the limits the next entry is checked
    // against, and the range shown at the next refresh.
    void limitsFollowIdentification()
    {
        OptionWindow ow(setup());
        setBandLimits({136, 150, 400, 480});
        ow.retype(ow.edit("Text_Freq_a"), "160");
        ow.leave();
        QCOMPARE(ow.prompts.all, QList<PromptRecord>{kWorking});
        QCOMPARE(ow.edit("Text_Freq_a")->text(), QString("149.62500"));
        QCOMPARE(ow.edit("Text_Range_A")->text(), QString("136 - 150.9950"));
    }

    // Limits that contradict the bands end the band changes they start.
    void contradictoryLimits()
    {
        OptionWindow ow(setup([] { setBandLimits({400, 480, 130, 179}); }));
        QVERIFY(!ow.edit("Text_Freq_a")->text().isEmpty());
        ow.retype(ow.edit("Text_Freq_a"), "145");
        ow.leave();
    }

    // Regression: the main window regaining the focus after the message
    // box refreshed the editor and put the stored frequency back into the
    // field just emptied.
    void messageBoxIsNoActivation()
    {
        OptionWindow ow(setup());
        qApp->setQuitOnLastWindowClosed(false);
        auto main = std::make_unique<MDImain>(testDocument());
        main->show();
        shell::registerWindow("frm_option", [] { return new frm_option(testDocument()); });
        auto* w = qobject_cast<frm_option*>(shell::openWindow("frm_option"));
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        QLineEdit* f = w->findChild<QLineEdit*>("Text_Freq_b");
        ow.retype(f, "445.12345.");
        QCOMPARE(ow.prompts.all, QList<PromptRecord>{kTooLong});
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(main.get(), &activate);
        QCOMPARE(f->text(), QString());
        // Activating its frame in the main window does refresh it.
        auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        main->mdiArea()->setActiveSubWindow(nullptr);  // leaving the empty field enters the lower limit
        QCOMPARE(f->text(), QString("400.02500"));
        encode_vfo_frequency(testImage(), Vfo::B, u"438.50000");
        main->mdiArea()->setActiveSubWindow(frame);
        QCOMPARE(f->text(), QString("438.50000"));
        shell::closeAllWindows();
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void listsStore()
    {
        OptionWindow ow(setup([] { testImage().set(243, 0, 0xFF), testImage().set(243, 1, 0xFF); }));
        QCOMPARE(ow.combo("Combo_r_ctdcs_b")->currentText(), QString("OFF"));
        QCOMPARE(ow.rowHex(243).left(5), QByteArray("FF FF"));  // shown "OFF", kept
        QComboBox* tone = ow.combo("Combo_t_ctdcs_b");
        tone->setCurrentIndex(9);  // 88.5
        QCOMPARE(ow.rowHex(243).mid(6, 5), QByteArray("75 03"));
        tone->setCurrentIndex(62);
        QCOMPARE(ow.rowHex(243).mid(6, 5), QByteArray("0C 00"));
        ow.combo("Combo_offset_b")->setCurrentIndex(1);
        QCOMPARE(ow.rowHex(242).mid(24, 17), QByteArray("00 00 00 00 05 00"));
        QTest::keyClick(ow.combo("Combo_sft_d_b"), Qt::Key_Down);
        QCOMPARE(testImage().at(243, 10), uint8_t(1));
        QTest::keyClicks(ow.combo("Combo_step_b"), "5");  // typed keys discarded
        QCOMPARE(testImage().at(243, 11), uint8_t(0));
    }
};

QTEST_MAIN(TstVfoPanel)
#include "tst_vfo_panel.moc"
