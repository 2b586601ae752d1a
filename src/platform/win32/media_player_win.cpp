#include "media_player_win.h"

#include <dshow.h>

namespace qs::win32 {

namespace {

// A BSTR of an ANSI text, freed with its owner.
class WideText {
public:
    explicit WideText(const std::string& text) {
        const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        if (n <= 0)
            return;
        text_ = SysAllocStringLen(nullptr, static_cast<UINT>(n - 1));
        if (text_)
            MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, text_, n);
    }
    ~WideText() { SysFreeString(text_); }
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;

    BSTR get() const { return text_; }

private:
    BSTR text_ = nullptr;
};

} // namespace

template <typename T> void Win32MediaPlayer::Release<T>::operator()(T* object) const {
    object->Release();
}

Win32MediaPlayer::Win32MediaPlayer() = default;

Win32MediaPlayer::~Win32MediaPlayer() {
    releaseGraph();
}

void Win32MediaPlayer::releaseGraph() {
    if (control_)
        control_->Stop();
    position_.reset();
    control_.reset();
}

bool Win32MediaPlayer::renderFile(const std::string& path) {
    releaseGraph();
    const WideText name(path);
    if (!name.get())
        return false;
    IMediaControl* control = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IMediaControl,
                                reinterpret_cast<void**>(&control))))
        return false;
    control_.reset(control);
    // A graph whose sound found no way out (no audio device) would play in silence.
    const HRESULT rendered = control_->RenderFile(name.get());
    if (FAILED(rendered) || rendered == VFW_S_AUDIO_NOT_RENDERED) {
        control_.reset();
        return false;
    }
    IMediaPosition* position = nullptr;
    if (SUCCEEDED(control_->QueryInterface(IID_IMediaPosition, reinterpret_cast<void**>(&position))))
        position_.reset(position);
    return true;
}

void Win32MediaPlayer::run() {
    if (control_)
        control_->Run();
}

void Win32MediaPlayer::setPosition(double seconds) {
    if (position_)
        position_->put_CurrentPosition(seconds);
}

void Win32MediaPlayer::stop() {
    if (control_)
        control_->Stop();
}

long Win32MediaPlayer::state() {
    OAFilterState state = -1;
    if (!control_ || FAILED(control_->GetState(1000, &state)))
        return -1;
    return state;
}

double Win32MediaPlayer::position() {
    REFTIME seconds = -1;
    if (!position_ || FAILED(position_->get_CurrentPosition(&seconds)))
        return -1;
    return seconds;
}

} // namespace qs::win32
