#pragma once

#include "../platform/platform.h"

#include <functional>
#include <memory>
#include <string>

namespace qs::update {

// The download control: fetches one address in the background and writes what came to a file.
// The end of a fetch is raised on the interface thread after BeginDownload has returned, except
// when the fetch cannot even start: that is reported at once, then ends as a failed fetch does.
class Downloader {
public:
    // name: how a failing handler is logged ("frmMain.DL").
    Downloader(platform::Platform& os, std::string name);
    ~Downloader();
    Downloader(const Downloader&) = delete;
    Downloader& operator=(const Downloader&) = delete;

    // Fetches url from the server (never from a cache); the bytes received go to SaveFile.
    void BeginDownload(const std::string& url, const std::string& SaveFile);

    // Raised by BeginDownload before the fetch is asked for, for whoever watches the control.
    std::function<void(const std::string& url, const std::string& SaveFile)> DownloadBegin;
    // Bytes received so far of MaxBytes; not raised while MaxBytes is 0.
    std::function<void(long CurBytes, long MaxBytes, const std::string& SaveFile)> DownloadProgress;
    // Nothing came, or nothing could be written: no connection, an empty answer, an unwritable file.
    std::function<void(const std::string& SaveFile)> DownloadError;
    // The fetch has ended, after DownloadError too; MaxBytes is 0 when nothing came.
    std::function<void(long MaxBytes, const std::string& SaveFile)> DownloadComplete;

private:
    void Finished(const std::string& SaveFile, const platform::DownloadResult& result);
    // Raises DownloadError (when failed) and DownloadComplete.
    void End(const std::string& SaveFile, bool failed, long MaxBytes);
    // A failing handler is logged and goes no further.
    void Raise(const char* event, const std::function<void()>& call);

    platform::Platform& os_;
    std::string name_;
    // Answers can come after the control has gone (the program ends with a fetch under way): the
    // callbacks hold this weakly and drop what comes late.
    std::shared_ptr<Downloader*> self_;
};

} // namespace qs::update
