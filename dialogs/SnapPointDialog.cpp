#include "dialogs/SnapPointDialog.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "dialogs/ColorSwatch.h"
#include "model/PropIds.h"
#include "platform/QtConv.h"
#include "platform/StringTable.h"

namespace {

constexpr int kFirstTypeName = 27442;

// Each line: the id at the left, the type name at the right in blue, within
// the line narrowed by 2 on each side.
class SnapLineDelegate : public CListLineDelegate {
public:
    using CListLineDelegate::CListLineDelegate;

protected:
    void PaintLine(QPainter& p, const QStyleOptionViewItem& opt, const QString& text, int) const override {
        const int tab = text.indexOf('\t');
        const QRect r = opt.rect.adjusted(2, 0, -2, 0);
        p.setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, text.left(tab));
        p.setPen(QColor(0, 0, 255));
        p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, text.mid(tab + 1));
    }
};

// Colour choices are 2 pixels higher than the text.
class ColourDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(option.fontMetrics.height() + 2);
        return s;
    }
};

CFilterEdit* NumberField(QWidget* parent) {
    auto* f = new CFilterEdit(CSnapPointDialog::kNumberSetup, parent);
    f->setMaximumWidth(60);
    return f;
}

// A label whose mnemonic moves the focus to `field`.
QLabel* Buddy(const QString& text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    return label;
}

}  // namespace

QString CSnapPointDialog::TypeName(int type) {
    if (type < 0 || type >= CSnapPoint::kTypeCount) return {};
    return vx::ToQString(vx::LoadString(kFirstTypeName + type));
}

CSnapPointDialog::CSnapPointDialog(CAnchorFmt& set, QWidget* parent) : CHyperListDialog(set, parent) {
    setWindowTitle(vx::ToQString(vx::LoadStringOr(27324, "Enter Snap Points")));
    type_ = new QComboBox(this);
    for (int t = 0; t < CSnapPoint::kTypeCount; ++t) type_->addItem(TypeName(t));
    dX_ = NumberField(this);
    dY_ = NumberField(this);
    byPixel_ = new QCheckBox(QStringLiteral("By Pix&el:"), this);
    maxIn_ = NumberField(this);
    maxOut_ = NumberField(this);
    tip_ = new QLineEdit(this);
    useColour_ = new QCheckBox(QStringLiteral("U&se Grid Offset / Snap Point Color:"), this);
    dG_ = NumberField(this);
    colour_ = new QComboBox(this);
    colour_->setItemDelegate(new ColourDelegate(colour_));
    colour_->addItem(ColorSwatchIcon(vx::kAutoColor), vx::ToQString(vx::LoadStringOr(26625, "(None)")), -1);
    for (COLORREF c : vx::kStandardColors)
        colour_->addItem(ColorSwatchIcon(c), QString("%1.%2.%3").arg(vx::GetRValue(c)).arg(vx::GetGValue(c)).arg(vx::GetBValue(c)),
                         int(c));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Type:"), type_);
    auto* offsets = new QHBoxLayout;
    offsets->addWidget(Buddy(QStringLiteral("d&X:"), dX_));
    offsets->addWidget(dX_);
    offsets->addWidget(Buddy(QStringLiteral("d&Y:"), dY_));
    offsets->addWidget(dY_);
    offsets->addWidget(byPixel_);
    form->addRow(offsets);
    auto* counts = new QHBoxLayout;
    counts->addWidget(Buddy(QStringLiteral("Max. Snapped &In:"), maxIn_));
    counts->addWidget(maxIn_);
    counts->addWidget(Buddy(QStringLiteral("&Out:"), maxOut_));
    counts->addWidget(maxOut_);
    form->addRow(counts);
    form->addRow(QStringLiteral("Ti&p:"), tip_);
    form->addRow(useColour_);
    auto* grid = new QHBoxLayout;
    grid->addWidget(Buddy(QStringLiteral("d&G:"), dG_));
    grid->addWidget(dG_);
    grid->addWidget(colour_, 1);
    form->addRow(grid);

    BuildBase(form);
    list()->setItemDelegate(new SnapLineDelegate(list()));
    list()->installEventFilter(this);

    connect(type_, &QComboBox::activated, this, [this](int) { OnTypeChosen(); });
    connect(useColour_, &QCheckBox::clicked, this, [this](bool) { OnUseColourClicked(); });
    Open();
}

QString CSnapPointDialog::LineText(const CListItem& item) const {
    const auto& p = static_cast<const CSnapPoint&>(item);
    return QString::number(p.id) + '\t' + TypeName(p.SafeType());
}

std::unique_ptr<CListItem> CSnapPointDialog::NewItem() {
    auto* set = static_cast<CAnchorFmt*>(working_.get());
    std::unique_ptr<CListItem> item = set->CreateItem();
    // Ids are never reused within a set.
    static_cast<CSnapPoint&>(*item).id = set->nextId++;
    return item;
}

void CSnapPointDialog::TakeFields(CHyperListFmt& edited, const CHyperListFmt& working) {
    static_cast<CAnchorFmt&>(edited).nextId = static_cast<const CAnchorFmt&>(working).nextId;
}

void CSnapPointDialog::SetFieldsEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{type_, dX_, dY_, byPixel_, maxIn_, maxOut_, tip_, useColour_,
                                                      dG_, colour_})
        w->setEnabled(on);
}

bool CSnapPointDialog::ReadNumber(CFilterEdit* field, int lower, int upper, int32_t& out) {
    bool ok = false;
    const int v = field->text().trimmed().toInt(&ok);
    QString message;
    if (!ok) {
        message = vx::ToQString(vx::LoadStringOr(vx::prop::kNotANumber, "This is not a valid number."));
    } else if (v < lower || v > upper) {
        message = vx::ToQString(
            vx::LoadStringOr(vx::prop::kIntegerRange, "Please enter an integer between %1 and %2."));
        message = message.arg(lower).arg(upper);
    } else {
        out = v;
        return true;
    }
    ShowMessage(message);
    field->setFocus();
    field->selectAll();
    return false;
}

bool CSnapPointDialog::Exchange(CListItem* item, bool store) {
    auto* p = static_cast<CSnapPoint*>(item);
    if (store) {
        if (!p) return true;
        int32_t dX = 0, dY = 0, maxIn = 0, maxOut = 0, dG = 0;
        // Every field is checked before anything is written.
        if (!ReadNumber(dX_, -100, 100, dX) || !ReadNumber(dY_, -100, 100, dY) ||
            !ReadNumber(maxIn_, -1, 1000, maxIn) || !ReadNumber(maxOut_, -1, 1000, maxOut) ||
            !ReadNumber(dG_, 0, 100, dG))
            return false;
        if (type_->currentIndex() >= 0) p->type = type_->currentIndex();
        p->dX = dX;
        p->dY = dY;
        p->byPixel = byPixel_->isChecked() ? 1 : 0;
        p->maxIn = maxIn;
        p->maxOut = maxOut;
        p->gridOffset = dG;
        p->colour = colour_->currentIndex() >= 0 ? COLORREF(colour_->currentData().toInt()) : vx::kAutoColor;
        p->useColour = useColour_->isChecked() ? 1 : 0;
        p->tip = vx::FromQString(tip_->text());
        return true;
    }
    loading_ = true;
    const QSignalBlocker b1(type_), b2(colour_);
    if (p) {
        type_->setCurrentIndex(p->SafeType());
        dX_->setText(QString::number(p->dX));
        dY_->setText(QString::number(p->dY));
        byPixel_->setChecked(p->byPixel != 0);
        maxIn_->setText(QString::number(p->maxIn));
        maxOut_->setText(QString::number(p->maxOut));
        dG_->setText(QString::number(p->gridOffset));
        const int c = colour_->findData(int(p->colour));
        colour_->setCurrentIndex(c >= 0 ? c : 0);
        useColour_->setChecked(p->useColour != 0);
        tip_->setText(vx::ToQString(p->tip));
    } else {
        type_->setCurrentIndex(-1);
        dX_->setText("0");
        dY_->setText("0");
        byPixel_->setChecked(false);
        maxIn_->setText("99");
        maxOut_->setText("99");
        dG_->setText("0");
        colour_->setCurrentIndex(0);
        useColour_->setChecked(false);
        tip_->clear();
    }
    SetFieldsEnabled(p != nullptr);
    loading_ = false;
    return true;
}

void CSnapPointDialog::OnTypeChosen() {
    if (loading_) return;
    if (Store()) Load();
}

void CSnapPointDialog::OnUseColourClicked() {
    if (!useColour_->isChecked()) {
        dG_->setText("0");
        colour_->setCurrentIndex(0);
    }
    if (Store()) Load();
}

bool CSnapPointDialog::eventFilter(QObject* watched, QEvent* e) {
    // A character typed on the list goes to "&Type:".
    if (watched == list() && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const QString text = k->text();
        if (text.size() == 1 && text[0].isPrint() && type_->isEnabled()) {
            type_->setFocus();
            QKeyEvent copy(k->type(), k->key(), k->modifiers(), text);
            QApplication::sendEvent(type_, &copy);
            return true;
        }
    }
    return CHyperListDialog::eventFilter(watched, e);
}
