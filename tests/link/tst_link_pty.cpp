// End to end over a real pseudo-terminal: the product's Qt serial port and
// timers against the radio emulator (wire time off, to keep it short).
#include "fake_link.h"
#include "prompts.h"

#include "emulator/pty_radio.h"
#include "link/form_comm.h"
#include "link/identification.h"
#include "link/port.h"
#include "link/status.h"

#include <QPushButton>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace vx;

namespace {
constexpr int kPort = 10;

Image patterned()
{
    Image image;
    for (int i = 0; i < Image::kSize; ++i)
        image.bytes()[size_t(i)] = uint8_t(i * 29 + i / 512);
    return image;
}
}  // namespace

class TstLinkPty : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;
    std::unique_ptr<emu::PtyRadio> radio_;

private slots:
    void init()
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        radio_ = std::make_unique<emu::PtyRadio>(emu::PtyRadioOptions{kPort, false, 1.0, -1});
        radio_->setMemory(patterned());
        QVERIFY(radio_->start());
        setPortNumber(kPort);
    }
    void cleanup() { radio_.reset(); }

    void identification()
    {
        clearStatusPanels();
        Identification id;
        int identified = 0;
        id.onIdentified = [&] { ++identified; };
        id.start();
        QVERIFY(test::runEventsUntil([&] { return identified == 1; }, 30'000));
        QCOMPARE(statusPanel(2), QString("EMU-01"));
        QCOMPARE(statusPanel(8), QString(" 136-- 174 MHZ"));
        QVERIFY(!id.port().isOpen());
    }

    // Regression: a flush of the input on a line whose far end had gone
    // failed, closed the port, and then read from the closed port.
    // Whichever call meets the end of the line first, the port reports one
    // failure, closes, and says nothing else.
    void theEndOfTheLineIsOneFailure_data()
    {
        QTest::addColumn<QString>("call");
        QTest::newRow("waiting for bytes") << "none";
        QTest::newRow("flushing the input") << "clear";
        QTest::newRow("writing") << "write";
    }
    void theEndOfTheLineIsOneFailure()
    {
        QFETCH(QString, call);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        const std::unique_ptr<SerialPort> port = makeSerialPort();
        int failures = 0;
        port->onFailure = [&] { ++failures; };
        QVERIFY(port->open(kPort));
        radio_->closeLine();
        if (call == "clear")
            port->clearInput();
        else if (call == "write")
            port->writeByte(0x06);
        if (call != "none")
            QCOMPARE(failures, 1);
        QVERIFY(test::runEventsUntil([&] { return failures > 0; }, 10'000));
        test::runEventsUntil([] { return false; }, 100);
        QCOMPARE(failures, 1);
        QVERIFY(!port->isOpen());
    }

    void wholeReadThroughTheDialog()
    {
        test::CapturedPrompts prompts;
        appImage().fill(0x11);
        Form_Comm_Read dialog;
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>("Command_read"), Qt::LeftButton);
        QVERIFY(test::runEventsUntil([&] { return !prompts.all.isEmpty(); }, 120'000));
        QCOMPARE(prompts.texts(), QStringList{"Complete reading data from the transceiver."});
        const Image memory = radio_->memory();
        for (int r = 0; r < Image::kRows; ++r)
            QCOMPARE(appImage().at(r, 9), r <= 787 ? memory.at(r, 9) : uint8_t(0x11));
        QCOMPARE(radio_->counters().readRequests, 201);
    }
};

QTEST_MAIN(TstLinkPty)
#include "tst_link_pty.moc"
