#pragma once
// Verify: what a radio holds compared with what was meant, and writes that read the radio back in
// the same opening of the port. Shared by orvo-cli (verify, write --verify, write --repeat) and the
// window (Verify With Radio, Verify after writing, Write To Several Radios).

#include "core/image/image_diff.h"
#include "core/image/radio_image.h"
#include "core/link/clone_session.h"

#include <string>
#include <vector>

namespace orvo {

// A write followed by a read-back, and what the radio then held differently from the image.
struct VerifiedWrite
{
    CloneResult transfer;
    std::vector<ImageDifference> differences; // image -> radio; only when transfer.readBack
    bool succeeded() const
    {
        return transfer.outcome == CloneOutcome::Completed && transfer.readBack &&
               differences.empty();
    }
};

// Writes `image` to the radio on `port` and reads it back in the same opening of the port. The
// host must answer Write to direction().
VerifiedWrite writeAndVerify(SerialLine& line, CloneHost& host, const RadioImage& image,
                             const std::string& port);

// How the write of one radio of several ended.
enum class RadioResult {
    Verified,  // the radio holds what was written
    Different, // written and read back, and the radio holds something else
    Failed,    // the radio did not answer as it should
    Cancelled,
    NotOpened, // the port could not be opened; counted with the failed ones
    WrittenNotVerified, // the write completed; its read-back failed or was cancelled
};

RadioResult verifiedWriteResult(const VerifiedWrite& write);

// The result's word for the log (ResultVerified ... ResultNotOpened).
Message radioResultMessage(RadioResult result);

// "block 2: CH 1 Receive: "145.50000" -> "145.50010"", one difference a line.
std::vector<Message> blockDifferenceLines(const std::vector<ImageDifference>& differences);

// The message of a read-back that differs from what was written, one line a message: NotWritten,
// then the blocks and what differs in them, at most `maxLines` differences and then how many more.
std::vector<Message> verifyFailureMessage(const std::vector<ImageDifference>& differences,
                                          int maxLines = 12);

// One line of the log of Write To Several Radios and orvo-cli write --repeat.
struct RadioLogEntry
{
    std::string time; // local time, "2026-05-04 13:45:07"
    std::string port;
    int radio = 0; // 1 for the first radio of the run
    RadioResult result = RadioResult::Failed;
    std::vector<Message> differences; // the block difference lines
    // Why a transfer that did not complete ended: what it told the user (CloneResult::told);
    // empty when it said nothing (a Cancel before the first block).
    std::vector<Message> reason;
};

// The entry's detail in English, on one line: its differences joined with "; ", or else its
// reason as toldText gives it.
std::string logDetailText(const RadioLogEntry& entry);

// The local time now, as RadioLogEntry::time shows it.
std::string localTimeText();

// A log entry for radio number `radio` written through `port`.
RadioLogEntry makeLogEntry(int radio, const std::string& port, const VerifiedWrite& write);

// The log as CSV: a header line "Time,Port,Radio,Result,Differences,Reason", then one line an
// entry, fields quoted where they hold a comma, a quote or a line break.
std::string radioLogCsv(const std::vector<RadioLogEntry>& entries);

} // namespace orvo
