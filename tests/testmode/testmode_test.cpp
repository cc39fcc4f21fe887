// Test mode: the texts of frequencies and tones as numbers and the frames they make; the exchange
// against a scripted line that plays the radio's replies and records every operation in order
// ("purge", "write 74 08", "read 1", "pause 500"): the exact order of a good exchange, Retry on
// the open port, the port closed before the last message, and the device failures and wrong
// replies that orvo-radio-sim in the fault matrix does not make; and the frequency page's Enter
// check and tone lists.
#include "image/tone_codec.h"
#include "link/serial_line.h"
#include "testmode/debug_frequency.h"
#include "testmode/testmode_frames.h"
#include "testmode/testmode_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <stdexcept>
#include <string>

namespace orvo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Trace = std::vector<std::string>;
constexpr DebugStep k5 = DebugStep::Khz5;
constexpr DebugStep k625 = DebugStep::Khz6_25;

// "74 08"
std::string hex(const std::uint8_t* data, std::size_t n)
{
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        char two[4];
        std::snprintf(two, sizeof two, " %02X", data[i]);
        text += two;
    }
    return text.substr(1);
}

TEST(FrequencyText, EveryFrequencyWrittenWithFiveDecimalsIsSentExactly)
{
    for (std::uint32_t step : {500u, 625u}) {
        for (std::uint32_t units = 10000000; units <= 52000000; units += step) {
            char text[32];
            std::snprintf(text, sizeof text, "%8.5f", units / 100000.0);
            ASSERT_EQ(testFrequencyUnits(text), units) << text;
        }
    }
    // The leading number counts and no number reads as 0; numbers the field cannot hold are
    // refused.
    const std::pair<const char*, std::optional<std::uint32_t>> texts[] = {
        {"  146.52 MHz", 14652000u},   {"abc", 0u},
        {"999.99999", 99999999u},      {"-146.52", std::nullopt},
        {"-0.00001", std::nullopt},    {"1000", std::nullopt},
        {"999.9999996", std::nullopt}, {"1e300", std::nullopt}};
    for (const auto& [text, units] : texts)
        EXPECT_EQ(testFrequencyUnits(text), units) << text;
}

TEST(ToneText, TheTableGivesExactTenthsForCtcssAndNoToneOtherwise)
{
    const auto& table = toneTable();
    for (int i = 0; i < kToneCount; ++i) {
        const std::string& text = table[i];
        std::uint16_t expected = 0;
        if (i >= kFirstCtcssTone && i < kFirstDcsNormalTone) {
            const auto dot = text.find('.');
            expected = static_cast<std::uint16_t>(std::stoi(text.substr(0, dot)) * 10 +
                                                  (text[dot + 1] - '0'));
        }
        EXPECT_EQ(testToneTenths(text), expected) << text;
    }
    EXPECT_EQ(testToneTenths("1000"), std::nullopt);
    EXPECT_EQ(testToneTenths("-67.0"), std::nullopt);
}

TEST(PageToFrames, EachItemSendsItsCommandAndThePageInPackedDecimal)
{
    const struct
    {
        TestModeRequest page;
        std::uint8_t command;
        const char* frameA; // receive and transmit frequency
        const char* frameB; // receive and transmit tone, FB 01 01, the value
    } pages[] = {
        {{"", TestItem::TxPower, 47, "146.00000", "146.00000", "Off", "88.5"},
         0x74,
         "00 00 60 14 00 00 60 14",
         "00 00 85 08 FB 01 01 2F"},
        {{"", TestItem::SquelchLevel, 160, "136.20000", "146.52000", "254.1", "D023N"},
         0x73,
         "00 00 62 13 00 20 65 14",
         "41 25 00 00 FB 01 01 A0"},
        // Before any frequency was chosen the edits are empty and both lists show "Off".
        {{"", TestItem::TxFrequency, 91, "", "", "Off", "Off"},
         0x71,
         "00 00 00 00 00 00 00 00",
         "00 00 00 00 FB 01 01 5B"},
        {{"", TestItem::LowPowerVoltage, 0, "999.99999", "0", "67.0", "Off"},
         0x72,
         "99 99 99 99 00 00 00 00",
         "70 06 00 00 FB 01 01 00"},
    };
    for (const auto& p : pages) {
        const TestFrames frames = buildTestFrames(p.page);
        ASSERT_TRUE(frames.ok) << frames.error;
        EXPECT_EQ(frames.command, p.command);
        EXPECT_EQ(hex(frames.frequencies.data(), 8), p.frameA);
        EXPECT_EQ(hex(frames.toneValue.data(), 8), p.frameB);
    }
}

TEST(PageToFrames, UnfitNumbersAreRefusedWithAMessageNamingTheField)
{
    const std::pair<void (*)(TestModeRequest&), const char*> cases[] = {
        {[](TestModeRequest& r) { r.txTone.clear(); }, "No transmit tone"},
        {[](TestModeRequest& r) { r.rxTone = "-67.0"; },
         "The receive tone \"-67.0\" cannot be sent"},
        {[](TestModeRequest& r) { r.txTone = "1000.0"; },
         "The transmit tone \"1000.0\" cannot be sent"},
        {[](TestModeRequest& r) { r.value = 256; }, "The value 256 cannot be sent"},
        {[](TestModeRequest& r) { r.value = -1; }, "The value -1 cannot be sent"},
        {[](TestModeRequest& r) { r.item = static_cast<TestItem>(6); }, "No adjustment item"},
    };
    for (const auto& [spoil, words] : cases) {
        TestModeRequest request{"", TestItem::TxPower, 47, "146", "146", "Off", "88.5"};
        spoil(request);
        const TestFrames frames = buildTestFrames(request);
        EXPECT_FALSE(frames.ok) << words;
        EXPECT_NE(frames.error.find(words), std::string::npos) << frames.error;
    }
    EXPECT_EQ(testItemCommand(static_cast<TestItem>(6)), 0); // never sent: refused above
}

class ScriptedLine : public SerialLine
{
public:
    // One read's outcome: the bytes that arrive (none: silence), or a device failure.
    struct Reply
    {
        Bytes bytes;
        bool fails = false;
    };
    std::deque<Reply> replies; // consumed by reads in order; after the last, silence
    Trace trace;

    bool open(const std::string& name) override { return log("open " + name), m_open = true; }
    bool isOpen() const override { return m_open; }
    void close() override { log("close"), m_open = false; }
    void setQueueSizes(std::size_t in, std::size_t out) override
    {
        log("queues " + std::to_string(in) + " " + std::to_string(out));
    }
    void setTimeouts(const LineTimeouts& t) override
    {
        log("timeouts " + std::to_string(t.interval) + " " + std::to_string(t.totalMultiplier) +
            " " + std::to_string(t.totalConstant) + " " + std::to_string(t.writeMultiplier) + " " +
            std::to_string(t.writeConstant));
    }
    void configure9600_8N1() override { log("9600 8N1"); }
    void purge() override { log("purge"); }
    void pause(int ms) override { log("pause " + std::to_string(ms)); }
    long write(const std::uint8_t* data, std::size_t n) override
    {
        log("write " + hex(data, n));
        return static_cast<long>(n);
    }
    long read(std::uint8_t* data, std::size_t n) override
    {
        log("read " + std::to_string(n));
        if (replies.empty())
            return 0;
        const Reply r = replies.front();
        replies.pop_front();
        const std::size_t count = std::min(n, r.bytes.size());
        std::copy_n(r.bytes.begin(), count, data);
        return r.fails ? -1 : static_cast<long>(count);
    }

private:
    void log(std::string op) { trace.push_back(std::move(op)); }
    bool m_open = false;
};

// Answers Retry as often as told, then Cancel; records each message, its buttons and whether the
// line was open while it showed.
class ScriptedHost : public TestModeHost
{
public:
    ScriptedHost(const SerialLine& line, int retries) : m_line(line), m_retries(retries) {}
    Trace shown;

    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        shown.push_back(text + (buttons == Buttons::Ok ? " [OK]" : " [Retry Cancel]") +
                        (m_line.isOpen() ? " (port open)" : ""));
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return m_retries-- > 0 ? Answer::Retry : Answer::Cancel;
    }

private:
    const SerialLine& m_line;
    int m_retries;
};

const std::string kTryAgain = " Error had happen ,need try again [Retry Cancel] (port open)";
const std::string kFinished = "Finish successfully! [OK]";
const Bytes kId{0x01, 0x02, 0x03}; // neither the identification's length nor its bytes matter
const TestModeRequest kPage{"COM3", TestItem::TxPower, 47, "136.20000", "146.52000", "Off", "88.5"};

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
    for (const Bytes& reply :
         {Bytes{0x06}, kId, Bytes{0x06}, Bytes{0x48}, Bytes{0x48}, Bytes{0x48}})
        line.replies.push_back({reply});
}

TEST(Exchange, AWillingRadioGetsEveryStepInOrderAndThePortClosesBeforeTheSuccessMessage)
{
    ScriptedLine line;
    scriptWillingRadio(line);
    ScriptedHost host(line, 0);

    EXPECT_EQ(runTestMode(line, host, kPage), TestModeOutcome::Succeeded);
    EXPECT_EQ(line.trace, concat({kOpening, kRequest, {"purge", "read 1"}, kAccepted, {"close"}}));
    EXPECT_EQ(host.shown, Trace{kFinished});
}

TEST(Exchange, RetryAfterASilentRadioSendsTheWholeRequestAgainOnTheOpenPort)
{
    ScriptedLine line;
    line.replies = {{}, {}};
    scriptWillingRadio(line);
    ScriptedHost host(line, 1);

    EXPECT_EQ(runTestMode(line, host, kPage), TestModeOutcome::Succeeded);
    // A silent radio gets a second read after a purge; then the next attempt starts afresh.
    EXPECT_EQ(line.trace, concat({kOpening,
                                  kRequest,
                                  {"purge", "read 1", "purge", "read 1"},
                                  kRequest,
                                  {"purge", "read 1"},
                                  kAccepted,
                                  {"close"}}));
    EXPECT_EQ(host.shown, (Trace{kTryAgain, kFinished}));
}

TEST(Exchange, AFailedDeviceOrAWrongReplyEndsTheAttemptAndCancelClosesThePort)
{
    // The replies up to the one that goes wrong; the last write and the number of reads then.
    const struct
    {
        const char* step;
        std::deque<ScriptedLine::Reply> replies;
        std::string lastWrite;
        long reads;
    } cases[] = {
        {"device fails on the request's read", {{{}, true}}, "write 41", 1},
        {"device fails on the identification", {{{0x06}}, {{}, true}}, "write 02", 2},
        {"ACK instead of H to the header", {{{0x06}}, {kId}, {{0x06}}, {{0x06}}}, "write 74 08", 4},
    };
    for (const auto& c : cases) {
        ScriptedLine line;
        line.replies = c.replies;
        ScriptedHost host(line, 0);

        EXPECT_EQ(runTestMode(line, host, kPage), TestModeOutcome::Cancelled) << c.step;
        EXPECT_EQ(host.shown, Trace{kTryAgain}) << c.step;
        Trace writes;
        for (const std::string& op : line.trace)
            if (op.starts_with("write"))
                writes.push_back(op);
        EXPECT_EQ(writes.back(), c.lastWrite) << c.step;
        EXPECT_EQ(std::count_if(line.trace.begin(), line.trace.end(),
                                [](const std::string& op) { return op.starts_with("read"); }),
                  c.reads)
            << c.step;
        EXPECT_EQ(line.trace.back(), "close") << c.step;
    }
}

TEST(Exchange, AMessageThatThrowsStillClosesThePort)
{
    struct : TestModeHost
    {
        Answer showMessage(const std::string&, Buttons) override { throw std::runtime_error(""); }
    } host;
    ScriptedLine line;
    EXPECT_THROW(runTestMode(line, host, kPage), std::runtime_error);
    EXPECT_FALSE(line.isOpen());
}

TEST(ConfirmedFrequency, IsHeldBetweenTheBandEdgeAndTwentyMegahertzAboveItInAFieldOfEight)
{
    const struct
    {
        const char* typed;
        double band;
        DebugStep step;
        const char* shown;
    } cases[] = {
        {"200", 136, k5, "156.00000"},
        {"100", 136, k625, "136.00000"},
        {"429", 430, k625, "430.00000"},
        // Texts without a number, negative numbers and numbers no integer holds are pulled to a
        // limit like any other; leading blanks are skipped and trailing text is ignored.
        {"abc", 136, k5, "136.00000"},
        {"", 350, k625, "350.00000"},
        {"-146", 136, k5, "136.00000"},
        {"1e300", 136, k5, "156.00000"},
        {"-1e300", 136, k5, "136.00000"},
        {"  146.5MHz", 136, k5, "146.50000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(confirmDebugFrequency(c.typed, c.band, c.step), c.shown) << c.typed;
    EXPECT_EQ(formatDebugFrequency(0.0), " 0.00000");
    EXPECT_EQ(debugFrequencyOffset(static_cast<DebugFrequency>(0)), 0); // not a debug frequency
}

TEST(ConfirmedFrequency, RoundsToTheRasterWithHalfAStepRoundingDown)
{
    // Every remainder of one step: up to half a step (250 or 312 units) down, from there up.
    for (DebugStep step : {k5, k625}) {
        const std::int64_t raster = step == k5 ? 500 : 625;
        for (std::int64_t r = 0; r < raster; ++r) {
            const std::int64_t base = 14000000;
            const std::string text = formatDebugFrequency(static_cast<double>(base + r) / 100000.0);
            EXPECT_EQ(confirmDebugFrequencyUnits(text, 136, step),
                      r <= raster / 2 ? base : base + raster)
                << text;
        }
    }
}

TEST(ConfirmedFrequency, NeverLeavesTheBandAndAlwaysLiesOnTheRaster)
{
    for (double base : {136.0, 350.0, 400.0, 430.0}) {
        const auto lower = static_cast<std::int64_t>(base) * 100000;
        const std::int64_t upper = lower + 2000000;
        for (DebugStep step : {k5, k625}) {
            const std::int64_t raster = step == k5 ? 500 : 625;
            // Every 10 Hz within two steps of either limit.
            for (std::int64_t edge : {lower, upper}) {
                for (std::int64_t units = edge - 1250; units <= edge + 1250; ++units) {
                    const std::string text =
                        formatDebugFrequency(static_cast<double>(units) / 100000.0);
                    const std::int64_t got = confirmDebugFrequencyUnits(text, base, step);
                    ASSERT_GE(got, lower) << text;
                    ASSERT_LE(got, upper) << text;
                    ASSERT_EQ(got % raster, 0) << text;
                }
            }
        }
    }
}

TEST(DebugToneLists, QtOffersOffToTwoHundredSixPointFiveAndDqtTheRest)
{
    const auto& tones = toneTable();
    const ToneRange qt = debugToneList(false);
    const ToneRange dqt = debugToneList(true);
    EXPECT_EQ(tones[qt.first], "Off");
    EXPECT_EQ(tones[qt.first + qt.count - 1], "206.5");
    EXPECT_EQ(dqt.first, qt.first + qt.count);
    EXPECT_EQ(tones[dqt.first + dqt.count - 1], "D325I");
}

} // namespace
} // namespace orvo
