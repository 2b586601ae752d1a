#pragma once

#include "../media.h"

namespace qs::fake {

class FakeMedia : public platform::Media {
public:
    std::unique_ptr<platform::MediaPlayer> createPlayer() override { return nullptr; } // SCAFFOLD
};

} // namespace qs::fake
