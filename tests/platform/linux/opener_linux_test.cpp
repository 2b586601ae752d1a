// Web pages and the help go to the desktop's opener: a stand-in xdg-open, first on PATH, writes down
// what it was given.
#include "../../../src/platform/linux/files_linux.h"
#include "../../../src/platform/linux/processes_linux.h"
#include "loop_until.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace qs::linuxos {
namespace {

class OpenerLinux : public testing::Test {
protected:
    // Qt looks xdg-open up once per process, so the stand-in is set up once for all the tests.
    static void SetUpTestSuite() {
        folder_ = new QTemporaryDir;
        const QString opener = folder_->filePath(QStringLiteral("xdg-open"));
        QFile script(opener);
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$(dirname \"$0\")/opened\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", folder_->path().toUtf8() + ':' + qgetenv("PATH"));
    }
    static void TearDownTestSuite() { delete folder_; }
    void SetUp() override { QFile::remove(record()); }

    static QString record() { return folder_->filePath(QStringLiteral("opened")); }
    // The first thing the opener was given, once it has run.
    static std::string opened() {
        QFile file(record());
        test::loopUntil([&] { return file.exists() && file.size() > 0; }, 10000);
        file.open(QIODevice::ReadOnly);
        return file.readLine().trimmed().toStdString();
    }

    static inline QTemporaryDir* folder_ = nullptr;
    LinuxProcesses processes{folder_->filePath(QStringLiteral("lock")).toStdString()};
};

TEST_F(OpenerLinux, AWebAddressGoesToTheOpenerAsItIs) {
    const std::string page = "https://www.example.com/product/vrk.html";
    ASSERT_TRUE(processes.shellOpen(page, 3));
    EXPECT_EQ(opened(), page);
}

TEST_F(OpenerLinux, TheHelpBesideTheProgramOpensAsItsFirstPage) {
    // The build's own layout: the pages in help/ and vrk22.chm, the help file the program asks for.
    const std::string folder = QSHUTDOWN_FOLDER;
    const std::string help = folder + "/vrk22.chm";
    LinuxFiles files(folder);
    ASSERT_TRUE(files.exists(help));
    ASSERT_TRUE(processes.shellOpen(help, 1));
    const QString page = QDir(QString::fromStdString(folder)).canonicalPath() + QStringLiteral("/help/index.html");
    EXPECT_EQ(opened(), QUrl::fromLocalFile(page).toEncoded().toStdString());
}

TEST_F(OpenerLinux, HelpWithoutItsPagesIsMissing) {
    QTemporaryDir copy;
    const std::string help = copy.filePath(QStringLiteral("vrk22.chm")).toStdString();
    LinuxFiles files(copy.path().toStdString());
    EXPECT_FALSE(files.exists(help));
    QFile::link(QStringLiteral("help/index.html"), QString::fromStdString(help));
    EXPECT_FALSE(files.exists(help)) << "a link to pages that are not there";
    EXPECT_FALSE(processes.shellOpen(help, 1));
}

} // namespace
} // namespace qs::linuxos
