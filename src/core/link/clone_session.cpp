#include "core/link/clone_session.h"

#include "core/link/port_setup.h"
#include "core/message/message.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace orvo {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kReadCommand = 0x52;
constexpr std::uint8_t kWriteCommand = 0x57;
constexpr std::uint8_t kBlockLength = 0x08;

constexpr std::array<std::uint8_t, 8> kProgramRequest = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', 'M'};

constexpr int kBlockCount = 128;
constexpr int kWakeUpAttempts = 5;
// A device error on the second read of an attempt is measured against a higher limit.
constexpr int kWakeUpAttemptsAfterDeviceError = 15;
// A read reply: four leading bytes the program ignores, then the block's 8 data bytes.
constexpr std::size_t kReplyLength = 12;
constexpr std::size_t kReplyDataOffset = 4;
// After a reply the radio sends nothing until it has the program's ACK, so one more byte within a
// byte time (1.04 ms at 9600 baud, 8N1; 2 ms at the timer's millisecond grain) means the reply was
// out of step with the line: a byte inserted by noise, or a late answer to an earlier step.
constexpr LineTimeouts kSurplusLookTimeouts{
    kCloneTimeouts.interval, 0, 2, kCloneTimeouts.writeMultiplier, kCloneTimeouts.writeConstant};

// The progress display stops short of its range: at 122 while writing, at 123 while reading, and
// 123 at the end.
constexpr int kLastWriteStepFrom = 121;
constexpr int kLastReadStepFrom = 122;
constexpr int kFinalPosition = 123;

std::array<std::uint8_t, 4> blockCommand(std::uint8_t command, unsigned address)
{
    return {command, static_cast<std::uint8_t>(address >> 8),
            static_cast<std::uint8_t>(address & 0xFF), kBlockLength};
}

} // namespace

CloneSession::CloneSession(SerialLine& line, CloneHost& host, const RadioImage& source)
    : m_line(line), m_host(host), m_source(source)
{
}

bool leftPartlyWritten(const CloneResult& result)
{
    return result.directionKnown && result.direction == CloneDirection::Write &&
           result.outcome != CloneOutcome::Completed && result.blocksDone > 0 &&
           result.blocksDone < kBlockCount;
}

std::string toldText(const std::vector<Message>& told)
{
    std::string text = messageText(told, " ");
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

CloneHost::Answer CloneSession::tell(const Message& message, CloneHost::Buttons buttons)
{
    m_told.push_back(message);
    const CloneHost::Answer answer = m_host.showMessage(message, buttons);
    if (answer == CloneHost::Answer::Retry)
        m_told.clear();
    return answer;
}

CloneResult CloneSession::run(const std::string& portName)
{
    CloneResult result;
    m_told.clear();
    m_position = 0;
    m_state = CloneState::Idle;
    if (!openRadioPort(m_line, portName, kCloneTimeouts)) {
        m_state = CloneState::Closed;
        tell(openFailedMessage(m_line), CloneHost::Buttons::Ok);
        result.outcome = CloneOutcome::OpenFailed;
        result.told = m_told;
        return result;
    }
    m_host.showStatus(MessageKind::Detecting);

    m_readingBack = false;
    CloneDirection direction = CloneDirection::Read;
    Step step = enter(direction);
    if (step == Step::Go) {
        result.directionKnown = true;
        result.direction = direction;
        step = direction == CloneDirection::Write ? writeBlocks(result) : readBlocks(result);
    }
    if (step == Step::Go && direction == CloneDirection::Write && m_readBackAfterWrite) {
        m_readingBack = true;
        m_position = 0;
        m_host.showProgress(m_position, 0);
        CloneResult readBack;
        step = enter(direction);
        if (step == Step::Go)
            step = readBlocks(readBack);
        result.readBack = step == Step::Go;
        result.writtenNotVerified = !result.readBack;
        if (step == Step::Failure)
            tell(MessageKind::ReadBackFailed, CloneHost::Buttons::Ok);
    }
    m_line.close();
    m_state = CloneState::Closed;

    result.outcome = step == Step::Go       ? CloneOutcome::Completed
                     : step == Step::Cancel ? CloneOutcome::Cancelled
                                            : CloneOutcome::Failed;
    // A cancelled write says no more than a failed one would: how much of it the radio holds.
    if (result.outcome == CloneOutcome::Cancelled && leftPartlyWritten(result))
        m_told.push_back(MessageKind::PartialWrite);
    else if (result.outcome == CloneOutcome::Cancelled && result.writtenNotVerified)
        m_told.push_back(MessageKind::ReadBackCancelled);
    result.told = m_told;
    const bool endsAtFinal =
        result.directionKnown && result.outcome != CloneOutcome::Cancelled &&
        (result.direction == CloneDirection::Write || result.outcome == CloneOutcome::Completed);
    if (endsAtFinal) {
        m_position = kFinalPosition;
        m_host.showProgress(m_position, result.blocksDone);
    }
    return result;
}

CloneSession::Step CloneSession::enter(CloneDirection& direction)
{
    for (;;) {
        Step step = wakeUp();
        if (step == Step::Go)
            step = identifyAndEnter(direction);
        if (step != Step::Failure)
            return step;
        m_state = CloneState::Failed;
        if (tell(MessageKind::CommunicationError, CloneHost::Buttons::RetryCancel) !=
            CloneHost::Answer::Retry)
            return step;
    }
}

CloneSession::Step CloneSession::wakeUp()
{
    m_state = CloneState::Waking;
    int attempt = 1;
    for (;;) {
        m_line.purge();
        m_host.showStatus(MessageKind::Waiting);
        if (!waitingCycles(12, 1))
            return Step::Cancel;
        for (std::uint8_t byte : kProgramRequest) {
            m_line.purge();
            writeByte(byte);
            m_line.pause(1);
        }
        m_line.pause(1);

        // The radio may send another byte before its ACK; one more read is allowed for it.
        int limit = kWakeUpAttempts;
        std::uint8_t reply = 0;
        const long first = readByte(reply);
        if (first == 1 && reply == kAck)
            return Step::Go;
        if (first >= 0) {
            const long second = readByte(reply);
            if (second == 1 && reply == kAck)
                return Step::Go;
            if (second < 0)
                limit = kWakeUpAttemptsAfterDeviceError;
        }
        m_line.pause(1);
        if (++attempt > limit)
            return Step::Failure;
    }
}

CloneSession::Step CloneSession::identifyAndEnter(CloneDirection& direction)
{
    m_state = CloneState::Identifying;
    // Whatever the radio sends after its ACK is not looked at; this read swallows it.
    m_line.pause(1);
    m_line.purge();
    std::uint8_t ignored = 0;
    readByte(ignored);

    m_line.pause(2);
    m_line.purge();
    writeByte(kStx);
    std::array<std::uint8_t, 8> identification{};
    m_line.read(identification.data(), identification.size()); // not examined
    if (!waitingCycles(16, 1))
        return Step::Cancel;

    m_line.purge();
    int failedWrites = 0;
    while (writeByte(kAck) < 0) {
        if (++failedWrites >= kEntryWriteLimit)
            return Step::Failure;
        tell(MessageKind::SendOrderError, CloneHost::Buttons::Ok);
        m_line.purge();
    }

    std::uint8_t reply = 0;
    const long got = readByte(reply);
    if (got < 0)
        return Step::Failure;
    if (got == 1 && reply == kAck) {
        m_line.pause(1);
        direction = m_readingBack ? CloneDirection::Read : m_host.direction();
        return Step::Go;
    }
    if (!waitingCycles(601, 1))
        return Step::Cancel;
    return Step::Failure;
}

CloneSession::Step CloneSession::writeBlocks(CloneResult& result)
{
    m_state = CloneState::Writing;
    const RadioImage image = m_source;
    for (int block = 0; block < kBlockCount; ++block) {
        const unsigned address = static_cast<unsigned>(block) * 8;
        const auto header = blockCommand(kWriteCommand, address);
        m_line.purge();
        m_line.write(header.data(), header.size());
        m_line.pause(1);
        m_line.purge();
        m_line.write(image.bytes.data() + address, 8);

        std::uint8_t reply = 0;
        if (readByte(reply) != 1 || reply != kAck) {
            tell(MessageKind::BlockError, CloneHost::Buttons::Ok);
            if (result.blocksDone > 0)
                tell(MessageKind::PartialWrite, CloneHost::Buttons::Ok);
            return Step::Failure;
        }
        result.blocksDone = block + 1;
        progressStep(CloneDirection::Write, result.blocksDone);
        if (!waitingCycles(201, 0))
            return Step::Cancel;
        m_line.pause(2);
    }
    return Step::Go;
}

CloneSession::Step CloneSession::readBlocks(CloneResult& result)
{
    m_state = CloneState::Reading;
    for (int block = 0; block < kBlockCount; ++block) {
        const unsigned address = static_cast<unsigned>(block) * 8;
        const auto command = blockCommand(kReadCommand, address);
        m_line.purge();
        m_line.write(command.data(), command.size());

        // Only a whole reply is taken: with a byte or two missing, the data would be incomplete;
        // with a byte to spare, it would be shifted. Its four leading bytes are not looked at
        // (radios fill them as they like), so the look for a spare byte is what finds a shift.
        // The look spends the first part of the pause before the block's acknowledgement, which
        // runs from the reply's arrival: the acknowledgement leaves as if there were no look.
        std::array<std::uint8_t, kReplyLength> reply{};
        const bool whole =
            m_line.read(reply.data(), reply.size()) == static_cast<long>(kReplyLength);
        const auto replyArrived = std::chrono::steady_clock::now();
        if (!whole || surplusByteFollows()) {
            tell(MessageKind::ShortReply, CloneHost::Buttons::Ok);
            return Step::Failure;
        }
        m_line.purge();
        std::copy(reply.begin() + kReplyDataOffset, reply.end(),
                  m_received.bytes.begin() + address);
        result.blocksDone = block + 1;
        progressStep(CloneDirection::Read, result.blocksDone);

        m_line.pauseSince(replyArrived, 10);
        m_line.purge();
        writeByte(kAck);
        std::uint8_t ack = 0;
        if (readByte(ack) != 1 || ack != kAck) {
            tell(MessageKind::BlockError, CloneHost::Buttons::Ok);
            return Step::Failure;
        }
        if (!waitingCycles(199, 0))
            return Step::Cancel;
        m_line.pause(10);
    }
    return Step::Go;
}

bool CloneSession::waitingCycles(int count, int pauseMs)
{
    for (int i = 0; i < count; ++i) {
        if (m_host.waitingCycle() == CloneHost::Cycle::Cancel)
            return false;
        if (pauseMs > 0)
            m_line.pause(pauseMs);
    }
    return true;
}

void CloneSession::progressStep(CloneDirection direction, int blocksDone)
{
    const int lastStepFrom =
        direction == CloneDirection::Write ? kLastWriteStepFrom : kLastReadStepFrom;
    if (m_position > lastStepFrom) {
        m_host.showProgress(m_position, blocksDone);
        return;
    }
    ++m_position;
    m_host.showProgress(m_position, blocksDone);
    m_host.showStatus({MessageKind::BlockPosition, {m_position}});
}

bool CloneSession::surplusByteFollows()
{
    m_line.setTimeouts(kSurplusLookTimeouts);
    std::uint8_t surplus = 0;
    const long got = m_line.read(&surplus, 1);
    m_line.setTimeouts(kCloneTimeouts);
    return got > 0;
}

long CloneSession::readByte(std::uint8_t& byte)
{
    return m_line.read(&byte, 1);
}

long CloneSession::writeByte(std::uint8_t byte)
{
    return m_line.write(&byte, 1);
}

} // namespace orvo
