// The in-place text editor of the edit view: one line edit placed over an
// object's text area with the object's font (scaled by the zoom) and
// alignment. Enter and losing the focus commit the text, Escape drops it;
// either way the view is told through `onClose`.
#pragma once

#include <QLineEdit>
#include <functional>

#include "edit/Selection.h"

class CHyperOb;
class CHyperPage;

class CInlineEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit CInlineEditor(QWidget* parent);

    // Shows the editor at `deviceRect` (client pixels) on `ob`'s text.
    void Open(CHyperPage& page, CHyperOb& ob, const QRect& deviceRect, const QFont& font, Qt::Alignment align,
              const QString& text);
    bool isOpen() const { return open_; }
    // The object being edited (null when closed or gone).
    CHyperOb* object() const;
    // The text as it was when the editor opened.
    const QString& originalText() const { return original_; }
    // Closes without telling the view (it is closing the editor itself).
    void Cancel();
    bool HasSelectedText() const { return open_ && hasSelectedText(); }
    void DeleteSelectedText() { del(); }

    // Asked to close: true = commit, false = drop.
    std::function<void(bool commit)> onClose;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void RequestClose(bool commit);

    CHyperPage* page_ = nullptr;
    mutable vx::edit::CObjectRef ref_;
    QString original_;
    bool open_ = false;
    bool closing_ = false;
};
