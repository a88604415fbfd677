// The connection record of a line or connector: for each of its two ends the
// Code of the object and the id of the snap point it is attached to.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Geometry.h"

class CArchive;
class CHyperOb;

class CConnection {
public:
    struct End {
        std::string target;  // Code of the target object; empty = free
        int32_t point = -1;  // snap point id; -1 = free
        bool IsAttached() const { return !target.empty() && point != -1; }
        bool operator==(const End&) const = default;
    };

    explicit CConnection(CHyperOb* owner = nullptr) : owner_(owner) {}
    virtual ~CConnection() = default;
    CConnection(const CConnection&) = delete;
    CConnection& operator=(const CConnection&) = delete;

    // End 0 arrives at its snap point, end 1 leaves from it.
    End ends[2];
    int32_t resizeCode = 0;
    uint8_t directionFlag = 1;
    int32_t visitedMark = 0;

    CHyperOb* owner() const { return owner_; }
    void setOwner(CHyperOb* o) { owner_ = o; }

    // Record: DWORD resize code, BYTE direction flag, WORD n (2 when an end
    // is attached, else 0), then n times {INT16 point id, text target}.
    virtual void Serialize(CArchive& ar);
    virtual void CopyFrom(const CConnection& other);
    // Frees both ends without touching the targets' counts.
    void DropAttachments();
    bool HasTarget() const { return !ends[0].target.empty() || !ends[1].target.empty(); }

private:
    CHyperOb* owner_;
};
