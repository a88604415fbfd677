// Fuzz target: the bytes are a design file (see ReadWrite.h). Run by
// `./vx fuzz`.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

#include "fuzz/ReadWrite.h"
#include "shapes/ShapeClasses.h"
#include "uml/UmlClasses.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The command line reads designs under a core application object.
    static QCoreApplication app(*argc, *argv);
    RegisterModelClasses();
    RegisterShapeClasses();
    RegisterUmlClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string problem = vxfuzz::ReadAndWriteAgain(data, size);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
