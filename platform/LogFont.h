// Font description in the shape of the original platform's LOGFONT record.
// A record whose fields are all zero (and whose face name is empty) means
// "automatic": use the owner's font.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

struct LOGFONT {
    int32_t lfHeight = 0;  // < 0: character height in pixels; > 0: cell height
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;  // 400 normal, 700 bold; 0 default
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName;  // UTF-8; files keep at most 31 characters

    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;

    bool IsEmpty() const { return *this == LOGFONT{}; }
    void Clear() { *this = LOGFONT{}; }
};

namespace vx {

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
// Longest face name a stored font record keeps.
constexpr size_t kMaxFaceName = 31;

// Font records keep the height and width they were given (files are written
// back unchanged), but drawing uses them only within +-kMaxFontSize logical
// units, and device sizes within +-kMaxDeviceFontSize pixels: a damaged
// record can neither overflow the arithmetic nor ask for a gigantic font.
constexpr int32_t kMaxFontSize = 4096;
constexpr int32_t kMaxDeviceFontSize = 32768;
constexpr int32_t DrawingFontSize(int32_t v) { return std::clamp(v, -kMaxFontSize, kMaxFontSize); }
constexpr int32_t DeviceFontSize(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, -kMaxDeviceFontSize, kMaxDeviceFontSize));
}

// The library's default font: 8-point sans serif at 96 dots per inch.
LOGFONT DefaultLogFont();

}  // namespace vx
