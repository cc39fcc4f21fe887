// The clone transfer and the test-mode exchange step by step against orvo-radio-sim: every purge,
// write, read, pause, waiting cycle, status text, progress position and message in the order the
// protocols prescribe them. Clone: a read, a write, radios that refuse the program request or the
// entry or send a stray byte first, entry writes that fail, Retry on the open port, and Cancel at
// each stage. Test mode: the pause before the request, an attempt, and Retry on the open port.
#include "recording_line.h"
#include "sim_process.h"

#include <gtest/gtest.h>

using namespace orvo;

namespace {

const std::string kComm = "msg " + messageText(MessageKind::CommunicationError);
const std::string kOrder = "msg " + messageText(MessageKind::SendOrderError);
const std::string kTryAgain = "msg " + messageText(MessageKind::TestModeTryAgain);

// Both protocols' host: records its status texts, positions, waiting cycles and messages among
// the line's steps; answers Retry `retries` times, then Cancel; reports Cancel at waiting cycle
// `cancelAt` (from 0).
class RecordingHost : public CloneHost, public TestModeHost
{
public:
    RecordingHost(Steps& steps, int retries, long cancelAt = -1, CloneDirection direction = {})
        : m_steps(steps), m_retries(retries), m_cancelAt(cancelAt), m_direction(direction)
    {
    }
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
        return m_cancelAt-- == 0 ? Cycle::Cancel : Cycle::Continue;
    }
    CloneHost::Answer showMessage(const Message& message, CloneHost::Buttons buttons) override
    {
        return answer<CloneHost>(messageText(message), buttons);
    }
    TestModeHost::Answer showMessage(const Message& message, TestModeHost::Buttons b) override
    {
        return answer<TestModeHost>(messageText(message), b);
    }
    CloneDirection direction() override { return m_direction; }

private:
    template <class Host> Host::Answer answer(const std::string& text, Host::Buttons buttons)
    {
        m_steps.push_back("msg " + text);
        if (buttons == Host::Buttons::Ok)
            return Host::Answer::Ok;
        return m_retries-- > 0 ? Host::Answer::Retry : Host::Answer::Cancel;
    }

    Steps& m_steps;
    int m_retries;
    long m_cancelAt;
    CloneDirection m_direction;
};

// The port opened with the protocol's time-outs.
Course opened(const char* timeouts = "timeouts 50 50 200")
{
    return Course{{"open", "queues 1024 512", timeouts, "9600 8N1"}};
}

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

Course detecting()
{
    return opened()({"status " + messageText(MessageKind::Detecting)});
}

Course entered(bool strayByte = false, int failing = 0)
{
    Course c = detecting();
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
    Course c = detecting();
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
    Course c = detecting();
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

// One attempt for TX Power at 47 on 146 MHz with 88.5 Hz transmitted, up to the read of the
// radio's answer to `upTo` (0: the request, 1: the item header, 2: frame A, 3: frame B).
Course& attempt(Course& c, int upTo)
{
    c({"pause 500"});
    for (const char* b : {"02", "50", "52", "4F", "47", "52", "41"})
        c({"purge", std::string("w ") + b, "pause 1"});
    c({"purge", "r 1"});
    if (upTo == 0)
        return c;
    c({"pause 1", "purge", "w 4D", "pause 1", "purge", "w 02",    "purge",   "r 8",
       "pause 1", "purge", "w 06", "purge",   "r 1",   "purge",   "pause 1", "w 78",
       "pause 1", "purge", "w 74", "pause 1", "purge", "w 74 08", "purge",   "r 1"});
    if (upTo >= 2)
        c({"pause 1", "purge", "w 00 00 60 14 00 00 60 14", "purge", "r 1"});
    if (upTo >= 3)
        c({"pause 1", "purge", "w 00 00 85 08 FB 01 01 2F", "purge", "r 1"});
    return c;
}

// A host held up past the radio's answer to the request purges it and reads once more for the
// answer the radio repeats: that second read counts as part of the first.
Steps withoutSecondRequestRead(Steps steps)
{
    for (std::size_t i = 4; i + 2 < steps.size(); ++i) {
        if (steps[i - 4] == "w 41" && steps[i - 1] == "r 1" && steps[i] == "purge" &&
            steps[i + 1] == "r 1")
            steps.erase(steps.begin() + static_cast<long>(i),
                        steps.begin() + static_cast<long>(i) + 2);
    }
    return steps;
}

Course finished(Course c)
{
    c({"close", "msg Finish successfully!"});
    return c;
}

} // namespace

TEST(CloneSteps, EachTransferTakesTheDescribedStepsWithTheirPauses)
{
    const RadioImage radio = patternedImage(1), document = patternedImage(3);
    const Course read = readBlocks(entered()), write = writeBlocks(entered(), document);
    const int entry = 12 + 16; // the waiting cycles before a transfer's first block
    Course fiveFailing = detecting();
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
        RecordingHost host(line.steps, row.retries, row.cancelAt, row.direction);
        CloneSession session(line, static_cast<CloneHost&>(host), document);
        const CloneResult result = session.run(sim.path());
        EXPECT_EQ(firstDifference(line.steps, row.course.steps), "");
        if (result.outcome == CloneOutcome::Completed) {
            const bool read = row.direction == CloneDirection::Read;
            EXPECT_EQ(read ? session.receivedImage() : sim.stopAndReadMemory(),
                      read ? radio : document);
        }
    }
}

TEST(TestModeSteps, EachAttemptTakesTheDescribedStepsWithTheirPauses)
{
    Course plain = opened("timeouts 10 50 50")({"purge"}), retried = plain;
    attempt(plain, 3);
    attempt(retried, 2)({kTryAgain});
    attempt(retried, 3);
    const struct
    {
        const char* sim;
        int retries;
        Course course;
    } rows[] = {
        {"", 0, finished(plain)},
        // Retry starts over on the open port, the pause before the request included.
        {"--test-no-h a", 1, finished(retried)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sim);
        SimProcess sim(QString(row.sim).split(' ', Qt::SkipEmptyParts));
        ASSERT_TRUE(sim.started());
        RecordingLine line;
        RecordingHost host(line.steps, row.retries);
        runTestMode(line, static_cast<TestModeHost&>(host),
                    {sim.path(), TestItem::TxPower, 47, "146.00000", "146.00000", "Off", "88.5"});
        EXPECT_EQ(firstDifference(withoutSecondRequestRead(line.steps), row.course.steps), "");
    }
}
