#pragma once
// The ten radio-wide setting lists and their fields in the image (0x3C0..0x3C3, 0x3D2, 0x3D6),
// the band list with its limits, and the rewrite that picking the radio type makes.

#include "core/image/radio_image.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvo {

enum class SettingBox {
    Type,
    Field,
    Scan,
    Beep,
    BatterySave,
    SquelchLevel,
    TxTotalTime,
    VoiceAnnunciation,
    Moni,
    UrgencyCall
};
constexpr int kSettingBoxCount = 10;

// Offset of the function byte: Scan, Beep, Battery Save, Voice Annunciation and Urgency Call
// here, and bit 3 for Refuse Emergency Alert, one of the optional features the boxes leave alone.
constexpr std::size_t kFunctionByte = 0x3C0;

// One list box: the label shown beside it and its fixed entries in order.
struct SettingBoxInfo
{
    SettingBox box;
    const char* label;
    std::vector<std::string> entries;
};

// All ten boxes, in SettingBox order. Built once.
const std::array<SettingBoxInfo, kSettingBoxCount>& settingBoxes();

// Entry index per box (indexed by SettingBox), -1 = none selected.
using SettingSelections = std::array<int, kSettingBoxCount>;

// Selections a freshly shown form starts with before the image is decoded into it: Tx Total Time
// 2, Type 0, Beep 1, Squelch Level 4, Moni 3, Field 2, Voice Annunciation 1, the others none.
SettingSelections initialSelections();

// True when the model code at 0x3D6 is 0x33 (a ZT-4 image); only then is the band code meaningful.
bool isZt4Image(const RadioImage& image);

// Sets every selection from the image. Type and Field only when isZt4Image (else they keep the
// values they had); a band code outside 0xF4..0xF7 selects Field entry 0. Reads only.
void decodeSettings(const RadioImage& image, SettingSelections& selections);

// Writes the selections into the image: the bits of 0x3C0 but bit 3, 0x3C1..0x3C3, and, when
// Type has entry 0 selected, 0x3D2 = 0xF4 + Field and 0x3D6 = 0x33. Nothing else changes.
void encodeSettings(const SettingSelections& selections, RadioImage& image);

// The list selections shown for an image where no form holds earlier ones (orvo-cli, the band
// checks of a file): the image decoded over the form's first selections, Type and Field read as
// for a ZT-4 image whatever the model code holds. So Field always names the band of the band
// code, the one the radio is given; the model code shows only as a byte.
SettingSelections formSelections(const RadioImage& image);

// The text of settings box `box` in `selections`; empty when nothing is selected.
std::string selectedText(const SettingSelections& selections, std::size_t box);

// A frequency band: its Field text, its band code and its inclusive limits in units of 10 Hz.
struct Band
{
    const char* text;
    std::uint8_t code;
    std::uint32_t low;
    std::uint32_t high;
};

// The four bands in Field order.
const std::array<Band, 4>& bands();

// What picking the ZT-4 type writes: records 17..24 (bytes 0..7 the new-image frequency pairs,
// bytes 13 and 14 = 1), band code 0x3D2 = 0xF4 and model code 0x3D6 = 0x33. Nothing else.
void applyTypeSelection(RadioImage& image);

} // namespace orvo
