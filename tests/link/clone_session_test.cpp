// The clone transfer against orvo-radio-sim over a real pty, one row per case: what goes out on
// the wire and in which order, the progress, the waiting cycles, failing entry writes, Retry on
// the open port and Cancel at each stage. How each misbehaving radio ends is the fault matrix's
// (tests/reliability).
#include "core/link/clone_session.h"
#include "core/link/port_setup.h"
#include "serial/qt_serial_line.h"
#include "sim_process.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvo;
using Bytes = std::vector<std::uint8_t>;
using enum CloneDirection;
using enum CloneOutcome;

namespace {

constexpr long kEntry = 12 + 16; // the waiting cycles of the wake-up and of the identification
const std::string kComm = kCommunicationErrorText, kOrder = kSendOrderErrorText;

// The real line with its opens and closes ('o', 'c') and its writes recorded in order; the next
// `failWrites` one-byte writes of an ACK fail and send nothing, as a broken driver's would.
class RecordingLine : public SerialLine
{
public:
    std::unique_ptr<SerialLine> inner = makeSerialLine();
    std::string ops;
    int failWrites = 0;
    std::vector<Bytes> writes;

    bool open(const std::string& name) override { return ops += 'o', inner->open(name); }
    bool isOpen() const override { return inner->isOpen(); }
    void close() override { ops += 'c', inner->close(); }
    void setQueueSizes(std::size_t in, std::size_t out) override { inner->setQueueSizes(in, out); }
    void setTimeouts(const LineTimeouts& t) override { inner->setTimeouts(t); }
    void configure9600_8N1() override { inner->configure9600_8N1(); }
    void purge() override { inner->purge(); }
    void pause(int milliseconds) override { inner->pause(milliseconds); }
    long read(std::uint8_t* data, std::size_t n) override { return inner->read(data, n); }
    long write(const std::uint8_t* data, std::size_t n) override
    {
        writes.emplace_back(data, data + n);
        if (failWrites > 0 && n == 1 && data[0] == 0x06) {
            --failWrites;
            return -1;
        }
        return inner->write(data, n);
    }
};

struct Case
{
    const char* sim; // the simulator's options
    CloneDirection direction;
    int failWrites;       // entry acknowledgements whose write fails
    int retries;          // Retry answers before Cancel
    long cancelAt;        // the waiting cycle that reports Cancel, counting from 0
    CloneOutcome outcome; // OpenFailed: the port names no device
    int blocks;           // moved
    long cycles;          // waiting cycles run
    std::vector<std::string> messages;
};

const Case kCases[] = {
    {"", Read, 0, 0, -1, Completed, 128, kEntry + 128 * 199, {}},
    {"", Write, 0, 0, -1, Completed, 128, kEntry + 128 * 201, {}},
    // A refused entry waits 601 cycles for the radio before the communication failure.
    {"--refuse-entry", Read, 0, 0, -1, Failed, 0, kEntry + 601, {kComm}},
    // Failed entry writes are repeated after the send-order message, four times at most.
    {"", Write, 2, 0, -1, Completed, 128, kEntry + 128 * 201, {kOrder, kOrder}},
    {"", Write, 5, 0, -1, Failed, 0, kEntry, {kOrder, kOrder, kOrder, kOrder, kComm}},
    // Retry starts over on the open port: five wake-up attempts each time.
    {"--refuse-program", Read, 0, 1, -1, Failed, 0, 2 * 5 * 12, {kComm, kComm}},
    // Cancel stops at that cycle, in the wake-up, the identification, the entry or a block.
    {"", Read, 0, 0, 3, Cancelled, 0, 4, {}},
    {"", Read, 0, 0, 12 + 5, Cancelled, 0, 12 + 6, {}},
    {"--refuse-entry", Read, 0, 0, kEntry + 5, Cancelled, 0, kEntry + 6, {}},
    {"", Read, 0, 0, kEntry + 3 * 199 + 5, Cancelled, 4, kEntry + 3 * 199 + 6, {}},
    {"", Write, 0, 0, kEntry + 2 * 201 + 7, Cancelled, 3, kEntry + 2 * 201 + 8, {}},
    {"", Read, 0, 0, -1, OpenFailed, 0, 0, {kOpenFailedMessage}},
};

Bytes blockCommand(std::uint8_t command, int block)
{
    const unsigned a = static_cast<unsigned>(block) * 8;
    return {command, static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a & 0xFF), 0x08};
}

// The writes from the first block command on.
std::vector<Bytes> blockWrites(const RecordingLine& line)
{
    const auto& all = line.writes;
    const auto first = std::find_if(all.begin(), all.end(), [](const Bytes& w) {
        return w.size() == 4 && (w[0] == 0x52 || w[0] == 0x57);
    });
    return {first, all.end()};
}

} // namespace

TEST(CloneTransfer, EveryRowSendsItsBlocksInOrderAndEndsAsItSays)
{
    const RadioImage radio = patternedImage(1);
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.sim << (c.direction == Write ? " write" : " read")
                                        << " cancel at " << c.cancelAt);
        SimProcess sim(QString(c.sim).split(' ', Qt::SkipEmptyParts), &radio);
        ASSERT_TRUE(sim.started());
        RecordingLine line;
        line.failWrites = c.failWrites;
        TestHost host;
        host.directionToGive = c.direction;
        host.retriesToGive = c.retries;
        host.cancelAtCycle = c.cancelAt;
        std::vector<bool> openAtMessage;
        host.onMessage = [&] { openAtMessage.push_back(line.isOpen()); };
        const RadioImage document = patternedImage(3);
        CloneSession session(line, host, document);
        const CloneResult result =
            session.run(c.outcome == OpenFailed ? "/dev/orvo-no-such-port" : sim.path());

        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.blocksDone, c.blocks);
        EXPECT_EQ(host.cycles, c.cycles);
        std::vector<std::string> texts;
        for (const ShownMessage& m : host.messages) {
            texts.push_back(m.text);
            EXPECT_EQ(m.buttons == CloneHost::Buttons::RetryCancel, m.text == kComm);
        }
        EXPECT_EQ(texts, c.messages);
        EXPECT_EQ(openAtMessage, std::vector<bool>(c.messages.size(), c.outcome != OpenFailed));
        EXPECT_EQ(host.directionAsked, result.directionKnown ? 1 : 0);
        EXPECT_FALSE(line.isOpen());
        EXPECT_EQ(line.ops.back(), c.outcome == OpenFailed ? 'o' : 'c'); // closed at the end
        EXPECT_EQ(host.statuses.empty(), c.outcome == OpenFailed);
        // Nothing goes out before the wake-up's 12 cycles; no bytes follow a Cancel.
        EXPECT_EQ(line.writes.empty(), c.cycles <= 12);
        const std::vector<Bytes> blocks = blockWrites(line);
        ASSERT_EQ(blocks.size(), 2u * c.blocks);
        const bool write = c.direction == Write;
        for (int n = 0; n < c.blocks; ++n) {
            EXPECT_EQ(blocks[2 * n], blockCommand(write ? 0x57 : 0x52, n)) << "block " << n;
            const Bytes data(document.bytes.begin() + n * 8, document.bytes.begin() + n * 8 + 8);
            EXPECT_EQ(blocks[2 * n + 1], write ? data : Bytes{0x06}) << n;
        }
        if (c.outcome != Completed) {
            EXPECT_EQ(host.positions.size(), std::size_t(c.blocks));
            continue;
        }
        EXPECT_EQ(write ? sim.stopAndReadMemory() : session.receivedImage(),
                  write ? document : radio);
        // The position stops at 122 while writing and 123 while reading, and ends at 123.
        std::vector<std::string> statuses{kDetectingText, kWaitingText};
        for (int i = 1; i <= (write ? 122 : 123); ++i)
            statuses.push_back(std::to_string(i));
        EXPECT_EQ(host.statuses, statuses);
        ASSERT_EQ(host.positions.size(), 129u);
        EXPECT_EQ(host.positions[127], write ? 122 : 123);
        EXPECT_EQ(host.positions.back(), 123);
    }
}
