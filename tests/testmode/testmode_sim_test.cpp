// The test-mode exchange over a real pty against orvo-radio-sim: what the radio received, Retry
// after a silent radio or a missing H, refusals that send nothing, and the port closed at every end.
#include "testmode/testmode_session.h"

#include "link/qt_serial_line.h"
#include "radio_sim_process.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvo {
namespace {

using test::RadioSimProcess;
using Answer = TestModeHost::Answer;
using Lines = std::vector<std::string>;

const std::string kTryAgain = " Error had happen ,need try again";
const std::string kFinished = "Finish successfully!";

// Answers Retry as many times as told, then Cancel; keeps every message.
class RetryingHost : public TestModeHost {
public:
    explicit RetryingHost(int retries) : m_retries(retries) {}
    std::vector<std::string> shown;

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
    TestModeRequest request;
    request.port = port;
    request.item = TestItem::TxPower;
    request.value = 47;
    request.rxFrequency = "136.20000";
    request.txFrequency = "146.52000";
    request.rxTone = "Off";
    request.txTone = "88.5";
    return request;
}

long countOf(const Lines& lines, const std::string& text)
{
    return std::count(lines.begin(), lines.end(), text);
}

// The port is free again: an exclusive open by another line succeeds.
bool portIsFree(const std::string& path)
{
    QtSerialLine other;
    const bool opened = other.open(path);
    other.close();
    return opened;
}

TEST(ExchangeWithRadio, TheRadioReceivesTheItemAndBothFrames)
{
    RadioSimProcess sim;
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(0);

    EXPECT_EQ(runTestMode(line, host, page(sim.path())), TestModeOutcome::Succeeded);
    EXPECT_EQ(host.shown, (std::vector<std::string>{kFinished}));
    EXPECT_FALSE(line.isOpen());
    EXPECT_TRUE(portIsFree(sim.path()));

    EXPECT_EQ(sim.stopAndReadTestLog(), (Lines{
        "test request",
        "test: item 74 TX Power",
        "test: frame A 00 00 62 13 00 20 65 14",
        "test: frame B 00 00 85 08 FB 01 01 2F",
        "test: done",
    }));
}

TEST(ExchangeWithRadio, StartCanBePressedAgainAfterSuccess)
{
    RadioSimProcess sim;
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(0);
    TestModeRequest request = page(sim.path());

    EXPECT_EQ(runTestMode(line, host, request), TestModeOutcome::Succeeded);
    request.item = TestItem::SquelchLevel;
    request.value = 160;
    request.rxFrequency = request.txFrequency = "146.00000";
    request.rxTone = "D023N";
    request.txTone = "254.1";
    EXPECT_EQ(runTestMode(line, host, request), TestModeOutcome::Succeeded);

    const Lines log = sim.stopAndReadTestLog();
    EXPECT_EQ(countOf(log, "test request"), 2);
    EXPECT_EQ(countOf(log, "test: item 73 Squelch Level"), 1);
    EXPECT_EQ(countOf(log, "test: frame A 00 00 60 14 00 00 60 14"), 1);
    EXPECT_EQ(countOf(log, "test: frame B 00 00 41 25 FB 01 01 A0"), 1);
}

TEST(ExchangeWithRadio, RetryAfterASilentRadioSendsTheWholeRequestAgain)
{
    RadioSimProcess sim({"--test-ignore", "1"});
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(1);

    EXPECT_EQ(runTestMode(line, host, page(sim.path())), TestModeOutcome::Succeeded);
    EXPECT_EQ(host.shown, (std::vector<std::string>{kTryAgain, kFinished}));
    EXPECT_FALSE(line.isOpen());

    EXPECT_EQ(sim.stopAndReadTestLog(), (Lines{
        "test request",
        "test: request ignored",
        "test request",
        "test: item 74 TX Power",
        "test: frame A 00 00 62 13 00 20 65 14",
        "test: frame B 00 00 85 08 FB 01 01 2F",
        "test: done",
    }));
}

TEST(ExchangeWithRadio, RetryAfterAMissingHToFrameARunsTheWholeAttemptWithTheSameFrames)
{
    RadioSimProcess sim({"--test-no-h", "a"});
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(1);

    EXPECT_EQ(runTestMode(line, host, page(sim.path())), TestModeOutcome::Succeeded);
    EXPECT_EQ(host.shown, (std::vector<std::string>{kTryAgain, kFinished}));

    const Lines log = sim.stopAndReadTestLog();
    EXPECT_EQ(countOf(log, "test request"), 2);
    EXPECT_EQ(countOf(log, "test: item 74 TX Power"), 2);
    EXPECT_EQ(countOf(log, "test: frame A 00 00 62 13 00 20 65 14"), 2);
    EXPECT_EQ(countOf(log, "test: frame B 00 00 85 08 FB 01 01 2F"), 1);
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
    EXPECT_EQ(host.shown, (std::vector<std::string>{kTryAgain}));
    EXPECT_FALSE(line.isOpen());
    EXPECT_TRUE(portIsFree(sim.path()));
}

TEST(ExchangeWithRadio, UnfitNumbersAreRefusedWithNothingSent)
{
    // A silent simulator logs every byte that reaches it.
    RadioSimProcess sim({"--silent"});
    ASSERT_TRUE(sim.started());
    QtSerialLine line;
    RetryingHost host(3);
    for (const char* frequency : {"-146.52", "1000.00000"}) {
        TestModeRequest request = page(sim.path());
        request.txFrequency = frequency;
        EXPECT_EQ(runTestMode(line, host, request), TestModeOutcome::Refused) << frequency;
    }
    TestModeRequest noTone = page(sim.path());
    noTone.rxTone.clear();
    EXPECT_EQ(runTestMode(line, host, noTone), TestModeOutcome::Refused);

    EXPECT_EQ(host.shown.size(), 3u);
    EXPECT_TRUE(portIsFree(sim.path()));
    EXPECT_EQ(sim.stopAndReadTestLog(), Lines{});
}

TEST(ExchangeWithRadio, AMissingPortShowsTheOpenFailure)
{
    QtSerialLine line;
    RetryingHost host(0);
    EXPECT_EQ(runTestMode(line, host, page("/dev/orvo-no-such-port")), TestModeOutcome::OpenFailed);
    EXPECT_EQ(host.shown, (std::vector<std::string>{
        "Could not Open the Port,Please check whether the Port are occupied or the device are ok"}));
}

} // namespace
} // namespace orvo
