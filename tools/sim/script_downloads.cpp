// The script as the maker's web server: the answers to downloads, and what the download control
// does with them.
#include "../../src/app/frmMain.h"
#include "../../src/update/Downloader.h"
#include "script.h"

namespace qs::sim {

namespace {

// TEXT with \r, \n, \t, \" and \\ turned into their characters.
std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            throw ScriptError("a lone \\ at the end of the text");
        switch (text[i]) {
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case '"':
        case '\\':
            out += text[i];
            break;
        default:
            throw ScriptError(std::string("unknown escape \\") + text[i]);
        }
    }
    return out;
}

} // namespace

void Script::serve(const std::string& rest) {
    auto& downloads = platform_.downloads;
    if (rest.empty())
        throw ScriptError("expected serve TEXT|empty|error|refused");
    if (rest == "empty")
        downloads.serve("");
    else if (rest == "error")
        downloads.serveError();
    else if (rest == "refused")
        downloads.refuseNextStart();
    else
        downloads.serve(unescape(rest));
}

void Script::traceDownloads(app::frmMain& main) {
    update::Downloader& dl = *main.DL;
    auto& out = platform_.transcript;
    dl.DownloadBegin = [&out](const std::string& url, const std::string& file) {
        out.line("download " + fake::quote(url) + " to " + fake::quote(file));
    };
    // Written when raised, before the main window's handlers run.
    dl.DownloadError = [&out, handler = dl.DownloadError](const std::string& file) {
        out.line("download-error " + fake::quote(file));
        if (handler)
            handler(file);
    };
    dl.DownloadComplete = [&out, handler = dl.DownloadComplete](long size, const std::string& file) {
        out.line("download-complete " + fake::quote(file) + " size=" + std::to_string(size));
        if (handler)
            handler(size, file);
    };
}

} // namespace qs::sim
