// Writing a page "as printed" (white paper, no handles, PrintScale) to an
// image or document file, without a window.
#pragma once

#include <string>

class CHyperPage;

namespace vx {

// Largest side of an exported raster image, in pixels.
inline constexpr int kMaxExportPixels = 32768;

// Writes `page` to `path` as PNG, SVG or PDF, chosen by the file suffix
// (case-insensitive). Returns an empty string on success, else what went
// wrong. Needs a QGuiApplication (fonts).
std::string ExportPage(CHyperPage& page, const std::string& path);

}  // namespace vx
