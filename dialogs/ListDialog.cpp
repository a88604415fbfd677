#include "dialogs/ListDialog.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/QtConv.h"
#include "platform/StringTable.h"

namespace {

QPushButton* Button(const char* text, int id, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

void CListLineDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, p, opt.widget);
    p->save();
    PaintLine(*p, opt, text, index.row());
    p->restore();
}

CHyperListDialog::CHyperListDialog(CHyperListFmt& edited, QWidget* parent) : CNSFlexDialog(parent), edited_(edited) {}

CHyperListDialog::~CHyperListDialog() = default;

void CHyperListDialog::BuildBase(QLayout* fields) {
    list_ = new QListWidget(this);
    list_->setObjectName(QString::number(kListId));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setFont(font());
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    add_ = Button("&Add", kAddId, this);
    delete_ = Button("&Delete", kDeleteId, this);
    up_ = Button("&Up", kUpId, this);
    down_ = Button("Do&wn", kDownId, this);
    ok_ = Button("OK", 1, this);
    cancel_ = Button("Cancel", 2, this);
    ok_->setDefault(true);

    sideButtons_ = new QVBoxLayout;
    for (QPushButton* b : {ok_, cancel_, add_, delete_, up_, down_}) sideButtons_->addWidget(b);
    sideButtons_->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(sideButtons_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    if (fields) all->addLayout(fields);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int) { OnSelectionChanged(); });
    connect(add_, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(delete_, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(up_, &QPushButton::clicked, this, [this] { OnUp(); });
    connect(down_, &QPushButton::clicked, this, [this] { OnDown(); });
    connect(ok_, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
}

void CHyperListDialog::Open() {
    // The working copy is a list of the edited list's own class.
    const CClassInfo& cls = edited_.GetClass();
    std::unique_ptr<CObject> made = cls.create ? cls.create() : nullptr;
    if (auto* l = DynamicDowncast<CHyperListFmt>(made.get())) {
        made.release();
        working_.reset(l);
        working_->CopyFrom(edited_);
    }
    current_ = -1;
    Fill();
    SelectRow(current_);
    Load();
}

void CHyperListDialog::Fill() {
    if (!working_) return;
    for (auto& item : working_->Release()) AppendLine(std::move(item));
    if (list_->count() > 0) current_ = 0;
}

bool CHyperListDialog::Exchange(CListItem*, bool) { return true; }

CListItem* CHyperListDialog::ItemAt(int row) const {
    if (row < 0 || row >= list_->count()) return nullptr;
    return static_cast<CListLine*>(list_->item(row))->item.get();
}

CListLine* CHyperListDialog::AppendLine(std::unique_ptr<CListItem> item) {
    auto* line = new CListLine(std::move(item));
    line->setText(LineText(*line->item));
    list_->addItem(line);
    return line;
}

void CHyperListDialog::RefreshLine(int row) {
    if (CListItem* item = ItemAt(row)) list_->item(row)->setText(LineText(*item));
}

void CHyperListDialog::SelectRow(int row) {
    const QSignalBlocker block(list_);
    list_->setCurrentRow(row);
    if (row < 0) list_->clearSelection();
}

bool CHyperListDialog::Store() {
    CListItem* item = CurrentItem();
    if (!item) return true;
    if (!Exchange(item, true)) return false;
    RefreshLine(current_);
    return true;
}

void CHyperListDialog::Load() {
    const int row = list_->currentRow();
    current_ = (row >= 0 && row < list_->count() && list_->item(row)->isSelected()) ? row : -1;
    Exchange(CurrentItem(), false);
    EnableButtons(current_);
}

void CHyperListDialog::EnableButtons(int index) {
    delete_->setEnabled(index >= 0);
    up_->setEnabled(index >= 0 && CanMoveUp(index));
    down_->setEnabled(index >= 0 && CanMoveDown(index));
}

void CHyperListDialog::OnSelectionChanged() {
    if (reselecting_) return;
    if (!Store()) {
        // A refused field keeps the current line.
        reselecting_ = true;
        SelectRow(current_);
        reselecting_ = false;
        return;
    }
    Load();
}

void CHyperListDialog::OnAdd() {
    if (!Store()) return;
    std::unique_ptr<CListItem> item = NewItem();
    if (!item) return;
    AppendLine(std::move(item));
    SelectRow(list_->count() - 1);
    Load();
}

void CHyperListDialog::OnDelete() {
    if (!Store()) return;
    const int i = current_;
    if (i < 0) return;
    if (!BeforeDelete(i)) return;
    {
        const QSignalBlocker block(list_);
        delete list_->takeItem(i);
    }
    const int count = list_->count();
    SelectRow(count == 0 ? -1 : (i < count ? i : count - 1));
    Load();
}

void CHyperListDialog::OnUp() {
    if (!Store()) return;
    const int i = current_;
    if (i < 0 || !CanMoveUp(i)) return;
    BeforeMove(ItemAt(i), i - 1);
    {
        const QSignalBlocker block(list_);
        QListWidgetItem* line = list_->takeItem(i);
        list_->insertItem(i - 1, line);
    }
    SelectRow(i - 1);
    Load();
}

void CHyperListDialog::OnDown() {
    if (!Store()) return;
    const int i = current_;
    if (i < 0 || !CanMoveDown(i)) return;
    BeforeMove(ItemAt(i), i + 1);
    {
        const QSignalBlocker block(list_);
        QListWidgetItem* line = list_->takeItem(i);
        list_->insertItem(i + 1, line);
    }
    SelectRow(i + 1);
    Load();
}

void CHyperListDialog::accept() {
    if (!Store()) return;
    // The edited list takes the items of the lines in their shown order.
    std::vector<std::unique_ptr<CListItem>> items;
    for (int row = 0; row < list_->count(); ++row)
        if (auto& item = static_cast<CListLine*>(list_->item(row))->item) items.push_back(std::move(item));
    {
        const QSignalBlocker block(list_);
        list_->clear();
    }
    current_ = -1;
    edited_.TakeItems(std::move(items));
    if (working_) TakeFields(edited_, *working_);
    QDialog::accept();
}

void CHyperListDialog::reject() {
    {
        const QSignalBlocker block(list_);
        list_->clear();
    }
    current_ = -1;
    QDialog::reject();
}

bool CHyperListDialog::eventFilter(QObject* watched, QEvent* e) {
    // Double-clicking the empty list adds a line.
    if (watched == list_->viewport() && e->type() == QEvent::MouseButtonDblClick && list_->count() == 0) {
        OnAdd();
        return true;
    }
    return CNSFlexDialog::eventFilter(watched, e);
}
