#include "media_win.h"

#include "media_player_win.h"

#include <objbase.h>

namespace qs::win32 {

Win32Media::~Win32Media() {
    if (comStarted_)
        CoUninitialize();
}

std::unique_ptr<platform::MediaPlayer> Win32Media::createPlayer() {
    if (!comTried_) {
        comTried_ = true;
        // S_FALSE (COM already running on this thread) also wants its CoUninitialize.
        comStarted_ = SUCCEEDED(CoInitialize(nullptr));
    }
    // Without COM the graph cannot be made, and renderFile says so.
    return std::make_unique<Win32MediaPlayer>();
}

} // namespace qs::win32
