// orvo-cli read and write: the clone transfer with a connected radio, as Read From Radio and Write
// To Radio run it, with the messages on stderr and a progress bar when stderr is a terminal.
#include "port_line.h"
#include "verbs.h"

#include "core/editing/band_check.h"
#include "core/formats/atomic_file.h"
#include "core/formats/channel_file.h"
#include "core/image/escaped_text.h"
#include "core/image/radio_image.h"
#include "core/link/clone_session.h"
#include "core/link/verify.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define ORVO_ISATTY _isatty
#define ORVO_FILENO _fileno
#else
#include <unistd.h>
#define ORVO_ISATTY isatty
#define ORVO_FILENO fileno
#endif

namespace orvo::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int)
{
    g_interrupted = 1;
}

constexpr int kBarWidth = 32;

// Shows the transfer on stderr and answers its messages: Retry as often as allowed, then Cancel.
// Ctrl+C cancels at the next waiting cycle, which closes the port as the Cancel button does.
class CliCloneHost : public CloneHost
{
public:
    CliCloneHost(const char* verb, CloneDirection direction, int retries)
        : m_verb(verb), m_direction(direction), m_retriesLeft(retries),
          m_terminal(ORVO_ISATTY(ORVO_FILENO(stderr)) != 0)
    {
    }

    ~CliCloneHost() override { endLine(); }

    void showStatus(const Message& status) override
    {
        if (!m_terminal || m_blocks > 0)
            return; // once blocks move, the bar says more than the position number
        std::fprintf(stderr, "\r%s\x1b[K", messageText(status).c_str());
        m_lineOpen = true;
    }

    void showProgress(int, int blocksDone) override
    {
        if (!m_terminal || blocksDone == m_blocks)
            return;
        if (blocksDone < m_blocks)
            m_readingBack = true; // a write's read-back starts from 0 again
        m_blocks = blocksDone;
        const int filled = blocksDone * kBarWidth / 128;
        std::fprintf(stderr, "\r%s [%s%s] %3d/128 blocks\x1b[K",
                     m_readingBack                         ? "Reading back"
                     : m_direction == CloneDirection::Read ? "Reading"
                                                           : "Writing",
                     std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(),
                     blocksDone);
        m_lineOpen = true;
    }

    Cycle waitingCycle() override { return g_interrupted ? Cycle::Cancel : Cycle::Continue; }

    Answer showMessage(const Message& message, Buttons buttons) override
    {
        endLine();
        std::fprintf(stderr, "%s\n", messageText(message).c_str());
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (m_retriesLeft > 0 && !g_interrupted) {
            --m_retriesLeft;
            std::fprintf(stderr, "orvo-cli %s: Retry\n", m_verb);
            return Answer::Retry;
        }
        std::fprintf(stderr, "orvo-cli %s: Cancel\n", m_verb);
        return Answer::Cancel;
    }

    CloneDirection direction() override { return m_direction; }

    void endLine()
    {
        if (m_lineOpen)
            std::fputc('\n', stderr);
        m_lineOpen = false;
    }

private:
    const char* m_verb;
    CloneDirection m_direction;
    int m_retriesLeft;
    bool m_terminal;
    bool m_lineOpen = false;
    bool m_readingBack = false;
    int m_blocks = 0;
};

struct TransferArgs
{
    std::string port;
    std::string file;
    int retries = 0;
    bool verify = false; // write: read back and compare
    bool repeat = false; // write: one radio after the other until q or end of input
    bool force = false;  // write: send channels outside the band too
    std::string log;     // write --repeat: the log as CSV
};

// 0 when the arguments are complete, else the exit status of a usage error (already reported).
int parseTransferArgs(const char* verb, int argc, char** argv, TransferArgs& args)
{
    bool logGiven = false;
    auto usage = [verb](const std::string& text) {
        std::fprintf(
            stderr, "orvo-cli %s: %s\nusage: orvo-cli %s --port P [--retries N]%s FILE.sin\n", verb,
            text.c_str(), verb,
            std::strcmp(verb, "write") == 0 ? " [--force] [--verify] [--repeat [--log LOG.csv]]"
                                            : "");
        return kExitUsage;
    };
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool writing = std::strcmp(verb, "write") == 0;
        if (writing && (arg == "--verify" || arg == "--repeat")) {
            (arg == "--verify" ? args.verify : args.repeat) = true;
        } else if (writing && arg == "--log") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0')
                return usage("--log needs a file");
            args.log = argv[++i];
            logGiven = true;
        } else if (arg == "--port" || arg == "--retries") {
            if (i + 1 >= argc)
                return usage(arg + " needs a value");
            const char* value = argv[++i];
            if (arg == "--port") {
                args.port = value;
            } else {
                char* end = nullptr;
                const long n = std::strtol(value, &end, 10);
                if (end == value || *end != '\0' || n < 0 || n > 1000000)
                    return usage("--retries needs a whole number from 0 to 1000000");
                args.retries = static_cast<int>(n);
            }
        } else if (writing && arg == "--force") {
            args.force = true;
        } else if (isOption(arg)) {
            return usage("unknown option '" + escapedText(arg) + "'");
        } else if (args.file.empty()) {
            args.file = arg;
        } else {
            return usage("only one file, please");
        }
    }
    if (args.port.empty())
        return usage("--port is needed (COM1..COM4 or a device path)");
    if (args.file.empty())
        return usage("the channel data file is needed");
    if (logGiven && !args.repeat)
        return usage("--log goes with --repeat");
    return kExitOk;
}

// False, with the reason on stderr, when `path` could not be written as a save writes it.
bool targetWritable(const std::string& path)
{
    const FileResult r = checkWritableTarget(path);
    if (!r.ok)
        std::fprintf(stderr, "%s\n", r.errorText().c_str());
    return r.ok;
}

// Runs one transfer; true when all 128 blocks moved. `session` keeps what a read received.
// A failed write has said how much of it the radio holds; a cancelled one says it here.
void reportCancel(const char* verb, const CloneResult& result)
{
    std::fprintf(stderr, "orvo-cli %s: cancelled\n", verb);
    if (leftPartlyWritten(result))
        std::fprintf(stderr, "orvo-cli %s: %s\n", verb,
                     messageText(MessageKind::PartialWrite).c_str());
}

CloneResult transfer(const char* verb, CloneDirection direction, const TransferArgs& args,
                     const RadioImage& source, RadioImage& received)
{
    g_interrupted = 0;
    const auto previous = std::signal(SIGINT, onInterrupt);
    const auto line = makePortLine();
    CloneResult result;
    {
        CliCloneHost host(verb, direction, args.retries);
        CloneSession session(*line, host, source);
        result = session.run(args.port);
        received = session.receivedImage();
    }
    std::signal(SIGINT, previous);
    if (result.outcome == CloneOutcome::Cancelled)
        reportCancel(verb, result);
    return result;
}

// A write read back in the same opening of the port, shown as a plain write is.
VerifiedWrite writeVerified(const TransferArgs& args, const RadioImage& image)
{
    g_interrupted = 0;
    const auto previous = std::signal(SIGINT, onInterrupt);
    const auto line = makePortLine();
    VerifiedWrite write;
    {
        CliCloneHost host("write", CloneDirection::Write, args.retries);
        write = writeAndVerify(*line, host, image, args.port);
    }
    std::signal(SIGINT, previous);
    if (write.transfer.outcome == CloneOutcome::Cancelled)
        reportCancel("write", write.transfer);
    return write;
}

// Writes and verifies one radio after the other: before each, waits for Enter; q or the end of
// input stops. One line a radio on stdout, and when asked for, the log as CSV saved again as each
// radio finishes; a log that cannot be saved ends the run before the next radio. Fails unless at
// least one radio was written and every one was written and verified.
int writeRepeatedly(const TransferArgs& args, const RadioImage& image)
{
    std::vector<RadioLogEntry> log;
    int written = 0;
    bool logLost = false;
    for (int radio = 1; !logLost; ++radio) {
        std::fprintf(stderr, "Connect radio %d and press Enter (q to stop): ", radio);
        std::fflush(stderr);
        std::string answer;
        if (!std::getline(std::cin, answer) || answer == "q" || answer == "Q") {
            std::fputc('\n', stderr);
            break;
        }
        const VerifiedWrite write = writeVerified(args, image);
        log.push_back(makeLogEntry(radio, args.port, write));
        written += write.succeeded() ? 1 : 0;
        // The log first: once a radio's line is out, the log holds it.
        if (!args.log.empty()) {
            if (const FileResult saved = writeFileAtomically(args.log, radioLogCsv(log));
                !saved.ok) {
                std::fprintf(stderr,
                             "%s\norvo-cli write: stopped: the log does not hold radio %d\n",
                             saved.errorText().c_str(), radio);
                logLost = true;
            }
        }
        const RadioLogEntry& e = log.back();
        const std::string detail = logDetailText(e);
        std::printf("radio %d: %s%s%s\n", radio, messageText(radioResultMessage(e.result)).c_str(),
                    detail.empty() ? "" : ": ", detail.c_str());
        std::fflush(stdout);
    }
    std::printf("%d of %zu radios written and verified\n", written, log.size());
    return written > 0 && written == static_cast<int>(log.size()) && !logLost ? kExitOk
                                                                              : kExitFailed;
}

int runRead(int argc, char** argv)
{
    TransferArgs args;
    if (int status = parseTransferArgs("read", argc, argv, args))
        return status;
    // The file is checked before the radio is woken and written only once every block arrived.
    if (!targetWritable(args.file) || !portHasDevice(args.port))
        return kExitFailed;
    RadioImage received;
    const CloneResult result =
        transfer("read", CloneDirection::Read, args, RadioImage::makeNew(), received);
    if (result.outcome != CloneOutcome::Completed || result.direction != CloneDirection::Read)
        return kExitFailed;
    const FileResult saved = saveImageFile(args.file, received);
    if (!saved.ok) {
        std::fprintf(stderr, "%s\n", saved.errorText().c_str());
        return kExitFailed;
    }
    return kExitOk;
}

int runWrite(int argc, char** argv)
{
    TransferArgs args;
    if (int status = parseTransferArgs("write", argc, argv, args))
        return status;
    RadioImage image;
    const FileResult loaded = loadImageFile(args.file, image);
    if (!loaded.ok) {
        std::fprintf(stderr, "%s\n", loaded.errorText().c_str());
        return kExitFailed;
    }
    if ((!args.log.empty() && !targetWritable(args.log)) || !portHasDevice(args.port))
        return kExitFailed;
    // The window warns about the same channels before a write; here only --force sends them.
    if (const auto lines = outOfBandChannels(image); !lines.empty() && !args.force) {
        for (const Message& line : lines)
            std::fprintf(stderr, "%s\n", messageText(line).c_str());
        std::fprintf(stderr, "orvo-cli write: nothing written (--force writes anyway)\n");
        return kExitFailed;
    }
    if (args.repeat)
        return writeRepeatedly(args, image);
    if (args.verify) {
        const VerifiedWrite write = writeVerified(args, image);
        if (write.transfer.outcome == CloneOutcome::Completed && !write.succeeded()) {
            std::fprintf(stderr, "%s\n",
                         messageText(verifyFailureMessage(write.differences, 1000)).c_str());
            std::fprintf(stderr, "orvo-cli write: verify failed\n");
        }
        return write.succeeded() ? kExitOk : kExitFailed;
    }
    RadioImage unused;
    const CloneResult result = transfer("write", CloneDirection::Write, args, image, unused);
    return result.outcome == CloneOutcome::Completed ? kExitOk : kExitFailed;
}

int runVerify(int argc, char** argv)
{
    TransferArgs args;
    if (int status = parseTransferArgs("verify", argc, argv, args))
        return status;
    RadioImage image;
    const FileResult loaded = loadImageFile(args.file, image);
    if (!loaded.ok) {
        std::fprintf(stderr, "%s\n", loaded.errorText().c_str());
        return kExitNotCompared;
    }
    if (!portHasDevice(args.port))
        return kExitNotCompared;
    RadioImage radio;
    const CloneResult result =
        transfer("verify", CloneDirection::Read, args, RadioImage::makeNew(), radio);
    if (result.outcome != CloneOutcome::Completed || result.direction != CloneDirection::Read)
        return kExitNotCompared;
    // The lines the window's verify message shows: each difference with its clone block.
    const std::vector<Message> lines = blockDifferenceLines(compareImages(image, radio));
    for (const Message& line : lines)
        std::printf("%s\n", messageText(line).c_str());
    return lines.empty() ? kExitOk : kExitDiffer;
}
} // namespace

const Verb kLinkVerbs[] = {
    {"read", "--port P [--retries N] OUT.sin",
     "read the whole image from the radio on port P (COM1..COM4 or a device path) into OUT.sin, "
     "which is checked before the radio is touched; after a failure answer Retry N times, then "
     "Cancel",
     runRead},
    {"write", "--port P [--retries N] [--force] [--verify] [--repeat [--log LOG.csv]] IN.sin",
     "write the first 1024 bytes of IN.sin to the radio on port P; after a failure answer Retry "
     "N times, then Cancel. Channels outside the file's band are refused unless --force. "
     "--verify reads the radio back and fails on a difference; --repeat writes and verifies one "
     "radio after the other, each after Enter, until q or Ctrl+D, one line a radio (--log keeps "
     "the log as CSV, checked before the first radio and saved as each radio finishes)",
     runWrite},
    {"verify", "--port P [--retries N] FILE.sin",
     "read the radio on port P and list how it differs from FILE.sin (exit status 0 when equal, "
     "1 when different, 2 when they could not be compared)",
     runVerify},
    {"ports", "", "list which device each of COM1..COM4 stands for, then the other serial ports",
     runPorts},
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
