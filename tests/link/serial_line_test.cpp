// The QSerialPort line against orvo-radio-sim: reads that end by time-out report what arrived,
// purges discard, a vanished device fails, the port is exclusive, and COMn follows ORVO_COMn.
#include "link/port_setup.h"
#include "link/qt_serial_line.h"
#include "sim_process.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

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

TEST(SerialLine, ReadsThatRunOutOfTimeSucceedWithWhatArrived)
{
    SimProcess silent({"--silent"});
    ASSERT_TRUE(silent.started());
    auto line = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*line, silent.path(), kCloneTimeouts));
    std::array<std::uint8_t, 12> buffer{};
    EXPECT_EQ(line->read(buffer.data(), 1), 0);

    SimProcess radio;
    ASSERT_TRUE(radio.started());
    ASSERT_TRUE(openRadioPort(*line, radio.path(), kCloneTimeouts));
    sendProgramRequest(*line);
    // The radio sends one byte; a read of twelve ends after the gap and reports that one.
    EXPECT_EQ(line->read(buffer.data(), buffer.size()), 1);
    EXPECT_EQ(buffer[0], 0x06);
}

TEST(SerialLine, PurgeDiscardsWhatWaits)
{
    SimProcess radio;
    ASSERT_TRUE(radio.started());
    auto line = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*line, radio.path(), kCloneTimeouts));
    sendProgramRequest(*line);
    std::uint8_t byte = 0;
    ASSERT_EQ(line->read(&byte, 1), 1); // the ACK
    const std::uint8_t identify = 0x02;
    ASSERT_EQ(line->write(&identify, 1), 1);
    line->pause(100); // the identification arrives meanwhile
    line->purge();
    EXPECT_EQ(line->read(&byte, 1), 0);
}

TEST(SerialLine, AVanishedDeviceFailsReadsAndWrites)
{
    auto radio = std::make_unique<SimProcess>();
    ASSERT_TRUE(radio->started());
    auto line = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*line, radio->path(), kCloneTimeouts));
    radio.reset(); // kills the simulator, which closes the pseudo-terminal
    std::uint8_t byte = 0x02;
    EXPECT_EQ(line->read(&byte, 1), -1);
    EXPECT_EQ(line->write(&byte, 1), -1);
    line->close();
    EXPECT_FALSE(line->isOpen());
}

TEST(SerialLine, APortIsOpenedByOneLineAtATime)
{
    SimProcess radio;
    ASSERT_TRUE(radio.started());
    auto first = makeSerialLine();
    auto second = makeSerialLine();
    ASSERT_TRUE(first->open(radio.path()));
    EXPECT_FALSE(second->open(radio.path()));
    EXPECT_FALSE(second->isOpen());
    first->close();
    EXPECT_TRUE(second->open(radio.path()));
}

TEST(SerialLine, ComNamesFollowTheirEnvironmentVariable)
{
    SimProcess radio;
    ASSERT_TRUE(radio.started());
    ::setenv("ORVO_COM3", radio.path().c_str(), 1);
    auto line = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*line, "COM3", kCloneTimeouts));
    sendProgramRequest(*line);
    std::uint8_t byte = 0;
    EXPECT_EQ(line->read(&byte, 1), 1);
    EXPECT_EQ(byte, 0x06);
    ::unsetenv("ORVO_COM3");
}

TEST(SerialLine, AMissingDeviceDoesNotOpen)
{
    auto line = makeSerialLine();
    EXPECT_FALSE(line->open("/dev/orvo-no-such-port"));
    EXPECT_FALSE(line->isOpen());
    std::uint8_t byte = 0;
    EXPECT_EQ(line->read(&byte, 1), -1);
}
