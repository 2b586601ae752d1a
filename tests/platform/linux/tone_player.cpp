// Plays tones through the Linux backend as the warning window does (one tone from each tick of a
// 900 ms timer), in a process of its own so that every run meets the sound server afresh.
// Usage: tone_player FREQUENCY_HZ DURATION_MS COUNT. For each tone it prints
// "tone MS_TAKEN sound|bell", the bell meaning the desktop's bell stood in for the tone.
#include "platform/linux/sound_linux.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4)
        return 2;
    const int frequency = std::atoi(argv[1]);
    const int duration = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool rang = false;
    qs::linuxos::LinuxSound sound([&rang] { rang = true; });
    int played = 0;
    QTimer tick;
    tick.setInterval(900);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        rang = false;
        QElapsedTimer taken;
        taken.start();
        sound.tone(frequency, duration);
        std::printf("tone %lld %s\n", static_cast<long long>(taken.elapsed()), rang ? "bell" : "sound");
        std::fflush(stdout);
        if (++played == count)
            QApplication::quit();
    });
    tick.start();
    return QApplication::exec();
}
