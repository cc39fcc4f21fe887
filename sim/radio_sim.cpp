#include "radio_sim.h"

#include "clone_responder.h"

#include "core/formats/atomic_file.h"
#include "core/image/escaped_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <thread>
#include <vector>

namespace orvo::sim {

namespace {

constexpr std::array<std::uint8_t, 7> kRequestStart = {0x02, 'P', 'R', 'O', 'G', 'R', 'A'};

// Longest wait in one poll, so that signals are noticed promptly.
constexpr int kPollSliceMs = 50;

using Clock = std::chrono::steady_clock;

} // namespace

RadioSim::RadioSim(SimOptions options)
    : m_options(std::move(options)), m_memory(RadioImage::makeNew()), m_started(Clock::now()),
      m_noise(static_cast<std::mt19937::result_type>(m_options.noiseSeed))
{
}

RadioSim::~RadioSim()
{
    if (m_log && m_log != stderr)
        std::fclose(m_log);
}

void RadioSim::setTestModeResponder(std::unique_ptr<TestModeResponder> responder)
{
    m_testMode = std::move(responder);
}

bool RadioSim::start(std::string& error)
{
    if (!m_options.imagePath.empty()) {
        // Only the first 1024 bytes are read, and only from a regular file.
        std::string bytes;
        bool longer = false;
        if (const FileResult r = readRegularFile(m_options.imagePath, kImageSize, bytes, longer);
            !r.ok) {
            error = r.errorText();
            return false;
        }
        if (bytes.size() < kImageSize) {
            error = quotedText(m_options.imagePath) + " holds fewer than 1024 bytes";
            return false;
        }
        std::copy_n(bytes.begin(), kImageSize, m_memory.bytes.begin());
    }
    // Both files are checked as a save checks its target, so that neither a refused dump goes
    // unnoticed nor a named pipe without a reader holds the start.
    if (!m_options.dumpPath.empty()) {
        if (const FileResult r = checkWritableTarget(m_options.dumpPath); !r.ok) {
            error = "--dump: " + r.errorText();
            return false;
        }
    }
    if (!m_options.logPath.empty() && m_options.logPath != "-") {
        if (const FileResult r = checkWritableTarget(m_options.logPath); !r.ok) {
            error = "--log: " + r.errorText();
            return false;
        }
    }
    if (!m_options.logPath.empty()) {
        m_log = m_options.logPath == "-" ? stderr : std::fopen(m_options.logPath.c_str(), "w");
        if (!m_log) {
            error = "--log: cannot write " + quotedText(m_options.logPath);
            return false;
        }
    }
    installSignalHandlers();
    return m_line.open(error);
}

int RadioSim::run()
{
    CloneResponder clone(*this);
    std::deque<std::uint8_t> window;
    while (!stopping() && !isHungUp()) {
        std::uint8_t byte = 0;
        if (!receive(byte, kPollSliceMs))
            continue;
        if (m_options.silent) {
            log("silent: ignored a byte");
            continue;
        }
        window.push_back(byte);
        if (window.size() > kRequestStart.size())
            window.pop_front();
        if (!std::equal(window.begin(), window.end(), kRequestStart.begin(), kRequestStart.end()))
            continue;
        window.clear();
        std::uint8_t next = 0;
        if (receive(next, std::max(m_options.answerDelayMs, kLeastRequestAnswerMs))) {
            if (next == 'M') {
                clone.serve();
            } else {
                giveBack(next);
            }
        } else if (!stopping() && !isHungUp()) {
            if (m_testMode) {
                log("test request");
                if (m_testMode->serve(*this))
                    clone.serveBlocks();
            } else {
                log("test request ignored: this simulator has no test-mode responder");
            }
        }
    }
    dumpMemory();
    log(isHungUp() ? "hung up" : "stopped");
    return 0;
}

bool RadioSim::stopping() const
{
    return stopRequested();
}

void RadioSim::serviceSignals()
{
    if (takeDumpRequest())
        dumpMemory();
}

bool RadioSim::receive(std::uint8_t& byte, int timeoutMs)
{
    if (!m_pending.empty()) {
        byte = m_pending.front();
        m_pending.pop_front();
        return true;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        serviceSignals();
        if (stopping() || isHungUp())
            return false;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left < 0)
            return false;
        std::uint8_t buffer[64];
        const long got = m_line.readSome(buffer, sizeof buffer,
                                         static_cast<int>(std::min<long long>(left, kPollSliceMs)));
        if (got < 0) {
            log("the line is gone");
            hangUp();
            return false;
        }
        if (got > 0) {
            m_lastHeard = Clock::now();
            m_pending.insert(m_pending.end(), buffer, buffer + got);
            byte = m_pending.front();
            m_pending.pop_front();
            return true;
        }
    }
}

std::size_t RadioSim::receive(std::uint8_t* data, std::size_t n, int timeoutMs)
{
    std::size_t count = 0;
    while (count < n && receive(data[count], timeoutMs))
        ++count;
    return count;
}

void RadioSim::giveBack(std::uint8_t byte)
{
    m_pending.push_front(byte);
}

void RadioSim::answer(const std::uint8_t* data, std::size_t n)
{
    std::vector<std::uint8_t> noisy;
    if (m_options.noisePerMille > 0) {
        std::uniform_int_distribution<int> perMille(0, 999), anyByte(0, 255);
        for (std::size_t i = 0; i < n; ++i) {
            noisy.push_back(data[i]);
            if (perMille(m_noise) < m_options.noisePerMille) {
                noisy.push_back(static_cast<std::uint8_t>(anyByte(m_noise)));
                log("noise: a byte inserted");
            }
        }
        data = noisy.data();
        n = noisy.size();
    }
    if (m_options.answerDelayMs > 0)
        std::this_thread::sleep_until(m_lastHeard +
                                      std::chrono::milliseconds(m_options.answerDelayMs));
    if (m_options.baud <= 0) {
        m_line.writeAll(data, n);
        return;
    }
    // One start bit, eight data bits, one stop bit.
    const auto byteTime = std::chrono::microseconds(10'000'000 / m_options.baud);
    auto due = Clock::now();
    for (std::size_t i = 0; i < n; ++i) {
        if (!m_line.writeAll(data + i, 1))
            return;
        due += byteTime;
        std::this_thread::sleep_until(due);
    }
}

void RadioSim::hangUp()
{
    m_line.hangUp();
}

void RadioSim::dumpMemory()
{
    if (m_options.dumpPath.empty())
        return;
    const FileResult r = writeFileAtomically(
        m_options.dumpPath,
        std::string_view(reinterpret_cast<const char*>(m_memory.bytes.data()), kImageSize));
    if (!r.ok)
        log("dump: " + r.errorText());
    // Said on stderr too, once for each new reason, when no log goes there already.
    if (!r.ok && r.errorText() != m_lastDumpError && m_log != stderr)
        std::fprintf(stderr, "orvo-radio-sim: dump: %s\n", r.errorText().c_str());
    m_lastDumpError = r.errorText();
}

void RadioSim::log(const std::string& line)
{
    if (!m_log)
        return;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_started).count();
    std::fprintf(m_log, "%8lld %s\n", static_cast<long long>(ms), line.c_str());
    std::fflush(m_log);
}

} // namespace orvo::sim
