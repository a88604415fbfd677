#include "publish/SetupPage1.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/QtConv.h"
#include "platform/Settings.h"

CSetupPage1::CSetupPage1(QWidget* parent)
    : QWidget(parent), fields_(vx::net::ReadProxySettings(vx::SettingsStore::App())) {
    setWindowTitle(tr("Internet"));
    auto* box = new QGroupBox(tr("Proxies"), this);
    useProxy_ = new QCheckBox(tr("Connect through proxy server"), box);
    useProxy_->setObjectName(QStringLiteral("useProxy"));
    http_ = new QRadioButton(tr("HTTP"), box);
    http_->setObjectName(QStringLiteral("http"));
    socks_ = new QRadioButton(tr("Socks"), box);
    socks_->setObjectName(QStringLiteral("socks"));
    http_->setChecked(true);
    address_ = new QLineEdit(vx::ToQString(fields_.address), box);
    address_->setObjectName(QStringLiteral("address"));
    port_ = new QLineEdit(vx::ToQString(fields_.port), box);
    port_->setObjectName(QStringLiteral("port"));
    useAuth_ = new QCheckBox(tr("Use proxy authorization"), box);
    useAuth_->setObjectName(QStringLiteral("useAuthorization"));
    userName_ = new QLineEdit(vx::ToQString(fields_.userName), box);
    userName_->setObjectName(QStringLiteral("userName"));
    password_ = new QLineEdit(vx::ToQString(fields_.password), box);
    password_->setObjectName(QStringLiteral("password"));
    password_->setEchoMode(QLineEdit::Password);

    auto* grid = new QGridLayout(box);
    grid->addWidget(useProxy_, 0, 0, 1, 4);
    grid->addWidget(http_, 1, 1);
    grid->addWidget(socks_, 1, 2);
    grid->addWidget(new QLabel(tr("Address"), box), 2, 0);
    grid->addWidget(address_, 2, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Port"), box), 2, 3);
    grid->addWidget(port_, 2, 4);
    grid->addWidget(useAuth_, 3, 0, 1, 4);
    grid->addWidget(new QLabel(tr("Username:"), box), 4, 0);
    grid->addWidget(userName_, 4, 1, 1, 4);
    grid->addWidget(new QLabel(tr("Password:"), box), 5, 0);
    grid->addWidget(password_, 5, 1, 1, 4);
    grid->setColumnStretch(1, 1);
    port_->setMaximumWidth(70);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addStretch();

    useProxy_->setChecked(fields_.useProxy == 1);
    useAuth_->setChecked(fields_.useAuthorization == 1);
    UpdateEnabling();
    connect(useProxy_, &QCheckBox::clicked, this, &CSetupPage1::OnUseProxy);
    connect(useAuth_, &QCheckBox::clicked, this, &CSetupPage1::OnUseAuthorization);
}

void CSetupPage1::UpdateEnabling() {
    const bool proxy = useProxy_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{http_, socks_, address_, port_, useAuth_}) w->setEnabled(proxy);
    // The credentials only count with the proxy on.
    const bool credentials = proxy && useAuth_->isChecked();
    userName_->setEnabled(credentials);
    password_->setEnabled(credentials);
}

void CSetupPage1::OnUseProxy() {
    fields_.useProxy = useProxy_->isChecked() ? 1 : 0;
    fields_.useAuthorization = useAuth_->isChecked() ? 1 : 0;
    UpdateEnabling();
}

void CSetupPage1::OnUseAuthorization() {
    userName_->setEnabled(useAuth_->isChecked());
    password_->setEnabled(useAuth_->isChecked());
}

vx::net::ProxySettings CSetupPage1::Fields() const {
    vx::net::ProxySettings p;
    p.useProxy = useProxy_->isChecked() ? 1 : 0;
    p.address = vx::FromQString(address_->text());
    p.port = vx::FromQString(port_->text());
    p.useAuthorization = useAuth_->isChecked() ? 1 : 0;
    p.userName = vx::FromQString(userName_->text());
    p.password = vx::FromQString(password_->text());
    return p;
}

void CSetupPage1::OnOK() {
    fields_ = Fields();
    vx::net::WriteProxySettings(vx::SettingsStore::App(), fields_);
}

CPublishSetup::CPublishSetup(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Publish"));
    tabs_ = new QTabWidget(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPublishSetup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPublishSetup::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

void CPublishSetup::AddPage(CSetupPage1* page) {
    page_ = page;
    tabs_->addTab(page, page->windowTitle());
}

void CPublishSetup::accept() {
    if (page_) page_->OnOK();
    QDialog::accept();
}
