#include "windriver/Remote.h"

#include "windriver/Windows.h"

#include <tlhelp32.h>

#include <array>
#include <string>

namespace windriver {

namespace {

bool IsWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) && wow64;
}

// Where `function` of `moduleName` is in process `processId`: at the same offset from
// the module's start as here. System DLLs usually share their address across
// processes; the module snapshot makes sure.
std::uintptr_t RemoteAddress(DWORD processId, const char* moduleName, const char* function) {
    const HMODULE module = LoadLibraryA(moduleName);
    const FARPROC local = module == nullptr ? nullptr : GetProcAddress(module, function);
    if (local == nullptr) {
        Fail(std::string("no ") + function + " in " + moduleName);
    }
    const auto here = reinterpret_cast<std::uintptr_t>(local);
    const auto offset = here - reinterpret_cast<std::uintptr_t>(module);

    const HANDLE snapshot =
        CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return here;
    }
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    std::uintptr_t address = here;
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
        if (_stricmp(entry.szModule, moduleName) == 0) {
            address = reinterpret_cast<std::uintptr_t>(entry.modBaseAddr) + offset;
            break;
        }
    }
    CloseHandle(snapshot);
    return address;
}

// x86-64 code for a thread start routine whose argument points at
// { function, a1, a2, a3, a4, result }: it makes the call and stores the result.
constexpr std::array<unsigned char, 40> Thunk = {
    0x53,                   // push rbx
    0x48, 0x83, 0xEC, 0x20, // sub rsp, 32 (the callee's home space; keeps rsp aligned)
    0x48, 0x89, 0xCB,       // mov rbx, rcx
    0x48, 0x8B, 0x4B, 0x08, // mov rcx, [rbx+8]
    0x48, 0x8B, 0x53, 0x10, // mov rdx, [rbx+16]
    0x4C, 0x8B, 0x43, 0x18, // mov r8, [rbx+24]
    0x4C, 0x8B, 0x4B, 0x20, // mov r9, [rbx+32]
    0xFF, 0x13,             // call [rbx]
    0x48, 0x89, 0x43, 0x28, // mov [rbx+40], rax
    0x48, 0x83, 0xC4, 0x20, // add rsp, 32
    0x5B,                   // pop rbx
    0xC3,                   // ret
    0xCC, 0xCC, 0xCC, 0xCC, // padding
};

} // namespace

RemoteMemory::RemoteMemory(HWND window, std::size_t size, bool executable) {
    GetWindowThreadProcessId(window, &processId_);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                               PROCESS_QUERY_INFORMATION | PROCESS_CREATE_THREAD,
                           FALSE, processId_);
    if (process_ == nullptr) {
        Fail("cannot open process " + std::to_string(processId_) + " (error " +
             std::to_string(GetLastError()) + ")");
    }
    // The structures written there are laid out for a process of this driver's kind.
    if (IsWow64(process_) != IsWow64(GetCurrentProcess())) {
        CloseHandle(process_);
        Fail("process " + std::to_string(processId_) +
             " is not of the driver's word size; build the driver for it");
    }
    base_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE,
                           executable ? PAGE_EXECUTE_READWRITE : PAGE_READWRITE);
    if (base_ == nullptr) {
        CloseHandle(process_);
        Fail("cannot allocate memory in process " + std::to_string(processId_) + " (error " +
             std::to_string(GetLastError()) + ")");
    }
}

RemoteMemory::~RemoteMemory() {
    if (base_ != nullptr) {
        VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    }
    CloseHandle(process_);
}

void RemoteMemory::Write(std::size_t offset, const void* data, std::size_t size) {
    SIZE_T written = 0;
    if (!WriteProcessMemory(process_, static_cast<char*>(base_) + offset, data, size, &written) ||
        written != size) {
        Fail("cannot write to process " + std::to_string(processId_));
    }
}

void RemoteMemory::Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T read = 0;
    if (!ReadProcessMemory(process_, static_cast<const char*>(base_) + offset, data, size, &read) ||
        read != size) {
        Fail("cannot read from process " + std::to_string(processId_));
    }
}

std::uintptr_t RemoteMemory::Address(std::size_t offset) const {
    return reinterpret_cast<std::uintptr_t>(base_) + offset;
}

std::uintptr_t CallInProcess(HWND window, const char* module, const char* function,
                             std::uintptr_t a1, std::uintptr_t a2, std::uintptr_t a3,
                             std::uintptr_t a4) {
#if defined(__x86_64__) || defined(_M_X64)
    RemoteMemory memory(window, Thunk.size() + 6 * sizeof(std::uintptr_t), true);
    const std::size_t frame = Thunk.size();
    const std::array<std::uintptr_t, 6> call = {
        RemoteAddress(memory.ProcessId(), module, function), a1, a2, a3, a4, 0};
    memory.Write(0, Thunk.data(), Thunk.size());
    memory.Write(frame, call.data(), sizeof call);
    FlushInstructionCache(memory.Process(), reinterpret_cast<void*>(memory.Address()),
                          Thunk.size());
    const HANDLE thread = CreateRemoteThread(
        memory.Process(), nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(memory.Address()),
        reinterpret_cast<void*>(memory.Address(frame)), 0, nullptr);
    if (thread == nullptr) {
        Fail("cannot start a thread in process " + std::to_string(memory.ProcessId()) + " (error " +
             std::to_string(GetLastError()) + ")");
    }
    const DWORD waited = WaitForSingleObject(thread, DefaultTimeoutMs);
    CloseHandle(thread);
    if (waited != WAIT_OBJECT_0) {
        memory.Abandon();
        Fail("the call in process " + std::to_string(memory.ProcessId()) + " did not return");
    }
    std::uintptr_t result = 0;
    memory.Read(frame + 5 * sizeof(std::uintptr_t), &result, sizeof result);
    return result;
#else
    (void)window;
    (void)module;
    (void)function;
    (void)a1;
    (void)a2;
    (void)a3;
    (void)a4;
    Fail("calls in another process are only written for x86-64");
#endif
}

} // namespace windriver
