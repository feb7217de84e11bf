#pragma once

#include "settings/RunAtLogon.h"

#include <map>
#include <optional>
#include <string>

namespace tvm {

// Both Run keys kept in memory. Value names match without regard to case, and a value
// keeps the case of the name it was created with, as in the registry. The faults are
// the ones a real machine shows: an ordinary user may read but not change the
// machine's key, a key may not open at all, another program may have left a value that
// is not text, and a write can be refused. Calls without a hive mean the user's key.
class MemoryRunAtLogon : public RunAtLogon {
public:
    explicit MemoryRunAtLogon(std::string executablePath);

    ReadResult ReadValue(Hive hive, const std::string& name) override;
    bool WriteValue(const std::string& name, const std::string& text) override;
    DeleteStatus DeleteValue(Hive hive, const std::string& name) override;
    std::string ExecutablePath() override;

    void SetExecutablePath(std::string path) { executablePath_ = std::move(path); }
    // The key cannot be opened at all: reads say NoAccess, writes and deletes fail.
    void SetNoAccess(bool noAccess, Hive hive = Hive::User) { At(hive).NoAccess = noAccess; }
    // The key opens for reading only, as the machine's key does for an ordinary user.
    void SetReadOnly(bool readOnly, Hive hive = Hive::User) { At(hive).ReadOnly = readOnly; }
    // The user's key opens, but setting a value fails.
    void SetWriteRefused(bool refused) { At(Hive::User).WriteRefused = refused; }

    // Values as another program would have left them.
    void StoreText(const std::string& name, const std::string& text, Hive hive = Hive::User);
    // A value that is not text, such as a DWORD.
    void StoreWrongType(const std::string& name, Hive hive = Hive::User);

    // The text of a value, nullopt when it is missing or not text.
    std::optional<std::string> StoredText(const std::string& name, Hive hive = Hive::User) const;
    bool Contains(const std::string& name, Hive hive = Hive::User) const;
    // The name as stored, in the case it was created with.
    std::optional<std::string> StoredName(const std::string& name) const;
    int WriteCount() const { return writeCount_; }

private:
    struct Value {
        std::string Name;
        std::optional<std::string> Text; // nullopt: not text
    };
    struct Key {
        std::map<std::string, Value> Values; // keyed by the lower-case name
        bool NoAccess = false;
        bool ReadOnly = false;
        bool WriteRefused = false;
    };
    Key& At(Hive hive) { return hive == Hive::User ? user_ : machine_; }
    const Key& At(Hive hive) const { return hive == Hive::User ? user_ : machine_; }
    static void Store(Key& key, const std::string& name, std::optional<std::string> text);

    Key user_;
    Key machine_;
    std::string executablePath_;
    int writeCount_ = 0;
};

} // namespace tvm
