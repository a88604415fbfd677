// An image stored in a catalogue: the complete bytes of a bitmap file
// (file header, information header, colour table, pixels), kept as they
// were read so that they are written back unchanged. Reading checks the
// record; whether the bytes are a usable bitmap is asked through Parse, so
// an icon the bitmap reader refuses costs the icon, not the catalogue.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/Archive.h"
#include "platform/Bmp.h"

class CDib : public CObject {
    VX_DECLARE_CLASS(CDib)
public:
    // The record's marker: the bytes "BA"; "BZ" marks an image that went
    // through a compressor, which this program does not have.
    static constexpr uint16_t kMarker = 0x4142;
    static constexpr uint16_t kCompressedMarker = 0x5A42;

    CDib() = default;
    explicit CDib(std::vector<uint8_t> fileImage) : bytes_(std::move(fileImage)) {}

    // The bitmap file image; empty for an empty image.
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    bool IsEmpty() const { return bytes_.empty(); }
    std::unique_ptr<CDib> Clone() const { return std::make_unique<CDib>(bytes_); }
    // A new image from bitmap file bytes; null (and why) when the bitmap
    // reader refuses them.
    static std::unique_ptr<CDib> FromBitmapFile(std::vector<uint8_t> fileImage, std::string* why = nullptr);
    // Checks the bytes with the bitmap reader; false (and why) when the
    // image is empty or damaged.
    bool Parse(vx::BmpView& view, std::string* why = nullptr) const;
    bool operator==(const CDib& other) const { return bytes_ == other.bytes_; }

    // WORD marker, DWORD size n, n bytes.
    void Serialize(CArchive& ar) override;

private:
    std::vector<uint8_t> bytes_;
};
