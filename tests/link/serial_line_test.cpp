// The serial lines against orvo-radio-sim, the window's (QSerialPort) and orvo-cli's (the terminal
// calls): a read that ends by time-out reports what arrived, a purge discards what came, a line
// that names no device fails; and each refuses a port the other holds, by the same lock file.
#include "core/link/port_setup.h"
#include "serial/posix_serial_line.h"
#include "serial/qt_serial_line.h"
#include "sim_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <string_view>

#include <sys/wait.h>
#include <unistd.h>

using namespace orvo;

namespace {

using LineMaker = std::function<std::unique_ptr<SerialLine>()>;

std::unique_ptr<SerialLine> qtLine()
{
    return makeSerialLine();
}

std::unique_ptr<SerialLine> posixLine()
{
    return std::make_unique<PosixSerialLine>([](const std::string& name) { return name; });
}

const std::array<std::pair<const char*, LineMaker>, 2> kLines{{{"QSerialPort", qtLine},
                                                                {"terminal calls", posixLine}}};

std::string refusal(const SerialLine& line)
{
    return line.openFailure() ? line.openFailure()->args.back().text : std::string("(none)");
}

} // namespace

TEST(SerialLine, ReadsThatRunOutOfTimeSucceedWithWhatArrived)
{
    for (const auto& [lineName, makeLine] : kLines) {
        SCOPED_TRACE(lineName);
        SimProcess sim;
        auto line = makeLine();
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

        auto missing = makeLine();
        EXPECT_FALSE(missing->open("/dev/orvo-no-such-port"));
        EXPECT_EQ(refusal(*missing), "No such file or directory");
        EXPECT_EQ(missing->read(buffer.data(), 1), -1);
    }
}

TEST(SerialLine, APortEitherLineHoldsIsRefusedByTheOtherUntilClosedAndADeadHoldersLockIsTakenOver)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    for (const auto& [holderName, makeHolder] : kLines) {
        for (const auto& [otherName, makeOther] : kLines) {
            SCOPED_TRACE(std::string(holderName) + " holds, " + otherName + " opens");
            auto holder = makeHolder();
            auto other = makeOther();
            ASSERT_TRUE(holder->open(sim.path()));
            EXPECT_FALSE(other->open(sim.path()));
            EXPECT_EQ(refusal(*other), "Permission error while locking the device");
            holder->close();
            EXPECT_TRUE(other->open(sim.path()));
        }
    }

    // A lock file whose process has ended, as a crashed program leaves it.
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    waitpid(ended, nullptr, 0);
    std::string lockName = sim.path().substr(5);
    std::replace(lockName.begin(), lockName.end(), '/', '_');
    for (const auto& [lineName, makeLine] : kLines) {
        SCOPED_TRACE(lineName);
        std::ofstream("/var/lock/LCK.." + lockName) << ended << "\norvo\n\n";
        EXPECT_TRUE(makeLine()->open(sim.path()));
    }
}
