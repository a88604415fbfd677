// Fuzz target: the bytes are a design file (see ReadWrite.h), or a bitmap
// file image when they start with "BM" (see BmpFuzz.h). Run by `./vx fuzz`.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "fuzz/BmpFuzz.h"
#include "fuzz/ReadWrite.h"
#include "shapes/ShapeClasses.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The command line reads designs under a core application object.
    static QCoreApplication app(*argc, *argv);
    RegisterModelClasses();
    RegisterShapeClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool bitmap = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const std::string problem =
        bitmap ? vxfuzz::CheckBmp(data, size) : vxfuzz::ReadAndWriteAgain(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
