#include "image/channel_codec.h"

namespace orvo {

const std::array<const char*, 9>& channelColumnHeaders()
{
    static const std::array<const char*, 9> headers{"CH",   "Receive(MHz)", "Transmit(MHz)",
                                                    "Rx Tone", "Tx Tone",   "Busy",
                                                    "W/N",  "Scan",         "Power"};
    return headers;
}
ChannelTexts decodeChannel(const RadioImage&, int) { return {}; }
void encodeChannel(const ChannelTexts&, RadioImage&, int) {}
bool isChannelEmpty(const RadioImage&, int) { return true; }
std::string decodeFrequency(const std::uint8_t*) { return {}; }
std::uint64_t frequencyUnits(std::string_view) { return 0; }
void encodeFrequency(std::uint64_t, std::uint8_t*) {}
const std::array<const char*, 6>& defaultRowTexts()
{
    static const std::array<const char*, 6> texts{"Off", "Off", "No", "Wide", "Add", "High"};
    return texts;
}

} // namespace orvo
