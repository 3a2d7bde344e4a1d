// The FM preset grid's row commands: presets selected by their numbers,
// moved with Alt+Up and Alt+Down, inserted, deleted, sorted, one undo step
// each, refused past preset 16, in both languages.
#include "editor_window.h"
#include "test_document.h"

#include "editors/fm/fm_codec.h"
#include "editors/fm/frm_fm.h"
#include "editors/frame/row_commands.h"

#include <QAction>
#include <QMenu>

using namespace vx;
using namespace vx::test;

namespace {

using FmWindow = EditorWindow<frm_FM>;
using Row = frame::RowCommands::Command;

// Presets 1..4 on 108.0 falling by one MHz, named P1..P4; the rest empty.
void layPresets()
{
    for (int p = 1; p <= fm::kPresets; ++p)
        fm::encode_preset(testImage(), p, u"", u"");
    for (int p = 1; p <= 4; ++p)
        fm::encode_preset(testImage(), p, QStringLiteral("%1.0").arg(108 - p), QStringLiteral("P%1").arg(p));
}

QStringList names(int first, int last)
{
    QStringList out;
    for (int p = first; p <= last; ++p)
        out << (fm::is_empty(testImage(), p) ? QString() : fm::decode_preset(testImage(), p).name);
    return out;
}

void clickNumber(FmWindow& w, int row, Qt::KeyboardModifiers mods = {})
{
    QTableView* g = w.grid("MSF_FM");
    QTest::mouseClick(g->viewport(), Qt::LeftButton, mods, g->visualRect(g->model()->index(row, frm_FM::ColNumber)).center());
}

}  // namespace

class TstFmRows : public QObject {
    Q_OBJECT
private slots:
    void moveInsertSortUndo()
    {
        FmWindow w({.prepare = layPresets});
        const Image before = testImage();
        const size_t edits = testDocument().record().size();
        clickNumber(w, 1);
        clickNumber(w, 2, Qt::ShiftModifier);  // presets 2-3
        QTest::keyClick(w.grid("MSF_FM"), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(names(1, 5), (QStringList{"P1", "P4", "P2", "P3", ""}));
        QCOMPARE(w.cell("MSF_FM", 2, frm_FM::ColName), QString("P2"));
        QCOMPARE(testDocument().record().back().name.en, QString("Move presets 2-3"));  // numbered as shown

        frame::RowCommands& rows = w.w->rowCommands();
        rows.select({0});
        rows.run(Row::Insert);
        QCOMPARE(names(1, 6), (QStringList{"", "P1", "P4", "P2", "P3", ""}));
        rows.select({0, 1, 2, 3, 4});
        rows.run(Row::Sort, 0);  // by frequency: 104 (P4), 105 (P3), 106 (P2), 107 (P1), then the empty one
        QCOMPARE(names(1, 5), (QStringList{"P4", "P3", "P2", "P1", ""}));
        QCOMPARE(testDocument().record().size(), edits + 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(testDocument().undo());
        QVERIFY(testImage() == before);
        QVERIFY(w.prompts.all.isEmpty());
    }

    // Past preset 16, and into a full grid: refused, nothing changed.
    void refusals()
    {
        FmWindow w({.prepare = [] {
            layPresets();
            fm::encode_preset(testImage(), 16, u"99.9", u"LAST");
        }});
        const Image before = testImage();
        frame::RowCommands& rows = w.w->rowCommands();
        rows.select({15});
        rows.run(Row::Move, 1);
        rows.select({3});
        rows.run(Row::Insert);
        QCOMPARE(w.prompts.texts(), (QStringList{"Presets cannot move past 1 or 16.", "The last preset (16) is not empty: nothing can be inserted."}));
        QVERIFY(testImage() == before);
    }

    void captions_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("English") << false
                                 << QStringList{"Undo", "Redo", "Insert empty preset", "Delete presets (move the rest up)", "Clear presets",
                                                "Move up", "Move down", "Sort by frequency", "Sort by name", "Select all"};
        QTest::newRow("Chinese") << true
                                 << QStringList{"撤销", "重做", "插入空频道", "删除频道（后面的上移）", "清除频道", "上移", "下移", "按频率排序", "按名称排序", "全选"};
    }
    void captions()
    {
        QFETCH(bool, inChinese);
        QFETCH(QStringList, captions);
        FmWindow w({.prepare = layPresets, .chinese = inChinese});
        QStringList shown;
        for (QAction* a : w.w->rowCommands().menu()->actions())
            if (!a->isSeparator())
                shown << a->text();
        QCOMPARE(shown, captions);
    }
};

QTEST_MAIN(TstFmRows)
#include "tst_fm_rows.moc"
