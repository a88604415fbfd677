// Where text shapes and connector labels measure their text: a surface of
// 96 dots per inch at zoom 100, so that a text block grows and a label sits
// the same on every machine, at every zoom and in headless tools.
#pragma once

class QImage;

namespace vx::shapes {

QImage& MeasureSurface();
// Fonts can be measured only under a GUI application (the command line's
// dump and the fuzz target read designs without one).
bool CanMeasureText();
// The DrawText alignment flag of an alignment code: 0 left, 2 right,
// anything else centred.
unsigned AlignFormat(int align);

}  // namespace vx::shapes
