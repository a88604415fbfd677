#include "publish/PublishDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/HyperOleDoc.h"
#include "net/FormEncoding.h"
#include "net/PublishTask.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"
#include "publish/PublishAnimation.h"

namespace {

constexpr int kMaxDesignPath = 255;

bool SameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    return !ca.isEmpty() ? ca == cb : fa.absoluteFilePath() == fb.absoluteFilePath();
}

}  // namespace

CPublishDlg::CPublishDlg(CPublishHost* host, QWidget* parent) : CNSFlexDialog(parent), host_(host) {
    setWindowTitle(tr("Publish"));
    task_ = new vx::net::PublishTask(this);
    connect(task_, &vx::net::PublishTask::progress, this, &CPublishDlg::OnProgress);
    connect(task_, &vx::net::PublishTask::finished, this, &CPublishDlg::OnFinished);

    project_ = new QComboBox(this);
    project_->setObjectName(QStringLiteral("project"));
    category_ = new QComboBox(this);
    category_->setObjectName(QStringLiteral("category"));
    design_ = new QLineEdit(this);
    design_->setObjectName(QStringLiteral("design"));
    design_->setMaxLength(kMaxDesignPath);
    design_->setMinimumWidth(320);
    file_ = new QPushButton(tr("File..."), this);
    file_->setObjectName(QStringLiteral("file"));
    member_ = new QLineEdit(this);
    member_->setObjectName(QStringLiteral("member"));
    member_->setPlaceholderText(tr("your member name on the exchange"));
    animation_ = new CPublishAnimation(this);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QDialogButtonBox::Ok);
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    connect(ok_, &QPushButton::clicked, this, &CPublishDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CPublishDlg::reject);
    connect(file_, &QPushButton::clicked, this, [this] {
        if (host_) host_->OpenDesign();
        if (host_)
            if (auto d = host_->ActiveDesign()) SetDesignPath(vx::ToQString(d->path));
    });

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(design_, 1);
    fileRow->addWidget(file_);
    auto* form = new QFormLayout;
    form->addRow(tr("Project:"), project_);
    form->addRow(tr("Category:"), category_);
    form->addRow(tr("Design:"), fileRow);
    form->addRow(tr("Member name:"), member_);
    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addWidget(animation_, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    Prepare();
}

CPublishDlg::~CPublishDlg() = default;

bool CPublishDlg::publishing() const { return task_->running(); }

void CPublishDlg::Prepare() {
    const auto design = host_ ? host_->ActiveDesign() : std::nullopt;
    design_->setText(design ? vx::ToQString(design->path) : QString());
    project_->clear();
    project_->addItem(QString::fromUtf8(vx::net::kProjectName));
    project_->setCurrentIndex(0);
    category_->clear();
    for (const char* name : vx::net::kCategoryNames) category_->addItem(QString::fromUtf8(name));
    category_->setCurrentIndex(vx::net::kDefaultCategory);
    member_->setText(vx::ToQString(vx::net::ReadExchangeSettings(vx::SettingsStore::App()).memberName));
    progress_->setValue(0);
    status_->clear();
    SetBusy(false);
}

int CPublishDlg::Run() {
    Prepare();
    return exec();
}

void CPublishDlg::SetDesignPath(const QString& path) { design_->setText(path); }

void CPublishDlg::SetBusy(bool busy) {
    for (QWidget* w : std::initializer_list<QWidget*>{project_, category_, design_, file_, member_, ok_})
        w->setEnabled(!busy);
    animation_->Play(busy);
}

std::optional<vx::net::DesignInfo> CPublishDlg::DesignToPublish() {
    const QString path = design_->text().trimmed();
    if (path.isEmpty()) {
        ShowMessage(tr("The design must be saved before it can be published."));
        return std::nullopt;
    }
    const auto active = host_ ? host_->ActiveDesign() : std::nullopt;
    if (active && !active->path.empty() && SameFile(path, vx::ToQString(active->path))) {
        // What is published is the file: unsaved changes would be missing.
        if (host_->ActiveDesignModified()) {
            const auto answer = QMessageBox::question(
                this, windowTitle(),
                tr("%1 has changes that are not saved.\nSave them before publishing?").arg(QFileInfo(path).fileName()),
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
            if (answer == QMessageBox::Cancel) return std::nullopt;
            if (answer == QMessageBox::Yes && !host_->SaveActiveDesign()) return std::nullopt;
        }
        auto now = host_->ActiveDesign();
        if (now) now->path = vx::FromQString(path);
        return now;
    }
    // Another file: its own Title and Description.
    CMyDoc doc;
    const LoadResult r = doc.LoadFromFile(vx::FromQString(path));
    if (r.status != LoadResult::kOk) {
        ShowMessage(tr("Cannot publish %1:\n%2")
                        .arg(path, r.status == LoadResult::kPartial ? tr("the design is damaged and could only be partly read.")
                                                                     : vx::ToQString(r.message)));
        return std::nullopt;
    }
    return vx::net::DesignInfo{vx::FromQString(path), doc.title(), doc.description()};
}

void CPublishDlg::accept() {
    if (publishing()) return;
    const auto design = DesignToPublish();
    if (!design) return;
    vx::SettingsStore& store = vx::SettingsStore::App();
    vx::net::WriteMemberName(store, vx::FromQString(member_->text().trimmed()));
    vx::net::PublishRequest request;
    const std::string problem =
        vx::net::MakePublishRequest(*design, category_->currentIndex(), vx::net::ReadExchangeSettings(store),
                                    vx::net::ReadProxySettings(store), request);
    if (!problem.empty()) {
        ShowMessage(vx::ToQString(problem));
        return;
    }
    remoteName_ = vx::ToQString(request.upload.remoteName);
    progress_->setValue(0);
    status_->setText(tr("Uploading %1...").arg(remoteName_));
    SetBusy(true);
    task_->Start(request);
}

void CPublishDlg::OnProgress(int stage, int percent) {
    if (stage == int(vx::net::PublishStage::kUpload)) {
        if (percent >= 0) progress_->setValue(percent);
    } else {
        progress_->setValue(100);
        status_->setText(tr("Telling the exchange service about %1...").arg(remoteName_));
    }
}

void CPublishDlg::OnFinished(int status, const QString& message) {
    SetBusy(false);
    if (status == vx::net::TransferResult::kOk) {
        status_->setText(tr("%1 was published.").arg(remoteName_));
        QDialog::accept();
        return;
    }
    if (status == vx::net::TransferResult::kCancelled) {
        status_->setText(tr("Publishing was cancelled; nothing was published."));
        return;
    }
    status_->setText(tr("Publishing failed."));
    ShowMessage(message);
}

void CPublishDlg::reject() {
    // While a transfer runs, Cancel stops it; the dialog closes afterwards
    // with a second Cancel.
    if (publishing()) {
        status_->setText(tr("Cancelling..."));
        task_->Cancel();
        return;
    }
    animation_->Play(false);
    QDialog::reject();
}

void CPublishDlg::closeEvent(QCloseEvent* e) {
    if (publishing()) {
        e->ignore();
        reject();
        return;
    }
    CNSFlexDialog::closeEvent(e);
}
