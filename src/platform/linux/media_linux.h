#pragma once

#include "../media.h"

namespace qs::linuxos {

class LinuxMedia : public platform::Media {
public:
    std::unique_ptr<platform::MediaPlayer> createPlayer() override { return nullptr; } // SCAFFOLD
};

} // namespace qs::linuxos
