#include "core/image/radio_image.h"

#include "core/formats/atomic_file.h"
#include "core/image/escaped_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace orvo {

namespace {

constexpr int kFirstPairRecord = 17;
constexpr int kPairRecordCount = 8;

// Bytes 0..7 of records 17..24 in a new image: receive and transmit frequency, packed decimal.
constexpr std::uint8_t kFrequencyPairs[kPairRecordCount][8] = {
    {0x00, 0x00, 0x01, 0x46, 0x00, 0x00, 0x00, 0x46}, // 460.10000 / 460.00000
    {0x00, 0x00, 0x01, 0x45, 0x00, 0x00, 0x00, 0x45}, // 450.10000 / 450.00000
    {0x00, 0x00, 0x99, 0x46, 0x00, 0x75, 0x99, 0x46}, // 469.90000 / 469.97500
    {0x00, 0x00, 0x03, 0x46, 0x00, 0x00, 0x03, 0x46}, // 460.30000 / 460.30000
    {0x00, 0x50, 0x03, 0x46, 0x00, 0x50, 0x03, 0x46}, // 460.35000 / 460.35000
    {0x00, 0x00, 0x04, 0x46, 0x00, 0x00, 0x04, 0x46}, // 460.40000 / 460.40000
    {0x00, 0x50, 0x03, 0x46, 0x00, 0x50, 0x03, 0x46}, // 460.35000 / 460.35000
    {0x00, 0x50, 0x04, 0x46, 0x00, 0x50, 0x04, 0x46}, // 460.45000 / 460.45000
};

// Single bytes a new image sets besides the tables.
struct ByteValue
{
    std::size_t offset;
    std::uint8_t value;
};
constexpr ByteValue kNewImageBytes[] = {
    {0x3D2, 0xF4}, {0x3D6, 0x33}, {0x3C0, 0xF7}, {0x3C1, 0x09}, {0x3C2, 0x03}, {0x3C3, 0x06},
    {0x3D0, 0x00}, {0x3D1, 0x00}, {0x3D3, 0x37}, {0x3D4, 0x30}, {0x3D5, 0x31}, {0x3D7, 0x50},
    {0x01C, 0xFB}, {0x3F0, 0xDE}, {0x3F1, 0x09}, {0x3F2, 0x2B}, {0x3F3, 0x69}, {0x3F4, 0xD8},
    {0x3F5, 0xAA}, {0x3F6, 0x41}, {0x3F7, 0xAA}, {0x3F8, 0x60}, {0x3F9, 0x4B},
};

constexpr std::size_t kChannelNumberTable = 0x280;

} // namespace

void writeFrequencyPairTable(RadioImage& image)
{
    for (int i = 0; i < kPairRecordCount; ++i) {
        std::uint8_t* rec = image.record(kFirstPairRecord + i);
        for (int b = 0; b < 8; ++b)
            rec[b] = kFrequencyPairs[i][b];
        rec[13] = 0x01;
        rec[14] = 0x01;
    }
}

RadioImage RadioImage::makeNew()
{
    RadioImage image;
    image.bytes.fill(0xFF);
    for (std::size_t k = 0; k < 16; ++k)
        image[kChannelNumberTable + k] = static_cast<std::uint8_t>(k + 1);
    image[0x012] = 0xFE;
    writeFrequencyPairTable(image);
    for (const ByteValue& b : kNewImageBytes)
        image[b.offset] = b.value;
    return image;
}

FileResult loadImageFile(const std::string& path, RadioImage& out)
{
    std::string bytes;
    bool longer = false;
    if (FileResult r = readRegularFile(path, kImageSize, bytes, longer); !r.ok)
        return r;
    if (bytes.size() < kImageSize) {
        return {false, quotedText(path) + " is not a channel data file: it holds " +
                           std::to_string(bytes.size()) +
                           " bytes, fewer than the 1024 of a radio's memory."};
    }
    std::copy_n(bytes.begin(), kImageSize, out.bytes.begin());
    return {};
}

FileResult saveImageFile(const std::string& path, const RadioImage& image)
{
    return writeFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), kImageSize));
}

} // namespace orvo
