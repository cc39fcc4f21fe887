#pragma once
// The radio's 1024-byte memory as the program holds it: 64 records of 16 bytes, offset N being
// radio address N. Everything the program does is a conversion to or from this image.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvo {

constexpr std::size_t kImageSize = 1024;
constexpr std::size_t kRecordSize = 16;
constexpr std::size_t kRecordCount = 64;

// The image itself. Plain bytes; the codecs give them meaning.
struct RadioImage
{
    std::array<std::uint8_t, kImageSize> bytes{};

    std::uint8_t& operator[](std::size_t offset) { return bytes[offset]; }
    std::uint8_t operator[](std::size_t offset) const { return bytes[offset]; }

    // First byte of record r (0..63).
    std::uint8_t* record(int r) { return bytes.data() + static_cast<std::size_t>(r) * kRecordSize; }
    const std::uint8_t* record(int r) const
    {
        return bytes.data() + static_cast<std::size_t>(r) * kRecordSize;
    }

    bool operator==(const RadioImage&) const = default;

    // The contents of a new image: what File New and a fresh start give.
    static RadioImage makeNew();
};

// Writes the frequency pair table of a new image into records 17..24: bytes 0..7 (the receive
// and transmit frequencies) and the step flags, bytes 13 and 14. The other bytes stay untouched.
void writeFrequencyPairTable(RadioImage& image);

} // namespace orvo
