#include "core/image/image_diff.h"

#include "core/image/channel_codec.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace orvo {

namespace {

using Bits = std::vector<std::pair<std::size_t, std::uint8_t>>; // offset, mask

// One meaningful field of the image: its name, its text in each image and the bits it covers.
struct Field
{
    Message name;
    std::string a, b;
    Bits bits;
};

std::vector<Field> meaningfulFields(const RadioImage& a, const RadioImage& b)
{
    std::vector<Field> fields;
    const SettingSelections sa = formSelections(a), sb = formSelections(b);
    auto setting = [&](SettingBox box, Bits bits) {
        const auto i = static_cast<std::size_t>(box);
        fields.push_back({{MessageKind::Word, {settingBoxes()[i].label}},
                          selectedText(sa, i),
                          selectedText(sb, i),
                          std::move(bits)});
    };
    setting(SettingBox::Type, {{0x3D6, 0xFF}});
    setting(SettingBox::Field, {{0x3D2, 0xFF}});
    setting(SettingBox::Scan, {{0x3C0, 0x04}});
    setting(SettingBox::Beep, {{0x3C0, 0x01}});
    setting(SettingBox::BatterySave, {{0x3C0, 0x02}});
    setting(SettingBox::SquelchLevel, {{0x3C1, 0xFF}});
    setting(SettingBox::TxTotalTime, {{0x3C3, 0xFF}});
    setting(SettingBox::VoiceAnnunciation, {{0x3C0, 0x30}});
    setting(SettingBox::Moni, {{0x3C2, 0xFF}});
    setting(SettingBox::UrgencyCall, {{0x3C0, 0xC0}});

    const auto& headers = channelColumnHeaders();
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        const ChannelTexts ta = decodeChannel(a, ch), tb = decodeChannel(b, ch);
        const std::size_t rec = static_cast<std::size_t>(ch) * kRecordSize;
        for (int c = kColReceive; c <= kColPower; ++c) {
            Bits bits;
            for (const ColumnBits& b : channelColumnBits(c))
                bits.emplace_back(rec + static_cast<std::size_t>(b.byte), b.mask);
            fields.push_back(
                {{MessageKind::ChannelField,
                  {ch, Message{MessageKind::Word, {headers[static_cast<std::size_t>(c)]}}}},
                 ta[static_cast<std::size_t>(c - 1)],
                 tb[static_cast<std::size_t>(c - 1)],
                 std::move(bits)});
        }
    }
    return fields;
}

std::string hexByte(std::uint8_t b)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", b);
    return buf;
}

std::string hexOffset(std::size_t offset)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%03zX", offset);
    return buf;
}

} // namespace

std::vector<ImageDifference> compareImages(const RadioImage& a, const RadioImage& b)
{
    std::vector<ImageDifference> differences;
    if (a == b)
        return differences;
    // Bits whose difference a changed text already shows.
    std::array<std::uint8_t, kImageSize> explained{};
    for (const Field& f : meaningfulFields(a, b)) {
        if (f.a == f.b)
            continue;
        std::size_t first = kImageSize;
        for (auto [offset, mask] : f.bits) {
            explained[offset] |= mask;
            if (((a[offset] ^ b[offset]) & mask) != 0)
                first = std::min(first, offset);
        }
        differences.push_back(
            {f.name, f.a, f.b, first == kImageSize ? f.bits[0].first : first, false});
    }
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (((a[i] ^ b[i]) & ~explained[i]) != 0)
            differences.push_back(
                {{MessageKind::RawByte, {hexOffset(i)}}, hexByte(a[i]), hexByte(b[i]), i, true});
    }
    return differences;
}

UnshownDifferences countUnshownDifferences(const std::vector<ImageDifference>& differences,
                                           const RadioImage& a, const RadioImage& b)
{
    UnshownDifferences counts;
    std::array<bool, kChannelCount + 1> counted{};
    for (const ImageDifference& d : differences) {
        if (!d.raw)
            continue;
        const int ch = static_cast<int>(d.offset / kRecordSize);
        if (ch < 1 || ch > kChannelCount) {
            ++counts.otherBytes;
            continue;
        }
        if (counted[static_cast<std::size_t>(ch)])
            continue;
        counted[static_cast<std::size_t>(ch)] = true;
        const ChannelTexts none{};
        const bool empty = decodeChannel(a, ch) == none && decodeChannel(b, ch) == none;
        ++(empty ? counts.emptyChannels : counts.channels);
    }
    return counts;
}

Message differenceMessage(const ImageDifference& d)
{
    if (d.raw)
        return {MessageKind::ByteDifference, {d.name, d.before, d.after}};
    return {
        MessageKind::FieldDifference,
        {d.name, Message{MessageKind::Word, {d.before}}, Message{MessageKind::Word, {d.after}}}};
}

std::string differenceText(const ImageDifference& d)
{
    return messageText(differenceMessage(d));
}

} // namespace orvo
