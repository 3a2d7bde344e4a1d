#pragma once
// The optional-features editor on a fake port and a virtual clock, with its
// prompts captured, driven by real mouse and key events.

#include "fake_link.h"
#include "prompts.h"

#include "editors/options/frm_option.h"
#include "editors/options/vfo_panel.h"
#include "image/language.h"
#include "image/tables.h"
#include "link/status.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace vx::test {

// The image as start-up leaves it: 0xFF, then the option defaults on a
// fresh working copy.
inline void startupImage()
{
    appImage().fill();
    options::workingCopy() = options::OptionBlock();
    options::lay_down_defaults(appImage(), options::workingCopy());
}

struct OptionWindow {
    VirtualClock clock;
    FakePort* port = nullptr;
    CapturedPrompts prompts;
    std::unique_ptr<frm_option> w;

    // `prepare` edits the image (and limits) before the window opens.
    explicit OptionWindow(const std::function<void()>& prepare = {}, bool inChinese = false)
    {
        setChinese(inChinese);
        setBandLimits({136, 174, 400, 520});
        clearStatusPanels();
        startupImage();
        if (prepare)
            prepare();
        clock.install();
        setSerialPortFactory([this] {
            auto p = std::make_unique<FakePort>();
            port = p.get();
            return std::unique_ptr<SerialPort>(std::move(p));
        });
        w = std::make_unique<frm_option>();
        w->show();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("options editor not active");
    }
    ~OptionWindow()
    {
        w.reset();
        setChinese(false);
        resetBandLimits();
        setSerialPortFactory({});
        setTimerFactory({});
    }

    template <class W = QWidget>
    W* find(const char* name) const
    {
        W* found = w->findChild<W*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QComboBox* combo(const char* name) const { return find<QComboBox>(name); }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }
    QLabel* label() const { return find<QLabel>("Label_tr_count"); }
    QProgressBar* bar() const { return find<QProgressBar>("ProgressBar1"); }

    // Clicks into a field and replaces its text by typing.
    void type(QLineEdit* e, const QString& text)
    {
        QTest::mouseClick(e, Qt::LeftButton);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
    }
    // Leaves the focused field with Tab.
    void leave()
    {
        if (QWidget* f = QApplication::focusWidget())
            QTest::keyClick(f, Qt::Key_Tab);
    }
    void typeAndLeave(const char* field, const QString& text)
    {
        type(edit(field), text);
        leave();
    }
    QByteArray rowHex(int row) const
    {
        QByteArray b;
        for (uint8_t v : appImage().row(row))
            b.append(char(v));
        return b.toHex(' ').toUpper();
    }
};

}  // namespace vx::test
