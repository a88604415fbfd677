// The filtered edit field: a single-line edit that accepts only the
// characters of its mode, with an optional length limit. A refused character
// is dropped with a beep; Tab moves between fields instead of being typed.
#pragma once

#include <QLineEdit>
#include <functional>

class CFilterEdit : public QLineEdit {
public:
    // Modes (the low 4 bits of the set-up number).
    enum Mode {
        kSignedDigits = 1,    // "-0123456789"
        kDigits = 2,          // "0123456789"
        kSignedReal = 3,      // "-.0123456789"
        kReal = 4,            // ".0123456789"
        kLetters = 5,         // a-z, A-Z
        kPathChars = 6,       // letters and ":\~$.0123456789"
        kPrintable = 7,       // everything but control characters
        kBinary = 8,          // "01"
    };

    // `setup`: low 4 bits the mode, next 8 bits the maximum length (0: no
    // limit); 65 is mode 1 with at most 4 characters.
    explicit CFilterEdit(int setup = kPrintable, QWidget* parent = nullptr);

    void SetSetup(int setup);
    int mode() const { return mode_; }
    // The mode accepts this character.
    static bool Accepts(int mode, QChar c);

    // Tab without Ctrl: told whether Shift is held. Without a handler the
    // focus moves to the next (previous with Shift) field.
    std::function<void(bool shift)> onTab;
    // Characters refused so far (each one beeped).
    int refusedCount() const { return refused_; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    int mode_ = kPrintable;
    int refused_ = 0;
};
