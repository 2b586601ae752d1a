#include "download_job_win.h"

#include "../error_log.h"
#include "system_message_win.h"
#include "web_address_win.h"

#include <algorithm>

namespace qs::win32 {

namespace {

// Always from the server, never kept: the answer decides whether an update exists. No redirect is
// followed by WinINet itself, so they can be counted. No dialog ever.
constexpr DWORD kFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                         INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;

platform::DownloadResult failure(std::string why) {
    return {false, {}, std::move(why)};
}

platform::DownloadResult systemFailure(DWORD code) {
    return failure(systemMessage(code) + " (" + std::to_string(code) + ")");
}

bool isRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::optional<DWORD> numberHeader(HINTERNET request, DWORD header) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!HttpQueryInfoA(request, header | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr))
        return std::nullopt;
    return value;
}

std::optional<std::string> textHeader(HINTERNET request, DWORD header) {
    DWORD size = 0;
    if (HttpQueryInfoA(request, header, nullptr, &size, nullptr) || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return std::nullopt;
    std::string text(size, '\0');
    if (!HttpQueryInfoA(request, header, text.data(), &size, nullptr))
        return std::nullopt;
    text.resize(size);
    return text;
}

platform::DownloadResult tooLarge() {
    return failure("the answer is larger than " + std::to_string(DownloadJob::kMaxBytes) + " bytes");
}

} // namespace

platform::DownloadResult noAnswerWithin(DWORD timeoutMs) {
    return failure("no answer within " + std::to_string(timeoutMs) + " ms");
}

DownloadJob::DownloadJob(std::string url, HINTERNET session, DWORD timeoutMs, HWND window, WPARAM number)
    : url_(std::move(url)), timeoutMs_(timeoutMs), window_(window), number_(number), session_(session) {
    InitializeCriticalSection(&lock_);
}

DownloadJob::~DownloadJob() {
    closeAll();
    if (thread_)
        CloseHandle(thread_);
    DeleteCriticalSection(&lock_);
}

bool DownloadJob::run() {
    startTick_ = GetTickCount();
    thread_ = CreateThread(nullptr, 0, threadMain, this, 0, nullptr);
    if (!thread_)
        InterlockedDecrement(&refs_); // the worker's share, never taken
    return thread_ != nullptr;
}

void DownloadJob::release() {
    if (InterlockedDecrement(&refs_) == 0)
        delete this;
}

DWORD WINAPI DownloadJob::threadMain(void* param) {
    auto* job = static_cast<DownloadJob*>(param);
    try {
        job->result_ = job->fetch();
    } catch (...) {
        job->result_ = failure(platform::currentErrorText());
    }
    job->closeAll();
    job->post(kDownloadDoneMessage, 0);
    job->release();
    return 0;
}

platform::DownloadResult DownloadJob::fetch() {
    std::string url = url_;
    for (int redirects = 0;; ++redirects) {
        if (timeIsUp())
            return noAnswerWithin(timeoutMs_);
        const HINTERNET request = InternetOpenUrlA(session(), url.c_str(), nullptr, 0, kFlags, 0);
        if (!request)
            return timeIsUp() ? noAnswerWithin(timeoutMs_) : systemFailure(GetLastError());
        if (!adopt(request))
            return failure("abandoned");
        const auto status = numberHeader(request, HTTP_QUERY_STATUS_CODE);
        if (!status)
            return systemFailure(GetLastError());
        if (*status >= 200 && *status <= 299)
            return readBody(request);
        if (!isRedirect(*status))
            return failure("HTTP status " + std::to_string(*status));
        if (redirects == kMaxRedirects)
            return failure("more than " + std::to_string(kMaxRedirects) + " redirects");
        const auto location = textHeader(request, HTTP_QUERY_LOCATION);
        const auto next = location ? resolveAddress(url, *location) : std::nullopt;
        if (!next || !isWebAddress(*next))
            return failure("a redirect to no web address");
        // An answer asked for over TLS must come over TLS.
        if (schemeOf(url) == INTERNET_SCHEME_HTTPS && schemeOf(*next) != INTERNET_SCHEME_HTTPS)
            return failure("a redirect from HTTPS to HTTP");
        closeRequest();
        url = *next;
    }
}

platform::DownloadResult DownloadJob::readBody(HINTERNET request) {
    if (const auto length = numberHeader(request, HTTP_QUERY_CONTENT_LENGTH)) {
        if (*length > kMaxBytes)
            return tooLarge();
        total_ = static_cast<long>(*length);
    }
    std::string body;
    for (;;) {
        if (timeIsUp())
            return noAnswerWithin(timeoutMs_);
        // Waits for some bytes only: InternetReadFile waits until its whole buffer is filled, so a
        // server sending a byte at a time would hold it past the time.
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0))
            return systemFailure(GetLastError());
        if (available == 0)
            break;
        const std::size_t had = body.size();
        body.resize(had + std::min<std::size_t>(available, kMaxBytes + 1 - had));
        DWORD got = 0;
        if (!InternetReadFile(request, body.data() + had, static_cast<DWORD>(body.size() - had), &got))
            return systemFailure(GetLastError());
        body.resize(had + got);
        if (body.size() > kMaxBytes)
            return tooLarge();
        if (got == 0)
            break;
        post(kDownloadProgressMessage, static_cast<LPARAM>(body.size()));
    }
    if (total_ != 0 && body.size() != static_cast<std::size_t>(total_))
        return failure("the answer ended after " + std::to_string(body.size()) + " of " + std::to_string(total_) +
                       " bytes");
    return {true, std::move(body), {}};
}

bool DownloadJob::timeIsUp() const {
    return GetTickCount() - startTick_ >= timeoutMs_;
}

HINTERNET DownloadJob::session() {
    EnterCriticalSection(&lock_);
    const HINTERNET session = session_;
    LeaveCriticalSection(&lock_);
    return session;
}

bool DownloadJob::adopt(HINTERNET request) {
    EnterCriticalSection(&lock_);
    const bool wanted = !abandoned_;
    if (wanted)
        request_ = request;
    LeaveCriticalSection(&lock_);
    if (!wanted)
        InternetCloseHandle(request);
    return wanted;
}

void DownloadJob::closeRequest() {
    EnterCriticalSection(&lock_);
    if (request_)
        InternetCloseHandle(request_);
    request_ = nullptr;
    LeaveCriticalSection(&lock_);
}

void DownloadJob::closeAll() {
    EnterCriticalSection(&lock_);
    if (request_)
        InternetCloseHandle(request_);
    if (session_)
        InternetCloseHandle(session_);
    request_ = session_ = nullptr;
    LeaveCriticalSection(&lock_);
}

void DownloadJob::abort() {
    EnterCriticalSection(&lock_);
    abandoned_ = true;
    LeaveCriticalSection(&lock_);
    closeAll();
}

void DownloadJob::post(UINT message, LPARAM value) {
    EnterCriticalSection(&lock_);
    if (!abandoned_)
        PostMessageA(window_, message, number_, value);
    LeaveCriticalSection(&lock_);
}

} // namespace qs::win32
