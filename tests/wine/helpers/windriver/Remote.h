#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace windriver {

// Memory inside the process that owns `window`. Common-control messages such as
// SB_GETTEXT and LVM_GETITEMTEXT carry pointers that the system does not copy across
// processes, so their buffers must live in the control's own process.
class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t size, bool executable = false);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    void Write(std::size_t offset, const void* data, std::size_t size);
    void Read(std::size_t offset, void* data, std::size_t size) const;
    std::uintptr_t Address(std::size_t offset = 0) const;
    // Leaves the memory allocated, for a thread of the process that may still use it.
    void Abandon() { base_ = nullptr; }
    HANDLE Process() const { return process_; }
    DWORD ProcessId() const { return processId_; }

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    void* base_ = nullptr;
};

// Calls `function` of the system DLL `module` with up to four arguments on a new
// thread of the process that owns `window`, and returns its result. Wine keeps a
// menu's items in the memory of the process that built it, so a menu of another
// process can only be read from inside that process.
std::uintptr_t CallInProcess(HWND window, const char* module, const char* function,
                             std::uintptr_t a1, std::uintptr_t a2 = 0, std::uintptr_t a3 = 0,
                             std::uintptr_t a4 = 0);

} // namespace windriver
