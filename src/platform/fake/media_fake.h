#pragma once

#include "../media.h"
#include "transcript.h"

namespace qs::fake {

// Players that write what they are asked to do; a file can be made unplayable.
class FakeMedia : public platform::Media {
public:
    explicit FakeMedia(Transcript& t) : transcript_(t) {}

    // The next file rendered cannot be played.
    void failNextFile() { failNext_ = true; }

    std::unique_ptr<platform::MediaPlayer> createPlayer() override;

private:
    friend class FakeMediaPlayer;
    Transcript& transcript_;
    bool failNext_ = false;
};

} // namespace qs::fake
