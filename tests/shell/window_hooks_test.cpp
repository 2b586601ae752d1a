// The window-hook facility's tables, delivery and error reports, on the fake's windows.
#include "platform/fake/fake_platform.h"
#include "platform/window_hooks_base.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>

using namespace qs;
using platform::HookedMessage;
using platform::kDeliverAfter;
using platform::kDeliverBefore;

namespace {

struct HooksTest : testing::Test {
    std::ostringstream out;
    fake::FakePlatform os{out};
    std::unique_ptr<platform::WindowHooks> hooks = os.windowProcedures.createHooks("cSystray");
    platform::WindowHandle window = os.windowProcedures.createWindow();
    std::string calls; // "b400 a400 ": delivered before, then after the window's own procedure
    std::function<void(HookedMessage&)> also = [](HookedMessage&) {};

    void SetUp() override {
        ASSERT_TRUE(hooks->subclass(window, 0, [this](HookedMessage& m) {
            char text[16];
            std::snprintf(text, sizeof text, "%c%X ", m.before ? 'b' : 'a', m.message.message);
            calls += text;
            also(m);
        }));
    }
    std::intptr_t send(unsigned message) { return os.windowProcedures.send(window, {message, 0, 0}); }
    bool hooked() {
        std::intptr_t result = 0;
        return platform::WindowHooksBase::dispatch(window, {0, 0, 0}, result);
    }
};

} // namespace

TEST_F(HooksTest, ThirtyTwoNumbersFitATableAndTheNextIsReportedAsOverflow) {
    for (int message = 0x400; message < 0x420; ++message)
        hooks->watch(window, message, kDeliverBefore);
    EXPECT_EQ(out.str(), "");
    hooks->watch(window, 0x420, kDeliverBefore);
    EXPECT_EQ(out.str(), "msgbox 48 \"Error in cSystray.zAddMsg\" \"Message table overflow. Either increase the value "
                         "of Const MSG_ENTRIES or use ALL_MESSAGES instead of specific message values.\" -> OK\n"
                         "eventlog error \"cSystray.zAddMsg: Message table overflow. Either increase the value of "
                         "Const MSG_ENTRIES or use ALL_MESSAGES instead of specific message values\"\n");
    send(0x41F);
    send(0x420);
    EXPECT_EQ(calls, "b41F ");
}

TEST_F(HooksTest, AllMessagesAndUnwatchingWhatIsNotWatched) {
    hooks->watch(window, platform::kAllMessages, kDeliverAfter);
    send(0x1234);
    hooks->unwatch(window, platform::kAllMessages, kDeliverAfter);
    send(0x1234);
    EXPECT_EQ(calls, "a1234 ");
    hooks->unwatch(window, 0x1F, kDeliverAfter);
    EXPECT_EQ(out.str(), "msgbox 48 \"Error in cSystray.zDelMsg\" \"Message &H1F not found in table.\" -> OK\n"
                         "eventlog error \"cSystray.zDelMsg: Message &H1F not found in table\"\n");
}

TEST_F(HooksTest, ADestroyedWindowLosesItsHookWhateverTheHandlerSays) {
    hooks->watch(window, platform::kDestroyMessage, platform::kDeliverBoth);
    also = [](HookedMessage& m) { m.handled = true; };
    os.windowProcedures.destroyWindow(window);
    EXPECT_EQ(calls, "b2 ");
    EXPECT_FALSE(hooked());
}

TEST_F(HooksTest, AReleaseInsideNestedDeliveriesWaitsForTheOutermostToEnd) {
    hooks->watch(window, 0x400, platform::kDeliverBoth);
    hooks->watch(window, 0x401, kDeliverBefore);
    bool hookedInside = false;
    also = [&](HookedMessage& m) {
        if (m.message.message == 0x400 && m.before)
            send(0x401);
        if (m.message.message == 0x401) {
            hooks->releaseAll();
            hookedInside = hooked();
        }
    };
    send(0x400);
    EXPECT_TRUE(hookedInside);
    EXPECT_FALSE(hooked());
    EXPECT_EQ(calls, "b400 b401 ");
}

TEST_F(HooksTest, NoHookOnAWindowThatDoesNotExist) {
    EXPECT_FALSE(hooks->subclass(0x4711, 0, [](HookedMessage&) {}));
    EXPECT_EQ(out.str(), "msgbox 48 \"Error in cSystray.ssc_Subclass\" \"Invalid window handle.\" -> OK\n"
                         "eventlog error \"cSystray.ssc_Subclass: Invalid window handle\"\n");
}
