#pragma once

#include <functional>
#include <optional>
#include <string>

namespace qs::platform {

// How a fetch ended: the whole body of a 2xx answer, or a failure (no connection, no answer within
// 30 s, an HTTP status other than 2xx, a TLS error, an answer over 64 KiB, more than 5 redirects).
struct DownloadResult {
    bool ok = false;
    std::string body;  // ok: what the server sent, possibly empty
    std::string error; // not ok: why, for the log
};

// Why a fetch could not even be started, as the system numbers and describes it.
struct DownloadStartError {
    int number = 0;
    std::string description; // "Access is denied."
};

// Fetches web addresses in the background: always from the server, never from a cache. The
// interface thread never waits on the network; progress and the end of a fetch are told on it,
// always after start has returned.
class Downloads {
public:
    using Progress = std::function<void(long received, long total)>;
    using Finished = std::function<void(const DownloadResult&)>;

    virtual ~Downloads() = default;

    // Starts one fetch; finished is called exactly once, later, unless the fetch could not start.
    virtual std::optional<DownloadStartError> start(const std::string& url, Progress progress, Finished finished) = 0;
};

} // namespace qs::platform
