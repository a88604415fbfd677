// The two transfers of a publish, with libcurl: the file upload (FTP, to a
// temporary name that is renamed when complete) and the form post (HTTP,
// with a 2xx check). Both go through an HTTP proxy when one is given (the
// upload tunnels through it), give up when connecting or any progress takes
// longer than the timeouts, and stop when the progress callback says so.
// They block; run them off the GUI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vx::net {

struct ProxyOptions {
    std::string host;  // empty: no proxy (proxy variables of the environment are ignored too)
    int port = 0;      // 0: the proxy's default port
    bool useAuthorization = false;
    std::string userName;
    std::string password;
};

struct TransferOptions {
    ProxyOptions proxy;
    int connectTimeout = 30;  // seconds
    int stallTimeout = 60;    // seconds without a byte moving or an answer
};

// Called now and then with the bytes done and the bytes in all (0 while
// unknown); returning false cancels the transfer.
using ProgressFn = std::function<bool(int64_t done, int64_t total)>;

struct TransferResult {
    enum Status { kOk, kFailed, kCancelled };
    Status status = kOk;
    // What went wrong, in words (never holds a password).
    std::string message;
    long httpStatus = 0;
    bool ok() const { return status == kOk; }
};

struct UploadJob {
    std::string localPath;
    std::string host;  // "host" or "host:port"
    std::string user;
    std::string password;
    std::string remoteName;
};

// Uploads `job.localPath` as `.NAME.upload-XXXXXXXX` and renames it to NAME
// on the server when the upload completed; on failure the temporary file is
// deleted where the server still answers.
TransferResult UploadFile(const UploadJob& job, const TransferOptions& options, const ProgressFn& progress);

// Posts `formData` (application/x-www-form-urlencoded) to `url`; fails
// unless the final answer has a 2xx status.
TransferResult PostForm(const std::string& url, const std::string& formData, const TransferOptions& options,
                        const ProgressFn& progress);

// Initialises libcurl once; call from the main thread before the first
// transfer (the transfers call it too, for headless use).
void InitTransfers();

}  // namespace vx::net
