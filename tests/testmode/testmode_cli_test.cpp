// orvo-cli test-mode against orvo-radio-sim: the messages on stderr, Retry as often as allowed
// and then Cancel, exit statuses, and refusals before anything is sent.
#include "radio_sim_process.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvo {
namespace {

using test::RadioSimProcess;
using test::runCli;

QStringList testMode(const std::string& port, QStringList extra = {})
{
    QStringList arguments{"test-mode", "--port", QString::fromStdString(port),
                          "--item", "tx-power", "--value", "47",
                          "--rx", "136.20000", "--tx", "146.52000", "--tx-tone", "88.5"};
    return arguments + extra;
}

long occurrences(const std::string& text, const std::string& part)
{
    long count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(TestModeVerb, SendsTheAdjustmentAndSaysSo)
{
    RadioSimProcess sim;
    ASSERT_TRUE(sim.started());
    const auto run = runCli(testMode(sim.path(), {"--item", "low-power-voltage", "--value", "38",
                                                  "--rx-tone", "d023n"}));
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors, "Finish successfully!\n");

    const auto log = sim.stopAndReadTestLog();
    EXPECT_NE(std::find(log.begin(), log.end(), "test: item 72 Low Power Voltage"), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "test: frame B 00 00 85 08 FB 01 01 26"), log.end());
}

TEST(TestModeVerb, CancelsAfterTheFirstFailureUnlessToldToRetry)
{
    RadioSimProcess sim({"--silent"});
    ASSERT_TRUE(sim.started());

    auto run = runCli(testMode(sim.path()));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(occurrences(run.errors, " Error had happen ,need try again\n"), 1) << run.errors;

    run = runCli(testMode(sim.path(), {"--retries", "2"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(occurrences(run.errors, " Error had happen ,need try again\n"), 3) << run.errors;
    EXPECT_EQ(occurrences(run.errors, "Finish successfully!"), 0);
}

TEST(TestModeVerb, RetriesUntilTheRadioAnswers)
{
    RadioSimProcess sim({"--test-ignore", "2"});
    ASSERT_TRUE(sim.started());
    const auto run = runCli(testMode(sim.path(), {"--retries", "5"}));
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(occurrences(run.errors, " Error had happen ,need try again\n"), 2);
    EXPECT_EQ(occurrences(run.errors, "Finish successfully!\n"), 1);
}

TEST(TestModeVerb, UnfitNumbersAreRefusedBeforeAnythingIsSent)
{
    RadioSimProcess sim({"--silent"});
    ASSERT_TRUE(sim.started());
    for (const QStringList& spoil : {QStringList{"--rx", "-5"}, QStringList{"--tx", "1234.5"},
                                     QStringList{"--rx-tone", ""}, QStringList{"--value", "256"}}) {
        const auto run = runCli(testMode(sim.path(), spoil));
        EXPECT_EQ(run.status, 1) << spoil.join(' ').toStdString();
        EXPECT_EQ(occurrences(run.errors, "\n"), 1) << run.errors;
        EXPECT_EQ(occurrences(run.errors, "Error had happen"), 0) << run.errors;
    }
    EXPECT_EQ(sim.stopAndReadTestLog(), std::vector<std::string>{});
}

TEST(TestModeVerb, BadUsageAndMissingPortsAreReported)
{
    EXPECT_EQ(runCli({"test-mode", "--port", "/dev/null"}).status, 2);
    EXPECT_EQ(runCli(testMode("/dev/null", {"--item", "volume"})).status, 2);
    EXPECT_EQ(runCli(testMode("/dev/null", {"--tx-tone", "88.6"})).status, 2);
    EXPECT_EQ(runCli(testMode("/dev/null", {"--value", "loud"})).status, 2);

    const auto run = runCli(testMode("/dev/orvo-no-such-port"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "Could not Open the Port,Please check whether the Port are occupied or "
                          "the device are ok\n");
}

} // namespace
} // namespace orvo
