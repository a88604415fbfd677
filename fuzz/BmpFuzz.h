// One pass of the bitmap-reader check shared by the fuzz target and the
// seed test: parse and decode the bytes; an image that decodes must write
// back through EncodeBmp to a bitmap that decodes to the same pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/Bmp.h"

namespace vxfuzz {

// Empty when the bytes behaved, else what went wrong.
inline std::string CheckBmp(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    vx::BmpView view;
    std::string why;
    const bool parsed = vx::ParseBmp(file, view, &why);
    if (!parsed && why.empty()) return "a refused bitmap gives no reason";
    const QImage image = vx::DecodeBmp(file);
    if (!parsed) return image.isNull() ? std::string() : "a refused bitmap decodes";
    if (view.pixels.data() < data || view.pixels.data() + view.pixels.size() > data + size)
        return "the pixel rows lie outside the input";
    if (image.isNull()) return {};  // not enough memory
    if (image.width() != view.width || image.height() != view.height)
        return "the decoded size differs";
    const std::vector<uint8_t> again = vx::EncodeBmp(image, 24);
    if (vx::DecodeBmp(again) != image) return "the written bitmap decodes differently";
    return {};
}

}  // namespace vxfuzz
