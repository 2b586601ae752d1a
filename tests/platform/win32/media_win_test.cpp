// Win32Media: DirectShow playing a generated WAV file under Wine, and files it cannot play.
#include "../../../src/platform/win32/media_player_win.h"
#include "../../../src/platform/win32/media_win.h"
#include "temp_folder_win.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <numbers>

namespace qs::win32 {
namespace {

constexpr long kStopped = 0; // OAFilterState
constexpr long kRunning = 2;

// A mono 16-bit PCM sine of 440 Hz.
std::string waveFile(int seconds) {
    constexpr int rate = 22050;
    const int samples = rate * seconds;
    std::string bytes;
    const auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    };
    bytes += "RIFF";
    put(36 + samples * 2, 4);
    bytes += "WAVEfmt ";
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(rate, 4);
    put(rate * 2, 4);
    put(2, 2);
    put(16, 2);
    bytes += "data";
    put(samples * 2, 4);
    for (int i = 0; i < samples; ++i)
        put(static_cast<std::uint16_t>(
                static_cast<std::int16_t>(8000 * std::sin(i * 2 * std::numbers::pi * 440 / rate))),
            2);
    return bytes;
}

// Under Wine the sound goes to the test session's own PulseAudio null sink (wine-session.sh), through
// 32-bit GStreamer's WAV parser.
TEST(MediaWin, AWaveFilePlaysFromWhereItIsPut) {
    test::TempFolder dir;
    dir.put("alarm.wav", waveFile(4));
    Win32Media media;
    const auto player = media.createPlayer();
    auto& graph = static_cast<Win32MediaPlayer&>(*player);
    ASSERT_TRUE(player->renderFile(dir.path("alarm.wav")))
        << "no way to play it: a sound server, and 32-bit GStreamer's good plugins under Wine?";
    player->run();
    player->setPosition(0);
    const DWORD deadline = GetTickCount() + 10000;
    while (graph.position() < 1 && static_cast<LONG>(GetTickCount() - deadline) < 0)
        Sleep(50);
    EXPECT_EQ(graph.state(), kRunning);
    const double played = graph.position();
    EXPECT_GE(played, 1);
    EXPECT_LT(played, 4);
    player->setPosition(0);
    EXPECT_LT(graph.position(), played - 0.5);
    player->stop();
    EXPECT_EQ(graph.state(), kStopped);
}

TEST(MediaWin, WhatCannotBePlayedIsRefusedQuietly) {
    test::TempFolder dir;
    dir.put("alarm.wav", waveFile(1));
    dir.put("notes.wav", "not a sound at all\r\n");
    Win32Media media;
    const auto player = media.createPlayer();
    auto& graph = static_cast<Win32MediaPlayer&>(*player);
    ASSERT_TRUE(player->renderFile(dir.path("alarm.wav")));
    EXPECT_FALSE(player->renderFile(dir.path("notes.wav")));
    EXPECT_EQ(graph.state(), -1) << "the graph of the file before is gone";
    EXPECT_FALSE(player->renderFile(dir.path("missing.wav")));
    player->run();
    player->setPosition(0);
    player->stop();
    EXPECT_EQ(graph.state(), -1);
}

} // namespace
} // namespace qs::win32
