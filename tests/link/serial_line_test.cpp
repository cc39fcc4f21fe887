// The QSerialPort line against orvo-radio-sim: reads that end by time-out report what arrived,
// purges discard, a vanished device fails, and a read that calls back while it waits keeps the
// caller's events turning without losing bytes.
#include "link/port_setup.h"
#include "link/qt_serial_line.h"
#include "sim_process.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>

using namespace orvo;

namespace {

const std::array<std::uint8_t, 8> kProgramRequest = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};

// Opens the line on a fresh simulator with `options` and sends the program request.
struct WokenLine
{
    explicit WokenLine(const QStringList& options = {}, bool wake = true) : sim(options)
    {
        if (!sim.started() || !openRadioPort(*line, sim.path(), kCloneTimeouts))
            return;
        opened = true;
        for (std::uint8_t byte : kProgramRequest) {
            if (!wake)
                break;
            line->purge();
            line->write(&byte, 1);
            line->pause(1);
        }
    }
    SimProcess sim;
    std::unique_ptr<SerialLine> line = makeSerialLine();
    bool opened = false;
};

} // namespace

// The radio sends one byte; a read of twelve ends after the gap and reports that one.
TEST(SerialLine, ReadsThatRunOutOfTimeSucceedWithWhatArrived)
{
    std::array<std::uint8_t, 12> buffer{};
    WokenLine radio;
    ASSERT_TRUE(radio.opened);
    EXPECT_EQ(radio.line->read(buffer.data(), buffer.size()), 1);
    EXPECT_EQ(buffer[0], 0x06);
    const std::uint8_t identify = 0x02;
    ASSERT_EQ(radio.line->write(&identify, 1), 1);
    radio.line->pause(100); // the identification arrives meanwhile
    radio.line->purge();
    EXPECT_EQ(radio.line->read(buffer.data(), 1), 0);
}

TEST(SerialLine, AVanishedOrMissingDeviceFailsReadsAndWrites)
{
    auto radio = std::make_unique<WokenLine>(QStringList{}, false);
    ASSERT_TRUE(radio->opened);
    auto line = std::move(radio->line);
    radio.reset(); // kills the simulator, which closes the pseudo-terminal
    std::uint8_t byte = 0x02;
    EXPECT_EQ(line->read(&byte, 1), -1);
    EXPECT_EQ(line->write(&byte, 1), -1);

    auto missing = makeSerialLine();
    EXPECT_FALSE(missing->open("/dev/orvo-no-such-port"));
    EXPECT_EQ(missing->read(&byte, 1), -1);

    // Also when it vanishes while the caller's callback runs.
    auto silent = std::make_unique<WokenLine>(QStringList{"--silent"}, false);
    ASSERT_TRUE(silent->opened);
    auto waiting = std::move(silent->line);
    waiting->setWaitCallback([&silent] { silent.reset(); }, 5);
    EXPECT_EQ(waiting->read(&byte, 1), -1);
}

TEST(SerialLine, ASilentReadWithACallbackKeepsTheEventsTurning)
{
    WokenLine silent({"--silent"});
    ASSERT_TRUE(silent.opened);
    silent.line->setWaitCallback([] { QCoreApplication::processEvents(); }, 10);
    bool timerFired = false;
    QTimer::singleShot(1, [&timerFired] { timerFired = true; });
    std::uint8_t byte = 0;
    EXPECT_EQ(silent.line->read(&byte, 1), 0);
    EXPECT_TRUE(timerFired); // handled inside the read, not after it

    // Without a callback the read blocks, finds nothing, and the timer waits for the caller.
    silent.line->setWaitCallback({}, 10);
    timerFired = false;
    QTimer::singleShot(1, [&timerFired] { timerFired = true; });
    EXPECT_EQ(silent.line->read(&byte, 1), 0);
    EXPECT_FALSE(timerFired);
}

TEST(SerialLine, BytesThatCameWhileALongCallbackRanAreNotLost)
{
    SimProcess radio({"--delay", "10"});
    ASSERT_TRUE(radio.started());
    auto line = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*line, radio.path(), kCloneTimeouts));
    // The first call comes before the ACK and outlasts the whole read time-out (250 ms); the ACK
    // arrives meanwhile, as it would into the driver's queue.
    int calls = 0;
    line->setWaitCallback(
        [&calls] {
            if (calls++ == 0)
                QThread::msleep(400);
        },
        1);
    for (std::uint8_t byte : kProgramRequest) {
        line->purge();
        line->write(&byte, 1);
        line->pause(1);
    }
    std::uint8_t byte = 0;
    EXPECT_EQ(line->read(&byte, 1), 1);
    EXPECT_EQ(byte, 0x06);
}
