// Helpers of the image editor's tests: small images made from and shown as
// text pictures, one character per pixel.
//
//     CDIBSection img = vxtest::ImageFromArt({"....",
//                                             ".##.",
//                                             "...."}, 24);
//     EXPECT_EQ(vxtest::ArtOf(img), (std::vector<std::string>{...}));
//
// The characters: '.' white, '#' black, 'r' red, 'g' green (0, 255, 0),
// 'b' blue, 'y' yellow; any other colour shows as '?'.
#pragma once

#include <string>
#include <vector>

#include "paint/DIBSection.h"

namespace vxtest {

COLORREF ArtColor(char c);
char ArtChar(COLORREF c);
// An image at `bitCount` (default table) with the pixels of `rows`.
CDIBSection ImageFromArt(const std::vector<std::string>& rows, int bitCount = 24);
// The pixels as rows of characters.
std::vector<std::string> ArtOf(const CDIBSection& image);
// How many pixels have `color`.
int CountColor(const CDIBSection& image, COLORREF color);

}  // namespace vxtest
