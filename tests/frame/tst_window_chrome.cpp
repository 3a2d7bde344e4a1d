// The chrome every transferring window shares, run against each window's
// descriptor: progress texts and end reports, busy refusals, the close box,
// the port message, the failure report, a window closed while a report's
// message box is up, and a device that vanishes mid-transfer.
//
// A new window joins with one row in addWindows().
#include "prompts.h"
#include "test_document.h"
#include "radio_rig.h"

#include "editors/adjust/frm_adj_txp.h"
#include "editors/channels/channel_codec.h"
#include "editors/channels/frm_chann.h"
#include "editors/fm/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "image/language.h"
#include "image/tables.h"
#include "app/form_comm.h"
#include "link/status.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace vx;
using namespace vx::test;

namespace {

struct WindowCase {
    std::function<TransferWindow*()> make;
    // The progress label when the first and the last request or packet
    // reach the radio; empty where the window has no such transfer.
    QString firstRead, lastRead, firstWrite, lastWrite;
};

struct Rig {
    VirtualClock clock;
    CapturedPrompts prompts;
    FakePorts ports;
    FakePort* port = nullptr;
    std::unique_ptr<TransferWindow> w;
    std::unique_ptr<ScriptRadio> radio;
    QStringList labels;  // the label each time a request or packet reached the radio

    Rig(const WindowCase& c, std::set<int> available = {1}) : ports(std::move(available))
    {
        clock.install();
        w.reset(c.make());
        port = ports.last;
        w->show();
        radio = std::make_unique<ScriptRadio>(clock, *port);
        for (int i = 0; i < Image::kSize; ++i)
            radio->memory.bytes()[size_t(i)] = uint8_t(i * 11 + 3);
        radio->answer = [this](const QByteArray& p) {
            if (w && (ScriptRadio::kindOf(p) == 'S' || ScriptRadio::kindOf(p) == 'X'))
                labels << label()->text();
            return radio->radio(p);
        };
    }
    ~Rig()
    {
        w.reset();
        setTimerFactory(nullptr);
    }
    const WindowDescriptor& d() const { return w->descriptor(); }
    QLabel* label() const { return w->findChild<QLabel*>("Label_tr_count"); }
    QProgressBar* bar() const { return w->findChild<QProgressBar*>("ProgressBar1"); }
    // The window's first transfer: Read where it reads, else Write.
    Command start() const { return w->button(Command::Read) ? Command::Read : Command::Write; }
    void click(Command c) { QTest::mouseClick(w->button(c), Qt::LeftButton); }
    bool runToPrompt() { return clock.runUntil([this] { return !prompts.all.isEmpty(); }); }
    // Until the first request or packet reaches the radio: the transfer runs.
    bool runToFirstRequest() { return clock.runUntil([this] { return !labels.isEmpty(); }); }
};

PromptRecord record(const Notice& n) { return {n.title, PromptIcon::Warning, n.text}; }

Image factoryImage()
{
    Image image;
    channels::load_factory_channels(image);
    return image;
}

}  // namespace

Q_DECLARE_METATYPE(WindowCase)

class TstWindowChrome : public QObject {
    Q_OBJECT

    static void addWindows()
    {
        QTest::addColumn<WindowCase>("window");
        QTest::newRow("Form_Comm_Read") << WindowCase{[] { return new Form_Comm_Read(testDocument()); }, "Reading 1 Data Block",
                                                      "Reading 200 Data Block", {}, {}};
        QTest::newRow("Form_Comm_Write") << WindowCase{[] { return new Form_Comm_Write(testDocument()); }, {}, {},
                                                       "Writing  1  Data Block", "Writing  783  Data Block"};
        QTest::newRow("frm_chann") << WindowCase{[] { return new frm_chann(testDocument()); }, "Reading 1 Data Block",
                                                 "Reading 52 Data Block", "Writeing  0  Channel", "Writeing  199  Channel"};
        QTest::newRow("frm_FM") << WindowCase{[] { return new frm_FM(testDocument()); }, "Reading 3 Data Block", "Reading 5 Data Block",
                                              "Writing  1  Data Block", "Writing  15  Data Block"};
        QTest::newRow("frm_Adj_Txp") << WindowCase{[] { return new frm_Adj_Txp(testDocument()); }, "Reading 3 Data Block",
                                                   "Reading 5 Data Block", "Writing  4  Data Block", "Writing  6  Data Block"};
        QTest::newRow("frm_dtmf") << WindowCase{[] { return new frm_dtmf(testDocument()); }, "Reading 3 Data Block", "Reading 9 Data Block",
                                                "Writing  1  Data Block", "Writing  31  Data Block"};
        QTest::newRow("frm_2tone") << WindowCase{[] { return new frm_2tone(testDocument()); }, "Reading 3 Data Block", "Reading 13 Data Block",
                                                 "Writing  1  Data Block", "Writing  47  Data Block"};
        QTest::newRow("frm_5tone") << WindowCase{[] { return new frm_5tone(testDocument()); }, "Reading 3 Data Block", "Reading 9 Data Block",
                                                 "Writing  1  Data Block", "Writing  95  Data Block"};
        QTest::newRow("frm_option") << WindowCase{[] { return new frm_option(testDocument()); }, "Reading 3 Data Block",
                                                  "Reading 9 Data Block", "Writing  1  Data Block", "Writing  31  Data Block"};
    }

private slots:
    void init()
    {
        setChinese(false);
        setPortNumber(1);
        resetBandLimits();
        clearStatusPanels();
        testImage() = factoryImage();
    }

    void progressAndEndReports_data() { addWindows(); }
    void progressAndEndReports()
    {
        QFETCH(WindowCase, window);
        for (const Direction direction : {Direction::Read, Direction::Write}) {
            const bool read = direction == Direction::Read;
            const QString first = read ? window.firstRead : window.firstWrite;
            const QString last = read ? window.lastRead : window.lastWrite;
            Rig rig(window);
            const Command c = read ? Command::Read : Command::Write;
            QCOMPARE(bool(rig.w->button(c)), !first.isEmpty());
            if (first.isEmpty())
                continue;
            QVERIFY(rig.bar()->isHidden());
            rig.click(c);
            QVERIFY(rig.bar()->isVisible());
            QCOMPARE(rig.label()->text(), rig.d().texts.connecting.str());
            QVERIFY(rig.runToPrompt());
            const QStringList shown = rig.labels.filter(QRegularExpression("\\d"));
            QVERIFY(!shown.isEmpty());
            QCOMPARE(shown.first(), first);
            QCOMPARE(shown.last(), last);
            const EndReport& end = read ? rig.d().texts.readDone : rig.d().texts.writeDone;
            QCOMPARE(rig.prompts.all, QList<PromptRecord>{record(end.message)});
            QCOMPARE(rig.label()->text(), end.label.str());
            QVERIFY(!rig.w->busy());
            QVERIFY(!rig.port->isOpen());
        }
    }

    void busyRefusals_data() { addWindows(); }
    void busyRefusals()
    {
        QFETCH(WindowCase, window);
        Rig rig(window);
        rig.click(rig.start());
        QVERIFY(rig.runToFirstRequest());
        QVERIFY(rig.w->busy());
        const int opens = rig.port->opens;
        for (const ButtonSpec& b : rig.d().buttons) {
            rig.prompts.clear();
            rig.click(b.command);
            const auto refusal = rig.d().refusal(b.command);
            QVERIFY2(refusal || b.command == Command::Help, b.name);  // every command but Help is refused
            QCOMPARE(rig.prompts.all, refusal ? QList<PromptRecord>{record(*refusal)} : QList<PromptRecord>{});
            QVERIFY(rig.w->isVisible());
            QVERIFY(rig.w->busy());
        }
        QCOMPARE(rig.port->opens, opens);
        rig.prompts.clear();
        QVERIFY(rig.runToPrompt());  // the transfer runs on to its end
        QCOMPARE(rig.prompts.all.size(), 1);
    }

    void closeBox_data() { addWindows(); }
    void closeBox()
    {
        QFETCH(WindowCase, window);
        Rig rig(window);
        rig.click(rig.start());
        const Image before = testImage();  // as the transfer started (a whole write lays its tables in)
        QVERIFY(rig.runToFirstRequest());
        const bool closed = rig.w->close();
        if (const auto refusal = rig.d().closeBoxRefusal) {
            QVERIFY(!closed);
            QCOMPARE(rig.prompts.all, QList<PromptRecord>{record(*refusal)});
            QVERIFY(rig.w->isVisible());
            QVERIFY(rig.w->busy());
        } else {
            // Not refused, but safe: the transfer is abandoned at once.
            QVERIFY(closed);
            QVERIFY(!rig.w->busy());
            QVERIFY(!rig.port->isOpen());
            rig.clock.advance(60'000);
            QVERIFY(rig.prompts.all.isEmpty());
            QVERIFY(testImage() == before);
        }
    }

    void portWillNotOpen_data() { addWindows(); }
    void portWillNotOpen()
    {
        QFETCH(WindowCase, window);
        Rig rig(window, {});
        const QString label = rig.label()->text();
        rig.click(rig.start());
        QCOMPARE(rig.prompts.all, QList<PromptRecord>{record(rig.d().texts.portError)});
        QVERIFY(rig.bar()->isHidden());
        QCOMPARE(rig.label()->text(), label);
        QVERIFY(!rig.w->busy());
        QVERIFY(portFailure());
    }

    // The radio stops answering part-way: after the last retry the failure
    // report, and the image as it was.
    void failureReport_data() { addWindows(); }
    void failureReport()
    {
        QFETCH(WindowCase, window);
        Rig rig(window);
        const Image before = testImage();
        rig.radio->answer = [&](const QByteArray& p) {
            return rig.radio->count('S') + rig.radio->count('X') > 3 ? QByteArray() : rig.radio->radio(p);
        };
        rig.click(rig.start());
        // Idle again only once the retries are used up (Pausing in between).
        QVERIFY(rig.clock.runUntil([&] { return rig.w->engine().state() == TransferEngine::State::Idle; }));
        rig.clock.advance(120'000);
        const FailureReport& f = rig.d().texts.failure;
        QCOMPARE(rig.prompts.all, f.message ? QList<PromptRecord>{record(*f.message)} : QList<PromptRecord>{});
        if (f.label)
            QCOMPARE(rig.label()->text(), f.label->str());
        if (f.statusPanel)
            QCOMPARE(statusPanel(f.statusPanel), f.panelText.str());
        if (!f.keepBar)
            QCOMPARE(rig.bar()->value(), 0);
        QCOMPARE(rig.bar()->isHidden(), f.hideBar);
        QVERIFY(!rig.port->isOpen());
        if (rig.start() == Command::Read)
            QVERIFY(testImage() == before);
    }

    // Regression: a window closed and deleted while a report's message box
    // was up was used after it was gone.
    void closedWhileReportIsUp_data() { addWindows(); }
    void closedWhileReportIsUp()
    {
        QFETCH(WindowCase, window);
        for (const bool fail : {false, true}) {
            Rig rig(window);
            if (fail && !rig.d().texts.failure.message)
                continue;  // a failure shown without a message box
            if (fail)
                rig.radio->answer = [](const QByteArray&) { return QByteArray(); };
            rig.prompts.onShow = [&](const PromptRecord&) { rig.w.reset(); };
            rig.click(rig.start());
            QVERIFY(rig.runToPrompt());
            QVERIFY(!rig.w);
            rig.clock.advance(60'000);
        }
    }

    // The cable is pulled mid-transfer and the retry cannot open the port:
    // the port message, then a clear final state; nothing still says a
    // transfer is running, and nothing more is tried.
    void deviceVanishes_data() { addWindows(); }
    void deviceVanishes()
    {
        QFETCH(WindowCase, window);
        Rig rig(window);
        const Image before = testImage();
        rig.click(rig.start());
        // Mid-transfer: the second request or packet has reached the radio.
        QVERIFY(rig.clock.runUntil([&] { return rig.labels.size() > 1; }));
        const bool retries = rig.w->engine().retriesLeft() > 0;
        rig.port->available.clear();
        rig.port->fail();
        QVERIFY(!rig.w->busy());
        QVERIFY(rig.runToPrompt());
        // A window without retries simply fails; one with retries finds the
        // port gone when it tries again.
        const FailureReport& f = rig.d().texts.failure;
        const Notice shown = retries ? rig.d().texts.portError : *f.message;
        QCOMPARE(rig.prompts.all, QList<PromptRecord>{record(shown)});
        if (!f.keepBar)
            QCOMPARE(rig.bar()->value(), 0);
        if (f.label)
            QCOMPARE(rig.label()->text(), f.label->str());
        QVERIFY(!rig.w->busy());
        const QByteArray written = rig.port->written;
        rig.clock.advance(60'000);
        QCOMPARE(rig.port->written, written);
        QCOMPARE(rig.prompts.all.size(), 1);
        if (rig.start() == Command::Read)
            QVERIFY(testImage() == before);
    }
};

QTEST_MAIN(TstWindowChrome)
#include "tst_window_chrome.moc"
