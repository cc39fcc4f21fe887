#pragma once
// The clone transfer: wakes the radio into programming mode, exchanges its identification, then
// moves the whole 1024-byte image in 128 blocks of 8 bytes, in address order, each acknowledged.
// Plain C++ over a SerialLine; everything the user sees goes through a CloneHost.

#include "core/image/radio_image.h"
#include "core/link/serial_line.h"
#include "core/message/message.h"

#include <string>
#include <vector>

namespace orvo {

enum class CloneDirection { Read, Write };

// What the transfer needs from whoever runs it (the progress dialog, the command line, a test).
class CloneHost
{
public:
    enum class Buttons { Ok, RetryCancel };
    enum class Answer { Ok, Retry, Cancel };
    enum class Cycle { Continue, Cancel };

    virtual ~CloneHost() = default;

    // A new text for the status line: Detecting, Waiting, then the progress position as
    // BlockPosition "1", "2", ...
    virtual void showStatus(const Message& status) = 0;

    // Moves the progress display (range 0 to 128) to `position`. Called after every block with
    // `blocksDone` (1..128) blocks moved; `position` follows it up to 122 when writing or 123
    // when reading and then stays; at the end of a write and of a complete read it is set to 123.
    virtual void showProgress(int position, int blocksDone) = 0;

    // One waiting cycle: handle at most one pending event, then report whether the user has asked
    // to cancel. The transfer runs thousands of them; the pauses between them are its own.
    virtual Cycle waitingCycle() = 0;

    // Shows `message` in a modal message with the given buttons and returns the user's answer.
    // For RetryCancel every answer but Retry counts as Cancel.
    virtual Answer showMessage(const Message& message, Buttons buttons) = 0;

    // The direction of the transfer, asked once, at the moment the radio accepts the entry
    // acknowledgement (the user may change it until then).
    virtual CloneDirection direction() = 0;
};

// Where a transfer stands; the host may ask from inside its calls.
enum class CloneState {
    Idle,        // not started, or the port is being opened
    Waking,      // sending the program request until the radio acknowledges it
    Identifying, // identification and entry acknowledgement
    Failed,      // the communication failure message is up
    Writing,
    Reading,
    Closed, // the port is closed; the transfer is over
};

// How a transfer ended. Every end after a successful open has closed the port; every message
// (open failure, communication failure, refused block) has been shown through the host.
enum class CloneOutcome {
    Completed,  // all 128 blocks moved
    OpenFailed, // the port could not be opened
    Failed,     // the radio did not answer as it should; the user's Cancel after a failure included
    Cancelled,  // a waiting cycle reported Cancel; no message
};

struct CloneResult
{
    CloneOutcome outcome = CloneOutcome::Failed;
    bool directionKnown = false; // the radio accepted the entry acknowledgement
    CloneDirection direction = CloneDirection::Read;
    int blocksDone = 0; // blocks written and acknowledged, or read and stored
    // With the read-back on: every block of a completed write was read back into the session's
    // image (receivedImage), after a new wake-up in the same opening of the port.
    bool readBack = false;
    // With the read-back on: the write completed and the read-back then failed or was cancelled.
    // The radio holds what was written; only the comparison is missing.
    bool writtenNotVerified = false;
    // What the transfer told the user since the last Retry, one message after the other: the
    // reason of a failure (BlockError), and PartialWrite after a write that broke off (cancelled
    // too) after its first block.
    std::vector<Message> told;
};

// The write broke off after its first block and before its last: the radio holds part of the
// new data.
bool leftPartlyWritten(const CloneResult& result);

// What a transfer told the user, in English and on one line: the messages (CloneResult::told)
// joined by blanks, each line break a blank too.
std::string toldText(const std::vector<Message>& told);

class CloneSession
{
public:
    // Failed writes of the entry acknowledgement before the communication failure.
    static constexpr int kEntryWriteLimit = 5;

    // `source` is what a write sends; it is copied when writing begins and must live until then.
    CloneSession(SerialLine& line, CloneHost& host, const RadioImage& source);

    // Opens `portName` (with the open-failure message when that fails), runs the transfer and
    // closes the port. A read stores into the session's own image, never into `source`.
    CloneResult run(const std::string& portName);

    // The image a read received; complete only when run() returned Completed for a read.
    const RadioImage& receivedImage() const { return m_received; }

    CloneState state() const { return m_state; }

    // Has a completed write followed by a read of the whole radio in the same opening of the
    // port, so that the caller can compare what the radio holds with what was sent. The read is
    // a transfer of its own (wake-up, identification, 128 blocks); the host sees its progress
    // from 0 again and is not asked for its direction. A write the read-back could not finish
    // ends Failed or Cancelled like any transfer, with readBack false.
    void setReadBackAfterWrite(bool on) { m_readBackAfterWrite = on; }

private:
    enum class Step { Go, Failure, Cancel };

    Step enter(CloneDirection& direction);
    Step wakeUp();
    Step identifyAndEnter(CloneDirection& direction);
    Step writeBlocks(CloneResult& result);
    Step readBlocks(CloneResult& result);
    // Shows a message through the host and keeps it for CloneResult::message.
    CloneHost::Answer tell(const Message& message, CloneHost::Buttons buttons);
    bool waitingCycles(int count, int pauseMs);
    void progressStep(CloneDirection direction, int blocksDone);
    // Looks for one byte more, a byte time long; true when one came. The byte is never stored.
    bool surplusByteFollows();
    long readByte(std::uint8_t& byte);
    long writeByte(std::uint8_t byte);

    SerialLine& m_line;
    CloneHost& m_host;
    const RadioImage& m_source;
    RadioImage m_received;
    int m_position = 0;
    CloneState m_state = CloneState::Idle;
    bool m_readBackAfterWrite = false;
    bool m_readingBack = false;
    std::vector<Message> m_told;
};

} // namespace orvo
