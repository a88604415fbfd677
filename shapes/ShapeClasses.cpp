#include "shapes/ShapeClasses.h"

#include "shapes/ArcOb.h"
#include "shapes/BorderOb.h"
#include "shapes/CircleOb.h"
#include "shapes/HiliteOb.h"
#include "shapes/LineOb.h"
#include "shapes/RectOb.h"

void RegisterShapeClasses() {
    auto& r = CClassRegistry::Instance();
    for (const CClassInfo* c : {&CHyperDrawOb::classInfo, &C1DOb::classInfo, &CLineOb::classInfo, &CRectOb::classInfo,
                                &CBorderOb::classInfo, &CCircleOb::classInfo, &CArcOb::classInfo, &CHiliteOb::classInfo})
        r.Register(*c);
}
