#pragma once

#include "../download.h"

#include <deque>
#include <optional>
#include <string>

namespace qs::fake {

// Fetches that wait for answers the test queues. An answer goes to the oldest fetch still in
// progress, or else to the next one to start; it arrives when the test calls deliver, never inside
// start. A fetch without an answer stays in progress.
class FakeDownloads : public platform::Downloads {
public:
    // The server answers with this body (empty: an answer of size 0).
    void serve(std::string body) { answers_.push_back(platform::DownloadResult{true, std::move(body), {}}); }
    // There is no connection.
    void serveError() { answers_.push_back(platform::DownloadResult{false, {}, "no connection"}); }
    // The next fetch cannot even be started.
    void refuseNextStart() { refuseNext_ = true; }
    // Hands the answered fetches their answers, in the order they started.
    void deliver();
    int inProgress() const { return static_cast<int>(fetches_.size()); }

    std::optional<platform::DownloadStartError> start(const std::string& url, Progress progress,
                                                      Finished finished) override;

private:
    struct Fetch {
        std::string url;
        Progress progress;
        Finished finished;
    };
    std::deque<Fetch> fetches_;
    std::deque<platform::DownloadResult> answers_;
    bool refuseNext_ = false;
};

} // namespace qs::fake
