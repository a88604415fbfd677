#include "model/LongObject.h"

using vx::DispProp;
using vx::Variant;

VX_IMPLEMENT_SERIAL(CLongObject, CObject, 0)

const vx::DispatchTable& CLongObject::DispatchTableOf() {
    auto get = [](CLongObject& o) { return Variant(o.GetValue()); };
    auto put = [](CLongObject& o, const Variant& v) { o.SetValue(v.ToLong()); };
    static const vx::DispatchTable table(
        nullptr, {
                     DispProp<CLongObject>(
                         "Default", 1281, Variant::Type::Long, [](CLongObject& o) { return Variant(o.defaultValue); },
                         [](CLongObject& o, const Variant& v) { o.defaultValue = v.ToLong(); }),
                     DispProp<CLongObject>("Value", 1282, Variant::Type::Long, get, put),
                     // Reading the object itself gives Value.
                     DispProp<CLongObject>("Value", vx::DISPID_VALUE, Variant::Type::Long, get, put),
                 });
    return table;
}

const vx::DispatchTable& CLongObject::GetDispatchTable() const { return DispatchTableOf(); }
