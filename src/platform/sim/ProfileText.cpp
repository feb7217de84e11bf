#include "platform/sim/ProfileText.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace tvm {

namespace {

using Text = std::u16string;
using TextView = std::u16string_view;

// Code page 1252 from 0x80 to 0x9F; its five unassigned bytes map to themselves.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::pair<ProfileEncoding, Text> Decode(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        return {ProfileEncoding::Utf8, FromUtf8(bytes.substr(kUtf8Mark.size()))};
    }
    if (bytes.starts_with(kUtf16LeMark)) {
        return {ProfileEncoding::Utf16Le, FromUtf16(bytes.substr(kUtf16LeMark.size()), false)};
    }
    if (bytes.starts_with(kUtf16BeMark)) {
        return {ProfileEncoding::Utf16Be, FromUtf16(bytes.substr(kUtf16BeMark.size()), true)};
    }
    return {ProfileEncoding::Ansi, WidenAnsi(bytes)};
}

std::string Encode(ProfileEncoding encoding, TextView text) {
    switch (encoding) {
    case ProfileEncoding::Utf8:
        return std::string(kUtf8Mark) + ToUtf8(text);
    case ProfileEncoding::Utf16Le:
        return std::string(kUtf16LeMark) + ToUtf16(text, false);
    case ProfileEncoding::Utf16Be:
        return std::string(kUtf16BeMark) + ToUtf16(text, true);
    case ProfileEncoding::Ansi:
        break;
    }
    return NarrowAnsi(text);
}

} // namespace

std::u16string WidenAnsi(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char16_t{byte};
    }
    return text;
}

std::string NarrowAnsi(std::u16string_view text) {
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

ProfileText DecodeProfileText(std::string_view bytes) {
    // The whole file is decoded before it is split: a UTF-8 sequence that the end of the
    // file cuts short swallows the rest, line breaks included.
    auto [encoding, text] = Decode(bytes);
    ProfileText decoded{encoding, {}};
    TextView rest = text;
    while (!rest.empty()) {
        const auto lineEnd = rest.find_first_of(u"\r\n");
        if (lineEnd != 0) {
            decoded.Lines.emplace_back(rest.substr(0, lineEnd));
        }
        const auto nextLine = rest.find_first_not_of(u"\r\n", lineEnd);
        rest = nextLine == TextView::npos ? TextView{} : rest.substr(nextLine);
    }
    return decoded;
}

std::string EncodeProfileText(const ProfileText& text) {
    Text joined;
    for (const Text& line : text.Lines) {
        joined += line;
        joined += u"\r\n";
    }
    return Encode(text.Encoding, joined);
}

} // namespace tvm
