#include "media_linux.h"

#include "media_player_linux.h"

#include <QFileInfo>
#include <QLibraryInfo>

namespace qs::linuxos {

LinuxMedia::LinuxMedia() {
    // Qt 6.4 prefers its GStreamer backend, which hangs for good while building an audio output
    // where GStreamer's base and good plugins are missing. The FFmpeg backend needs nothing beyond
    // Qt's own packages. Qt reads the choice once, at its first use of Qt Multimedia; a choice the
    // user made stands.
    const QString ffmpeg =
        QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/multimedia/libffmpegmediaplugin.so");
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND") && QFileInfo::exists(ffmpeg))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

std::unique_ptr<platform::MediaPlayer> LinuxMedia::createPlayer() {
    return std::make_unique<LinuxMediaPlayer>();
}

} // namespace qs::linuxos
