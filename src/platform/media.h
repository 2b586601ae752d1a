#pragma once

#include <memory>
#include <string>

namespace qs::platform {

// Plays one audio file.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    // Opens the file and builds what plays it; false when it cannot be played.
    virtual bool renderFile(const std::string& path) = 0;
    virtual void run() = 0;
    virtual void setPosition(double seconds) = 0;
    virtual void stop() = 0;
};

class Media {
public:
    virtual ~Media() = default;

    // A new player; what playing needs is loaded only now, not while the program merely counts down.
    virtual std::unique_ptr<MediaPlayer> createPlayer() = 0;
};

} // namespace qs::platform
