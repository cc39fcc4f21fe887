// The clone transfer step by step against orvo-radio-sim: every purge, write, read, pause, waiting
// cycle, status text, progress position and message in the order the protocol prescribes them, for
// a read, a write, radios that refuse the program request or the entry or send a stray byte
// first, entry writes that fail, Retry on the open port, and Cancel at each stage.
#include "recording_line.h"
#include "sim_process.h"
#include "test_host.h"

#include <gtest/gtest.h>

using namespace orvo;

namespace {

const std::string kComm = "msg " + messageText(MessageKind::CommunicationError);
const std::string kOrder = "msg " + messageText(MessageKind::SendOrderError);

class RecordingHost : public TestHost
{
public:
    explicit RecordingHost(Steps& steps) : m_steps(steps) {}
    void showStatus(const Message& status) override
    {
        m_steps.push_back("status " + messageText(status));
    }
    void showProgress(int position, int) override
    {
        m_steps.push_back("progress " + std::to_string(position));
    }
    Cycle waitingCycle() override
    {
        m_steps.push_back("cycle");
        return TestHost::waitingCycle();
    }
    Answer showMessage(const Message& message, Buttons buttons) override
    {
        m_steps.push_back("msg " + messageText(message));
        return TestHost::showMessage(message, buttons);
    }

private:
    Steps& m_steps;
};

// One wake-up attempt up to its first read of the radio's answer.
Course& wakeUp(Course& c)
{
    c({"purge", "status " + messageText(MessageKind::Waiting)})({"cycle", "pause 1"}, 12);
    for (const char* b : {"02", "50", "52", "4F", "47", "52", "41", "4D"})
        c({"purge", std::string("w ") + b, "pause 1"});
    return c({"pause 1", "r 1"});
}

// Up to the read of the answer to the entry acknowledgement, whose first `failing` writes fail.
Course& identifyAndEnter(Course& c, int failing = 0)
{
    c({"pause 1", "purge", "r 1", "pause 2", "purge", "w 02", "r 8"})({"cycle", "pause 1"}, 16);
    c({"purge", "w 06"})({kOrder, "purge", "w 06"}, std::min(failing, 4));
    return failing >= 5 ? c : c({"r 1"});
}

Course opened()
{
    return Course{{"open", "queues 1024 512", "timeouts 50 50 200", "9600 8N1",
                   "status " + messageText(MessageKind::Detecting)}};
}

Course entered(bool strayByte = false, int failing = 0)
{
    Course c = opened();
    wakeUp(c);
    if (strayByte)
        c({"r 1"}); // the stray byte came first; the ACK follows
    identifyAndEnter(c, failing)({"pause 1"});
    return c;
}

std::string command(const char* letter, int block)
{
    char text[16];
    std::snprintf(text, sizeof text, "w %s %02X %02X 08", letter, block * 8 >> 8, block * 8 & 0xFF);
    return text;
}

// A block's progress: the position follows the blocks up to `last`, then stays.
Course& progress(Course& c, int blocks, int last)
{
    const std::string at = std::to_string(std::min(blocks, last));
    return blocks <= last ? c({"progress " + at, "status " + at}) : c({"progress " + at});
}

Course readBlocks(Course c)
{
    // After each reply, one byte time's look for a byte too many (a reply out of step).
    for (int n = 0; n < 128; ++n) {
        c({"purge", command("52", n), "r 12", "timeouts 50 0 2", "r 1", "timeouts 50 50 200",
           "purge"});
        // The pause before the ACK runs from the reply's arrival: the look spends its first part.
        progress(c, n + 1, 123)({"pause 10 after r 12", "purge", "w 06", "r 1"});
        c({"cycle"}, 199)({"pause 10"});
    }
    c({"close", "progress 123"});
    return c;
}

Course writeBlocks(Course c, const RadioImage& image)
{
    for (int n = 0; n < 128; ++n) {
        c({"purge", command("57", n), "pause 1", "purge",
           "w " + hexBytes(image.bytes.data() + n * 8, 8), "r 1"});
        progress(c, n + 1, 122)({"cycle"}, 201)({"pause 2"});
    }
    c({"close", "progress 123"});
    return c;
}

Course refusedProgram(int retries)
{
    Course c = opened();
    for (int answer = 0; answer <= retries; ++answer) {
        for (int attempt = 1; attempt <= 5; ++attempt)
            wakeUp(c)({"r 1", "pause 1"}); // the refusal, then a second read for a late ACK
        c({kComm});
    }
    c({"close"});
    return c;
}

Course refusedEntry()
{
    Course c = opened();
    identifyAndEnter(wakeUp(c))({"cycle", "pause 1"}, 601)({kComm, "close"});
    return c;
}

// `course` cancelled at its waiting cycle `at` (from 0): the port closes, nothing else follows.
Course cancelled(const Course& course, int at)
{
    Course c;
    for (const std::string& step : course.steps) {
        c.steps.push_back(step);
        if (step == "cycle" && at-- == 0)
            break;
    }
    c({"close"});
    return c;
}

} // namespace

TEST(CloneSteps, EachTransferTakesTheDescribedStepsWithTheirPauses)
{
    const RadioImage radio = patternedImage(1), document = patternedImage(3);
    const Course read = readBlocks(entered()), write = writeBlocks(entered(), document);
    const int entry = 12 + 16; // the waiting cycles before a transfer's first block
    Course fiveFailing = opened();
    identifyAndEnter(wakeUp(fiveFailing), 5)({kComm, "close"});
    const struct
    {
        const char* sim;
        CloneDirection direction;
        int failing; // entry acknowledgements whose write fails
        int retries; // Retry answers to the communication failure before Cancel
        long cancelAt;
        Course course;
    } rows[] = {
        {"", CloneDirection::Read, 0, 0, -1, read},
        {"", CloneDirection::Write, 0, 0, -1, write},
        {"--refuse-program", CloneDirection::Read, 0, 1, -1, refusedProgram(1)},
        {"--refuse-entry", CloneDirection::Write, 0, 0, -1, refusedEntry()},
        {"--junk-before-ack", CloneDirection::Write, 0, 0, -1,
         writeBlocks(entered(true), document)},
        // A failing entry write is repeated after its message, four times at most.
        {"", CloneDirection::Write, 2, 0, -1, writeBlocks(entered(false, 2), document)},
        {"", CloneDirection::Write, 5, 0, -1, fiveFailing},
        // Cancel in the wake-up, in the wait after a refused entry, and in a block.
        {"", CloneDirection::Read, 0, 0, 3, cancelled(read, 3)},
        {"--refuse-entry", CloneDirection::Read, 0, 0, entry + 5,
         cancelled(refusedEntry(), entry + 5)},
        {"", CloneDirection::Read, 0, 0, entry + 3 * 199 + 5, cancelled(read, entry + 3 * 199 + 5)},
        {"", CloneDirection::Write, 0, 0, entry + 2 * 201 + 7,
         cancelled(write, entry + 2 * 201 + 7)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.sim << " failing " << row.failing << " cancel at " << row.cancelAt);
        SimProcess sim(QString(row.sim).split(' ', Qt::SkipEmptyParts), &radio);
        ASSERT_TRUE(sim.started());
        RecordingLine line;
        line.failingAcks = row.failing;
        RecordingHost host(line.steps);
        host.directionToGive = row.direction;
        host.retriesToGive = row.retries;
        host.cancelAtCycle = row.cancelAt;
        CloneSession session(line, host, document);
        const CloneResult result = session.run(sim.path());
        EXPECT_EQ(firstDifference(line.steps, row.course.steps), "");
        if (result.outcome == CloneOutcome::Completed) {
            const bool read = row.direction == CloneDirection::Read;
            EXPECT_EQ(read ? session.receivedImage() : sim.stopAndReadMemory(),
                      read ? radio : document);
        }
    }
}
