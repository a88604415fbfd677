// Publish > Setup...: the "Publish" sheet with its one page, "Internet",
// which edits the proxy group of the settings store. OK writes all six
// values, Cancel nothing.
#pragma once

#include <QDialog>
#include <QWidget>

#include "net/ExchangeSettings.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

class CSetupPage1 : public QWidget {
    Q_OBJECT
public:
    // Reads the proxy group into the fields.
    explicit CSetupPage1(QWidget* parent = nullptr);

    // The fields as the controls show them now.
    vx::net::ProxySettings Fields() const;
    // Takes the controls' values and writes all six to the settings store.
    void OnOK();

    QCheckBox* useProxyBox() const { return useProxy_; }
    QCheckBox* useAuthorizationBox() const { return useAuth_; }

private:
    void OnUseProxy();
    void OnUseAuthorization();
    void UpdateEnabling();

    vx::net::ProxySettings fields_;
    QCheckBox* useProxy_ = nullptr;
    QRadioButton* http_ = nullptr;
    QRadioButton* socks_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* port_ = nullptr;
    QCheckBox* useAuth_ = nullptr;
    QLineEdit* userName_ = nullptr;
    QLineEdit* password_ = nullptr;
};

class CPublishSetup : public QDialog {
    Q_OBJECT
public:
    explicit CPublishSetup(QWidget* parent = nullptr);
    void AddPage(CSetupPage1* page);
    CSetupPage1* page() const { return page_; }

    void accept() override;

private:
    QTabWidget* tabs_ = nullptr;
    CSetupPage1* page_ = nullptr;
};
