// The test-mode exchange over a real pty against orvo-radio-sim: what the radio received, Retry
// after a silent radio or a missing H, and the port closed at every end.
#include "testmode/testmode_session.h"

#include "link/qt_serial_line.h"
#include "radio_sim_process.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvo {
namespace {

using test::RadioSimProcess;
using Lines = std::vector<std::string>;

const std::string kTryAgain = " Error had happen ,need try again";
const std::string kFinished = "Finish successfully!";

// Answers Retry as often as told, then Cancel; keeps every message.
class RetryingHost : public TestModeHost
{
public:
    explicit RetryingHost(int retries) : m_retries(retries) {}
    Lines shown;

    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        shown.push_back(text);
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return m_retries-- > 0 ? Answer::Retry : Answer::Cancel;
    }

private:
    int m_retries;
};

TestModeRequest page(const std::string& port)
{
    TestModeRequest r;
    r.port = port;
    r.item = TestItem::TxPower;
    r.value = 47;
    r.rxFrequency = "136.20000";
    r.txFrequency = "146.52000";
    r.rxTone = "Off";
    r.txTone = "88.5";
    return r;
}

const Lines kReceived = {
    "test: item 74 TX Power",
    "test: frame A 00 00 62 13 00 20 65 14",
    "test: frame B 00 00 85 08 FB 01 01 2F",
    "test: done",
};

long countOf(const Lines& lines, const std::string& text)
{
    return std::count(lines.begin(), lines.end(), text);
}

// The port is free again: an exclusive open by another line succeeds.
bool portIsFree(const std::string& path)
{
    QtSerialLine other;
    return other.open(path);
}

TEST(ExchangeWithRadio, TheRadioReceivesTheItemAndBothFramesEachTimeStartIsPressed)
{
    RadioSimProcess sim;
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(0);
    TestModeRequest request = page(sim.path());

    EXPECT_EQ(runTestMode(line, host, request), TestModeOutcome::Succeeded);
    EXPECT_FALSE(line.isOpen());
    EXPECT_TRUE(portIsFree(sim.path()));

    request.item = TestItem::SquelchLevel;
    request.value = 160;
    request.rxFrequency = request.txFrequency = "146.00000";
    request.rxTone = "D023N";
    request.txTone = "254.1";
    EXPECT_EQ(runTestMode(line, host, request), TestModeOutcome::Succeeded);
    EXPECT_EQ(host.shown, (Lines{kFinished, kFinished}));

    Lines expected = {"test request"};
    expected.insert(expected.end(), kReceived.begin(), kReceived.end());
    expected.insert(expected.end(), {"test request", "test: item 73 Squelch Level",
                                     "test: frame A 00 00 60 14 00 00 60 14",
                                     "test: frame B 00 00 41 25 FB 01 01 A0", "test: done"});
    EXPECT_EQ(sim.stopAndReadTestLog(), expected);
}

TEST(ExchangeWithRadio, RetryAfterASilentRadioSendsTheWholeRequestAgain)
{
    RadioSimProcess sim({"--test-ignore", "1"});
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(1);

    EXPECT_EQ(runTestMode(line, host, page(sim.path())), TestModeOutcome::Succeeded);
    EXPECT_EQ(host.shown, (Lines{kTryAgain, kFinished}));
    Lines expected = {"test request", "test: request ignored", "test request"};
    expected.insert(expected.end(), kReceived.begin(), kReceived.end());
    EXPECT_EQ(sim.stopAndReadTestLog(), expected);
}

TEST(ExchangeWithRadio, RetryAfterAMissingHToFrameARunsTheWholeAttemptWithTheSameFrames)
{
    RadioSimProcess sim({"--test-no-h", "a"});
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(1);

    EXPECT_EQ(runTestMode(line, host, page(sim.path())), TestModeOutcome::Succeeded);
    const Lines log = sim.stopAndReadTestLog();
    EXPECT_EQ(countOf(log, "test request"), 2);
    EXPECT_EQ(countOf(log, kReceived[0]), 2);
    EXPECT_EQ(countOf(log, kReceived[1]), 2);
    EXPECT_EQ(countOf(log, kReceived[2]), 1);
}

TEST(ExchangeWithRadio, AStrayByteBeforeTheAckIsPassedOver)
{
    RadioSimProcess sim({"--test-noise"});
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(0);
    EXPECT_EQ(runTestMode(line, host, page(sim.path())), TestModeOutcome::Succeeded);
    EXPECT_EQ(countOf(sim.stopAndReadTestLog(), "test request"), 1);
}

TEST(ExchangeWithRadio, CancelAfterAMissingHClosesThePort)
{
    RadioSimProcess sim({"--test-no-h", "b"});
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(0);

    EXPECT_EQ(runTestMode(line, host, page(sim.path())), TestModeOutcome::Cancelled);
    EXPECT_EQ(host.shown, Lines{kTryAgain});
    EXPECT_FALSE(line.isOpen());
    EXPECT_TRUE(portIsFree(sim.path()));
}

} // namespace
} // namespace orvo
