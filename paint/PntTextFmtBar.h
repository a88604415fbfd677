// "Text Tool": the bar of the paint control's text tool. Three edit boxes
// lie over each other (left, centred, right aligned); the one of the current
// alignment is shown and every change in it becomes the control's text.
// The font and the alignment are kept in the settings section "Text Tool".
#pragma once

#include <array>

#include "paint/PntDialogs.h"
#include "platform/LogFont.h"

class QPlainTextEdit;
class QPushButton;
class QKeyEvent;

class CPntTextFmtBar : public CPntDlg {
public:
    static constexpr int kTemplateId = 28104;
    explicit CPntTextFmtBar(CPntCtrl* ctrl);

    void SetText(const QString& text);
    QString text() const;
    int alignment() const { return align_; }
    void SetAlignment(int align);
    const LOGFONT& font() const { return font_; }
    void SetFont(const LOGFONT& font);
    void ToggleBold();
    void ToggleItalic();
    void ToggleUnderline();
    // The title with the face name and point size.
    QString TitleText() const;
    QPlainTextEdit* edit() const { return edits_[size_t(align_)]; }
    QPushButton* boldButton() const { return bold_; }

    // Keys and clipboard commands of the control while text is placed.
    void ForwardKey(QKeyEvent* e);
    void Cut();
    void Copy();
    void Paste();
    bool CanPaste() const;

    // The font as stored ("height,width,...,face") and read back.
    static std::string FontText(const LOGFONT& lf);
    static LOGFONT FontFromText(const std::string& text);

private:
    void FontChanged();
    CPntCtrl* ctrl_;
    int align_ = 0;
    LOGFONT font_;
    std::array<QPlainTextEdit*, 3> edits_{};
    std::array<QPushButton*, 3> alignButtons_{};
    QPushButton* bold_;
    QPushButton* italic_;
    QPushButton* underline_;
    bool settingText_ = false;
};
