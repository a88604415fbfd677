// The "About Vexelwork" box: an OK button over the text of "readme.rtf"
// from the start directory. It is resizable; the text fills the window.
#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    CAboutDlg(const QString& documentPath, QWidget* parent = nullptr);

    QTextEdit* textControl() const { return text_; }
    QPushButton* okButton() const { return ok_; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QTextEdit* text_;
    QPushButton* ok_;
};
