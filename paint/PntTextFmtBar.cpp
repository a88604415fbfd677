#include "paint/PntTextFmtBar.h"

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QFontDialog>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>

#include "platform/DCTypes.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"

namespace {

constexpr const char* kSection = "Text Tool";
constexpr unsigned kAlignFormats[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};

}  // namespace

std::string CPntTextFmtBar::FontText(const LOGFONT& lf) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u,", lf.lfHeight, lf.lfWidth,
                  lf.lfEscapement, lf.lfOrientation, lf.lfWeight, unsigned(lf.lfItalic), unsigned(lf.lfUnderline),
                  unsigned(lf.lfStrikeOut), unsigned(lf.lfCharSet), unsigned(lf.lfOutPrecision),
                  unsigned(lf.lfClipPrecision), unsigned(lf.lfQuality), unsigned(lf.lfPitchAndFamily));
    return buf + lf.lfFaceName;
}

LOGFONT CPntTextFmtBar::FontFromText(const std::string& text) {
    LOGFONT lf;
    int v[13] = {};
    const int n = std::sscanf(text.c_str(), "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3],
                              &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10], &v[11], &v[12]);
    if (n == 13) {
        lf.lfHeight = v[0];
        lf.lfWidth = v[1];
        lf.lfEscapement = v[2];
        lf.lfOrientation = v[3];
        lf.lfWeight = v[4];
        lf.lfItalic = uint8_t(v[5]);
        lf.lfUnderline = uint8_t(v[6]);
        lf.lfStrikeOut = uint8_t(v[7]);
        lf.lfCharSet = uint8_t(v[8]);
        lf.lfOutPrecision = uint8_t(v[9]);
        lf.lfClipPrecision = uint8_t(v[10]);
        lf.lfQuality = uint8_t(v[11]);
        lf.lfPitchAndFamily = uint8_t(v[12]);
    }
    const size_t comma = text.rfind(',');
    lf.lfFaceName = comma == std::string::npos ? text : text.substr(comma + 1);
    return lf;
}

CPntTextFmtBar::CPntTextFmtBar(CPntCtrl* ctrl) : CPntDlg(kTemplateId, ctrl), ctrl_(ctrl) {
    setWindowFlag(Qt::Tool);
    setModal(false);
    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* fontButton = new QPushButton(tr("Font..."), this);
    row->addWidget(fontButton);
    const char* alignTexts[3] = {"Left", "Centre", "Right"};
    for (int i = 0; i < 3; ++i) {
        alignButtons_[size_t(i)] = new QPushButton(tr(alignTexts[i]), this);
        alignButtons_[size_t(i)]->setCheckable(true);
        row->addWidget(alignButtons_[size_t(i)]);
        connect(alignButtons_[size_t(i)], &QPushButton::clicked, this, [this, i] { SetAlignment(i); });
    }
    bold_ = new QPushButton(tr("B"), this);
    italic_ = new QPushButton(tr("I"), this);
    underline_ = new QPushButton(tr("U"), this);
    for (QPushButton* b : {bold_, italic_, underline_}) {
        b->setCheckable(true);
        row->addWidget(b);
    }
    connect(bold_, &QPushButton::clicked, this, &CPntTextFmtBar::ToggleBold);
    connect(italic_, &QPushButton::clicked, this, &CPntTextFmtBar::ToggleItalic);
    connect(underline_, &QPushButton::clicked, this, &CPntTextFmtBar::ToggleUnderline);
    top->addLayout(row);
    const Qt::Alignment aligns[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int i = 0; i < 3; ++i) {
        auto* e = new QPlainTextEdit(this);
        edits_[size_t(i)] = e;
        e->document()->setDefaultTextOption(QTextOption(aligns[i]));
        top->addWidget(e);
        connect(e, &QPlainTextEdit::textChanged, this, [this, e] {
            if (!settingText_ && e == edit()) ctrl_->SetToolText(e->toPlainText());
        });
    }
    connect(fontButton, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, vx::ToQFont(font_), this);
        if (ok) SetFont(vx::FromQFont(chosen));
    });
    const auto& s = vx::SettingsStore::App();
    font_ = FontFromText(s.GetProfileString(kSection, "Font", "0,0,0,0,0,0,0,0,0,0,0,0,0,System"));
    // Nothing stored yet: the control's font (from the system font).
    if (!s.Contains(kSection, "Font")) font_ = ctrl->textFont();
    align_ = std::clamp(s.GetProfileInt(kSection, "Alignment", 0), 0, 2);
    SetAlignment(align_);
    FontChanged();
}

void CPntTextFmtBar::SetText(const QString& text) {
    settingText_ = true;
    for (QPlainTextEdit* e : edits_) e->setPlainText(text);
    settingText_ = false;
}

QString CPntTextFmtBar::text() const { return edit()->toPlainText(); }

void CPntTextFmtBar::SetAlignment(int align) {
    const QString moving = edit()->toPlainText();
    align_ = std::clamp(align, 0, 2);
    for (int i = 0; i < 3; ++i) {
        edits_[size_t(i)]->setVisible(i == align_);
        alignButtons_[size_t(i)]->setChecked(i == align_);
    }
    SetText(moving);
    ctrl_->SetTextFormat((ctrl_->textFormat() & ~unsigned(DT_CENTER | DT_RIGHT)) | kAlignFormats[align_]);
    vx::SettingsStore::App().WriteProfileInt(kSection, "Alignment", align_);
}

void CPntTextFmtBar::SetFont(const LOGFONT& font) {
    font_ = font;
    FontChanged();
}

void CPntTextFmtBar::ToggleBold() {
    font_.lfWeight = font_.lfWeight > 400 ? 400 : 700;
    FontChanged();
}

void CPntTextFmtBar::ToggleItalic() {
    font_.lfItalic = !font_.lfItalic;
    FontChanged();
}

void CPntTextFmtBar::ToggleUnderline() {
    font_.lfUnderline = !font_.lfUnderline;
    FontChanged();
}

QString CPntTextFmtBar::TitleText() const {
    const int points = vx::MulDiv(-font_.lfHeight, 72, 96);
    return QStringLiteral("%1 [%2, %3pt]").arg(tr("Text Tool"), vx::ToQString(font_.lfFaceName)).arg(points);
}

void CPntTextFmtBar::FontChanged() {
    const QFont f = vx::ToQFont(font_);
    for (QPlainTextEdit* e : edits_) e->setFont(f);
    bold_->setChecked(font_.lfWeight > 400);
    italic_->setChecked(font_.lfItalic != 0);
    underline_->setChecked(font_.lfUnderline != 0);
    ctrl_->SetTextFont(font_);
    setWindowTitle(TitleText());
    vx::SettingsStore::App().WriteProfileString(kSection, "Font", FontText(font_));
}

void CPntTextFmtBar::ForwardKey(QKeyEvent* e) {
    QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), ushort(e->count()));
    QApplication::sendEvent(edit(), &copy);
}

void CPntTextFmtBar::Cut() { edit()->cut(); }
void CPntTextFmtBar::Copy() { edit()->copy(); }
void CPntTextFmtBar::Paste() { edit()->paste(); }
bool CPntTextFmtBar::CanPaste() const { return edit()->canPaste(); }
