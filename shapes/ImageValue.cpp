#include "shapes/ImageValue.h"

#include <QFileInfo>
#include <QString>

#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperOleDoc.h"
#include "platform/Bmp.h"
#include "platform/FileRead.h"

void CImageValue::Clear() {
    kind_ = kNone;
    fileName_.clear();
    data_.clear();
    signature_ = kDataSignature;
    image_ = QImage();
    problem_.clear();
}

void CImageValue::SetImage(const QImage& image, Kind kind, const std::string& fileName) {
    SetData(vx::EncodeBmp(image, 24), kind, fileName);
}

void CImageValue::SetData(std::vector<uint8_t> bmp, Kind kind, const std::string& fileName) {
    kind_ = kind;
    fileName_ = fileName;
    data_ = std::move(bmp);
    signature_ = kDataSignature;
    Decode();
}

void CImageValue::Decode() {
    problem_.clear();
    image_ = QImage();
    if (data_.empty()) return;
    if (signature_ != kDataSignature) {
        problem_ = "the image was packed by a compressor that is not installed";
        return;
    }
    image_ = vx::DecodeBmp(data_, &problem_);
}

QImage CImageValue::ReadImageFile(const std::string& path, std::string* problem, uint64_t limit) {
    std::vector<uint8_t> bytes;
    const std::string why = vx::ReadRegularFile(path, bytes, limit);
    if (!why.empty()) {
        if (problem) *problem = why;
        return {};
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return vx::DecodeBmp(bytes, problem);
    QImage image = QImage::fromData(bytes.data(), int(std::min<size_t>(bytes.size(), INT32_MAX)));
    if (image.isNull()) {
        if (problem) *problem = "it is not an image that can be read";
        return {};
    }
    if (image.width() > vx::kBmpMaxSide || image.height() > vx::kBmpMaxSide ||
        int64_t(image.width()) * image.height() > vx::kBmpMaxPixels) {
        if (problem) *problem = "the image is larger than the limit";
        return {};
    }
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool CImageValue::Link(const std::string& fileName, const std::string& folder) {
    Clear();
    kind_ = kLinked;
    fileName_ = fileName;
    return Reload(folder);
}

bool CImageValue::Reload(const std::string& folder) {
    problem_.clear();
    image_ = QImage();
    if (fileName_.empty()) return false;
    std::string path = fileName_;
    if (!folder.empty() && QFileInfo(QString::fromStdString(path)).isRelative())
        path = folder + "/" + path;
    image_ = ReadImageFile(path, &problem_);
    return !image_.isNull();
}

// ---- storage ----

void CImageValue::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteWord(uint16_t(kind_));
        ar.WriteString(fileName_);
        ar.WriteByte(0);
        ar.WriteInt32(transparentColor_);
        if (kind_ == kPasted || kind_ == kFromFile) {
            ar.WriteWord(signature_);
            if (signature_ == kDataSignature || signature_ == kPackedSignature) {
                if (data_.size() > UINT32_MAX) ar.Fail("an image is too large to be stored");
                ar.WriteDword(uint32_t(data_.size()));
                ar.WriteBytes(data_.data(), data_.size());
            }
        }
        return;
    }
    Clear();
    // Tagged like the plain records (the image value is no class of its own).
    const int version = ar.ReadVersion("CObject");
    kind_ = int16_t(ar.ReadInt16());
    fileName_ = ar.ReadString();
    ar.ReadByte();  // reserved
    transparentColor_ = version >= 0 ? COLORREF(ar.ReadInt32()) : COLORREF(-1);
    if (kind_ == kPasted || kind_ == kFromFile) {
        signature_ = ar.ReadWord();
        // Data under another signature is not read; the image stays empty.
        if (signature_ == kDataSignature || signature_ == kPackedSignature) {
            const size_t at = ar.Tell();
            const uint32_t n = ar.ReadDword();
            if (n > ar.Remaining())
                ar.FailAt("an image of " + std::to_string(n) +
                              " bytes is longer than the rest of the file",
                          at);
            data_.resize(n);
            // n = 0 means no data (and an empty vector has no buffer).
            if (n > 0) ar.ReadBytes(data_.data(), n);
        }
        Decode();
    } else if (kind_ == kLinked) {
        std::string folder;
        if (ar.m_pDocument && !ar.m_pDocument->pathName().empty())
            folder = QFileInfo(QString::fromStdString(ar.m_pDocument->pathName()))
                         .absolutePath()
                         .toStdString();
        Reload(folder);
    }
}

void CImageValue::Dump(CDumpContext& dc) const {
    dc.BeginObject("Image");
    dc.Field("Kind", int64_t(kind_));
    dc.Field("FileName", fileName_);
    dc.Field("TransparentColor", int64_t(transparentColor_));
    if (kind_ == kPasted || kind_ == kFromFile) {
        dc.Field("Signature", int64_t(signature_));
        dc.Field("DataBytes", int64_t(data_.size()));
    }
    if (!image_.isNull()) {
        dc.Field("Width", int64_t(image_.width()));
        dc.Field("Height", int64_t(image_.height()));
    } else if (!problem_.empty()) {
        dc.Field("Problem", problem_);
    }
    dc.EndObject();
}
