// Tones by platform kind, and the timer-chip programming of the 9x family.
#include "platform/fake/fake_platform.h"
#include "windows/modSpeaker.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace qs;

namespace {

struct SpeakerTest : ::testing::Test {
    std::ostringstream out;
    fake::FakePlatform os{out};
    platform::Platform services = os.services();

    std::string take() {
        std::string s = out.str();
        out.str("");
        return s;
    }
};

TEST_F(SpeakerTest, NtUsesThePlatformToneWithWholeMilliseconds) {
    windows::SpeakerBeep(services, 2000, 100);
    windows::SpeakerBeep(services, 440, 100.5f); // halves go to the even neighbour
    windows::SpeakerBeep(services, 440, 101.5f);
    EXPECT_EQ(take(), "beep 2000 100\nbeep 440 100\nbeep 440 102\n");
}

TEST_F(SpeakerTest, NineXProgramsTheTimerChipAndKeepsTheOtherSpeakerBits) {
    os.power.setVersion({1, 4, 10, 2222});
    os.sound.setPort(0x61, 0xB0);
    bool waited = false;
    // The wait runs the event loop; here the loop's only event is the tone's end.
    os.clock.setPump([&] {
        waited = true;
        os.clock.advance(0.1);
        return true;
    });
    windows::SpeakerBeep(services, 2000, 100);
    EXPECT_TRUE(waited);
    EXPECT_EQ(take(), "port-out 0x43 0xB6\nport-out 0x42 0x55\nport-out 0x42 0x02\nport-in 0x61\n"
                      "port-out 0x61 0xB3\nport-in 0x61\nport-out 0x61 0xB0\n");
    // A frequency whose divisor does not fit 16 bits falls back to the default beep.
    windows::SpeakerBeep(services, 20, 100);
    windows::SpeakerBeep(services, 0, 100);
    EXPECT_EQ(take(), "default-beep\ndefault-beep\n");
}

} // namespace
