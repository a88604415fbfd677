#include "net/Transfer.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <mutex>
#include <random>

#include "platform/Text.h"

namespace vx::net {

namespace {

struct CurlDeleter {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;

struct SlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

void Append(Slist& list, const std::string& line) {
    curl_slist* l = curl_slist_append(list.get(), line.c_str());
    if (l) {
        list.release();
        list.reset(l);
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// What the progress callback sees.
struct Progress {
    const ProgressFn* fn = nullptr;
    bool upload = true;
};

int OnProgress(void* p, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal, curl_off_t ulNow) {
    const auto* pr = static_cast<Progress*>(p);
    if (!pr->fn || !*pr->fn) return 0;
    const bool go = pr->upload ? (*pr->fn)(ulNow, ulTotal) : (*pr->fn)(ulNow + dlNow, ulTotal + dlTotal);
    return go ? 0 : 1;
}

size_t Discard(char*, size_t size, size_t n, void*) { return size * n; }

std::string HostOnly(const std::string& host) {
    const size_t scheme = host.find("://");
    std::string h = scheme == std::string::npos ? host : host.substr(scheme + 3);
    while (!h.empty() && h.back() == '/') h.pop_back();
    return h;
}

// Settings both transfers share: timeouts, the proxy, the progress hook.
void SetCommon(CURL* c, const TransferOptions& o, Progress& progress, char* errors) {
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errors);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(o.connectTimeout));
    // A transfer that moves no byte for the stall time ends.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(o.stallTimeout));
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &progress);
    if (o.proxy.host.empty()) {
        // No proxy means none: not one from the environment either.
        curl_easy_setopt(c, CURLOPT_PROXY, "");
        return;
    }
    curl_easy_setopt(c, CURLOPT_PROXY, o.proxy.host.c_str());
    curl_easy_setopt(c, CURLOPT_PROXYTYPE, long(CURLPROXY_HTTP));
    if (o.proxy.port > 0) curl_easy_setopt(c, CURLOPT_PROXYPORT, long(o.proxy.port));
    if (o.proxy.useAuthorization) {
        curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, o.proxy.userName.c_str());
        curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, o.proxy.password.c_str());
        curl_easy_setopt(c, CURLOPT_PROXYAUTH, long(CURLAUTH_ANY));
    }
}

std::string Cause(CURLcode code, const char* errors, const TransferOptions& o) {
    std::string detail = errors && *errors ? errors : curl_easy_strerror(code);
    switch (code) {
    case CURLE_LOGIN_DENIED:
        return "the server refused the login (" + detail + ")";
    case CURLE_OPERATION_TIMEDOUT:
        return Format("no answer or progress within %d seconds (", o.stallTimeout) + detail + ")";
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return "cannot connect (" + detail + ")";
    default:
        return detail;
    }
}

std::string TempName(const std::string& name) {
    std::random_device rd;
    return Format(".%s.upload-%08x", name.c_str(), unsigned(rd()));
}

// Removes a left-over temporary upload; best effort, bounded in time.
void DeleteRemote(const UploadJob& job, const std::string& name, const TransferOptions& o) {
    CurlHandle c(curl_easy_init());
    if (!c) return;
    TransferOptions quick = o;
    quick.connectTimeout = std::min(o.connectTimeout, 5);
    quick.stallTimeout = std::min(o.stallTimeout, 5);
    Progress none;
    char errors[CURL_ERROR_SIZE] = {};
    SetCommon(c.get(), quick, none, errors);
    const std::string url = "ftp://" + HostOnly(job.host) + "/";
    curl_easy_setopt(c.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(c.get(), CURLOPT_USERNAME, job.user.c_str());
    curl_easy_setopt(c.get(), CURLOPT_PASSWORD, job.password.c_str());
    curl_easy_setopt(c.get(), CURLOPT_SERVER_RESPONSE_TIMEOUT, long(quick.stallTimeout));
    if (!o.proxy.host.empty()) curl_easy_setopt(c.get(), CURLOPT_HTTPPROXYTUNNEL, 1L);
    curl_easy_setopt(c.get(), CURLOPT_NOBODY, 1L);
    Slist quote;
    Append(quote, "DELE " + name);
    curl_easy_setopt(c.get(), CURLOPT_QUOTE, quote.get());
    curl_easy_perform(c.get());
}

}  // namespace

void InitTransfers() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

TransferResult UploadFile(const UploadJob& job, const TransferOptions& o, const ProgressFn& progressFn) {
    InitTransfers();
    TransferResult r;
    const std::string what = "The upload of \"" + job.remoteName + "\" to " + HostOnly(job.host) + " failed: ";
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(job.localPath.c_str(), "rb"));
    if (!file) {
        r.status = TransferResult::kFailed;
        r.message = what + "cannot read " + job.localPath;
        return r;
    }
    std::fseek(file.get(), 0, SEEK_END);
    const long size = std::ftell(file.get());
    std::rewind(file.get());

    CurlHandle c(curl_easy_init());
    if (!c) {
        r.status = TransferResult::kFailed;
        r.message = what + "the transfer library cannot start";
        return r;
    }
    // The server's names are 8-bit text, like the form's.
    std::string remote;
    if (!Utf8ToCp1252(job.remoteName, remote)) remote = job.remoteName;
    const std::string temp = TempName(remote);
    char* escaped = curl_easy_escape(c.get(), temp.c_str(), int(temp.size()));
    const std::string url = "ftp://" + HostOnly(job.host) + "/" + (escaped ? escaped : "");
    curl_free(escaped);

    Progress progress{&progressFn, true};
    char errors[CURL_ERROR_SIZE] = {};
    SetCommon(c.get(), o, progress, errors);
    curl_easy_setopt(c.get(), CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(c.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(c.get(), CURLOPT_USERNAME, job.user.c_str());
    curl_easy_setopt(c.get(), CURLOPT_PASSWORD, job.password.c_str());
    // A control connection that stops answering ends the upload too.
    curl_easy_setopt(c.get(), CURLOPT_SERVER_RESPONSE_TIMEOUT, long(o.stallTimeout));
    // Through an HTTP proxy the control and data connections are tunnelled.
    if (!o.proxy.host.empty()) curl_easy_setopt(c.get(), CURLOPT_HTTPPROXYTUNNEL, 1L);
    curl_easy_setopt(c.get(), CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c.get(), CURLOPT_READDATA, file.get());
    curl_easy_setopt(c.get(), CURLOPT_INFILESIZE_LARGE, curl_off_t(size < 0 ? 0 : size));
    // Only a complete upload gets the final name; libcurl sends these after
    // a transfer without error.
    Slist rename;
    Append(rename, "RNFR " + temp);
    Append(rename, "RNTO " + remote);
    curl_easy_setopt(c.get(), CURLOPT_POSTQUOTE, rename.get());

    const CURLcode code = curl_easy_perform(c.get());
    if (code == CURLE_OK) return r;
    curl_off_t sent = 0;
    curl_easy_getinfo(c.get(), CURLINFO_SIZE_UPLOAD_T, &sent);
    c.reset();
    r.status = code == CURLE_ABORTED_BY_CALLBACK ? TransferResult::kCancelled : TransferResult::kFailed;
    r.message = code == CURLE_ABORTED_BY_CALLBACK ? "The upload was cancelled." : what + Cause(code, errors, o);
    if (sent > 0 || code == CURLE_QUOTE_ERROR || code == CURLE_ABORTED_BY_CALLBACK) DeleteRemote(job, temp, o);
    return r;
}

TransferResult PostForm(const std::string& url, const std::string& formData, const TransferOptions& o,
                        const ProgressFn& progressFn) {
    InitTransfers();
    TransferResult r;
    const std::string what = "The form post to the exchange service failed: ";
    CurlHandle c(curl_easy_init());
    if (!c) {
        r.status = TransferResult::kFailed;
        r.message = what + "the transfer library cannot start";
        return r;
    }
    Progress progress{&progressFn, false};
    char errors[CURL_ERROR_SIZE] = {};
    SetCommon(c.get(), o, progress, errors);
    curl_easy_setopt(c.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c.get(), CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(c.get(), CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(formData.size()));
    curl_easy_setopt(c.get(), CURLOPT_COPYPOSTFIELDS, formData.c_str());
    Slist headers;
    Append(headers, "Content-Type: application/x-www-form-urlencoded");
    curl_easy_setopt(c.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c.get(), CURLOPT_WRITEFUNCTION, Discard);

    const CURLcode code = curl_easy_perform(c.get());
    curl_easy_getinfo(c.get(), CURLINFO_RESPONSE_CODE, &r.httpStatus);
    if (code == CURLE_ABORTED_BY_CALLBACK) {
        r.status = TransferResult::kCancelled;
        r.message = "The form post was cancelled.";
    } else if (code != CURLE_OK) {
        r.status = TransferResult::kFailed;
        r.message = what + Cause(code, errors, o);
    } else if (r.httpStatus < 200 || r.httpStatus > 299) {
        r.status = TransferResult::kFailed;
        r.message = Format("The exchange service refused the form post: it answered with status %ld", r.httpStatus);
        if (r.httpStatus == 407) r.message += " (the proxy wants other credentials)";
        r.message += ".";
    }
    return r;
}

}  // namespace vx::net
