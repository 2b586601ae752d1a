#pragma once

#include "../download.h"
#include "../error_log.h"

#include <map>
#include <windows.h>

namespace qs::win32 {

class DownloadJob;

// Fetches with WinINet, each on a worker thread of its own (DownloadJob), so the interface thread
// never waits on the network. The workers post to a hidden message-only window made on the thread
// of the first start, the interface thread; its procedure tells progress and the end there, so no
// callback runs on a worker or inside start. Start, and destroy the service, on that thread.
//
// A window timer ends a fetch that has not ended within the time: the failure is told then, and the
// worker, which stops by itself at its next step, is forgotten when it posts. Its handles are not
// closed from here: the worker could be about to use one, and a closed handle's value may come back
// for the next fetch. The timer also covers a message the system could not post.
//
// When the service goes away (at the program's end), the fetches still running are dropped without
// a word: their handles are closed, which ends a blocked call, their workers are waited for a
// bounded time and post nothing more. A worker still blocked then ends on its own or with the
// process, holding only its share of its fetch. (Wine takes no receive timeout from the session,
// and closing a handle there does not end a wait for the answer's head: such a worker waits until
// the server gives up.)
class Win32Downloads : public platform::Downloads {
public:
    static constexpr DWORD kTimeoutMs = 30'000;

    explicit Win32Downloads(platform::ErrorLog& errors, DWORD timeoutMs = kTimeoutMs);
    ~Win32Downloads() override;
    Win32Downloads(const Win32Downloads&) = delete;
    Win32Downloads& operator=(const Win32Downloads&) = delete;

    // Only http:// and https:// addresses are fetched; another is refused as an unknown scheme.
    std::optional<platform::DownloadStartError> start(const std::string& url, Progress progress,
                                                      Finished finished) override;

private:
    struct Fetch {
        DownloadJob* job;
        Progress progress;
        Finished finished;
        bool told = false; // the time ran out: the worker's own end is not told again
    };

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool createWindow();
    void progressed(WPARAM number, long received);
    void ended(WPARAM number);
    void timeRanOut(WPARAM number);
    void tell(const Finished& finished, const platform::DownloadResult& result);

    platform::ErrorLog& errors_;
    const DWORD timeoutMs_;
    HWND window_ = nullptr;
    std::map<WPARAM, Fetch> fetches_;
};

} // namespace qs::win32
