#include "platform/LogFont.h"

namespace vx {

LOGFONT DefaultLogFont() {
    LOGFONT lf;
    lf.lfHeight = -11;  // 8 points at 96 dpi
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = 0x22;  // variable pitch, swiss family
    lf.lfFaceName = "DejaVu Sans";
    return lf;
}

}  // namespace vx
