// The one key rule every field stands on, driven with real keys and a real
// paste: typed and pasted text judged alike, lengths counted without the
// selection a key replaces, Backspace, Delete and Enter per rule, a refused
// key leaving the selection alone, and texts the program shows untouched.
#include "ui/controls.h"
#include "ui/key_rule.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace vx;

Q_DECLARE_METATYPE(vx::FieldRule)

namespace {

const FieldRule kDtmf{.accepted = "0123456789abcdABCD*#", .maxBefore = 15, .countTrimmed = true, .backspace = false};
const FieldRule kFrame{.accepted = "0123456789abcdefABCDEF", .maxBefore = 4, .countTrimmed = true};
const FieldRule kTone{.accepted = "0123456789.DNI", .upperCase = true};
const FieldRule kMessage{.maxBefore = 6, .countTrimmed = true};
const FieldRule kVfo{.accepted = "0123456789.", .also = [](QChar key, const QString& text) {
                         const QString t = text.trimmed();
                         return key == QLatin1Char('.') ? !t.isEmpty() : t.size() <= 8;
                     }};

struct Field {
    QLineEdit edit;
    explicit Field(const FieldRule& rule, const QString& text = {})
    {
        KeyRule::install(&edit, rule);
        ui::showText(&edit, text);
        edit.show();
        edit.setFocus();
        edit.end(false);
    }
    void paste(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    }
};

}  // namespace

class TstKeyRule : public QObject {
    Q_OBJECT
private slots:
    // The same characters typed one by one and pasted in one go leave the
    // same text.
    void typedAndPastedAlike_data()
    {
        QTest::addColumn<FieldRule>("rule");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("after");
        QTest::newRow("DTMF: refused characters dropped") << kDtmf << "" << "1x2*#e9" << "12*#9";
        QTest::newRow("DTMF: 16 characters at most") << kDtmf << "123456789012345" << "678" << "1234567890123456";
        QTest::newRow("DTMF: trailing spaces not counted") << kDtmf << "12345678901234  " << "9" << "12345678901234  9";
        QTest::newRow("frame: five at most") << kFrame << "" << "12a4Fb" << "12a4F";
        QTest::newRow("tone: upper case, D N I only") << kTone << "" << "d023nxi7" << "D023NI7";
        QTest::newRow("message: seven typed") << kMessage << "" << "abcdefghij" << "abcdefg";
        QTest::newRow("VFO: no point first") << kVfo << "" << ".145.5" << "145.5";
        QTest::newRow("VFO: nine digits") << kVfo << "" << "1234567890" << "123456789";
    }
    void typedAndPastedAlike()
    {
        QFETCH(FieldRule, rule);
        QFETCH(QString, before);
        QFETCH(QString, input);
        QFETCH(QString, after);
        Field typed(rule, before);
        QTest::keyClicks(&typed.edit, input);
        QCOMPARE(typed.edit.text(), after);
        Field pasted(rule, before);
        pasted.paste(input);
        QCOMPARE(pasted.edit.text(), after);
    }

    // A full field takes a key that replaces part of it, and a refused key
    // does not even remove the selection it would have replaced.
    void selection()
    {
        Field f(kFrame, "12345");
        QTest::keyClick(&f.edit, Qt::Key_6);
        QCOMPARE(f.edit.text(), QString("12345"));
        f.edit.setSelection(1, 2);
        QTest::keyClick(&f.edit, Qt::Key_9);
        QCOMPARE(f.edit.text(), QString("1945"));
        f.edit.selectAll();
        QTest::keyClick(&f.edit, Qt::Key_X);
        QCOMPARE(f.edit.text(), QString("1945"));
        QCOMPARE(f.edit.selectedText(), QString("1945"));
    }

    void editingKeys()
    {
        Field dtmf(kDtmf, "123");
        QSignalSpy returns(&dtmf.edit, &QLineEdit::returnPressed);
        QTest::keyClick(&dtmf.edit, Qt::Key_Backspace);
        QCOMPARE(dtmf.edit.text(), QString("123"));
        dtmf.edit.home(false);
        QTest::keyClick(&dtmf.edit, Qt::Key_Delete);
        QCOMPARE(dtmf.edit.text(), QString("23"));
        QTest::keyClick(&dtmf.edit, Qt::Key_Return);
        QCOMPARE(returns.count(), 1);

        const FieldRule noEnter{.backspace = true, .del = false, .enter = false};
        Field other(noEnter, "ab");
        QSignalSpy otherReturns(&other.edit, &QLineEdit::returnPressed);
        QTest::keyClick(&other.edit, Qt::Key_Backspace);
        QCOMPARE(other.edit.text(), QString("a"));
        other.edit.home(false);
        QTest::keyClick(&other.edit, Qt::Key_Delete);
        QCOMPARE(other.edit.text(), QString("a"));
        QTest::keyClick(&other.edit, Qt::Key_Enter);
        QCOMPARE(otherReturns.count(), 0);
    }

    // What the program shows goes in as it is, without a change signal, also
    // when the field's signals are blocked; typing afterwards is judged
    // against it.
    void shownTextIsTakenAsItIs()
    {
        Field f(kFrame);
        QSignalSpy changes(&f.edit, &QLineEdit::textChanged);
        ui::showText(&f.edit, QStringLiteral("xyz123456"));
        QCOMPARE(f.edit.text(), QString("xyz123456"));
        QCOMPARE(changes.count(), 0);
        f.edit.end(false);
        QTest::keyClick(&f.edit, Qt::Key_Backspace);
        QCOMPARE(f.edit.text(), QString("xyz12345"));
        QTest::keyClick(&f.edit, Qt::Key_1);
        QCOMPARE(f.edit.text(), QString("xyz12345"));
    }

    void ruleOfAField()
    {
        QLineEdit plain;
        QVERIFY(!KeyRule::of(&plain));
        KeyRule* rule = KeyRule::install(&plain, kTone);
        QCOMPARE(KeyRule::of(&plain), rule);
        QVERIFY(rule->rule().upperCase);
    }
};

QTEST_MAIN(TstKeyRule)
#include "tst_key_rule.moc"
