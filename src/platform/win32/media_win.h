#pragma once

#include "../media.h"

namespace qs::win32 {

// DirectShow players. COM is started on the first player, on the thread that asks for it (the
// user-interface thread), and stopped with this object.
class Win32Media : public platform::Media {
public:
    Win32Media() = default;
    ~Win32Media() override;
    Win32Media(const Win32Media&) = delete;
    Win32Media& operator=(const Win32Media&) = delete;

    std::unique_ptr<platform::MediaPlayer> createPlayer() override;

private:
    bool comTried_ = false;
    bool comStarted_ = false;
};

} // namespace qs::win32
