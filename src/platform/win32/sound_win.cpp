#include "sound_win.h"

namespace qs::win32 {

namespace {
using PortOut = void(WINAPI*)(short port, short value);
using PortIn = short(WINAPI*)(short port);
} // namespace

Win32Sound::Win32Sound(std::string portLibrary) : ports_(std::move(portLibrary)) {}

void Win32Sound::tone(int frequencyHz, int durationMs) {
    if (durationMs <= 0)
        return;
    const DWORD start = GetTickCount();
    Beep(static_cast<DWORD>(frequencyHz), static_cast<DWORD>(durationMs));
    const DWORD spent = GetTickCount() - start;
    if (spent < static_cast<DWORD>(durationMs))
        Sleep(static_cast<DWORD>(durationMs) - spent);
}

void Win32Sound::sleep(int ms) {
    if (ms > 0)
        Sleep(static_cast<DWORD>(ms));
}

// MB_OK plays the user's "Default Beep" sound through the sound card, as a program's beep
// should; 0xFFFFFFFF would be the bare speaker click, which many machines no longer have.
void Win32Sound::defaultBeep() {
    MessageBeep(MB_OK);
}

void Win32Sound::portOut(int port, int value) {
    if (const auto out = ports_.function<PortOut>("vbOut"))
        out(static_cast<short>(port), static_cast<short>(value));
}

int Win32Sound::portIn(int port) {
    const auto in = ports_.function<PortIn>("vbInp");
    // The ports are a byte wide; the DLL's short may carry sign bits above it.
    return in ? in(static_cast<short>(port)) & 0xFF : 0;
}

} // namespace qs::win32
