#pragma once

#include "settings/RunAtLogon.h"

#include <map>
#include <optional>
#include <string>

namespace tvm {

// The Run key kept in memory. Value names match without regard to case, and a value
// keeps the case of the name it was created with, as in the registry. The faults are
// the ones a real machine shows: a user without administrator rights cannot open the
// key with full access, another program may have left a value that is not text, and
// a write can be refused.
class MemoryRunAtLogon : public RunAtLogon {
public:
    explicit MemoryRunAtLogon(std::string executablePath);

    ReadResult ReadValue(const std::string& name) override;
    bool WriteValue(const std::string& name, const std::string& text) override;
    void DeleteValue(const std::string& name) override;
    std::string ExecutablePath() override;

    void SetExecutablePath(std::string path) { executablePath_ = std::move(path); }
    // The key cannot be opened with full access: reads say NoAccess, writes fail,
    // deletes do nothing.
    void SetNoAccess(bool noAccess) { noAccess_ = noAccess; }
    // The key opens, but setting a value fails.
    void SetWriteRefused(bool refused) { writeRefused_ = refused; }

    // Values as another program would have left them.
    void StoreText(const std::string& name, const std::string& text);
    // A value that is not text, such as a DWORD.
    void StoreWrongType(const std::string& name);

    // The text of a value, nullopt when it is missing or not text.
    std::optional<std::string> StoredText(const std::string& name) const;
    bool Contains(const std::string& name) const;
    // The name as stored, in the case it was created with.
    std::optional<std::string> StoredName(const std::string& name) const;
    int WriteCount() const { return writeCount_; }

private:
    struct Value {
        std::string Name;
        std::optional<std::string> Text; // nullopt: not text
    };
    void Store(const std::string& name, std::optional<std::string> text);

    std::map<std::string, Value> values_; // keyed by the lower-case name
    std::string executablePath_;
    bool noAccess_ = false;
    bool writeRefused_ = false;
    int writeCount_ = 0;
};

} // namespace tvm
