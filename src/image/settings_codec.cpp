#include "image/settings_codec.h"

namespace orvo {

const std::array<SettingBoxInfo, kSettingBoxCount>& settingBoxes()
{
    static const std::array<SettingBoxInfo, kSettingBoxCount> boxes{};
    return boxes;
}
SettingSelections initialSelections() { return {0, 2, -1, 1, -1, 4, 2, 1, 3, -1}; }
bool isZt4Image(const RadioImage& image) { return image[0x3D6] == 0x33; }
void decodeSettings(const RadioImage&, SettingSelections&) {}
void encodeSettings(const SettingSelections&, RadioImage&) {}
const std::array<Band, 4>& bands()
{
    static const std::array<Band, 4> list{{{"136 - 174MHz", 0xF4, 13600000, 17400000},
                                           {"350 - 400MHz", 0xF5, 35000000, 40000000},
                                           {"400 - 470MHz", 0xF6, 40000000, 47000000},
                                           {"430 - 500MHz", 0xF7, 43000000, 50000000}}};
    return list;
}
void applyTypeSelection(RadioImage&) {}

} // namespace orvo
