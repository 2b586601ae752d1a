#pragma once

#include "../media.h"

namespace qs::win32 {

class Win32Media : public platform::Media {
public:
    std::unique_ptr<platform::MediaPlayer> createPlayer() override { return nullptr; } // SCAFFOLD
};

} // namespace qs::win32
