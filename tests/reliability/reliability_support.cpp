#include "reliability_support.h"

#include "core/image/channel_codec.h"
#include "core/image/settings_codec.h"

#include "sim_process.h"

#include <map>

namespace reliability {

namespace {

using Texts = orvo::ChannelTexts;

orvo::RadioImage imageWith(const std::map<int, Texts>& channels, int field, int lastEntryFrom)
{
    orvo::RadioImage image = orvo::RadioImage::makeNew();
    for (const auto& [ch, texts] : channels)
        orvo::encodeChannel(texts, image, ch);
    orvo::SettingSelections selections{};
    const auto& boxes = orvo::settingBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const int count = static_cast<int>(boxes[i].entries.size());
        selections[i] = static_cast<int>(i) >= lastEntryFrom ? count - 1 : (count > 1 ? 1 : 0);
    }
    selections[static_cast<std::size_t>(orvo::SettingBox::Type)] = 0;
    selections[static_cast<std::size_t>(orvo::SettingBox::Field)] = field;
    orvo::encodeSettings(selections, image);
    return image;
}

} // namespace

orvo::RadioImage documentImage()
{
    return imageWith(
        {{1, {"146.52000", "146.52000", "67.0", "Off", "No", "Wide", "Add", "High"}},
         {3, {"151.82500", "151.82500", "D023N", "D023N", "Yes", "Narrow", "Add", "Low"}},
         {9, {"162.55000", "", "", "", "No", "Wide", "Delete", "High"}}},
        0, 5);
}

orvo::RadioImage radioMemory()
{
    return imageWith(
        {{1, {"446.00625", "446.00625", "67.0", "D023N", "No", "Narrow", "Add", "High"}},
         {2, {"438.50000", "430.50000", "", "", "Yes", "Wide", "Delete", "Low"}},
         {7, {"", "440.00000", "254.1", "D754I", "No", "Wide", "Add", "Low"}},
         {16, {"462.56250", "467.56250", "", "", "Yes", "Narrow", "Delete", "High"}}},
        2, 2);
}

int requestsHeard(const QString& logPath, bool testMode)
{
    // "   1234 clone: program request": the time stamp, then the step.
    const QByteArray log = readFileBytes(logPath);
    return int(log.count(" clone: program request") + log.count(" test request\n") +
               log.count(" silent: ignored a byte\n") / (testMode ? 7 : 8));
}

} // namespace reliability
