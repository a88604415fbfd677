// Writing a page "as printed" (white paper, no handles, PrintScale) to an
// image or document file, without a window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CHyperPage;

namespace vx {

// Largest side of an exported page, in pixels.
inline constexpr int kMaxExportPixels = 32768;
// Largest PNG export in pixels (16384 x 16384, 268 million).
inline constexpr int64_t kMaxExportImagePixels = int64_t(1) << 28;
// Pixels a PNG export draws at once (32 MB): a taller image is drawn and
// encoded in horizontal bands, so memory stays bounded.
inline constexpr int64_t kExportBandPixels = int64_t(1) << 23;

struct ExportOptions {
    // Draws at this scale instead of the page's PrintScale.
    std::optional<double> scale;
    // Pixels of one PNG band (at least one row).
    int64_t bandPixels = kExportBandPixels;
};

// Writes `page` to `path` as PNG, SVG or PDF, chosen by the file suffix
// (case-insensitive). Returns an empty string on success, else what went
// wrong. Needs a QGuiApplication (fonts).
std::string ExportPage(CHyperPage& page, const std::string& path, const ExportOptions& options = {});

}  // namespace vx
