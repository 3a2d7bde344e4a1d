#pragma once
// A signalling editor on a fake port and a virtual clock, with its prompts
// captured, driven by real mouse and key events.

#include "fake_link.h"
#include "prompts.h"

#include "editors/defaults.h"
#include "editors/signalling/dtmf_codec.h"
#include "editors/signalling/five_tone_codec.h"
#include "editors/signalling/two_tone_codec.h"
#include "image/language.h"
#include "image/tables.h"
#include "link/status.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace vx::test {

// The bad images every window opens on: all FF, all 00, and seeded random
// ones (a negative fill: -seed).
inline void addBadImages()
{
    QTest::addColumn<int>("fill");
    QTest::newRow("all FF") << 0xFF;
    QTest::newRow("all 00") << 0x00;
    for (int seed = 1; seed <= 4; ++seed)
        QTest::newRow(qPrintable(QString("random %1").arg(seed))) << -seed;
}

inline Image filledImage(int fill, quint32 seed = 0)
{
    Image image;
    if (fill >= 0) {
        image.fill(uint8_t(fill));
        return image;
    }
    QRandomGenerator g(seed);
    for (auto& b : image.bytes())
        b = uint8_t(g.bounded(256));
    return image;
}

inline QByteArray rowHex(const Image& image, int row)
{
    QByteArray b;
    for (uint8_t v : image.row(row))
        b.append(char(v));
    return b.toHex(' ').toUpper();
}

template <class W>
struct SignallingWindow {
    VirtualClock clock;
    CapturedPrompts prompts;
    std::unique_ptr<W> w;

    // On the fake port and virtual clock, or (realLink) on the application's
    // serial ports and timers.
    explicit SignallingWindow(bool inChinese = false, bool realLink = false)
    {
        setChinese(inChinese);
        rebuildCallAlertList();
        clearStatusPanels();
        if (!realLink) {
            clock.install();
            setSerialPortFactory([] { return std::unique_ptr<SerialPort>(std::make_unique<FakePort>()); });
        }
        w = std::make_unique<W>();
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get()))
            qWarning("window not exposed");
        QApplication::setActiveWindow(w.get());
    }
    ~SignallingWindow()
    {
        w.reset();
        setSerialPortFactory({});
        setTimerFactory({});
        setChinese(false);
        rebuildCallAlertList();
    }

    template <class C = QWidget>
    C* find(const QString& name) const
    {
        C* c = w->template findChild<C*>(name);
        if (!c)
            qWarning("no control %s", qPrintable(name));
        return c;
    }
    QLineEdit* edit(const QString& name) const { return find<QLineEdit>(name); }
    QComboBox* combo(const QString& name) const { return find<QComboBox>(name); }
    QCheckBox* check(const QString& name) const { return find<QCheckBox>(name); }
    QTableView* grid(const QString& name) const { return find<QTableView>(name); }
    QString text(const QString& name) const
    {
        if (auto* l = w->template findChild<QLabel*>(name))
            return l->text();
        if (auto* b = w->template findChild<QAbstractButton*>(name))
            return b->text();
        if (auto* e = w->template findChild<QLineEdit*>(name))
            return e->text();
        qWarning("no text control %s", qPrintable(name));
        return {};
    }
    QLabel* label() const { return find<QLabel>("Label_tr_count"); }
    QProgressBar* bar() const { return find<QProgressBar>("ProgressBar1"); }
    void clickButton(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }

    // A grid cell: data row (0 = first row under the headings) and column.
    QString cell(const QString& gridName, int row, int column) const
    {
        return grid(gridName)->model()->index(row, column).data().toString();
    }
    void clickCell(const QString& gridName, int row, int column)
    {
        QTableView* g = grid(gridName);
        const QModelIndex i = g->model()->index(row, column);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
    }
    void doubleClickCell(const QString& gridName, int row, int column)
    {
        QTableView* g = grid(gridName);
        const QPoint at = g->visualRect(g->model()->index(row, column)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
    }
    // Clicks a field and types at the end of its text.
    void type(QLineEdit* e, const QString& keys)
    {
        QTest::mouseClick(e, Qt::LeftButton);
        e->setFocus();
        e->end(false);
        QTest::keyClicks(e, keys);
    }
    // Chooses entry `position` of a drop-down list as the user does with the
    // keyboard (each step is a choice of its own; the last one counts). The
    // entry must differ from the current one.
    void choose(QComboBox* c, int position)
    {
        c->setFocus();
        if (c->currentIndex() < 0)
            QTest::keyClick(c, Qt::Key_Down);
        while (c->currentIndex() < position)
            QTest::keyClick(c, Qt::Key_Down);
        while (c->currentIndex() > position)
            QTest::keyClick(c, Qt::Key_Up);
    }
    // Gives the focus to another control, so the focused field loses it.
    void focusAway(QWidget* to) { to->setFocus(Qt::MouseFocusReason); }
};

}  // namespace vx::test
