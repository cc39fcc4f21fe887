// orvo-cli test-mode against orvo-radio-sim: messages on stderr, Retry as often as allowed and
// then Cancel, exit statuses, and refusals before anything is sent.
#include "radio_sim_process.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::RadioSimProcess;
using test::runCli;

const std::string kTryAgain = " Error had happen ,need try again\n";

QStringList testMode(const std::string& port, const QStringList& extra = {})
{
    return QStringList{"test-mode", "--port",    QString::fromStdString(port),
                       "--item",    "tx-power",  "--value",
                       "47",        "--rx",      "136.20000",
                       "--tx",      "146.52000", "--tx-tone",
                       "88.5"} +
           extra;
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
    const auto run = runCli(testMode(
        sim.path(), {"--item", "low-power-voltage", "--value", "38", "--rx-tone", "d023n"}));
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors, "Finish successfully!\n");
    const auto log = sim.stopAndReadTestLog();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[1], "test: item 72 Low Power Voltage");
    EXPECT_EQ(log[3], "test: frame B 00 00 85 08 FB 01 01 26");
}

TEST(TestModeVerb, CancelsAfterTheFirstFailureUnlessToldToRetry)
{
    RadioSimProcess sim({"--silent"});
    ASSERT_TRUE(sim.started());
    auto run = runCli(testMode(sim.path()));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(occurrences(run.errors, kTryAgain), 1) << run.errors;

    run = runCli(testMode(sim.path(), {"--retries", "2"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(occurrences(run.errors, kTryAgain), 3) << run.errors;
}

TEST(TestModeVerb, UnfitNumbersAreRefusedBeforeAnythingIsSent)
{
    // A silent simulator logs every byte that reaches it.
    RadioSimProcess sim({"--silent"});
    ASSERT_TRUE(sim.started());
    for (const QStringList& spoil : {QStringList{"--rx", "-5"}, QStringList{"--tx", "1234.5"},
                                     QStringList{"--rx-tone", ""}, QStringList{"--value", "256"}}) {
        const auto run = runCli(testMode(sim.path(), spoil));
        EXPECT_EQ(run.status, 1) << spoil.join(' ').toStdString();
        EXPECT_EQ(occurrences(run.errors, "\n"), 1) << run.errors;
        EXPECT_EQ(occurrences(run.errors, kTryAgain), 0) << run.errors;
    }
    EXPECT_EQ(sim.stopAndReadTestLog(), std::vector<std::string>{});
}

TEST(TestModeVerb, BadUsageAndMissingPortsAreReported)
{
    EXPECT_EQ(runCli({"test-mode", "--port", "/dev/null"}).status, 2);
    EXPECT_EQ(runCli(testMode("/dev/null", {"--item", "volume"})).status, 2);
    EXPECT_EQ(runCli(testMode("/dev/null", {"--tx-tone", "88.6"})).status, 2);
    EXPECT_EQ(runCli(testMode("/dev/null", {"--value", "loud"})).status, 2);
    EXPECT_EQ(runCli(testMode("/dev/null", {"--rx", "abc"})).status, 2);

    const auto run = runCli(testMode("/dev/orvo-no-such-port"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "Could not Open the Port,Please check whether the Port are occupied or "
                          "the device are ok\n/dev/orvo-no-such-port: No such file or directory\n");
}

} // namespace
} // namespace orvo
