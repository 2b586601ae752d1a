#include "Downloader.h"

namespace qs::update {

Downloader::Downloader(platform::Platform& os, std::string name)
    : os_(os), name_(std::move(name)), self_(std::make_shared<Downloader*>(this)) {}

Downloader::~Downloader() = default;

void Downloader::BeginDownload(const std::string& url, const std::string& SaveFile) {
    if (DownloadBegin)
        Raise("DownloadBegin", [&] { DownloadBegin(url, SaveFile); });
    std::weak_ptr<Downloader*> self = self_;
    auto progress = [self, SaveFile](long received, long total) {
        if (const auto alive = self.lock(); alive && total != 0 && (*alive)->DownloadProgress)
            (*alive)->Raise("DownloadProgress", [&] { (*alive)->DownloadProgress(received, total, SaveFile); });
    };
    auto finished = [self, SaveFile](const platform::DownloadResult& result) {
        if (const auto alive = self.lock())
            (*alive)->Finished(SaveFile, result);
    };
    const auto failure = os_.downloads.start(url, progress, finished);
    if (!failure)
        return;
    os_.dialogs.messageBox(std::to_string(failure->number) + ":Error in call to BeginDownload()." + "\r\n\r\n" +
                               "Error Description: " + failure->description,
                           platform::kStyleCritical, "Warning");
    // Nothing will follow: end it here, so whoever waits for the end is not left waiting.
    End(SaveFile, true, 0);
}

void Downloader::Finished(const std::string& SaveFile, const platform::DownloadResult& result) {
    const long size = result.ok ? static_cast<long>(result.body.size()) : 0;
    const bool written = size != 0 && os_.files.writeAll(SaveFile, result.body);
    End(SaveFile, !written, size);
}

void Downloader::End(const std::string& SaveFile, bool failed, long MaxBytes) {
    if (failed && DownloadError)
        Raise("DownloadError", [&] { DownloadError(SaveFile); });
    if (DownloadComplete)
        Raise("DownloadComplete", [&] { DownloadComplete(MaxBytes, SaveFile); });
}

void Downloader::Raise(const char* event, const std::function<void()>& call) {
    try {
        call();
    } catch (...) {
        os_.errors.error(name_ + "." + event, platform::currentErrorText());
    }
}

} // namespace qs::update
