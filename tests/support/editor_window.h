#pragma once
// An editor window for a test, driven by real mouse and key events: made in
// the chosen language and band limits on the start-up image (or bytes the
// test lays on it), on a fake port and the virtual clock (or, for the
// emulator tests, on the application's own port and timers), shown, active,
// with its prompts captured. The destructor puts the factories, the language
// and the band limits back.
//
//   EditorWindow<frm_dtmf> d;
//   EditorWindow<frm_option> o({.prepare = [] { testImage().set(241, 2, 0xD3); }, .chinese = true});

#include "fake_link.h"
#include "test_document.h"
#include "prompts.h"

#include "editors/defaults.h"
#include "editors/frame/region_editor.h"
#include "image/language.h"
#include "image/tables.h"
#include "link/status.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QTest>

#include <functional>
#include <memory>
#include <type_traits>

namespace vx::test {

// A row of an image as spaced upper-case hex: "FF 00 1A ...".
inline QByteArray rowHex(const Image& image, int row)
{
    QByteArray b;
    for (uint8_t v : image.row(row))
        b.append(char(v));
    return b.toHex(' ').toUpper();
}

// An image of one byte everywhere, or (a negative fill) random bytes from
// `seed`.
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

// The two languages a window is tried in: a bool column `name`.
inline void addLanguages(const char* name = "inChinese")
{
    QTest::addColumn<bool>(name);
    QTest::newRow("English") << false;
    QTest::newRow("Chinese") << true;
}

struct EditorSetup {
    // Runs on the start-up image, before the window is made.
    std::function<void()> prepare{};
    bool chinese = false;
    BandLimits limits = kDefaultBandLimits;
    // The application's own serial ports and timers instead of the fakes.
    bool realLink = false;
    // The radio the window works on; the test program's shared one when
    // null.
    RadioDocument* doc = nullptr;
};

template <class W>
struct EditorWindow {
    static_assert(std::is_base_of_v<RegionEditor, W>);

    RadioDocument& doc;
    VirtualClock clock;
    FakePort* port = nullptr;  // the newest port the window made
    CapturedPrompts prompts;
    std::unique_ptr<W> w;

    explicit EditorWindow(EditorSetup setup = {}) : doc(setup.doc ? *setup.doc : testDocument())
    {
        setChinese(setup.chinese);
        rebuildCallAlertList();
        doc.setBandLimits(setup.limits);
        clearStatusPanels();
        lay_startup_defaults(doc);
        if (setup.prepare)
            setup.prepare();
        if (!setup.realLink) {
            clock.install();
            setSerialPortFactory([this] {
                auto p = std::make_unique<FakePort>();
                port = p.get();
                return std::unique_ptr<SerialPort>(std::move(p));
            });
        }
        w = std::make_unique<W>(doc);
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("%s not active", W::staticMetaObject.className());
    }
    EditorWindow(std::function<void()> prepare) : EditorWindow(EditorSetup{.prepare = std::move(prepare)}) {}
    ~EditorWindow()
    {
        w.reset();
        setSerialPortFactory({});
        setTimerFactory({});
        setChinese(false);
        rebuildCallAlertList();
        doc.setBandLimits(kDefaultBandLimits);
    }
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // A control of the window by name; a missing one ends the test program.
    template <class C = QWidget>
    C* find(const QString& name) const
    {
        C* c = w->template findChild<C*>(name);
        if (!c)
            qFatal("no %s named %s", C::staticMetaObject.className(), qPrintable(name));
        return c;
    }
    QLineEdit* edit(const QString& name) const { return find<QLineEdit>(name); }
    QComboBox* combo(const QString& name) const { return find<QComboBox>(name); }
    QCheckBox* check(const QString& name) const { return find<QCheckBox>(name); }
    QTableView* grid(const QString& name) const { return find<QTableView>(name); }
    QPushButton* button(const QString& name) const { return find<QPushButton>(name); }
    QLabel* label() const { return find<QLabel>("Label_tr_count"); }
    QProgressBar* bar() const { return find<QProgressBar>("ProgressBar1"); }
    // The text of a label, button or field.
    QString text(const QString& name) const
    {
        if (auto* l = w->template findChild<QLabel*>(name))
            return l->text();
        if (auto* b = w->template findChild<QAbstractButton*>(name))
            return b->text();
        return edit(name)->text();
    }

    void clickButton(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // A grid cell: data row (0 = first row under the headings) and column.
    QString cell(const QString& gridName, int row, int column) const
    {
        return grid(gridName)->model()->index(row, column).data().toString();
    }
    // A real click on a grid cell, scrolled into view first.
    void clickCell(const QString& gridName, int row, int column)
    {
        QTableView* g = grid(gridName);
        const QModelIndex i = g->model()->index(row, column);
        g->scrollTo(i);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
    }
    void doubleClickCell(const QString& gridName, int row, int column)
    {
        clickCell(gridName, row, column);
        QTableView* g = grid(gridName);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(row, column)).center());
    }

    // Clicks a field and types at the end of its text.
    void type(QLineEdit* e, const QString& keys)
    {
        QTest::mouseClick(e, Qt::LeftButton);
        e->setFocus();
        e->end(false);
        typeKeys(e, keys);
    }
    // Clicks a field, deletes its text and types `keys` in its place.
    void retype(QLineEdit* e, const QString& keys)
    {
        QTest::mouseClick(e, Qt::LeftButton);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        typeKeys(e, keys);
    }
    // Replaces a field's text in one change, as a paste from the clipboard.
    void paste(QLineEdit* e, const QString& text)
    {
        QApplication::clipboard()->setText(text);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    }
    // Keys for ASCII; other characters come as an input method commits them.
    static void typeKeys(QLineEdit* e, const QString& keys)
    {
        for (const QChar c : keys) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(e, QString(c));
                continue;
            }
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(e, &commit);
        }
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
    // Leaves the focused control with Tab.
    void leave()
    {
        if (QWidget* f = QApplication::focusWidget())
            QTest::keyClick(f, Qt::Key_Tab);
    }

    QByteArray rowHex(int row) const { return test::rowHex(doc.image(), row); }
};

}  // namespace vx::test
