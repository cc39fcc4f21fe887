// orvo-cli read and write: the clone transfer with a connected radio, as Read From Radio and Write
// To Radio run it, with the messages on stderr and a progress bar when stderr is a terminal.
#include "verbs.h"

#include "editor/band_check.h"
#include "image/radio_image.h"
#include "link/clone_session.h"
#include "link/qt_serial_line.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

    void showStatus(const std::string& text) override
    {
        if (!m_terminal || m_blocks > 0)
            return; // once blocks move, the bar says more than the position number
        std::fprintf(stderr, "\r%s\x1b[K", text.c_str());
        m_lineOpen = true;
    }

    void showProgress(int, int blocksDone) override
    {
        if (!m_terminal || blocksDone == m_blocks)
            return;
        m_blocks = blocksDone;
        const int filled = blocksDone * kBarWidth / 128;
        std::fprintf(stderr, "\r%s [%s%s] %3d/128 blocks\x1b[K",
                     m_direction == CloneDirection::Read ? "Reading" : "Writing",
                     std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(),
                     blocksDone);
        m_lineOpen = true;
    }

    Cycle waitingCycle() override { return g_interrupted ? Cycle::Cancel : Cycle::Continue; }

    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        endLine();
        std::fprintf(stderr, "%s\n", text.c_str());
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
    int m_blocks = 0;
};

struct TransferArgs
{
    std::string port;
    std::string file;
    int retries = 0;
    bool force = false; // write: send channels outside the band too
};

// 0 when the arguments are complete, else the exit status of a usage error (already reported).
int parseTransferArgs(const char* verb, int argc, char** argv, TransferArgs& args)
{
    auto usage = [verb](const std::string& text) {
        std::fprintf(stderr,
                     "orvo-cli %s: %s\nusage: orvo-cli %s --port P [--retries N]%s FILE.sin\n",
                     verb, text.c_str(), verb, std::strcmp(verb, "write") == 0 ? " [--force]" : "");
        return 2;
    };
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--port" || arg == "--retries") {
            if (i + 1 >= argc)
                return usage(arg + " needs a value");
            const char* value = argv[++i];
            if (arg == "--port") {
                args.port = value;
            } else {
                char* end = nullptr;
                const long n = std::strtol(value, &end, 10);
                if (end == value || *end != '\0' || n < 0 || n > 1000000)
                    return usage("--retries needs a whole number of at least 0");
                args.retries = static_cast<int>(n);
            }
        } else if (arg == "--force" && std::strcmp(verb, "write") == 0) {
            args.force = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage("unknown option '" + arg + "'");
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
    return 0;
}

// Runs one transfer; true when all 128 blocks moved. `session` keeps what a read received.
CloneResult transfer(const char* verb, CloneDirection direction, const TransferArgs& args,
                     const RadioImage& source, RadioImage& received)
{
    g_interrupted = 0;
    const auto previous = std::signal(SIGINT, onInterrupt);
    const auto line = makeSerialLine();
    CloneResult result;
    {
        CliCloneHost host(verb, direction, args.retries);
        CloneSession session(*line, host, source);
        result = session.run(args.port);
        received = session.receivedImage();
    }
    std::signal(SIGINT, previous);
    if (result.outcome == CloneOutcome::Cancelled)
        std::fprintf(stderr, "orvo-cli %s: cancelled\n", verb);
    return result;
}

int runRead(int argc, char** argv)
{
    TransferArgs args;
    if (int status = parseTransferArgs("read", argc, argv, args))
        return status;
    RadioImage received;
    const CloneResult result =
        transfer("read", CloneDirection::Read, args, RadioImage::makeNew(), received);
    if (result.outcome != CloneOutcome::Completed || result.direction != CloneDirection::Read)
        return 1;
    // The file is written only now that every block has arrived.
    const FileResult saved = saveImageFile(args.file, received);
    if (!saved.ok) {
        std::fprintf(stderr, "%s\n", saved.error.c_str());
        return 1;
    }
    return 0;
}

int runWrite(int argc, char** argv)
{
    TransferArgs args;
    if (int status = parseTransferArgs("write", argc, argv, args))
        return status;
    RadioImage image;
    const FileResult loaded = loadImageFile(args.file, image);
    if (!loaded.ok) {
        std::fprintf(stderr, "%s\n", loaded.error.c_str());
        return 1;
    }
    // The window warns about the same channels before a write; here only --force sends them.
    if (const auto lines = outOfBandChannels(image); !lines.empty() && !args.force) {
        for (const std::string& line : lines)
            std::fprintf(stderr, "%s\n", line.c_str());
        std::fprintf(stderr, "orvo-cli write: nothing written (--force writes anyway)\n");
        return 1;
    }
    RadioImage unused;
    const CloneResult result = transfer("write", CloneDirection::Write, args, image, unused);
    return result.outcome == CloneOutcome::Completed ? 0 : 1;
}

} // namespace

const Verb kLinkVerbs[] = {
    {"read", "--port P [--retries N] OUT.sin",
     "read the whole image from the radio on port P (COM1..COM4 or a device path) into OUT.sin; "
     "after a failure answer Retry N times, then Cancel",
     runRead},
    {"write", "--port P [--retries N] [--force] IN.sin",
     "write the first 1024 bytes of IN.sin to the radio on port P; after a failure answer Retry "
     "N times, then Cancel; channels outside the file's band are refused unless --force",
     runWrite},
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
