#include "SnapTestOb.h"

VX_IMPLEMENT_SERIAL(CSnapTestOb, CHyperOb, 0)

void CSnapTestOb::Register() { CClassRegistry::Instance().Register(classInfo); }
