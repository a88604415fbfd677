// One pass of the design-file check shared by the fuzz target and the
// corpus test: read the bytes as a design the way the command line does,
// show it as JSON, write it again and read what was written. Damage may make
// the first read fail; what we wrote must always read back and write the
// same bytes again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Archive.h"
#include "model/HyperOleDoc.h"

namespace vxfuzz {

// Empty when the bytes behaved, else what went wrong. Needs the model and
// shape classes registered.
inline std::string ReadAndWriteAgain(const uint8_t* data, size_t size) {
    CMyDoc doc;
    const LoadResult r = doc.LoadFromBytes(std::vector<uint8_t>(data, data + size));
    if (r.status == LoadResult::kFailed) return {};
    (void)doc.DumpJson();
    std::vector<uint8_t> saved;
    try {
        saved = doc.SaveToBytes();
    } catch (const CArchiveException&) {
        return {};  // a value that cannot be stored again is refused, not written
    }
    CMyDoc again;
    const LoadResult back = again.LoadFromBytes(saved);
    if (back.status != LoadResult::kOk) return "the written design does not read back: " + back.message;
    // Reading and writing again is a fixed point: the first save keeps
    // everything as it is.
    if (again.SaveToBytes() != saved) return "the written design reads back different";
    return {};
}

}  // namespace vxfuzz
