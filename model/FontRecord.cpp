#include "model/FontRecord.h"

#include <cerrno>
#include <cstdlib>

#include "model/Archive.h"
#include "platform/StringTable.h"
#include "platform/Text.h"

std::string CFontRecord::ToText() const {
    return vx::Format("%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u,%s", lf_.lfHeight, lf_.lfWidth, lf_.lfEscapement,
                      lf_.lfOrientation, lf_.lfWeight, unsigned(lf_.lfItalic), unsigned(lf_.lfUnderline),
                      unsigned(lf_.lfStrikeOut), unsigned(lf_.lfCharSet), unsigned(lf_.lfOutPrecision),
                      unsigned(lf_.lfClipPrecision), unsigned(lf_.lfQuality), unsigned(lf_.lfPitchAndFamily),
                      lf_.lfFaceName.c_str());
}

bool CFontRecord::FromText(std::string_view text) {
    lf_.Clear();
    const std::string s(text);
    const char* p = s.c_str();
    long v[13];
    for (int i = 0; i < 13; ++i) {
        char* end = nullptr;
        errno = 0;
        v[i] = std::strtol(p, &end, 10);
        if (end == p || errno == ERANGE || *end != ',') return false;
        p = end + 1;
    }
    // The face name is whatever follows the last comma.
    const size_t lastComma = s.rfind(',');
    if (lastComma == std::string::npos || lastComma + 1 > s.size()) return false;
    LOGFONT lf;
    lf.lfHeight = int32_t(v[0]);
    lf.lfWidth = int32_t(v[1]);
    lf.lfEscapement = int32_t(v[2]);
    lf.lfOrientation = int32_t(v[3]);
    lf.lfWeight = int32_t(v[4]);
    lf.lfItalic = uint8_t(v[5]);
    lf.lfUnderline = uint8_t(v[6]);
    lf.lfStrikeOut = uint8_t(v[7]);
    lf.lfCharSet = uint8_t(v[8]);
    lf.lfOutPrecision = uint8_t(v[9]);
    lf.lfClipPrecision = uint8_t(v[10]);
    lf.lfQuality = uint8_t(v[11]);
    lf.lfPitchAndFamily = uint8_t(v[12]);
    lf.lfFaceName = s.substr(lastComma + 1);
    lf_ = std::move(lf);
    return true;
}

bool CFontRecord::FromResource(int id) { return FromText(vx::LoadString(id)); }

void CFontRecord::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteInt32(lf_.lfHeight);
        ar.WriteInt32(lf_.lfWeight);
        ar.WriteByte(lf_.lfItalic);
        ar.WriteByte(lf_.lfUnderline);
        ar.WriteByte(lf_.lfPitchAndFamily);
        ar.WriteString(vx::Utf8Left(lf_.lfFaceName, vx::kMaxFaceName));
        ar.WriteByte(lf_.lfCharSet);
        ar.WriteByte(lf_.lfOutPrecision);
        ar.WriteByte(lf_.lfClipPrecision);
        ar.WriteByte(lf_.lfQuality);
        return;
    }
    const int version = ar.ReadVersion("CObject");
    LOGFONT lf;
    lf.lfHeight = ar.ReadInt32();
    lf.lfWeight = ar.ReadInt32();
    lf.lfItalic = ar.ReadByte();
    lf.lfUnderline = ar.ReadByte();
    lf.lfPitchAndFamily = ar.ReadByte();
    lf.lfFaceName = vx::Utf8Left(ar.ReadString(), vx::kMaxFaceName);
    if (version >= 0 || ar.ReadMarker(CArchive::kMarker2)) {
        lf.lfCharSet = ar.ReadByte();
        lf.lfOutPrecision = ar.ReadByte();
        lf.lfClipPrecision = ar.ReadByte();
        lf.lfQuality = ar.ReadByte();
    }
    lf_ = std::move(lf);
}
