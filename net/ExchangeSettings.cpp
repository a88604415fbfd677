#include "net/ExchangeSettings.h"

#include <algorithm>

#include "platform/Settings.h"

namespace vx::net {

namespace {

constexpr const char* kSettings = "Settings";

// A timeout below one second would end every transfer at once; a huge one
// would make a stalled server hang the dialog.
int Seconds(const SettingsStore& store, const char* key, int dflt) {
    const int v = store.GetProfileInt(kExchangeSection, key, dflt);
    return v <= 0 ? dflt : std::min(v, 3600);
}

std::string WebAddress(std::string s) {
    while (!s.empty() && s.back() == '/') s.pop_back();
    return s.empty() ? std::string(kDefaultWebAddress) : s;
}

}  // namespace

ProxySettings ReadProxySettings(const SettingsStore& s) {
    ProxySettings p;
    p.useProxy = s.GetProfileInt(kSettings, "UseProxy", 0);
    p.address = s.GetProfileString(kSettings, "ProxyAddress", "");
    p.port = s.GetProfileString(kSettings, "ProxyPort", "");
    p.useAuthorization = s.GetProfileInt(kSettings, "UseAuthorization", 0);
    p.userName = s.GetProfileString(kSettings, "ProxyUserName", "");
    p.password = s.GetProfileString(kSettings, "ProxyPassword", "");
    return p;
}

void WriteProxySettings(SettingsStore& s, const ProxySettings& p) {
    s.WriteProfileInt(kSettings, "UseProxy", p.useProxy);
    s.WriteProfileString(kSettings, "ProxyAddress", p.address);
    s.WriteProfileString(kSettings, "ProxyPort", p.port);
    s.WriteProfileInt(kSettings, "UseAuthorization", p.useAuthorization);
    s.WriteProfileString(kSettings, "ProxyUserName", p.userName);
    s.WriteProfileString(kSettings, "ProxyPassword", p.password);
    s.Sync();
}

ExchangeSettings ReadExchangeSettings(const SettingsStore& s) {
    ExchangeSettings e;
    e.webAddress = WebAddress(s.GetProfileString(kExchangeSection, "WebAddress", kDefaultWebAddress));
    e.fileHost = s.GetProfileString(kExchangeSection, "FileHost", kDefaultFileHost);
    if (e.fileHost.empty()) e.fileHost = kDefaultFileHost;
    e.fileUser = s.GetProfileString(kExchangeSection, "FileUser", kDefaultFileUser);
    e.filePassword = s.GetProfileString(kExchangeSection, "FilePassword", kDefaultFilePassword);
    e.memberName = s.GetProfileString(kExchangeSection, "MemberName", "");
    e.connectTimeout = Seconds(s, "ConnectTimeout", kDefaultConnectTimeout);
    e.stallTimeout = Seconds(s, "StallTimeout", kDefaultStallTimeout);
    return e;
}

void WriteExchangeSettings(SettingsStore& s, const ExchangeSettings& e) {
    s.WriteProfileString(kExchangeSection, "WebAddress", e.webAddress);
    s.WriteProfileString(kExchangeSection, "FileHost", e.fileHost);
    s.WriteProfileString(kExchangeSection, "FileUser", e.fileUser);
    s.WriteProfileString(kExchangeSection, "FilePassword", e.filePassword);
    s.WriteProfileString(kExchangeSection, "MemberName", e.memberName);
    s.WriteProfileInt(kExchangeSection, "ConnectTimeout", e.connectTimeout);
    s.WriteProfileInt(kExchangeSection, "StallTimeout", e.stallTimeout);
    s.Sync();
}

void WriteMemberName(SettingsStore& s, const std::string& name) {
    s.WriteProfileString(kExchangeSection, "MemberName", name);
    s.Sync();
}

}  // namespace vx::net
