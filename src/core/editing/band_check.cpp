#include "core/editing/band_check.h"

#include "core/editing/frequency_check.h"
#include "core/image/channel_codec.h"
#include "core/image/settings_codec.h"

namespace orvo {

namespace {

constexpr std::size_t kBandByte = 0x3D2;
constexpr std::size_t kModelByte = 0x3D6;
constexpr std::uint8_t kModelZt4 = 0x33;

} // namespace

std::vector<Message> outOfBandChannels(const RadioImage& image)
{
    std::vector<Message> lines;
    const SettingSelections selections = formSelections(image);
    const int field = selections[static_cast<std::size_t>(SettingBox::Field)];
    const auto band = bandLimitsForField(field);
    if (!band)
        return lines;
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const ChannelTexts texts = decodeChannel(image, ch);
        for (int col : {kColReceive, kColTransmit}) {
            const std::string& text = texts[static_cast<std::size_t>(col - 1)];
            if (text.empty())
                continue;
            const std::uint64_t units = frequencyUnits(text);
            if (units >= band->lowest && units <= band->highest)
                continue;
            lines.push_back({col == kColReceive ? MessageKind::OutOfBandReceive
                                                : MessageKind::OutOfBandTransmit,
                             {ch, text, bands()[static_cast<std::size_t>(field)].text}});
        }
    }
    return lines;
}

int fieldIndexOf(std::string_view text)
{
    for (std::size_t i = 0; i < bands().size(); ++i) {
        if (text == bands()[i].text)
            return static_cast<int>(i);
    }
    return -1;
}

void selectBand(RadioImage& image, int fieldIndex)
{
    if (fieldIndex < 0 || fieldIndex >= static_cast<int>(bands().size()))
        return;
    image[kBandByte] = bands()[static_cast<std::size_t>(fieldIndex)].code;
    image[kModelByte] = kModelZt4;
}

} // namespace orvo
