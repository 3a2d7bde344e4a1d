// The one in-grid editing piece, on a grid of its own driven with real
// clicks and keys: the heading format, what a click opens, leaving by moving
// the current cell, a refused leave, Enter, lists (chosen, preselected,
// typed into or not), the editor following its cell while the grid scrolls,
// cancel, and the focus going back to the grid.
#include "ui/cell_editing.h"
#include "ui/controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

using namespace vx;

namespace {

enum Column { Number, Text, List, Typed, kColumns };

// A grid of 40 rows: column 1 a text box, 2 a list, 3 a list that takes
// digits; column 0 opens nothing. What the grid is told is recorded.
struct Grid {
    QWidget window;
    TextGrid* grid = new TextGrid(QStringLiteral("Grid"), 40, kColumns, &window);
    CellEditing* cells = nullptr;
    QStringList log;
    bool refuseShort = false;

    Grid()
    {
        grid->setHeadings(QStringLiteral("^No|Text|>List|<Typed"));
        for (int r = 0; r < 40; ++r) {
            grid->setText(r, Number, QString::number(r));
            grid->setText(r, Text, QStringLiteral("t%1").arg(r));
        }
        cells = new CellEditing(grid, {
            .textName = "Text_Edit",
            .listName = "Combo_edit",
            .clicked = [this](GridCell c) { log << QStringLiteral("clicked %1,%2").arg(c.row).arg(c.column); },
            .enter = [this](GridCell c) {
                switch (c.column) {
                case Text: return CellEditor::textBox(grid->text(c.row, c.column));
                case List: {
                    CellEditor e = CellEditor::list({"A", "B", "C"}, 1);
                    e.chooseOnOpen = true;
                    return e;
                }
                case Typed: {
                    CellEditor e = CellEditor::list({"10", "20"}, -1);
                    e.showText = true;
                    e.text = grid->text(c.row, c.column);
                    e.rule = FieldRule{.accepted = "0123456789"};
                    return e;
                }
                }
                return CellEditor::none();
            },
            .refuse = [this](GridCell, const CellValue& v) { return refuseShort && v.text.size() < 2; },
            .leave = [this](GridCell c, const CellValue& v) {
                log << QStringLiteral("leave %1,%2 %3 %4").arg(c.row).arg(c.column).arg(v.text).arg(v.position);
                grid->setText(c.row, c.column, v.text);
            },
            .choose = [this](GridCell c, int p) { log << QStringLiteral("choose %1,%2 %3").arg(c.row).arg(c.column).arg(p); },
            .edited = [this](GridCell, const QString& t) { log << QStringLiteral("edited ") + t; },
            .enterKey = [this](GridCell c) {
                if (c.column != Text)
                    return false;
                cells->moveTo({c.row + 1, c.column});
                return true;
            },
        });
        window.resize(400, 300);
        grid->setGeometry(0, 0, 400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QLineEdit* box() const { return cells->textBox(); }
    QComboBox* list() const { return cells->list(); }
    void click(int row, int column)
    {
        const QModelIndex i = grid->cell(row, column);
        grid->scrollTo(i);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(i).center());
    }
};

}  // namespace

class TstCellEditing : public QObject {
    Q_OBJECT
private slots:
    void headings()
    {
        Grid g;
        const TextGridModel* m = g.grid->grid();
        QCOMPARE(m->heading(0), QString("No"));
        QCOMPARE(m->heading(3), QString("Typed"));
        QCOMPARE(m->alignment(0) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(m->alignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(m->alignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(m->data(m->index(5, 2), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
        QCOMPARE(TextGridModel::headingTexts("^a||>b"), (QStringList{"a", "", "b"}));
    }

    void textCell()
    {
        Grid g;
        g.click(3, Number);
        QVERIFY(!g.cells->isOpen());
        g.click(3, Text);
        QVERIFY(g.box()->isVisible());
        QCOMPARE(g.box()->text(), QString("t3"));
        QCOMPARE(g.box()->geometry(), g.grid->cellRect(3, Text));
        QVERIFY(g.box()->hasFocus());
        QTest::keyClicks(g.box(), "x");
        QCOMPARE(g.log.last(), QString("edited t3x"));
        g.click(4, Number);  // moving the current cell leaves the open one
        QVERIFY(!g.box()->isVisible());
        QVERIFY(g.grid->hasFocus());
        QVERIFY(g.log.contains("leave 3,1 t3x -1"));
        QCOMPARE(g.grid->text(3, Text), QString("t3x"));
    }

    void enterKey()
    {
        Grid g;
        g.click(0, Text);
        QTest::keyClick(g.box(), Qt::Key_Return);
        QVERIFY(g.log.contains("leave 0,1 t0 -1"));
        QCOMPARE(g.cells->openCell(), (GridCell{1, Text}));
        QCOMPARE(g.box()->text(), QString("t1"));
    }

    // A refused leave keeps the cell current and its editor open and focused.
    void refusedLeave()
    {
        Grid g;
        g.refuseShort = true;
        g.click(2, Text);
        ui::showText(g.box(), "x");
        g.click(5, Number);
        QCOMPARE(g.cells->openCell(), (GridCell{2, Text}));
        QCOMPARE(g.grid->currentIndex(), g.grid->cell(2, Text));
        QVERIFY(g.box()->isVisible());
        QVERIFY(g.box()->hasFocus());
        QVERIFY(!g.log.join('|').contains("leave"));
        QTest::keyClicks(g.box(), "yz");
        g.click(5, Number);
        QVERIFY(g.log.contains("leave 2,1 xyz -1"));
    }

    void lists()
    {
        Grid g;
        g.click(6, List);
        QVERIFY(g.list()->isVisible());
        QCOMPARE(g.log.last(), QString("choose 6,2 1"));  // the preselection counts as a choice
        QTest::keyClicks(g.list(), "C");                   // a list without a rule takes no typing
        QCOMPARE(g.list()->currentIndex(), 1);
        QTest::keyClick(g.list(), Qt::Key_Down);
        QCOMPARE(g.log.last(), QString("choose 6,2 2"));
        g.click(7, Number);
        QVERIFY(g.log.contains("leave 6,2 C 2"));

        g.grid->setText(8, Typed, "x7");
        g.click(8, Typed);
        QCOMPARE(g.list()->currentText(), QString("x7"));  // shown, an entry or not
        g.list()->lineEdit()->selectAll();
        QTest::keyClicks(g.list(), "4a2");
        QCOMPARE(g.list()->currentText(), QString("42"));
        g.click(9, Number);
        QVERIFY(g.log.contains("leave 8,3 42 -1"));
    }

    // Scrolling moves the editor with its cell and hides it while the cell
    // is out of sight; nothing is left or lost.
    void followsItsCell()
    {
        Grid g;
        g.click(1, Text);
        QTest::keyClicks(g.box(), "q");
        QScrollBar* bar = g.grid->verticalScrollBar();
        bar->setValue(bar->maximum());
        QVERIFY(!g.box()->isVisible());
        QVERIFY(g.cells->isOpen());
        bar->setValue(0);
        QVERIFY(g.box()->isVisible());
        QCOMPARE(g.box()->geometry(), g.grid->cellRect(1, Text));
        QCOMPARE(g.box()->text(), QString("t1q"));
        g.grid->setColumnWidth(0, 90);
        QCOMPARE(g.box()->geometry(), g.grid->cellRect(1, Text));
    }

    void cancelStoresNothing()
    {
        Grid g;
        g.click(1, Text);
        QTest::keyClicks(g.box(), "q");
        g.cells->cancel();
        QVERIFY(!g.box()->isVisible());
        QVERIFY(g.grid->hasFocus());
        g.click(2, Number);
        QVERIFY(!g.log.join('|').contains("leave"));
        QCOMPARE(g.grid->text(1, Text), QString("t1"));
    }
};

QTEST_MAIN(TstCellEditing)
#include "tst_cell_editing.moc"
