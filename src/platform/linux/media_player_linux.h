#pragma once

#include "../media.h"

#include <QAudioOutput>
#include <QMediaPlayer>

namespace qs::linuxos {

// One file through QMediaPlayer to the default audio output. A file may still be loading when
// renderFile gives up waiting for it; what was asked of the player meanwhile happens once it has
// loaded.
class LinuxMediaPlayer : public platform::MediaPlayer {
public:
    LinuxMediaPlayer();

    // False for a file that is missing or that the player finds unplayable within a short wait.
    bool renderFile(const std::string& path) override;
    void run() override;
    void setPosition(double seconds) override;
    void stop() override;

private:
    bool loading() const;
    void statusChanged(QMediaPlayer::MediaStatus status);

    QAudioOutput output_;
    QMediaPlayer player_;
    bool playWhenLoaded_ = false;
    qint64 positionWhenLoadedMs_ = -1;
};

} // namespace qs::linuxos
