#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tvm {

// The settings file's text as the Win32 profile code holds it: UTF-16 code units,
// whatever the encoding on disk, so that names and values compare and convert the same
// way whichever encoding the file happens to be in.

// A file that starts with a byte-order mark keeps its Unicode encoding; any other file
// is ANSI text.
enum class ProfileEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct ProfileText {
    ProfileEncoding Encoding = ProfileEncoding::Ansi;
    std::vector<std::u16string> Lines;
};

// Any run of carriage returns and line feeds ends a line, so a file edited on any system
// splits the same way; the empty lines such a run would leave carry nothing and are dropped.
ProfileText DecodeProfileText(std::string_view bytes);

// Each line ends with CR LF, as the Win32 writer ends them, and a file with a byte-order
// mark gets it back.
std::string EncodeProfileText(const ProfileText& text);

// Names and values given as bytes, and text read back as bytes, go through the ANSI code
// page, taken to be 1252; characters the code page lacks read as '?'.
std::u16string WidenAnsi(std::string_view bytes);
std::string NarrowAnsi(std::u16string_view text);

} // namespace tvm
