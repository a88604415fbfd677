// String ids of the property names of the drawing attributes and shapes.
// The property sheet and the format commands find rows by these ids.
#pragma once

namespace vx::prop {

constexpr int kHatchStyle = 27042;
constexpr int kShadowStyle = 27050;
constexpr int kTextColor = 27153;
constexpr int kText = 27159;
constexpr int kAlignment = 27160;
constexpr int kPenStyle = 27168;
constexpr int kPenWidth = 27174;
constexpr int kArrowhead = 27179;
constexpr int kArrowheadHeight = 27180;
constexpr int kArrowheadStyle = 27181;
constexpr int kBorderWidth = 27211;
constexpr int kBorderColor = 27212;
constexpr int kHiliteColor = 27213;
constexpr int kIsWedge = 27214;
constexpr int kAngle1 = 27215;
constexpr int kAngle2 = 27216;
constexpr int kLayout = 27265;
// The image of a bitmap shape and the escapement of a text block.
constexpr int kBitmap = 27266;
constexpr int kOrientation = 27267;
// "BorderStyle" shares its name string with the window's property.
constexpr int kShapeBorderStyle = 27319;

}  // namespace vx::prop
