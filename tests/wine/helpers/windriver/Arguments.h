#pragma once

#include "windriver/Windows.h"

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace windriver {

[[noreturn]] void BadUsage(const std::string& reason);

// One command's arguments: positional ones, flags (--visible) and options with a value
// (--timeout 500). An option the command does not know is bad usage.
class Arguments {
public:
    Arguments(const std::vector<std::string>& raw, std::initializer_list<const char*> flags,
              std::initializer_list<const char*> valued, std::size_t least, std::size_t most);

    const std::string& At(std::size_t index) const { return positional_.at(index); }
    std::size_t Count() const { return positional_.size(); }
    bool Flag(const std::string& name) const;
    std::optional<std::string> Value(const std::string& name) const;
    DWORD Timeout() const;
    // The control named by the positional argument at `index`, or by --class/--index/--id.
    ControlSelector Selector(std::size_t index, bool required) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

long long Number(const std::string& text, const std::string& what);

} // namespace windriver
