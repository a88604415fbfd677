// The layers of a page: named, with visible and locked switches, one of them
// the insertion layer for new objects.
#pragma once

#include <cstdint>
#include <string>

#include "model/HyperListFmt.h"

class CHyperPage;

class CLayer : public CListItem {
    VX_DECLARE_CLASS(CLayer)
public:
    int32_t id = 0;
    std::string name;
    int32_t visible = 1;
    int32_t locked = 0;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CListItem& other) override;
    bool IsEqual(const CListItem& other) const override;
};

class CLayerFmt : public CHyperListFmt {
    VX_DECLARE_CLASS(CLayerFmt)
public:
    static constexpr int kDefaultNameId = 27456;

    int32_t onlyCurrentEditable = 0;
    int32_t insertionIndex = 0;
    int32_t nextId = 0;

    std::unique_ptr<CListItem> CreateItem() const override { return std::make_unique<CLayer>(); }
    size_t MinItemSize() const override { return 11; }
    const char* ListName() const override { return "the layer list"; }
    void CopyFrom(const CHyperListFmt& other) override;
    void Serialize(CArchive& ar) override;

    CLayer* layer(size_t i) const { return item<CLayer>(i); }
    // Appends the layer "Default" with the next id.
    CLayer* AddDefaultLayer();
    // Runs the Layers Sheet on this list; when it ends with OK the page's
    // scroll sizes are refreshed. Returns whether OK was chosen.
    virtual bool EditLayers(CHyperPage* view);
    // The highest id in the list; -1 when it is empty.
    int32_t HighestId() const;
    // Appends a new visible, unlocked layer with the next id, which is above
    // every id in the list.
    CLayer* AddLayer(std::string name);
    // Index of the insertion layer; a stored index outside the list means 0.
    int SafeInsertionIndex() const;
    int GetInsertionLayerId() const;
    int IndexOfLayer(int id) const;
    // A negative id means the insertion layer, 0 the first layer, otherwise
    // the layer with that id (or none).
    CLayer* FindLayer(int id) const;
    CLayer* FindLayerByName(const std::string& name) const;
    bool IsLayerVisible(int id) const;
    bool IsItemVisible(const CLayer& l) const { return l.visible != 0; }
    bool IsLayerLocked(int id) const;
    bool IsItemLocked(const CLayer& l) const;
};
