// Reads that call back while they wait: the caller's events keep turning during a silent radio,
// and the bytes, counts and order of a transfer are those of a line that simply blocks.
#include "link/clone_session.h"
#include "link/port_setup.h"
#include "link/qt_serial_line.h"
#include "recording_line.h"
#include "sim_process.h"
#include "test_host.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>

using namespace orvo;

namespace {

const std::array<std::uint8_t, 8> kProgramRequest = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};

void sendProgramRequest(SerialLine& line)
{
    for (std::uint8_t byte : kProgramRequest) {
        line.purge();
        ASSERT_EQ(line.write(&byte, 1), 1);
        line.pause(1);
    }
}

} // namespace

TEST(SerialWait, ASilentRadioReadKeepsTheEventsTurningAndStillEndsEmpty)
{
    SimProcess silent({"--silent"});
    ASSERT_TRUE(silent.started());
    auto line = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*line, silent.path(), kCloneTimeouts));
    int calls = 0;
    line->setWaitCallback(
        [&calls] {
            ++calls;
            QCoreApplication::processEvents();
        },
        10);
    bool timerFired = false;
    QTimer::singleShot(1, [&timerFired] { timerFired = true; });

    std::array<std::uint8_t, 12> buffer{};
    EXPECT_EQ(line->read(buffer.data(), 1), 0);
    EXPECT_GE(calls, 1);
    EXPECT_TRUE(timerFired); // handled inside the read, not after it

    // Without a callback the read blocks again: the timer waits for the caller's own loop.
    line->setWaitCallback({}, 10);
    const int before = calls;
    timerFired = false;
    QTimer::singleShot(1, [&timerFired] { timerFired = true; });
    EXPECT_EQ(line->read(buffer.data(), 1), 0);
    EXPECT_EQ(calls, before);
    EXPECT_FALSE(timerFired);
    QCoreApplication::processEvents();
    EXPECT_TRUE(timerFired);
}

TEST(SerialWait, BytesThatCameWhileALongCallbackRanAreNotLost)
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
    sendProgramRequest(*line);
    std::uint8_t byte = 0;
    EXPECT_EQ(line->read(&byte, 1), 1);
    EXPECT_EQ(byte, 0x06);
    EXPECT_GE(calls, 1);
}

TEST(SerialWait, ADeviceThatVanishesDuringTheCallbackFailsTheRead)
{
    auto radio = std::make_unique<SimProcess>(QStringList{"--silent"});
    ASSERT_TRUE(radio->started());
    auto line = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*line, radio->path(), kCloneTimeouts));
    line->setWaitCallback([&radio] { radio.reset(); }, 5);
    std::uint8_t byte = 0;
    EXPECT_EQ(line->read(&byte, 1), -1);
}

TEST(SerialWait, ATransferWithCallbacksMovesTheSameBytesInTheSameOrder)
{
    const RadioImage memory = patternedImage(7);
    auto runRead = [&memory](bool callBack, int& calls) {
        SimProcess radio({"--delay", "1"}, &memory);
        EXPECT_TRUE(radio.started());
        auto inner = makeSerialLine();
        if (callBack)
            inner->setWaitCallback(
                [&calls] {
                    ++calls;
                    QCoreApplication::processEvents();
                },
                2);
        RecordingLine line(std::move(inner));
        TestHost host;
        const RadioImage document = RadioImage::makeNew();
        CloneSession session(line, host, document);
        const CloneResult result = session.run(radio.path());
        EXPECT_EQ(result.outcome, CloneOutcome::Completed);
        EXPECT_EQ(session.receivedImage(), memory);
        return line.writes();
    };
    int calls = 0;
    const auto plain = runRead(false, calls);
    EXPECT_EQ(calls, 0);
    const auto calledBack = runRead(true, calls);
    EXPECT_EQ(calledBack, plain);
    EXPECT_GE(calls, 1); // at least in the read after the ACK, which waits out its time-out
}
