// The automation members that give scripts the snap points of an object's
// effective snap-point list: NumberOfSnapPoints and SetSnapPoint.
#pragma once

#include <vector>

#include "model/HyperOb.h"
#include "model/SnapList.h"
#include "platform/Automation.h"

namespace vx::shapes {

// Members for the dispatch table of class T (a CHyperOb) with the given
// dispatch ids.
template <class T>
std::vector<DispMember> SnapPointMembers(int32_t numberId, int32_t setId) {
    using Ty = Variant::Type;
    return {
        DispProp<T>(
            "NumberOfSnapPoints", numberId, Ty::Long,
            [](T& o) {
                CSnapList* list = o.GetSnapList(false);
                return Variant(int32_t(list ? list->set().size() : 0));
            },
            [](T& o, const Variant& v) {
                CSnapList* list = o.GetSnapList(false);
                if (!list) return;
                if (!list->SetNumberOfPoints(v.ToLong()))
                    throw AutomationError("Invalid procedure call or argument: NumberOfSnapPoints");
                o.Update(1, 0);
            }),
        DispMethod<T>("SetSnapPoint", setId, Ty::Empty, 3,
                      [](T& o, DispArgs a) {
                          if (CSnapList* list = o.GetSnapList(false);
                              list && list->SetPointOffset(a[0].ToLong(), a[1].ToLong(), a[2].ToLong()))
                              o.Update(1, 0);
                          return Variant();
                      }),
    };
}

}  // namespace vx::shapes
