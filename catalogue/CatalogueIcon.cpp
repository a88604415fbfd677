// Icons of catalogue items made from images, and the item as one clipboard
// block.
#include <QImage>
#include <QPainter>

#include "catalogue/CatalogueOb.h"

void CCatalogueOb::SetIconFromImage(const QImage& image, const QImage* mask, int size) {
    if (image.isNull() || size <= 0) {
        SetIcon(nullptr, nullptr);
        return;
    }
    const std::vector<uint32_t> blackAndWhite = {0x000000, 0xFFFFFF};
    if (image.width() > size || image.height() > size) {
        const QImage stretched = image.convertToFormat(QImage::Format_RGB32)
                                     .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        SetIcon(std::make_unique<CDib>(vx::EncodeBmp(stretched, 24)), nullptr);
        return;
    }
    const QPoint at((size - image.width()) / 2, (size - image.height()) / 2);
    QImage colour(size, size, QImage::Format_RGB32);
    colour.fill(Qt::black);
    QImage shape(size, size, QImage::Format_RGB32);
    shape.fill(Qt::white);
    {
        QPainter p(&colour);
        p.drawImage(at, image);
        QPainter m(&shape);
        if (mask && mask->size() == image.size())
            m.drawImage(at, mask->convertToFormat(QImage::Format_RGB32));
        else
            m.fillRect(QRect(at, image.size()), Qt::black);
    }
    SetIcon(std::make_unique<CDib>(vx::EncodeBmp(colour, 24)),
            std::make_unique<CDib>(vx::EncodeBmp(shape, 1, &blackAndWhite)));
}

std::vector<uint8_t> CCatalogueOb::ToCatalogueObjectBlock() const {
    CArchive ar;
    ar.WriteObject(this);
    return ar.TakeBuffer();
}

std::unique_ptr<CCatalogueOb> CCatalogueOb::FromCatalogueObjectBlock(std::span<const uint8_t> block,
                                                                     std::string* why) {
    CArchive ar(block);
    try {
        std::unique_ptr<CCatalogueOb> ob = ar.ReadOwned<CCatalogueOb>();
        if (!ob && why) *why = "the block holds no catalogue item";
        return ob;
    } catch (const CArchiveException& e) {
        if (why) *why = e.what();
        return nullptr;
    }
}
