// Image bytes from outside (files, other programs' clipboard data) checked
// before use, and the image files the editor opens and saves. Bitmap bytes
// go through the validating bitmap reader; other formats are decoded only
// after their size has been read from their header and found within the
// editor's limits.
#pragma once

#include <QImage>
#include <span>
#include <string>

#include "paint/DIBSection.h"

class QMimeData;

namespace vx::pnt {

// The largest image file or clipboard item that is read.
inline constexpr uint64_t kMaxImageBytes = uint64_t(kPntMaxPixels) * 4 + 4096;

// Decodes image bytes (a bitmap file, PNG, or another format Qt reads);
// false and why for damaged bytes or an image beyond the limits.
bool DecodeImageBytes(std::span<const uint8_t> bytes, QImage& out, std::string* error = nullptr);
// The image of clipboard data, checked the same way: bitmap bytes first,
// then PNG and other image types, then an image placed by this program.
bool ImageFromMimeData(const QMimeData* data, QImage& out, std::string* error = nullptr);
// Whether the data offers an image at all (not yet checked).
bool MimeDataHasImage(const QMimeData* data);
// Clipboard data for an image: the image, and its bitmap and PNG bytes for
// other programs.
QMimeData* MimeDataForImage(const QImage& image);

// Opens a bitmap file (keeping its depth and colour table) or another image
// file (as 24 bits).
bool LoadImageFile(const std::string& path, CDIBSection& out, std::string* error = nullptr);
// Saves as PNG when the name ends in ".png", else as a bitmap file, replacing
// the file safely (a failure leaves the old file as it was).
bool SaveImageFile(const std::string& path, const CDIBSection& image, std::string* error = nullptr);

}  // namespace vx::pnt
