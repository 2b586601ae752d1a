#pragma once

#include "../media.h"

#include <memory>

struct IMediaControl;
struct IMediaPosition;

namespace qs::win32 {

// One DirectShow filter graph that renders one file. The graph is made by renderFile, so nothing
// of DirectShow is loaded before a file is to be played; COM must be running on this thread.
class Win32MediaPlayer : public platform::MediaPlayer {
public:
    Win32MediaPlayer();
    ~Win32MediaPlayer() override;
    Win32MediaPlayer(const Win32MediaPlayer&) = delete;
    Win32MediaPlayer& operator=(const Win32MediaPlayer&) = delete;

    bool renderFile(const std::string& path) override;
    void run() override;
    void setPosition(double seconds) override;
    void stop() override;

    // The graph's OAFilterState (0 stopped, 1 paused, 2 running), -1 without a graph.
    long state();
    // Seconds played, -1 without a graph.
    double position();

private:
    template <typename T> struct Release { void operator()(T* object) const; };
    void releaseGraph();

    std::unique_ptr<IMediaControl, Release<IMediaControl>> control_;
    std::unique_ptr<IMediaPosition, Release<IMediaPosition>> position_;
};

} // namespace qs::win32
