// Real servers on the loopback interface for the exchange tests, each a
// child process on a free port, stopped when the object goes:
//
//     vxtest::FtpServer ftp(root, "sketcher", "lanternwick");
//     ASSERT_TRUE(ftp.ok()) << ftp.error();
//     ... upload to "127.0.0.1:" + std::to_string(ftp.port()) ...
//
// Start-up waits for the server's own word that it listens (a "PORT n" line,
// tinyproxy's "Accepting connections"), never for a fixed time.
#pragma once

#include <QJsonObject>
#include <QProcess>
#include <memory>
#include <string>
#include <vector>

namespace vx {
class SettingsStore;
}

namespace vxtest {

class ServerProcess {
public:
    virtual ~ServerProcess();
    bool ok() const { return port_ > 0; }
    int port() const { return port_; }
    const std::string& error() const { return error_; }
    // "127.0.0.1:PORT"
    std::string hostPort() const { return "127.0.0.1:" + std::to_string(port_); }
    // Everything the server printed so far.
    std::string output();

protected:
    // Starts `program` and waits until a line of its output contains
    // `ready`; a "PORT n" line gives the port.
    void Start(const QString& program, const QStringList& args, const QString& ready);

    std::unique_ptr<QProcess> proc_;
    int port_ = 0;
    std::string error_;
    QByteArray out_;
};

// pyftpdlib with one account on `root`; `readLimit` throttles uploads to
// that many bytes per second.
class FtpServer : public ServerProcess {
public:
    FtpServer(const std::string& root, const std::string& user, const std::string& password, int readLimit = 0);
};

// An HTTP server that records every request (see Records) and answers
// `status`, or with the file of `serveDir` the path names.
class FormServer : public ServerProcess {
public:
    explicit FormServer(int status = 200, const std::string& serveDir = {});
    std::string url() const { return "http://" + hostPort(); }
    // The recorded requests: "method", "path", "query", "content_type",
    // "body" (raw, Latin-1), "fields" and "query_fields" (decoded as
    // Windows-1252 by the server).
    std::vector<QJsonObject> Records() const;

private:
    std::string record_;
};

// Accepts connections and never answers.
class SilentServer : public ServerProcess {
public:
    SilentServer();
};

// tinyproxy, with Basic authorization when a user is given; `log()` has its
// log (connections and CONNECT requests).
class HttpProxy : public ServerProcess {
public:
    explicit HttpProxy(const std::string& user = {}, const std::string& password = {});
};

// Points the exchange settings of `store` at the test servers: the FTP
// server with the service's account, the web server, `timeout` seconds for
// connecting and stalls, and `member` as member name.
void PointExchangeAt(vx::SettingsStore& store, const FtpServer& ftp, const FormServer& web, int timeout = 5,
                     const std::string& member = "Anna Maria");

// Writes a design with the given Title and Description to `path`.
void WriteDesign(const std::string& path, const std::string& title, const std::string& description);

}  // namespace vxtest
