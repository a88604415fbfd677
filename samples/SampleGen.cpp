// Writes the sample designs shipped in samples/ (run after changing what a
// sample should show): vx_samplegen OUTPUT_FOLDER
#include <QGuiApplication>
#include <cstdio>

#include "model/HyperOleDoc.h"
#include "samples/ShapesSample.h"
#include "samples/TextSample.h"
#include "samples/UmlSample.h"
#include "samples/WelcomeSample.h"
#include "shapes/ShapeClasses.h"
#include "uml/UmlClasses.h"

int main(int argc, char** argv) {
    // Text blocks measure their text, which needs the font database of a
    // GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    RegisterModelClasses();
    RegisterShapeClasses();
    RegisterUmlClasses();
    const std::string dir = argc > 1 ? argv[1] : ".";
    if (!WriteWelcomeSample(dir)) {
        std::fprintf(stderr, "vx_samplegen: cannot write %s/welcome.vxw\n", dir.c_str());
        return 1;
    }
    if (!WriteShapesSample(dir)) {
        std::fprintf(stderr, "vx_samplegen: cannot write %s/shapes.vxw\n", dir.c_str());
        return 1;
    }
    if (!WriteUmlSample(dir)) {
        std::fprintf(stderr, "vx_samplegen: cannot write %s/uml.vxw\n", dir.c_str());
        return 1;
    }
    if (!WriteTextSample(dir)) {
        std::fprintf(stderr, "vx_samplegen: cannot write %s/text.vxw\n", dir.c_str());
        return 1;
    }
    return 0;
}
