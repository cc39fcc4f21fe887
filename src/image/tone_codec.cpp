#include "image/tone_codec.h"

namespace orvo {

const std::vector<std::string>& toneTable()
{
    static const std::vector<std::string> table{"Off"};
    return table;
}
std::string decodeTone(std::uint8_t, std::uint8_t) { return {}; }
ToneBytes encodeTone(std::string_view) { return {0xFF, 0xFF}; }
int toneIndex(std::string_view) { return -1; }
std::optional<std::string> canonicalTone(std::string_view) { return std::nullopt; }

} // namespace orvo
