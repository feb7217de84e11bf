#pragma once

#include <string>

namespace tvm {

// The portable code keeps paths as UTF-8; Windows' W calls take UTF-16. Paths cross
// here so that a folder name outside the system's ANSI code page survives.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

// Texts that the program has always handled as the system's ANSI code page (the
// settings file's sections, keys and values), for the W calls and back, unchanged.
std::wstring WidenAnsi(const std::string& ansi);
std::string NarrowAnsi(const std::wstring& utf16);

} // namespace tvm
