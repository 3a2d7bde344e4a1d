// The FM presets window driven with real mouse and key events: the leave-cell
// rules, names, Clear and Default, refreshing, headings, and typed garbage.
#include "fake_link.h"
#include "prompts.h"

#include "editors/fm/frm_fm.h"
#include "image/language.h"

#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QtTest>

using namespace vx;
using namespace vx::test;

namespace {

struct FmWindow {
    VirtualClock clock;
    CapturedPrompts prompts;
    std::unique_ptr<frm_FM> w;

    FmWindow()
    {
        setChinese(false);
        appImage().fill();
        fm::load_factory_presets(appImage());
        clock.install();
        w = std::make_unique<frm_FM>();
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("FM window not active");
    }
    ~FmWindow()
    {
        w.reset();
        setTimerFactory({});
    }
    QTableView* grid() const { return w->findChild<QTableView*>("MSF_FM"); }
    QString heading(int c) const { return grid()->model()->headerData(c, Qt::Horizontal).toString(); }
    QLineEdit* edit() const { return w->findChild<QLineEdit*>("Text_Edit"); }
    QString cell(int p, int c) const { return w->cellText(p, c); }
    void click(int p, int c)
    {
        const QRect r = grid()->visualRect(grid()->model()->index(p - 1, c));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, r.center());
    }
    // Opens the cell, replaces its text by typing and leaves it by clicking
    // the number cell of preset `leaveTo`.
    void type(int p, int c, const QString& text, int leaveTo = 16)
    {
        click(p, c);
        edit()->selectAll();
        QTest::keyClick(edit(), Qt::Key_Backspace);
        typeInto(text);
        click(leaveTo, frm_FM::ColNumber);
    }
    // Keys for ASCII; other characters come as an input method commits them.
    void typeInto(const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(edit(), QString(c));
                continue;
            }
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(edit(), &commit);
        }
    }
    QByteArray rowHex(int p) const
    {
        QByteArray b;
        for (uint8_t v : appImage().row(fm::presetRow(p)))
            b.append(char(v));
        return b.toHex(' ').toUpper();
    }
};

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
        QCOMPARE(f.cell(1, 0), QString("1"));
        QCOMPARE(f.cell(16, 0), QString("16"));
        QCOMPARE(f.cell(1, 1), QString("88.90000"));
        QCOMPARE(f.cell(1, 2), QString("KTNEW"));
        QCOMPARE(f.cell(3, 1), QString());
        QCOMPARE(f.heading(1), QString(" Receive Frequency (MHZ)"));
        QVERIFY(f.edit()->isHidden());
    }

    void headingsInChinese()
    {
        FmWindow f;
        setChinese(true);
        f.w->hide();
        f.w->show();
        QCOMPARE(f.w->windowTitle(), QString("FM 收音机频道编辑"));
        QCOMPARE(f.heading(0), QString("FM 频 道 号"));
        QCOMPARE(f.heading(2), QString("     电    台    名    称    "));
        QCOMPARE(f.w->findChild<QPushButton*>("Command_default")->text(), QString("默认"));
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
        f.type(3, frm_FM::ColFrequency, typed);
        QCOMPARE(f.cell(3, 1), shown);
        QCOMPARE(f.cell(3, 2), QString());
        QCOMPARE(f.rowHex(3), row + " FF FF FF FF FF FF FF FF");
        QCOMPARE(f.prompts.all, message ? QList<PromptRecord>{kRange} : QList<PromptRecord>{});
        QVERIFY(f.edit()->isHidden());
    }

    void blankFrequencyEmptiesThePreset()
    {
        FmWindow f;
        f.type(1, frm_FM::ColFrequency, "   ");
        QCOMPARE(f.cell(1, 1), QString());
        QCOMPARE(f.cell(1, 2), QString());
        QCOMPARE(f.rowHex(1), QByteArray("00 00 00 00 00 00 00 00 FF FF FF FF FF FF FF FF"));
        QVERIFY(f.prompts.all.isEmpty());
    }

    // Regression: a name byte such as 0xC9 did not show, and the next edit
    // of the frequency erased it and moved the rest of the name.
    void frequencyEditKeepsTheNameBytes()
    {
        FmWindow f;
        appImage().setRow(fm::presetRow(7), std::array<uint8_t, 16>{0, 9, 9, 5, 0, 0, 0, 0, 0xFF, 0x43, 0x41, 0x46, 0xC9, 0xFF, 0xFF, 0xFF});
        appImage().setRow(fm::presetRow(10), std::array<uint8_t, 16>{0, 9, 8, 3, 0, 0, 0, 0, 'F', 'J', 'Q', 'X', 0xFF, 0xFF, 0xFF, 0xFF});
        f.w->refresh();
        QCOMPARE(f.cell(7, 2), QStringLiteral("CAFÉ"));
        f.type(7, frm_FM::ColFrequency, "101.1");
        QCOMPARE(f.rowHex(7), QByteArray("01 00 01 01 00 00 00 00 FF 43 41 46 C9 FF FF FF"));
        QCOMPARE(f.cell(7, 2), QStringLiteral("CAFÉ"));
        f.type(10, frm_FM::ColFrequency, "98.5");  // a factory name stays at byte 8
        QCOMPARE(f.rowHex(10), QByteArray("00 09 08 05 00 00 00 00 46 4A 51 58 FF FF FF FF"));
        f.type(7, frm_FM::ColName, QStringLiteral("Éte"));  // typed: stored as its code page bytes
        QCOMPARE(f.rowHex(7), QByteArray("01 00 01 01 00 00 00 00 FF FF C9 54 45 FF FF FF"));
        QCOMPARE(f.cell(7, 2), QStringLiteral("ÉTE"));
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
        const QByteArray frequency = f.rowHex(preset).left(23);
        f.type(preset, frm_FM::ColName, typed);
        QCOMPARE(f.cell(preset, 2), shown);
        QCOMPARE(f.rowHex(preset), frequency + " " + nameBytes);
        QCOMPARE(f.prompts.all, message ? QList<PromptRecord>{kNameLong} : QList<PromptRecord>{});
    }

    // Enter leaves the cell; so does a click on a button.
    void enterAndButtonsLeaveTheCell()
    {
        FmWindow f;
        f.click(5, frm_FM::ColFrequency);
        QTest::keyClicks(f.edit(), "99.5");
        QTest::keyClick(f.edit(), Qt::Key_Return);
        QVERIFY(f.edit()->isHidden());
        QCOMPARE(f.cell(5, 1), QString("99.50000"));
        f.click(5, frm_FM::ColName);
        QTest::keyClicks(f.edit(), "kiss");
        QTest::mouseClick(f.w->findChild<QPushButton*>("Command_save"), Qt::LeftButton);
        QCOMPARE(f.rowHex(5), QByteArray("00 09 09 05 00 00 00 00 FF FF 4B 49 53 53 FF FF"));
    }

    void clearAndDefault()
    {
        FmWindow f;
        QTest::mouseClick(f.w->findChild<QPushButton*>("Command_clear"), Qt::LeftButton);
        for (int p = 1; p <= fm::kPresets; ++p) {
            QCOMPARE(f.cell(p, 1), QString());
            QCOMPARE(f.cell(p, 2), QString());
            QCOMPARE(f.rowHex(p), QByteArray("00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
        }
        QTest::mouseClick(f.w->findChild<QPushButton*>("Command_default"), Qt::LeftButton);
        QCOMPARE(f.cell(3, 1), QString());
        QCOMPARE(f.cell(14, 1), QString("100.70000"));
        QCOMPARE(f.cell(14, 2), QString("DNZS3"));
        QVERIFY(f.prompts.all.isEmpty());
    }

    // The grid follows the image when the window is activated or focused.
    void refreshesOnActivationAndFocus()
    {
        FmWindow f;
        fm::encode_preset(appImage(), 2, u"101.7", u"NEW");
        QCOMPARE(f.cell(2, 1), QString("90.40000"));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(f.w.get(), &activate);
        QCOMPARE(f.cell(2, 1), QString("101.70000"));
        fm::clear_presets(appImage());
        QFocusEvent focus(QEvent::FocusIn, Qt::OtherFocusReason);
        QApplication::sendEvent(f.w.get(), &focus);
        QCOMPARE(f.cell(2, 2), QString());
    }

    // Typed and pasted garbage in every cell never crashes and never writes
    // outside the preset region.
    void garbageStaysInThePresets()
    {
        FmWindow f;
        const Image before = appImage();
        QRandomGenerator rng(77);
        for (int p = 1; p <= fm::kPresets; ++p) {
            QString junk;
            for (int i = 0; i < 40; ++i)
                junk += QChar(char16_t(0x21 + rng.bounded(0x2FF)));
            f.type(p, frm_FM::ColFrequency, junk.left(12), p % 16 + 1);
            f.click(p, frm_FM::ColName);
            f.edit()->setText(junk.repeated(250));  // a paste of 10,000 characters
            f.click(p % 16 + 1, frm_FM::ColNumber);
        }
        Image outside = appImage();
        for (int r = region::fmPresets.first; r <= region::fmPresets.last; ++r)
            outside.setRow(r, before.row(r));
        QVERIFY(outside == before);
        for (int p = 1; p <= fm::kPresets; ++p)
            QVERIFY(f.cell(p, 2).size() <= fm::kNameLength);
    }
};

QTEST_MAIN(TstFrmFm)
#include "tst_frm_fm.moc"
