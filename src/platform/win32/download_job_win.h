#pragma once

#include "../download.h"

#include <string>
#include <windows.h>
#include <wininet.h>

namespace qs::win32 {

// Posted by a worker to the service's window: wParam the fetch's number, lParam the bytes
// received so far.
constexpr UINT kDownloadProgressMessage = WM_APP + 1;
// Posted once by a worker when its fetch has ended: wParam the fetch's number.
constexpr UINT kDownloadDoneMessage = WM_APP + 2;

// The failure of a fetch that has not ended within its time.
platform::DownloadResult noAnswerWithin(DWORD timeoutMs);

// One fetch with WinINet's blocking calls, run on a worker thread of its own. The interface thread
// that starts it and the worker share it; whichever lets go last frees it. The worker owns the
// WinINet handles and stops by itself once the time is up between two calls; each call is bounded
// by the session's timeouts.
class DownloadJob {
public:
    static constexpr std::size_t kMaxBytes = 64 * 1024;
    static constexpr int kMaxRedirects = 5;

    // session: an open InternetOpenA handle, now the job's. The time counts from run.
    DownloadJob(std::string url, HINTERNET session, DWORD timeoutMs, HWND window, WPARAM number);
    DownloadJob(const DownloadJob&) = delete;
    DownloadJob& operator=(const DownloadJob&) = delete;

    // Starts the worker; false, with the system's error left for GetLastError, when none was made.
    bool run();
    // Closes the handles, so a call blocked in them returns, and has the worker post nothing more.
    void abort();
    HANDLE thread() const { return thread_; }
    // The size the answer announced, 0 when unknown; set before the first progress message.
    long total() const { return total_; }
    // Complete once the done message has been posted.
    const platform::DownloadResult& result() const { return result_; }
    // Lets go of the job: the interface thread once, the worker once.
    void release();

private:
    ~DownloadJob();
    static DWORD WINAPI threadMain(void* job);
    platform::DownloadResult fetch();
    platform::DownloadResult readBody(HINTERNET request);
    HINTERNET session();
    bool adopt(HINTERNET request);
    void closeRequest();
    void closeAll();
    bool timeIsUp() const;
    void post(UINT message, LPARAM value);

    const std::string url_;
    const DWORD timeoutMs_;
    const HWND window_;
    const WPARAM number_;
    DWORD startTick_ = 0;
    LONG refs_ = 2;
    HANDLE thread_ = nullptr;
    long total_ = 0;
    platform::DownloadResult result_;
    // Guards the handles and abandoned_ between the worker and abort.
    CRITICAL_SECTION lock_;
    HINTERNET session_;
    HINTERNET request_ = nullptr;
    bool abandoned_ = false;
};

} // namespace qs::win32
