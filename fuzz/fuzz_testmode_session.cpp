// Fuzz target: the test-mode exchange against a radio that answers with the fuzz input.
//
// Input: byte 0 chooses a refused open (bits 0-1 both set) and failing writes (bits 2-4: every
// n-th write fails); byte 1 the item code (0..7, 2..5 being items); bytes 2-3 the value (signed,
// little end first); then four texts (a length byte, then the bytes): receive and transmit
// frequency, receive and transmit tone. The rest is the script of scripted_line.h: the radio's
// replies and, in turn, the user's answers to messages (odd: Retry).
//
// Promises checked, besides those of the line (nothing touches a closed port, every run ends):
// - a refused request shows its reason and never opens the port; the port is closed at every end
//   and before the final message;
// - the frames are packed decimal with the fixed bytes in place;
// - every attempt sends the whole test request, one more attempt per Retry; success means the
//   radio got the item command and both frames, the last two 8-byte writes.
#include "fuzz_check.h"
#include "scripted_line.h"

#include "core/image/channel_codec.h"
#include "core/link/port_setup.h"
#include "core/testmode/testmode_frames.h"
#include "core/testmode/testmode_session.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace orvo;
using orvo::fuzz::Script;
using orvo::fuzz::ScriptedLine;

constexpr MessageKind kTryAgain = MessageKind::TestModeTryAgain;
constexpr MessageKind kFinished = MessageKind::TestModeFinished;

class ScriptedHost : public TestModeHost {
public:
    ScriptedHost(Script& script, ScriptedLine& line, std::optional<Message> refusal)
        : m_script(script), m_line(line), m_refusal(std::move(refusal))
    {
    }

    Answer showMessage(const Message& message, Buttons buttons) override
    {
        m_line.step();
        m_last = message;
        const MessageKind text = message.kind;
        if (text == kFinished || text == MessageKind::OpenFailed ||
            text == MessageKind::OpenFailedBecause || (m_refusal && message == *m_refusal)) {
            FUZZ_CHECK(!m_line.isOpen(), "the port is closed before the final message");
            FUZZ_CHECK(buttons == Buttons::Ok, "a final message has only OK");
            return Answer::Ok;
        }
        FUZZ_CHECK(text == kTryAgain, "only the exchange's own messages are shown");
        FUZZ_CHECK(buttons == Buttons::RetryCancel, "a failure offers Retry and Cancel");
        if (m_line.budgetSpent() || !(m_script.byte(0) & 1))
            return Answer::Cancel;
        ++m_retries;
        return Answer::Retry;
    }

    int retries() const { return m_retries; }
    MessageKind lastMessage() const { return m_last.kind; }
    const Message& lastFullMessage() const { return m_last; }

private:
    Script& m_script;
    ScriptedLine& m_line;
    std::optional<Message> m_refusal;
    int m_retries = 0;
    Message m_last;
};

bool isPacked(std::uint8_t b)
{
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

void checkFrames(const TestModeRequest& request, const TestFrames& frames)
{
    for (std::uint8_t b : frames.frequencies)
        FUZZ_CHECK(isPacked(b), "frame A is packed decimal");
    for (std::size_t i = 0; i < 4; ++i)
        FUZZ_CHECK(isPacked(frames.toneValue[i]), "the tones of frame B are packed decimal");
    FUZZ_CHECK(frames.toneValue[4] == 0xFB && frames.toneValue[5] == 0x01 &&
                   frames.toneValue[6] == 0x01,
               "frame B carries FB 01 01 before the value");
    FUZZ_CHECK(frames.toneValue[7] == request.value, "frame B ends with the value");
    FUZZ_CHECK(frames.command >= 0x71 && frames.command <= 0x74, "the item command is q, r, s or t");

    // A frequency travels in the channel records' own packing.
    const auto rx = testFrequencyUnits(request.rxFrequency);
    FUZZ_CHECK(rx.has_value(), "an accepted request has a receive frequency that fits");
    if (*rx > 0) {
        std::array<std::uint8_t, 4> field{};
        encodeFrequency(*rx, field.data());
        for (std::size_t i = 0; i < 4; ++i)
            FUZZ_CHECK(frames.frequencies[i] == field[i], "frame A packs as a channel record");
    }
}

// How many times the single-byte writes spell the test request 02 50 52 4F 47 52 41.
int requestsSent(const ScriptedLine& line)
{
    static const std::array<std::uint8_t, 7> request{0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41};
    std::vector<std::uint8_t> singles;
    for (const auto& w : line.writes()) {
        if (w.size() == 1)
            singles.push_back(w[0]);
    }
    int count = 0;
    for (std::size_t i = 0; i + request.size() <= singles.size(); ++i) {
        if (std::equal(request.begin(), request.end(), singles.begin() + static_cast<long>(i)))
            ++count;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Script script(data, size);
    const std::uint8_t flags = script.byte();
    const bool openFails = (flags & 0x03) == 0x03;
    const int writeFailEvery = (flags >> 2) & 0x07;

    TestModeRequest request;
    request.port = "COM1";
    request.item = static_cast<TestItem>(script.byte(2) % 8);
    request.value = static_cast<std::int16_t>(script.byte() | script.byte() << 8);
    request.rxFrequency = script.text(24);
    request.txFrequency = script.text(24);
    request.rxTone = script.text(12);
    request.txTone = script.text(12);

    const TestFrames frames = buildTestFrames(request);
    if (frames.ok)
        checkFrames(request, frames);
    else
        FUZZ_CHECK(!messageText(frames.error).empty(), "a refused request says why");

    ScriptedLine line(script, openFails, writeFailEvery);
    ScriptedHost host(script, line,
                      frames.ok ? std::nullopt : std::optional<Message>(frames.error));
    const TestModeOutcome outcome = runTestMode(line, host, request);

    FUZZ_CHECK(!line.isOpen(), "the port is closed at every end");
    FUZZ_CHECK(line.opens() <= 1, "an exchange opens its port once");
    switch (outcome) {
    case TestModeOutcome::Refused:
        FUZZ_CHECK(!frames.ok, "only a request the frames cannot hold is refused");
        FUZZ_CHECK(line.opens() == 0 && line.writes().empty(), "a refusal sends nothing");
        FUZZ_CHECK(host.lastFullMessage() == frames.error, "a refusal shows its reason");
        return 0;
    case TestModeOutcome::OpenFailed:
        FUZZ_CHECK(frames.ok && openFails, "only a refused open reports an open failure");
        FUZZ_CHECK(line.writes().empty(), "nothing is sent when the port did not open");
        FUZZ_CHECK(host.lastMessage() == MessageKind::OpenFailed ||
                       host.lastMessage() == MessageKind::OpenFailedBecause,
                   "an open failure says so");
        return 0;
    case TestModeOutcome::Succeeded:
    case TestModeOutcome::Cancelled:
        break;
    }
    FUZZ_CHECK(frames.ok && !openFails, "an exchange runs only for a good request on an open port");
    if (line.failedWrites() == 0)
        FUZZ_CHECK(requestsSent(line) == host.retries() + 1,
                   "every attempt sends the whole test request, one attempt per Retry");
    if (outcome == TestModeOutcome::Succeeded) {
        FUZZ_CHECK(host.lastMessage() == kFinished, "success says so last");
        if (line.failedWrites() == 0) {
            const auto& writes = line.writes();
            FUZZ_CHECK(writes.size() >= 3, "a successful exchange sent its frames");
            const auto& a = writes[writes.size() - 2];
            const auto& b = writes[writes.size() - 1];
            FUZZ_CHECK(std::vector<std::uint8_t>(frames.frequencies.begin(), frames.frequencies.end()) == a,
                       "frame A is the last but one write");
            FUZZ_CHECK(std::vector<std::uint8_t>(frames.toneValue.begin(), frames.toneValue.end()) == b,
                       "frame B is the last write");
        }
    } else {
        FUZZ_CHECK(host.lastMessage() == kTryAgain, "a cancelled exchange ends on its failure message");
    }
    return 0;
}
