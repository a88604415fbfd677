// A page object with its own snap-point list, standing in for the shapes
// that carry one.
#pragma once

#include "model/HyperOb.h"
#include "model/SnapList.h"

class CSnapTestOb : public CHyperOb {
    VX_DECLARE_CLASS(CSnapTestOb)
public:
    CSnapTestOb() { snaps.setOwner(this); }
    CSnapList* GetSnapList(bool own) override { return GetGroupSnapList(own, &snaps); }
    bool IsConnector() const override { return connector; }
    bool GetText(std::string& out) const override {
        out = text;
        return hasText;
    }
    void SetText(const std::string& t) override { text = t; }

    CSnapList snaps;
    bool connector = false;
    bool hasText = false;
    std::string text;

    // Registers the class so that design files can name it.
    static void Register();
};
