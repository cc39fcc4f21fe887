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

// One word for the log: "verified", "different", "failed", "cancelled", "not opened", or
// "written, not verified" for a completed write whose read-back failed or was cancelled.
std::string verifiedWriteResult(const VerifiedWrite& write);

// "block 2: CH 1 Receive: "145.50000" -> "145.50010"", one difference a line.
std::vector<std::string> blockDifferenceLines(const std::vector<ImageDifference>& differences);

// The message of a read-back that differs from what was written: names the blocks and what
// differs in them, at most `maxLines` differences and then how many more.
std::string verifyFailureText(const std::vector<ImageDifference>& differences, int maxLines = 12);

// One line of the log of Write To Several Radios and orvo-cli write --repeat.
struct RadioLogEntry
{
    std::string time; // local time, "2026-05-04 13:45:07"
    std::string port;
    int radio = 0;           // 1 for the first radio of the run
    std::string result;      // verifiedWriteResult
    std::string differences; // the block difference lines, joined with "; "
    // Why a transfer that did not complete ended: what it told the user (CloneResult::message);
    // empty when it said nothing (a Cancel before the first block).
    std::string reason;
};

// The local time now, as RadioLogEntry::time shows it.
std::string localTimeText();

// A log entry for radio number `radio` written through `port`.
RadioLogEntry makeLogEntry(int radio, const std::string& port, const VerifiedWrite& write);

// The log as CSV: a header line "Time,Port,Radio,Result,Differences,Reason", then one line an
// entry, fields quoted where they hold a comma, a quote or a line break.
std::string radioLogCsv(const std::vector<RadioLogEntry>& entries);

} // namespace orvo
