// The font record of an object or page: a LOGFONT whose all-zero state
// means "use the page's font", with a text form for scripts and the
// property sheet.
#pragma once

#include <string>
#include <string_view>

#include "platform/LogFont.h"

class CArchive;

class CFontRecord {
public:
    const LOGFONT& logFont() const { return lf_; }
    LOGFONT& logFont() { return lf_; }
    void Set(const LOGFONT& lf) { lf_ = lf; }
    bool IsEmpty() const { return lf_.IsEmpty(); }
    void Clear() { lf_.Clear(); }
    bool operator==(const CFontRecord& o) const { return lf_ == o.lf_; }

    // "%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u,%s": the thirteen numbers of the
    // record, then the face name.
    std::string ToText() const;
    // Parses the text form; on failure the font is left cleared (automatic).
    bool FromText(std::string_view text);
    // Loads the text form from string `id` of the string table.
    bool FromResource(int id);

    // The font record of design files.
    void Serialize(CArchive& ar);

private:
    LOGFONT lf_;
};
