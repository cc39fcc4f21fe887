#include "core/image/channel_codec.h"
#include "core/message/translate_noop.h"

#include "core/image/number_text.h"
#include "core/image/tone_codec.h"

#include <cmath>

namespace orvo {

namespace {

// Byte offsets inside a channel record.
constexpr int kRxFreq = 0;
constexpr int kTxFreq = 4;
constexpr int kRxToneLow = 8;
constexpr int kRxToneHigh = 9;
constexpr int kTxToneLow = 10;
constexpr int kTxToneHigh = 11;
constexpr int kFlags = 12;
constexpr int kRxStep = 13;
constexpr int kTxStep = 14;

// Bits of the flag byte.
constexpr std::uint8_t kBusyBit = 0x01;   // set = "No"
constexpr std::uint8_t kNarrowBit = 0x04; // set = "Narrow"
constexpr std::uint8_t kScanBit = 0x10;   // set = "Add"
constexpr std::uint8_t kPowerBit = 0x40;  // set = "High"

// Eight digits of 10 Hz: one below 1000 MHz.
constexpr std::uint64_t kFrequencyLimit = 100'000'000;
// At or above 300 MHz every frequency counts as on the 6.25 kHz raster.
constexpr std::uint64_t kStepFlagFloor = 30'000'000;

bool hasFrequency(const std::uint8_t* field)
{
    return field[3] != 0xFF && field[3] != 0x00;
}

void setBit(std::uint8_t& byte, std::uint8_t bit, bool on)
{
    byte = on ? static_cast<std::uint8_t>(byte | bit) : static_cast<std::uint8_t>(byte & ~bit);
}

void encodeFrequencyText(const std::string& text, std::uint8_t* field, std::uint8_t& stepFlag)
{
    const std::uint64_t v = frequencyUnits(text);
    if (v == 0 || v >= kFrequencyLimit) {
        // No frequency; the step flag keeps what it held.
        encodeFrequency(0, field);
        return;
    }
    stepFlag = (v >= kStepFlagFloor || v % 625 == 0) ? 1 : 0;
    encodeFrequency(v, field);
}

} // namespace

const std::array<const char*, 9>& channelColumnHeaders()
{
    static const std::array<const char*, 9> headers{QT_TRANSLATE_NOOP("orvo", "CH"),
                                                    QT_TRANSLATE_NOOP("orvo", "Receive(MHz)"),
                                                    QT_TRANSLATE_NOOP("orvo", "Transmit(MHz)"),
                                                    QT_TRANSLATE_NOOP("orvo", "Rx Tone"),
                                                    QT_TRANSLATE_NOOP("orvo", "Tx Tone"),
                                                    QT_TRANSLATE_NOOP("orvo", "Busy"),
                                                    QT_TRANSLATE_NOOP("orvo", "W/N"),
                                                    QT_TRANSLATE_NOOP("orvo", "Scan"),
                                                    QT_TRANSLATE_NOOP("orvo", "Power")};
    return headers;
}

const std::array<const char*, 6>& defaultRowTexts()
{
    static const std::array<const char*, 6> texts{"Off", "Off", "No", "Wide", "Add", "High"};
    return texts;
}

std::string decodeFrequency(const std::uint8_t* field)
{
    if (!hasFrequency(field))
        return {};
    // Nibbles above 9 are taken at their value, as the radio's own arithmetic does.
    std::uint64_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v * 100 + (field[i] >> 4) * 10 + (field[i] & 0x0F);
    std::string fraction = std::to_string(v % 100000);
    return std::to_string(v / 100000) + '.' + std::string(5 - fraction.size(), '0') + fraction;
}

std::uint64_t frequencyUnits(std::string_view text)
{
    double v = leadingNumber(text) * 1000;
    v *= 100;
    v += 0.05;
    v = std::trunc(v);
    if (!(v > 0))
        return 0;
    if (v >= 1e19)
        return 10'000'000'000'000'000'000u;
    return static_cast<std::uint64_t>(v);
}

void encodeFrequency(std::uint64_t units, std::uint8_t* field)
{
    if (units == 0 || units >= kFrequencyLimit) {
        for (int i = 0; i < 4; ++i)
            field[i] = 0xFF;
        return;
    }
    std::uint64_t divisor = 1'000'000;
    for (int i = 3; i >= 0; --i) {
        const std::uint64_t q = units / divisor;
        units %= divisor;
        divisor /= 100;
        field[i] = static_cast<std::uint8_t>((q / 10) * 16 + q % 10);
    }
}

std::vector<ColumnBits> channelColumnBits(int column)
{
    switch (column) {
    case kColReceive:
    case kColTransmit: {
        const int first = column == kColReceive ? kRxFreq : kTxFreq;
        return {{first, 0xFF},
                {first + 1, 0xFF},
                {first + 2, 0xFF},
                {first + 3, 0xFF},
                {column == kColReceive ? kRxStep : kTxStep, 0xFF}};
    }
    case kColRxTone:
        return {{kRxToneLow, 0xFF}, {kRxToneHigh, 0xFF}};
    case kColTxTone:
        return {{kTxToneLow, 0xFF}, {kTxToneHigh, 0xFF}};
    case kColBusy:
        return {{kFlags, kBusyBit}};
    case kColWidth:
        return {{kFlags, kNarrowBit}};
    case kColScan:
        return {{kFlags, kScanBit}};
    case kColPower:
        return {{kFlags, kPowerBit}};
    default:
        return {};
    }
}

bool isChannelEmpty(const RadioImage& image, int channel)
{
    const std::uint8_t* rec = image.record(channel);
    return !hasFrequency(rec + kRxFreq) && !hasFrequency(rec + kTxFreq);
}

ChannelTexts decodeChannel(const RadioImage& image, int channel)
{
    const std::uint8_t* rec = image.record(channel);
    ChannelTexts t;
    t[kColReceive - 1] = decodeFrequency(rec + kRxFreq);
    t[kColTransmit - 1] = decodeFrequency(rec + kTxFreq);
    t[kColRxTone - 1] = decodeTone(rec[kRxToneLow], rec[kRxToneHigh]);
    t[kColTxTone - 1] = decodeTone(rec[kTxToneLow], rec[kTxToneHigh]);
    if (!isChannelEmpty(image, channel)) {
        const std::uint8_t flags = rec[kFlags];
        t[kColBusy - 1] =
            (flags & kBusyBit) ? QT_TRANSLATE_NOOP("orvo", "No") : QT_TRANSLATE_NOOP("orvo", "Yes");
        t[kColWidth - 1] = (flags & kNarrowBit) ? QT_TRANSLATE_NOOP("orvo", "Narrow")
                                                : QT_TRANSLATE_NOOP("orvo", "Wide");
        t[kColScan - 1] = (flags & kScanBit) ? QT_TRANSLATE_NOOP("orvo", "Add")
                                             : QT_TRANSLATE_NOOP("orvo", "Delete");
        t[kColPower - 1] = (flags & kPowerBit) ? QT_TRANSLATE_NOOP("orvo", "High")
                                               : QT_TRANSLATE_NOOP("orvo", "Low");
    }
    return t;
}

void encodeChannel(const ChannelTexts& texts, RadioImage& image, int channel)
{
    std::uint8_t* rec = image.record(channel);
    encodeFrequencyText(texts[kColReceive - 1], rec + kRxFreq, rec[kRxStep]);
    encodeFrequencyText(texts[kColTransmit - 1], rec + kTxFreq, rec[kTxStep]);
    const ToneBytes rx = encodeTone(texts[kColRxTone - 1]);
    rec[kRxToneLow] = rx.low;
    rec[kRxToneHigh] = rx.high;
    const ToneBytes tx = encodeTone(texts[kColTxTone - 1]);
    rec[kTxToneLow] = tx.low;
    rec[kTxToneHigh] = tx.high;
    // The words are compared exactly; any other text stands for the other state of the bit.
    setBit(rec[kFlags], kBusyBit, texts[kColBusy - 1] != "Yes");
    setBit(rec[kFlags], kNarrowBit, texts[kColWidth - 1] != "Wide");
    setBit(rec[kFlags], kScanBit, texts[kColScan - 1] == "Add");
    setBit(rec[kFlags], kPowerBit, texts[kColPower - 1] == "High");
}

} // namespace orvo
