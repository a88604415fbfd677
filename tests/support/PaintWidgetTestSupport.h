// Driving the paint control in widget tests: synthetic mouse events at the
// centre of an image pixel, at whatever magnification the control shows.
//
//     vxtest::TestPntCtrl ctrl;               // answers the dimensions dialog
//     ctrl.NewImage(8, 8, 24);
//     ctrl.SelectTool(CPntCtrl::kToolPen);
//     vxtest::Drag(ctrl, {1, 1}, {6, 1});
#pragma once

#include <QPoint>
#include <functional>
#include <optional>

#include "paint/PntCtrl.h"

namespace vxtest {

// A paint control whose dimensions dialog takes a queued answer (none
// queued: Cancel) and that records how often each notification came.
class TestPntCtrl : public CPntCtrl {
public:
    TestPntCtrl();
    std::optional<CPntDimensions> answer;
    CPntDimensions lastAsked;
    int imageChanges = 0, zoomChanges = 0, samples = 0, modeChanges = 0;

protected:
    bool AskDimensions(CPntDimensions& d) override;
};

// The viewport point at the centre of image pixel p.
QPoint PixelCentre(const CPntCtrl& ctrl, CPoint p);
void Press(CPntCtrl& ctrl, CPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier,
           Qt::MouseButton button = Qt::LeftButton);
void MoveTo(CPntCtrl& ctrl, CPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier);
void Release(CPntCtrl& ctrl, CPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier,
             Qt::MouseButton button = Qt::LeftButton);
// Press at `from`, moves in `steps` steps to `to`, release there.
void Drag(CPntCtrl& ctrl, CPoint from, CPoint to, int steps = 4, Qt::KeyboardModifiers mods = Qt::NoModifier);
void Click(CPntCtrl& ctrl, CPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier);
void Key(CPntCtrl& ctrl, int key, Qt::KeyboardModifiers mods = Qt::NoModifier);

// Runs `act` on the next modal dialog once it is shown (waiting for it,
// not for a fixed time).
void WhenModal(std::function<void(QWidget*)> act);

}  // namespace vxtest
