#include "core/testmode/testmode_frames.h"

#include "core/image/escaped_text.h"
#include "core/image/number_text.h"

#include <cmath>

namespace orvo {

namespace {

// `number` times `scale`, plus `bias`, truncated, when `number` is not negative and the result
// is at most `max`; nullopt otherwise.
std::optional<std::uint32_t> scaledWhole(double number, double scale, double bias,
                                         std::uint32_t max)
{
    if (!(number >= 0.0))
        return std::nullopt;
    const double whole = std::trunc(number * scale + bias);
    if (!(whole <= static_cast<double>(max)))
        return std::nullopt;
    return static_cast<std::uint32_t>(whole);
}

std::string quoted(std::string_view text)
{
    return quotedText(text);
}

} // namespace

std::optional<TestItem> testItemFromCode(int code)
{
    if (code < static_cast<int>(TestItem::TxFrequency) ||
        code > static_cast<int>(TestItem::TxPower))
        return std::nullopt;
    return static_cast<TestItem>(code);
}

std::uint8_t testItemCommand(TestItem item)
{
    switch (item) {
    case TestItem::TxFrequency:
        return 0x71;
    case TestItem::LowPowerVoltage:
        return 0x72;
    case TestItem::SquelchLevel:
        return 0x73;
    case TestItem::TxPower:
        return 0x74;
    }
    return 0;
}

void packBcd(std::uint32_t n, std::uint8_t* out, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        const std::uint32_t pair = n % 100;
        n /= 100;
        out[i] = static_cast<std::uint8_t>(((pair / 10) << 4) | (pair % 10));
    }
}

std::optional<std::uint32_t> testFrequencyUnits(std::string_view text)
{
    return scaledWhole(leadingNumber(text), 100000.0, 0.05, kMaxFrequencyUnits);
}

std::optional<std::uint16_t> testToneTenths(std::string_view text)
{
    const auto tenths = scaledWhole(leadingNumber(text), 10.0, 0.0, kMaxToneTenths);
    if (!tenths)
        return std::nullopt;
    return static_cast<std::uint16_t>(*tenths);
}

TestFrame buildFrequencyFrame(std::uint32_t rxUnits, std::uint32_t txUnits)
{
    TestFrame frame{};
    packBcd(rxUnits, frame.data(), 4);
    packBcd(txUnits, frame.data() + 4, 4);
    return frame;
}

TestFrame buildToneValueFrame(std::uint16_t rxTenths, std::uint16_t txTenths, std::uint8_t value)
{
    TestFrame frame{};
    packBcd(rxTenths, frame.data(), 2);
    packBcd(txTenths, frame.data() + 2, 2);
    frame[4] = 0xFB;
    frame[5] = 0x01;
    frame[6] = 0x01;
    frame[7] = value;
    return frame;
}

TestFrames buildTestFrames(const TestModeRequest& request)
{
    TestFrames result;
    const auto refuse = [&result](Message message) {
        result.error = std::move(message);
        return result;
    };

    if (!testItemFromCode(static_cast<int>(request.item)))
        return refuse(MessageKind::NoTestItem);
    if (request.value < 0 || request.value > 255)
        return refuse({MessageKind::TestValueOutOfRange, {request.value}});

    const auto rx = testFrequencyUnits(request.rxFrequency);
    if (!rx)
        return refuse({MessageKind::TestReceiveFrequencyOutOfRange, {quoted(request.rxFrequency)}});
    const auto tx = testFrequencyUnits(request.txFrequency);
    if (!tx)
        return refuse(
            {MessageKind::TestTransmitFrequencyOutOfRange, {quoted(request.txFrequency)}});

    if (request.rxTone.empty())
        return refuse(MessageKind::NoReceiveTone);
    if (request.txTone.empty())
        return refuse(MessageKind::NoTransmitTone);
    const auto rxTone = testToneTenths(request.rxTone);
    if (!rxTone)
        return refuse({MessageKind::TestReceiveToneOutOfRange, {quoted(request.rxTone)}});
    const auto txTone = testToneTenths(request.txTone);
    if (!txTone)
        return refuse({MessageKind::TestTransmitToneOutOfRange, {quoted(request.txTone)}});

    result.ok = true;
    result.command = testItemCommand(request.item);
    result.frequencies = buildFrequencyFrame(*rx, *tx);
    result.toneValue =
        buildToneValueFrame(*rxTone, *txTone, static_cast<std::uint8_t>(request.value));
    return result;
}

} // namespace orvo
