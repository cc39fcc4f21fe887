#pragma once
// The bytes of a test-mode adjustment: the item command, the frequency frame (frame A) and the
// tone and value frame (frame B), built from the texts the test-mode page shows.

#include "core/message/message.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvo {

// The adjustment items, numbered by the dialog's item codes.
enum class TestItem : int { TxFrequency = 2, LowPowerVoltage = 3, SquelchLevel = 4, TxPower = 5 };

// The item for a dialog item code 2..5; nullopt for any other code.
std::optional<TestItem> testItemFromCode(int code);

// The one-byte command that selects an item in the radio: 0x71 ('q') for TX Frequency, 0x72
// ('r') Low Power Voltage, 0x73 ('s') Squelch Level, 0x74 ('t') TX Power; 0 for no item.
std::uint8_t testItemCommand(TestItem item);

using TestFrame = std::array<std::uint8_t, 8>;

// Largest numbers the packed-decimal fields hold: 8 digits of 10 Hz, 4 digits of 0.1 Hz.
constexpr std::uint32_t kMaxFrequencyUnits = 99999999;
constexpr std::uint32_t kMaxToneTenths = 9999;

// Packs the lowest 2 * `bytes` decimal digits of `n`, two per byte, the more significant digit of
// each pair in the high nibble, the least significant pair first: 14652000 gives 00 20 65 14.
void packBcd(std::uint32_t n, std::uint8_t* out, int bytes);

// A frequency text in MHz as whole units of 10 Hz: its leading number (0 when there is none)
// times 100000, plus 0.05, truncated, so every text with five decimals is exact ("136.20000"
// gives 13620000). nullopt for a negative number and for a result above kMaxFrequencyUnits
// (1000 MHz or more).
std::optional<std::uint32_t> testFrequencyUnits(std::string_view text);

// A tone text in Hz as whole tenths: its leading number times 10, truncated. "Off" and the DCS
// codes ("D023N") have no leading number and give 0; "254.1" gives 2541. nullopt for a negative
// number and for a result above kMaxToneTenths.
std::optional<std::uint16_t> testToneTenths(std::string_view text);

// Frame A: the receive and then the transmit frequency, each 4 packed-decimal bytes.
TestFrame buildFrequencyFrame(std::uint32_t rxUnits, std::uint32_t txUnits);

// Frame B: the receive and then the transmit tone, each 2 packed-decimal bytes, then the fixed
// bytes FB 01 01 and the item's value.
TestFrame buildToneValueFrame(std::uint16_t rxTenths, std::uint16_t txTenths, std::uint8_t value);

// One adjustment as the test-mode page holds it when Start is pressed.
struct TestModeRequest
{
    std::string port; // "COM1".."COM4" or a device path
    TestItem item = TestItem::TxFrequency;
    int value = 0;           // the item's value, 0..255
    std::string rxFrequency; // text of the receive frequency edit, MHz
    std::string txFrequency; // text of the transmit frequency edit, MHz
    std::string rxTone;      // text of the receive tone list's current entry; empty: no entry
    std::string txTone;      // text of the transmit tone list's current entry; empty: no entry
};

// The bytes of one adjustment, or why it cannot be sent.
struct TestFrames
{
    bool ok = false;
    Message error; // for the user, when !ok
    std::uint8_t command = 0;
    TestFrame frequencies{}; // frame A
    TestFrame toneValue{};   // frame B
};

// Builds the item command and both frames of `request`. Refuses, with a message naming the
// field, an unknown item, a value outside 0..255, a frequency or tone outside its field, and a
// tone list without a current entry. Empty or non-numeric frequency texts are sent as 0.
TestFrames buildTestFrames(const TestModeRequest& request);

} // namespace orvo
