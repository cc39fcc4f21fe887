#include "editor/frequency_check.h"

namespace orvo {

const char* frequencyFaultText(FrequencyFault) { return ""; }
std::optional<BandLimits> bandLimitsForField(int) { return std::nullopt; }
FrequencyCheck checkFrequency(std::string_view, std::optional<BandLimits>, CommitVariant) { return {}; }
std::string committedToneText(std::string_view) { return "OFF"; }
bool isRowEmpty(const ChannelTexts& row) { return row[0].empty() && row[1].empty(); }
void commitFrequencyText(ChannelTexts&, int, const std::string&) {}

} // namespace orvo
