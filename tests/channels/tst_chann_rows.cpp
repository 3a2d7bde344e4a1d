// The channel grid's row commands, driven by real clicks and keys: selecting
// channels by their numbers, moving, inserting, deleting, clearing and
// sorting them, a list choice made for every selected channel, each one
// undo step, and the context menu in both languages.
#include "editor_window.h"
#include "test_document.h"

#include "editors/channels/channel_codec.h"
#include "editors/channels/frm_chann.h"
#include "image/language.h"

#include <QAction>
#include <QLineEdit>
#include <QMimeData>

#include <memory>
#include <QMenu>

using namespace vx;
using namespace vx::channels;
using namespace vx::test;

namespace {

using ChannWindow = EditorWindow<frm_chann>;
const QString kGrid = "MSF_Chann", kList = "Combo_edit";

// Channels 0..7 named N0..N7 with receive frequencies falling from 440
// MHz; channel 8 on is empty.
void layChannels()
{
    Image& image = testImage();
    for (int n = 0; n < kChannels; ++n)
        delete_channel(image, n);
    for (int n = 0; n < 8; ++n) {
        new_channel(image, n);
        set_rx(image, n, QStringLiteral("%1.00000").arg(440 - n));
        set_name(image, n, QStringLiteral("N%1").arg(n));
    }
}

QStringList names(int first, int last)
{
    QStringList out;
    for (int n = first; n <= last; ++n)
        out << (is_empty(testImage(), n) ? QString() : decode_channel(testImage(), n)[ColName]);
    return out;
}

void clickNumber(ChannWindow& cw, int n, Qt::KeyboardModifiers mods = {})
{
    QTableView* g = cw.grid(kGrid);
    const QModelIndex i = g->model()->index(n, ColNumber);
    g->scrollTo(i);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, mods, g->visualRect(i).center());
}

QAction* action(ChannWindow& cw, const char* name) { return cw.w->rowMenu()->findChild<QAction*>(name); }

bool shaded(ChannWindow& cw, int n)
{
    return cw.grid(kGrid)->model()->index(n, ColRx).data(Qt::BackgroundRole).isValid();
}

}  // namespace

class TstChannRows : public QObject {
    Q_OBJECT
private slots:
    // Click, Shift+click and Ctrl+click on the numbers select as in a
    // spreadsheet; the selected rows are shaded; a click on a cell of
    // another row ends the selection.
    void selecting()
    {
        ChannWindow cw({.prepare = layChannels});
        clickNumber(cw, 3);
        clickNumber(cw, 5, Qt::ShiftModifier);
        QCOMPARE(cw.w->selectedChannels(), (std::vector<int>{3, 4, 5}));
        clickNumber(cw, 7, Qt::ControlModifier);
        clickNumber(cw, 4, Qt::ControlModifier);
        QCOMPARE(cw.w->selectedChannels(), (std::vector<int>{3, 5, 7}));
        QVERIFY(shaded(cw, 5) && !shaded(cw, 4));
        cw.clickCell(kGrid, 9, ColRx);
        QCOMPARE(cw.w->selectedChannels(), std::vector<int>{9});  // the current channel alone
        QVERIFY(!shaded(cw, 5));
    }

    // Rows 3-5 moved down two places with Alt+Down, one undo step each; two
    // undos put them back, a redo moves them once more; the whole records
    // travel with their names.
    void moveDownTwiceUndoRedo()
    {
        ChannWindow cw({.prepare = layChannels});
        const Image before = testImage();
        const size_t edits = testDocument().record().size();
        clickNumber(cw, 3);
        clickNumber(cw, 5, Qt::ShiftModifier);
        QTest::keyClick(cw.grid(kGrid), Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(cw.grid(kGrid), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(names(0, 8), (QStringList{"N0", "N1", "N2", "N6", "N7", "N3", "N4", "N5", ""}));
        QCOMPARE(cw.cell(kGrid, 5, ColName), QString("N3"));
        QCOMPARE(cw.w->selectedChannels(), (std::vector<int>{5, 6, 7}));  // the selection follows
        QVERIFY(std::ranges::equal(testImage().row(record_row(5)), before.row(record_row(3))));
        QCOMPARE(testDocument().record().size(), edits + 2);

        QVERIFY(testDocument().undo());
        QVERIFY(testDocument().undo());
        QVERIFY(testImage() == before);
        QCOMPARE(cw.cell(kGrid, 3, ColName), QString("N3"));  // shown at once
        QVERIFY(testDocument().redo());
        QCOMPARE(names(0, 7), (QStringList{"N0", "N1", "N2", "N6", "N3", "N4", "N5", "N7"}));
    }

    // Past the ends, into a full memory, or on channels that are not
    // consecutive: refused with a message, nothing changed.
    void refusals_data()
    {
        QTest::addColumn<QList<int>>("select");
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("message");
        QTest::newRow("the first up") << QList<int>{0, 1} << "Menu_up" << false << "Channels cannot move past 0 or 199.";
        QTest::newRow("the last down") << QList<int>{199} << "Menu_down" << false << "Channels cannot move past 0 or 199.";
        QTest::newRow("insert, full") << QList<int>{4} << "Menu_insert" << true
                                      << "The last channel (199) is not empty: nothing can be inserted.";
        QTest::newRow("move a broken run") << QList<int>{2, 5} << "Menu_down" << false << "This needs consecutive channels selected.";
    }
    void refusals()
    {
        QFETCH(QList<int>, select);
        QFETCH(QString, command);
        QFETCH(bool, full);
        QFETCH(QString, message);
        ChannWindow cw({.prepare = [full] {
            layChannels();
            if (full)
                set_rx(testImage(), 199, u"145.00000");
        }});
        const Image before = testImage();
        cw.w->selectChannels({select.begin(), select.end()});
        action(cw, command.toLatin1())->trigger();
        QCOMPARE(cw.prompts.texts(), QStringList{message});
        QVERIFY(testImage() == before);
    }

    // Insert, delete (the rest moves up), clear and the two sorts from the
    // context menu.
    void menuCommands()
    {
        ChannWindow cw({.prepare = layChannels});
        cw.w->selectChannels({2});
        action(cw, "Menu_insert")->trigger();
        QCOMPARE(names(0, 4), (QStringList{"N0", "N1", "", "N2", "N3"}));
        cw.w->selectChannels({0, 3});
        action(cw, "Menu_remove")->trigger();
        QCOMPARE(names(0, 8), (QStringList{"N1", "", "N3", "N4", "N5", "N6", "N7", "", ""}));
        cw.w->selectChannels({0, 1, 2, 3, 4, 5, 6, 7});
        action(cw, "Menu_sort_rx")->trigger();  // rising frequency: N7 first, the empty one last
        QCOMPARE(names(0, 7), (QStringList{"N7", "N6", "N5", "N4", "N3", "N1", "", ""}));
        action(cw, "Menu_sort_name")->trigger();
        QCOMPARE(names(0, 6), (QStringList{"N1", "N3", "N4", "N5", "N6", "N7", ""}));
        cw.w->selectChannels({1, 2});
        action(cw, "Menu_clear")->trigger();
        QCOMPARE(names(0, 3), (QStringList{"N1", "", "", "N5"}));
        QVERIFY(cw.prompts.all.isEmpty());
    }

    // A list choice in one of several selected rows sets every selected
    // channel that takes it, in one undo step; the ones that do not (an
    // empty channel) are listed.
    void oneChoiceForAllSelected()
    {
        ChannWindow cw({.prepare = layChannels});
        const Image before = testImage();
        const size_t edits = testDocument().record().size();
        clickNumber(cw, 3);
        clickNumber(cw, 5, Qt::ShiftModifier);
        clickNumber(cw, 9, Qt::ControlModifier);  // empty
        cw.clickCell(kGrid, 4, ColPower);
        const int low = int(choices(ColPower).indexOf("LOW"));
        QVERIFY(low >= 0);
        cw.combo(kList)->setCurrentIndex(low);
        emit cw.combo(kList)->activated(low);
        for (int n : {3, 4, 5})
            QCOMPARE(decode_channel(testImage(), n)[ColPower], QString("LOW"));
        QCOMPARE(decode_channel(testImage(), 2)[ColPower], QString("HIGH"));
        QVERIFY(is_empty(testImage(), 9));
        QCOMPARE(cw.prompts.texts(), QStringList{"Not set on these channels (empty, or no transmit frequency): 9"});
        QCOMPARE(testDocument().record().size(), edits + 1);
        QVERIFY(testDocument().undo());
        QVERIFY(testImage() == before);
    }

    // Channels dragged by their numbers and dropped on a row: the block
    // lands there in one edit, no further than channel 199; a row of the
    // grid that is not dragged by its number carries nothing.
    void dragAndDrop()
    {
        ChannWindow cw({.prepare = layChannels});
        auto* model = cw.grid(kGrid)->model();
        QVERIFY(model->flags(model->index(3, ColNumber)) & Qt::ItemIsDragEnabled);
        QVERIFY(!(model->flags(model->index(3, ColRx)) & Qt::ItemIsDragEnabled));
        cw.w->selectChannels({3, 4, 5});
        std::unique_ptr<QMimeData> data(model->mimeData({model->index(4, ColNumber)}));
        QVERIFY(data);
        const size_t edits = testDocument().record().size();
        model->dropMimeData(data.get(), Qt::MoveAction, -1, -1, model->index(10, ColRx));
        QCOMPARE(names(8, 13), (QStringList{"", "", "N3", "N4", "N5", ""}));
        QCOMPARE(names(3, 7), (QStringList{"N6", "N7", "", "", ""}));
        QCOMPARE(testDocument().record().size(), edits + 1);
        QCOMPARE(cw.w->selectedChannels(), (std::vector<int>{10, 11, 12}));

        cw.w->selectChannels({});
        data.reset(model->mimeData({model->index(0, ColNumber)}));  // one channel, not selected
        model->dropMimeData(data.get(), Qt::MoveAction, -1, -1, model->index(199, ColNumber));
        QCOMPARE(names(199, 199), QStringList{"N0"});
        QCOMPARE(names(9, 11), (QStringList{"N3", "N4", "N5"}));  // the channels passed moved up one
        cw.w->selectChannels({9, 10, 11});
        data.reset(model->mimeData({model->index(9, ColNumber)}));
        model->dropMimeData(data.get(), Qt::MoveAction, -1, -1, model->index(199, ColNumber));
        QCOMPARE(names(197, 199), (QStringList{"N3", "N4", "N5"}));  // the last no further than 199
        QVERIFY(cw.prompts.all.isEmpty());
    }

    void menuCaptions_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("English") << false
                                 << QStringList{"Undo", "Redo", "Insert empty channel", "Delete channels (move the rest up)", "Clear channels",
                                                "Move up", "Move down", "Sort by RX frequency", "Sort by name", "Select all", "Find…", "Find next"};
        QTest::newRow("Chinese") << true
                                 << QStringList{"撤销", "重做", "插入空信道", "删除信道（后面的上移）", "清除信道", "上移", "下移", "按接收频率排序",
                                                "按名称排序", "全选", "查找…", "查找下一个"};
    }
    void menuCaptions()
    {
        QFETCH(bool, inChinese);
        QFETCH(QStringList, captions);
        ChannWindow cw({.prepare = layChannels, .chinese = inChinese});
        QStringList shown;
        for (QAction* a : cw.w->rowMenu()->actions())
            if (!a->isSeparator())
                shown << a->text();
        QCOMPARE(shown, captions);
    }

    // Ctrl+F opens the find field, Enter finds by name, frequency or tone
    // from the current channel on, F3 finds the next, round the end; what
    // is not there is said.
    void finding()
    {
        ChannWindow cw({.prepare = [] {
            layChannels();
            set_tone(testImage(), 2, Tone::Decode, int(choices(ColDecode).indexOf("88.5")));
            set_tone(testImage(), 6, Tone::Decode, int(choices(ColDecode).indexOf("88.5")));
        }});
        cw.clickCell(kGrid, 0, ColNumber);
        QTest::keyClick(cw.grid(kGrid), Qt::Key_F, Qt::ControlModifier);
        QLineEdit* field = cw.w->findField();
        QVERIFY(field->isVisible() && field->hasFocus());
        QTest::keyClicks(field, "n5");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(cw.grid(kGrid)->currentIndex().row(), 5);
        QCOMPARE(cw.w->selectedChannels(), std::vector<int>{5});
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!field->isVisible());

        cw.w->find("88.5");
        QCOMPARE(cw.grid(kGrid)->currentIndex().row(), 6);
        QTest::keyClick(cw.grid(kGrid), Qt::Key_F3);
        QCOMPARE(cw.grid(kGrid)->currentIndex().row(), 2);  // round the end
        cw.w->find("437");  // a frequency's start: channel 3 is 437.00000
        QCOMPARE(cw.grid(kGrid)->currentIndex().row(), 3);
        QVERIFY(cw.prompts.all.isEmpty());
        cw.w->find("ZZZ");
        QCOMPARE(cw.prompts.texts(), QStringList{"\"ZZZ\" was not found."});
        QCOMPARE(cw.grid(kGrid)->currentIndex().row(), 3);
    }
};

QTEST_MAIN(TstChannRows)
#include "tst_chann_rows.moc"
