// Win32Downloads against loopback web servers (download_server.py, started for the run): what each
// answer ends in, told exactly once, on this thread, after start has returned; TLS with a trusted
// and an untrusted certificate; a service that goes away in the middle of fetches.
#include "../../../src/platform/win32/downloads_win.h"
#include "../recording_error_log.h"
#include "message_pump_win.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <wincrypt.h>
#include <wininet.h>

namespace qs::win32 {
namespace {

constexpr DWORD kTimeoutMs = 2000;

// A file of the servers' folder, which the test run names.
std::string serverFile(const std::string& name) {
    const char* folder = std::getenv("QS_DOWNLOAD_SERVERS");
    std::ifstream file(std::string(folder ? folder : "") + "/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The test authority is trusted as an administrator would make it, until the program ends.
class TrustedAuthority : public testing::Environment {
    const std::string der_ = serverFile("authority.der");
    const BYTE* bytes() const { return reinterpret_cast<const BYTE*>(der_.data()); }

public:
    void SetUp() override {
        ASSERT_TRUE(CertAddEncodedCertificateToSystemStoreA("ROOT", bytes(), static_cast<DWORD>(der_.size())));
    }
    void TearDown() override {
        const HCERTSTORE store = CertOpenSystemStoreA(0, "ROOT");
        const PCCERT_CONTEXT ours = CertCreateCertificateContext(X509_ASN_ENCODING, bytes(), der_.size());
        if (const auto found = CertFindCertificateInStore(store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, ours, 0))
            CertDeleteCertificateFromStore(found);
        CertFreeCertificateContext(ours);
        CertCloseStore(store, 0);
    }
};
const auto* const trust = testing::AddGlobalTestEnvironment(new TrustedAuthority);

// What a fetch told, and whether anything came where it must not: on another thread, inside start,
// or progress after the end.
struct Outcome {
    bool started = false;
    int finished = 0;
    bool misplaced = false;
    long received = -1;
    long total = -1;
    platform::DownloadResult result;
};

// outcome must outlive the fetch.
void start(Win32Downloads& downloads, const std::string& url, Outcome& outcome) {
    const auto check = [thread = GetCurrentThreadId(), &outcome] {
        outcome.misplaced |= GetCurrentThreadId() != thread || !outcome.started || outcome.finished > 0;
    };
    const auto error = downloads.start(
        url,
        [check, &outcome](long received, long total) {
            check();
            outcome.received = received;
            outcome.total = total;
        },
        [check, &outcome](const platform::DownloadResult& result) {
            check();
            ++outcome.finished;
            outcome.result = result;
        });
    outcome.started = true;
    EXPECT_FALSE(error) << url << ": " << error->description;
}

class DownloadsWin : public testing::Test {
protected:
    std::string port(const std::string& server) {
        std::istringstream lines(serverFile("servers.txt"));
        std::string name, number;
        while (lines >> name >> number && name != server) {
        }
        return number;
    }

    qs::test::RecordingErrorLog errors;
    const std::string web = "http://localhost:" + port("http");
};

TEST_F(DownloadsWin, EachAnswerEndsOnceOnThisThreadAsItShould) {
    const std::string tls = "https://localhost:" + port("trusted");
    const std::string version = "2.3\r\n";
    struct Case {
        std::string url;
        bool ok;
        std::string bodyOrWhy; // the body, or a part of the reason
    };
    const std::vector<Case> cases = {
        {web + "/version", true, version},
        {web + "/empty", true, ""},
        {web + "/missing", false, "404"},
        {web + "/exactly-64k", true, std::string(64 * 1024, 'v')},
        {web + "/over-64k", false, "larger"},
        {web + "/over-64k-unannounced", false, "larger"},
        {web + "/cut-short", false, "3 of 10"},
        {web + "/trickle", false, "no answer within"},
        {web + "/silent", false, "no answer within"},
        {web + "/hops/5", true, version},
        {web + "/hops/6", false, "more than 5 redirects"},
        {web + "/loop", false, "more than 5 redirects"},
        {"http://127.0.0.1:1/version", false, ""}, // nobody listens
        {tls + "/version", true, version},
        {tls + "/hops/2", true, version},
        {tls + "/to-plain", false, "HTTPS to HTTP"},
        {"https://localhost:" + port("untrusted") + "/version", false, ""},
    };
    Win32Downloads downloads(errors, kTimeoutMs);
    std::vector<Outcome> outcomes(cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i)
        start(downloads, cases[i].url, outcomes[i]);
    const auto allEnded = [&] {
        return std::all_of(outcomes.begin(), outcomes.end(), [](const Outcome& o) { return o.finished > 0; });
    };
    ASSERT_TRUE(test::pumpUntil(allEnded, 4 * kTimeoutMs)) << "a fetch outlived its time";
    // The worker of a fetch that ran out of time stops at its next read; its end must tell nothing.
    test::pumpUntil([] { return false; }, kTimeoutMs / 2);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& expected = cases[i];
        const Outcome& outcome = outcomes[i];
        SCOPED_TRACE(expected.url + " (" + outcome.result.error + ")");
        EXPECT_EQ(outcome.finished, 1);
        EXPECT_FALSE(outcome.misplaced);
        ASSERT_EQ(outcome.result.ok, expected.ok);
        if (!expected.ok) {
            EXPECT_NE(outcome.result.error.find(expected.bodyOrWhy), std::string::npos);
            continue;
        }
        EXPECT_EQ(outcome.result.body, expected.bodyOrWhy);
        if (!expected.bodyOrWhy.empty()) { // the last progress is the whole answer
            EXPECT_TRUE(outcome.received == outcome.total && outcome.total == long(expected.bodyOrWhy.size()));
        }
    }
    EXPECT_TRUE(errors.lines.empty());
}

TEST_F(DownloadsWin, AnAddressThatIsNotForTheWebDoesNotStart) {
    Win32Downloads downloads(errors);
    const auto error = downloads.start("ftp://localhost:" + port("http") + "/version", nullptr,
                                       [](const auto&) { ADD_FAILURE() << "told"; });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number, ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    EXPECT_FALSE(error->description.empty());
    test::pumpUntil([] { return false; }, 200);
}

// As at the program's end: a fetch reading its answer and one waiting for it are dropped without a
// word, and the next service works as if they had never been.
TEST_F(DownloadsWin, FetchesRunningWhenTheServiceGoesAwayTellNothing) {
    Outcome reading, waiting, later;
    {
        Win32Downloads downloads(errors); // the real time: only going away ends these fetches
        start(downloads, web + "/trickle", reading);
        start(downloads, web + "/silent", waiting);
        ASSERT_TRUE(test::pumpUntil([&] { return reading.received > 0; }));
    }
    Win32Downloads next(errors, kTimeoutMs);
    start(next, web + "/version", later);
    ASSERT_TRUE(test::pumpUntil([&] { return later.finished > 0; }));
    test::pumpUntil([] { return false; }, 500);
    EXPECT_EQ(reading.finished + waiting.finished, 0);
    EXPECT_EQ(later.finished, 1);
    EXPECT_TRUE(later.result.ok);
}

} // namespace
} // namespace qs::win32
