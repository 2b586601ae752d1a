// LinuxDownloads against loopback web servers (download_server.py), over http and over https with
// a certificate made for the test.
#include "../../../src/platform/linux/downloads_linux.h"
#include "loop_until.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qs::linuxos {
namespace {

using namespace std::chrono_literals;

// A download_server.py process; its port is the first line it prints.
class WebServer {
public:
    explicit WebServer(const QStringList& tlsFiles = {}) {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral(DOWNLOAD_SERVER)} + tlsFiles);
        if (process_.waitForReadyRead(10000))
            port_ = process_.readLine().trimmed().toInt();
    }
    ~WebServer() {
        process_.kill();
        process_.waitForFinished();
    }
    std::string url(const std::string& scheme, const std::string& path) const {
        return scheme + "://127.0.0.1:" + std::to_string(port_) + path;
    }
    int port() const { return port_; }
    // True once the server has printed this line.
    bool said(const QByteArray& line) {
        while (process_.canReadLine())
            if (process_.readLine().trimmed() == line)
                return true;
        return false;
    }

private:
    QProcess process_;
    int port_ = 0;
};

class DownloadsLinux : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new QTemporaryDir;
        const QString cert = folder_->filePath(QStringLiteral("cert.pem"));
        const QString key = folder_->filePath(QStringLiteral("key.pem"));
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-days",
                       "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out",
                       cert});
        openssl.waitForFinished();
        caFile_ = cert.toStdString();
        http_ = new WebServer;
        https_ = new WebServer({cert, key});
    }
    static void TearDownTestSuite() {
        delete https_;
        delete http_;
        delete folder_;
    }
    void SetUp() override {
        ASSERT_NE(http_->port(), 0) << "python3 " DOWNLOAD_SERVER;
        ASSERT_NE(https_->port(), 0) << "openssl, and python3 with ssl";
    }

    // One fetch to its end; checks that finished comes after start has returned, and once.
    static platform::DownloadResult fetch(LinuxDownloads& downloads, const std::string& url,
                                          long* lastReceived = nullptr) {
        std::optional<platform::DownloadResult> result;
        int calls = 0;
        const auto refused = downloads.start(
            url,
            [lastReceived](long received, long) {
                if (lastReceived)
                    *lastReceived = received;
            },
            [&](const platform::DownloadResult& r) {
                result = r;
                ++calls;
            });
        EXPECT_FALSE(refused.has_value()) << url;
        EXPECT_FALSE(result.has_value()) << "told inside start: " << url;
        EXPECT_TRUE(test::loopUntil([&] { return result.has_value(); }, 20000)) << url;
        QCoreApplication::processEvents();
        EXPECT_EQ(calls, 1) << url;
        return result.value_or(platform::DownloadResult{});
    }

    static inline QTemporaryDir* folder_ = nullptr;
    static inline std::string caFile_;
    static inline WebServer* http_ = nullptr;
    static inline WebServer* https_ = nullptr;
};

TEST_F(DownloadsLinux, ABodyOfASuccessfulAnswerArrivesWhole) {
    LinuxDownloads downloads;
    const auto version = fetch(downloads, http_->url("http", "/version"));
    EXPECT_TRUE(version.ok) << version.error;
    EXPECT_EQ(version.body, "2.3\r\n");
    const auto empty = fetch(downloads, http_->url("http", "/empty"));
    EXPECT_TRUE(empty.ok) << empty.error;
    EXPECT_EQ(empty.body, "");
    long received = 0;
    const auto largest = fetch(downloads, http_->url("http", "/size/65536"), &received);
    EXPECT_TRUE(largest.ok) << largest.error;
    EXPECT_EQ(largest.body.size(), 65536u);
    EXPECT_EQ(received, 65536);
}

TEST_F(DownloadsLinux, AnErrorPageOrAnOversizedAnswerFails) {
    LinuxDownloads downloads;
    for (const int status : {404, 500, 300}) {
        const auto page = fetch(downloads, http_->url("http", "/status/" + std::to_string(status)));
        EXPECT_FALSE(page.ok) << status;
        EXPECT_EQ(page.body, "") << "a page of status " << status << " is no version file";
    }
    EXPECT_FALSE(fetch(downloads, http_->url("http", "/size/65537")).ok);
    EXPECT_FALSE(fetch(downloads, http_->url("http", "/size/5000000")).ok);
}

TEST_F(DownloadsLinux, FiveRedirectsAreFollowedAndASixthFails) {
    LinuxDownloads downloads;
    const auto two = fetch(downloads, http_->url("http", "/hop/2"));
    EXPECT_TRUE(two.ok) << two.error;
    EXPECT_EQ(two.body, "2.3\r\n");
    EXPECT_TRUE(fetch(downloads, http_->url("http", "/hop/5")).ok);
    EXPECT_FALSE(fetch(downloads, http_->url("http", "/hop/6")).ok);
}

TEST_F(DownloadsLinux, NoAnswerInTimeOrNoServerFails) {
    LinuxDownloads downloads(300ms);
    const auto slow = fetch(downloads, http_->url("http", "/slow/timeout"));
    EXPECT_FALSE(slow.ok);
    EXPECT_NE(slow.error.find("300 ms"), std::string::npos) << slow.error;
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const int port = closed.serverPort();
    closed.close();
    EXPECT_FALSE(fetch(downloads, "http://127.0.0.1:" + std::to_string(port) + "/version").ok);
}

TEST_F(DownloadsLinux, HttpsNeedsATrustedCertificateAndStaysHttps) {
    LinuxDownloads trusting(LinuxDownloads::kTimeout, caFile_);
    const auto version = fetch(trusting, https_->url("https", "/version"));
    EXPECT_TRUE(version.ok) << version.error;
    EXPECT_EQ(version.body, "2.3\r\n");
    EXPECT_FALSE(fetch(trusting, https_->url("https", "/to-http/" + std::to_string(http_->port()))).ok)
        << "a redirect from https to http";
    LinuxDownloads plain;
    EXPECT_FALSE(fetch(plain, https_->url("https", "/version")).ok) << "a certificate nobody vouches for";
}

TEST_F(DownloadsLinux, OnlyWebAddressesStart) {
    LinuxDownloads downloads;
    bool told = false;
    for (const std::string url : {"", "not an address", "ftp://127.0.0.1/version", "file:///etc/hostname"}) {
        const auto refused = downloads.start(url, {}, [&](const platform::DownloadResult&) { told = true; });
        ASSERT_TRUE(refused.has_value()) << url;
        EXPECT_FALSE(refused->description.empty());
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(told);
}

TEST_F(DownloadsLinux, AFetchRunningAtTheEndIsDroppedQuietly) {
    bool told = false;
    {
        LinuxDownloads downloads;
        ASSERT_FALSE(downloads.start(http_->url("http", "/slow/end"), {},
                                     [&](const platform::DownloadResult&) { told = true; }));
        ASSERT_TRUE(test::loopUntil([] { return http_->said("began end"); }, 10000));
    }
    // Another fetch's whole course turns the event loop well past anything the first had queued.
    LinuxDownloads next;
    EXPECT_TRUE(fetch(next, http_->url("http", "/version")).ok);
    EXPECT_FALSE(told);
}

} // namespace
} // namespace qs::linuxos
