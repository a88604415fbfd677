#include "model/Connection.h"

#include "model/Archive.h"

void CConnection::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(resizeCode);
        ar.WriteByte(directionFlag);
        const uint16_t n = HasTarget() ? 2 : 0;
        ar.WriteWord(n);
        for (int i = 0; i < n; ++i) {
            ar.WriteInt16Checked(ends[i].point, "a snap point id");
            ar.WriteString(ends[i].target);
        }
        return;
    }
    resizeCode = ar.ReadInt32();
    directionFlag = ar.ReadByte();
    const size_t at = ar.Tell();
    const uint16_t n = ar.ReadWord();
    if (n > 2) ar.FailAt("a line records " + std::to_string(n) + " attached ends; a line has two", at);
    ends[0] = End{};
    ends[1] = End{};
    for (int i = 0; i < n; ++i) {
        ends[i].point = ar.ReadInt16();
        ends[i].target = ar.ReadString();
    }
}

void CConnection::CopyFrom(const CConnection& o) {
    if (this == &o) return;
    ends[0] = o.ends[0];
    ends[1] = o.ends[1];
    resizeCode = o.resizeCode;
    directionFlag = o.directionFlag;
}

void CConnection::DropAttachments() {
    ends[0] = End{};
    ends[1] = End{};
}
