#include "paint/PntToolBar.h"

#include <QAction>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>

#include "command/CommandIds.h"
#include "platform/QtConv.h"

namespace {

using namespace vx::pntcmd;

struct Button {
    int id;
    const char* text;
    const char* glyph;  // drawn on the button
    int tool;
};

constexpr Button kButtons[] = {
    {kCut, "Cut", "Cut", 0},
    {kCopy, "Copy", "Cpy", 0},
    {kPaste, "Paste", "Pst", 0},
    {kClear, "Clear", "Clr", 0},
    {kUndo, "Undo", "Un", 0},
    {kRedo, "Redo", "Re", 0},
    {kSelectArea, "Select Area", "Sel", CPntCtrl::kToolSelect},
    {kMagnify, "Magnify", "Zm", CPntCtrl::kToolMagnify},
    {kSizeToFit, "Size to fit window", "Fit", 0},
    {kResize, "Resize", "Sz", 0},
    {kFloodFill, "Flood Fill", "Fil", CPntCtrl::kToolFill},
    {kFreehandDraw, "Freehand Draw", "Pen", CPntCtrl::kToolPen},
    {kFreehandErase, "Freehand Erase", "Ers", CPntCtrl::kToolEraser},
    {kSelectColor, "Select Color", "Pik", CPntCtrl::kToolSampler},
    {kLine, "Line", "Ln", CPntCtrl::kToolLine},
    {kAddText, "Add Text", "A", CPntCtrl::kToolText},
    {kAirBrush, "Air brush", "Air", CPntCtrl::kToolAirbrush},
    {kRectangle, "Rectangle", "Rc", CPntCtrl::kToolRect},
    {kRoundedRectangle, "Rounded Rectangle", "RR", CPntCtrl::kToolRoundRect},
    {kEllipse, "Ellipse", "El", CPntCtrl::kToolEllipse},
    {kFilledRectangle, "Filled Rectangle", "FRc", CPntCtrl::kToolFilledRect},
    {kFilledRoundedRectangle, "Filled Rounded Rectangle", "FRR", CPntCtrl::kToolFilledRoundRect},
    {kFilledEllipse, "Filled Ellipse", "FEl", CPntCtrl::kToolFilledEllipse},
    {kUnused, "", "", 0},
};

constexpr int kEraserWidths[] = {4, 6, 8, 10};
constexpr int kLineWidths[] = {1, 2, 3, 4, 5};

QIcon GlyphIcon(const char* glyph, bool filled) {
    QPixmap pm(22, 22);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    if (filled) p.fillRect(QRect(1, 1, 20, 20), QColor(200, 220, 255));
    QFont f = p.font();
    f.setPixelSize(strlen(glyph) > 2 ? 9 : 12);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, QString::fromLatin1(glyph));
    return QIcon(pm);
}

QIcon Swatch(COLORREF c) {
    QPixmap pm(14, 14);
    pm.fill(vx::ToQColor(c));
    QPainter(&pm).drawRect(0, 0, 13, 13);
    return QIcon(pm);
}

}  // namespace

int CPntToolBar::ToolOfCommand(int id) {
    for (const Button& b : kButtons)
        if (b.id == id) return b.tool;
    return 0;
}

QString CPntToolBar::TextOfCommand(int id) {
    for (const Button& b : kButtons)
        if (b.id == id) return QString::fromLatin1(b.text);
    if (id == kEraserWidth) return QStringLiteral("Eraser width");
    if (id == kPenWidth) return QStringLiteral("Pen Width");
    if (id == kForegroundColor) return QStringLiteral("Foreground Color");
    if (id == kTransparencyColor) return QStringLiteral("Transparency Color");
    return {};
}

CPntToolBar::CPntToolBar(CPntCtrl* ctrl, QWidget* parent) : QToolBar(parent), ctrl_(ctrl) {
    setObjectName(QStringLiteral("PaintToolBar"));
    setIconSize(QSize(22, 22));
    options_ = new QToolBar(parent);
    options_->setObjectName(QStringLiteral("PaintOptionsBar"));
    for (const Button& b : kButtons) {
        if (b.id == kUnused) continue;
        QAction* a = addAction(GlyphIcon(b.glyph, b.tool != 0), QString::fromLatin1(b.text));
        a->setData(b.id);
        a->setToolTip(QString::fromLatin1(b.text));
        a->setCheckable(b.tool != 0);
        if (b.tool) a->setStatusTip(CPntCtrl::GetToolDescription(b.tool));
        const int id = b.id;
        connect(a, &QAction::triggered, this, [this, id] { RunCommand(id); });
        actions_[id] = a;
        if (b.id == kRedo || b.id == kResize) addSeparator();
    }
    eraser_ = new QComboBox(options_);
    eraser_->setToolTip(tr("Eraser Width"));
    for (int w : kEraserWidths) eraser_->addItem(tr("Eraser %1").arg(w));
    line_ = new QComboBox(options_);
    line_->setToolTip(tr("Line Width"));
    for (int w : kLineWidths) line_->addItem(tr("Line %1").arg(w));
    fore_ = new QComboBox(options_);
    fore_->setToolTip(tr("Foreground Color"));
    trans_ = new QComboBox(options_);
    trans_->setToolTip(tr("Transparency Color"));
    trans_->addItem(tr("None"), -1);
    for (const auto& n : vx::kPntNamedColors) {
        fore_->addItem(Swatch(n.color), tr(n.name), n.color);
        trans_->addItem(Swatch(n.color), tr(n.name), n.color);
    }
    for (QComboBox* c : {eraser_, line_, fore_, trans_}) options_->addWidget(c);
    connect(eraser_, &QComboBox::activated, this, [this](int i) {
        if (ctrl_ && i >= 0 && i < 4) ctrl_->SetEraserWidth(kEraserWidths[i]);
    });
    connect(line_, &QComboBox::activated, this, [this](int i) {
        if (ctrl_ && i >= 0 && i < 5) ctrl_->SetPenWidth(kLineWidths[i]);
    });
    connect(fore_, &QComboBox::activated, this, [this](int i) {
        if (!ctrl_ || i < 0) return;
        const COLORREF c = COLORREF(fore_->itemData(i).toInt());
        ctrl_->SetPenColor(c);
        ctrl_->SetFillColor(c);
    });
    connect(trans_, &QComboBox::activated, this, [this](int i) {
        if (ctrl_ && i >= 0) ctrl_->SetTransparencyColor(COLORREF(trans_->itemData(i).toInt()));
    });
    UpdateButtons();
}

QAction* CPntToolBar::action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CPntToolBar::RunCommand(int id) {
    if (!ctrl_) return;
    if (const int tool = ToolOfCommand(id)) {
        ctrl_->SelectTool(tool);
    } else {
        switch (id) {
            case kCut: ctrl_->Cut(); break;
            case kCopy: ctrl_->Copy(); break;
            case kPaste: ctrl_->Paste(); break;
            case kClear: ctrl_->Clear(nullptr, true); break;
            case kUndo: ctrl_->Undo(); break;
            case kRedo: ctrl_->Redo(); break;
            case kSizeToFit: ctrl_->SizeToFit(); break;
            case kResize: ctrl_->ResizeImage(); break;
            default: break;
        }
    }
    UpdateButtons();
    update();
}

void CPntToolBar::UpdateButtons() {
    const bool live = ctrl_ != nullptr;
    for (auto& [id, a] : actions_) {
        if (!live) {
            a->setEnabled(false);
            continue;
        }
        const int tool = ToolOfCommand(id);
        if (tool) {
            a->setEnabled(true);
            const int current = ctrl_->tool();
            a->setChecked(current == tool || (tool == CPntCtrl::kToolSelect && current == CPntCtrl::kToolMove));
        } else if (id == kPaste) {
            a->setEnabled(ctrl_->CanPaste());
        } else if (id == kUndo) {
            a->setEnabled(ctrl_->CanUndo());
        } else if (id == kRedo) {
            a->setEnabled(ctrl_->CanRedo());
        } else {
            a->setEnabled(true);
        }
    }
    if (!live) return;
    // The colour lists show the control's colours where they are named.
    const int fore = fore_->findData(int(ctrl_->penColor()));
    if (fore >= 0) fore_->setCurrentIndex(fore);
    const int trans = trans_->findData(int(ctrl_->transparencyColor()));
    if (trans >= 0) trans_->setCurrentIndex(trans);
}
