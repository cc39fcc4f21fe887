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

RadioResult verifiedWriteResult(const VerifiedWrite& write)
{
    if (write.transfer.writtenNotVerified)
        return RadioResult::WrittenNotVerified;
    switch (write.transfer.outcome) {
    case CloneOutcome::Completed:
        return write.differences.empty() ? RadioResult::Verified : RadioResult::Different;
    case CloneOutcome::OpenFailed:
        return RadioResult::NotOpened;
    case CloneOutcome::Cancelled:
        return RadioResult::Cancelled;
    case CloneOutcome::Failed:
        break;
    }
    return RadioResult::Failed;
}

Message radioResultMessage(RadioResult result)
{
    switch (result) {
    case RadioResult::Verified:
        return MessageKind::ResultVerified;
    case RadioResult::Different:
        return MessageKind::ResultDifferent;
    case RadioResult::Cancelled:
        return MessageKind::ResultCancelled;
    case RadioResult::NotOpened:
        return MessageKind::ResultNotOpened;
    case RadioResult::WrittenNotVerified:
        return MessageKind::ResultWrittenNotVerified;
    case RadioResult::Failed:
        break;
    }
    return MessageKind::ResultFailed;
}

std::vector<Message> blockDifferenceLines(const std::vector<ImageDifference>& differences)
{
    std::vector<Message> lines;
    for (const ImageDifference& d : differences)
        lines.push_back({MessageKind::BlockDifference, {differenceBlock(d), differenceMessage(d)}});
    return lines;
}

std::vector<Message> verifyFailureMessage(const std::vector<ImageDifference>& differences,
                                          int maxLines)
{
    std::vector<Message> lines = blockDifferenceLines(differences);
    const auto shown = static_cast<std::size_t>(maxLines);
    if (lines.size() > shown) {
        const std::size_t more = lines.size() - shown;
        lines.resize(shown);
        lines.push_back({MessageKind::AndMoreLines, {more}});
    }
    lines.insert(lines.begin(), MessageKind::NotWritten);
    return lines;
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
    std::vector<Message> reason;
    if (write.transfer.outcome != CloneOutcome::Completed)
        reason = write.transfer.told;
    return {localTimeText(),
            port,
            radio,
            verifiedWriteResult(write),
            blockDifferenceLines(write.differences),
            reason};
}

std::string logDetailText(const RadioLogEntry& entry)
{
    if (!entry.differences.empty())
        return messageText(entry.differences, "; ");
    return toldText(entry.reason);
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
               csvField(messageText(radioResultMessage(e.result))) + "," +
               csvField(messageText(e.differences, "; ")) + "," + csvField(toldText(e.reason)) +
               "\r\n";
    }
    return csv;
}

} // namespace orvo
