// The three-tone patterns before hibernating and after waking: always the platform's tone.
#include "../app/frmMain.h"

namespace qs::app {

namespace {

struct Step {
    int frequency, durationMs;
};

void play(platform::Platform& os, const Step (&steps)[3]) {
    for (const Step& step : steps) {
        os.clock.doEvents();
        os.sound.tone(step.frequency, step.durationMs);
        os.sound.sleep(50);
    }
}

} // namespace

void frmMain::BeepDown() {
    play(os_, {{4000, 100}, {3000, 100}, {2500, 500}});
}

void frmMain::BeepUp() {
    play(os_, {{2500, 100}, {3000, 100}, {4000, 500}});
}

} // namespace qs::app
