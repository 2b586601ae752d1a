#include "media_player_linux.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <cmath>

namespace qs::linuxos {

namespace {

// Long enough for a local file to load, short enough that a window waiting on it stays usable.
constexpr int kLoadWaitMs = 2000;

} // namespace

LinuxMediaPlayer::LinuxMediaPlayer() {
    player_.setAudioOutput(&output_);
    QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged,
                     [this](QMediaPlayer::MediaStatus status) { statusChanged(status); });
}

bool LinuxMediaPlayer::loading() const {
    const QMediaPlayer::MediaStatus status = player_.mediaStatus();
    return status == QMediaPlayer::LoadingMedia || status == QMediaPlayer::NoMedia;
}

bool LinuxMediaPlayer::renderFile(const std::string& path) {
    playWhenLoaded_ = false;
    positionWhenLoadedMs_ = -1;
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) {
        player_.setSource(QUrl());
        return false;
    }
    player_.setSource(QUrl::fromLocalFile(file));
    if (loading() && player_.error() == QMediaPlayer::NoError) {
        QEventLoop loop;
        QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, &loop, [this, &loop] {
            if (!loading())
                loop.quit();
        });
        QObject::connect(&player_, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
        QTimer::singleShot(kLoadWaitMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const QMediaPlayer::MediaStatus status = player_.mediaStatus();
    return player_.isAvailable() && player_.error() == QMediaPlayer::NoError && status != QMediaPlayer::NoMedia &&
           status != QMediaPlayer::InvalidMedia;
}

void LinuxMediaPlayer::run() {
    if (loading())
        playWhenLoaded_ = true;
    else
        player_.play();
}

void LinuxMediaPlayer::setPosition(double seconds) {
    const qint64 ms = std::llround(seconds * 1000);
    if (loading())
        positionWhenLoadedMs_ = ms;
    else
        player_.setPosition(ms);
}

void LinuxMediaPlayer::stop() {
    playWhenLoaded_ = false;
    positionWhenLoadedMs_ = -1;
    player_.stop();
}

void LinuxMediaPlayer::statusChanged(QMediaPlayer::MediaStatus status) {
    if (status != QMediaPlayer::LoadedMedia)
        return;
    if (positionWhenLoadedMs_ >= 0)
        player_.setPosition(positionWhenLoadedMs_);
    positionWhenLoadedMs_ = -1;
    if (playWhenLoaded_)
        player_.play();
    playWhenLoaded_ = false;
}

} // namespace qs::linuxos
