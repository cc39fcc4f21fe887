#include "core/formats/channel_file.h"

#include "core/image/escaped_text.h"

#include <algorithm>
#include <string_view>

namespace orvo {

FileResult loadImageFile(const std::string& path, RadioImage& out)
{
    std::string bytes;
    bool longer = false;
    if (FileResult r = readRegularFile(path, kImageSize, bytes, longer); !r.ok)
        return r;
    if (bytes.size() < kImageSize)
        return {false, {MessageKind::ShortChannelFile, {quotedText(path), bytes.size()}}};
    std::copy_n(bytes.begin(), kImageSize, out.bytes.begin());
    return {};
}

FileResult saveImageFile(const std::string& path, const RadioImage& image)
{
    return writeFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), kImageSize));
}

} // namespace orvo
