// The library's dialog base: centred on its parent when shown, and the one
// place dialogs report messages and ask questions (so that a headless run
// or a test can answer them).
#pragma once

#include <QDialog>
#include <functional>

class CNSFlexDialog : public QDialog {
public:
    explicit CNSFlexDialog(QWidget* parent = nullptr);

    // Shows a message (a refused value, a failure).
    void ShowMessage(const QString& text);
    // Asks an OK/Cancel question; true for OK.
    bool AskOkCancel(const QString& text);

    // Replace the message boxes (tests, headless tools).
    using MessageHook = std::function<void(QWidget*, const QString&)>;
    using QuestionHook = std::function<bool(QWidget*, const QString&)>;
    static MessageHook& messageHook();
    static QuestionHook& questionHook();

protected:
    void showEvent(QShowEvent* e) override;
};
