#include "net/Publish.h"

#include "net/FormEncoding.h"
#include "platform/Text.h"

namespace vx::net {

int ForumIdForCategory(int index) {
    return index >= 0 && index < int(kForumTable.size()) ? kForumTable[size_t(index)] : 6;
}

int CategoryIndex(std::string_view name) {
    for (size_t i = 0; i < kCategoryNames.size(); ++i)
        if (EqualsNoCase(name, kCategoryNames[i])) return int(i);
    return -1;
}

std::string MakePublishRequest(const DesignInfo& design, int categoryIndex, const ExchangeSettings& exchange,
                               const ProxySettings& proxy, PublishRequest& out) {
    if (design.path.empty()) return "The design must be saved before it can be published.";
    out = PublishRequest{};
    const std::string remote = RemoteFileName(design.path);
    if (remote.empty()) return "\"" + design.path + "\" names no file.";
    const std::string description = design.description.empty() ? kNoDescription : design.description;

    out.upload.localPath = design.path;
    out.upload.remoteName = remote;
    // The service's own host and account, with or without a proxy.
    out.upload.host = exchange.fileHost;
    out.upload.user = exchange.fileUser;
    out.upload.password = exchange.filePassword;
    out.formData = BuildFormData(ForumIdForCategory(categoryIndex), remote, exchange.memberName, design.title,
                                 description);
    out.postUrl = exchange.webAddress + kUploadPath + "?" + out.formData;

    out.options.connectTimeout = exchange.connectTimeout;
    out.options.stallTimeout = exchange.stallTimeout;
    if (proxy.useProxy == 1) {
        if (Trim(proxy.address).empty())
            return "No proxy address is set; enter one in Publish > Setup... or turn the proxy off.";
        const int port = ProxyPortNumber(proxy.port);
        if (port < 0) return "The proxy port \"" + proxy.port + "\" is not a port number.";
        out.options.proxy.host = Trim(proxy.address);
        out.options.proxy.port = port;
        if (proxy.useAuthorization == 1) {
            out.options.proxy.useAuthorization = true;
            out.options.proxy.userName = proxy.userName;
            out.options.proxy.password = proxy.password;
        }
    }
    return {};
}

TransferResult RunPublish(const PublishRequest& request, const PublishProgressFn& progress) {
    const ProgressFn upload = [&](int64_t done, int64_t total) {
        return !progress || progress(PublishStage::kUpload, done, total);
    };
    TransferResult r = UploadFile(request.upload, request.options, upload);
    if (!r.ok()) return r;
    const ProgressFn post = [&](int64_t done, int64_t total) {
        return !progress || progress(PublishStage::kPost, done, total);
    };
    r = PostForm(request.postUrl, request.formData, request.options, post);
    if (r.status == TransferResult::kFailed)
        r.message = "The design was uploaded, but the exchange service was not told about it. " + r.message;
    return r;
}

}  // namespace vx::net
