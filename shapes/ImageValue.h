// The image of a bitmap shape: none, pasted, loaded from a file (both held
// as the bytes of a BMP file) or linked to a file that is read again each
// time the design is opened.
#pragma once

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Color.h"

class CArchive;
class CDumpContext;

class CImageValue {
public:
    enum Kind : int16_t { kNone = 0, kPasted = 1, kFromFile = 2, kLinked = 3 };
    // Signature of the image data record ("BA"), and of data an installed
    // compressor packed (never written here; kept as stored).
    static constexpr uint16_t kDataSignature = 0x4142;
    static constexpr uint16_t kPackedSignature = 0x5A42;
    // Linked files larger than this are not read.
    static constexpr uint64_t kMaxLinkedFileBytes = uint64_t(64) << 20;

    int16_t kind() const { return kind_; }
    const std::string& fileName() const { return fileName_; }
    COLORREF transparentColor() const { return transparentColor_; }
    void setTransparentColor(COLORREF c) { transparentColor_ = c; }
    // The BMP file image of pasted and loaded images, as stored.
    const std::vector<uint8_t>& data() const { return data_; }
    // The decoded image; null when there is none or it could not be read.
    const QImage& image() const { return image_; }
    bool HasImage() const { return !image_.isNull(); }
    // A linked file that could not be read (its name is kept).
    bool IsMissingLink() const { return kind_ == kLinked && image_.isNull(); }
    // Why the image is empty, when it should not be.
    const std::string& problem() const { return problem_; }

    // No image (kind 0, name cleared); the transparent colour stays.
    void Clear();
    // An image held in the design, stored as a BMP file image.
    void SetImage(const QImage& image, Kind kind = kPasted, const std::string& fileName = {});
    // Holds the bytes of a BMP file image as they are; decodes them.
    void SetData(std::vector<uint8_t> bmp, Kind kind = kPasted, const std::string& fileName = {});
    // Links to a file and reads it (a missing file leaves the image empty
    // and keeps the link). Relative names are taken from `folder` when given.
    bool Link(const std::string& fileName, const std::string& folder = {});
    // Reads the linked file again.
    bool Reload(const std::string& folder = {});

    // The image value record.
    void Serialize(CArchive& ar);
    void Dump(CDumpContext& dc) const;

    // The stored parts are equal (the decoded image follows from them).
    bool operator==(const CImageValue& o) const {
        return kind_ == o.kind_ && fileName_ == o.fileName_ &&
               transparentColor_ == o.transparentColor_ && data_ == o.data_ &&
               signature_ == o.signature_;
    }

    // Reads an image file: BMP files through the validating reader, others
    // through Qt's image readers. Only regular files up to `limit` bytes.
    static QImage ReadImageFile(const std::string& path, std::string* problem,
                                uint64_t limit = kMaxLinkedFileBytes);

private:
    void Decode();

    int16_t kind_ = kNone;
    std::string fileName_;
    COLORREF transparentColor_ = -1;
    std::vector<uint8_t> data_;
    uint16_t signature_ = kDataSignature;
    QImage image_;
    std::string problem_;
};
