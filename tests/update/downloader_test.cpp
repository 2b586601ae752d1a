// The download control over the platform's downloads: when its events come, what it writes, and
// what happens to answers nobody is waiting for any more.
#include "platform/fake/fake_platform.h"
#include "update/Downloader.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

using namespace qs;

namespace {

struct DownloaderTest : ::testing::Test {
    std::ostringstream out;
    fake::FakePlatform os{out};
    platform::Platform services = os.services();
    std::string events;

    std::unique_ptr<update::Downloader> make() {
        auto dl = std::make_unique<update::Downloader>(services, "frmMain.DL");
        dl->DownloadProgress = [this](long cur, long max, const std::string& file) {
            events += "progress " + std::to_string(cur) + "/" + std::to_string(max) + " " + file + ";";
        };
        dl->DownloadError = [this](const std::string& file) { events += "error " + file + ";"; };
        dl->DownloadComplete = [this](long max, const std::string& file) {
            events += "complete " + std::to_string(max) + " " + file + ";";
        };
        return dl;
    }
};

TEST_F(DownloaderTest, TheAnswerComesAfterBeginDownloadAndIsWrittenToTheFile) {
    auto dl = make();
    os.downloads.serve("2.3\r\n");
    dl->BeginDownload("https://www.example.com/v.txt", "C:\\Apps\\tmp_ver");
    EXPECT_EQ(events, "");
    os.downloads.deliver();
    EXPECT_EQ(events, "progress 5/5 C:\\Apps\\tmp_ver;complete 5 C:\\Apps\\tmp_ver;");
    EXPECT_EQ(os.files.get("C:\\Apps\\tmp_ver"), "2.3\r\n");
}

TEST_F(DownloaderTest, NothingToWriteEndsInErrorThenComplete) {
    auto dl = make();
    os.downloads.serve("");
    os.downloads.serveError();
    os.downloads.serve("2.2");
    dl->BeginDownload("u", "a");
    dl->BeginDownload("u", "b");
    os.files.setReadOnly(true);
    dl->BeginDownload("u", "c");
    os.downloads.deliver();
    EXPECT_EQ(events, "error a;complete 0 a;error b;complete 0 b;progress 3/3 c;error c;complete 3 c;");
    EXPECT_FALSE(os.files.get("a") || os.files.get("b") || os.files.get("c"));
}

TEST_F(DownloaderTest, AFailingHandlerIsLoggedAndTheEndStillComes) {
    auto dl = make();
    dl->DownloadError = [](const std::string&) { throw std::runtime_error("disk full"); };
    os.downloads.serve("");
    dl->BeginDownload("u", "f");
    os.downloads.deliver();
    EXPECT_EQ(out.str(), "error frmMain.DL.DownloadError \"disk full\"\n");
    EXPECT_EQ(events, "complete 0 f;");
}

TEST_F(DownloaderTest, AnAnswerAfterTheControlHasGoneIsDropped) {
    auto dl = make();
    dl->BeginDownload("u", "f");
    dl.reset();
    os.downloads.serve("2.3");
    os.downloads.deliver();
    EXPECT_EQ(events, "");
    EXPECT_FALSE(os.files.get("f"));
}

} // namespace
