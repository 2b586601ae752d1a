#pragma once
// GoogleTest's customisation point, found before its own empty one on the Windows build. GCC 12's
// win32 thread model has no std::mutex or std::condition_variable, which GoogleTest's Notification
// is made of; this one waits on a Win32 event (notification_win.cpp), as GoogleTest's Windows
// mutexes and threads do.

namespace testing::internal {

// Lets threads wait until a controlling thread says go; used by GoogleTest's own thread helpers.
class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

private:
    void* event_; // manual reset: once notified, every wait returns
};

} // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
