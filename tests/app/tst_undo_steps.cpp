// Every kind of step a user takes in an editor window, and every step that
// changes the whole radio, is one entry of the document's record: undo puts
// the image back byte for byte and the open windows show it as it was;
// redo makes it again and they show it after. Each step is made with real
// clicks and keys.
//
// The adjustment window is not among the editors: its table lives beside
// the image, and none of its steps edits the image or adds to the record
// (adjustmentStepsLeaveTheImage), so undo has nothing of it to take back.
#include "editor_window.h"
#include "radio_rig.h"
#include "test_document.h"

#include "app/csv_import.h"
#include "app/file_dialog.h"
#include "app/form_comm.h"
#include "editors/adjust/frm_adj_txp.h"
#include "editors/channels/channel_columns.h"
#include "editors/channels/frm_chann.h"
#include "editors/fm/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "editors/signalling/two_tone_codec.h"
#include "interchange/config/config.h"
#include "interchange/datafile.h"
#include "ui/shell.h"
#include "ui/window_names.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace vx;
using namespace vx::channels;
using namespace vx::test;

namespace {

// A radio that differs from the start-up image in every editor's area.
const QByteArray kOtherRadio = "options: {squelch_level: \"3\"}\n"
                               "channels: [{number: 0, receive: 146.5, transmit: 146.5},\n"
                               "           {number: 10, receive: 438.5, transmit: 438.5}]\n"
                               "dtmf: {code_1: \"123\"}\n"
                               "2-tone: {encode_1_tone_1: \"1000.0\"}\n"
                               "5-tone: {encode_1_frame_1: \"54321\"}\n"
                               "fm presets: [{preset: 1, frequency: 99.50000, name: CLUB}]\n";

Image otherRadio()
{
    Image image;
    lay_startup_defaults(image);
    for (const config::Problem& p : config::apply_config(kOtherRadio, image, kDefaultBandLimits).problems)
        qFatal("the other radio: line %d: %s", p.line, qPrintable(p.text));
    return image;
}

// The first row at which two images differ, both rows in hex; empty when
// they are equal.
QString firstDifference(const Image& a, const Image& b)
{
    for (int r = 0; r < Image::kRows; ++r)
        if (!std::ranges::equal(a.row(r), b.row(r)))
            return QStringLiteral("row %1: %2 / %3").arg(r).arg(QString::fromLatin1(rowHex(a, r)), QString::fromLatin1(rowHex(b, r)));
    return {};
}

// Makes `step` and checks that it is one entry of the record, that undo
// puts back the very bytes before it (`shown` as before) and that redo
// makes it again (`shown` as after); showing stores nothing.
void checkOneStep(RadioDocument& doc, const std::function<void()>& step, const std::function<QString()>& shown)
{
    const Image before = doc.image();
    const QString shownBefore = shown();
    const std::size_t entries = doc.record().size();
    step();
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(doc.record().size(), entries + 1);
    QCOMPARE(doc.undoneCount(), std::size_t(0));
    const Image after = doc.image();
    const QString shownAfter = shown();
    QVERIFY(after != before);
    QVERIFY2(shownAfter != shownBefore, qPrintable(shownAfter));

    QVERIFY(doc.undo());
    QCOMPARE(firstDifference(doc.image(), before), QString());
    QCOMPARE(shown(), shownBefore);
    QVERIFY(doc.redo());
    QCOMPARE(firstDifference(doc.image(), after), QString());
    QCOMPARE(shown(), shownAfter);
    QCOMPARE(doc.record().size(), entries + 1);
    QVERIFY(!doc.canRedo());
}

// ---------------------------------------------------------------- one editor

template <class W>
using Shown = std::function<QString(const EditorWindow<W>&)>;

template <class W>
struct Step {
    const char* name;
    std::function<void(EditorWindow<W>&)> act;
    Shown<W> shown;
    std::function<void(EditorWindow<W>&)> ready{};  // on the open window, before the step
    bool other = false;  // the window opens on otherRadio(), so that Default changes it
};

template <class W>
void addSteps(const std::vector<Step<W>>& steps)
{
    QTest::addColumn<int>("step");
    for (size_t i = 0; i < steps.size(); ++i)
        QTest::newRow(steps[i].name) << int(i);
}

template <class W>
void runStep(const std::vector<Step<W>>& steps)
{
    QFETCH(int, step);
    const Step<W>& s = steps[size_t(step)];
    std::function<void()> prepare;
    if (s.other)
        prepare = [] { testImage() = otherRadio(); };
    EditorWindow<W> ew(EditorSetup{.prepare = prepare});
    if (s.ready)
        s.ready(ew);
    checkOneStep(ew.doc, [&] { s.act(ew); }, [&] { return s.shown(ew); });
}

template <class W>
Step<W> buttonStep(const char* name, const char* button, Shown<W> shown, bool other)
{
    return {name, [button](EditorWindow<W>& ew) { ew.clickButton(button); }, std::move(shown), {}, other};
}

// The window's own Read from a radio that holds otherRadio().
template <class W>
Step<W> readStep(Shown<W> shown)
{
    return {"Read", [](EditorWindow<W>& ew) {
                ScriptRadio radio(ew.clock, *ew.port);
                radio.memory = otherRadio();
                ew.clickButton("Command_read");
                QVERIFY(ew.clock.runUntil([&] { return !ew.prompts.all.isEmpty(); }));
            }, std::move(shown)};
}

template <class W>
Step<W> chooseStep(const char* name, const char* list, int by)
{
    return {name, [list, by](EditorWindow<W>& ew) { ew.choose(ew.combo(list), ew.combo(list)->currentIndex() + by); },
            [list](const EditorWindow<W>& ew) { return ew.combo(list)->currentText(); }};
}

template <class W>
Step<W> checkStep(const char* name, const char* box)
{
    return {name, [box](EditorWindow<W>& ew) { QTest::mouseClick(ew.check(box), Qt::LeftButton, {}, QPoint(6, ew.check(box)->height() / 2)); },
            [box](const EditorWindow<W>& ew) { return QString(ew.check(box)->isChecked() ? "on" : "off"); }};
}

// Types `keys` at the end of a field and leaves it for `away`.
template <class W>
Step<W> fieldStep(const char* name, const char* field, const QString& keys, const char* away, bool retype = false)
{
    return {name, [=](EditorWindow<W>& ew) {
                if (retype)
                    ew.retype(ew.edit(field), keys);
                else
                    ew.type(ew.edit(field), keys);
                ew.focusAway(ew.find(away));
            },
            [field](const EditorWindow<W>& ew) { return ew.edit(field)->text(); }};
}

// Types `text` in place of a grid cell's text (its box opened by a click)
// and leaves the cell with Enter or a click on cell (`awayRow`, 0).
template <class W>
void typeCell(EditorWindow<W>& ew, const QString& grid, int row, int column, const QString& box, const QString& text,
              bool enter, int awayRow)
{
    ew.clickCell(grid, row, column);
    ew.retype(ew.edit(box), text);
    if (enter)
        QTest::keyClick(ew.edit(box), Qt::Key_Return);
    else
        ew.clickCell(grid, awayRow, 0);
}

template <class W>
Step<W> cellStep(const char* name, const char* grid, int row, int column, const char* box, const QString& text, bool enter,
                 int awayRow = 0)
{
    return {name, [=](EditorWindow<W>& ew) { typeCell(ew, grid, row, column, box, text, enter, awayRow); },
            [=](const EditorWindow<W>& ew) { return ew.cell(grid, row, column); }};
}

// Opens a grid cell's list (not counted as the step), steps one entry on
// and leaves the cell for the first cell of the next row.
template <class W>
Step<W> cellListStep(const char* name, const char* grid, int row, int column, const char* list, int tab = -1)
{
    return {name, [=](EditorWindow<W>& ew) {
                QTest::keyClick(ew.combo(list), Qt::Key_Down);
                ew.clickCell(grid, row + 1, 0);
            },
            [=](const EditorWindow<W>& ew) { return ew.cell(grid, row, column); },
            [=](EditorWindow<W>& ew) {
                if (tab >= 0)
                    ew.template find<QTabWidget>("TabStrip1")->setCurrentIndex(tab);
                ew.clickCell(grid, row, column);
            }};
}

// ---------------------------------------------------------------- the editors

using ChannWindow = EditorWindow<frm_chann>;
constexpr int kEmptyChannel = 10;  // empty after the factory set

const std::vector<Step<frm_chann>>& channelSteps()
{
    using S = Step<frm_chann>;
    const char* g = "MSF_Chann";
    auto cell = [g](int n, int c) { return [=](const ChannWindow& cw) { return cw.cell(g, n, c); }; };
    auto row = [g](int n) {
        return [=](const ChannWindow& cw) {
            QStringList texts;
            for (int c = 0; c < kColumns; ++c)
                texts << cw.cell(g, n, c);
            return texts.join('|');
        };
    };
    static const std::vector<S> steps{
        cellStep<frm_chann>("receive typed, Enter", g, 0, ColRx, "Text_Edit", "146.5", true),
        cellStep<frm_chann>("receive typed, cell left", g, 0, ColRx, "Text_Edit", "146.5", false, 1),
        {"new channel: receive typed, Enter", [=](ChannWindow& cw) { typeCell(cw, g, kEmptyChannel, ColRx, "Text_Edit", "438.5", true, 0); },
         row(kEmptyChannel)},
        {"new channel: receive typed, cell left", [=](ChannWindow& cw) { typeCell(cw, g, kEmptyChannel, ColRx, "Text_Edit", "438.5", false, 0); },
         row(kEmptyChannel)},
        {"new channel: receive out of range, Enter", [=](ChannWindow& cw) { typeCell(cw, g, kEmptyChannel, ColRx, "Text_Edit", "300", true, 0); },
         row(kEmptyChannel)},
        cellStep<frm_chann>("receive emptied", g, 1, ColRx, "Text_Edit", "", false, 0),
        cellStep<frm_chann>("transmit typed, Enter", g, 0, ColTx, "Text_Edit", "146.5", true),
        cellStep<frm_chann>("transmit out of range, Enter", g, 0, ColTx, "Text_Edit", "300", true),
        cellStep<frm_chann>("name typed", g, 0, ColName, "Text_Edit", "CLUB", false, 1),
        cellListStep<frm_chann>("power chosen", g, 0, ColPower, "Combo_edit"),
        cellListStep<frm_chann>("decode tone chosen", g, 0, ColDecode, "Combo_edit"),
        {"decode tone typed", [](ChannWindow& cw) {
             QTest::keyClick(cw.combo("Combo_edit"), Qt::Key_Backspace);
             QTest::keyClicks(cw.combo("Combo_edit"), "88.5");
             cw.clickCell("MSF_Chann", 1, 0);
         },
         cell(0, ColDecode), [](ChannWindow& cw) {
             cw.clickCell("MSF_Chann", 0, ColDecode);
             cw.combo("Combo_edit")->lineEdit()->selectAll();
         }},
        buttonStep<frm_chann>("Default", "Command_default", row(0), true),
        buttonStep<frm_chann>("Clear", "Command_clear", row(0), false),
        readStep<frm_chann>(row(0)),
    };
    return steps;
}

using OptionWindow = EditorWindow<frm_option>;

const std::vector<Step<frm_option>>& optionSteps()
{
    using S = Step<frm_option>;
    static const std::vector<S> steps{
        chooseStep<frm_option>("list chosen", "Combo_Sql_le", 1),
        checkStep<frm_option>("check box", "Check_VFO_MR_SW"),
        fieldStep<frm_option>("code: one key", "Text_PttId_Begin", "7", "Combo_Sql_le"),
        fieldStep<frm_option>("code: several keys", "Text_PttId_Begin", "789", "Combo_Sql_le"),
        fieldStep<frm_option>("message retyped", "Text_PON_MSG_U", "CLUB", "Combo_Sql_le", true),
        fieldStep<frm_option>("VFO frequency retyped", "Text_Freq_a", "145.125", "Combo_Sql_le", true),
        fieldStep<frm_option>("VFO frequency of the other band", "Text_Freq_a", "438.5", "Combo_Sql_le", true),
        chooseStep<frm_option>("VFO list chosen", "Combo_txp_a", 1),
        chooseStep<frm_option>("VFO band chosen", "Combo_Band_A", 1),
        buttonStep<frm_option>("Default", "Command_def", [](const OptionWindow& ow) { return ow.combo("Combo_Sql_le")->currentText(); }, true),
        readStep<frm_option>([](const OptionWindow& ow) { return ow.combo("Combo_Sql_le")->currentText(); }),
    };
    return steps;
}

using DtmfWindow = EditorWindow<frm_dtmf>;

const std::vector<Step<frm_dtmf>>& dtmfSteps()
{
    auto code1 = [](const DtmfWindow& d) { return d.edit("Text_tx_Encode_0")->text(); };
    static const std::vector<Step<frm_dtmf>> steps{
        fieldStep<frm_dtmf>("code: one key", "Text_tx_Encode_0", "7", "Combo_Enc_ys1"),
        fieldStep<frm_dtmf>("code: several keys", "Text_tx_Encode_0", "789", "Combo_Enc_ys1"),
        fieldStep<frm_dtmf>("decode code typed", "Text_XC", "12", "Combo_Enc_ys1"),
        chooseStep<frm_dtmf>("list chosen", "Combo_Enc_ys1", 1),
        chooseStep<frm_dtmf>("character list chosen", "Combo_Dec_qh", 1),
        checkStep<frm_dtmf>("check box", "Check_RX"),
        buttonStep<frm_dtmf>("Default", "Command_def", code1, true),
        readStep<frm_dtmf>(code1),
    };
    return steps;
}

using TwoToneWindow = EditorWindow<frm_2tone>;

const std::vector<Step<frm_2tone>>& twoToneSteps()
{
    auto tx1 = [](const TwoToneWindow& t) { return t.cell("MSF_Encode", 0, 1); };
    static const std::vector<Step<frm_2tone>> steps{
        cellStep<frm_2tone>("transmit tone typed", "MSF_Encode", 0, 1, "Text_Encode", "1000", false, 1),
        chooseStep<frm_2tone>("duration chosen", "Combo_Enc_ys1", 1),
        {"rule cell opened and left (its preselection stored)", [](TwoToneWindow& t) {
             t.clickCell("MSF_Decode", 0, 1);
             t.clickCell("MSF_Decode", 1, 0);
         },
         [](const TwoToneWindow& t) { return t.cell("MSF_Decode", 0, 1); },
         [](TwoToneWindow& t) {
             t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
             t.doc.edit({"", ""}, two_tone::kRegion, [](Image& image) { two_tone::set_rule_byte(image, 1, 1, 3); });
         }},
        {"rule chosen", [](TwoToneWindow& t) {
             QTest::keyClick(t.combo("Combo_Decode"), Qt::Key_Down);
             t.clickCell("MSF_Decode", 1, 0);
         },
         [](const TwoToneWindow& t) { return t.cell("MSF_Decode", 0, 1); },
         [](TwoToneWindow& t) {
             t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1);
             t.clickCell("MSF_Decode", 0, 1);  // stores the preselection, if anything: not the step
         }},
        {"receive tone retyped", [](TwoToneWindow& t) {
             t.retype(t.edit("Text_A"), "2000");
             t.focusAway(t.combo("Combo_Dec_Res_Time"));
         },
         [](const TwoToneWindow& t) { return t.edit("Text_A")->text(); },
         [](TwoToneWindow& t) { t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1); }},
        chooseStep<frm_2tone>("reset time chosen", "Combo_Dec_Res_Time", 1),
        buttonStep<frm_2tone>("Default", "Command_def", tx1, true),
        readStep<frm_2tone>(tx1),
    };
    return steps;
}

using FiveToneWindow = EditorWindow<frm_5tone>;

const std::vector<Step<frm_5tone>>& fiveToneSteps()
{
    auto frame1 = [](const FiveToneWindow& t) { return t.cell("MSF_Encode", 0, 1); };
    auto encodeTab = [](FiveToneWindow& t) { t.find<QTabWidget>("TabStrip1")->setCurrentIndex(1); };
    static const std::vector<Step<frm_5tone>> steps{
        cellListStep<frm_5tone>("standard's length chosen", "MSF_Chann", 0, 1, "Combo_edit"),
        cellListStep<frm_5tone>("standard's group tone chosen", "MSF_Chann", 0, 2, "Combo_edit"),
        {"frame retyped", [](FiveToneWindow& t) { typeCell(t, "MSF_Encode", 0, 1, "Text_Encode", "54321", false, 1); }, frame1, encodeTab},
        cellListStep<frm_5tone>("entry's standard chosen", "MSF_Encode", 0, 4, "Combo_Encode", 1),
        {"check box", [](FiveToneWindow& t) { QTest::mouseClick(t.check("Check_Decode_HJ_0"), Qt::LeftButton, {}, QPoint(6, 8)); },
         [](const FiveToneWindow& t) { return QString(t.check("Check_Decode_HJ_0")->isChecked() ? "on" : "off"); }, encodeTab},
        {"timing chosen", [](FiveToneWindow& t) { t.choose(t.combo("Combo_Enc_ys1"), t.combo("Combo_Enc_ys1")->currentIndex() + 1); },
         [](const FiveToneWindow& t) { return t.combo("Combo_Enc_ys1")->currentText(); }, encodeTab},
        {"decode standard chosen", [](FiveToneWindow& t) { t.choose(t.combo("Combo_Decode_Std"), t.combo("Combo_Decode_Std")->currentIndex() + 1); },
         [](const FiveToneWindow& t) { return t.combo("Combo_Decode_Std")->currentText(); }, encodeTab},
        buttonStep<frm_5tone>("Default", "Command_def", frame1, true),
        readStep<frm_5tone>(frame1),
    };
    return steps;
}

using FmWindow = EditorWindow<frm_FM>;

const std::vector<Step<frm_FM>>& fmSteps()
{
    auto preset1 = [](const FmWindow& f) { return f.cell("MSF_FM", 0, 1) + '|' + f.cell("MSF_FM", 0, 2); };
    static const std::vector<Step<frm_FM>> steps{
        cellStep<frm_FM>("frequency typed, Enter", "MSF_FM", 2, frm_FM::ColFrequency, "Text_Edit", "101.1", true),
        cellStep<frm_FM>("frequency typed, cell left", "MSF_FM", 2, frm_FM::ColFrequency, "Text_Edit", "101.1", false),
        cellStep<frm_FM>("frequency out of range", "MSF_FM", 2, frm_FM::ColFrequency, "Text_Edit", "120", true),
        cellStep<frm_FM>("frequency emptied", "MSF_FM", 0, frm_FM::ColFrequency, "Text_Edit", "", true),
        cellStep<frm_FM>("name typed", "MSF_FM", 0, frm_FM::ColName, "Text_Edit", "CLUB", false),
        buttonStep<frm_FM>("Default", "Command_default", preset1, true),
        buttonStep<frm_FM>("Clear", "Command_clear", preset1, false),
        readStep<frm_FM>(preset1),
    };
    return steps;
}

// ---------------------------------------------------------------- the whole radio

// Every editor open; what each shows of the areas otherRadio() differs in.
struct AllEditors {
    EditorWindow<frm_chann> channels;
    EditorWindow<frm_option> options;
    EditorWindow<frm_dtmf> dtmf;
    EditorWindow<frm_2tone> two;
    EditorWindow<frm_FM> fm;
    EditorWindow<frm_5tone> five;  // made last: its clock, ports and prompt capture are in force

    QString shown() const
    {
        return QStringList{channels.cell("MSF_Chann", 0, ColRx), channels.cell("MSF_Chann", 1, ColName),
                           options.combo("Combo_Sql_le")->currentText(), dtmf.edit("Text_tx_Encode_0")->text(),
                           two.cell("MSF_Encode", 0, 1), fm.cell("MSF_FM", 0, 1), five.cell("MSF_Encode", 0, 1)}
            .join('|');
    }
};

enum class Whole { DataFile, ChannelList, Configuration, Read };

// Picks `name` in a file dialog and confirms.
void pick(FileDialog& dialog, const QString& name)
{
    dialog.show();
    auto* box = dialog.findChild<QLineEdit*>("Text1");
    box->selectAll();
    QTest::keyClicks(box, name);
    QTest::mouseClick(dialog.findChild<QPushButton*>("Command_enter"), Qt::LeftButton);
}

}  // namespace

Q_DECLARE_METATYPE(Whole)

class TstUndoSteps : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString oldCurrent_;

private slots:
    void initTestCase()
    {
        registerWindows();
        oldCurrent_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        QCOMPARE(datafile::save(otherRadio(), dir_.filePath("other.dat")), datafile::SaveError::None);
        QFile csv(dir_.filePath("list.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,Skip,Comment\r\n"
                  "0,HOME,146.520000,,0.600000,,88.5,88.5,023,NN,FM,5.00,,\r\n"
                  "1,CLUB,438.500000,,0.600000,,88.5,88.5,023,NN,FM,5.00,,\r\n");
    }
    void cleanupTestCase() { QDir::setCurrent(oldCurrent_); }
    void cleanup() { shell::closeAllWindows(); }

    // Each editor's steps, one window open. Regression: each key typed into
    // a field that stores at once (an option code or message line, a DTMF
    // code, a 5-tone frame) was an entry of its own, so undo took back one
    // character of what was typed.
    void channelGrid_data() { addSteps(channelSteps()); }
    void channelGrid() { runStep(channelSteps()); }
    void options_data() { addSteps(optionSteps()); }
    void options() { runStep(optionSteps()); }
    void dtmf_data() { addSteps(dtmfSteps()); }
    void dtmf() { runStep(dtmfSteps()); }
    void twoTone_data() { addSteps(twoToneSteps()); }
    void twoTone() { runStep(twoToneSteps()); }
    void fiveTone_data() { addSteps(fiveToneSteps()); }
    void fiveTone() { runStep(fiveToneSteps()); }
    void fmPresets_data() { addSteps(fmSteps()); }
    void fmPresets() { runStep(fmSteps()); }

    // The steps that change the whole radio, with every editor open.
    void wholeRadio_data()
    {
        QTest::addColumn<Whole>("step");
        QTest::newRow("data file loaded") << Whole::DataFile;
        QTest::newRow("channel list imported") << Whole::ChannelList;
        QTest::newRow("configuration applied") << Whole::Configuration;
        QTest::newRow("whole read") << Whole::Read;
    }
    void wholeRadio()
    {
        QFETCH(Whole, step);
        AllEditors all;
        RadioDocument& doc = testDocument();
        checkOneStep(doc, [&] {
            switch (step) {
            case Whole::DataFile: {
                Form_open_chann dialog(doc);
                pick(dialog, "other.dat");
                QCOMPARE(all.five.prompts.texts(), QStringList{"Succeed fold the parameter from file."});
                break;
            }
            case Whole::ChannelList: {
                Form_import_csv dialog(doc);
                pick(dialog, "list.csv");
                auto* report = qobject_cast<Form_csv_report*>(shell::findWindow(window::kCsvReport));
                QVERIFY(report);
                QTest::mouseClick(report->findChild<QPushButton*>("Command_import"), Qt::LeftButton);
                break;
            }
            case Whole::Configuration: {
                // The window program has no command of its own that applies
                // a text configuration (the command line applies one to a
                // file); applied to the document it is this one edit.
                const QByteArray text = config::export_config(otherRadio());
                doc.edit(edits::applyConfiguration(), region::all, [&](Image& image) {
                    QVERIFY(config::apply_config(text, image, doc.bandLimits()).ok());
                });
                break;
            }
            case Whole::Read: {
                Form_Comm_Read reader(doc);
                reader.show();
                ScriptRadio radio(all.five.clock, *all.five.port);
                radio.memory = otherRadio();
                QTest::mouseClick(reader.findChild<QPushButton*>("Command_read"), Qt::LeftButton);
                QVERIFY(all.five.clock.runUntil([&] { return !all.five.prompts.all.isEmpty(); }));
                QCOMPARE(all.five.prompts.texts(), QStringList{"Complete reading data from the transceiver."});
                break;
            }
            }
        }, [&] { return all.shown(); });
    }

    // The adjustment window edits its table beside the image: neither a
    // typed value nor Default changes the image or adds to the record.
    void adjustmentStepsLeaveTheImage_data()
    {
        QTest::addColumn<bool>("byDefault");
        QTest::newRow("squelch level typed") << false;
        QTest::newRow("Default") << true;
    }
    void adjustmentStepsLeaveTheImage()
    {
        QFETCH(bool, byDefault);
        table() = adjust::Table{};
        EditorWindow<frm_Adj_Txp> a;
        const Image before = a.doc.image();
        const adjust::Table tableBefore = table();
        if (byDefault)
            a.clickButton("Command_def");
        else
            a.retype(a.edit("Text_SQ_VHF_3"), "7");
        QVERIFY(!(table() == tableBefore));
        QVERIFY(a.doc.image() == before);
        QVERIFY(a.doc.record().empty());
    }
};

QTEST_MAIN(TstUndoSteps)
#include "tst_undo_steps.moc"
