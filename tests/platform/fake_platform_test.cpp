// The fake backend must behave like the real services it stands in for.
#include "forms/application.h"
#include "forms/button.h"
#include "forms/form.h"
#include "platform/fake/fake_platform.h"
#include "stepping_pump.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

using namespace qs;

TEST(FakeFiles, WildcardsMatchWithoutRegardToCase) {
    EXPECT_TRUE(fake::wildcardMatch("C:\\Apps\\*.MP3", "c:\\apps\\alarm.mp3"));
    EXPECT_TRUE(fake::wildcardMatch("C:\\Apps\\al?rm.*", "C:\\Apps\\alarm.wav"));
    EXPECT_FALSE(fake::wildcardMatch("C:\\Apps\\al?rm", "C:\\Apps\\alrm"));
    EXPECT_TRUE(fake::wildcardMatch("*", ""));
    EXPECT_FALSE(fake::wildcardMatch("Select File...", "Select File"));
}

TEST(FakeFiles, ReadsLinesWhateverTheirEnds) {
    std::ostringstream out;
    fake::FakePlatform os{out};
    os.files.put("C:\\Apps\\a", "one\r\ntwo\nthree\rfour");
    EXPECT_EQ(*os.files.readLines("C:\\Apps\\A"), (std::vector<std::string>{"one", "two", "three", "four"}));
    os.files.put("C:\\Apps\\b", "\r\n\r\n");
    EXPECT_EQ(os.files.readLines("C:\\Apps\\b")->size(), 2u);
    EXPECT_FALSE(os.files.readLines("C:\\Apps\\missing"));
}

TEST(FakeClock, TimersFireInTimeOrderAndAJumpFiresNone) {
    fake::FakeClock clock;
    std::string order;
    const int slow = clock.startTimer(1000, [&] { order += 's'; });
    clock.startTimer(400, [&] { order += 'f'; });
    clock.advance(1.2);
    EXPECT_EQ(order, "ffsf");
    clock.setNow(DateTime::fromParts(2030, 1, 1));
    EXPECT_EQ(order, "ffsf");
    EXPECT_EQ(clock.now().iso(), "2030-01-01 00:00:00");
    clock.stopTimer(slow);
    clock.advance(0.8);
    EXPECT_EQ(order, "ffsfff");
    EXPECT_EQ(clock.now().iso(), "2030-01-01 00:00:00"); // 0.8 s later, still the same second
}

TEST(FakeClock, ReadsTimesAsUsEnglishRegionalSettingsDo) {
    fake::FakeClock clock;
    EXPECT_EQ(clock.formatLongTime(0), "12:00:00 AM");
    EXPECT_EQ(clock.formatLongTime(14 * 3600 + 20 * 60), "2:20:00 PM");
    EXPECT_EQ(clock.formatLongTime(12 * 3600 + 5), "12:00:05 PM");
    for (int s : {0, 1, 43199, 43200, 86399})
        EXPECT_EQ(clock.parseTime(clock.formatLongTime(s)), s);
    EXPECT_EQ(clock.parseTime("14:20"), 14 * 3600 + 20 * 60);
    EXPECT_EQ(clock.parseTime(" 2:20:00 pm "), 14 * 3600 + 20 * 60);
    EXPECT_FALSE(clock.parseTime("13:00:00 PM"));
    EXPECT_FALSE(clock.parseTime("25:00:00"));
    EXPECT_FALSE(clock.parseTime("14"));
    EXPECT_FALSE(clock.parseTime(""));
    EXPECT_FALSE(clock.parseTime("2:20:00 XM"));
}

TEST(FakeErrorLog, AFailedHandlerIsOneQuotedTranscriptLine) {
    std::ostringstream out;
    fake::FakePlatform os{out};
    forms::Observer observer;
    forms::Application app{os.clock, observer, os.services().errors};
    forms::Form form{app, "frmAction"};
    auto& button = form.add<forms::Button>("cmdNow");
    button.Click = [] { throw std::runtime_error("cannot open \"C:\\Apps\\x.bat\"\r\nsecond line"); };
    button.userClick();
    EXPECT_EQ(out.str(), "error frmAction.cmdNow.Click \"cannot open \\\"C:\\Apps\\x.bat\\\"\\r\\nsecond line\"\n");
}

TEST(FakeWakeTimer, FiresInTimeOrderWithWindowTimersAndAfterAJumpPastItsMoment) {
    std::ostringstream out;
    fake::FakePlatform os{out};
    os.clock.startTimer(400, [&] { os.transcript.line("tick"); });
    os.wakeTimer.arm("T", -10'000'000);
    int steps = 0;
    fake::stepWaits(os.clock, 0.5, steps);
    os.wakeTimer.waitSignalled(); // returns once the advance that signals it has ended
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(out.str(), "waitable-timer set \"T\" due=-10000000 resume=1\ntick\ntick\n"
                         "waitable-timer signalled \"T\"\n");
    os.wakeTimer.close();

    os.clock.setPump(nullptr);
    out.str("");
    os.wakeTimer.arm("T", -600'000'000);
    os.clock.setNow(os.clock.now().addSeconds(120)); // a jump fires nothing by itself
    EXPECT_EQ(out.str(), "waitable-timer set \"T\" due=-600000000 resume=1\n");
    os.clock.advance(0);
    EXPECT_EQ(out.str(), "waitable-timer set \"T\" due=-600000000 resume=1\nwaitable-timer signalled \"T\"\n");
}
