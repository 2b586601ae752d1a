#include "downloads_win.h"

#include "download_job_win.h"
#include "system_message_win.h"
#include "web_address_win.h"

#include <vector>

namespace qs::win32 {

namespace {

constexpr const char* kWindowClass = "QuorrelShutdownDownloads";
constexpr const char* kAgent = "Quorrel Shutdown";
// How long going away waits for the workers whose handles it has closed.
constexpr DWORD kWorkerEndMs = 2000;

platform::DownloadStartError startError(DWORD code) {
    return {static_cast<int>(code), systemMessage(code)};
}

// Numbers are never reused within the process, so a message posted for a fetch of a service gone
// meanwhile matches nothing.
WPARAM nextNumber() {
    static LONG last = 0;
    return static_cast<WPARAM>(InterlockedIncrement(&last));
}

} // namespace

Win32Downloads::Win32Downloads(platform::ErrorLog& errors, DWORD timeoutMs) : errors_(errors), timeoutMs_(timeoutMs) {}

Win32Downloads::~Win32Downloads() {
    for (auto& [number, fetch] : fetches_)
        fetch.job->abort();
    const DWORD start = GetTickCount();
    for (auto& [number, fetch] : fetches_) {
        const DWORD waited = GetTickCount() - start;
        WaitForSingleObject(fetch.job->thread(), waited < kWorkerEndMs ? kWorkerEndMs - waited : 0);
        fetch.job->release();
    }
    if (window_)
        DestroyWindow(window_);
}

bool Win32Downloads::createWindow() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    window_ =
        CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    if (!window_) // the 9x family has no message-only windows: a hidden top-level one serves as well
        window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window_)
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return window_ != nullptr;
}

std::optional<platform::DownloadStartError> Win32Downloads::start(const std::string& url, Progress progress,
                                                                  Finished finished) {
    if (!isWebAddress(url))
        return startError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    if (!window_ && !createWindow())
        return startError(GetLastError());
    const HINTERNET session = InternetOpenA(kAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session)
        return startError(GetLastError());
    // Bounds for each blocking call; the window timer bounds the whole fetch.
    for (const DWORD option :
         {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        DWORD value = timeoutMs_;
        InternetSetOptionA(session, option, &value, sizeof value);
    }
    const WPARAM number = nextNumber();
    auto* job = new DownloadJob(url, session, timeoutMs_, window_, number);
    fetches_.emplace(number, Fetch{job, std::move(progress), std::move(finished)});
    if (!job->run()) {
        const DWORD error = GetLastError();
        fetches_.erase(number);
        job->release();
        return startError(error);
    }
    SetTimer(window_, number, timeoutMs_, nullptr);
    return std::nullopt;
}

LRESULT CALLBACK Win32Downloads::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Downloads*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case kDownloadProgressMessage:
        self->progressed(wParam, static_cast<long>(lParam));
        return 0;
    case kDownloadDoneMessage:
        self->ended(wParam);
        return 0;
    case WM_TIMER:
        self->timeRanOut(wParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void Win32Downloads::progressed(WPARAM number, long received) {
    const auto it = fetches_.find(number);
    if (it == fetches_.end() || it->second.told || !it->second.progress)
        return;
    // Copied: the callback may run a loop in which this fetch ends.
    const Progress progress = it->second.progress;
    const long total = it->second.job->total();
    try {
        progress(received, total);
    } catch (...) {
        errors_.error("download progress", platform::currentErrorText());
    }
}

void Win32Downloads::ended(WPARAM number) {
    const auto it = fetches_.find(number);
    if (it == fetches_.end())
        return;
    KillTimer(window_, number);
    const Fetch fetch = std::move(it->second);
    fetches_.erase(it);
    const platform::DownloadResult result = fetch.job->result();
    fetch.job->release();
    if (!fetch.told)
        tell(fetch.finished, result);
}

void Win32Downloads::timeRanOut(WPARAM number) {
    KillTimer(window_, number);
    const auto it = fetches_.find(number);
    if (it == fetches_.end() || it->second.told)
        return;
    it->second.told = true;
    const Finished finished = it->second.finished;
    tell(finished, noAnswerWithin(timeoutMs_));
}

void Win32Downloads::tell(const Finished& finished, const platform::DownloadResult& result) {
    try {
        finished(result);
    } catch (...) {
        errors_.error("download finished", platform::currentErrorText());
    }
}

} // namespace qs::win32
