// The settings of the design exchange: the proxy group of Publish > Setup...
// and the exchange service's addresses, account, member name and timeouts.
// Every default lives here.
#pragma once

#include <string>

namespace vx {

class SettingsStore;

namespace net {

// The proxy group, section "Settings".
struct ProxySettings {
    int useProxy = 0;
    std::string address;
    std::string port;
    int useAuthorization = 0;
    std::string userName;
    std::string password;
};

ProxySettings ReadProxySettings(const SettingsStore& store);
// Writes all six values and syncs the file at once (it holds the password,
// and the store keeps it readable by its owner only).
void WriteProxySettings(SettingsStore& store, const ProxySettings& p);

// The exchange service, section "Exchange".
struct ExchangeSettings {
    // The web address the form is posted to and the forum is browsed at
    // ("http://host[:port]", no trailing slash).
    std::string webAddress;
    // The file-transfer host ("host" or "host:port") and its account.
    std::string fileHost;
    std::string fileUser;
    std::string filePassword;
    // The member name under which the user publishes (D_AUTH).
    std::string memberName;
    // Seconds allowed for connecting, and without any progress.
    int connectTimeout = 0;
    int stallTimeout = 0;
};

inline constexpr const char* kExchangeSection = "Exchange";
inline constexpr const char* kDefaultWebAddress = "http://www.tallyhub.com";
inline constexpr const char* kDefaultFileHost = "ftp.tallyhub.com";
inline constexpr const char* kDefaultFileUser = "sketcher";
inline constexpr const char* kDefaultFilePassword = "lanternwick";
inline constexpr int kDefaultConnectTimeout = 30;
inline constexpr int kDefaultStallTimeout = 60;

ExchangeSettings ReadExchangeSettings(const SettingsStore& store);
void WriteExchangeSettings(SettingsStore& store, const ExchangeSettings& e);
void WriteMemberName(SettingsStore& store, const std::string& name);

}  // namespace net
}  // namespace vx
