#pragma once
// The channel editor on a fake port and a virtual clock, with its prompts
// captured, driven by real mouse and key events.

#include "fake_link.h"
#include "prompts.h"

#include "editors/channels/frm_chann.h"
#include "image/language.h"
#include "image/tables.h"
#include "link/status.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace vx::test {

struct ChannWindow {
    VirtualClock clock;
    FakePort* port = nullptr;
    CapturedPrompts prompts;
    std::unique_ptr<frm_chann> w;

    ChannWindow()
    {
        setChinese(false);
        resetBandLimits();
        clearStatusPanels();
        appImage().fill();
        channels::load_factory_channels(appImage());
        clock.install();
        setSerialPortFactory([this] {
            auto p = std::make_unique<FakePort>();
            port = p.get();
            return std::unique_ptr<SerialPort>(std::move(p));
        });
        w = std::make_unique<frm_chann>();
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get()))
            qWarning("channel editor not exposed");
    }
    ~ChannWindow()
    {
        w.reset();
        setSerialPortFactory({});
        setTimerFactory({});
    }

    QTableView* grid() const { return w->findChild<QTableView*>("MSF_Chann"); }
    QLineEdit* text() const { return w->findChild<QLineEdit*>("Text_Edit"); }
    QComboBox* combo() const { return w->findChild<QComboBox*>("Combo_edit"); }
    QPushButton* button(const char* name) const { return w->findChild<QPushButton*>(name); }
    QLabel* label() const { return w->findChild<QLabel*>("Label_tr_count"); }
    QProgressBar* progress() const { return w->findChild<QProgressBar*>("ProgressBar1"); }
    QString cell(int n, int column) const { return w->cellText(n, column); }
    QRect cellRect(int n, int column) const
    {
        return grid()->visualRect(grid()->model()->index(n, column));
    }

    // A real click on a grid cell (scrolled into view first).
    void click(int n, int column)
    {
        const QModelIndex i = grid()->model()->index(n, column);
        grid()->scrollTo(i);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(i).center());
    }
    // Types into the open text cell, replacing its text.
    void typeText(const QString& s)
    {
        text()->selectAll();
        QTest::keyClick(text(), Qt::Key_Backspace);
        QTest::keyClicks(text(), s);
    }
    void typeCombo(const QString& s)
    {
        combo()->lineEdit()->selectAll();
        QTest::keyClick(combo(), Qt::Key_Backspace);
        QTest::keyClicks(combo(), s);
    }
    void enter(QWidget* on) { QTest::keyClick(on, Qt::Key_Return); }
    // Leaves the open cell by clicking the channel number cell of row n.
    void leave(int n = 0) { click(n, channels::ColNumber); }
    QByteArray rowHex(int row) const
    {
        QByteArray b;
        for (uint8_t v : appImage().row(row))
            b.append(char(v));
        return b.toHex(' ').toUpper();
    }
};

}  // namespace vx::test
