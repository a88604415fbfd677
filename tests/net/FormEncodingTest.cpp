// The texts of a publish request: escaping, the remote name, the proxy
// port, and which host and account each transfer uses.
#include <gtest/gtest.h>

#include "net/FormEncoding.h"
#include "net/Publish.h"

using namespace vx::net;

TEST(FormEncoding, EveryValueArrivesAsTyped) {
    // The characters that end or start a field, or mean a space, are escaped.
    EXPECT_EQ(FormEncode("& = % + "), "%26+%3D+%25+%2B+");
    EXPECT_EQ(FormEncode("a-b.c_d~e"), "a-b.c_d~e");
    // Accented letters in the service's code page, one byte each.
    EXPECT_EQ(FormEncode("\xC3\x84rger \xE2\x82\xAC"), "%C4rger+%80");
    // A character the code page lacks is sent as a character reference.
    EXPECT_EQ(FormEncode("\xE4\xB8\xAD"), "%26%2320013%3B");
    EXPECT_EQ(FormEncode("\xF0\x9F\x98\x80"), "%26%23128512%3B");
    // A cut sequence does not read past the end.
    EXPECT_EQ(FormEncode("x\xC3"), "x%26%2365533%3B");
}

TEST(FormEncoding, DescriptionKeepsItsLineBreakAsASpace) {
    EXPECT_EQ(FlattenDescription("one\r\ntwo\nthree\r"), "one two three");
    const std::string form = BuildFormData(3, "My design.vxw", "Anna Maria", "Overview", "one\r\ntwo + & three");
    EXPECT_EQ(form,
              "FORUM_ID=3&CATEGORY_ID=3&D_FILE=My+design.vxw&D_AUTH=Anna+Maria&D_NAME=Overview"
              "&D_DESC=one+two+%2B+%26+three");
}

TEST(FormEncoding, RemoteNameIsTheWholeBaseName) {
    EXPECT_EQ(RemoteFileName("/home/u/My design.vxw"), "My design.vxw");
    EXPECT_EQ(RemoteFileName("C:\\Designs\\Two words.vxw"), "Two words.vxw");
    EXPECT_EQ(RemoteFileName("plain.vxw"), "plain.vxw");
}

TEST(FormEncoding, ProxyPortIsAPlainDecimalConversion) {
    EXPECT_EQ(ProxyPortNumber("8080"), 8080);
    EXPECT_EQ(ProxyPortNumber(" 3128x"), 3128);
    EXPECT_EQ(ProxyPortNumber("abc"), 0);
    EXPECT_EQ(ProxyPortNumber(""), 0);
    EXPECT_EQ(ProxyPortNumber("99999"), -1);
}

class PublishRequestTest : public ::testing::Test {
protected:
    ExchangeSettings exchange_{"http://web.example", "files.example:2121", "sketcher", "lanternwick",
                               "Anna", 7, 9};
    DesignInfo design_{"/tmp/d/My design.vxw", "Overview", ""};
};

TEST_F(PublishRequestTest, CategoryGivesTheForum) {
    EXPECT_EQ(ForumIdForCategory(0), 2);
    EXPECT_EQ(ForumIdForCategory(1), 3);
    EXPECT_EQ(ForumIdForCategory(2), 6);
    EXPECT_EQ(ForumIdForCategory(-1), 6);
    EXPECT_EQ(CategoryIndex("architecture patterns"), 1);
    EXPECT_EQ(CategoryIndex("Nothing"), -1);
    PublishRequest r;
    ASSERT_EQ(MakePublishRequest(design_, 1, exchange_, {}, r), "");
    EXPECT_EQ(r.formData.rfind("FORUM_ID=3&CATEGORY_ID=3&D_FILE=My+design.vxw&D_AUTH=Anna&D_NAME=Overview&D_DESC=No+"
                               "description+given",
                               0),
              0u);
    EXPECT_EQ(r.postUrl, "http://web.example/uploadesign.asp?" + r.formData);
    EXPECT_EQ(r.upload.remoteName, "My design.vxw");
    EXPECT_EQ(r.options.connectTimeout, 7);
    EXPECT_EQ(r.options.stallTimeout, 9);
}

TEST_F(PublishRequestTest, ProxyCarriesTheTransfersButKeepsTheServiceAccount) {
    ProxySettings proxy{1, "proxy.example", "3128", 1, "pat", "secret"};
    PublishRequest r;
    ASSERT_EQ(MakePublishRequest(design_, 2, exchange_, proxy, r), "");
    EXPECT_EQ(r.upload.host, "files.example:2121");
    EXPECT_EQ(r.upload.user, "sketcher");
    EXPECT_EQ(r.upload.password, "lanternwick");
    EXPECT_EQ(r.options.proxy.host, "proxy.example");
    EXPECT_EQ(r.options.proxy.port, 3128);
    EXPECT_TRUE(r.options.proxy.useAuthorization);
    EXPECT_EQ(r.options.proxy.userName, "pat");
    // Without authorization no proxy credentials; a port that is no number
    // means none given.
    proxy.useAuthorization = 0;
    proxy.port = "none";
    ASSERT_EQ(MakePublishRequest(design_, 2, exchange_, proxy, r), "");
    EXPECT_FALSE(r.options.proxy.useAuthorization);
    EXPECT_EQ(r.options.proxy.port, 0);
    // Proxy off: no proxy at all.
    proxy.useProxy = 0;
    ASSERT_EQ(MakePublishRequest(design_, 2, exchange_, proxy, r), "");
    EXPECT_EQ(r.options.proxy.host, "");
}

TEST_F(PublishRequestTest, NothingToPublishIsSaid) {
    PublishRequest r;
    EXPECT_EQ(MakePublishRequest({"", "T", ""}, 0, exchange_, {}, r),
              "The design must be saved before it can be published.");
    EXPECT_NE(MakePublishRequest(design_, 0, exchange_, {1, " ", "", 0, "", ""}, r).find("No proxy address"),
              std::string::npos);
    EXPECT_NE(MakePublishRequest(design_, 0, exchange_, {1, "p", "70000", 0, "", ""}, r).find("not a port"),
              std::string::npos);
}
