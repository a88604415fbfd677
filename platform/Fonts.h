// Font faces: designs name the faces of the platform they were drawn on
// (Arial, Times New Roman, Courier New); they are drawn with the
// metric-compatible faces installed with the program, so lines break where
// the design's author saw them break.
#pragma once

#include <string>

#include "platform/LogFont.h"

namespace vx {

// Maps the platform faces to their metric-compatible substitutes for every
// QFont made from then on. Idempotent; ToQFont calls it before its first
// font, so every drawing path and every test has the same faces.
void InstallFontSubstitutions();

// The face a stored face name is drawn with (the name itself when it has no
// substitute).
std::string SubstituteFace(const std::string& face);

// The font is a scalable outline font (text in it can be turned).
bool IsScalableFont(const LOGFONT& lf);

}  // namespace vx
