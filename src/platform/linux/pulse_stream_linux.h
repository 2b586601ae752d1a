#pragma once

#include <chrono>
#include <cstddef>
#include <string>

struct pa_context;
struct pa_mainloop;
struct pa_stream;

namespace qs::linuxos {

// A playback stream of mono signed 16-bit samples to the sound server's default output.
//
// Its connection has a main loop of its own that runs only inside these calls, on the caller's
// thread, so nothing else touches the connection while it is used or closed. (Qt Multimedia 6.4
// serves its connections from a thread of its own and frees them at exit without stopping that
// thread first: a program leaving just after a tone, while the server still answered the closing of
// the stream, aborted inside the sound library.)
class PulseStream {
public:
    PulseStream() = default;
    ~PulseStream();
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

    // Connects as CLIENT and opens a stream that asks the server to hold BUFFERBYTES ahead of the
    // speakers; waits (bounded) until the server takes samples. False when no server or output answers.
    bool open(const std::string& client, int sampleRate, std::size_t bufferBytes);
    void close();
    bool isOpen() const { return loop_ != nullptr; }
    // Handles what the server has sent; false once the server or the stream went away.
    bool serve();
    // What the server takes now, in bytes.
    std::size_t room() const;
    // Hands over at most room() bytes; false when the server refused them.
    bool write(const char* data, std::size_t bytes);
    // The server has played all it was given.
    bool ranDry() const { return ranDry_; }

private:
    bool waitUntilReady(std::chrono::steady_clock::time_point deadline);
    void dispatchPending();
    bool good() const;

    pa_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool ranDry_ = true;
    bool refused_ = false;
};

} // namespace qs::linuxos
