// The clone transfer against orvo-radio-sim over a real pty: what arrives, what goes out on the
// wire and in which order, and how every kind of misbehaving radio ends.
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
    const auto all = line.writes();
    const auto first = std::find_if(all.begin(), all.end(), [](const Bytes& w) {
        return w.size() == 4 && (w[0] == 0x52 || w[0] == 0x57);
    });
    return {first, all.end()};
}

std::size_t countWrites(const RecordingLine& line, const Bytes& bytes)
{
    const auto all = line.writes();
    return static_cast<std::size_t>(std::count(all.begin(), all.end(), bytes));
}

std::vector<std::string> numbers(int from, int to)
{
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i)
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
        return !line.isOpen() && !line.events.empty() &&
               line.events.back().kind == LineEvent::Close;
    }
};

} // namespace

TEST(CloneRead, FullReadEqualsTheRadioMemoryWithEveryBlockAskedOnceInOrder)
{
    const RadioImage radio = patternedImage(1);
    SimProcess sim({}, &radio);
    ASSERT_TRUE(sim.started());
    Transfer run;
    const RadioImage documentBefore = run.document;
    run.transfer(sim.path());

    EXPECT_EQ(run.result.outcome, CloneOutcome::Completed);
    EXPECT_TRUE(run.result.directionKnown);
    EXPECT_EQ(run.result.direction, CloneDirection::Read);
    EXPECT_EQ(run.result.blocksDone, 128);
    EXPECT_EQ(run.received, radio);
    EXPECT_EQ(run.document, documentBefore);
    EXPECT_TRUE(run.endedClosed());
    EXPECT_TRUE(run.host.messages.empty());
    EXPECT_EQ(run.host.directionAsked, 1);

    const auto blocks = blockWrites(run.line);
    ASSERT_EQ(blocks.size(), 256u);
    for (int n = 0; n < 128; ++n) {
        EXPECT_EQ(blocks[2 * n], blockCommand(0x52, n)) << "block " << n;
        EXPECT_EQ(blocks[2 * n + 1], Bytes{0x06}) << "block " << n;
    }

    std::vector<std::string> statuses{kDetectingText, kWaitingText};
    const auto counted = numbers(1, 123);
    statuses.insert(statuses.end(), counted.begin(), counted.end());
    EXPECT_EQ(run.host.statuses, statuses);
    ASSERT_EQ(run.host.positions.size(), 129u);
    EXPECT_EQ(run.host.positions[0], 1);
    EXPECT_EQ(run.host.positions[122], 123);
    EXPECT_EQ(run.host.positions[127], 123);
    EXPECT_EQ(run.host.positions.back(), 123);
    EXPECT_EQ(run.host.blocksDone[127], 128);
    EXPECT_EQ(run.host.cycles, kWakeCycles + kIdentCycles + 128 * 199);
}

TEST(CloneWrite, FullWriteMakesTheRadioMemoryEqualTheImage)
{
    const RadioImage radio = patternedImage(2);
    SimProcess sim({}, &radio);
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.document = patternedImage(3);
    run.host.directionToGive = CloneDirection::Write;
    run.transfer(sim.path());

    EXPECT_EQ(run.result.outcome, CloneOutcome::Completed);
    EXPECT_EQ(run.result.direction, CloneDirection::Write);
    EXPECT_EQ(run.result.blocksDone, 128);
    EXPECT_TRUE(run.endedClosed());
    EXPECT_TRUE(run.host.messages.empty());
    EXPECT_EQ(sim.stopAndReadMemory(), run.document);

    const auto blocks = blockWrites(run.line);
    ASSERT_EQ(blocks.size(), 256u);
    for (int n = 0; n < 128; ++n) {
        EXPECT_EQ(blocks[2 * n], blockCommand(0x57, n)) << "block " << n;
        EXPECT_EQ(blocks[2 * n + 1], blockData(run.document, n)) << "block " << n;
    }
    std::vector<std::string> statuses{kDetectingText, kWaitingText};
    const auto counted = numbers(1, 122);
    statuses.insert(statuses.end(), counted.begin(), counted.end());
    EXPECT_EQ(run.host.statuses, statuses);
    ASSERT_EQ(run.host.positions.size(), 129u);
    EXPECT_EQ(run.host.positions[127], 122);
    EXPECT_EQ(run.host.positions.back(), 123);
    EXPECT_EQ(run.host.cycles, kWakeCycles + kIdentCycles + 128 * 201);

    // The wake-up: a purge, 12 cycles with 1 ms pauses, then the program request one byte per
    // write, each after a purge and followed by 1 ms, then one more 1 ms and a one-byte read.
    const auto& e = run.line.events;
    std::size_t i = 0;
    ASSERT_GT(e.size(), 40u);
    EXPECT_EQ(e[i++].kind, LineEvent::Open);
    EXPECT_EQ(e[i++].kind, LineEvent::Purge);
    for (int c = 0; c < kWakeCycles; ++c, ++i)
        EXPECT_TRUE(e[i].kind == LineEvent::Pause && e[i].ms == 1);
    for (std::uint8_t byte : Bytes{0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}) {
        EXPECT_EQ(e[i++].kind, LineEvent::Purge);
        EXPECT_TRUE(e[i].kind == LineEvent::Write && e[i].bytes == Bytes{byte});
        ++i;
        EXPECT_TRUE(e[i].kind == LineEvent::Pause && e[i].ms == 1);
        ++i;
    }
    EXPECT_TRUE(e[i].kind == LineEvent::Pause && e[i].ms == 1);
    ++i;
    EXPECT_TRUE(e[i].kind == LineEvent::Read && e[i].requested == 1 && e[i].bytes == Bytes{0x06});
}

TEST(CloneWakeUp, SilentRadioGetsFiveAttemptsOfTwoReadsThenRetryCancel)
{
    SimProcess sim({"--silent"});
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.transfer(sim.path());

    EXPECT_EQ(run.result.outcome, CloneOutcome::Failed);
    EXPECT_FALSE(run.result.directionKnown);
    EXPECT_EQ(run.host.directionAsked, 0);
    ASSERT_EQ(run.host.messages.size(), 1u);
    EXPECT_EQ(run.host.messages[0].text,
              "Communication Error，Please check all the connections and the radio power");
    EXPECT_EQ(run.host.messages[0].buttons, CloneHost::Buttons::RetryCancel);
    EXPECT_EQ(countWrites(run.line, {0x4D}), 5u);
    EXPECT_EQ(run.line.count(LineEvent::Read), 10u);
    EXPECT_EQ(run.host.cycles, 5 * kWakeCycles);
    EXPECT_TRUE(run.endedClosed());
    EXPECT_TRUE(blockWrites(run.line).empty());
}

TEST(CloneWakeUp, RefusedProgramRequestFailsAfterFiveAttemptsAndRetryGivesFiveMore)
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
    EXPECT_EQ(countWrites(run.line, {0x50}), 10u);
    EXPECT_EQ(
        std::count(run.host.statuses.begin(), run.host.statuses.end(), std::string(kWaitingText)),
        10);
    EXPECT_TRUE(run.endedClosed());
}

TEST(CloneEntry, RefusedEntryRuns601CyclesThenTheCommunicationFailure)
{
    SimProcess sim({"--refuse-entry"});
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.transfer(sim.path());

    EXPECT_EQ(run.result.outcome, CloneOutcome::Failed);
    EXPECT_EQ(run.host.messageTexts(), std::vector<std::string>{kCommunicationErrorText});
    EXPECT_EQ(run.host.cycles, kWakeCycles + kIdentCycles + 601);
    EXPECT_EQ(run.host.directionAsked, 0);
    EXPECT_EQ(countWrites(run.line, {0x50}), 1u);
    EXPECT_TRUE(run.endedClosed());
}

TEST(CloneEntry, FailedEntryWritesAreRepeatedAfterTheSendOrderMessage)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.document = patternedImage(4);
    run.host.directionToGive = CloneDirection::Write;
    run.line.failWrites = 2;
    run.transfer(sim.path());

    EXPECT_EQ(run.result.outcome, CloneOutcome::Completed);
    EXPECT_EQ(run.host.messageTexts(),
              (std::vector<std::string>{" Error in the Send Order", " Error in the Send Order"}));
    EXPECT_EQ(run.host.messages[0].buttons, CloneHost::Buttons::Ok);
    EXPECT_EQ(sim.stopAndReadMemory(), run.document);
}

TEST(CloneEntry, FiveFailedEntryWritesEndInTheCommunicationFailure)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.line.failWrites = 5;
    run.transfer(sim.path());

    EXPECT_EQ(run.result.outcome, CloneOutcome::Failed);
    EXPECT_EQ(
        run.host.messageTexts(),
        (std::vector<std::string>{kSendOrderErrorText, kSendOrderErrorText, kSendOrderErrorText,
                                  kSendOrderErrorText, kCommunicationErrorText}));
    EXPECT_EQ(countWrites(run.line, {0x06}), 5u);
    EXPECT_EQ(run.host.directionAsked, 0);
    EXPECT_TRUE(run.endedClosed());
}

class UnacknowledgedWrite : public ::testing::TestWithParam<int>
{
};

// A write that breaks off after its first block also says the radio needs another write.
TEST_P(UnacknowledgedWrite, EndsWithTheBlockErrorAndTheRadioKeepsOnlyEarlierBlocks)
{
    const int refused = GetParam();
    const RadioImage radio = patternedImage(5);
    SimProcess sim({"--no-write-ack", QString::number(refused)}, &radio);
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.document = patternedImage(6);
    run.host.directionToGive = CloneDirection::Write;
    run.transfer(sim.path());

    EXPECT_EQ(run.result.outcome, CloneOutcome::Failed);
    EXPECT_EQ(run.result.blocksDone, refused);
    std::vector<std::string> expected{kBlockErrorText};
    if (refused > 0)
        expected.push_back(kPartialWriteText);
    EXPECT_EQ(run.host.messageTexts(), expected);
    EXPECT_EQ(run.host.messages[0].buttons, CloneHost::Buttons::Ok);
    EXPECT_EQ(blockWrites(run.line).size(), static_cast<std::size_t>(2 * (refused + 1)));
    ASSERT_FALSE(run.host.positions.empty());
    EXPECT_EQ(run.host.positions.back(), 123);
    EXPECT_TRUE(run.endedClosed());

    const RadioImage after = sim.stopAndReadMemory();
    for (int n = 0; n < 128; ++n)
        EXPECT_EQ(blockData(after, n), blockData(n < refused ? run.document : radio, n))
            << "block " << n;
}

INSTANTIATE_TEST_SUITE_P(Blocks, UnacknowledgedWrite, ::testing::Values(0, 5),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Block" + std::to_string(info.param);
                         });

struct ReadFailure
{
    const char* name;
    QStringList simOptions;
    int blocksStored;
    const char* message;
};

void PrintTo(const ReadFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

class FailedRead : public ::testing::TestWithParam<ReadFailure>
{
};

TEST_P(FailedRead, EndsWithItsMessageClosedAndDeliversNothing)
{
    const ReadFailure& c = GetParam();
    const RadioImage radio = patternedImage(7);
    SimProcess sim(c.simOptions, &radio);
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.transfer(sim.path());

    EXPECT_EQ(run.result.outcome, CloneOutcome::Failed);
    EXPECT_EQ(run.result.blocksDone, c.blocksStored);
    ASSERT_EQ(run.host.messages.size(), 1u);
    EXPECT_EQ(run.host.messages[0].text, c.message);
    EXPECT_EQ(run.host.messages[0].buttons, CloneHost::Buttons::Ok);
    EXPECT_TRUE(run.endedClosed());
    // The progress display stays where the last block left it.
    EXPECT_EQ(run.host.positions.size(), static_cast<std::size_t>(c.blocksStored));
    if (!run.host.positions.empty()) {
        EXPECT_EQ(run.host.positions.back(), c.blocksStored);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Radio, FailedRead,
    ::testing::Values(
        ReadFailure{"NineByteReply", {"--short-read", "3:9"}, 3, "not received enough  byte"},
        ReadFailure{"ElevenByteReply", {"--short-read", "3:11"}, 3, "not received enough  byte"},
        ReadFailure{"TenByteFirstReply", {"--short-read", "0:10"}, 0, "not received enough  byte"},
        // An entry ACK repeated after the purge shifts the first reply by a byte.
        ReadFailure{"LateEntryAck", {"--late-entry-ack"}, 0, "not received enough  byte"}),
    [](const ::testing::TestParamInfo<ReadFailure>& info) { return std::string(info.param.name); });

TEST(CloneCancel, CancelDuringAReadStopsAtThatCycleWithoutMessageOrFurtherBytes)
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
}

TEST(CloneCancel, CancelBeforeTheFirstAttemptSendsNothing)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    Transfer run;
    run.host.cancelAtCycle = 3;
    run.transfer(sim.path());

    EXPECT_EQ(run.result.outcome, CloneOutcome::Cancelled);
    EXPECT_TRUE(run.line.writes().empty());
    EXPECT_TRUE(run.host.messages.empty());
    EXPECT_TRUE(run.host.positions.empty());
    EXPECT_TRUE(run.endedClosed());
}

TEST(CloneOpen, MissingPortShowsTheOpenFailureAndDoesNothingElse)
{
    Transfer run;
    run.transfer("/dev/orvo-no-such-port");

    EXPECT_EQ(run.result.outcome, CloneOutcome::OpenFailed);
    ASSERT_EQ(run.host.messages.size(), 1u);
    EXPECT_EQ(
        run.host.messages[0].text,
        "Could not Open the Port,Please check whether the Port are occupied or the device are ok");
    EXPECT_EQ(run.host.messages[0].buttons, CloneHost::Buttons::Ok);
    EXPECT_TRUE(run.host.statuses.empty());
    ASSERT_EQ(run.line.events.size(), 1u);
    EXPECT_EQ(run.line.events[0].kind, LineEvent::Open);
}

TEST(CloneOpen, PortHeldByAnotherProgramIsRefusedAndFreeAgainAfterwards)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    auto holder = makeSerialLine();
    ASSERT_TRUE(openRadioPort(*holder, sim.path(), kCloneTimeouts));
    Transfer run;
    run.transfer(sim.path());
    EXPECT_EQ(run.result.outcome, CloneOutcome::OpenFailed);
    EXPECT_EQ(run.host.messageTexts(), std::vector<std::string>{kOpenFailedMessage});

    holder->close();
    Transfer again;
    again.host.cancelAtCycle = 0;
    again.transfer(sim.path());
    EXPECT_EQ(again.result.outcome, CloneOutcome::Cancelled);
}
