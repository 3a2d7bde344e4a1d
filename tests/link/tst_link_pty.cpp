// End to end over a real pseudo-terminal: the product's Qt serial port and
// timers against the radio emulator (wire time off, to keep it short).
#include "emulator_rig.h"
#include "test_document.h"

#include "app/form_comm.h"
#include "link/identification.h"
#include "link/status.h"

#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>

#include <optional>

using namespace vx;
using namespace vx::test;

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
    std::optional<test::EmulatorRig> rig_;

private slots:
    void init()
    {
        rig_.emplace(kPort, patterned(), 1.0);
        QVERIFY(rig_->started());
    }
    void cleanup() { rig_.reset(); }

    void identification()
    {
        clearStatusPanels();
        Identification id{testLink()};
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
        rig_->radio.closeLine();
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
        testImage().fill(0x11);
        Form_Comm_Read dialog(testDocument());
        dialog.show();
        QVERIFY(rig_->run(dialog, "Command_read", prompts));
        QCOMPARE(prompts.texts(), QStringList{"Complete reading data from the transceiver."});
        const Image memory = rig_->memory();
        for (int r = 0; r < Image::kRows; ++r)
            QCOMPARE(testImage().at(r, 9), r <= 787 ? memory.at(r, 9) : uint8_t(0x11));
        QCOMPARE(rig_->radio.counters().readRequests, 201);
    }
};

QTEST_MAIN(TstLinkPty)
#include "tst_link_pty.moc"
