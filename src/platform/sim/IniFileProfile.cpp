#include "platform/sim/IniFileProfile.h"

#include <algorithm>
#include <array>
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

// The file's text as the Win32 profile code holds it: UTF-16 code units, whatever the
// encoding on disk. Names and values given as bytes, and text read back as bytes, go
// through the ANSI code page, taken to be 1252.
using Text = std::u16string;
using TextView = std::u16string_view;

// Code page 1252 from 0x80 to 0x9F; its five unassigned bytes map to themselves.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

Text Widen(std::string_view bytes) {
    Text text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char16_t{byte};
    }
    return text;
}

// Characters the code page lacks read as '?'.
std::string Narrow(TextView text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text) {
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            bytes += static_cast<char>(unit);
        } else if (const auto at = std::find(kCp1252High.begin(), kCp1252High.end(), unit);
                   at != kCp1252High.end()) {
            bytes += static_cast<char>(0x80 + (at - kCp1252High.begin()));
        } else {
            bytes += '?';
        }
    }
    return bytes;
}

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(Text& text, char32_t codePoint) {
    if (codePoint < 0x10000) {
        text += static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        text += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
}

// Ill-formed bytes read as U+FFFD the way the system's converter reads them: one for
// a sequence cut short by a byte that cannot continue it, or made overlong, a surrogate
// or too large by its second byte (which it takes along); one for a stray byte; and
// one for a sequence that the end of the file cuts short, which swallows the rest.
Text FromUtf8(std::string_view bytes) {
    Text text;
    std::size_t at = 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    while (at < bytes.size()) {
        const unsigned lead = byte(at++);
        std::size_t following = 0;
        char32_t codePoint = lead;
        unsigned low = 0x80;
        unsigned high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            following = 1;
            codePoint = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            following = 2;
            codePoint = lead & 0x0Fu;
            low = lead == 0xE0 ? 0xA0 : low;
            high = lead == 0xED ? 0x9F : high;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            following = 3;
            codePoint = lead & 0x07u;
            low = lead == 0xF0 ? 0x90 : low;
            high = lead == 0xF4 ? 0x8F : high;
        } else if (lead >= 0x80) {
            text += kReplacement;
            continue;
        }
        if (bytes.size() - at < following) {
            text += kReplacement;
            break;
        }
        bool complete = true;
        for (std::size_t i = 0; i < following && complete; ++i, low = 0x80, high = 0xBF) {
            const unsigned next = byte(at);
            complete = next >= 0x80 && next <= 0xBF;
            if (complete) {
                ++at;
                complete = next >= low && next <= high;
                codePoint = codePoint << 6 | (next & 0x3Fu);
            }
        }
        if (complete) {
            AppendCodePoint(text, codePoint);
        } else {
            text += kReplacement;
        }
    }
    return text;
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::string ToUtf8(TextView text) {
    std::string bytes;
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t codePoint = text[at];
        if (IsHighSurrogate(codePoint) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[++at] - 0xDC00);
        } else if (IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint)) {
            codePoint = kReplacement;
        }
        if (codePoint < 0x80) {
            bytes += static_cast<char>(codePoint);
            continue;
        }
        const int following = codePoint < 0x800 ? 1 : codePoint < 0x10000 ? 2 : 3;
        const unsigned leadMarks[] = {0xC0, 0xE0, 0xF0};
        bytes += static_cast<char>(leadMarks[following - 1] | codePoint >> (6 * following));
        for (int i = following - 1; i >= 0; --i) {
            bytes += static_cast<char>(0x80 | (codePoint >> (6 * i) & 0x3F));
        }
    }
    return bytes;
}

// An odd byte at the end reads as if a zero followed it.
Text FromUtf16(std::string_view bytes, bool bigEndian) {
    Text text;
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = at + 1 < bytes.size() ? static_cast<unsigned char>(bytes[at + 1]) : 0;
        text += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return text;
}

std::string ToUtf16(TextView text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// A file that starts with a byte-order mark keeps its Unicode encoding; any other
// file is ANSI text.
enum class Encoding { Ansi, Utf8, Utf16Le, Utf16Be };

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::pair<Encoding, Text> Decode(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        return {Encoding::Utf8, FromUtf8(bytes.substr(kUtf8Mark.size()))};
    }
    if (bytes.starts_with(kUtf16LeMark)) {
        return {Encoding::Utf16Le, FromUtf16(bytes.substr(kUtf16LeMark.size()), false)};
    }
    if (bytes.starts_with(kUtf16BeMark)) {
        return {Encoding::Utf16Be, FromUtf16(bytes.substr(kUtf16BeMark.size()), true)};
    }
    return {Encoding::Ansi, Widen(bytes)};
}

std::string Encode(Encoding encoding, TextView text) {
    switch (encoding) {
    case Encoding::Utf8:
        return std::string(kUtf8Mark) + ToUtf8(text);
    case Encoding::Utf16Le:
        return std::string(kUtf16LeMark) + ToUtf16(text, false);
    case Encoding::Utf16Be:
        return std::string(kUtf16BeMark) + ToUtf16(text, true);
    case Encoding::Ansi:
        break;
    }
    return Narrow(text);
}

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
    return Widen(UpToNul(std::string_view(given)));
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
    Encoding TextEncoding = Encoding::Ansi;
    std::vector<Section> Sections;
};

// Blank lines and the white space around lines, names and values do not survive a
// load; a '[' line without ']' is an ordinary line; a header ends at its last ']'.
Document Parse(std::string_view bytes) {
    auto [encoding, text] = Decode(bytes);
    // Lines above the first header belong to a nameless section that is always first,
    // so a lookup of the empty name finds it even when a "[]" header comes later.
    Document document{encoding, {Section{}}};
    TextView rest = text;
    while (!rest.empty()) {
        const auto lineEnd = rest.find_first_of(u"\r\n");
        const auto line = Trim(rest.substr(0, lineEnd));
        const auto nextLine = rest.find_first_not_of(u"\r\n", lineEnd);
        rest = nextLine == TextView::npos ? TextView{} : rest.substr(nextLine);
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
    Text text;
    for (const Section& section : document.Sections) {
        if (!section.Name.empty()) {
            text += u'[' + section.Name + u"]\r\n";
        }
        for (const Entry& entry : section.Entries) {
            text += entry.Name;
            if (entry.Value) {
                text += u'=' + *entry.Value;
            }
            text += u"\r\n";
        }
    }
    return Encode(document.TextEncoding, text);
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
    const Text value = entry != nullptr && entry->Value ? *entry->Value : Widen(preset);
    return Narrow(Unquote(value));
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
