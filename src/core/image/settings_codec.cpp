#include "core/image/settings_codec.h"
#include "core/message/translate_noop.h"

namespace orvo {

namespace {

constexpr std::size_t kSquelchByte = 0x3C1;
constexpr std::size_t kMoniByte = 0x3C2;
constexpr std::size_t kTxTimeByte = 0x3C3;
constexpr std::size_t kBandByte = 0x3D2;
constexpr std::size_t kModelByte = 0x3D6;

constexpr std::uint8_t kModelZt4 = 0x33;
constexpr std::uint8_t kFirstBandCode = 0xF4;

// Bits of the function byte. Bit 3 belongs to the optional features and is never touched here.
constexpr std::uint8_t kBeepBit = 0x01;
constexpr std::uint8_t kBatterySaveBit = 0x02;
constexpr std::uint8_t kScanBit = 0x04;
constexpr int kVoiceShift = 4;
constexpr int kUrgencyShift = 6;

int& at(SettingSelections& s, SettingBox box)
{
    return s[static_cast<std::size_t>(box)];
}
int at(const SettingSelections& s, SettingBox box)
{
    return s[static_cast<std::size_t>(box)];
}

void setBit(std::uint8_t& byte, std::uint8_t bit, bool on)
{
    byte = on ? static_cast<std::uint8_t>(byte | bit) : static_cast<std::uint8_t>(byte & ~bit);
}

void setField(std::uint8_t& byte, int shift, unsigned value)
{
    byte = static_cast<std::uint8_t>((byte & ~(0x3u << shift)) | ((value & 0x3u) << shift));
}

} // namespace

const std::array<SettingBoxInfo, kSettingBoxCount>& settingBoxes()
{
    static const std::array<SettingBoxInfo, kSettingBoxCount> boxes{{
        {SettingBox::Type, QT_TRANSLATE_NOOP("orvo", "Type"), {"ZT-4"}},
        {SettingBox::Field,
         QT_TRANSLATE_NOOP("orvo", "Field"),
         {"136 - 174MHz", "350 - 400MHz", "400 - 470MHz", "430 - 500MHz"}},
        {SettingBox::Scan,
         QT_TRANSLATE_NOOP("orvo", "Scan"),
         {QT_TRANSLATE_NOOP("orvo", "OFF"), QT_TRANSLATE_NOOP("orvo", "ON")}},
        {SettingBox::Beep,
         QT_TRANSLATE_NOOP("orvo", "Beep"),
         {QT_TRANSLATE_NOOP("orvo", "Enable"), QT_TRANSLATE_NOOP("orvo", "Disable")}},
        {SettingBox::BatterySave,
         QT_TRANSLATE_NOOP("orvo", "Battery Save"),
         {QT_TRANSLATE_NOOP("orvo", "Disable"), QT_TRANSLATE_NOOP("orvo", "Enable")}},
        {SettingBox::SquelchLevel,
         QT_TRANSLATE_NOOP("orvo", "Squelch Level"),
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {SettingBox::TxTotalTime,
         QT_TRANSLATE_NOOP("orvo", "Tx Total Time(s)"),
         {QT_TRANSLATE_NOOP("orvo", "Off"), "30s", "60s", "90s", "120s", "150s", "180s", "210s",
          "240s", "270s", "300s"}},
        {SettingBox::VoiceAnnunciation,
         QT_TRANSLATE_NOOP("orvo", "Voice Annuciation"),
         {QT_TRANSLATE_NOOP("orvo", "Off"), QT_TRANSLATE_NOOP("orvo", "English"),
          QT_TRANSLATE_NOOP("orvo", "Chinese")}},
        {SettingBox::Moni,
         QT_TRANSLATE_NOOP("orvo", "Moni"),
         {QT_TRANSLATE_NOOP("orvo", "Off"), QT_TRANSLATE_NOOP("orvo", "Monitor  Momentary"),
          QT_TRANSLATE_NOOP("orvo", "Monitor Lock"),
          QT_TRANSLATE_NOOP("orvo", "SQ-Off Momentary")}},
        {SettingBox::UrgencyCall,
         QT_TRANSLATE_NOOP("orvo", "Urgency Call           Switch"),
         {QT_TRANSLATE_NOOP("orvo", "Off"), QT_TRANSLATE_NOOP("orvo", "Local Alert "),
          QT_TRANSLATE_NOOP("orvo", "Local Alert TX Alert"),
          QT_TRANSLATE_NOOP("orvo", "TX Alert ")}},
    }};
    return boxes;
}

SettingSelections initialSelections()
{
    SettingSelections s;
    s.fill(-1);
    at(s, SettingBox::TxTotalTime) = 2;
    at(s, SettingBox::Type) = 0;
    at(s, SettingBox::Beep) = 1;
    at(s, SettingBox::SquelchLevel) = 4;
    at(s, SettingBox::Moni) = 3;
    at(s, SettingBox::Field) = 2;
    at(s, SettingBox::VoiceAnnunciation) = 1;
    return s;
}

const std::array<Band, 4>& bands()
{
    static const std::array<Band, 4> list{{{"136 - 174MHz", 0xF4, 13600000, 17400000},
                                           {"350 - 400MHz", 0xF5, 35000000, 40000000},
                                           {"400 - 470MHz", 0xF6, 40000000, 47000000},
                                           {"430 - 500MHz", 0xF7, 43000000, 50000000}}};
    return list;
}

bool isZt4Image(const RadioImage& image)
{
    return image[kModelByte] == kModelZt4;
}

void decodeSettings(const RadioImage& image, SettingSelections& s)
{
    const std::uint8_t b = image[kFunctionByte];
    at(s, SettingBox::Beep) = (b & kBeepBit) ? 0 : 1;
    at(s, SettingBox::Scan) = (b & kScanBit) ? 1 : 0;
    const int voice = (b >> kVoiceShift) & 0x3;
    at(s, SettingBox::VoiceAnnunciation) = voice == 3 ? 2 : (voice == 1 ? 1 : 0);
    at(s, SettingBox::BatterySave) = (b & kBatterySaveBit) ? 1 : 0;
    at(s, SettingBox::UrgencyCall) = (b >> kUrgencyShift) & 0x3;
    const int squelch = image[kSquelchByte];
    at(s, SettingBox::SquelchLevel) = squelch <= 9 ? squelch : 0;
    const int txTime = image[kTxTimeByte];
    at(s, SettingBox::TxTotalTime) = txTime <= 10 ? txTime : 0;
    const int moni = image[kMoniByte];
    at(s, SettingBox::Moni) = moni <= 3 ? moni : 3;
    if (isZt4Image(image)) {
        at(s, SettingBox::Type) = 0;
        const int band = image[kBandByte] - kFirstBandCode;
        at(s, SettingBox::Field) = (band >= 0 && band <= 3) ? band : 0;
    }
}

void encodeSettings(const SettingSelections& s, RadioImage& image)
{
    std::uint8_t& b = image[kFunctionByte];
    setBit(b, kBeepBit, at(s, SettingBox::Beep) != 1);
    setBit(b, kScanBit, at(s, SettingBox::Scan) != 0);
    const int voice = at(s, SettingBox::VoiceAnnunciation);
    setField(b, kVoiceShift, voice == 0 ? 0 : (voice == 1 ? 1 : 3));
    setBit(b, kBatterySaveBit, at(s, SettingBox::BatterySave) == 1);
    const int urgency = at(s, SettingBox::UrgencyCall);
    setField(b, kUrgencyShift, (urgency == 0 || urgency == 1 || urgency == 3) ? urgency : 2);
    // The byte holds the entry index; no selection (-1) is stored as 0xFF, as an unsigned byte.
    image[kSquelchByte] = static_cast<std::uint8_t>(at(s, SettingBox::SquelchLevel));
    image[kTxTimeByte] = static_cast<std::uint8_t>(at(s, SettingBox::TxTotalTime));
    image[kMoniByte] = static_cast<std::uint8_t>(at(s, SettingBox::Moni));
    if (at(s, SettingBox::Type) == 0) {
        const int field = at(s, SettingBox::Field);
        image[kBandByte] =
            static_cast<std::uint8_t>(kFirstBandCode + ((field >= 0 && field <= 3) ? field : 0));
        image[kModelByte] = kModelZt4;
    }
}

SettingSelections formSelections(const RadioImage& image)
{
    RadioImage zt4 = image;
    zt4[kModelByte] = kModelZt4;
    SettingSelections s = initialSelections();
    decodeSettings(zt4, s);
    return s;
}

std::string selectedText(const SettingSelections& s, std::size_t box)
{
    const int i = s[box];
    const auto& entries = settingBoxes()[box].entries;
    return (i >= 0 && static_cast<std::size_t>(i) < entries.size())
               ? entries[static_cast<std::size_t>(i)]
               : std::string();
}

void applyTypeSelection(RadioImage& image)
{
    writeFrequencyPairTable(image);
    image[kBandByte] = kFirstBandCode;
    image[kModelByte] = kModelZt4;
}

} // namespace orvo
