// Win32SingleInstance against Wine's window manager: what a second start's show request
// meets among the other programs' windows.
#include "platform/win32/Win32SingleInstance.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

namespace tvm {
namespace {

// A top-level window whose thread has stopped taking messages, as a hung program's.
class HungWindow {
public:
    HungWindow() {
        thread_ = std::thread([this] {
            const HWND window = CreateWindowExA(0, "STATIC", "hung", WS_POPUP, 0, 0, 1, 1, nullptr,
                                                nullptr, GetModuleHandleA(nullptr), nullptr);
            SetEvent(created_);
            WaitForSingleObject(release_, 15000);
            DestroyWindow(window);
        });
        WaitForSingleObject(created_, INFINITE);
    }
    ~HungWindow() {
        SetEvent(release_);
        thread_.join();
        CloseHandle(created_);
        CloseHandle(release_);
    }
    HungWindow(const HungWindow&) = delete;
    HungWindow& operator=(const HungWindow&) = delete;

private:
    HANDLE created_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread thread_;
};

TEST(Win32SingleInstance, TheShowRequestDoesNotWaitForAHungWindow) {
    const HungWindow hung;
    Win32SingleInstance second;
    const ULONGLONG start = GetTickCount64();
    second.AskRunningCopyToShow();
    EXPECT_LT(GetTickCount64() - start, 10000u) << "the hung window held the start up";
}

} // namespace
} // namespace tvm
