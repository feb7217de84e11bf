#include "windriver/Input.h"

#include "windriver/Windows.h"

#include <algorithm>
#include <memory>
#include <string>

namespace windriver {

namespace {

constexpr DWORD ModalGraceMs = 100;

struct SendJob {
    HWND Target;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
    DWORD TimeoutMs;
    DWORD_PTR Result = 0;
    BOOL Sent = FALSE;
    DWORD Error = 0;
};

DWORD WINAPI RunSend(void* parameter) {
    auto* job = static_cast<SendJob*>(parameter);
    job->Sent = SendMessageTimeoutA(job->Target, job->Message, job->WParam, job->LParam,
                                    SMTO_NORMAL, job->TimeoutMs, &job->Result) != 0;
    job->Error = GetLastError();
    return 0;
}

HWND NewVisibleWindow(DWORD threadId, const std::vector<HWND>& before) {
    for (HWND window : ThreadWindows(threadId)) {
        if (IsWindowVisible(window) &&
            std::find(before.begin(), before.end(), window) == before.end()) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

Delivery Deliver(HWND target, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
    const DWORD threadId = GetWindowThreadProcessId(target, nullptr);
    if (threadId == 0) {
        Fail("the window " + Hex(target) + " is gone");
    }
    std::vector<HWND> before;
    for (HWND window : ThreadWindows(threadId)) {
        if (IsWindowVisible(window)) {
            before.push_back(window);
        }
    }
    const HWND root = GetAncestor(target, GA_ROOT);
    const bool rootEnabled = IsWindowEnabled(root) != FALSE;

    // The send runs on its own thread so that this one can watch for a modal loop.
    auto job = std::make_unique<SendJob>(SendJob{target, message, wParam, lParam, timeoutMs});
    const HANDLE worker = CreateThread(nullptr, 0, &RunSend, job.get(), 0, nullptr);
    if (worker == nullptr) {
        Fail("cannot start a thread (error " + std::to_string(GetLastError()) + ")");
    }
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    Delivery delivery;
    for (;;) {
        HWND opened = NewVisibleWindow(threadId, before);
        if (opened == nullptr && rootEnabled && IsWindow(root) && !IsWindowEnabled(root)) {
            opened = root;
        }
        // A handler that opens a window without a loop of its own returns right after;
        // the grace keeps the next command from racing it.
        if (WaitForSingleObject(worker, opened != nullptr ? ModalGraceMs : PollMs) ==
            WAIT_OBJECT_0) {
            CloseHandle(worker);
            if (!job->Sent && IsWindow(target)) {
                Fail("the window " + Hex(target) + " did not handle message " +
                     std::to_string(message) + " within " + std::to_string(timeoutMs) +
                     " ms (error " + std::to_string(job->Error) + ")");
            }
            delivery.Completed = true;
            delivery.Result = static_cast<LRESULT>(job->Result);
            return delivery;
        }
        if (opened != nullptr) {
            // The worker still waits for the reply and uses the job until the process
            // ends, so the job is not freed.
            job.release();
            delivery.Opened = opened;
            return delivery;
        }
        if (GetTickCount64() >= deadline) {
            job.release();
            Fail("the window " + Hex(target) + " is still handling message " +
                 std::to_string(message) + " after " + std::to_string(timeoutMs) +
                 " ms and opened no window");
        }
    }
}

void Settle(HWND window, int rounds, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (int round = 0; round < rounds && IsWindow(window); ++round) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= deadline ? 1 : static_cast<DWORD>(deadline - now);
        try {
            Deliver(window, WM_NULL, 0, 0, left);
        } catch (const Failure&) {
            // Input that closes its window (Enter on a menu, say) ends the wait.
            if (IsWindow(window)) {
                throw;
            }
        }
    }
}

void PostInput(const std::vector<MSG>& messages, DWORD timeoutMs) {
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const MSG& message = messages[i];
        if (!PostMessageA(message.hwnd, message.message, message.wParam, message.lParam)) {
            // Input that closed its window (Enter's key-down on a menu, which the menu's
            // thread may handle before the key-up is posted) leaves the rest unsent.
            if (i > 0 && messages[i - 1].hwnd == message.hwnd && !IsWindow(message.hwnd)) {
                return;
            }
            Fail("cannot post message " + std::to_string(message.message) + " to " +
                 Hex(message.hwnd) + " (error " + std::to_string(GetLastError()) + ")");
        }
    }
    if (!messages.empty()) {
        Settle(messages.back().hwnd, static_cast<int>(messages.size()) + 1, timeoutMs);
    }
}

} // namespace windriver
