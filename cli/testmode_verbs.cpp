// orvo-cli test-mode: one adjustment of a connected radio, as the test-mode page's Start sends it.
#include "port_line.h"
#include "verbs.h"

#include "core/image/escaped_text.h"
#include "core/image/number_text.h"
#include "core/image/tone_codec.h"
#include "core/testmode/testmode_frames.h"
#include "core/testmode/testmode_session.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace orvo::cli {

namespace {

constexpr const char* kUsage =
    "usage: orvo-cli test-mode --port P --item "
    "tx-frequency|low-power-voltage|squelch-level|tx-power\n"
    "                          --value 0..255 --rx MHz --tx MHz [--rx-tone T] [--tx-tone T]\n"
    "                          [--retries N]\n";

// Every message goes to stderr with its exact text. Without a person to ask, Retry is answered
// as many times as allowed, then Cancel.
class CliTestModeHost : public TestModeHost
{
public:
    explicit CliTestModeHost(int retries) : m_retriesLeft(retries) {}

    Answer showMessage(const Message& message, Buttons buttons) override
    {
        std::fprintf(stderr, "%s\n", messageText(message).c_str());
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (m_retriesLeft > 0) {
            --m_retriesLeft;
            std::fputs("orvo-cli test-mode: Retry\n", stderr);
            return Answer::Retry;
        }
        std::fputs("orvo-cli test-mode: Cancel\n", stderr);
        return Answer::Cancel;
    }

private:
    int m_retriesLeft;
};

bool parseWhole(const char* text, long& out)
{
    errno = 0;
    char* end = nullptr;
    out = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && errno == 0;
}

bool itemNamed(std::string_view name, TestItem& item)
{
    if (name == "tx-frequency")
        item = TestItem::TxFrequency;
    else if (name == "low-power-voltage")
        item = TestItem::LowPowerVoltage;
    else if (name == "squelch-level")
        item = TestItem::SquelchLevel;
    else if (name == "tx-power")
        item = TestItem::TxPower;
    else
        return false;
    return true;
}

int usageError(const std::string& text)
{
    std::fprintf(stderr, "orvo-cli test-mode: %s\n%s", text.c_str(), kUsage);
    return kExitUsage;
}

// What the user typed, as the messages quote it.
std::string typed(std::string_view text)
{
    std::string quoted = escapedText(text);
    quoted.insert(quoted.begin(), '\'');
    quoted.push_back('\'');
    return quoted;
}

int runTestModeVerb(int argc, char** argv)
{
    TestModeRequest request;
    request.rxTone = "Off";
    request.txTone = "Off";
    bool haveItem = false, haveValue = false, haveRx = false, haveTx = false;
    long retries = 0;

    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return kExitOk;
        }
        if (i + 1 >= argc)
            return usageError("unknown option or missing value: " + escapedText(arg));
        const char* value = argv[++i];
        if (arg == "--port") {
            request.port = value;
        } else if (arg == "--item") {
            if (!itemNamed(value, request.item))
                return usageError("unknown item " + typed(value));
            haveItem = true;
        } else if (arg == "--value") {
            long number = 0;
            if (!parseWhole(value, number) || number < 0 || number > 255)
                return usageError("--value needs a whole number 0..255, not " + typed(value));
            request.value = static_cast<int>(number);
            haveValue = true;
        } else if (arg == "--rx" || arg == "--tx") {
            // The whole argument must be the number: "abc" or "146,52" would be sent as 0 or 146,
            // and one the frame cannot hold is as much a usage error.
            if (!isPlainDecimal(value) || !testFrequencyUnits(value))
                return usageError(std::string(arg) +
                                  " needs a frequency in MHz from 0 to 999.99999 such as "
                                  "146.52000, not " +
                                  typed(value));
            (arg == "--rx" ? request.rxFrequency : request.txFrequency) = value;
            (arg == "--rx" ? haveRx : haveTx) = true;
        } else if (arg == "--rx-tone" || arg == "--tx-tone") {
            // A tone is a text of the tone lists ("Off", "88.5", "D023N").
            const auto entry = canonicalTone(value);
            if (!entry)
                return usageError("unknown tone " + typed(value) +
                                  " (Off, a CTCSS tone such as 88.5, or a DCS code such as D023N)");
            (arg == "--rx-tone" ? request.rxTone : request.txTone) = *entry;
        } else if (arg == "--retries") {
            if (!parseWhole(value, retries) || retries < 0 || retries > 1000000)
                return usageError("--retries needs a whole number from 0 to 1000000");
        } else {
            return usageError("unknown option " + typed(arg));
        }
    }
    if (request.port.empty() || !haveItem || !haveValue || !haveRx || !haveTx)
        return usageError("--port, --item, --value, --rx and --tx are needed");
    if (!portHasDevice(request.port))
        return kExitFailed;

    const auto line = makePortLine();
    CliTestModeHost host(static_cast<int>(retries));
    return runTestMode(*line, host, request) == TestModeOutcome::Succeeded ? kExitOk : kExitFailed;
}

} // namespace

const Verb kTestModeVerbs[] = {
    {"test-mode",
     "--port P --item ITEM --value 0..255 --rx MHz --tx MHz [--rx-tone T] [--tx-tone T] [--retries "
     "N]",
     "send one test-mode adjustment (ITEM: tx-frequency, low-power-voltage, squelch-level, "
     "tx-power) to the radio; Retry N times after a failure, then Cancel",
     runTestModeVerb},
    {nullptr, nullptr, nullptr, nullptr},
};

} // namespace orvo::cli
