#include "testmode_responder.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace orvo::sim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kCompletion = 0x4D; // 'M'
constexpr std::uint8_t kH = 0x48;
constexpr std::uint8_t kDebugEntry = 0x78;
constexpr std::uint8_t kFrameLength = 0x08;
constexpr std::uint8_t kReadCommand = 0x52;
constexpr std::uint8_t kWriteCommand = 0x57;

// What the radio says about itself; the program does not look at it.
constexpr std::array<std::uint8_t, 8> kIdentification = {'Z',  'T',  '-',  '4',
                                                         0x33, 0x01, 0x00, 0x00};

// How long the radio waits for the program's next step, and for the next byte of a frame.
constexpr int kStepTimeoutMs = 2000;
constexpr int kByteTimeoutMs = 200;
// Between the stray byte and the ACK of a noisy answer.
constexpr int kNoiseGapMs = 20;
// With no 'M' this long after the ACK to the request, the ACK goes again: a host held up before
// its purge has lost the first, and its second read is waiting for one.
constexpr int kRepeatAckMs = 140;

// The frames that the radio acknowledges with H.
enum class Frame { None, Header, A, B };

std::string hexBytes(const std::uint8_t* data, std::size_t n)
{
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02X", data[i]);
        if (i > 0)
            text += ' ';
        text += byte;
    }
    return text;
}

const char* itemName(std::uint8_t command)
{
    switch (command) {
    case 0x71:
        return "TX Frequency";
    case 0x72:
        return "Low Power Voltage";
    case 0x73:
        return "Squelch Level";
    case 0x74:
        return "TX Power";
    default:
        return nullptr;
    }
}

class ZtTestModeResponder final : public TestModeResponder
{
public:
    int takeOption(int argc, char** argv, int i) override;
    const char* optionsHelp() const override;
    bool serve(RadioSim& sim) override;

private:
    // Receives one step of `n` bytes: the first within the step time-out, the rest close behind.
    // Anything short, or not `expected` when that is given, goes back to the request matcher
    // (a new test request after the program gave up on this exchange) and gives false.
    bool receiveStep(RadioSim& sim, std::uint8_t* data, std::size_t n, const char* what,
                     const std::uint8_t* expected = nullptr);
    // Answers H to a frame unless this exchange is told to leave it unanswered.
    bool acknowledge(RadioSim& sim, Frame frame);

    int m_ignoreRequests = 0;      // test requests still to be left unanswered
    bool m_noise = false;          // a NAK before the ACK of each test request
    Frame m_dropH = Frame::None;   // left unanswered in the first exchange that reaches it
    bool m_hangUpAtFrameA = false; // closes the line when frame A arrives
};

int ZtTestModeResponder::takeOption(int argc, char** argv, int i)
{
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--test-ignore") == 0 && hasValue) {
        char* end = nullptr;
        const long n = std::strtol(argv[i + 1], &end, 10);
        if (end == argv[i + 1] || *end != '\0' || n < 0 || n > 1000000)
            return 0;
        m_ignoreRequests = static_cast<int>(n);
        return 2;
    }
    if (std::strcmp(argv[i], "--test-noise") == 0) {
        m_noise = true;
        return 1;
    }
    if (std::strcmp(argv[i], "--test-hang-up") == 0) {
        m_hangUpAtFrameA = true;
        return 1;
    }
    if (std::strcmp(argv[i], "--test-no-h") == 0 && hasValue) {
        const std::string what = argv[i + 1];
        if (what == "header")
            m_dropH = Frame::Header;
        else if (what == "a")
            m_dropH = Frame::A;
        else if (what == "b")
            m_dropH = Frame::B;
        else
            return 0;
        return 2;
    }
    return 0;
}

const char* ZtTestModeResponder::optionsHelp() const
{
    return "Test mode (the item, frame A and frame B received are logged):\n"
           "  --test-ignore N     leave the first N test requests unanswered\n"
           "  --test-noise        answer each test request with NAK before its ACK\n"
           "  --test-no-h WHAT    leave WHAT (header, a or b) without its H, once\n"
           "  --test-hang-up      close the line when frame A arrives\n";
}

bool ZtTestModeResponder::receiveStep(RadioSim& sim, std::uint8_t* data, std::size_t n,
                                      const char* what, const std::uint8_t* expected)
{
    std::size_t count = 0;
    if (sim.receive(data[0], kStepTimeoutMs))
        count = 1 + sim.receive(data + 1, n - 1, kByteTimeoutMs);
    const bool ok = count == n && (!expected || std::memcmp(data, expected, n) == 0);
    if (ok)
        return true;
    for (std::size_t i = count; i > 0; --i)
        sim.giveBack(data[i - 1]);
    sim.log(std::string("test: no ") + what + (count ? ", got " + hexBytes(data, count) : ""));
    return false;
}

bool ZtTestModeResponder::acknowledge(RadioSim& sim, Frame frame)
{
    if (m_dropH == frame) {
        m_dropH = Frame::None;
        sim.log("test: H left out");
        return false;
    }
    sim.answer(kH);
    return true;
}

bool ZtTestModeResponder::serve(RadioSim& sim)
{
    if (m_ignoreRequests > 0) {
        --m_ignoreRequests;
        sim.log("test: request ignored");
        return false;
    }
    const SimOptions& options = sim.options();
    if (options.refuseProgram) {
        sim.log("test: request refused");
        sim.answer(kNak);
        return false;
    }
    if (m_noise) {
        // The program reads the stray byte, then reads again for the ACK; it comes a little later.
        sim.answer(kNak);
        std::this_thread::sleep_for(std::chrono::milliseconds(kNoiseGapMs));
    }
    sim.answer(kAck);

    std::uint8_t byte = 0;
    if (sim.receive(byte, kRepeatAckMs)) {
        sim.giveBack(byte);
    } else if (!sim.stopping() && !sim.isHungUp()) {
        sim.log("request: the ACK again");
        sim.answer(kAck);
    }
    if (!receiveStep(sim, &byte, 1, "completion M", &kCompletion))
        return false;
    // A test host sends its 02 right after the M. A clone host held up before its M waits for the
    // ACK to it, or has taken the first ACK and swallows this one before its 02.
    if (sim.receive(byte, std::max(options.answerDelayMs, kLeastRequestAnswerMs))) {
        sim.giveBack(byte);
    } else if (!sim.stopping() && !sim.isHungUp()) {
        sim.log("clone: a late M acknowledged");
        sim.answer(kAck);
    }
    if (!receiveStep(sim, &byte, 1, "identification request", &kStx))
        return false;
    if (options.garbageIdentification) {
        sim.log("test: garbage identification");
        sim.answer(kGarbageIdentification.data(), kGarbageIdentification.size());
    } else {
        sim.answer(kIdentification.data(), kIdentification.size());
    }

    if (!receiveStep(sim, &byte, 1, "entry acknowledgement", &kAck))
        return false;
    if (options.refuseEntry) {
        sim.log("test: entry refused");
        sim.answer(kNak);
        return false;
    }
    sim.answer(kAck);
    // What follows the entry tells the two exchanges apart: the debug entry, or a block command.
    if (sim.receive(byte, kStepTimeoutMs)) {
        sim.giveBack(byte);
        if (byte == kReadCommand || byte == kWriteCommand) {
            sim.log("clone: entered");
            return true;
        }
    }
    if (!receiveStep(sim, &byte, 1, "debug entry", &kDebugEntry))
        return false;

    std::uint8_t command = 0;
    if (!receiveStep(sim, &command, 1, "item command"))
        return false;
    if (!itemName(command)) {
        sim.log("test: unknown item command " + hexBytes(&command, 1));
        return false;
    }
    std::uint8_t header[2];
    const std::uint8_t expectedHeader[2] = {command, kFrameLength};
    if (!receiveStep(sim, header, 2, "item header", expectedHeader))
        return false;
    sim.log("test: item " + hexBytes(&command, 1) + " " + itemName(command));
    if (!acknowledge(sim, Frame::Header))
        return false;

    std::uint8_t frame[8];
    if (!receiveStep(sim, frame, sizeof frame, "frame A"))
        return false;
    if (m_hangUpAtFrameA) {
        sim.log("test: hanging up at frame A");
        sim.hangUp();
        return false;
    }
    sim.log("test: frame A " + hexBytes(frame, sizeof frame));
    if (!acknowledge(sim, Frame::A))
        return false;

    if (!receiveStep(sim, frame, sizeof frame, "frame B"))
        return false;
    sim.log("test: frame B " + hexBytes(frame, sizeof frame));
    if (!acknowledge(sim, Frame::B))
        return false;
    sim.log("test: done");
    return false;
}

} // namespace

std::unique_ptr<TestModeResponder> makeTestModeResponder()
{
    return std::make_unique<ZtTestModeResponder>();
}

} // namespace orvo::sim
