// The "Layers Sheet": a list dialog on a page's layer list (or a working
// copy of it). Layer 0 can be neither renamed, deleted nor moved; deleting a
// layer that holds objects asks first and puts its objects on the layer
// above at once.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <functional>

#include "dialogs/ListDialog.h"
#include "model/LayerFmt.h"

class CHyperPage;

class CLayersSheet : public CHyperListDialog {
public:
    // `page` holds the objects of these layers (may be null).
    CLayersSheet(CLayerFmt& layers, CHyperPage* page, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return name_; }
    QCheckBox* viewBox() const { return view_; }
    QCheckBox* lockBox() const { return lock_; }
    QPushButton* selectButton() const { return select_; }
    QLabel* insertionLabel() const { return insertion_; }

    // Toggles a switch of one line (a double-click on its eye or lock
    // column).
    void ToggleLineVisible(int row);
    void ToggleLineLocked(int row);
    // Toggles the switch in the fields and copies it to every layer (a
    // double-click on the eye or lock symbol above the columns).
    void ToggleAllVisible();
    void ToggleAllLocked();
    void OnSelect();

    // Selects the objects of a layer in the page's view; the edit view
    // provides it.
    std::function<void(int layerId)> selectLayer;
    // After OK: the view refreshes and picks the Select tool unless it is
    // drawing.
    std::function<void()> onApplied;

    void accept() override;

protected:
    bool Exchange(CListItem* item, bool store) override;
    std::unique_ptr<CListItem> NewItem() override;
    bool BeforeDelete(int index) override;
    QString LineText(const CListItem& item) const override;
    bool CanMoveUp(int index) const override { return index > 1; }
    bool CanMoveDown(int index) const override;
    void EnableButtons(int index) override;
    void Fill() override;
    void TakeFields(CHyperListFmt& edited, const CHyperListFmt& working) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    CLayer* LayerAt(int row) const { return static_cast<CLayer*>(ItemAt(row)); }
    void ToggleLine(int row, int32_t CLayer::*field, QCheckBox* box);
    void ToggleAll(int32_t CLayer::*field, QCheckBox* box);

    CHyperPage* page_;
    QLabel* insertion_ = nullptr;
    QLabel* eyeHeader_ = nullptr;
    QLabel* lockHeader_ = nullptr;
    QLineEdit* name_ = nullptr;
    QCheckBox* view_ = nullptr;
    QCheckBox* lock_ = nullptr;
    QPushButton* select_ = nullptr;
};
