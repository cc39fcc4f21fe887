#pragma once
// The columns of the memory CSV and the tone modes it names, shared by its reader and its writer.

#include "core/image/number_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvo::commoncsv {

constexpr std::array<const char*, 21> kColumnNames{
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};
enum Column : int {
    kLocation,
    kName,
    kFrequency,
    kDuplex,
    kOffset,
    kTone,
    kRToneFreq,
    kCToneFreq,
    kDtcsCode,
    kDtcsPolarity,
    kRxDtcsCode,
    kCrossMode,
    kMode,
    kTStep,
    kSkip,
    kPower,
};

// Which tone one direction of a memory carries, and the column that holds it.
enum class ToneKind { None, Ctcss, Dcs };
struct ToneSource
{
    ToneKind kind;
    int column;
};
constexpr ToneSource kNoTone{ToneKind::None, -1};
constexpr ToneSource kRTone{ToneKind::Ctcss, kRToneFreq};
constexpr ToneSource kCTone{ToneKind::Ctcss, kCToneFreq};
constexpr ToneSource kDtcs{ToneKind::Dcs, kDtcsCode};
constexpr ToneSource kRxDtcs{ToneKind::Dcs, kRxDtcsCode};

// A Tone mode (with its CrossMode for "Cross") and what it sends and receives. The export takes
// the first that says what a channel holds, so the simpler modes come first.
struct ToneMode
{
    const char* tone;
    const char* crossMode;
    ToneSource tx;
    ToneSource rx;
};
constexpr std::array<ToneMode, 12> kToneModes{{
    {"", "", kNoTone, kNoTone},
    {"Tone", "", kRTone, kNoTone},
    {"TSQL", "", kCTone, kCTone},
    {"DTCS", "", kDtcs, kDtcs},
    {"Cross", "Tone->Tone", kRTone, kCTone},
    {"Cross", "Tone->DTCS", kRTone, kRxDtcs},
    {"Cross", "DTCS->Tone", kDtcs, kCTone},
    {"Cross", "DTCS->DTCS", kDtcs, kRxDtcs},
    {"Cross", "Tone->", kRTone, kNoTone},
    {"Cross", "DTCS->", kDtcs, kNoTone},
    {"Cross", "->Tone", kNoTone, kCTone},
    {"Cross", "->DTCS", kNoTone, kRxDtcs},
}};

// The steps the export names, in units of 10 Hz, largest first.
constexpr std::array<std::uint32_t, 4> kSteps{1250, 625, 500, 250};

inline std::string mhz(std::int64_t units, int decimals)
{
    return formatFixed(static_cast<double>(units) / 100000.0, decimals);
}

} // namespace orvo::commoncsv
