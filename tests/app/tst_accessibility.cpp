// What a screen reader is told, read back through Qt's accessibility
// interfaces: a grid cell's value with its column heading and row, and
// every labelled control of the editors named by its label, in both
// languages.
#include "editor_window.h"
#include "test_document.h"

#include "editors/channels/channel_codec.h"
#include "editors/channels/frm_chann.h"
#include "editors/options/frm_option.h"
#include "editors/options/option_settings.h"
#include "editors/signalling/dtmf_settings.h"
#include "editors/signalling/five_tone_settings.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "editors/signalling/two_tone_settings.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QAccessibleInterface>
#include <QSet>

using namespace vx;
using namespace vx::test;

namespace {

// The label a screen reader gives with a control, through the label
// relation (Linux announces a list by its value and its label so; other
// systems by the control's name).
QString labelledBy(QObject* o)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    if (!i)
        return {};
    for (const auto& [other, relation] : i->relations(QAccessible::Label))
        return other->text(QAccessible::Name);
    return {};
}

// Every row of `rows` with a label of its own: its control is labelled by
// it, and named as it reads on screen.
template <class Window, size_t N>
void labelledControlsAreNamed(const Setting (&rows)[N], bool inChinese)
{
    EditorWindow<Window> w({.chinese = inChinese});
    int checked = 0;
    for (const Setting& s : rows) {
        if (!s.labelControl)
            continue;
        auto* control = w.w->template findChild<QWidget*>(QString::fromLatin1(s.control));
        auto* label = w.w->template findChild<QLabel*>(QString::fromLatin1(s.labelControl));
        QVERIFY2(control && label, s.control);
        QCOMPARE(labelledBy(control), label->text());
        QCOMPARE(control->accessibleName(), label->text().trimmed());
        QVERIFY2(!control->accessibleName().isEmpty(), s.control);
        ++checked;
    }
    QVERIFY(checked > 0);
}

}  // namespace

class TstAccessibility : public QObject {
    Q_OBJECT
private slots:
    // "Channel 12, RX Frequency, 145.60000": the cell's value, its column's
    // heading and its row through the table interface.
    void gridCellsSayTheirPlace_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::addColumn<QString>("heading");
        QTest::newRow("English") << false << "RX Frequency";
        QTest::newRow("Chinese") << true << "接收频率(MHZ)";
    }
    void gridCellsSayTheirPlace()
    {
        QFETCH(bool, inChinese);
        QFETCH(QString, heading);
        EditorWindow<frm_chann> cw({.prepare = [] {
                                        channels::new_channel(testImage(), 12);
                                        channels::set_rx(testImage(), 12, u"145.60000");
                                    },
                                    .chinese = inChinese});
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(cw.grid("MSF_Chann"));
        QVERIFY(grid && grid->tableInterface());
        QAccessibleTableInterface* table = grid->tableInterface();
        QCOMPARE(table->rowCount(), channels::kChannels);
        QAccessibleInterface* cell = table->cellAt(12, channels::ColRx);
        QVERIFY(cell && cell->tableCellInterface());
        QCOMPARE(cell->text(QAccessible::Name), QString("145.60000"));
        const QList<QAccessibleInterface*> columns = cell->tableCellInterface()->columnHeaderCells();
        const QList<QAccessibleInterface*> rows = cell->tableCellInterface()->rowHeaderCells();
        // Qt hands the header cells out unregistered; registered, its cache
        // owns and deletes them.
        for (QAccessibleInterface* header : columns + rows)
            QAccessible::uniqueId(header);
        QCOMPARE(columns.size(), 1);
        QCOMPARE(columns[0]->text(QAccessible::Name), heading);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]->text(QAccessible::Name), QString("12"));
    }

    void controlsAreNamedByTheirLabels_data()
    {
        QTest::addColumn<bool>("inChinese");
        QTest::newRow("English") << false;
        QTest::newRow("Chinese") << true;
    }
    void controlsAreNamedByTheirLabels()
    {
        QFETCH(bool, inChinese);
        labelledControlsAreNamed<frm_option>(options::kSettings, inChinese);
        labelledControlsAreNamed<frm_dtmf>(dtmf::kSettings, inChinese);
        labelledControlsAreNamed<frm_2tone>(two_tone::kSettings, inChinese);
        labelledControlsAreNamed<frm_5tone>(five_tone::kSettings, inChinese);
    }

    // From the keyboard alone: Tab reaches every control and button of an
    // editor, and a grid cell is reached with the arrows, opened with F2
    // and stored with Enter.
    void keyboardAlone()
    {
        {
            EditorWindow<frm_option> w;
            QList<QWidget*> controls;
            for (QWidget* c : w.w->findChildren<QWidget*>())
                if (c->isVisibleTo(w.w.get()) && c->isEnabled()
                    && (qobject_cast<QComboBox*>(c) || qobject_cast<QLineEdit*>(c) || qobject_cast<QAbstractButton*>(c))
                    && !qobject_cast<QComboBox*>(c->parentWidget()))
                    controls << c;
            QVERIFY(controls.size() > 40);
            controls.front()->setFocus();
            QSet<QWidget*> reached;
            for (int i = 0; i < 3 * controls.size(); ++i) {
                reached.insert(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            for (QWidget* c : controls)
                QVERIFY2(reached.contains(c), qPrintable(c->objectName()));
        }
        EditorWindow<frm_chann> cw;
        QTableView* grid = cw.grid("MSF_Chann");
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(grid->currentIndex().row(), 2);
        QCOMPARE(grid->currentIndex().column(), int(channels::ColRx));
        QTest::keyClick(grid, Qt::Key_F2);
        auto* box = cw.w->findChild<QLineEdit*>("Text_Edit");
        QVERIFY(box->isVisible());
        box->selectAll();
        QTest::keyClicks(box, "145.5");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(channels::decode_channel(testImage(), 2)[channels::ColRx], QString("145.50000"));
    }
};

QTEST_MAIN(TstAccessibility)
#include "tst_accessibility.moc"
