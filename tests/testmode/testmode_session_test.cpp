// The test-mode exchange step by step against a scripted line: the order of every purge, pause,
// write and read, the replies that end an attempt, Retry on the open port, and the messages.
#include "testmode/testmode_session.h"

#include "scripted_line.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::ScriptedLine;
using Buttons = TestModeHost::Buttons;
using Answer = TestModeHost::Answer;
using Trace = std::vector<std::string>;

// Answers Retry/Cancel messages from a script (Cancel once it runs out) and records each message
// with whether the line was open while it was shown.
class ScriptedHost : public TestModeHost {
public:
    explicit ScriptedHost(const SerialLine& line) : m_line(line) {}

    struct Shown {
        std::string text;
        Buttons buttons;
        bool lineOpen;
    };
    std::vector<Shown> shown;
    std::vector<Answer> answers;

    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        shown.push_back({text, buttons, m_line.isOpen()});
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (answers.empty())
            return Answer::Cancel;
        const Answer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }

private:
    const SerialLine& m_line;
};

const std::string kTryAgain = " Error had happen ,need try again";
const std::string kFinished = "Finish successfully!";
const std::string kOpenFailed =
    "Could not Open the Port,Please check whether the Port are occupied or the device are ok";

TestModeRequest examplePage()
{
    TestModeRequest request;
    request.port = "COM3";
    request.item = TestItem::TxPower;
    request.value = 47;
    request.rxFrequency = "136.20000";
    request.txFrequency = "146.52000";
    request.rxTone = "Off";
    request.txTone = "88.5";
    return request;
}

// The replies of a radio that accepts every step.
void scriptWillingRadio(ScriptedLine& line)
{
    line.reply({0x06});
    line.reply({0x33, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07});
    line.reply({0x06});
    line.reply({0x48});
    line.reply({0x48});
    line.reply({0x48});
}

// Everything one attempt does when the radio accepts every step, from its first pause.
Trace fullAttempt()
{
    return {
        "pause 500",
        "purge", "write 02", "pause 1",
        "purge", "write 50", "pause 1",
        "purge", "write 52", "pause 1",
        "purge", "write 4F", "pause 1",
        "purge", "write 47", "pause 1",
        "purge", "write 52", "pause 1",
        "purge", "write 41", "pause 1",
        "purge", "read 1",
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
}

Trace opening()
{
    return {"open COM3", "queues 1024 512", "timeouts 10 50 50 50 50", "9600 8N1", "purge"};
}

Trace concat(std::initializer_list<Trace> parts)
{
    Trace all;
    for (const Trace& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The index of the first trace entry at or after `from` equal to `op`.
std::size_t indexOf(const Trace& trace, const std::string& op, std::size_t from = 0)
{
    for (std::size_t i = from; i < trace.size(); ++i) {
        if (trace[i] == op)
            return i;
    }
    return trace.size();
}

TEST(Exchange, AWillingRadioGetsEveryStepInOrderAndTheSuccessMessage)
{
    ScriptedLine line;
    scriptWillingRadio(line);
    ScriptedHost host(line);

    EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Succeeded);

    EXPECT_EQ(line.trace, concat({opening(), fullAttempt(), {"close"}}));
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, kFinished);
    EXPECT_EQ(host.shown[0].buttons, Buttons::Ok);
    EXPECT_FALSE(host.shown[0].lineOpen);
}

TEST(Exchange, ARadioThatAnswersTheRequestLateStillGoesOnInTheSameAttempt)
{
    ScriptedLine line;
    line.reply({0x15}); // another byte first, then the ACK on the second read
    scriptWillingRadio(line);
    ScriptedHost host(line);

    EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Succeeded);
    EXPECT_EQ(indexOf(line.trace, "pause 500", 6), line.trace.size()) << "a second attempt ran";
    const std::size_t first = indexOf(line.trace, "write 41");
    EXPECT_EQ(Trace(line.trace.begin() + first + 1, line.trace.begin() + first + 8),
              (Trace{"pause 1", "purge", "read 1", "purge", "read 1", "pause 1", "purge"}));
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, kFinished);
}

TEST(Exchange, ASilentRadioGetsRetryOnTheOpenPortWithTheWholeRequestAgain)
{
    ScriptedLine line;
    line.silence();
    line.silence();
    scriptWillingRadio(line);
    ScriptedHost host(line);
    host.answers = {Answer::Retry};

    EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Succeeded);

    const Trace silentAttempt = {
        "pause 500",
        "purge", "write 02", "pause 1", "purge", "write 50", "pause 1",
        "purge", "write 52", "pause 1", "purge", "write 4F", "pause 1",
        "purge", "write 47", "pause 1", "purge", "write 52", "pause 1",
        "purge", "write 41", "pause 1",
        "purge", "read 1", "purge", "read 1",
    };
    EXPECT_EQ(line.trace, concat({opening(), silentAttempt, fullAttempt(), {"close"}}));
    ASSERT_EQ(host.shown.size(), 2u);
    EXPECT_EQ(host.shown[0].text, kTryAgain);
    EXPECT_EQ(host.shown[0].buttons, Buttons::RetryCancel);
    EXPECT_TRUE(host.shown[0].lineOpen);
    EXPECT_EQ(host.shown[1].text, kFinished);
}

TEST(Exchange, EveryMissingOrWrongReplyEndsTheAttempt)
{
    // Replies given before the one that goes wrong, the wrong one, and the last write sent.
    struct Case {
        const char* step;
        std::vector<ScriptedLine::Reply> replies;
        std::string lastWrite;
    };
    const std::vector<std::uint8_t> id(8, 0x00);
    const std::vector<Case> cases = {
        {"device fails on the request's first read", {{{}, true}}, "41"},
        {"wrong byte twice after the request", {{{0x15}}, {{0x15}}}, "41"},
        {"device fails reading the identification", {{{0x06}}, {{}, true}}, "02"},
        {"no ACK to the entry", {{{0x06}}, {id}, {}}, "06"},
        {"wrong byte to the entry", {{{0x06}}, {id}, {{0x48}}}, "06"},
        {"no H to the item header", {{{0x06}}, {id}, {{0x06}}, {}}, "74 08"},
        {"ACK instead of H to the item header", {{{0x06}}, {id}, {{0x06}}, {{0x06}}}, "74 08"},
        {"no H to frame A", {{{0x06}}, {id}, {{0x06}}, {{0x48}}, {}}, "00 00 62 13 00 20 65 14"},
        {"device fails after frame B", {{{0x06}}, {id}, {{0x06}}, {{0x48}}, {{0x48}}, {{}, true}},
         "00 00 85 08 FB 01 01 2F"},
        {"wrong byte to frame B", {{{0x06}}, {id}, {{0x06}}, {{0x48}}, {{0x48}}, {{0x06}}},
         "00 00 85 08 FB 01 01 2F"},
    };
    for (const Case& c : cases) {
        ScriptedLine line;
        line.replies.assign(c.replies.begin(), c.replies.end());
        ScriptedHost host(line);

        EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Cancelled) << c.step;
        ASSERT_EQ(host.shown.size(), 1u) << c.step;
        EXPECT_EQ(host.shown[0].text, kTryAgain) << c.step;
        EXPECT_TRUE(host.shown[0].lineOpen) << c.step;
        EXPECT_EQ(line.writes().back(), c.lastWrite) << c.step;
        EXPECT_EQ(line.trace.back(), "close") << c.step;
        EXPECT_EQ(indexOf(line.trace, "pause 500", 6), line.trace.size()) << c.step;
    }
}

TEST(Exchange, AShortIdentificationDoesNotMatter)
{
    ScriptedLine line;
    line.reply({0x06});
    line.reply({0x01, 0x02, 0x03}); // three bytes of eight
    line.reply({0x06});
    line.reply({0x48});
    line.reply({0x48});
    line.reply({0x48});
    ScriptedHost host(line);
    EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Succeeded);
}

TEST(Exchange, RetriesGoOnUntilCancelAndEachResendsTheRequest)
{
    ScriptedLine line; // silent throughout
    ScriptedHost host(line);
    host.answers = {Answer::Retry, Answer::Retry, Answer::Retry};

    EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::Cancelled);

    EXPECT_EQ(host.shown.size(), 4u);
    int opens = 0, requests = 0;
    for (const std::string& op : line.trace) {
        opens += op.rfind("open ", 0) == 0;
        requests += op == "write 50"; // the P of the request
    }
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(requests, 4);
    EXPECT_EQ(line.trace.back(), "close");
    EXPECT_FALSE(line.isOpen());
}

TEST(Exchange, APortThatCannotBeOpenedEndsWithItsMessageAndNothingElse)
{
    ScriptedLine line;
    line.openSucceeds = false;
    ScriptedHost host(line);

    EXPECT_EQ(runTestMode(line, host, examplePage()), TestModeOutcome::OpenFailed);
    EXPECT_EQ(line.trace, (Trace{"open COM3"}));
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0].text, kOpenFailed);
    EXPECT_EQ(host.shown[0].buttons, Buttons::Ok);
}

TEST(Exchange, UnfitNumbersAreRefusedBeforeThePortIsTouched)
{
    for (auto spoil : {+[](TestModeRequest& r) { r.rxFrequency = "-136"; },
                       +[](TestModeRequest& r) { r.txFrequency = "1000"; },
                       +[](TestModeRequest& r) { r.rxTone = ""; },
                       +[](TestModeRequest& r) { r.value = 300; }}) {
        ScriptedLine line;
        scriptWillingRadio(line);
        ScriptedHost host(line);
        TestModeRequest request = examplePage();
        spoil(request);

        EXPECT_EQ(runTestMode(line, host, request), TestModeOutcome::Refused);
        EXPECT_TRUE(line.trace.empty());
        ASSERT_EQ(host.shown.size(), 1u);
        EXPECT_EQ(host.shown[0].buttons, Buttons::Ok);
        EXPECT_FALSE(host.shown[0].text.empty());
    }
}

} // namespace
} // namespace orvo
