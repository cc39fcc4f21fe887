#include "core/testmode/testmode_session.h"

#include "core/link/port_setup.h"
#include "core/link/serial_line.h"

#include <array>
#include <cstdint>

namespace orvo {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kCompletion = 0x4D; // 'M', the letter the test request stops before
constexpr std::uint8_t kH = 0x48;
constexpr std::uint8_t kDebugEntry = 0x78;
constexpr std::uint8_t kFrameLength = 0x08;

// STX and "PROGRA": the program request of a clone transfer without its final M.
constexpr std::array<std::uint8_t, 7> kTestRequest{0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41};

// A one-byte read waits at most 100 ms, an 8-byte read 450 ms; 10 ms between bytes end a read.
constexpr LineTimeouts kTestModeTimeouts{10, 50, 50, 50, 50};

// Closes the line at every way out of the exchange.
class LineCloser
{
public:
    explicit LineCloser(SerialLine& line) : m_line(line) {}
    ~LineCloser()
    {
        if (m_line.isOpen())
            m_line.close();
    }
    LineCloser(const LineCloser&) = delete;
    LineCloser& operator=(const LineCloser&) = delete;

private:
    SerialLine& m_line;
};

// Results of writes are not examined: a write that fails shows up as a missing reply.
void writeByte(SerialLine& line, std::uint8_t byte)
{
    line.write(&byte, 1);
}

// True when one byte arrived within the read time-out and equals `expected`.
bool readExpected(SerialLine& line, std::uint8_t expected)
{
    std::uint8_t byte = 0;
    return line.read(&byte, 1) == 1 && byte == expected;
}

// One attempt, from the pause before the test request to the radio's reply to frame B.
// True when every reply was right.
bool runAttempt(SerialLine& line, const TestFrames& frames)
{
    line.pause(500);
    for (std::uint8_t byte : kTestRequest) {
        line.purge();
        writeByte(line, byte);
        line.pause(1);
    }

    // The radio may answer the request with another byte before its ACK; one more read is
    // allowed for it. A device failure on the first read ends the attempt at once.
    line.purge();
    std::uint8_t reply = 0;
    const long got = line.read(&reply, 1);
    if (got < 0)
        return false;
    if (got != 1 || reply != kAck) {
        line.purge();
        if (!readExpected(line, kAck))
            return false;
    }

    line.pause(1);
    line.purge();
    writeByte(line, kCompletion);
    line.pause(1);
    line.purge();
    writeByte(line, kStx);

    // The identification is read and discarded; neither its contents nor its length matter.
    line.purge();
    std::array<std::uint8_t, 8> identification{};
    if (line.read(identification.data(), identification.size()) < 0)
        return false;

    line.pause(1);
    line.purge();
    writeByte(line, kAck);
    line.purge();
    if (!readExpected(line, kAck))
        return false;

    line.purge();
    line.pause(1);
    writeByte(line, kDebugEntry);
    line.pause(1);

    // The item command travels twice: alone, then at the head of the item header.
    line.purge();
    writeByte(line, frames.command);
    line.pause(1);
    line.purge();
    const std::array<std::uint8_t, 2> header{frames.command, kFrameLength};
    line.write(header.data(), header.size());
    line.purge();
    if (!readExpected(line, kH))
        return false;

    line.pause(1);
    line.purge();
    line.write(frames.frequencies.data(), frames.frequencies.size());
    line.purge();
    if (!readExpected(line, kH))
        return false;

    line.pause(1);
    line.purge();
    line.write(frames.toneValue.data(), frames.toneValue.size());
    line.purge();
    return readExpected(line, kH);
}

} // namespace

TestModeOutcome runTestMode(SerialLine& line, TestModeHost& host, const TestModeRequest& request)
{
    // The request is checked before the port is touched, so a refusal sends nothing.
    const TestFrames frames = buildTestFrames(request);
    if (!frames.ok) {
        host.showMessage(frames.error, TestModeHost::Buttons::Ok);
        return TestModeOutcome::Refused;
    }

    if (!openRadioPort(line, request.port, kTestModeTimeouts)) {
        host.showMessage(openFailedMessage(line), TestModeHost::Buttons::Ok);
        return TestModeOutcome::OpenFailed;
    }
    LineCloser closer(line);
    line.purge();

    // Retry keeps the port open and configured; every attempt sends the whole test request.
    for (;;) {
        if (runAttempt(line, frames)) {
            line.close();
            host.showMessage(MessageKind::TestModeFinished, TestModeHost::Buttons::Ok);
            return TestModeOutcome::Succeeded;
        }
        if (host.showMessage(MessageKind::TestModeTryAgain, TestModeHost::Buttons::RetryCancel) !=
            TestModeHost::Answer::Retry) {
            line.close();
            return TestModeOutcome::Cancelled;
        }
    }
}

} // namespace orvo
