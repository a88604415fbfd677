#include "paint/DIBSection.h"

#include <algorithm>
#include <new>
#include <unordered_map>

namespace vx {

const std::array<PntNamedColor, 16> kPntNamedColors = {{
    {RGB(0, 0, 0), "Black"},
    {RGB(255, 255, 255), "White"},
    {RGB(0, 0, 255), "Blue"},
    {RGB(0, 255, 0), "Bright green"},
    {RGB(0, 255, 255), "Cyan"},
    {RGB(255, 0, 0), "Red"},
    {RGB(255, 0, 255), "Magenta"},
    {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 0, 128), "Dark Blue"},
    {RGB(0, 128, 0), "Dark Green"},
    {RGB(0, 128, 128), "Dark Cyan"},
    {RGB(128, 0, 0), "Dark red"},
    {RGB(128, 0, 128), "Dark Magenta"},
    {RGB(128, 128, 0), "Dark yellow"},
    {RGB(128, 128, 128), "Grey - 50%"},
    {RGB(192, 192, 192), "Light grey"},
}};

namespace {

constexpr std::array<COLORREF, 16> kPalette16 = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 128),
    RGB(0, 128, 128),   RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};

std::vector<COLORREF> Palette256() {
    std::vector<COLORREF> p(kPalette16.begin(), kPalette16.begin() + 8);
    p.push_back(RGB(192, 220, 192));
    p.push_back(RGB(166, 202, 240));
    // The colour cube without the colours the static entries already give.
    constexpr int kLevels[6] = {0, 44, 86, 135, 192, 255};
    for (int b : kLevels)
        for (int g : kLevels)
            for (int r : kLevels) {
                const COLORREF c = RGB(r, g, b);
                if (c == RGB(0, 0, 0) || c == RGB(192, 192, 192) || c == RGB(0, 255, 255)) continue;
                p.push_back(c);
            }
    for (int g : {17, 24, 30, 37, 44, 52, 60, 68, 77, 86, 95, 105, 114, 125, 146, 157, 168, 180, 204, 216, 229, 242, 255})
        p.push_back(RGB(g, g, g));
    for (COLORREF c : {RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),
                       RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)})
        p.push_back(c);
    return p;
}

constexpr uint32_t Pack16(COLORREF c) {
    return (uint32_t(GetRValue(c) >> 3) << 10) | (uint32_t(GetGValue(c) >> 3) << 5) | uint32_t(GetBValue(c) >> 3);
}
constexpr int Expand5(uint32_t v) { return int(((v & 31) << 3) | ((v & 31) >> 2)); }

}  // namespace

std::vector<COLORREF> DefaultPalette(int colorCount) {
    switch (colorCount) {
        case 2: return {RGB(0, 0, 0), RGB(255, 255, 255)};
        case 16: return {kPalette16.begin(), kPalette16.end()};
        case 0:
        case 256: {
            static const std::vector<COLORREF> table = Palette256();
            return table;
        }
        default: return {};
    }
}

}  // namespace vx

bool CDIBSection::CreateImage(int width, int height, int /*planes*/, int bitCount, std::span<const uint8_t> bits,
                              const std::vector<COLORREF>* palette) {
    if (!vx::IsPntBitCount(bitCount) || !vx::PntSizeAllowed(width, height)) return false;
    const int colors = bitCount <= 8 ? 1 << bitCount : 0;
    if (palette && colors && int(palette->size()) != colors) return false;
    const size_t stride = vx::PntRowBytes(width, bitCount);
    const size_t size = stride * size_t(height);
    if (!bits.empty() && bits.size() < size) return false;
    CDIBSection made;
    try {
        made.bits_.assign(size, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    made.width_ = width;
    made.height_ = height;
    made.bitCount_ = bitCount;
    made.stride_ = stride;
    if (colors) made.palette_ = palette ? *palette : vx::DefaultPalette(colors);
    if (bits.empty()) made.FillAll(vx::RGB(255, 255, 255));
    else std::copy_n(bits.begin(), size, made.bits_.begin());
    *this = std::move(made);
    return true;
}

bool CDIBSection::ChangeFormat(int width, int height, int planes, int bitCount, const CPoint* origin) {
    CDIBSection made;
    const std::vector<COLORREF>* keep = bitCount == bitCount_ && !palette_.empty() ? &palette_ : nullptr;
    if (!made.CreateImage(width, height, planes, bitCount, {}, keep)) return false;
    const CPoint o = origin ? *origin : CPoint();
    for (int y = 0; y < height; ++y) {
        const int64_t sy = int64_t(y) + o.y;
        if (sy < 0 || sy >= height_) continue;
        for (int x = 0; x < width; ++x) {
            const int64_t sx = int64_t(x) + o.x;
            if (sx < 0 || sx >= width_) continue;
            if (keep) made.SetValue(x, y, ValueAt(int(sx), int(sy)));
            else made.SetValue(x, y, made.ValueFor(PixelAt(int(sx), int(sy))));
        }
    }
    *this = std::move(made);
    return true;
}

CDIBSection CDIBSection::CopyPart(const CRect& part) const {
    CDIBSection made;
    CRect r;
    if (!r.IntersectRect(part, bounds())) return made;
    if (!made.CreateImage(r.Width(), r.Height(), 1, bitCount_, {}, palette_.empty() ? nullptr : &palette_)) return made;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) made.SetValue(x, y, ValueAt(r.left + x, r.top + y));
    return made;
}

bool CDIBSection::SetColorTable(int count, const COLORREF* entries) {
    if (count != GetColorCount() || count == 0 || !entries) return false;
    for (int i = 0; i < count; ++i) palette_[size_t(i)] = entries[i] & 0xFFFFFF;
    return true;
}

COLORREF CDIBSection::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    return ColorOfValue(ValueAt(x, y));
}

uint32_t CDIBSection::ValueFor(COLORREF color) const {
    const COLORREF c = COLORREF(uint32_t(color) & 0xFFFFFF);
    switch (bitCount_) {
        case 16: return vx::Pack16(c);
        case 24:
        case 32: return uint32_t(vx::GetBValue(c)) | (uint32_t(vx::GetGValue(c)) << 8) | (uint32_t(vx::GetRValue(c)) << 16);
        default: break;
    }
    uint32_t best = 0;
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 0; i < palette_.size(); ++i) {
        const int dr = vx::GetRValue(palette_[i]) - vx::GetRValue(c);
        const int dg = vx::GetGValue(palette_[i]) - vx::GetGValue(c);
        const int db = vx::GetBValue(palette_[i]) - vx::GetBValue(c);
        const int64_t d = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = uint32_t(i);
            if (d == 0) break;
        }
    }
    return best;
}

COLORREF CDIBSection::ColorOfValue(uint32_t v) const {
    switch (bitCount_) {
        case 16: return vx::RGB(vx::Expand5(v >> 10), vx::Expand5(v >> 5), vx::Expand5(v));
        case 24:
        case 32: return vx::RGB(int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF));
        default: return v < palette_.size() ? palette_[v] : vx::RGB(0, 0, 0);
    }
}

void CDIBSection::FillAll(COLORREF color) {
    if (IsNull()) return;
    const uint32_t v = ValueFor(color);
    for (int x = 0; x < width_; ++x) SetValue(x, height_ - 1, v);
    // Every row is the same as the bottom one, which is stored first.
    const uint8_t* first = bits_.data();
    for (int y = 1; y < height_; ++y) std::copy_n(first, stride_, bits_.data() + size_t(y) * stride_);
}

QImage CDIBSection::ToQImage() const { return ToQImage(bounds()); }

QImage CDIBSection::ToQImage(const CRect& part) const {
    CRect r;
    if (!r.IntersectRect(part, bounds())) return {};
    QImage out(r.Width(), r.Height(), QImage::Format_RGB32);
    if (out.isNull()) return out;
    for (int y = r.top; y < r.bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y - r.top));
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = ColorOfValue(ValueAt(x, y));
            line[x - r.left] = qRgb(vx::GetRValue(c), vx::GetGValue(c), vx::GetBValue(c));
        }
    }
    return out;
}

void CDIBSection::RenderInto(QImage& out, const CRect& part, COLORREF transparent) const {
    CRect r;
    if (!r.IntersectRect(part, bounds()) || out.width() != width_ || out.height() != height_) return;
    if (out.format() != QImage::Format_RGB32 && out.format() != QImage::Format_ARGB32) return;
    const bool leaveOut = transparent != -1;
    const uint32_t clear = leaveOut ? ValueFor(transparent) : 0;
    // A table image converts each index once.
    std::vector<QRgb> lookup;
    if (!palette_.empty()) {
        lookup.resize(palette_.size());
        for (size_t i = 0; i < palette_.size(); ++i)
            lookup[i] = qRgb(vx::GetRValue(palette_[i]), vx::GetGValue(palette_[i]), vx::GetBValue(palette_[i]));
    }
    for (int y = r.top; y < r.bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = r.left; x < r.right; ++x) {
            const uint32_t v = ValueAt(x, y);
            if (leaveOut && v == clear) {
                line[x] = 0;
                continue;
            }
            if (!lookup.empty()) {
                line[x] = v < lookup.size() ? lookup[v] : qRgb(0, 0, 0);
            } else {
                const COLORREF c = ColorOfValue(v);
                line[x] = qRgb(vx::GetRValue(c), vx::GetGValue(c), vx::GetBValue(c));
            }
        }
    }
}

bool CDIBSection::FromQImage(const QImage& image, int bitCount, const std::vector<COLORREF>* palette) {
    if (image.isNull()) return false;
    CDIBSection made;
    if (!made.CreateImage(image.width(), image.height(), 1, bitCount, {}, palette)) return false;
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    if (src.isNull()) return false;
    // Photographs have many colours, icons few; remember each mapping.
    std::unordered_map<QRgb, uint32_t> seen;
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb q = line[x] | 0xFF000000u;
            uint32_t v;
            if (made.palette_.empty()) {
                v = made.ValueFor(vx::RGB(qRed(q), qGreen(q), qBlue(q)));
            } else if (auto it = seen.find(q); it != seen.end()) {
                v = it->second;
            } else {
                v = made.ValueFor(vx::RGB(qRed(q), qGreen(q), qBlue(q)));
                if (seen.size() < 65536) seen.emplace(q, v);
            }
            made.SetValue(x, y, v);
        }
    }
    *this = std::move(made);
    return true;
}
