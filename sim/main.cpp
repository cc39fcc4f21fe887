// orvo-radio-sim: a simulated ZT-4 on a pseudo-terminal, for tests, benchmarks and demonstrations.
// The first line on stdout is the device path to open as the radio's port.
#include "radio_sim.h"

#include "core/image/escaped_text.h"

#if __has_include("testmode_responder.h")
#include "testmode_responder.h"
#define ORVO_SIM_HAS_TEST_MODE 1
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

const char kUsage[] =
    "usage: orvo-radio-sim [OPTIONS]\n"
    "Simulates a ZT-4 on a pseudo-terminal; prints the device path on the first line of stdout\n"
    "and serves transfers until SIGINT or SIGTERM.\n"
    "\n"
    "  --version           print the version and exit\n"
    "  --image FILE        start with the first 1024 bytes of FILE (default: a new image)\n"
    "  --dump FILE         write the memory to FILE after every written block, on SIGUSR1\n"
    "                      and at exit (a FILE that could not be written is refused at start)\n"
    "  --log FILE          log every exchange step to FILE ('-' for stderr; a FILE that could\n"
    "                      not be written, a named pipe among them, is refused at start)\n"
    "  --delay MS          pause before every answer (default 3)\n"
    "  --baud RATE         send answers at this line rate, e.g. 9600 (default: unpaced)\n"
    "Misbehaviour (blocks count from 0, block N is address 8*N):\n"
    "  --silent            never answer\n"
    "  --refuse-program    answer the program (or test) request with NAK\n"
    "  --junk-before-ack   send a stray byte before the ACK to the program request\n"
    "  --garbage-id        answer the identification request with 11 bytes of noise\n"
    "  --refuse-entry      answer the entry acknowledgement with NAK (also in test mode)\n"
    "  --no-write-ack N    neither store nor acknowledge written block N\n"
    "  --corrupt-write [N] store written block N (default 2: channel 1's Receive) with its\n"
    "                      first byte changed, yet acknowledge it\n"
    "  --no-read-ack N     do not acknowledge the acknowledgement of read block N\n"
    "  --short-read N:K    answer read block N with only K of its 12 bytes\n"
    "  --hang-up N         close the line when the command of block N arrives\n"
    "  --late-entry-ack    repeat the entry ACK just before the answer to the first block\n"
    "  --noisy-line SEED:P after each byte sent, insert a random byte with a chance of P per\n"
    "                      mille (1..1000), the same bytes for the same SEED\n";

bool parseInt(const char* text, int& out)
{
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 1000000)
        return false;
    out = static_cast<int>(value);
    return true;
}

int usageError(const std::string& text)
{
    std::fprintf(stderr, "orvo-radio-sim: %s (see --help)\n", text.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    orvo::sim::SimOptions options;
    std::unique_ptr<orvo::sim::TestModeResponder> testMode;
#ifdef ORVO_SIM_HAS_TEST_MODE
    testMode = orvo::sim::makeTestModeResponder();
#endif

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto intValue = [&](int& out) { return hasValue && parseInt(argv[++i], out); };
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            if (testMode)
                std::fputs(testMode->optionsHelp(), stdout);
            return 0;
        } else if (arg == "--version") {
            std::puts("orvo-radio-sim " ORVO_VERSION);
            return 0;
        } else if (arg == "--image" && hasValue) {
            options.imagePath = argv[++i];
        } else if (arg == "--dump" && hasValue) {
            options.dumpPath = argv[++i];
        } else if (arg == "--log" && hasValue) {
            options.logPath = argv[++i];
        } else if (arg == "--delay") {
            if (!intValue(options.answerDelayMs))
                return usageError("--delay needs milliseconds");
        } else if (arg == "--baud") {
            if (!intValue(options.baud) || options.baud < 50)
                return usageError("--baud needs a rate of at least 50");
        } else if (arg == "--silent") {
            options.silent = true;
        } else if (arg == "--refuse-program") {
            options.refuseProgram = true;
        } else if (arg == "--junk-before-ack") {
            options.junkBeforeAck = true;
        } else if (arg == "--garbage-id") {
            options.garbageIdentification = true;
        } else if (arg == "--refuse-entry") {
            options.refuseEntry = true;
        } else if (arg == "--no-write-ack") {
            if (!intValue(options.noWriteAckBlock) || options.noWriteAckBlock > 127)
                return usageError("--no-write-ack needs a block 0..127");
        } else if (arg == "--corrupt-write") {
            int block = 2;
            if (hasValue && parseInt(argv[i + 1], block)) {
                if (block > 127)
                    return usageError("--corrupt-write needs a block 0..127");
                ++i;
            }
            options.corruptWriteBlock = block;
        } else if (arg == "--no-read-ack") {
            if (!intValue(options.noReadAckBlock) || options.noReadAckBlock > 127)
                return usageError("--no-read-ack needs a block 0..127");
        } else if (arg == "--hang-up") {
            if (!intValue(options.hangUpBlock) || options.hangUpBlock > 127)
                return usageError("--hang-up needs a block 0..127");
        } else if (arg == "--late-entry-ack") {
            options.lateEntryAck = true;
        } else if (arg == "--noisy-line" && hasValue) {
            const std::string value = argv[++i];
            const auto colon = value.find(':');
            if (colon == std::string::npos ||
                !parseInt(value.substr(0, colon).c_str(), options.noiseSeed) ||
                !parseInt(value.substr(colon + 1).c_str(), options.noisePerMille) ||
                options.noisePerMille < 1 || options.noisePerMille > 1000)
                return usageError("--noisy-line needs SEED:PER_MILLE, per mille 1..1000");
        } else if (arg == "--short-read" && hasValue) {
            const std::string value = argv[++i];
            const auto colon = value.find(':');
            if (colon == std::string::npos ||
                !parseInt(value.substr(0, colon).c_str(), options.shortReadBlock) ||
                !parseInt(value.substr(colon + 1).c_str(), options.shortReadBytes) ||
                options.shortReadBlock > 127 || options.shortReadBytes > 12)
                return usageError("--short-read needs BLOCK:BYTES, block 0..127, bytes 0..12");
        } else if (int used = testMode ? testMode->takeOption(argc, argv, i) : 0; used > 0) {
            i += used - 1;
        } else {
            return usageError("unknown option or missing value: " + orvo::escapedText(arg));
        }
    }

    orvo::sim::RadioSim sim(options);
    sim.setTestModeResponder(std::move(testMode));
    std::string error;
    if (!sim.start(error)) {
        std::fprintf(stderr, "orvo-radio-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", sim.devicePath().c_str());
    std::fflush(stdout);
    return sim.run();
}
