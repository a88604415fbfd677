#include "support/PaintTestSupport.h"

namespace vxtest {

COLORREF ArtColor(char c) {
    switch (c) {
        case '#': return vx::RGB(0, 0, 0);
        case 'r': return vx::RGB(255, 0, 0);
        case 'g': return vx::RGB(0, 255, 0);
        case 'b': return vx::RGB(0, 0, 255);
        case 'y': return vx::RGB(255, 255, 0);
        default: return vx::RGB(255, 255, 255);
    }
}

char ArtChar(COLORREF c) {
    for (char ch : std::string("#rgby."))
        if (ArtColor(ch) == c) return ch;
    return '?';
}

CDIBSection ImageFromArt(const std::vector<std::string>& rows, int bitCount) {
    CDIBSection img;
    img.CreateImage(int(rows.at(0).size()), int(rows.size()), 1, bitCount);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) img.SetPixel(int(x), int(y), ArtColor(rows[y][x]));
    return img;
}

std::vector<std::string> ArtOf(const CDIBSection& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) row += ArtChar(image.PixelAt(x, y));
        rows.push_back(row);
    }
    return rows;
}

int CountColor(const CDIBSection& image, COLORREF color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.PixelAt(x, y) == color;
    return n;
}

}  // namespace vxtest
