#include "platform/QtConv.h"

#include <cmath>

#include "platform/Fonts.h"

namespace vx {

QFont ToQFont(const LOGFONT& lf) {
    InstallFontSubstitutions();
    QFont f;
    if (!lf.lfFaceName.empty()) f.setFamily(ToQString(lf.lfFaceName));
    else if ((lf.lfPitchAndFamily & 0xF0) == 0x10) f.setStyleHint(QFont::Serif);
    else if ((lf.lfPitchAndFamily & 0xF0) == 0x30) f.setStyleHint(QFont::TypeWriter);
    else f.setStyleHint(QFont::SansSerif);
    // Callers pass device sizes; a record that never went through a device
    // is held to the same range.
    int px = vx::DeviceFontSize(lf.lfHeight);
    if (px > 0) px = std::max(1, int(std::lround(px * 0.82)));
    else if (px < 0) px = -px;
    else px = 11;
    f.setPixelSize(std::max(1, px));
    if (lf.lfWeight > 0) f.setWeight(QFont::Weight(std::clamp(int(lf.lfWeight), 1, 1000)));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfWidth > 0)
        f.setStretch(int(std::clamp<int64_t>(int64_t(lf.lfWidth) * 100 * 2 / std::max(1, px), 1, 4000)));
    return f;
}

LOGFONT FromQFont(const QFont& font) {
    LOGFONT lf;
    const int px = font.pixelSize() > 0 ? font.pixelSize() : int(std::lround(font.pointSizeF() * 96.0 / 72.0));
    lf.lfHeight = -px;
    lf.lfWeight = font.weight() == QFont::Normal ? FW_NORMAL : int32_t(font.weight());
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfFaceName = FromQString(font.family());
    return lf;
}

}  // namespace vx
