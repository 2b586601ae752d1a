#include "downloads_linux.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <cstring>

namespace qs::linuxos {

struct LinuxDownloads::Fetch {
    Progress progress;
    Finished finished;
    QByteArray body;
    QTimer* deadline = nullptr; // the reply's child, so it goes with the reply
};

namespace {

platform::DownloadResult failure(std::string why) {
    return {.ok = false, .body = {}, .error = std::move(why)};
}

bool isWebAddress(const QUrl& url) {
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

} // namespace

LinuxDownloads::LinuxDownloads(std::chrono::milliseconds timeout, const std::string& extraCaFile)
    : timeout_(timeout), context_(std::make_unique<QObject>()) {
    if (!extraCaFile.empty())
        extraCas_ = QSslCertificate::fromPath(QString::fromStdString(extraCaFile));
}

LinuxDownloads::~LinuxDownloads() {
    for (auto& [reply, fetch] : fetches_) {
        QObject::disconnect(reply, nullptr, context_.get(), nullptr);
        reply->abort();
        delete reply;
    }
    fetches_.clear();
}

std::optional<platform::DownloadStartError> LinuxDownloads::start(const std::string& url, Progress progress,
                                                                  Finished finished) {
    const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    if (!isWebAddress(address))
        return platform::DownloadStartError{EINVAL, std::strerror(EINVAL)};
    if (!manager_)
        manager_ = std::make_unique<QNetworkAccessManager>();

    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // Nor from a cache on the way.
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    if (!extraCas_.isEmpty()) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.addCaCertificates(extraCas_);
        request.setSslConfiguration(tls);
    }

    QNetworkReply* reply = manager_->get(request);
    auto fetch = std::make_unique<Fetch>();
    fetch->progress = std::move(progress);
    fetch->finished = std::move(finished);
    QObject* context = context_.get();
    QObject::connect(reply, &QNetworkReply::readyRead, context, [this, reply] { received(reply); });
    QObject::connect(reply, &QNetworkReply::downloadProgress, context, [this, reply](qint64 got, qint64 total) {
        const auto it = fetches_.find(reply);
        if (it != fetches_.end() && it->second->progress)
            it->second->progress(static_cast<long>(got), static_cast<long>(total < 0 ? 0 : total));
    });
    QObject::connect(reply, &QNetworkReply::finished, context, [this, reply] { replyFinished(reply); });
    fetch->deadline = new QTimer(reply);
    fetch->deadline->setSingleShot(true);
    QObject::connect(fetch->deadline, &QTimer::timeout, context, [this, reply] {
        end(reply, failure("No answer within " + std::to_string(timeout_.count()) + " ms."));
    });
    fetch->deadline->start(timeout_);
    fetches_.emplace(reply, std::move(fetch));
    return std::nullopt;
}

void LinuxDownloads::received(QNetworkReply* reply) {
    const auto it = fetches_.find(reply);
    if (it == fetches_.end())
        return;
    QByteArray& body = it->second->body;
    body += reply->readAll();
    if (body.size() > kMaxBody)
        end(reply, failure("The answer is larger than 64 KiB."));
}

void LinuxDownloads::replyFinished(QNetworkReply* reply) {
    if (!fetches_.contains(reply))
        return;
    if (reply->error() != QNetworkReply::NoError)
        return end(reply, failure(reply->errorString().toStdString()));
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status > 299)
        return end(reply, failure("HTTP status " + std::to_string(status) + "."));
    received(reply);
    if (const auto still = fetches_.find(reply); still != fetches_.end())
        end(reply, {.ok = true, .body = still->second->body.toStdString(), .error = {}});
}

void LinuxDownloads::end(QNetworkReply* reply, platform::DownloadResult result) {
    const auto it = fetches_.find(reply);
    if (it == fetches_.end())
        return;
    std::unique_ptr<Fetch> fetch = std::move(it->second);
    fetches_.erase(it);
    fetch->deadline->stop();
    QObject::disconnect(reply, nullptr, context_.get(), nullptr);
    reply->abort(); // does nothing once the reply has finished
    reply->deleteLater();
    // Always on a later turn of the event loop: never inside start, nor inside one of the reply's signals.
    QMetaObject::invokeMethod(
        context_.get(),
        [finished = std::move(fetch->finished), result = std::move(result)] {
            if (finished)
                finished(result);
        },
        Qt::QueuedConnection);
}

} // namespace qs::linuxos
