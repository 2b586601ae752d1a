#include "pulse_stream_linux.h"

#include <cstdint>
#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>

namespace qs::linuxos {

namespace {

// A server that has neither connected nor opened the stream by then is taken as absent.
constexpr std::chrono::milliseconds kReadyWithin{2000};
// What one call handles at most of what has come in; the rest waits for the next call.
constexpr int kMaxDispatchRounds = 100;
constexpr std::uint32_t kServerChooses = static_cast<std::uint32_t>(-1);

} // namespace

PulseStream::~PulseStream() {
    close();
}

bool PulseStream::open(const std::string& client, int sampleRate, std::size_t bufferBytes) {
    close();
    const auto deadline = std::chrono::steady_clock::now() + kReadyWithin;
    loop_ = pa_mainloop_new();
    if (loop_)
        context_ = pa_context_new(pa_mainloop_get_api(loop_), client.c_str());
    if (!context_ || pa_context_connect(context_, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0 ||
        !waitUntilReady(deadline)) {
        close();
        return false;
    }
    const pa_sample_spec format{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(sampleRate), 1};
    pa_buffer_attr buffer{};
    buffer.maxlength = buffer.prebuf = buffer.minreq = buffer.fragsize = kServerChooses;
    buffer.tlength = static_cast<std::uint32_t>(bufferBytes);
    stream_ = pa_stream_new(context_, "Tones", &format, nullptr);
    if (!stream_ ||
        pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0 ||
        !waitUntilReady(deadline)) {
        close();
        return false;
    }
    pa_stream_set_underflow_callback(
        stream_, [](pa_stream*, void* self) { static_cast<PulseStream*>(self)->ranDry_ = true; }, this);
    ranDry_ = true;
    refused_ = false;
    return true;
}

void PulseStream::close() {
    if (stream_) {
        pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
    }
    if (context_) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    if (loop_) {
        pa_mainloop_free(loop_);
        loop_ = nullptr;
    }
}

bool PulseStream::serve() {
    if (!loop_)
        return false;
    dispatchPending();
    return good();
}

std::size_t PulseStream::room() const {
    if (!good())
        return 0;
    const std::size_t room = pa_stream_writable_size(stream_);
    return room == static_cast<std::size_t>(-1) ? 0 : room;
}

bool PulseStream::write(const char* data, std::size_t bytes) {
    if (!good() || pa_stream_write(stream_, data, bytes, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
        refused_ = true;
        return false;
    }
    ranDry_ = false;
    dispatchPending(); // sends it now rather than at the next call
    return true;
}

// Runs the loop until the connection and, once there is one, the stream are ready (true), or one
// of them failed or the time is up (false).
bool PulseStream::waitUntilReady(std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const pa_context_state_t context = pa_context_get_state(context_);
        if (!PA_CONTEXT_IS_GOOD(context) || (stream_ && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream_))))
            return false;
        if (context == PA_CONTEXT_READY && (!stream_ || pa_stream_get_state(stream_) == PA_STREAM_READY))
            return true;
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || pa_mainloop_prepare(loop_, static_cast<int>(left.count())) < 0 ||
            pa_mainloop_poll(loop_) < 0 || pa_mainloop_dispatch(loop_) < 0)
            return false;
    }
}

void PulseStream::dispatchPending() {
    for (int round = 0; round < kMaxDispatchRounds && pa_mainloop_iterate(loop_, 0, nullptr) > 0; ++round) {
    }
}

bool PulseStream::good() const {
    return stream_ && !refused_ && PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)) &&
           PA_STREAM_IS_GOOD(pa_stream_get_state(stream_));
}

} // namespace qs::linuxos
