#include "image/radio_image.h"

namespace orvo {

RadioImage RadioImage::makeNew()
{
    RadioImage image;
    image.bytes.fill(0xFF);
    return image; // filled in by the image module
}

FileResult loadImageFile(const std::string&, RadioImage&) { return {false, "not yet"}; }
FileResult saveImageFile(const std::string&, const RadioImage&) { return {false, "not yet"}; }

} // namespace orvo
