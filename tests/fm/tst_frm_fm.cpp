// The FM presets window driven with real mouse and key events: the leave-cell
// rules, names, Clear and Default, refreshing, headings, and typed garbage.
#include "editor_window.h"
#include "test_document.h"

#include "editors/fm/frm_fm.h"

#include <QHeaderView>
#include <QRandomGenerator>

using namespace vx;
using namespace vx::test;

namespace {

using FmWindow = EditorWindow<frm_FM>;
const QString kGrid = "MSF_FM", kBox = "Text_Edit";

QString heading(const FmWindow& f, int c) { return f.grid(kGrid)->model()->headerData(c, Qt::Horizontal).toString(); }
QByteArray presetHex(int p) { return rowHex(testImage(), fm::preset_row(p)); }
void clickPreset(FmWindow& f, int p, int c) { f.clickCell(kGrid, p - 1, c); }
// Opens the cell, replaces its text by typing and leaves it by clicking the
// number cell of preset `leaveTo`.
void type(FmWindow& f, int p, int c, const QString& text, int leaveTo = 16)
{
    clickPreset(f, p, c);
    f.retype(f.edit(kBox), text);
    clickPreset(f, leaveTo, frm_FM::ColNumber);
}

const PromptRecord kRange{"Operate prompt", PromptIcon::Warning, "Over the range of receive frequency ."};
const PromptRecord kNameLong{"Operate Prompt", PromptIcon::Warning, "The letter of channel name max 6 bit . "};

}  // namespace

class TstFrmFm : public QObject {
    Q_OBJECT
private slots:
    void opensWithPresets()
    {
        FmWindow f;
        QCOMPARE(f.w->windowTitle(), QString("FM Radio Information"));
        QCOMPARE(f.w->cellText(1, 0), QString("1"));
        QCOMPARE(f.w->cellText(16, 0), QString("16"));
        QCOMPARE(f.w->cellText(1, 1), QString("88.90000"));
        QCOMPARE(f.w->cellText(1, 2), QString("KTNEW"));
        QCOMPARE(f.w->cellText(3, 1), QString());
        QCOMPARE(heading(f, 1), QString(" Receive Frequency (MHZ)"));
        QVERIFY(f.edit(kBox)->isHidden());
    }

    void headingsInChinese()
    {
        FmWindow f;
        setChinese(true);
        f.w->hide();
        f.w->show();
        QCOMPARE(f.w->windowTitle(), QString("FM 收音机频道编辑"));
        QCOMPARE(heading(f, 0), QString("FM 频 道 号"));
        QCOMPARE(heading(f, 2), QString("     电    台    名    称    "));
        QCOMPARE(f.text("Command_default"), QString("默认"));
        setChinese(false);
    }

    void leaveFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<bool>("message");
        QTest::newRow("88.9") << "88.9" << "88.90000" << QByteArray("00 08 08 09 00 00 00 00") << false;
        QTest::newRow("99.5") << "99.5" << "99.50000" << QByteArray("00 09 09 05 00 00 00 00") << false;
        QTest::newRow("108") << "108" << "108.00000" << QByteArray("01 00 08 00 00 00 00 00") << false;
        QTest::newRow("no raster") << "101.12345" << "101.12345" << QByteArray("01 00 01 01 02 03 04 05") << false;
        QTest::newRow("108.1 out") << "108.1" << "87.00000" << QByteArray("00 08 07 00 00 00 00 00") << true;
        QTest::newRow("86 out") << "86" << "87.00000" << QByteArray("00 08 07 00 00 00 00 00") << true;
        QTest::newRow("garbage out") << "fm!" << "87.00000" << QByteArray("00 08 07 00 00 00 00 00") << true;
    }
    void leaveFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, row);
        QFETCH(bool, message);
        FmWindow f;
        type(f, 3, frm_FM::ColFrequency, typed);
        QCOMPARE(f.w->cellText(3, 1), shown);
        QCOMPARE(f.w->cellText(3, 2), QString());
        QCOMPARE(presetHex(3), row + " FF FF FF FF FF FF FF FF");
        QCOMPARE(f.prompts.all, message ? QList<PromptRecord>{kRange} : QList<PromptRecord>{});
        QVERIFY(f.edit(kBox)->isHidden());
    }

    void blankFrequencyEmptiesThePreset()
    {
        FmWindow f;
        type(f, 1, frm_FM::ColFrequency, "   ");
        QCOMPARE(f.w->cellText(1, 1), QString());
        QCOMPARE(f.w->cellText(1, 2), QString());
        QCOMPARE(presetHex(1), QByteArray("00 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF"));
        QVERIFY(f.prompts.all.isEmpty());
    }

    // Regression: a name byte such as 0xC9 did not show, and the next edit
    // of the frequency erased it and moved the rest of the name.
    void frequencyEditKeepsTheNameBytes()
    {
        FmWindow f;
        testImage().setRow(fm::preset_row(7), std::array<uint8_t, 16>{0, 9, 9, 5, 0, 0, 0, 0, 0xFF, 0x43, 0x41, 0x46, 0xC9, 0xFF, 0xFF, 0xFF});
        testImage().setRow(fm::preset_row(10), std::array<uint8_t, 16>{0, 9, 8, 3, 0, 0, 0, 0, 'F', 'J', 'Q', 'X', 0xFF, 0xFF, 0xFF, 0xFF});
        f.w->refresh();
        QCOMPARE(f.w->cellText(7, 2), QStringLiteral("CAFÉ"));
        type(f, 7, frm_FM::ColFrequency, "101.1");
        QCOMPARE(presetHex(7), QByteArray("01 00 01 01 00 00 00 00 FF 43 41 46 C9 FF FF FF"));
        QCOMPARE(f.w->cellText(7, 2), QStringLiteral("CAFÉ"));
        type(f, 10, frm_FM::ColFrequency, "98.5");  // a factory name stays at byte 8
        QCOMPARE(presetHex(10), QByteArray("00 09 08 05 00 00 00 00 46 4A 51 58 FF FF FF FF"));
        type(f, 7, frm_FM::ColName, QStringLiteral("Éte"));  // typed: stored as its code page bytes
        QCOMPARE(presetHex(7), QByteArray("01 00 01 01 00 00 00 00 FF FF C9 54 45 FF FF FF"));
        QCOMPARE(f.w->cellText(7, 2), QStringLiteral("ÉTE"));
    }

    void leaveName_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("nameBytes");
        QTest::addColumn<bool>("message");
        QTest::newRow("5 chars at 9") << 1 << "abcde" << "ABCDE" << QByteArray("FF 41 42 43 44 45 FF FF") << false;
        QTest::newRow("2 chars at 11") << 1 << "Hi" << "HI" << QByteArray("FF FF FF 48 49 FF FF FF") << false;
        QTest::newRow("too long: cut") << 1 << "abcdefgh" << "ABCDEF" << QByteArray("41 42 43 44 45 46 FF FF") << true;
        QTest::newRow("no one-byte code dropped") << 1 << QStringLiteral("中a") << "A" << QByteArray("FF FF FF 41 FF FF FF FF") << false;
        QTest::newRow("blank frequency: discarded") << 3 << "abc" << "" << QByteArray("FF FF FF FF FF FF FF FF") << false;
        QTest::newRow("blank frequency, too long") << 3 << "abcdefg" << "" << QByteArray("FF FF FF FF FF FF FF FF") << true;
    }
    void leaveName()
    {
        QFETCH(int, preset);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, nameBytes);
        QFETCH(bool, message);
        FmWindow f;
        const QByteArray frequency = presetHex(preset).left(23);
        type(f, preset, frm_FM::ColName, typed);
        QCOMPARE(f.w->cellText(preset, 2), shown);
        QCOMPARE(presetHex(preset), frequency + " " + nameBytes);
        QCOMPARE(f.prompts.all, message ? QList<PromptRecord>{kNameLong} : QList<PromptRecord>{});
    }

    // Enter leaves the cell; so does a click on a button.
    void enterAndButtonsLeaveTheCell()
    {
        FmWindow f;
        clickPreset(f, 5, frm_FM::ColFrequency);
        QTest::keyClicks(f.edit(kBox), "99.5");
        QTest::keyClick(f.edit(kBox), Qt::Key_Return);
        QVERIFY(f.edit(kBox)->isHidden());
        QCOMPARE(f.w->cellText(5, 1), QString("99.50000"));
        clickPreset(f, 5, frm_FM::ColName);
        QTest::keyClicks(f.edit(kBox), "kiss");
        f.clickButton("Command_save");
        QCOMPARE(presetHex(5), QByteArray("00 09 09 05 00 00 00 00 FF FF 4B 49 53 53 FF FF"));
    }

    void clearAndDefault()
    {
        FmWindow f;
        f.clickButton("Command_clear");
        for (int p = 1; p <= fm::kPresets; ++p) {
            QCOMPARE(f.w->cellText(p, 1), QString());
            QCOMPARE(f.w->cellText(p, 2), QString());
            QCOMPARE(presetHex(p), QByteArray("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
        }
        const size_t edits = f.doc.record().size();
        f.clickButton("Command_default");
        QCOMPARE(f.w->cellText(3, 1), QString());
        QCOMPARE(f.w->cellText(14, 1), QString("100.70000"));
        QCOMPARE(f.w->cellText(14, 2), QString("DNZS3"));
        QVERIFY(f.prompts.all.isEmpty());
        // Default is one edit of the presets' rows, 00 before, the presets after.
        QCOMPARE(f.doc.record().size(), edits + 1);
        const EditRecord& e = f.doc.record().back();
        QVERIFY2(e.name.en.endsWith(" Default"), qPrintable(e.name.en));
        QVERIFY(e.name.zh.endsWith(QString::fromUtf8(" 默认值")));
        QVERIFY(!e.rows.empty());
        for (const RowChange& c : e.rows) {
            QVERIFY(c.row >= region::fmPresets.first && c.row <= region::fmPresets.last);
            QCOMPARE(c.before[0], uint8_t(0x00));
            QVERIFY(std::ranges::equal(c.after, testImage().row(c.row)));
        }
    }

    // The grid follows the image when the window is activated or focused.
    void refreshesOnActivationAndFocus()
    {
        FmWindow f;
        fm::encode_preset(testImage(), 2, u"101.7", u"NEW");
        QCOMPARE(f.w->cellText(2, 1), QString("90.40000"));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(f.w.get(), &activate);
        QCOMPARE(f.w->cellText(2, 1), QString("101.70000"));
        fm::clear_presets(testImage());
        QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(f.w.get(), &focus);
        QCOMPARE(f.w->cellText(2, 2), QString());
    }

    // Typed and pasted garbage in every cell never crashes and never writes
    // outside the preset region.
    void garbageStaysInThePresets()
    {
        FmWindow f;
        const Image before = testImage();
        QRandomGenerator rng(77);
        for (int p = 1; p <= fm::kPresets; ++p) {
            QString junk;
            for (int i = 0; i < 40; ++i)
                junk += QChar(char16_t(0x21 + rng.bounded(0x2FF)));
            type(f, p, frm_FM::ColFrequency, junk.left(12), p % 16 + 1);
            clickPreset(f, p, frm_FM::ColName);
            f.edit(kBox)->setText(junk.repeated(250));  // a paste of 10,000 characters
            clickPreset(f, p % 16 + 1, frm_FM::ColNumber);
        }
        Image outside = testImage();
        for (int r = region::fmPresets.first; r <= region::fmPresets.last; ++r)
            outside.setRow(r, before.row(r));
        QVERIFY(outside == before);
        for (int p = 1; p <= fm::kPresets; ++p)
            QVERIFY(f.w->cellText(p, 2).size() <= fm::kNameLength);
    }
};

QTEST_MAIN(TstFrmFm)
#include "tst_frm_fm.moc"
