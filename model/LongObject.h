// An automation object that stands for one 32-bit integer held elsewhere.
#pragma once

#include <cstdint>

#include "model/Object.h"
#include "platform/Automation.h"

class CLongObject : public CObject, public vx::AutoObject {
    VX_DECLARE_CLASS(CLongObject)
public:
    const vx::DispatchTable& GetDispatchTable() const override;
    static const vx::DispatchTable& DispatchTableOf();

    // The integer that `Value` reads and writes; none at creation.
    int32_t* target = nullptr;
    // The object's own integer (`Default`).
    int32_t defaultValue = 0;

    int32_t GetValue() const { return target ? *target : 0; }
    void SetValue(int32_t v) {
        if (target) *target = v;
    }
};
