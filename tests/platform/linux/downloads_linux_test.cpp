// LinuxDownloads against loopback web servers (download_server.py): http, and https with a
// certificate made for the test.
#include "../../../src/platform/linux/downloads_linux.h"
#include "loop_until.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qs::linuxos {
namespace {

using Result = platform::DownloadResult;

// A download_server.py process; its port is the first line it prints.
struct WebServer {
    explicit WebServer(const QStringList& tlsFiles = {}) {
        process.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral(DOWNLOAD_SERVER)} + tlsFiles);
        if (process.waitForReadyRead(10000))
            port = process.readLine().trimmed().toInt();
    }
    ~WebServer() {
        process.kill();
        process.waitForFinished();
    }
    std::string url(const std::string& path) const {
        return "http" + std::string(tls ? "s" : "") + "://127.0.0.1:" + std::to_string(port) + path;
    }
    bool said(const QByteArray& line) {
        while (process.canReadLine())
            if (process.readLine().trimmed() == line)
                return true;
        return false;
    }
    QProcess process;
    int port = 0;
    bool tls = false;
};

class DownloadsLinux : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const QString key = folder_.filePath(QStringLiteral("key.pem")),
                      cert = folder_.filePath(QStringLiteral("ca.pem"));
        QProcess::execute(QStringLiteral("openssl"),
                          {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                           "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
                           key, "-out", cert});
        http_ = std::make_unique<WebServer>();
        https_ = std::make_unique<WebServer>(QStringList{cert, key});
        https_->tls = true;
    }
    static void TearDownTestSuite() {
        http_.reset();
        https_.reset();
    }
    void SetUp() override { ASSERT_TRUE(http_->port && https_->port) << "python3 with ssl, openssl"; }

    // One fetch to its end, told once and only after start has returned.
    static Result fetch(LinuxDownloads& downloads, const std::string& url) {
        std::optional<Result> result;
        int calls = 0;
        EXPECT_FALSE(downloads.start(url, {}, [&](const Result& r) {
            result = r;
            ++calls;
        })) << url;
        EXPECT_FALSE(result) << "told inside start";
        EXPECT_TRUE(test::loopUntil([&] { return result.has_value(); }, 20000)) << url;
        QCoreApplication::processEvents();
        EXPECT_EQ(calls, 1) << url;
        return result.value_or(Result{});
    }
    static std::string ca() { return folder_.filePath(QStringLiteral("ca.pem")).toStdString(); }

    static inline QTemporaryDir folder_;
    static inline std::unique_ptr<WebServer> http_, https_;
    LinuxDownloads downloads;
};

TEST_F(DownloadsLinux, TheBodyOfA2xxAnswerOfAtMost64KiBArrivesWhole) {
    EXPECT_EQ(fetch(downloads, http_->url("/version")).body, "2.3\r\n");
    const Result empty = fetch(downloads, http_->url("/empty"));
    EXPECT_TRUE(empty.ok && empty.body.empty()) << empty.error;
    EXPECT_EQ(fetch(downloads, http_->url("/size/65536")).body.size(), 65536u);
    for (const std::string path : {"/status/404", "/status/500", "/status/300", "/size/65537", "/size/5000000"}) {
        const Result failed = fetch(downloads, http_->url(path));
        EXPECT_FALSE(failed.ok) << path;
        EXPECT_EQ(failed.body, "") << path;
    }
}

TEST_F(DownloadsLinux, FiveRedirectsAreFollowedAndASixthFails) {
    EXPECT_EQ(fetch(downloads, http_->url("/hop/2")).body, "2.3\r\n");
    EXPECT_TRUE(fetch(downloads, http_->url("/hop/5")).ok);
    EXPECT_FALSE(fetch(downloads, http_->url("/hop/6")).ok);
}

TEST_F(DownloadsLinux, NoAnswerInTimeOrNoServerFails) {
    LinuxDownloads impatient(std::chrono::milliseconds(300));
    const Result slow = fetch(impatient, http_->url("/slow/timeout"));
    EXPECT_NE(slow.error.find("300 ms"), std::string::npos) << slow.error;
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const std::string nobody = "http://127.0.0.1:" + std::to_string(closed.serverPort()) + "/version";
    closed.close();
    EXPECT_FALSE(fetch(downloads, nobody).ok);
}

TEST_F(DownloadsLinux, HttpsNeedsATrustedCertificateAndStaysHttps) {
    LinuxDownloads trusting(LinuxDownloads::kTimeout, ca());
    EXPECT_EQ(fetch(trusting, https_->url("/version")).body, "2.3\r\n");
    EXPECT_FALSE(fetch(trusting, https_->url("/to-http/" + std::to_string(http_->port))).ok);
    EXPECT_FALSE(fetch(downloads, https_->url("/version")).ok) << "a certificate nobody vouches for";
}

TEST_F(DownloadsLinux, OnlyWebAddressesStart) {
    bool told = false;
    for (const std::string url : {"", "not an address", "ftp://127.0.0.1/version", "file:///etc/hostname"})
        EXPECT_TRUE(downloads.start(url, {}, [&](const Result&) { told = true; })) << url;
    QCoreApplication::processEvents();
    EXPECT_FALSE(told);
}

TEST_F(DownloadsLinux, AFetchRunningAtTheEndIsDroppedQuietly) {
    bool told = false;
    {
        LinuxDownloads ending;
        ASSERT_FALSE(ending.start(http_->url("/slow/end"), {}, [&](const Result&) { told = true; }));
        ASSERT_TRUE(test::loopUntil([] { return http_->said("began end"); }, 10000));
    }
    // A whole fetch turns the event loop well past anything the first had queued.
    EXPECT_TRUE(fetch(downloads, http_->url("/version")).ok);
    EXPECT_FALSE(told);
}

} // namespace
} // namespace qs::linuxos
