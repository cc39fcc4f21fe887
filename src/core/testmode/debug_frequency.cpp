#include "core/testmode/debug_frequency.h"

#include "core/image/number_text.h"

#include <cmath>

namespace orvo {

namespace {

constexpr std::int64_t kUnitsPerMhz = 100000;

} // namespace

int debugFrequencyOffset(DebugFrequency which)
{
    switch (which) {
    case DebugFrequency::High:
        return kDebugBandWidthMhz;
    case DebugFrequency::Middle:
        return kDebugBandWidthMhz / 2;
    case DebugFrequency::Low:
        return 0;
    }
    return 0;
}

std::int64_t confirmDebugFrequencyUnits(std::string_view text, double bandBaseMhz, DebugStep step)
{
    const std::int64_t lower = std::llround(bandBaseMhz * static_cast<double>(kUnitsPerMhz));
    const std::int64_t upper = lower + std::int64_t{kDebugBandWidthMhz} * kUnitsPerMhz;

    // The limits are compared while the number is still a double, so a huge or negative text is
    // pulled to a limit before anything is converted to an integer.
    const double scaled =
        std::trunc(leadingNumber(text) * static_cast<double>(kUnitsPerMhz) + 0.05);
    if (scaled > static_cast<double>(upper))
        return upper;
    if (scaled < static_cast<double>(lower))
        return lower;

    const auto units = static_cast<std::int64_t>(scaled);
    if (step == DebugStep::Khz5) {
        const std::int64_t r = units % 500;
        return r <= 250 ? units - r : units - r + 500;
    }
    const std::int64_t r = units % 625;
    return r <= 312 ? units - r : units - r + 625;
}

std::string formatDebugFrequency(double mhz)
{
    std::string text = formatFixed(mhz, 5);
    if (text.size() < 8)
        text.insert(0, 8 - text.size(), ' ');
    return text;
}

std::string confirmDebugFrequency(std::string_view text, double bandBaseMhz, DebugStep step)
{
    const std::int64_t units = confirmDebugFrequencyUnits(text, bandBaseMhz, step);
    return formatDebugFrequency(static_cast<double>(units) / static_cast<double>(kUnitsPerMhz));
}

ToneRange debugToneList(bool dqt)
{
    return dqt ? ToneRange{43, 168} : ToneRange{0, 43};
}

} // namespace orvo
