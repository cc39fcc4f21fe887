#include "core/link/verify.h"

#include <ctime>

namespace orvo {

VerifiedWrite writeAndVerify(SerialLine& line, CloneHost& host, const RadioImage& image,
                             const std::string& port)
{
    VerifiedWrite write;
    CloneSession session(line, host, image);
    session.setReadBackAfterWrite(true);
    write.transfer = session.run(port);
    if (write.transfer.readBack)
        write.differences = compareImages(image, session.receivedImage());
    return write;
}

std::string verifiedWriteResult(const VerifiedWrite& write)
{
    if (write.transfer.writtenNotVerified)
        return "written, not verified";
    switch (write.transfer.outcome) {
    case CloneOutcome::Completed:
        return write.differences.empty() ? "verified" : "different";
    case CloneOutcome::OpenFailed:
        return "not opened";
    case CloneOutcome::Cancelled:
        return "cancelled";
    case CloneOutcome::Failed:
        break;
    }
    return "failed";
}

std::vector<std::string> blockDifferenceLines(const std::vector<ImageDifference>& differences)
{
    std::vector<std::string> lines;
    for (const ImageDifference& d : differences)
        lines.push_back("block " + std::to_string(differenceBlock(d)) + ": " + differenceText(d));
    return lines;
}

std::string verifyFailureText(const std::vector<ImageDifference>& differences, int maxLines)
{
    std::string text = "The radio does not hold what was written:";
    const std::vector<std::string> lines = blockDifferenceLines(differences);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == static_cast<std::size_t>(maxLines)) {
            text += "\n... and " + std::to_string(lines.size() - i) + " more";
            break;
        }
        text += "\n" + lines[i];
    }
    return text;
}

std::string localTimeText()
{
    const std::time_t now = std::time(nullptr);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

RadioLogEntry makeLogEntry(int radio, const std::string& port, const VerifiedWrite& write)
{
    std::string differences;
    for (const std::string& line : blockDifferenceLines(write.differences))
        differences += (differences.empty() ? "" : "; ") + line;
    const std::string reason =
        write.transfer.outcome == CloneOutcome::Completed ? std::string() : write.transfer.message;
    return {localTimeText(), port, radio, verifiedWriteResult(write), differences, reason};
}

namespace {

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

std::string radioLogCsv(const std::vector<RadioLogEntry>& entries)
{
    std::string csv = "Time,Port,Radio,Result,Differences,Reason\r\n";
    for (const RadioLogEntry& e : entries) {
        csv += csvField(e.time) + "," + csvField(e.port) + "," + std::to_string(e.radio) + "," +
               csvField(e.result) + "," + csvField(e.differences) + "," + csvField(e.reason) +
               "\r\n";
    }
    return csv;
}

} // namespace orvo
