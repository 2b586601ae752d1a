#pragma once

#include "../download.h"

#include <QList>
#include <QSslCertificate>
#include <chrono>
#include <map>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QObject;

namespace qs::linuxos {

// Fetches over Qt Network on the interface thread's event loop: always from the server, at most
// 5 redirects and never from https to http, only a 2xx answer of at most 64 KiB, within a time
// limit for the whole fetch. TLS is verified as usual; a certificate error fails the fetch.
class LinuxDownloads : public platform::Downloads {
public:
    static constexpr std::chrono::milliseconds kTimeout{30000};
    static constexpr qint64 kMaxBody = 64 * 1024;
    static constexpr int kMaxRedirects = 5;

    // extraCaFile: PEM certificates trusted besides the system's (a test's own authority).
    explicit LinuxDownloads(std::chrono::milliseconds timeout = kTimeout, const std::string& extraCaFile = {});
    // A fetch still running is abandoned without telling anyone.
    ~LinuxDownloads() override;
    LinuxDownloads(const LinuxDownloads&) = delete;
    LinuxDownloads& operator=(const LinuxDownloads&) = delete;

    // Only http and https addresses start; progress gets the total 0 while it is unknown.
    std::optional<platform::DownloadStartError> start(const std::string& url, Progress progress,
                                                      Finished finished) override;

private:
    struct Fetch;

    void received(QNetworkReply* reply);
    void replyFinished(QNetworkReply* reply);
    // Ends the fetch once: the reply goes, and finished is told on a later turn of the event loop.
    void end(QNetworkReply* reply, platform::DownloadResult result);

    std::chrono::milliseconds timeout_;
    QList<QSslCertificate> extraCas_;
    // Receives the queued results, so that none arrives once this object is gone.
    std::unique_ptr<QObject> context_;
    std::unique_ptr<QNetworkAccessManager> manager_; // made on the first fetch
    std::map<QNetworkReply*, std::unique_ptr<Fetch>> fetches_;
};

} // namespace qs::linuxos
