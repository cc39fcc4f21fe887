#pragma once
// A simulated ZT-4 on a pseudo-terminal: it owns the line and the 1024-byte memory, waits for a
// request and hands the exchange that follows to the clone responder or the test-mode responder.

#include "core/image/radio_image.h"
#include "pty_posix.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>
#include <string>

namespace orvo::sim {

// What the simulated radio is and how it misbehaves. Block numbers count from 0 (address 8n).
struct SimOptions
{
    std::string imagePath; // memory loaded from this file (first 1024 bytes); empty: a new image
    std::string dumpPath;  // memory written here after every written block, on SIGUSR1 and at exit
    std::string logPath;   // one line per exchange step; "-" is stderr; empty: no log
    int answerDelayMs = 3; // pause before every answer, as a radio on a 9600-baud line needs
    int baud = 0;          // when set, answers leave one byte per 10 bit times of this rate
    bool silent = false;   // never answers anything
    bool refuseProgram = false; // answers the program request with NAK
    bool refuseEntry = false;   // answers the entry acknowledgement with NAK
    int noWriteAckBlock = -1;   // neither stores nor acknowledges this written block
    int corruptWriteBlock = -1; // stores this written block with its first byte changed
    int noReadAckBlock = -1; // sends this read block but does not acknowledge its acknowledgement
    int shortReadBlock = -1; // answers this read block with only shortReadBytes of its 12
    int shortReadBytes = 0;
    int hangUpBlock = -1;               // closes the line when the command of this block arrives
    bool junkBeforeAck = false;         // sends a stray byte before the ACK to the program request
    bool garbageIdentification = false; // answers the identification request with noise
    bool lateEntryAck = false; // repeats the entry ACK just before the answer to the first block
    int noiseSeed = 0;         // seeds the noisy line below
    int noisePerMille = 0;     // after each byte sent, a random byte follows with this chance
};

class RadioSim;

// Sent in place of the identification under --garbage-id: longer than an identification, with
// ACKs, an H and block commands in it, so that a program that took any of it for a later answer
// would go wrong.
inline constexpr std::array<std::uint8_t, 11> kGarbageIdentification = {
    0x06, 0xFF, 0x15, 0x48, 0x57, 0x00, 0x06, 0x52, 0x06, 0x02, 0x06};
// Sent before the ACK to the program request under --junk-before-ack.
inline constexpr std::uint8_t kJunkByte = 0xFF;

// The test-mode exchange, answered from its own file. When sim/testmode_responder.h exists,
// main.cpp includes it and calls makeTestModeResponder() (declared there, defined in
// testmode_responder.cpp, which the build picks up by itself); the simulator then hands it every
// test request.
class TestModeResponder
{
public:
    virtual ~TestModeResponder() = default;
    // Takes an option of the simulator's command line meant for it: returns how many arguments at
    // argv[i] it used, 0 when argv[i] is not one of its own.
    virtual int takeOption(int argc, char** argv, int i) = 0;
    // Lines for --help describing those options, each ending in a newline.
    virtual const char* optionsHelp() const = 0;
    // Serves one exchange. Called when the 7 bytes 02 50 52 4F 47 52 41 arrived, the radio's
    // answer to them is due and no 'M' has come: a test request, or a clone transfer whose host
    // was held up before its 'M'. Answering the request (ACK or not) is the responder's job. Returns
    // true when the host turned out to run a clone transfer: the radio has entered programming mode
    // and the host's first block command is given back for the clone responder.
    virtual bool serve(RadioSim& sim) = 0;
};

// The program request and the test request share their first 7 bytes. A clone host sends the 'M'
// at once, without waiting for the radio; a test host sends nothing more until the radio answers.
// So an 'M' that has come by the time the answer is due (the answer delay, at least this long)
// makes a clone transfer; otherwise the radio answers as to a test request and goes on by what
// the host sends next.
constexpr int kLeastRequestAnswerMs = 5;

class RadioSim
{
public:
    explicit RadioSim(SimOptions options);
    RadioSim(const RadioSim&) = delete;
    RadioSim& operator=(const RadioSim&) = delete;
    ~RadioSim();

    // Plugs in the test-mode responder; without one, test requests are logged and ignored.
    void setTestModeResponder(std::unique_ptr<TestModeResponder> responder);

    // Loads the memory and opens the pseudo-terminal.
    bool start(std::string& error);
    const std::string& devicePath() const { return m_line.path(); }

    // Serves requests until a stop signal or a hang-up; writes the memory file before returning.
    // Returns the process exit status.
    int run();

    // --- for the responders ---

    // The next received byte, waiting at most `timeoutMs`; false on a time-out, a hang-up or a
    // stop.
    bool receive(std::uint8_t& byte, int timeoutMs);
    // Receives up to n bytes, each within `timeoutMs` of the one before; returns the count.
    std::size_t receive(std::uint8_t* data, std::size_t n, int timeoutMs);
    // Gives a byte back, so that the request matcher sees it next (a new request interrupted an
    // exchange).
    void giveBack(std::uint8_t byte);

    // Waits until the answer delay has passed since the last byte heard, then sends (one byte per
    // 10 bit times when paced).
    void answer(const std::uint8_t* data, std::size_t n);
    void answer(std::uint8_t byte) { answer(&byte, 1); }

    // Closes the line; run() returns after the current exchange.
    void hangUp();
    bool isHungUp() const { return !m_line.isOpen(); }
    bool stopping() const;

    RadioImage& memory() { return m_memory; }
    const SimOptions& options() const { return m_options; }
    // Writes the memory file (when one was asked for) as the program saves its files: whole, never
    // through a link planted at a temporary name.
    void dumpMemory();
    // One line in the log, with the milliseconds since start.
    void log(const std::string& line);

private:
    void serviceSignals();

    SimOptions m_options;
    PtyLine m_line;
    RadioImage m_memory;
    std::unique_ptr<TestModeResponder> m_testMode;
    std::deque<std::uint8_t> m_pending;
    std::FILE* m_log = nullptr;
    std::string m_lastDumpError; // the reason the last dump failed; empty after a good one
    std::chrono::steady_clock::time_point m_started;
    std::chrono::steady_clock::time_point m_lastHeard;
    std::mt19937 m_noise;
};

} // namespace orvo::sim
