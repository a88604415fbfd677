#include "catalogue/Dib.h"

#include <cstdio>

VX_IMPLEMENT_SERIAL(CDib, CObject, 0)

void CDib::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        if (bytes_.size() > 0xFFFFFFFFu) throw CArchiveException("an image is too large to store", -1);
        ar.WriteWord(kMarker);
        ar.WriteDword(uint32_t(bytes_.size()));
        ar.WriteBytes(bytes_.data(), bytes_.size());
        return;
    }
    const size_t at = ar.Tell();
    const uint16_t marker = ar.ReadWord();
    if (marker == kCompressedMarker) ar.FailAt("the image is stored compressed, which cannot be read", at);
    if (marker != kMarker) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", unsigned(marker));
        ar.FailAt(std::string("an image record has the unknown marker 0x") + hex, at);
    }
    const uint32_t n = ar.ReadDword();
    if (n > ar.Remaining())
        ar.Fail("an image of " + std::to_string(n) + " bytes is longer than the " + std::to_string(ar.Remaining()) +
                " bytes that remain");
    bytes_.resize(n);
    if (n) ar.ReadBytes(bytes_.data(), n);
}

std::unique_ptr<CDib> CDib::FromBitmapFile(std::vector<uint8_t> fileImage, std::string* why) {
    vx::BmpView view;
    if (!vx::ParseBmp(fileImage, view, why)) return nullptr;
    return std::make_unique<CDib>(std::move(fileImage));
}

bool CDib::Parse(vx::BmpView& view, std::string* why) const {
    if (bytes_.empty()) {
        if (why) *why = "the image is empty";
        return false;
    }
    return vx::ParseBmp(bytes_, view, why);
}
