// The clone transfer against orvo-radio-sim over a real pty: what arrives, what goes out on the
// wire and in which order, failing entry writes, Cancel and the port. How each misbehaving radio
// ends is the fault matrix's (tests/reliability).
#include "link/clone_session.h"
#include "link/port_setup.h"
#include "link/qt_serial_line.h"
#include "recording_line.h"
#include "sim_process.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvo;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr int kWakeCycles = 12;
constexpr int kIdentCycles = 16;

Bytes blockCommand(std::uint8_t command, int block)
{
    const unsigned a = static_cast<unsigned>(block) * 8;
    return {command, static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a & 0xFF), 0x08};
}

Bytes blockData(const RadioImage& image, int block)
{
    return Bytes(image.bytes.begin() + block * 8, image.bytes.begin() + block * 8 + 8);
}

// The writes from the first block command on.
std::vector<Bytes> blockWrites(const RecordingLine& line)
{
    const auto& all = line.writes();
    const auto first = std::find_if(all.begin(), all.end(), [](const Bytes& w) {
        return w.size() == 4 && (w[0] == 0x52 || w[0] == 0x57);
    });
    return {first, all.end()};
}

std::vector<std::string> statusesCountingTo(int last)
{
    std::vector<std::string> out{kDetectingText, kWaitingText};
    for (int i = 1; i <= last; ++i)
        out.push_back(std::to_string(i));
    return out;
}

struct Transfer
{
    RecordingLine line{makeSerialLine()};
    TestHost host;
    RadioImage document = RadioImage::makeNew();
    CloneResult result;
    RadioImage received;

    void transfer(const std::string& port)
    {
        CloneSession session(line, host, document);
        result = session.run(port);
        received = session.receivedImage();
    }
    bool endedClosed() const
    {
        return !line.isOpen() && line.ops.ends_with('c');
    }
};

} // namespace

TEST(CloneTransfer, ReadAndWriteMoveEveryBlockOnceInOrderWithTheirProgress)
{
    for (const CloneDirection direction : {CloneDirection::Read, CloneDirection::Write}) {
        const bool write = direction == CloneDirection::Write;
        SCOPED_TRACE(write ? "write" : "read");
        const RadioImage radio = patternedImage(1);
        SimProcess sim({}, &radio);
        ASSERT_TRUE(sim.started());
        Transfer run;
        run.document = patternedImage(3);
        run.host.directionToGive = direction;
        const RadioImage documentBefore = run.document;
        run.transfer(sim.path());

        EXPECT_EQ(run.result.outcome, CloneOutcome::Completed);
        EXPECT_EQ(run.result.direction, direction);
        EXPECT_EQ(run.result.blocksDone, 128);
        EXPECT_EQ(run.document, documentBefore);
        EXPECT_TRUE(run.endedClosed());
        EXPECT_TRUE(run.host.messages.empty());
        EXPECT_EQ(run.host.directionAsked, 1);
        if (write)
            EXPECT_EQ(sim.stopAndReadMemory(), run.document);
        else
            EXPECT_EQ(run.received, radio);

        const auto blocks = blockWrites(run.line);
        ASSERT_EQ(blocks.size(), 256u);
        for (int n = 0; n < 128; ++n) {
            EXPECT_EQ(blocks[2 * n], blockCommand(write ? 0x57 : 0x52, n)) << "block " << n;
            EXPECT_EQ(blocks[2 * n + 1], write ? blockData(run.document, n) : Bytes{0x06}) << n;
        }
        // The position stops at 122 while writing and 123 while reading, and ends at 123.
        EXPECT_EQ(run.host.statuses, statusesCountingTo(write ? 122 : 123));
        ASSERT_EQ(run.host.positions.size(), 129u);
        EXPECT_EQ(run.host.positions[127], write ? 122 : 123);
        EXPECT_EQ(run.host.positions.back(), 123);
        EXPECT_EQ(run.host.blocksDone[127], 128);
        EXPECT_EQ(run.host.cycles, kWakeCycles + kIdentCycles + 128 * (write ? 201 : 199));
    }
}

TEST(CloneTransfer, RefusedEntryRuns601CyclesThenTheCommunicationFailure)
{
    SimProcess sim({"--refuse-entry"});
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.transfer(sim.path());
    EXPECT_EQ(run.result.outcome, CloneOutcome::Failed);
    EXPECT_EQ(run.host.messageTexts(), std::vector<std::string>{kCommunicationErrorText});
    EXPECT_EQ(run.host.cycles, kWakeCycles + kIdentCycles + 601);
}

TEST(CloneTransfer, FailedEntryWritesAreRepeatedAfterTheSendOrderMessageFourTimes)
{
    for (const int failures : {2, 5}) {
        SCOPED_TRACE(failures);
        SimProcess sim;
        ASSERT_TRUE(sim.started());
        Transfer run;
        run.document = patternedImage(4);
        run.host.directionToGive = CloneDirection::Write;
        run.line.failWrites = failures;
        run.transfer(sim.path());

        std::vector<std::string> messages(std::min(failures, 4), kSendOrderErrorText);
        if (failures == 5)
            messages.push_back(kCommunicationErrorText);
        EXPECT_EQ(run.host.messageTexts(), messages);
        EXPECT_EQ(run.host.messages[0].buttons, CloneHost::Buttons::Ok);
        EXPECT_TRUE(run.endedClosed());
        if (failures == 5) {
            EXPECT_EQ(run.result.outcome, CloneOutcome::Failed);
            EXPECT_EQ(run.host.directionAsked, 0);
        } else {
            EXPECT_EQ(run.result.outcome, CloneOutcome::Completed);
            EXPECT_EQ(sim.stopAndReadMemory(), run.document);
        }
    }
}

TEST(CloneTransfer, RetryAfterARefusedRequestKeepsThePortOpenAndStartsOver)
{
    SimProcess sim({"--refuse-program"});
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.host.retriesToGive = 1;
    bool openAtMessage = false;
    run.host.onMessage = [&] { openAtMessage = run.line.isOpen(); };
    run.transfer(sim.path());
    EXPECT_EQ(run.result.outcome, CloneOutcome::Failed);
    EXPECT_EQ(run.host.messageTexts(),
              (std::vector<std::string>{kCommunicationErrorText, kCommunicationErrorText}));
    EXPECT_TRUE(openAtMessage);
    const auto& writes = run.line.writes();
    EXPECT_EQ(std::count(writes.begin(), writes.end(), Bytes{0x50}), 10);
    EXPECT_TRUE(run.endedClosed());
}

TEST(CloneTransfer, CancelStopsAtThatCycleWithoutMessageOrFurtherBytes)
{
    const RadioImage radio = patternedImage(8);
    SimProcess sim({}, &radio);
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.host.cancelAtCycle = kWakeCycles + kIdentCycles + 3 * 199 + 5; // among block 3's cycles
    run.transfer(sim.path());
    EXPECT_EQ(run.result.outcome, CloneOutcome::Cancelled);
    EXPECT_EQ(run.result.blocksDone, 4);
    EXPECT_TRUE(run.host.messages.empty());
    EXPECT_EQ(blockWrites(run.line).size(), 8u);
    EXPECT_EQ(run.host.positions.back(), 4);
    EXPECT_TRUE(run.endedClosed());

    Transfer early;
    early.host.cancelAtCycle = 3;
    early.transfer(sim.path());
    EXPECT_EQ(early.result.outcome, CloneOutcome::Cancelled);
    EXPECT_TRUE(early.line.writes().empty());
    EXPECT_TRUE(early.host.positions.empty());
}

TEST(CloneTransfer, AMissingOrHeldPortShowsTheOpenFailureAndDoesNothingElse)
{
    Transfer missing;
    missing.transfer("/dev/orvo-no-such-port");
    EXPECT_EQ(missing.result.outcome, CloneOutcome::OpenFailed);
    EXPECT_EQ(missing.host.messageTexts(), std::vector<std::string>{kOpenFailedMessage});
    EXPECT_EQ(missing.host.messages[0].buttons, CloneHost::Buttons::Ok);
    EXPECT_TRUE(missing.host.statuses.empty());
    EXPECT_EQ(missing.line.ops, "o");

    SimProcess sim;
    ASSERT_TRUE(sim.started());
    auto holder = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*holder, sim.path(), kCloneTimeouts));
    Transfer held;
    held.transfer(sim.path());
    EXPECT_EQ(held.result.outcome, CloneOutcome::OpenFailed);
    holder->close();
    Transfer again;
    again.host.cancelAtCycle = 0;
    again.transfer(sim.path());
    EXPECT_EQ(again.result.outcome, CloneOutcome::Cancelled);
}
