// Fuzz target: the channel data file loader, then the channel, tone and settings codecs on the
// image it gives.
//
// Input: the file's bytes. An image is the first 1024 of them (padded with 0xFF when shorter);
// byte 1024, when present, chooses how the form's Type and Field boxes start and whether the
// Type selection rewrites the image; the bytes after it are a tone and a frequency text.
//
// Promises checked:
// - a file shorter than 1024 bytes is refused and leaves the image as it was; a longer one
//   gives exactly its first 1024 bytes;
// - decode, encode, decode again is stable: after the second round the texts, the selections and
//   the bytes no longer change;
// - encoding changes only the bytes and bits the codecs interpret; a cleared frequency keeps its
//   step flag;
// - every decoded cell is a text the form can show.
#include "fuzz_check.h"

#include "core/formats/channel_file.h"
#include "core/image/channel_codec.h"
#include "core/image/radio_image.h"
#include "core/image/settings_codec.h"
#include "core/image/tone_codec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace orvo;

using ChannelTable = std::array<ChannelTexts, kChannelCount + 1>; // index 0 unused

// A scratch file for the loader, one per process, removed at exit.
std::string g_scratchDir;
std::string g_scratchFile;

void removeScratch()
{
    ::unlink(g_scratchFile.c_str());
    ::rmdir(g_scratchDir.c_str());
}

const std::string& scratchFile()
{
    if (g_scratchFile.empty()) {
        struct stat st
        {
        };
        std::string pattern =
            (::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp");
        pattern += "/orvo-fuzz-XXXXXX";
        FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
        g_scratchDir = pattern;
        g_scratchFile = g_scratchDir + "/image.sin";
        std::atexit(removeScratch);
    }
    return g_scratchFile;
}

void writeScratch(const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(scratchFile().c_str(), "wb");
    FUZZ_CHECK(f != nullptr, "the scratch file can be written");
    if (size > 0)
        FUZZ_CHECK(std::fwrite(data, 1, size, f) == size, "the scratch file takes every byte");
    FUZZ_CHECK(std::fclose(f) == 0, "the scratch file closes");
}

void checkLoader(const std::uint8_t* data, std::size_t size)
{
    writeScratch(data, size);
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const RadioImage before = image;
    const FileResult r = loadImageFile(scratchFile(), image);
    if (size < kImageSize) {
        FUZZ_CHECK(!r.ok, "a file shorter than 1024 bytes is refused");
        FUZZ_CHECK(!r.errorText().empty(), "a refusal says why");
        FUZZ_CHECK(image == before, "a refused file leaves the image as it was");
        return;
    }
    FUZZ_CHECK(r.ok, "a file of 1024 bytes or more loads");
    for (std::size_t i = 0; i < kImageSize; ++i)
        FUZZ_CHECK(image[i] == data[i], "the image is the file's first 1024 bytes");
}

bool isFrequencyText(const std::string& t)
{
    // Digits, a point, five digits.
    const auto point = t.find('.');
    if (point == std::string::npos || point == 0 || t.size() - point - 1 != 5)
        return false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i != point && (t[i] < '0' || t[i] > '9'))
            return false;
    }
    return true;
}

bool isToneCellText(const std::string& t)
{
    if (t.empty())
        return true;
    if (t.front() == 'D')
        return t.size() >= 3 && (t.back() == 'N' || t.back() == 'I');
    return t.size() >= 3 && t[t.size() - 2] == '.';
}

void checkDecodedTexts(const RadioImage& image, const ChannelTable& table)
{
    static const std::array<std::array<const char*, 2>, 4> words{
        {{"Yes", "No"}, {"Wide", "Narrow"}, {"Add", "Delete"}, {"High", "Low"}}};
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const ChannelTexts& t = table[static_cast<std::size_t>(ch)];
        for (int c : {kColReceive, kColTransmit}) {
            const std::string& f = t[static_cast<std::size_t>(c - 1)];
            FUZZ_CHECK(f.empty() || isFrequencyText(f), "a frequency cell is empty or %3.5f");
        }
        for (int c : {kColRxTone, kColTxTone})
            FUZZ_CHECK(isToneCellText(t[static_cast<std::size_t>(c - 1)]),
                       "a tone cell is empty, a DCS text or a CTCSS number");
        const bool empty = isChannelEmpty(image, ch);
        FUZZ_CHECK(empty == (t[0].empty() && t[1].empty()), "a channel is empty exactly when both frequencies are");
        for (int c = kColBusy; c <= kColPower; ++c) {
            const std::string& w = t[static_cast<std::size_t>(c - 1)];
            const auto& pair = words[static_cast<std::size_t>(c - kColBusy)];
            if (empty)
                FUZZ_CHECK(w.empty(), "an empty channel shows no flags");
            else
                FUZZ_CHECK(w == pair[0] || w == pair[1], "a flag cell shows one of its two words");
        }
    }
}

ChannelTable decodeAll(const RadioImage& image)
{
    ChannelTable table;
    for (int ch = 1; ch <= kChannelCount; ++ch)
        table[static_cast<std::size_t>(ch)] = decodeChannel(image, ch);
    return table;
}

// One save of the form: the channels, then the settings, as the document encodes them.
void encodeAll(const ChannelTable& table, const SettingSelections& selections, RadioImage& image)
{
    for (int ch = 1; ch <= kChannelCount; ++ch)
        encodeChannel(table[static_cast<std::size_t>(ch)], image, ch);
    encodeSettings(selections, image);
}

// Bits each offset may change when the form is saved with Type showing `typeSelected`.
std::array<std::uint8_t, kImageSize> saveMask(bool typeSelected)
{
    std::array<std::uint8_t, kImageSize> mask{};
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const std::size_t rec = static_cast<std::size_t>(ch) * kRecordSize;
        for (std::size_t i = 0; i < 12; ++i)
            mask[rec + i] = 0xFF;
        mask[rec + 12] = 0x55; // Busy, W/N, Scan, Power; bits 1, 3, 5 and 7 are not interpreted
        mask[rec + 13] = 0xFF;
        mask[rec + 14] = 0xFF;
    }
    mask[0x3C0] = 0xF7; // bit 3 belongs to the Optional Features
    mask[0x3C1] = mask[0x3C2] = mask[0x3C3] = 0xFF;
    if (typeSelected)
        mask[0x3D2] = mask[0x3D6] = 0xFF;
    return mask;
}

std::array<std::uint8_t, kImageSize> typeSelectionMask()
{
    std::array<std::uint8_t, kImageSize> mask{};
    for (int r = 17; r <= 24; ++r) {
        const std::size_t rec = static_cast<std::size_t>(r) * kRecordSize;
        for (std::size_t i = 0; i < 8; ++i)
            mask[rec + i] = 0xFF;
        mask[rec + 13] = mask[rec + 14] = 0xFF;
    }
    mask[0x3D2] = mask[0x3D6] = 0xFF;
    return mask;
}

void checkOnlyMasked(const RadioImage& before, const RadioImage& after,
                     const std::array<std::uint8_t, kImageSize>& mask, const char* what)
{
    for (std::size_t i = 0; i < kImageSize; ++i)
        FUZZ_CHECK(((before[i] ^ after[i]) & ~mask[i]) == 0, what);
}

void checkStepFlags(const RadioImage& before, const RadioImage& after, const ChannelTable& table)
{
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const std::size_t rec = static_cast<std::size_t>(ch) * kRecordSize;
        for (int c : {kColReceive, kColTransmit}) {
            const std::size_t flag = rec + (c == kColReceive ? 13 : 14);
            const std::uint64_t v =
                frequencyUnits(table[static_cast<std::size_t>(ch)][static_cast<std::size_t>(c - 1)]);
            if (v == 0 || v >= 100'000'000)
                FUZZ_CHECK(after[flag] == before[flag], "no frequency keeps its step flag");
            else
                FUZZ_CHECK(after[flag] == ((v >= 30'000'000 || v % 625 == 0) ? 1 : 0),
                           "the step flag says whether the frequency is on the 6.25 kHz raster");
        }
    }
}

void checkImageCodecs(RadioImage image0, std::uint8_t control)
{
    SettingSelections start = initialSelections();
    start[static_cast<std::size_t>(SettingBox::Type)] = (control & 0x03) == 1 ? -1 : 0;
    start[static_cast<std::size_t>(SettingBox::Field)] = (control >> 2 & 0x07) % 5 - 1;
    const bool startInRange = start[static_cast<std::size_t>(SettingBox::Field)] >= 0;

    // Picking the Type entry writes into the image at once, before any save.
    if (control & 0x20) {
        const RadioImage before = image0;
        applyTypeSelection(image0);
        checkOnlyMasked(before, image0, typeSelectionMask(),
                        "the Type selection writes only records 17-24, 0x3D2 and 0x3D6");
        FUZZ_CHECK(isZt4Image(image0), "after the Type selection the image is a ZT-4 one");
    }

    // Round 1: the file as opened, then saved.
    const ChannelTable t1 = decodeAll(image0);
    checkDecodedTexts(image0, t1);
    SettingSelections s1 = start;
    decodeSettings(image0, s1);
    for (std::size_t b = 0; b < s1.size(); ++b) {
        const int n = static_cast<int>(settingBoxes()[b].entries.size());
        FUZZ_CHECK(s1[b] >= -1 && s1[b] < n, "a decoded selection is an entry of its box");
    }
    RadioImage image1 = image0;
    encodeAll(t1, s1, image1);
    const bool typeSelected = s1[static_cast<std::size_t>(SettingBox::Type)] == 0;
    checkOnlyMasked(image0, image1, saveMask(typeSelected),
                    "a save changes only the interpreted bytes and bits");
    checkStepFlags(image0, image1, t1);

    // Round 2 and 3: opened again and saved again.
    const ChannelTable t2 = decodeAll(image1);
    checkDecodedTexts(image1, t2);
    SettingSelections s2 = s1;
    decodeSettings(image1, s2);
    if (startInRange)
        FUZZ_CHECK(s2 == s1, "saved selections come back as they were");
    RadioImage image2 = image1;
    encodeAll(t2, s2, image2);

    const ChannelTable t3 = decodeAll(image2);
    SettingSelections s3 = s2;
    decodeSettings(image2, s3);
    FUZZ_CHECK(t3 == t2, "the channel texts are stable after the second round");
    FUZZ_CHECK(s3 == s2, "the selections are stable after the second round");
    RadioImage image3 = image2;
    encodeAll(t3, s3, image3);
    FUZZ_CHECK(image3 == image2, "the bytes are stable after the second round");
}

void checkToneText(std::string_view text)
{
    // Texts outside the table (a DCS number above 999, a tone of 800 Hz or more, whose first
    // byte reads as DCS) need not come back as typed; what they come back as must hold still.
    const ToneBytes b1 = encodeTone(text);
    const std::string d1 = decodeTone(b1.low, b1.high);
    const ToneBytes b2 = encodeTone(d1);
    const std::string d2 = decodeTone(b2.low, b2.high);
    const ToneBytes b3 = encodeTone(d2);
    FUZZ_CHECK(decodeTone(b3.low, b3.high) == d2,
               "a tone text is stable after the second round through its bytes");
    FUZZ_CHECK(encodeTone(decodeTone(b3.low, b3.high)) == b3,
               "tone bytes are stable after the second round");
    if (const auto entry = canonicalTone(text)) {
        FUZZ_CHECK(toneIndex(*entry) >= 0, "a canonical tone is a table entry");
        FUZZ_CHECK(b1 == encodeTone(*entry), "a tone in another letter case encodes as its entry");
        if (*entry != "Off")
            FUZZ_CHECK(d1 == *entry, "a table entry comes back as itself");
    }
}

void checkFrequencyText(std::string_view text)
{
    const std::uint64_t v = frequencyUnits(text);
    std::array<std::uint8_t, 4> field{};
    encodeFrequency(v, field.data());
    const std::string shown = decodeFrequency(field.data());
    if (v >= 1'000'000 && v < 100'000'000) {
        FUZZ_CHECK(isFrequencyText(shown), "a stored frequency of 10 MHz or more shows");
        FUZZ_CHECK(frequencyUnits(shown) == v, "a shown frequency reads back as its units");
    } else if (v == 0 || v >= 100'000'000) {
        FUZZ_CHECK(shown.empty(), "no frequency shows as the empty text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkLoader(data, size);

    RadioImage image;
    image.bytes.fill(0xFF);
    for (std::size_t i = 0; i < size && i < kImageSize; ++i)
        image[i] = data[i];
    const std::uint8_t control = size > kImageSize ? data[kImageSize] : 0;
    checkImageCodecs(image, control);

    if (size > kImageSize + 1) {
        const std::string_view rest(reinterpret_cast<const char*>(data) + kImageSize + 1,
                                    size - kImageSize - 1);
        const auto split = rest.find('\n');
        checkToneText(rest.substr(0, split));
        if (split != std::string_view::npos)
            checkFrequencyText(rest.substr(split + 1));
    }
    return 0;
}
