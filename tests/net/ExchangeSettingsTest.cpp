// The exchange and proxy settings: defaults in one place, the six proxy
// values, and a settings file that stays private to its owner.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "net/ExchangeSettings.h"
#include "platform/Settings.h"
#include "support/TestSupport.h"

using namespace vx::net;

namespace {

unsigned Mode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? unsigned(st.st_mode & 0777) : 0u;
}

}  // namespace

TEST(ExchangeSettings, FreshStoreGivesTheDefaults) {
    vx::SettingsStore store(vxtest::TempDir() + "/s.conf");
    const ProxySettings p = ReadProxySettings(store);
    EXPECT_EQ(p.useProxy, 0);
    EXPECT_EQ(p.address, "");
    EXPECT_EQ(p.port, "");
    EXPECT_EQ(p.useAuthorization, 0);
    const ExchangeSettings e = ReadExchangeSettings(store);
    EXPECT_EQ(e.webAddress, kDefaultWebAddress);
    EXPECT_EQ(e.fileHost, kDefaultFileHost);
    EXPECT_EQ(e.fileUser, "sketcher");
    EXPECT_EQ(e.filePassword, "lanternwick");
    EXPECT_EQ(e.memberName, "");
    EXPECT_EQ(e.connectTimeout, kDefaultConnectTimeout);
    EXPECT_EQ(e.stallTimeout, kDefaultStallTimeout);
}

TEST(ExchangeSettings, ValuesRoundTripAndNonsenseFallsBack) {
    const std::string file = vxtest::TempDir() + "/s.conf";
    {
        vx::SettingsStore store(file);
        WriteProxySettings(store, {1, "proxy.example", "3128", 1, "pat", "p&ss word"});
        WriteExchangeSettings(store, {"http://web.example//", "ftp.example:21", "u", "pw", "Anna", 0, -5});
        WriteMemberName(store, "Anna Maria");
    }
    vx::SettingsStore store(file);
    const ProxySettings p = ReadProxySettings(store);
    EXPECT_EQ(p.useProxy, 1);
    EXPECT_EQ(p.address, "proxy.example");
    EXPECT_EQ(p.port, "3128");
    EXPECT_EQ(p.userName, "pat");
    EXPECT_EQ(p.password, "p&ss word");
    const ExchangeSettings e = ReadExchangeSettings(store);
    EXPECT_EQ(e.webAddress, "http://web.example");
    EXPECT_EQ(e.memberName, "Anna Maria");
    // A timeout of zero or below would end or never end every transfer.
    EXPECT_EQ(e.connectTimeout, kDefaultConnectTimeout);
    EXPECT_EQ(e.stallTimeout, kDefaultStallTimeout);
}

TEST(ExchangeSettings, FileWithThePasswordIsPrivateAfterEveryWrite) {
    const std::string file = vxtest::TempDir() + "/s.conf";
    vx::SettingsStore store(file);
    // Written at once, private from the first write on.
    WriteProxySettings(store, {1, "proxy", "1", 1, "pat", "secret"});
    EXPECT_EQ(Mode(file), 0600u);
    const std::vector<uint8_t> bytes = vxtest::ReadAll(file);
    EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("secret"), std::string::npos);
    // Someone opened it up: the next write closes it again.
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
    WriteProxySettings(store, {1, "proxy", "1", 1, "pat", "other"});
    EXPECT_EQ(Mode(file), 0600u);
}
