// The file pickers against dialog answers the fake's scripted picks cannot give.
#include "app/frmMain.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/shortcut_fake.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

using namespace qs;

namespace {

struct AnsweringDialog : platform::FileDialog {
    std::function<platform::FileDialogResult()> answer;
    platform::FileDialogResult showOpen(const forms::Form*, const std::string&, const std::string&, bool) override {
        return answer();
    }
};

platform::FileDialogResult chosen(const std::string& folder, std::vector<std::string> names) {
    const int count = static_cast<int>(names.size());
    return {count, std::move(names), folder, false};
}

struct FilePickersTest : ::testing::Test {
    std::ostringstream out;
    fake::FakePlatform os{out};
    AnsweringDialog dialog;
    platform::Platform services = [this] {
        auto s = os.services();
        return platform::Platform{s.clock, s.dialogs,  s.files, s.power,     s.processes, s.registry,
                                  s.sound, s.errors,   dialog,  s.wakeTimer, s.media,     s.windowProcedures,
                                  s.tray,  s.downloads};
    }();
    forms::Observer observer;
    app::Program program{services, observer};

    app::frmMain& main() { return program.mainWindow(); }
    void SetUp() override { program.start(); }
};

TEST_F(FilePickersTest, TheFirstOfSeveralNamesIsJoinedToItsFolderWithASeparator) {
    dialog.answer = [] { return chosen("C:\\Media", {"one.wav", "two.wav"}); };
    main().chkAlarmF->setValue(1);
    EXPECT_EQ(main().txtAlarmF->text(), "C:\\Media\\one.wav");
    dialog.answer = [] { return chosen("C:\\Media\\", {"three.wav"}); };
    main().cmdAlarmF->userClick();
    EXPECT_EQ(main().txtAlarmF->text(), "C:\\Media\\three.wav");
}

TEST_F(FilePickersTest, TheCaretEndsAfterTheTextAlsoWhenTheFieldKeepsIt) {
    os.files.put("C:\\Links\\gone.lnk", fake::shortcutBytes("C:\\Tools\\gone.exe"));
    dialog.answer = [] { return chosen("C:\\Tools\\", {"a.exe"}); };
    main().chkExecFile->setValue(1);
    main().txtExecF->select(0, 3);
    dialog.answer = [] { return chosen("C:\\Links\\", {"gone.lnk"}); };
    main().cmdExecF->userClick();
    EXPECT_EQ(main().txtExecF->text(), "C:\\Tools\\a.exe");
    EXPECT_EQ(main().txtExecF->selStart(), 14);
    EXPECT_EQ(main().txtExecF->selLength(), 0);
}

TEST_F(FilePickersTest, TheAfterWakePickerResolvesShortcutsTheAlarmPickerDoesNot) {
    os.files.put("C:\\Tools\\wake.exe", "");
    os.files.put("C:\\Links\\wake.lnk", fake::shortcutBytes("C:\\Tools\\wake.exe"));
    dialog.answer = [] { return chosen("C:\\Links\\", {"wake.lnk"}); };
    main().chkResumeF->setValue(1);
    EXPECT_EQ(main().txtResumeF->text(), "C:\\Tools\\wake.exe");
    main().chkAlarmF->setValue(1);
    EXPECT_EQ(main().txtAlarmF->text(), "C:\\Links\\wake.lnk");
}

TEST_F(FilePickersTest, CancellingTheAlarmPickerOverTheMarkerUnticksItsBox) {
    dialog.answer = [] { return platform::FileDialogResult{}; };
    main().chkAlarmF->setValue(1);
    EXPECT_EQ(main().chkAlarmF->value(), 0);
    EXPECT_FALSE(main().cmdAlarmF->enabled());
}

TEST_F(FilePickersTest, AFailingDialogChangesNothingAndIsLogged) {
    dialog.answer = []() -> platform::FileDialogResult { throw std::length_error("more than 200 names"); };
    main().chkExecFile->setValue(1);
    EXPECT_EQ(main().chkExecFile->value(), 1);
    EXPECT_EQ(main().txtExecF->text(), app::kSelectFile);
    EXPECT_NE(out.str().find("error frmMain.cmdExecF.Click \"more than 200 names\""), std::string::npos) << out.str();
}

} // namespace
