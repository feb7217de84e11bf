#include "platform/sim/IniFileProfile.h"

#include "platform/sim/ProfileText.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tvm {

namespace {

namespace fs = std::filesystem;

using Text = std::u16string;
using TextView = std::u16string_view;

// The Win32 profile code's white space: tab to carriage return, blank, and ^Z, which
// old DOS editors left at the end of files.
bool IsProfileSpace(char16_t c) {
    return (c >= u'\t' && c <= u'\r') || c == 0x1A || c == u' ';
}

TextView TrimLeft(TextView text) {
    while (!text.empty() && IsProfileSpace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

TextView TrimRight(TextView text) {
    while (!text.empty() && IsProfileSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

TextView Trim(TextView text) {
    return TrimRight(TrimLeft(text));
}

// Names and values pass through the Win32 calls as C strings, and the file is parsed
// into C strings, so whatever follows a zero is lost on both paths.
template <typename View> View UpToNul(View text) {
    return text.substr(0, text.find('\0'));
}

// A name or value as the program passes it.
Text Argument(const std::string& given) {
    return WidenAnsi(UpToNul(std::string_view(given)));
}

char16_t AsciiLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualNoCase(TextView a, TextView b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

// A line without '=' is kept as a key without a value: reads give the fallback, and
// it is written back as it was.
struct Entry {
    Text Name;
    std::optional<Text> Value;
};

struct Section {
    Text Name;
    std::vector<Entry> Entries;
};

struct Document {
    ProfileEncoding Encoding = ProfileEncoding::Ansi;
    std::vector<Section> Sections;
};

// Blank lines and the white space around lines, names and values do not survive a
// load; a '[' line without ']' is an ordinary line; a header ends at its last ']'.
Document Parse(std::string_view bytes) {
    const ProfileText text = DecodeProfileText(bytes);
    // Lines above the first header belong to a nameless section that is always first,
    // so a lookup of the empty name finds it even when a "[]" header comes later.
    Document document{text.Encoding, {Section{}}};
    for (const Text& wholeLine : text.Lines) {
        const auto line = Trim(wholeLine);
        if (line.empty()) {
            continue;
        }
        if (line.front() == u'[') {
            if (const auto close = line.rfind(u']'); close != TextView::npos) {
                const auto name = Trim(line.substr(1, close - 1));
                document.Sections.push_back(Section{Text(UpToNul(name)), {}});
                continue;
            }
        }
        auto& entries = document.Sections.back().Entries;
        Entry entry;
        if (const auto equals = line.find(u'='); equals != TextView::npos) {
            const auto name = TrimRight(line.substr(0, equals));
            // Of a run of nameless keys only the first survives a load (a leftover of
            // the days when blank lines were kept as nameless keys).
            if (name.empty() && !entries.empty() && entries.back().Name.empty()) {
                continue;
            }
            entry.Name = UpToNul(name);
            entry.Value = Text(UpToNul(TrimLeft(line.substr(equals + 1))));
        } else {
            entry.Name = UpToNul(line);
        }
        entries.push_back(std::move(entry));
    }
    return document;
}

std::string Serialize(const Document& document) {
    ProfileText text{document.Encoding, {}};
    for (const Section& section : document.Sections) {
        if (!section.Name.empty()) {
            text.Lines.push_back(u'[' + section.Name + u']');
        }
        for (const Entry& entry : section.Entries) {
            text.Lines.push_back(entry.Value ? entry.Name + u'=' + *entry.Value : entry.Name);
        }
    }
    return EncodeProfileText(text);
}

std::vector<Section>::iterator FindSection(Document& document, TextView name) {
    return std::find_if(document.Sections.begin(), document.Sections.end(),
                        [&](const Section& s) { return EqualNoCase(s.Name, name); });
}

Entry* FindEntry(Section& section, TextView key) {
    const auto found = std::find_if(section.Entries.begin(), section.Entries.end(),
                                    [&](const Entry& e) { return EqualNoCase(e.Name, key); });
    return found == section.Entries.end() ? nullptr : &*found;
}

// A value that both starts and ends with the same quote character reads without them.
TextView Unquote(TextView value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// The Win32 read drops trailing blanks from its fallback, but keeps at least one character.
std::string_view StripFallback(std::string_view fallback) {
    while (fallback.size() > 1 && fallback.back() == ' ') {
        fallback.remove_suffix(1);
    }
    return fallback;
}

enum class FileState { Present, Missing, Unavailable };

// A missing file in an existing folder is an empty profile that a write creates; a
// file that cannot be opened in `mode`, or a folder that is not there, refuses the call.
FileState ReadFile(const fs::path& path, std::ios::openmode mode, std::string& bytes) {
    std::error_code error;
    const auto status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        const auto folder = path.parent_path();
        return folder.empty() || fs::is_directory(folder, error) ? FileState::Missing
                                                                 : FileState::Unavailable;
    }
    if (!fs::is_regular_file(status)) {
        return FileState::Unavailable;
    }
    std::fstream file(path, mode | std::ios::binary);
    if (!file) {
        return FileState::Unavailable;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return file.bad() ? FileState::Unavailable : FileState::Present;
}

#ifdef _WIN32
// Only the tests build the simulated platform for Windows; the program there uses
// the private-profile calls, so the sim's files need not be forced to the disk.
bool SyncToDisk(const fs::path&) {
    return true;
}
void SyncFolder(const fs::path&) {}
#else
bool SyncToDisk(const fs::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}

// Makes the rename itself durable; some file systems cannot sync a folder, and the
// file is in place either way, so a failure here is not a failed write.
void SyncFolder(const fs::path& folder) {
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}
#endif

bool ReplaceFile(const fs::path& path, const std::string& bytes) {
    fs::path temporary = path;
    temporary += ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::error_code error;
    if (!out || !SyncToDisk(temporary)) {
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    SyncFolder(path.parent_path());
    return true;
}

} // namespace

IniFileProfile::IniFileProfile(std::filesystem::path path, std::string fileName)
    : path_(std::move(path)), fileName_(std::move(fileName)) {}

std::string IniFileProfile::ReadString(const std::string& section, const std::string& key,
                                       const std::string& fallback) {
    const auto preset = StripFallback(UpToNul(std::string_view(fallback)));
    std::string bytes;
    if (ReadFile(path_, std::ios::in, bytes) == FileState::Unavailable) {
        return std::string(preset);
    }
    Document document = Parse(bytes);
    const Text sectionName = Argument(section);
    const Text keyName = Argument(key);
    // Only the first section of a name is searched, even when a later one has the key.
    const auto found = FindSection(document, Trim(sectionName));
    const Entry* entry =
        found != document.Sections.end() ? FindEntry(*found, Trim(keyName)) : nullptr;
    const Text value = entry != nullptr && entry->Value ? *entry->Value : WidenAnsi(preset);
    return NarrowAnsi(Unquote(value));
}

bool IniFileProfile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    std::string bytes;
    if (ReadFile(path_, std::ios::in | std::ios::out, bytes) == FileState::Unavailable) {
        return false;
    }
    Document document = Parse(bytes);
    // Names are looked up without their surrounding blanks; what is stored keeps the
    // trailing ones (as does the value) until the next load trims them.
    const Text sectionName = Argument(section);
    const Text keyName = Argument(key);
    Text stored(TrimLeft(Argument(value)));
    if (const auto target = FindSection(document, Trim(sectionName));
        target == document.Sections.end()) {
        document.Sections.push_back(
            Section{Text(TrimLeft(sectionName)), {Entry{Text(TrimLeft(keyName)), stored}}});
    } else if (Entry* entry = FindEntry(*target, Trim(keyName))) {
        if (entry->Value == stored) {
            return true; // nothing changes, so the file is not rewritten
        }
        entry->Value = std::move(stored);
    } else {
        target->Entries.push_back(Entry{Text(TrimLeft(keyName)), std::move(stored)});
    }
    return ReplaceFile(path_, Serialize(document));
}

bool IniFileProfile::EraseSection(const std::string& section) {
    std::string bytes;
    if (ReadFile(path_, std::ios::in | std::ios::out, bytes) == FileState::Unavailable) {
        return false;
    }
    Document document = Parse(bytes);
    // Unlike the other calls, erasing matches the name as given, blanks included, and
    // removes only the first section of that name.
    const auto found = FindSection(document, Argument(section));
    if (found == document.Sections.end()) {
        return true;
    }
    document.Sections.erase(found);
    return ReplaceFile(path_, Serialize(document));
}

std::string IniFileProfile::FileName() const {
    return fileName_;
}

} // namespace tvm
