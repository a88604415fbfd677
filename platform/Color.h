// Colours as 32-bit red-green-blue values with red in the low byte. The value
// -1 means "automatic": the owner decides (page colour, system text colour).
#pragma once

#include <array>
#include <cstdint>

using COLORREF = int32_t;

namespace vx {

constexpr COLORREF kAutoColor = -1;

constexpr COLORREF RGB(int r, int g, int b) {
    return COLORREF(uint32_t(r & 0xFF) | (uint32_t(g & 0xFF) << 8) | (uint32_t(b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return int(uint32_t(c) & 0xFF); }
constexpr int GetGValue(COLORREF c) { return int((uint32_t(c) >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return int((uint32_t(c) >> 16) & 0xFF); }

// The 19 colour choices offered everywhere a colour is picked, in order.
inline constexpr std::array<COLORREF, 19> kStandardColors = {
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(128, 0, 0),     RGB(255, 0, 0),     RGB(128, 128, 0),   RGB(255, 255, 0),
    RGB(0, 128, 0),     RGB(0, 255, 0),     RGB(0, 128, 128),   RGB(0, 255, 255),
    RGB(0, 0, 128),     RGB(0, 0, 255),     RGB(128, 0, 128),   RGB(255, 0, 255),
    RGB(128, 255, 128), RGB(128, 255, 255), RGB(255, 255, 128)};

// System colours. They are fixed values rather than the desktop theme's so
// that pages render the same everywhere (and in tests).
enum class SysColor { ButtonText, ButtonFace, ButtonShadow, ButtonHighlight, Window, WindowText, Highlight, HighlightText, GrayText };

constexpr COLORREF GetSysColor(SysColor c) {
    switch (c) {
        case SysColor::ButtonText: return RGB(0, 0, 0);
        case SysColor::ButtonFace: return RGB(240, 240, 240);
        case SysColor::ButtonShadow: return RGB(160, 160, 160);
        case SysColor::ButtonHighlight: return RGB(255, 255, 255);
        case SysColor::Window: return RGB(255, 255, 255);
        case SysColor::WindowText: return RGB(0, 0, 0);
        case SysColor::Highlight: return RGB(0, 120, 215);
        case SysColor::HighlightText: return RGB(255, 255, 255);
        case SysColor::GrayText: return RGB(109, 109, 109);
    }
    return 0;
}

}  // namespace vx
