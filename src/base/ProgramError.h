#pragma once

#include <stdexcept>
#include <string>

namespace tvm {

// The one error the program raises inside a handler. Whatever the handler had done
// before the raise stays done; the event dispatch catches it and shows the error box.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const std::string& message) : std::runtime_error(message) {}
};

// Formats a message with one "%s" replaced by the argument (the program's messages
// carry at most one).
std::string FormatText(const std::string& pattern, const std::string& argument);

} // namespace tvm
