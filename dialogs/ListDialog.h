// The list dialog: edits one owned list on a working copy. While it is open
// the items belong to the lines of its list box; OK hands them to the edited
// list in the order shown, Cancel deletes them and leaves the list as it
// was. Concrete dialogs add the fields of the current item and the hooks.
#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <memory>

#include "dialogs/NSFlexDialog.h"
#include "model/HyperListFmt.h"

class QVBoxLayout;

// A line of the list box; it owns its item.
class CListLine : public QListWidgetItem {
public:
    explicit CListLine(std::unique_ptr<CListItem> item) : item(std::move(item)) {}
    std::unique_ptr<CListItem> item;
};

// Draws a line's background and selection as the style does, then leaves
// the line's text to PaintLine.
class CListLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    virtual void PaintLine(QPainter& p, const QStyleOptionViewItem& option, const QString& text, int row) const = 0;
};

class CHyperListDialog : public CNSFlexDialog {
public:
    // Control ids.
    static constexpr int kListId = 27668;
    static constexpr int kAddId = 27681;
    static constexpr int kDeleteId = 27675;
    static constexpr int kUpId = 27682;
    static constexpr int kDownId = 27683;

    // `edited` must outlive the dialog.
    CHyperListDialog(CHyperListFmt& edited, QWidget* parent = nullptr);
    ~CHyperListDialog() override;

    QListWidget* list() const { return list_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* upButton() const { return up_; }
    QPushButton* downButton() const { return down_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    int currentIndex() const { return current_; }
    CListItem* ItemAt(int row) const;
    CListItem* CurrentItem() const { return ItemAt(current_); }

    // The buttons' actions (also reached by clicking them).
    void OnAdd();
    void OnDelete();
    void OnUp();
    void OnDown();
    void accept() override;
    void reject() override;

protected:
    // Builds the controls; concrete dialogs call it from their constructor
    // after putting their own fields into `fields`, then call Open().
    void BuildBase(QLayout* fields);
    // Makes the working copy, runs the fill hook, selects and loads.
    void Open();

    // ---- hooks ----
    // Puts the working copy's items into the lines; by default every item
    // becomes one line and the first line is current.
    virtual void Fill();
    // Moves the current item's fields between the item and the controls;
    // storing returns false when a field is refused (nothing is written).
    virtual bool Exchange(CListItem* item, bool store);
    virtual std::unique_ptr<CListItem> NewItem() { return nullptr; }
    // Before "&Delete" removes a line; false cancels the delete.
    virtual bool BeforeDelete(int /*index*/) { return true; }
    virtual void BeforeMove(CListItem* /*item*/, int /*newIndex*/) {}
    // The text of a line.
    virtual QString LineText(const CListItem&) const { return {}; }
    // Whether the selected line may move up or down.
    virtual bool CanMoveUp(int index) const { return index >= 1; }
    virtual bool CanMoveDown(int index) const { return index >= 0 && index < list_->count() - 1; }
    // Enables the buttons for the selected index (after loading).
    virtual void EnableButtons(int index);
    // After OK has handed the items over: the edited list takes the working
    // copy's own fields (the snap-point set's next id, the layers' next id
    // and insertion index).
    virtual void TakeFields(CHyperListFmt& /*edited*/, const CHyperListFmt& /*working*/) {}

    // Store then load (around every change of the current line). Returns
    // false when storing failed.
    bool Store();
    void Load();
    void SelectRow(int row);
    CListLine* AppendLine(std::unique_ptr<CListItem> item);
    void RefreshLine(int row);

    bool eventFilter(QObject* watched, QEvent* e) override;

    CHyperListFmt& edited_;
    std::unique_ptr<CHyperListFmt> working_;
    QVBoxLayout* sideButtons_ = nullptr;

private:
    void OnSelectionChanged();

    QListWidget* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    int current_ = -1;
    bool reselecting_ = false;
};
