#include "paint/PntImageFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeData>

#include "platform/Bmp.h"
#include "platform/FileRead.h"
#include "platform/SafeSave.h"

namespace vx::pnt {

namespace {

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

bool IsBmp(std::span<const uint8_t> b) { return b.size() >= 2 && b[0] == 'B' && b[1] == 'M'; }

std::string SizeRefusal(int w, int h) {
    return "the image is " + std::to_string(w) + " x " + std::to_string(h) + " pixels; the editor takes at most " +
           std::to_string(kPntMaxSide) + " pixels a side and " + std::to_string(kPntMaxPixels) + " in all";
}

bool CheckedSize(const QImage& image, std::string* error) {
    if (image.isNull()) {
        SetError(error, "the image could not be read");
        return false;
    }
    if (!PntSizeAllowed(image.width(), image.height())) {
        SetError(error, SizeRefusal(image.width(), image.height()));
        return false;
    }
    return true;
}

}  // namespace

bool DecodeImageBytes(std::span<const uint8_t> bytes, QImage& out, std::string* error) {
    if (bytes.empty()) {
        SetError(error, "there are no image bytes");
        return false;
    }
    if (bytes.size() > kMaxImageBytes) {
        SetError(error, "the image data is too large");
        return false;
    }
    if (IsBmp(bytes)) {
        BmpView view;
        std::string why;
        if (!ParseBmp(bytes, view, &why)) {
            SetError(error, why);
            return false;
        }
        if (!PntSizeAllowed(view.width, view.height)) {
            SetError(error, SizeRefusal(view.width, view.height));
            return false;
        }
        QImage image = DecodeBmp(view);
        if (!CheckedSize(image, error)) return false;
        out = std::move(image);
        return true;
    }
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Bitmap bytes are only ever read by the bitmap reader above.
    const QByteArray format = reader.format();
    if (format.isEmpty() || format == "bmp" || format == "dib") {
        SetError(error, "it is not an image format the editor reads");
        return false;
    }
    const QSize size = reader.size();
    if (!size.isValid()) {
        SetError(error, "the image's size cannot be read");
        return false;
    }
    if (!PntSizeAllowed(size.width(), size.height())) {
        SetError(error, SizeRefusal(size.width(), size.height()));
        return false;
    }
    reader.setAllocationLimit(int(kMaxImageBytes >> 20) + 1);
    QImage image = reader.read();
    if (image.isNull()) {
        SetError(error, "the image is damaged (" + reader.errorString().toStdString() + ")");
        return false;
    }
    if (!CheckedSize(image, error)) return false;
    out = std::move(image);
    return true;
}

bool MimeDataHasImage(const QMimeData* data) {
    if (!data) return false;
    if (data->hasImage()) return true;
    for (const QString& f : data->formats())
        if (f.startsWith(QLatin1String("image/"))) return true;
    return false;
}

bool ImageFromMimeData(const QMimeData* data, QImage& out, std::string* error) {
    if (!data) {
        SetError(error, "the clipboard is empty");
        return false;
    }
    // Bytes from other programs, the bitmap form first.
    QStringList formats = data->formats();
    std::stable_sort(formats.begin(), formats.end(), [](const QString& a, const QString& b) {
        auto rank = [](const QString& f) { return f == QLatin1String("image/bmp") ? 0 : f == QLatin1String("image/png") ? 1 : 2; };
        return rank(a) < rank(b);
    });
    std::string why = "the clipboard holds no image";
    for (const QString& f : formats) {
        if (!f.startsWith(QLatin1String("image/"))) continue;
        const QByteArray bytes = data->data(f);
        const std::span<const uint8_t> span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        if (DecodeImageBytes(span, out, &why)) return true;
    }
    // An image this program put there itself (no bytes to check, its size is).
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        if (CheckedSize(image, &why)) {
            out = image;
            return true;
        }
    }
    SetError(error, why);
    return false;
}

QMimeData* MimeDataForImage(const QImage& image) {
    auto* data = new QMimeData;
    data->setImageData(image);
    const std::vector<uint8_t> bmp = EncodeBmp(image, 24);
    data->setData(QStringLiteral("image/bmp"), QByteArray(reinterpret_cast<const char*>(bmp.data()), qsizetype(bmp.size())));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    data->setData(QStringLiteral("image/png"), png);
    return data;
}

bool LoadImageFile(const std::string& path, CDIBSection& out, std::string* error) {
    std::vector<uint8_t> bytes;
    const std::string why = ReadRegularFile(path, bytes, kMaxImageBytes);
    if (!why.empty()) {
        SetError(error, why);
        return false;
    }
    if (IsBmp(bytes)) return out.SetFromBmpBytes(bytes, error);
    QImage image;
    if (!DecodeImageBytes(bytes, image, error)) return false;
    CDIBSection made;
    if (!made.FromQImage(image, 24)) {
        SetError(error, "not enough memory for the image");
        return false;
    }
    out = std::move(made);
    return true;
}

bool SaveImageFile(const std::string& path, const CDIBSection& image, std::string* error) {
    if (image.IsNull()) {
        SetError(error, "there is no image to save");
        return false;
    }
    std::vector<uint8_t> bytes;
    const bool png = path.size() >= 4 && QString::fromStdString(path.substr(path.size() - 4)).toLower() == ".png";
    if (png) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image.ToQImage())) {
            SetError(error, "the image could not be encoded (" + writer.errorString().toStdString() + ")");
            return false;
        }
        bytes.assign(data.begin(), data.end());
    } else {
        bytes = image.ToBmpBytes();
    }
    if (bytes.empty()) {
        SetError(error, "the image could not be encoded");
        return false;
    }
    const std::string why = SaveFileSafely(path, bytes);
    SetError(error, why);
    return why.empty();
}

}  // namespace vx::pnt
