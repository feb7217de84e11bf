#pragma once

#include <string>

namespace tvm {

// The value under HKEY_LOCAL_MACHINE "Software\Microsoft\Windows\CurrentVersion\Run"
// that starts the program at log-on. Each call opens the key with full access
// (without creating it), does its one thing and closes the key again.
class RunAtLogon {
public:
    virtual ~RunAtLogon() = default;

    enum class ReadStatus {
        Text,      // the value exists and holds text
        NoAccess,  // the key cannot be opened with full access
        Missing,   // the key opened, the value is not there
        WrongType, // the value exists but is not text
    };
    struct ReadResult {
        ReadStatus Status = ReadStatus::Missing;
        std::string Text;
    };

    virtual ReadResult ReadValue(const std::string& name) = 0;
    // Writes a text value, flushed to disk when the key closes; false when the key
    // cannot be opened with full access or the write is refused.
    virtual bool WriteValue(const std::string& name, const std::string& text) = 0;
    // Deletes the value; any failure is silent.
    virtual void DeleteValue(const std::string& name) = 0;

    // The full path of the running program's executable.
    virtual std::string ExecutablePath() = 0;
};

} // namespace tvm
