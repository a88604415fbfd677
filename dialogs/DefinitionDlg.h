// The "Definition" dialog: one multi-line text (a class box's attributes or
// operations, or a page description) edited with OK and Cancel.
#pragma once

#include <QPlainTextEdit>
#include <string>

#include "dialogs/NSFlexDialog.h"

class QDialogButtonBox;

class CDefinitionDlg : public CNSFlexDialog {
public:
    // Kinds of text, which give the title.
    enum Kind { kAttributes = 1, kOperations = 2, kDescription = 3 };
    // Control id of the edit.
    static constexpr int kEditId = 1009;

    // Edits `text` (kept until OK).
    CDefinitionDlg(std::string& text, int kind, QWidget* parent = nullptr);

    QPlainTextEdit* edit() const { return edit_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    // "Attribute Definitions", "Operation Definitions" or "Description".
    static QString TitleFor(int kind);

    void accept() override;

private:
    std::string& text_;
    QPlainTextEdit* edit_;
    QDialogButtonBox* buttons_;
};
