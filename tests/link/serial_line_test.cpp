// The QSerialPort line against orvo-radio-sim: a read that ends by time-out reports what arrived,
// a purge discards what came, and a line that names no device fails.
#include "core/link/port_setup.h"
#include "serial/qt_serial_line.h"
#include "sim_process.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

using namespace orvo;

TEST(SerialLine, ReadsThatRunOutOfTimeSucceedWithWhatArrived)
{
    SimProcess sim;
    auto line = makeSerialLine();
    ASSERT_TRUE(sim.started() && openRadioPort(*line, sim.path(), kCloneTimeouts));
    for (const char c : std::string_view("\x02PROGRAM")) {
        const auto byte = static_cast<std::uint8_t>(c);
        line->purge();
        line->write(&byte, 1);
        line->pause(1);
    }
    // The radio sends one byte; a read of twelve ends after the gap and reports that one.
    std::array<std::uint8_t, 12> buffer{};
    EXPECT_EQ(line->read(buffer.data(), buffer.size()), 1);
    EXPECT_EQ(buffer[0], 0x06);
    const std::uint8_t identify = 0x02;
    ASSERT_EQ(line->write(&identify, 1), 1);
    line->pause(100); // the identification arrives meanwhile
    line->purge();
    EXPECT_EQ(line->read(buffer.data(), 1), 0);

    auto missing = makeSerialLine();
    EXPECT_FALSE(missing->open("/dev/orvo-no-such-port"));
    EXPECT_EQ(missing->read(buffer.data(), 1), -1);
}
