#include "dialogs/LayersSheet.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "model/HyperPage.h"
#include "platform/QtConv.h"
#include "platform/StringTable.h"

namespace {

constexpr int kColumn = 20;  // width of the eye and lock columns

void DrawEye(QPainter& p, const QRect& cell) {
    const QRect r(cell.center().x() - 7, cell.center().y() - 4, 14, 8);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(r);
    p.setBrush(Qt::black);
    p.drawEllipse(r.center(), 2, 2);
}

void DrawLock(QPainter& p, const QRect& cell) {
    const QPoint c = cell.center();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(c.x() - 4, c.y() - 7, 8, 8), 0, 180 * 16);
    p.setBrush(QColor(200, 160, 0));
    p.drawRect(QRect(c.x() - 5, c.y() - 2, 10, 8));
}

// A line: the eye when visible, the lock when locked, the name in blue.
class LayerLineDelegate : public CListLineDelegate {
public:
    LayerLineDelegate(std::function<const CLayer*(int)> layerAt, QObject* parent)
        : CListLineDelegate(parent), layerAt_(std::move(layerAt)) {}

protected:
    void PaintLine(QPainter& p, const QStyleOptionViewItem& opt, const QString& name, int row) const override {
        const CLayer* l = layerAt_(row);
        if (!l) return;
        const QRect eye(opt.rect.left(), opt.rect.top(), kColumn, opt.rect.height());
        if (l->visible) DrawEye(p, eye);
        if (l->locked) DrawLock(p, eye.translated(kColumn, 0));
        p.setPen(QColor(0, 0, 255));
        p.drawText(opt.rect.adjusted(2 * kColumn + 2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, name);
    }

private:
    std::function<const CLayer*(int)> layerAt_;
};

QLabel* SymbolHeader(bool eye, QWidget* parent) {
    QPixmap pm(kColumn, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (eye) DrawEye(p, pm.rect());
    else DrawLock(p, pm.rect());
    p.end();
    auto* label = new QLabel(parent);
    label->setPixmap(pm);
    label->setFixedWidth(kColumn);
    return label;
}

}  // namespace

CLayersSheet::CLayersSheet(CLayerFmt& layers, CHyperPage* page, QWidget* parent)
    : CHyperListDialog(layers, parent), page_(page) {
    setWindowTitle(vx::ToQString(vx::LoadStringOr(27325, "Layers Sheet")));
    insertion_ = new QLabel(this);
    eyeHeader_ = SymbolHeader(true, this);
    lockHeader_ = SymbolHeader(false, this);
    eyeHeader_->installEventFilter(this);
    lockHeader_->installEventFilter(this);
    name_ = new QLineEdit(this);
    view_ = new QCheckBox(QStringLiteral("&View"), this);
    lock_ = new QCheckBox(QStringLiteral("&Lock"), this);
    select_ = new QPushButton(QStringLiteral("&Select"), this);
    select_->setAutoDefault(false);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Name:"), name_);
    auto* switches = new QHBoxLayout;
    switches->addWidget(view_);
    switches->addWidget(lock_);
    switches->addStretch(1);
    fields->addRow(switches);
    BuildBase(fields);
    sideButtons_->insertWidget(sideButtons_->count() - 1, select_);

    // "&Insertion Layer:" and the column symbols above the list.
    auto* header = new QHBoxLayout;
    auto* insertionLabel = new QLabel(vx::ToQString(vx::LoadStringOr(27327, "&Insertion Layer:")), this);
    insertionLabel->setBuddy(list());
    header->addWidget(insertionLabel);
    header->addWidget(insertion_, 1);
    auto* symbols = new QHBoxLayout;
    symbols->setSpacing(0);
    symbols->addWidget(eyeHeader_);
    symbols->addWidget(lockHeader_);
    symbols->addStretch(1);
    auto* all = static_cast<QVBoxLayout*>(layout());
    all->insertLayout(0, symbols);
    all->insertLayout(0, header);

    list()->setItemDelegate(new LayerLineDelegate([this](int row) { return LayerAt(row); }, list()));
    connect(select_, &QPushButton::clicked, this, [this] { OnSelect(); });
    connect(view_, &QCheckBox::clicked, this, [this](bool) { EnableButtons(currentIndex()); });
    connect(lock_, &QCheckBox::clicked, this, [this](bool) { EnableButtons(currentIndex()); });
    Open();
}

void CLayersSheet::Fill() {
    CHyperListDialog::Fill();
    // The insertion layer is the selected line.
    if (list()->count() > 0) {
        const int i = static_cast<CLayerFmt*>(working_.get())->SafeInsertionIndex();
        SelectRow(i);
    }
}

QString CLayersSheet::LineText(const CListItem& item) const {
    return vx::ToQString(static_cast<const CLayer&>(item).name);
}

std::unique_ptr<CListItem> CLayersSheet::NewItem() {
    auto* layers = static_cast<CLayerFmt*>(working_.get());
    auto l = std::make_unique<CLayer>();
    l->id = layers->nextId++;
    l->name = vx::LoadStringOr(27455, "Layer") + std::to_string(l->id);
    l->visible = 1;
    l->locked = 0;
    return l;
}

bool CLayersSheet::CanMoveDown(int index) const { return index > 0 && index < list()->count() - 1; }

void CLayersSheet::EnableButtons(int index) {
    deleteButton()->setEnabled(index > 0);
    downButton()->setEnabled(index > 0);
    upButton()->setEnabled(index > 1);
    name_->setEnabled(index > 0);
    view_->setEnabled(index >= 0);
    lock_->setEnabled(index >= 0);
    select_->setEnabled(index >= 0 && view_->isChecked() && !lock_->isChecked());
}

bool CLayersSheet::Exchange(CListItem* item, bool store) {
    auto* l = static_cast<CLayer*>(item);
    if (store) {
        if (!l) return true;
        // The first layer keeps its name.
        if (currentIndex() > 0) l->name = vx::FromQString(name_->text());
        l->visible = view_->isChecked() ? 1 : 0;
        l->locked = lock_->isChecked() ? 1 : 0;
        list()->viewport()->update();
        return true;
    }
    name_->setText(l ? vx::ToQString(l->name) : QString());
    view_->setChecked(l && l->visible);
    lock_->setChecked(l && l->locked);
    insertion_->setText(l ? vx::ToQString(l->name) : QString());
    return true;
}

bool CLayersSheet::BeforeDelete(int index) {
    if (index < 1) return false;
    const CLayer* gone = LayerAt(index);
    const CLayer* above = LayerAt(index - 1);
    if (!gone || !above) return false;
    if (page_ && page_->CountLayerObjects(gone->id) > 0) {
        QString question = vx::ToQString(vx::LoadStringOr(
            27322, "Delete layer \"%s\" and reassign its objects to layer \"%s\"?"));
        question.replace(question.indexOf("%s"), 2, vx::ToQString(gone->name));
        question.replace(question.indexOf("%s"), 2, vx::ToQString(above->name));
        if (!AskOkCancel(question)) return false;
    }
    // The objects move at once; this stays even when the sheet is cancelled.
    if (page_) page_->MoveLayerObjects(gone->id, above->id);
    return true;
}

void CLayersSheet::ToggleLine(int row, int32_t CLayer::*field, QCheckBox* box) {
    CLayer* l = LayerAt(row);
    if (!l) return;
    l->*field = l->*field ? 0 : 1;
    if (row == currentIndex()) box->setChecked(l->*field != 0);
    EnableButtons(currentIndex());
    list()->viewport()->update();
}

void CLayersSheet::ToggleAll(int32_t CLayer::*field, QCheckBox* box) {
    box->setChecked(!box->isChecked());
    for (int row = 0; row < list()->count(); ++row) LayerAt(row)->*field = box->isChecked() ? 1 : 0;
    EnableButtons(currentIndex());
    list()->viewport()->update();
}

void CLayersSheet::ToggleLineVisible(int row) { ToggleLine(row, &CLayer::visible, view_); }
void CLayersSheet::ToggleLineLocked(int row) { ToggleLine(row, &CLayer::locked, lock_); }

void CLayersSheet::ToggleAllVisible() {
    ToggleAll(&CLayer::visible, view_);
    // Showing or hiding every layer repaints the page at once.
    if (page_) page_->InvalidateAll();
}

void CLayersSheet::ToggleAllLocked() { ToggleAll(&CLayer::locked, lock_); }

void CLayersSheet::OnSelect() {
    if (!Store()) return;
    if (const CLayer* l = LayerAt(currentIndex()); l && selectLayer) selectLayer(l->id);
}

void CLayersSheet::accept() {
    const int selected = currentIndex();
    static_cast<CLayerFmt*>(working_.get())->insertionIndex = selected >= 0 ? selected : 0;
    CHyperListDialog::accept();
    if (result() != QDialog::Accepted) return;
    if (page_) {
        page_->InvalidateAll();
        for (const auto& ob : page_->objects()) ob->Update(1, 0);
    }
    if (onApplied) onApplied();
}

void CLayersSheet::TakeFields(CHyperListFmt& edited, const CHyperListFmt& working) {
    auto& to = static_cast<CLayerFmt&>(edited);
    const auto& from = static_cast<const CLayerFmt&>(working);
    to.nextId = from.nextId;
    to.insertionIndex = from.insertionIndex;
}

bool CLayersSheet::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick) {
        if (watched == eyeHeader_) {
            ToggleAllVisible();
            return true;
        }
        if (watched == lockHeader_) {
            ToggleAllLocked();
            return true;
        }
        if (watched == list()->viewport()) {
            const QPoint pos = static_cast<QMouseEvent*>(e)->position().toPoint();
            const int row = list()->indexAt(pos).row();
            if (row >= 0 && pos.x() < kColumn) {
                ToggleLineVisible(row);
                return true;
            }
            if (row >= 0 && pos.x() < 2 * kColumn) {
                ToggleLineLocked(row);
                return true;
            }
        }
    }
    return CHyperListDialog::eventFilter(watched, e);
}
