// The test-mode exchange against a scripted line: the order of every purge, pause, write and
// read, the replies that end an attempt, Retry on the open port, and the messages.
#include "testmode/testmode_session.h"

#include "scripted_line.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::ScriptedLine;
using Buttons = TestModeHost::Buttons;
using Answer = TestModeHost::Answer;
using Trace = std::vector<std::string>;

// Answers Retry as often as told, then Cancel; records each message and whether the line was
// open while it showed.
class ScriptedHost : public TestModeHost
{
public:
    ScriptedHost(const SerialLine& line, int retries) : m_line(line), m_retries(retries) {}
    std::vector<std::string> shown;
    std::vector<bool> lineOpen;

    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        shown.push_back(text + (buttons == Buttons::Ok ? " [OK]" : " [Retry Cancel]"));
        lineOpen.push_back(m_line.isOpen());
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return m_retries-- > 0 ? Answer::Retry : Answer::Cancel;
    }

private:
    const SerialLine& m_line;
    int m_retries;
};

const std::string kTryAgain = " Error had happen ,need try again [Retry Cancel]";
const std::string kFinished = "Finish successfully! [OK]";
const std::vector<std::uint8_t> kId(8, 0x00);

TestModeRequest examplePage()
{
    TestModeRequest r;
    r.port = "COM3";
    r.item = TestItem::TxPower;
    r.value = 47;
    r.rxFrequency = "136.20000";
    r.txFrequency = "146.52000";
    r.rxTone = "Off";
    r.txTone = "88.5";
    return r;
}

const Trace kOpening = {"open COM3", "queues 1024 512", "timeouts 10 50 50 50 50", "9600 8N1",
                        "purge"};

// clang-format off
// The test request, byte by byte, from the pause that starts every attempt.
const Trace kRequest = {
    "pause 500",
    "purge", "write 02", "pause 1", "purge", "write 50", "pause 1", "purge", "write 52", "pause 1",
    "purge", "write 4F", "pause 1", "purge", "write 47", "pause 1", "purge", "write 52", "pause 1",
    "purge", "write 41", "pause 1",
};

// The rest of an attempt that the radio accepts, after its ACK to the request.
const Trace kAccepted = {
    "pause 1", "purge", "write 4D", "pause 1", "purge", "write 02",
    "purge", "read 8",
    "pause 1", "purge", "write 06",
    "purge", "read 1",
    "purge", "pause 1", "write 78", "pause 1",
    "purge", "write 74", "pause 1",
    "purge", "write 74 08",
    "purge", "read 1",
    "pause 1", "purge", "write 00 00 62 13 00 20 65 14",
    "purge", "read 1",
    "pause 1", "purge", "write 00 00 85 08 FB 01 01 2F",
    "purge", "read 1",
};
// clang-format on

Trace concat(std::initializer_list<Trace> parts)
{
    Trace all;
    for (const Trace& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

void scriptWillingRadio(ScriptedLine& line)
{
    using Bytes = std::vector<std::uint8_t>;
    for (const Bytes& reply :
         std::initializer_list<Bytes>{{0x06}, kId, {0x06}, {0x48}, {0x48}, {0x48}})
        line.replies.push_back({reply});
}

TEST(Exchange, AWillingRadioGetsEveryStepInOrderAndThePortClosesBeforeTheSuccessMessage)
{
    ScriptedLine line;
    scriptWillingRadio(line);
    ScriptedHost host(line, 0);

    EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Succeeded);
    EXPECT_EQ(line.trace, concat({kOpening, kRequest, {"purge", "read 1"}, kAccepted, {"close"}}));
    EXPECT_EQ(host.shown, Trace{kFinished});
    EXPECT_EQ(host.lineOpen, std::vector<bool>{false});
}

TEST(Exchange, RetryAfterASilentRadioSendsTheWholeRequestAgainOnTheOpenPort)
{
    ScriptedLine line;
    line.replies = {{}, {}};
    scriptWillingRadio(line);
    ScriptedHost host(line, 1);

    EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Succeeded);
    // A silent radio gets a second read after a purge; then the next attempt starts afresh.
    EXPECT_EQ(line.trace, concat({kOpening,
                                  kRequest,
                                  {"purge", "read 1", "purge", "read 1"},
                                  kRequest,
                                  {"purge", "read 1"},
                                  kAccepted,
                                  {"close"}}));
    EXPECT_EQ(host.shown, (Trace{kTryAgain, kFinished}));
    EXPECT_EQ(host.lineOpen, (std::vector<bool>{true, false}));
}

TEST(Exchange, EveryMissingWrongOrFailedReplyEndsTheAttemptAndCancelClosesThePort)
{
    // The replies up to the one that goes wrong; the last write and the number of reads then.
    struct Case
    {
        const char* step;
        std::deque<ScriptedLine::Reply> replies;
        std::string lastWrite;
        long reads;
    };
    const Case cases[] = {
        {"device fails on the request's read", {{{}, true}}, "write 41", 1},
        {"request answered late",
         {{{0x15}}, {{0x06}}, {kId}, {{0x06}}, {{0x48}}, {{0x48}}, {{0x15}}},
         "write 00 00 85 08 FB 01 01 2F",
         7},
        {"wrong byte twice after the request", {{{0x15}}, {{0x15}}}, "write 41", 2},
        {"device fails on the identification", {{{0x06}}, {{}, true}}, "write 02", 2},
        {"wrong byte to the entry", {{{0x06}}, {kId}, {{0x48}}}, "write 06", 3},
        {"no H to the item header", {{{0x06}}, {kId}, {{0x06}}}, "write 74 08", 4},
        {"ACK instead of H to the header", {{{0x06}}, {kId}, {{0x06}}, {{0x06}}}, "write 74 08", 4},
        {"no H to frame A",
         {{{0x06}}, {kId}, {{0x06}}, {{0x48}}},
         "write 00 00 62 13 00 20 65 14",
         5},
        {"device fails after frame B",
         {{{0x06}}, {kId}, {{0x06}}, {{0x48}}, {{0x48}}, {{}, true}},
         "write 00 00 85 08 FB 01 01 2F",
         6},
    };
    for (const Case& c : cases) {
        ScriptedLine line;
        line.replies = c.replies;
        ScriptedHost host(line, 0);

        EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Cancelled) << c.step;
        EXPECT_EQ(host.shown, Trace{kTryAgain}) << c.step;
        Trace writes;
        long reads = 0;
        for (const std::string& op : line.trace) {
            if (op.rfind("write", 0) == 0)
                writes.push_back(op);
            reads += op.rfind("read", 0) == 0;
        }
        EXPECT_EQ(writes.back(), c.lastWrite) << c.step;
        EXPECT_EQ(reads, c.reads) << c.step;
        EXPECT_EQ(line.trace.back(), "close") << c.step;
    }
}

TEST(Exchange, AShortIdentificationDoesNotMatter)
{
    ScriptedLine line;
    scriptWillingRadio(line);
    line.replies[1].bytes = {0x01, 0x02, 0x03};
    ScriptedHost host(line, 0);
    EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Succeeded);
}

} // namespace
} // namespace orvo
