#pragma once

#include <string>

namespace tvm {

// The value under "Software\Microsoft\Windows\CurrentVersion\Run" that starts the
// program at log-on. The program writes it in the user's own key (HKEY_CURRENT_USER),
// which needs no administrator rights; older versions wrote it in the machine's key
// (HKEY_LOCAL_MACHINE), which is only read and, when the user turns the option off,
// cleaned up where the rights allow. Each call opens the key with the access its one
// operation needs, does that and closes the key again.
class RunAtLogon {
public:
    virtual ~RunAtLogon() = default;

    enum class Hive {
        User,    // HKEY_CURRENT_USER
        Machine, // HKEY_LOCAL_MACHINE
    };

    enum class ReadStatus {
        Text,      // the value exists and holds text
        NoAccess,  // the key cannot be opened for reading
        Missing,   // the key or the value is not there
        WrongType, // the value exists but is not text
    };
    struct ReadResult {
        ReadStatus Status = ReadStatus::Missing;
        std::string Text;
    };

    enum class DeleteStatus {
        Deleted,
        Missing, // there was nothing to delete
        Refused, // the value is there and stays (no rights to delete it)
    };

    virtual ReadResult ReadValue(Hive hive, const std::string& name) = 0;
    // Writes a text value in the user's key (creating the key when it is missing),
    // flushed to disk when the key closes; false when the write is refused.
    virtual bool WriteValue(const std::string& name, const std::string& text) = 0;
    virtual DeleteStatus DeleteValue(Hive hive, const std::string& name) = 0;

    // The full path of the running program's executable.
    virtual std::string ExecutablePath() = 0;
};

} // namespace tvm
