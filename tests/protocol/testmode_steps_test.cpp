// The test-mode exchange step by step against orvo-radio-sim: the pause before the request, every
// purge, write, read and pause of an attempt, and Retry on the open port.
#include "recording_line.h"
#include "sim_process.h"

#include <gtest/gtest.h>

using namespace orvo;

namespace {

const std::string kTryAgain = "msg  Error had happen ,need try again";

// Records its messages among the line's steps; answers Retry `retries` times, then Cancel.
class RecordingTestModeHost : public TestModeHost
{
public:
    RecordingTestModeHost(Steps& steps, int retries) : m_steps(steps), m_retries(retries) {}
    Answer showMessage(const Message& message, Buttons buttons) override
    {
        m_steps.push_back("msg " + messageText(message));
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return m_retries-- > 0 ? Answer::Retry : Answer::Cancel;
    }

private:
    Steps& m_steps;
    int m_retries;
};

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

Course opened()
{
    return Course{{"open", "queues 1024 512", "timeouts 10 50 50", "9600 8N1", "purge"}};
}

Course finished(Course c)
{
    c({"close", "msg Finish successfully!"});
    return c;
}

} // namespace

TEST(TestModeSteps, EachAttemptTakesTheDescribedStepsWithTheirPauses)
{
    Course plain = opened(), retried = opened();
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
        RecordingTestModeHost host(line.steps, row.retries);
        runTestMode(line, host,
                    {sim.path(), TestItem::TxPower, 47, "146.00000", "146.00000", "Off", "88.5"});
        EXPECT_EQ(firstDifference(withoutSecondRequestRead(line.steps), row.course.steps), "");
    }
}
