#include "shapes/ShapeClasses.h"

#include "shapes/ArcOb.h"
#include "shapes/BitmapOb.h"
#include "shapes/BorderOb.h"
#include "shapes/CircleOb.h"
#include "shapes/ConnectOb.h"
#include "shapes/HiliteOb.h"
#include "shapes/LineOb.h"
#include "shapes/PolyLineOb.h"
#include "shapes/RectOb.h"
#include "shapes/TextOb.h"

void RegisterShapeClasses() {
    auto& r = CClassRegistry::Instance();
    for (const CClassInfo* c : {&CHyperDrawOb::classInfo, &C1DOb::classInfo, &CLineOb::classInfo, &CRectOb::classInfo,
                                &CBorderOb::classInfo, &CCircleOb::classInfo, &CArcOb::classInfo, &CHiliteOb::classInfo})
        r.Register(*c);
    // Text blocks and bitmaps.
    r.Register(CTextOb::classInfo);
    r.Register(CBitmapOb::classInfo);
    for (const CClassInfo* c : {&CBasePolyOb::classInfo, &CPolyLineOb::classInfo}) r.Register(*c);
    // Connectors.
    for (const CClassInfo* c : {&CConnectL0::classInfo, &CConnectOb::classInfo}) r.Register(*c);
}
