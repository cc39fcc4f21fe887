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
#include <optional>
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

TEST(TextsAsNumbers, EveryFrequencyWithFiveDecimalsAndEveryToneIsSentExactly)
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
    // Every CTCSS tone of the table gives its exact tenths; "Off" and the DCS codes no tone.
    for (int i = 0; i < kToneCount; ++i) {
        const std::string& text = toneTable()[i];
        const bool ctcss = i >= kFirstCtcssTone && i < kFirstDcsNormalTone;
        const auto dot = text.find('.');
        EXPECT_EQ(testToneTenths(text),
                  ctcss ? std::stoi(text.substr(0, dot)) * 10 + (text[dot + 1] - '0') : 0)
            << text;
    }
}

// Each page gives the item's command, frame A (receive and transmit frequency) and frame B
// (receive and transmit tone, FB 01 01, the value) in packed decimal, or a refusal that names
// what cannot be sent.
TEST(PageToFrames, EachPageGivesItsFramesOrARefusalNamingTheField)
{
    const std::pair<TestModeRequest, const char*> pages[] = {
        {{"", TestItem::TxPower, 47, "146.00000", "146.00000", "Off", "88.5"},
         "74 | 00 00 60 14 00 00 60 14 | 00 00 85 08 FB 01 01 2F"},
        {{"", TestItem::SquelchLevel, 160, "136.20000", "146.52000", "254.1", "D023N"},
         "73 | 00 00 62 13 00 20 65 14 | 41 25 00 00 FB 01 01 A0"},
        // Before any frequency was chosen the edits are empty and both lists show "Off".
        {{"", TestItem::TxFrequency, 91, "", "", "Off", "Off"},
         "71 | 00 00 00 00 00 00 00 00 | 00 00 00 00 FB 01 01 5B"},
        {{"", TestItem::LowPowerVoltage, 0, "999.99999", "0", "67.0", "Off"},
         "72 | 99 99 99 99 00 00 00 00 | 70 06 00 00 FB 01 01 00"},
        {{"", TestItem::TxPower, 47, "146", "146", "Off", ""}, "No transmit tone"},
        {{"", TestItem::TxPower, 47, "146", "146", "-67.0", "Off"},
         "The receive tone \"-67.0\" cannot be sent"},
        {{"", TestItem::TxPower, 47, "146", "146", "Off", "1000.0"},
         "The transmit tone \"1000.0\" cannot be sent"},
        {{"", TestItem::TxPower, 256, "146", "146", "Off", "Off"}, "The value 256 cannot be sent"},
        {{"", TestItem::TxPower, -1, "146", "146", "Off", "Off"}, "The value -1 cannot be sent"},
        {{"", static_cast<TestItem>(6), 47, "146", "146", "Off", "Off"}, "No adjustment item"},
    };
    for (const auto& [page, expected] : pages) {
        const TestFrames f = buildTestFrames(page);
        const std::string sent = f.ok ? hex(&f.command, 1) + " | " + hex(f.frequencies.data(), 8) +
                                            " | " + hex(f.toneValue.data(), 8)
                                      : f.error;
        EXPECT_TRUE(sent.starts_with(expected)) << sent;
    }
    EXPECT_EQ(testItemCommand(static_cast<TestItem>(6)), 0); // never sent: refused above
}

// A radio on a serial line that plays its replies, one a read (after the last: silence; nullopt:
// a device failure), and records every operation as a short text; and a user who answers Retry
// as often as told, then Cancel, recording each message, its buttons and whether the line was
// open while it showed.
class Scripted : public SerialLine, public TestModeHost
{
public:
    std::deque<std::optional<Bytes>> replies;
    Trace trace, shown;
    int retries = 0;

    bool open(const std::string& name) override { return log("open " + name), m_open = true; }
    bool isOpen() const override { return m_open; }
    void close() override { log("close"), m_open = false; }
    void setQueueSizes(std::size_t in, std::size_t out) override { log("queues", in, out); }
    void setTimeouts(const LineTimeouts& t) override
    {
        log("timeouts", t.interval, t.totalMultiplier, t.totalConstant, t.writeMultiplier,
            t.writeConstant);
    }
    void configure9600_8N1() override { log("9600 8N1"); }
    void purge() override { log("purge"); }
    void pause(int ms) override { log("pause", ms); }
    long write(const std::uint8_t* data, std::size_t n) override
    {
        log("write " + hex(data, n));
        return static_cast<long>(n);
    }
    long read(std::uint8_t* data, std::size_t n) override
    {
        log("read", n);
        const std::optional<Bytes> reply = replies.empty() ? Bytes{} : replies.front();
        if (!replies.empty())
            replies.pop_front();
        if (!reply)
            return -1;
        const std::size_t count = std::min(n, reply->size());
        std::copy_n(reply->begin(), count, data);
        return static_cast<long>(count);
    }
    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        shown.push_back(text + (buttons == Buttons::Ok ? " [OK]" : " [Retry Cancel]") +
                        (m_open ? " (port open)" : ""));
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return retries-- > 0 ? Answer::Retry : Answer::Cancel;
    }

private:
    template <class... Numbers> void log(std::string op, Numbers... numbers)
    {
        ((op += " " + std::to_string(numbers)), ...);
        trace.push_back(std::move(op));
    }
    bool m_open = false;
};

const std::string kTryAgain = " Error had happen ,need try again [Retry Cancel] (port open)";
const std::string kFinished = "Finish successfully! [OK]";
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

Trace operator+(Trace a, const Trace& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Exchange, EachStepWaitsForItsReplyAndThePortClosesBeforeTheLastMessage)
{
    const Bytes ack{0x06}, h{0x48};
    const Bytes id{0x01, 0x02, 0x03}; // neither the identification's length nor its bytes matter
    const Trace answered{"purge", "read 1"};
    const auto accepted = [](std::size_t ops) {
        return Trace(kAccepted.begin(), kAccepted.begin() + static_cast<std::ptrdiff_t>(ops));
    };
    // The replies, the operations from the first request's reply to the port's closing, and the
    // messages: Retry answers all but the last.
    const struct
    {
        std::deque<std::optional<Bytes>> replies;
        Trace trace;
        Trace shown;
    } cases[] = {
        {{ack, id, ack, h, h, h}, kAccepted, {kFinished}},
        // A silent radio gets a second read after a purge; Retry sends the whole request again
        // on the open port.
        {{Bytes{}, Bytes{}, ack, id, ack, h, h, h},
         answered + kRequest + answered + kAccepted,
         {kTryAgain, kFinished}},
        // A device failure on the request's read ends the attempt without the second read; one
        // on the identification ends it there.
        {{std::nullopt}, {}, {kTryAgain}},
        {{ack, std::nullopt}, accepted(8), {kTryAgain}},
        // ACK instead of H to the item header.
        {{ack, id, ack, ack}, accepted(24), {kTryAgain}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Scripted radio;
        radio.replies = c.replies;
        radio.retries = static_cast<int>(c.shown.size()) - 1;
        EXPECT_EQ(runTestMode(radio, radio, kPage), c.shown.back() == kFinished
                                                        ? TestModeOutcome::Succeeded
                                                        : TestModeOutcome::Cancelled);
        EXPECT_EQ(radio.trace, kOpening + kRequest + answered + c.trace + Trace{"close"});
        EXPECT_EQ(radio.shown, c.shown);
    }
}

TEST(Exchange, AMessageThatThrowsStillClosesThePort)
{
    struct : Scripted
    {
        Answer showMessage(const std::string&, Buttons) override { throw std::runtime_error(""); }
    } radio;
    EXPECT_THROW(runTestMode(radio, radio, kPage), std::runtime_error);
    EXPECT_FALSE(radio.isOpen());
}

TEST(ConfirmedFrequency, IsHeldBetweenTheBandEdgeAndTwentyMegahertzAboveItInAFieldOfEight)
{
    // Texts without a number, negative numbers and numbers no integer holds are pulled to a limit
    // like any other; leading blanks are skipped and trailing text is ignored.
    const std::pair<const char*, const char*> cases[] = {
        {"200", "156.00000"},    {"100", "136.00000"},       {"abc", "136.00000"},
        {"", "136.00000"},       {"-146", "136.00000"},      {"1e300", "156.00000"},
        {"-1e300", "136.00000"}, {"  146.5MHz", "146.50000"}};
    for (const auto& [typed, shown] : cases)
        EXPECT_EQ(confirmDebugFrequency(typed, 136, k5), shown) << typed;
    EXPECT_EQ(formatDebugFrequency(0.0), " 0.00000");
    EXPECT_EQ(debugFrequencyOffset(static_cast<DebugFrequency>(0)), 0); // not a debug frequency
    // QT offers Off to 206.5, DQT the rest of the tone table.
    const ToneRange qt = debugToneList(false), dqt = debugToneList(true);
    EXPECT_EQ(toneTable()[qt.first] + toneTable()[qt.first + qt.count - 1], "Off206.5");
    EXPECT_EQ(dqt.first, qt.first + qt.count);
    EXPECT_EQ(toneTable()[dqt.first + dqt.count - 1], "D325I");
}

// Every 10 Hz within two steps of either limit: up to half a step (250 or 312 units) rounds down,
// from there up, and never past a limit.
TEST(ConfirmedFrequency, IsRoundedToTheStepWithHalfAStepRoundingDownAndNeverLeavesTheBand)
{
    for (std::int64_t units = 13598750; units <= 15601250; units += units == 13601250 ? 1997500 : 1)
        for (const auto& [step, raster] : {std::pair(k5, 500), std::pair(k625, 625)}) {
            const std::int64_t r = units % raster;
            const std::int64_t rounded = r <= raster / 2 ? units - r : units - r + raster;
            const std::string text = formatDebugFrequency(static_cast<double>(units) / 100000.0);
            ASSERT_EQ(confirmDebugFrequencyUnits(text, 136, step),
                      std::clamp<std::int64_t>(rounded, 13600000, 15600000))
                << text;
        }
}

} // namespace
} // namespace orvo
