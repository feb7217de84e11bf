#include "windriver/Arguments.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace windriver {

void BadUsage(const std::string& reason) {
    throw Failure(2, reason);
}

long long Number(const std::string& text, const std::string& what) {
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || errno != 0) {
        BadUsage(what + " must be a number, not \"" + text + "\"");
    }
    return value;
}

Arguments::Arguments(const std::vector<std::string>& raw, std::initializer_list<const char*> flags,
                     std::initializer_list<const char*> valued, std::size_t least,
                     std::size_t most) {
    const auto listed = [](std::initializer_list<const char*> names, const std::string& name) {
        return std::any_of(names.begin(), names.end(),
                           [&](const char* known) { return name == known; });
    };
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const std::string& word = raw[i];
        if (word.rfind("--", 0) != 0) {
            positional_.push_back(word);
        } else if (listed(flags, word)) {
            options_[word] = "";
        } else if (listed(valued, word)) {
            if (i + 1 >= raw.size()) {
                BadUsage(word + " needs a value");
            }
            options_[word] = raw[++i];
        } else {
            BadUsage("unknown option " + word);
        }
    }
    if (positional_.size() < least || positional_.size() > most) {
        BadUsage("wrong number of arguments");
    }
}

bool Arguments::Flag(const std::string& name) const {
    return options_.count(name) != 0;
}

std::optional<std::string> Arguments::Value(const std::string& name) const {
    const auto found = options_.find(name);
    if (found == options_.end()) {
        return std::nullopt;
    }
    return found->second;
}

DWORD Arguments::Timeout() const {
    const auto text = Value("--timeout");
    if (!text) {
        return DefaultTimeoutMs;
    }
    const long long value = Number(*text, "--timeout");
    if (value < 0 || value > 24LL * 3600 * 1000) {
        BadUsage("--timeout is out of range");
    }
    return static_cast<DWORD>(value);
}

ControlSelector Arguments::Selector(std::size_t index, bool required) const {
    ControlSelector selector;
    if (Count() > index) {
        selector.ByCaption = true;
        selector.Caption = At(index);
    }
    if (const auto className = Value("--class")) {
        selector.ByClass = true;
        selector.ClassName = *className;
        selector.Index = static_cast<int>(Number(Value("--index").value_or("0"), "--index"));
    } else if (Value("--index")) {
        BadUsage("--index goes with --class");
    }
    if (const auto id = Value("--id")) {
        selector.ById = true;
        selector.Id = static_cast<int>(Number(*id, "--id"));
    }
    const int ways = int{selector.ByCaption} + int{selector.ByClass} + int{selector.ById};
    if (ways > 1 || (required && ways == 0)) {
        BadUsage("name the control by its caption, by --class [--index] or by --id");
    }
    return selector;
}

} // namespace windriver
