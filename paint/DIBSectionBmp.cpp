// Bitmap files in and out of a CDIBSection, through the program's one
// validating bitmap reader and writer (platform/Bmp.h).
#include <algorithm>

#include "paint/DIBSection.h"
#include "platform/Bmp.h"
#include "platform/FileRead.h"
#include "platform/SafeSave.h"

namespace {

constexpr COLORREF FromRrggbb(uint32_t v) {
    return vx::RGB(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF));
}
constexpr uint32_t ToRrggbb(COLORREF c) {
    return (uint32_t(vx::GetRValue(c)) << 16) | (uint32_t(vx::GetGValue(c)) << 8) | uint32_t(vx::GetBValue(c));
}

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

// Whether the file's pixels are stored the way this class stores them, so
// that the rows can be copied as they are.
bool SameLayout(const vx::BmpView& v) {
    switch (v.bitCount) {
        case 1:
        case 4:
        case 8:
        case 24: return true;
        case 16: return v.redMask == 0x7C00 && v.greenMask == 0x03E0 && v.blueMask == 0x001F;
        default: return v.redMask == 0xFF0000 && v.greenMask == 0xFF00 && v.blueMask == 0xFF;
    }
}

// The largest bitmap file that is read: a 32-bit image of the editor's
// largest size with its headers.
constexpr uint64_t kMaxBmpFileBytes = uint64_t(vx::kPntMaxPixels) * 4 + 4096;

}  // namespace

bool CDIBSection::SetFromBmpBytes(std::span<const uint8_t> file, std::string* error) {
    vx::BmpView view;
    std::string why;
    if (!vx::ParseBmp(file, view, &why)) {
        SetError(error, why.empty() ? "it is not a readable bitmap" : why);
        return false;
    }
    if (!vx::PntSizeAllowed(view.width, view.height)) {
        SetError(error, "the image is " + std::to_string(view.width) + " x " + std::to_string(view.height) +
                            " pixels; the editor takes at most " + std::to_string(vx::kPntMaxSide) +
                            " pixels a side and " + std::to_string(vx::kPntMaxPixels) + " in all");
        return false;
    }
    CDIBSection made;
    std::vector<COLORREF> table;
    if (view.bitCount <= 8) {
        // A shorter table than the depth has is filled up with black, so
        // every index has a colour (the reader draws such pixels black).
        table.assign(size_t(1) << view.bitCount, vx::RGB(0, 0, 0));
        for (size_t i = 0; i < std::min(view.palette.size(), table.size()); ++i) table[i] = FromRrggbb(view.palette[i]);
    }
    if (SameLayout(view) && view.stride == vx::PntRowBytes(view.width, view.bitCount)) {
        if (!made.CreateImage(view.width, view.height, 1, view.bitCount, {}, table.empty() ? nullptr : &table)) {
            SetError(error, "not enough memory for the image");
            return false;
        }
        for (int row = 0; row < view.height; ++row) {
            // Stored rows are bottom-up here; a top-down file is turned over.
            const int from = view.topDown ? view.height - 1 - row : row;
            std::copy_n(view.pixels.begin() + ptrdiff_t(size_t(from) * view.stride), view.stride,
                        made.bits_.begin() + ptrdiff_t(size_t(row) * made.stride_));
        }
        if (view.bitCount == 32)
            for (size_t i = 3; i < made.bits_.size(); i += 4) made.bits_[i] = 0;
    } else {
        // Other bit fields: the reader decodes them, the depth stays.
        const QImage decoded = vx::DecodeBmp(view);
        if (decoded.isNull() || !made.FromQImage(decoded, view.bitCount, table.empty() ? nullptr : &table)) {
            SetError(error, "not enough memory for the image");
            return false;
        }
    }
    *this = std::move(made);
    return true;
}

std::vector<uint8_t> CDIBSection::ToBmpBytes() const {
    if (IsNull()) return {};
    std::vector<uint32_t> table;
    for (COLORREF c : palette_) table.push_back(ToRrggbb(c));
    // The writer has no 16-bit form: such images are written at 24 bits,
    // which holds their colours exactly.
    const int bits = bitCount_ == 16 ? 24 : bitCount_;
    return vx::EncodeBmp(ToQImage(), bits, table.empty() ? nullptr : &table);
}

bool CDIBSection::LoadFile(const std::string& path, std::string* error) {
    std::vector<uint8_t> bytes;
    const std::string why = vx::ReadRegularFile(path, bytes, kMaxBmpFileBytes);
    if (!why.empty()) {
        SetError(error, why);
        return false;
    }
    return SetFromBmpBytes(bytes, error);
}

bool CDIBSection::SaveFile(const std::string& path, std::string* error) const {
    const std::vector<uint8_t> bytes = ToBmpBytes();
    if (bytes.empty()) {
        SetError(error, "there is no image to save");
        return false;
    }
    const std::string why = vx::SaveFileSafely(path, bytes);
    SetError(error, why);
    return why.empty();
}
