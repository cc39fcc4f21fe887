// The clone transfer step by step against orvo-radio-sim: every purge, write, read, pause and
// waiting cycle in the order the protocol describes them, for a read, a write, a radio that
// refuses the program request or the entry, and one that sends a stray byte before its ACK.
#include "recording_line.h"
#include "sim_process.h"
#include "test_host.h"

#include <gtest/gtest.h>

using namespace orvo;

namespace {

const std::string kComm = std::string("msg ") + kCommunicationErrorText;

class RecordingHost : public TestHost
{
public:
    explicit RecordingHost(Steps& steps) : m_steps(steps) {}
    Cycle waitingCycle() override
    {
        m_steps.push_back("cycle");
        return TestHost::waitingCycle();
    }
    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        m_steps.push_back("msg " + text);
        return TestHost::showMessage(text, buttons);
    }

private:
    Steps& m_steps;
};

// Opening, then one wake-up attempt up to its first read of the radio's answer.
Course& wakeUp(Course& c)
{
    c({"purge"})({"cycle", "pause 1"}, 12);
    for (const char* b : {"02", "50", "52", "4F", "47", "52", "41", "4D"})
        c({"purge", std::string("w ") + b, "pause 1"});
    return c({"pause 1", "r 1"});
}

Course& identifyAndEnter(Course& c)
{
    c({"pause 1", "purge", "r 1", "pause 2", "purge", "w 02", "r 8"})({"cycle", "pause 1"}, 16);
    return c({"purge", "w 06", "r 1"});
}

std::string command(const char* letter, int block)
{
    char text[16];
    std::snprintf(text, sizeof text, "w %s %02X %02X 08", letter, block * 8 >> 8, block * 8 & 0xFF);
    return text;
}

Course opened()
{
    return Course{{"open", "queues 1024 512", "timeouts 50 50 200", "9600 8N1"}};
}

// The blocks after the entry, then the end.
Course readBlocks(Course c)
{
    // After each reply, one byte time's look for a byte too many (a reply out of step).
    for (int n = 0; n < 128; ++n)
        c({"purge", command("52", n), "r 12", "timeouts 50 0 2", "r 1", "timeouts 50 50 200",
           "purge", "pause 10", "purge", "w 06", "r 1"})({"cycle"}, 199)({"pause 10"});
    c({"close"});
    return c;
}

Course writeBlocks(Course c, const RadioImage& image)
{
    for (int n = 0; n < 128; ++n)
        c({"purge", command("57", n), "pause 1", "purge", "w " + hexBytes(image.bytes.data() + n * 8, 8),
           "r 1"})({"cycle"}, 201)({"pause 2"});
    c({"close"});
    return c;
}

Course entered(bool strayByte = false)
{
    Course c = opened();
    wakeUp(c);
    if (strayByte)
        c({"r 1"}); // the stray byte came first; the ACK follows
    identifyAndEnter(c)({"pause 1"});
    return c;
}

Course refusedProgram()
{
    Course c = opened();
    for (int attempt = 1; attempt <= 5; ++attempt)
        wakeUp(c)({"r 1", "pause 1"}); // the refusal, then a second read for a late ACK
    c({kComm, "close"});
    return c;
}

Course refusedEntry()
{
    Course c = opened();
    identifyAndEnter(wakeUp(c))({"cycle", "pause 1"}, 601);
    c({kComm, "close"});
    return c;
}

} // namespace

TEST(CloneSteps, EachTransferTakesTheDescribedStepsWithTheirPauses)
{
    const RadioImage document = patternedImage(3);
    const struct
    {
        const char* sim;
        CloneDirection direction;
        Course course;
    } rows[] = {
        {"", CloneDirection::Read, readBlocks(entered())},
        {"", CloneDirection::Write, writeBlocks(entered(), document)},
        {"--refuse-program", CloneDirection::Read, refusedProgram()},
        {"--refuse-entry", CloneDirection::Write, refusedEntry()},
        {"--junk-before-ack", CloneDirection::Write, writeBlocks(entered(true), document)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sim);
        const RadioImage radio = patternedImage(1);
        SimProcess sim(QString(row.sim).split(' ', Qt::SkipEmptyParts), &radio);
        ASSERT_TRUE(sim.started());
        RecordingLine line;
        RecordingHost host(line.steps);
        host.directionToGive = row.direction;
        CloneSession session(line, host, document);
        session.run(sim.path());
        EXPECT_EQ(firstDifference(line.steps, row.course.steps), "");
    }
}
