#pragma once

#include "../media.h"

namespace qs::linuxos {

// Qt Multimedia players; Qt's media backend is loaded with the first player.
class LinuxMedia : public platform::Media {
public:
    // Chooses Qt's media backend, so it must come before the first use of Qt Multimedia, tones
    // included.
    LinuxMedia();

    std::unique_ptr<platform::MediaPlayer> createPlayer() override;
};

} // namespace qs::linuxos
