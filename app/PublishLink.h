// The application's side of the exchange dialogs: the publish dialog sees
// the active document window through CAppPublishHost, and the "Design
// Download" window is installed by the program (it brings the web engine,
// which tests of the rest of the application do without).
#pragma once

#include <QString>
#include <functional>

#include "publish/PublishDlg.h"

class CMainFrame;
class QWidget;

class CAppPublishHost : public CPublishHost {
public:
    explicit CAppPublishHost(CMainFrame* main) : main_(main) {}
    std::optional<vx::net::DesignInfo> ActiveDesign() const override;
    bool ActiveDesignModified() const override;
    bool SaveActiveDesign() override;
    void OpenDesign() override;

private:
    CMainFrame* main_;
};

// Shows the download window modally over `parent`; a downloaded design is
// handed to `openDesign`.
using DownloadWindowRunner = std::function<void(QWidget* parent, std::function<void(const QString&)> openDesign)>;
DownloadWindowRunner& DownloadWindow();
