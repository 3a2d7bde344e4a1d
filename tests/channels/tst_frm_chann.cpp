// The channel grid editor: entering and leaving cells, Enter, lists, names,
// Clear and Default, refusals while busy, driven by real mouse and key events.
#include "editor_window.h"
#include "test_document.h"

#include "editors/channels/channel_columns.h"
#include "editors/channels/frm_chann.h"

#include "app/mdimain.h"
#include "image/language.h"
#include "ui/geometry.h"
#include "ui/shell.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QSet>
#include <QScrollBar>

using namespace vx;
using namespace vx::channels;
using namespace vx::test;

namespace {
using ChannWindow = EditorWindow<frm_chann>;
constexpr int kEmpty = 10;  // an empty channel after the factory set
const QString kOperatePrompt = QStringLiteral("Operate prompt");
const QString kGrid = "MSF_Chann", kText = "Text_Edit", kList = "Combo_edit";

QRect cellRect(const ChannWindow& cw, int n, int column)
{
    return cw.grid(kGrid)->visualRect(cw.grid(kGrid)->model()->index(n, column));
}
void enter(QWidget* on) { QTest::keyClick(on, Qt::Key_Return); }
// Leaves the open cell by clicking the channel number cell of row n.
void leaveCell(ChannWindow& cw, int n = 0) { cw.clickCell(kGrid, n, ColNumber); }
}  // namespace

class TstFrmChann : public QObject {
    Q_OBJECT
private slots:
    void captionsHeadingsAndLayout()
    {
        ChannWindow cw;
        auto* model = cw.grid(kGrid)->model();
        QCOMPARE(cw.w->windowTitle(), QStringLiteral("Channel Information"));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("  Band  "));  // "^" dropped
        QCOMPARE(model->index(199, 0).data().toString(), QStringLiteral("199"));
        QCOMPARE(model->index(5, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        setChinese(true);
        frm_chann zh(testDocument());
        setChinese(false);
        QCOMPARE(zh.findChild<QPushButton*>("Command_read")->text(), QString::fromUtf8("读 取"));
        QCOMPARE(zh.findChild<QTableView*>("MSF_Chann")->model()->headerData(15, Qt::Horizontal).toString(),
                 QString::fromUtf8("信 道 名 称"));

        cw.w->resize(900, 600);
        QCOMPARE(cw.grid(kGrid)->width(), int(cw.w->width() / 1.02));
        // The button row lies 1500 twips above the whole window's bottom.
        const int buttonTop = cw.w->frameGeometry().height() - 1500 / 15;
        QCOMPARE(cw.button("Command_close")->y(), buttonTop);
        QCOMPARE(cw.bar()->y(), buttonTop - 800 / 15);
        QVERIFY(cw.bar()->isHidden());
    }

    // Every column row against the grid and the record: one row an id, the
    // grid's heading and width in both languages from it, a key in files'
    // form and unique, and a list position chosen lands in the row's bits
    // and reads back as the list's entry (a row with wrong bits fails).
    void everyColumnIsItsRow_data()
    {
        QTest::addColumn<bool>("chinese");
        QTest::newRow("English") << false;
        QTest::newRow("Chinese") << true;
    }
    void everyColumnIsItsRow()
    {
        QFETCH(bool, chinese);
        setChinese(chinese);
        frm_chann w(testDocument());
        setChinese(false);
        auto* grid = w.findChild<QTableView*>(kGrid);
        QSet<int> ids;
        QSet<QString> keys;
        const QRegularExpression frozen("^[a-z]+( [a-z]+)*$");
        for (const ChannelColumn& c : kChannelColumns) {
            QVERIFY(c.id >= 0 && c.id < kColumns && !ids.contains(c.id));
            ids << c.id;
            QCOMPARE(channel_column(c.id), &c);
            QString h = c.heading.in(chinese);
            if (QStringLiteral("^<>").contains(h[0]))
                h.remove(0, 1);
            QCOMPARE(grid->model()->headerData(c.id, Qt::Horizontal).toString(), h);
            QCOMPARE(grid->columnWidth(c.id), twipsToPixels(c.twips));
            if (c.key) {
                QVERIFY2(frozen.match(QLatin1String(c.key)).hasMatch() && !keys.contains(QLatin1String(c.key)), c.key);
                keys << QLatin1String(c.key);
            }
            if (c.hook != ColumnHook::Choice && c.hook != ColumnHook::Power)
                continue;
            QVERIFY2(c.list && c.bits.offset >= 0 && c.bits.offset < Image::kRowBytes, c.key);
            Image image;
            load_factory_channels(image);
            for (int p = 0; p < c.list().size(); ++p) {
                set_choice(image, 0, c.id, p);
                QCOMPARE(decode_channel(image, 0)[size_t(c.id)], c.list().at(p));
                if (c.hook == ColumnHook::Choice)
                    QCOMPARE(int(c.bits.get(RecordView(image, record_row(0)))), p);
            }
        }
        QCOMPARE(ids.size(), int(kColumns));
    }

    void clickPlacesEditorOverCell_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("text");   // Text_Edit expected
        QTest::addColumn<bool>("combo");  // Combo_edit expected
        QTest::addColumn<int>("entries");
        QTest::newRow("receive") << 3 << int(ColRx) << true << false << 0;
        QTest::newRow("band of empty channel") << kEmpty << int(ColBand) << false << true << 1;
        QTest::newRow("decode tone list") << 3 << int(ColDecode) << false << true << 261;
        QTest::newRow("tone of empty channel") << kEmpty << int(ColDecode) << false << false << 0;
        QTest::newRow("power of empty channel") << kEmpty << int(ColPower) << false << false << 0;
        QTest::newRow("number column") << 3 << int(ColNumber) << false << false << 0;
    }
    void clickPlacesEditorOverCell()
    {
        QFETCH(int, channel);
        QFETCH(int, column);
        QFETCH(bool, text);
        QFETCH(bool, combo);
        QFETCH(int, entries);
        ChannWindow cw;
        cw.clickCell(kGrid, channel, column);
        QCOMPARE(cw.edit(kText)->isVisible(), text);
        QCOMPARE(cw.combo(kList)->isVisible(), combo);
        if (text) {
            QCOMPARE(cw.edit(kText)->geometry(), cellRect(cw, channel, column));
            QCOMPARE(cw.edit(kText)->text(), cw.cell(kGrid, channel, column));
            QVERIFY(cw.edit(kText)->hasFocus());
        }
        if (combo) {
            QCOMPARE(cw.combo(kList)->geometry(), cellRect(cw, channel, column));
            QCOMPARE(cw.combo(kList)->count(), entries);
            QCOMPARE(cw.combo(kList)->currentText(), cw.cell(kGrid, channel, column));
        }
    }

    void typedReceiveGivesNewChannel()
    {
        ChannWindow cw;
        cw.clickCell(kGrid, kEmpty, ColRx);
        QTest::keyClicks(cw.edit(kText), "145.5");
        leaveCell(cw);
        const QStringList row{"VHF/UHF", "145.50000", "145.50000", "OFF", "OFF", "HIGH", "W", "OFF",
                              "OFF",     "ON",        "1",         "OFF", "QT",  "OFF",  ""};
        for (int c = 1; c < 16; ++c)
            QCOMPARE(cw.cell(kGrid, kEmpty, c), row[c - 1]);
        QCOMPARE(cw.rowHex(kEmpty), QByteArray("00 00 55 14 00 00 55 14 00 00 00 00 00 00 00 04"));
        QVERIFY(cw.prompts.all.isEmpty());
        QVERIFY(!cw.edit(kText)->isVisible());
        // One edit of the channel's record row, named by channel and column;
        // its name row, FF before and after, is not in it.
        const EditRecord& e = cw.doc.record().back();
        QCOMPARE(e.name.en, QString("Channel 10 RX Frequency"));
        QCOMPARE(e.name.zh, QString::fromUtf8("信道 10 接收频率(MHZ)"));
        QCOMPARE(int(e.rows.size()), 1);
        QCOMPARE(e.rows[0].row, kEmpty);
        QVERIFY(std::ranges::all_of(e.rows[0].before, [](uint8_t b) { return b == 0xFF; }));
        QVERIFY(std::ranges::equal(e.rows[0].after, testImage().row(kEmpty)));
    }

    void receiveChangeMakesTransmitFollow()
    {
        ChannWindow cw;
        set_tx(testImage(), 0, u"150");
        cw.w->refresh();
        QCOMPARE(cw.cell(kGrid, 0, ColTx), QStringLiteral("150.00000"));
        cw.clickCell(kGrid, 0, ColRx);
        cw.retype(cw.edit(kText), "146.0125");
        leaveCell(cw, 1);
        QCOMPARE(cw.cell(kGrid, 0, ColRx), QStringLiteral("146.01250"));
        QCOMPARE(cw.cell(kGrid, 0, ColTx), QStringLiteral("146.01250"));
        QCOMPARE(cw.cell(kGrid, 0, ColDecode), QStringLiteral("67.0"));  // settings kept
    }

    // The two range tests differ on purpose: leaving accepts up to 1 MHz above
    // band A, Enter does not.
    void receiveRanges_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byEnter");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("message");
        QTest::newRow("leave 174.5 accepted") << "174.5" << false << "174.50000" << false;
        QTest::newRow("enter 174.5 refused") << "174.5" << true << "136.00000" << true;
        QTest::newRow("leave 175 refused") << "175" << false << "136.00000" << true;
        QTest::newRow("enter 400 accepted") << "400" << true << "400.00000" << false;
        QTest::newRow("enter whole MHz padded") << "145" << true << "145.00000" << false;
        QTest::newRow("leave letters refused") << "abc" << false << "136.00000" << true;
    }
    void receiveRanges()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byEnter);
        QFETCH(QString, stored);
        QFETCH(bool, message);
        ChannWindow cw;
        setBandLimits({136, 174, 400, 480});
        cw.clickCell(kGrid, kEmpty, ColRx);
        QTest::keyClicks(cw.edit(kText), typed);
        if (byEnter) {
            enter(cw.edit(kText));
            QVERIFY(cw.edit(kText)->isVisible());
            QCOMPARE(cw.edit(kText)->geometry(), cellRect(cw, kEmpty, ColTx));
            QCOMPARE(cw.edit(kText)->text(), stored);  // the transmit cell followed
        } else {
            leaveCell(cw);
        }
        QCOMPARE(cw.cell(kGrid, kEmpty, ColRx), stored);
        QCOMPARE(cw.cell(kGrid, kEmpty, ColTx), stored);
        QCOMPARE(cw.cell(kGrid, kEmpty, ColScanAdd), QStringLiteral("ON"));
        const QStringList expected = message ? QStringList{"Over the range of receive frequency ."} : QStringList{};
        QCOMPARE(cw.prompts.texts(), expected);
        if (message)
            QCOMPARE(cw.prompts.all[0].title, kOperatePrompt);
        resetBandLimits();
    }

    // Regression: an out-of-range receive frequency on a repeater pair also
    // overwrote the pair's transmit frequency with the lower limit.
    void outOfRangeReceiveKeepsAnExistingTransmit()
    {
        ChannWindow cw;
        set_rx(testImage(), 0, u"145");
        set_tx(testImage(), 0, u"145.6");
        cw.w->refresh();
        cw.clickCell(kGrid, 0, ColRx);
        cw.retype(cw.edit(kText), "600");
        leaveCell(cw, 1);
        QCOMPARE(cw.prompts.texts(), QStringList{"Over the range of receive frequency ."});
        QCOMPARE(cw.cell(kGrid, 0, ColRx), QStringLiteral("130.00000"));
        QCOMPARE(cw.cell(kGrid, 0, ColTx), QStringLiteral("145.60000"));
        QCOMPARE(cw.rowHex(0).left(23), QByteArray("00 00 00 13 00 00 56 14"));  // 130 and 145.6 MHz
    }

    // Regression: hiding the focused text box moved the current cell on as
    // if Tab had been pressed in the grid.
    void enterWalksAlongTheRow()
    {
        ChannWindow cw;
        cw.clickCell(kGrid, kEmpty, ColRx);
        QTest::keyClicks(cw.edit(kText), "438.5");
        enter(cw.edit(kText));
        cw.retype(cw.edit(kText), "430");
        enter(cw.edit(kText));  // transmit cell -> decode tone drop-down
        QVERIFY(cw.combo(kList)->isVisible());
        QCOMPARE(cw.combo(kList)->geometry(), cellRect(cw, kEmpty, ColDecode));
        QCOMPARE(cw.cell(kGrid, kEmpty, ColTx), QStringLiteral("430.00000"));
        QCOMPARE(cw.rowHex(kEmpty).left(23), QByteArray("00 00 85 43 00 00 00 43"));
        for (int c = ColDecode; c < ColScrambler; ++c)
            enter(cw.combo(kList));
        QCOMPARE(cw.combo(kList)->geometry(), cellRect(cw, kEmpty, ColScrambler));
        enter(cw.combo(kList));  // scrambler -> name text box
        QVERIFY(cw.edit(kText)->isVisible());
        QCOMPARE(cw.edit(kText)->geometry(), cellRect(cw, kEmpty, ColName));
        enter(cw.edit(kText));  // Enter in the name does nothing
        QCOMPARE(cw.edit(kText)->geometry(), cellRect(cw, kEmpty, ColName));
    }

    void transmitRules()
    {
        ChannWindow cw;
        // No receive frequency yet.
        cw.clickCell(kGrid, kEmpty, ColTx);
        QTest::keyClicks(cw.edit(kText), "145");
        leaveCell(cw);
        QCOMPARE(cw.prompts.texts(), QStringList{"Please input the receive frequency in advance."});
        QVERIFY(is_empty(testImage(), kEmpty));
        // Out of range on a channel: band A lower limit, encode tone off.
        cw.prompts.clear();
        cw.clickCell(kGrid, 0, ColTx);
        cw.retype(cw.edit(kText), "600");
        enter(cw.edit(kText));
        QCOMPARE(cw.prompts.texts(), QStringList{"Over the range of transmit frequency ."});
        QVERIFY(cw.combo(kList)->isVisible());  // moved on to the decode tone
        QCOMPARE(cw.cell(kGrid, 0, ColTx), QStringLiteral("130.00000"));
        QCOMPARE(cw.cell(kGrid, 0, ColEncode), QStringLiteral("OFF"));
        QCOMPARE(cw.rowHex(0).mid(12, 23), QByteArray("00 00 00 13 9E 02 FF FF"));
        // Blank: no transmit frequency.
        cw.clickCell(kGrid, 0, ColTx);
        cw.retype(cw.edit(kText), "");
        leaveCell(cw);
        QCOMPARE(cw.cell(kGrid, 0, ColTx), QString());
        QCOMPARE(cw.cell(kGrid, 0, ColEncode), QString());
        QCOMPARE(cw.rowHex(0).mid(12, 23), QByteArray("FF FF FF FF 9E 02 FF FF"));
    }

    void blankReceiveDeletesChannel()
    {
        ChannWindow cw;
        set_name(testImage(), 2, u"CH2");
        cw.clickCell(kGrid, 2, ColRx);
        cw.retype(cw.edit(kText), "  ");
        leaveCell(cw);
        QVERIFY(is_empty(testImage(), 2));
        QCOMPARE(testImage().at(name_row(2), 0), uint8_t(0xFF));
        QCOMPARE(cw.cell(kGrid, 2, ColBand), QString());
    }

    void typedTones_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("toneBytes");  // bytes 8..11
        QTest::newRow("88.5 into both") << int(ColDecode) << "88.5" << "88.5" << QByteArray("75 03 75 03");
        QTest::newRow("88 is 88.0") << int(ColDecode) << "88" << "88.0" << QByteArray("70 03 70 03");
        QTest::newRow("50 changes nothing") << int(ColDecode) << "50" << "67.0" << QByteArray("9E 02 9E 02");
        QTest::newRow("lower-case DCS label") << int(ColDecode) << "d023n" << "D023N" << QByteArray("01 00 01 00");
        QTest::newRow("other keys dropped") << int(ColDecode) << "8x8 ,5" << "67.0" << QByteArray("9E 02 9E 02");
        QTest::newRow("encode only") << int(ColEncode) << "D754I" << "D754I" << QByteArray("9E 02 D2 00");
    }
    void typedTones()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, toneBytes);
        ChannWindow cw;
        cw.clickCell(kGrid, 0, column);
        cw.combo(kList)->lineEdit()->selectAll();
        QTest::keyClick(cw.combo(kList), Qt::Key_Backspace);
        QTest::keyClicks(cw.combo(kList), typed);
        if (typed == "8x8 ,5")
            QCOMPARE(cw.combo(kList)->currentText(), QStringLiteral("885"));
        leaveCell(cw, 1);
        QCOMPARE(cw.rowHex(0).mid(24, 11), toneBytes);
        QCOMPARE(cw.cell(kGrid, 0, column), shown);
    }

    // Regression: passing through the decode-tone cell overwrote a different
    // encode tone.
    void passingThroughDecodeToneKeepsEncodeTone()
    {
        ChannWindow cw;
        set_tone(testImage(), 0, Tone::Encode, 156);
        cw.w->refresh();
        cw.clickCell(kGrid, 0, ColDecode);
        enter(cw.combo(kList));
        leaveCell(cw, 1);
        QCOMPARE(cw.cell(kGrid, 0, ColEncode), QStringLiteral("D023I"));
    }

    void choosingAnEntryStoresAtOnce_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("power LOW") << int(ColPower) << 14 << 0x01 << "LOW";
        QTest::newRow("narrow") << int(ColBandwidth) << 15 << 0x44 << "N";
        QTest::newRow("decode 69.3 sets both") << int(ColDecode) << 10 << 0xB5 << "69.3";
    }
    void choosingAnEntryStoresAtOnce()
    {
        QFETCH(int, column);
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(QString, shown);
        ChannWindow cw;
        cw.clickCell(kGrid, 0, column);
        if (column != ColDecode) {
            QTest::keyClicks(cw.combo(kList), "Ox");  // typing does not stick here
            QCOMPARE(cw.combo(kList)->currentText(), cw.cell(kGrid, 0, column));
        }
        QTest::keyClick(cw.combo(kList), Qt::Key_Down);
        QCOMPARE(int(testImage().at(0, byte)), value);  // before the cell is left
        QCOMPARE(cw.cell(kGrid, 0, column), shown);
        leaveCell(cw, 1);
        QCOMPARE(int(testImage().at(0, byte)), value);
    }

    // Regression: choosing LOW on a channel whose byte 14 has bit 2 set
    // stored 01 in bits 0-1, and the channel still read HIGH.
    void chosenPowerReadsBackAsSet_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("shown");
        QTest::newRow("LOW where bits 0-2 are 101") << 0x15 << int(Qt::Key_Down) << 0x11 << "LOW";
        QTest::newRow("LOW where bits 0-2 are 110") << 0x06 << int(Qt::Key_Down) << 0x01 << "LOW";
        QTest::newRow("HIGH where it reads LOW") << 0x19 << int(Qt::Key_Up) << 0x18 << "HIGH";
    }
    void chosenPowerReadsBackAsSet()
    {
        QFETCH(int, before);
        QFETCH(int, key);
        QFETCH(int, after);
        QFETCH(QString, shown);
        ChannWindow cw;
        testImage().set(record_row(0), 14, uint8_t(before));
        cw.w->refresh();
        cw.clickCell(kGrid, 0, ColPower);
        QTest::keyClick(cw.combo(kList), Qt::Key(key));
        leaveCell(cw, 1);
        QCOMPARE(int(testImage().at(record_row(0), 14)), after);
        QCOMPARE(cw.cell(kGrid, 0, ColPower), shown);
        QCOMPARE(decode_channel(testImage(), 0)[ColPower], shown);
    }

    void names_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("message");
        QTest::newRow("gap") << 0 << "ab1 x" << QByteArray("41 42 31 FF 58 FF") << "AB1X" << false;
        QTest::newRow("eight characters") << 0 << "abcdefgh" << QByteArray("41 42 43 44 45 46") << "ABCDEF" << true;
        QTest::newRow("long on empty channel") << kEmpty << "abcdefg" << QByteArray("FF FF FF FF FF FF") << "" << true;
    }
    void names()
    {
        QFETCH(int, channel);
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        QFETCH(bool, message);
        ChannWindow cw;
        cw.clickCell(kGrid, channel, ColName);
        QTest::keyClicks(cw.edit(kText), typed);
        leaveCell(cw, 1);
        QCOMPARE(cw.rowHex(name_row(channel)).left(17), stored);
        QCOMPARE(cw.cell(kGrid, channel, ColName), shown);
        if (message) {
            QCOMPARE(cw.prompts.all.size(), 1);
            QCOMPARE(cw.prompts.all[0].title, QStringLiteral("Operate Prompt"));
            QCOMPARE(cw.prompts.all[0].text, QStringLiteral("The letter of channel name max 6 bit . "));
        } else {
            QVERIFY(cw.prompts.all.isEmpty());
        }
    }

    // Regression: moving over a cell with the arrow keys stored the last
    // editor's text into it.
    void arrowKeysDoNotStoreStaleText()
    {
        ChannWindow cw;
        cw.clickCell(kGrid, 0, ColRx);
        cw.retype(cw.edit(kText), "150");
        leaveCell(cw, 1);
        const QByteArray before = cw.rowHex(1);
        cw.grid(kGrid)->setFocus();
        cw.clickCell(kGrid, 1, ColBand);
        QTest::keyClick(cw.grid(kGrid), Qt::Key_Right);
        QTest::keyClick(cw.grid(kGrid), Qt::Key_Right);
        QCOMPARE(cw.rowHex(1), before);
    }

    void clearThenDefault()
    {
        ChannWindow cw;
        set_name(testImage(), 3, u"ABC");
        QTest::mouseClick(cw.button("Command_clear"), Qt::LeftButton);
        for (int n = 0; n < kChannels; ++n) {
            QVERIFY(std::all_of(testImage().row(n).begin(), testImage().row(n).end(), [](uint8_t b) { return b == 0xFF; }));
            QCOMPARE(testImage().at(name_row(n), 0), uint8_t(0xFF));
        }
        QCOMPARE(cw.cell(kGrid, 0, ColRx), QString());
        QTest::mouseClick(cw.button("Command_default"), Qt::LeftButton);
        QCOMPARE(cw.cell(kGrid, 0, ColRx), QStringLiteral("155.02500"));
        QCOMPARE(cw.cell(kGrid, 6, ColDecode), QStringLiteral("D754I"));
        QCOMPARE(cw.cell(kGrid, 199, ColRx), QStringLiteral("480.62500"));
        QCOMPARE(cw.cell(kGrid, 3, ColName), QString());
        QVERIFY(cw.prompts.all.isEmpty());
    }

    void openSaveAndClose()
    {
        ChannWindow cw;
        for (const char* name : {"Form_open_chann", "Form_save_chann"})
            shell::registerWindow(QString::fromLatin1(name), [name] {
                auto* dialog = new QWidget;
                dialog->setObjectName(QString::fromLatin1(name));
                return dialog;
            });
        QTest::mouseClick(cw.button("Command_open"), Qt::LeftButton);
        QTest::mouseClick(cw.button("Command_save"), Qt::LeftButton);
        QVERIFY(shell::findWindow("Form_open_chann"));
        QVERIFY(shell::findWindow("Form_save_chann"));
        QTest::mouseClick(cw.button("Command_close"), Qt::LeftButton);
        QVERIFY(!shell::findWindow("Form_open_chann"));
        QVERIFY(!shell::findWindow("Form_save_chann"));
        QVERIFY(!cw.w->isVisible());
        QVERIFY(cw.prompts.all.isEmpty());
    }

    void scrollingHidesTextBox()
    {
        ChannWindow cw;
        cw.clickCell(kGrid, 0, ColRx);
        QVERIFY(cw.edit(kText)->isVisible());
        cw.grid(kGrid)->verticalScrollBar()->setValue(50);
        QVERIFY(!cw.edit(kText)->isVisible());
    }

    // In the main window: sized by the geometry rule, refreshed when its
    // frame is activated again.
    void inTheMainWindow()
    {
        ChannWindow cw;
        qApp->setQuitOnLastWindowClosed(false);
        shell::setScreenSizeOverride({1280, 1024});
        auto main = std::make_unique<MDImain>(testDocument());
        main->resize(1280, 1000);
        main->show();
        shell::registerWindow("frm_chann", [] { return new frm_chann(testDocument()); });
        shell::registerWindow("other", [] { return new QWidget; });
        auto* w = qobject_cast<frm_chann*>(shell::openWindow("frm_chann"));
        QVERIFY(w);
        auto* frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->size(), childSize(main->size(), QSize(1280, 1024), 14000, 9500));

        auto* other = shell::openWindow("other");
        set_rx(testImage(), 30, u"147");
        new_channel(testImage(), 30);
        QCOMPARE(w->cellText(30, ColRx), QString());
        main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(other->parentWidget()));
        main->mdiArea()->setActiveSubWindow(frame);
        QCOMPARE(w->cellText(30, ColRx), QStringLiteral("147.00000"));
        shell::closeAllWindows();
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::setScreenSizeOverride({});
    }

    void refusalsWhileBusy_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        const QString busy = "Read-write operating with transceiver .";
        QTest::newRow("read") << "Command_read" << busy;
        QTest::newRow("write") << "Command_write" << busy;
        QTest::newRow("default") << "Command_default" << busy;
        QTest::newRow("open") << "Command_open" << busy;
        QTest::newRow("save") << "Command_save" << busy;
        QTest::newRow("clear") << "Command_clear" << QString::fromUtf8("Read-write operating，don't clear operate .,");
        QTest::newRow("close") << "Command_close" << QString::fromUtf8("Read-write operating，don't close the window. ,");
        QTest::newRow("frame") << "" << QString::fromUtf8("Read-write operating，don't close the window.,");
    }
    void refusalsWhileBusy()
    {
        QFETCH(QString, button);
        QFETCH(QString, message);
        ChannWindow cw;
        QTest::mouseClick(cw.button("Command_read"), Qt::LeftButton);
        QVERIFY(cw.w->busy());
        const Image before = testImage();
        if (button.isEmpty())
            cw.w->close();
        else
            QTest::mouseClick(cw.button(button.toLatin1()), Qt::LeftButton);
        QCOMPARE(cw.prompts.texts(), QStringList{message});
        QCOMPARE(cw.prompts.all[0].title, kOperatePrompt);
        QVERIFY(cw.w->isVisible());
        QVERIFY(testImage() == before);
        QCOMPARE(cw.port->opens, 1);
    }
};

QTEST_MAIN(TstFrmChann)
#include "tst_frm_chann.moc"
