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

// The running copy, on a thread of its own as mutexes belong to threads: it claims
// the name, then ends (handing the name on, or dying with it) or answers show requests.
class FirstCopy {
public:
    enum class Ends { Released, Died, Answers };
    explicit FirstCopy(Ends how) : how_(how) {
        thread_ = std::thread([this] { Run(); });
        WaitForSingleObject(claimed_, INFINITE);
    }
    ~FirstCopy() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        SetEvent(end_);
        thread_.join();
        CloseHandle(claimed_);
        CloseHandle(end_);
    }
    FirstCopy(const FirstCopy&) = delete;
    FirstCopy& operator=(const FirstCopy&) = delete;
    void End() { SetEvent(end_); }

private:
    void Run() {
        Win32SingleInstance instance;
        EXPECT_FALSE(instance.AnotherCopyRunning());
        threadId_ = GetCurrentThreadId();
        if (how_ != Ends::Answers) {
            SetEvent(claimed_);
            WaitForSingleObject(end_, 10000);
            if (how_ == Ends::Released) {
                instance.Release();
            }
            return;
        }
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM w, LPARAM l) -> LRESULT {
            if (message == RegisterWindowMessageA(Win32SingleInstance::ShowMainMessageName)) {
                Win32SingleInstance::AcknowledgeShown(); // as its main window shows
                return 0;
            }
            return DefWindowProcA(window, message, w, l);
        };
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TavelmorindTestFirstCopy";
        RegisterClassA(&windowClass);
        const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1,
                                            nullptr, nullptr, windowClass.hInstance, nullptr);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the queue exists now
        SetEvent(claimed_);
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            DispatchMessageA(&message);
        }
        DestroyWindow(window);
        instance.Release();
    }

    Ends how_;
    HANDLE claimed_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE end_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD threadId_ = 0;
    std::thread thread_;
};

TEST(Win32SingleInstance, AStartThatFindsAnEndingCopyWaitsForItsNameAndGoesOn) {
    for (auto how : {FirstCopy::Ends::Released, FirstCopy::Ends::Died}) {
        FirstCopy first(how);
        Win32SingleInstance second;
        ASSERT_TRUE(second.AnotherCopyRunning());
        first.End(); // nothing shows for the request
        EXPECT_FALSE(second.AskRunningCopyToShow()) << "the name is this copy's now";
        Win32SingleInstance third;
        EXPECT_TRUE(third.AnotherCopyRunning()) << "and the second copy is the program";
        third.Release();
        second.Release();
    }
}

TEST(Win32SingleInstance, ACopyThatShowsItsWindowIsLeftRunningAtOnce) {
    const FirstCopy first(FirstCopy::Ends::Answers);
    Win32SingleInstance second;
    ASSERT_TRUE(second.AnotherCopyRunning());
    const ULONGLONG start = GetTickCount64();
    EXPECT_TRUE(second.AskRunningCopyToShow());
    EXPECT_LT(GetTickCount64() - start, Win32SingleInstance::EndingCopyWaitMs)
        << "answered, not given up on";
}

} // namespace
} // namespace tvm
