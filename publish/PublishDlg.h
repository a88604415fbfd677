// Publish > Server...: "Publish" sends a design file to the exchange
// service. OK checks that there is a saved design (saving a modified one
// first, if the user wants), uploads the file and then posts the form, on a
// worker thread, with the animation and a progress bar; Cancel stops a
// running transfer (the dialog stays open) or closes the dialog. A failure
// is shown and the dialog stays open; success closes it.
#pragma once

#include <optional>

#include "dialogs/NSFlexDialog.h"
#include "net/Publish.h"

class CPublishAnimation;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
namespace vx::net {
class PublishTask;
}

// What the dialog needs from the application: the document of the active
// design view.
class CPublishHost {
public:
    virtual ~CPublishHost() = default;
    // The active design's file, Title and Description; none without one.
    virtual std::optional<vx::net::DesignInfo> ActiveDesign() const = 0;
    virtual bool ActiveDesignModified() const = 0;
    // Saves the active design (asking for a name when it has none); false
    // when the user cancelled or the save failed (that was reported).
    virtual bool SaveActiveDesign() = 0;
    // File > Open... (the dialog's "File..." button).
    virtual void OpenDesign() = 0;
};

class CPublishDlg : public CNSFlexDialog {
    Q_OBJECT
public:
    explicit CPublishDlg(CPublishHost* host, QWidget* parent = nullptr);
    ~CPublishDlg() override;

    // Fills the dialog for the active design and shows it modally.
    int Run();
    // Opening the dialog: the active design's path, the combos, the
    // member name.
    void Prepare();
    // File > Open while the dialog is shown: the design field follows.
    void SetDesignPath(const QString& path);

    bool publishing() const;
    QLineEdit* designEdit() const { return design_; }
    QLineEdit* memberEdit() const { return member_; }
    QComboBox* categoryCombo() const { return category_; }
    QComboBox* projectCombo() const { return project_; }
    CPublishAnimation* animation() const { return animation_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* statusLabel() const { return status_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void OnProgress(int stage, int percent);
    void OnFinished(int status, const QString& message);
    void SetBusy(bool busy);
    // The design to publish, saved if the user wants; none when publishing
    // should not start (the reason was shown).
    std::optional<vx::net::DesignInfo> DesignToPublish();

    CPublishHost* host_;
    vx::net::PublishTask* task_ = nullptr;
    QComboBox* project_ = nullptr;
    QComboBox* category_ = nullptr;
    QLineEdit* design_ = nullptr;
    QLineEdit* member_ = nullptr;
    QPushButton* file_ = nullptr;
    CPublishAnimation* animation_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QString remoteName_;
};
