#include "downloads_fake.h"

#include <utility>

namespace qs::fake {

std::optional<platform::DownloadStartError> FakeDownloads::start(const std::string& url, Progress progress,
                                                                 Finished finished) {
    if (std::exchange(refuseNext_, false))
        return platform::DownloadStartError{5, "Access is denied."};
    fetches_.push_back(Fetch{url, std::move(progress), std::move(finished)});
    return std::nullopt;
}

void FakeDownloads::deliver() {
    // A handler may start another fetch or serve again: take each pair out before calling it.
    while (!fetches_.empty() && !answers_.empty()) {
        Fetch fetch = std::move(fetches_.front());
        fetches_.pop_front();
        const platform::DownloadResult answer = std::move(answers_.front());
        answers_.pop_front();
        const long size = static_cast<long>(answer.body.size());
        if (answer.ok && size > 0 && fetch.progress)
            fetch.progress(size, size);
        fetch.finished(answer);
    }
}

} // namespace qs::fake
