// Prints a file's version resource as Explorer's Properties read it, for the end-to-end
// tests:   VersionInfo FILE
// Output: "FileVersion#=a.b.c.d" and "ProductVersion#=a.b.c.d" from the fixed part, then
// NAME=VALUE for each string of the first translation the resource lists. Exit code 1
// when the file has no readable version resource, 2 on bad usage.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

void PrintQuad(const char* name, DWORD high, DWORD low) {
    std::printf("%s=%u.%u.%u.%u\n", name, unsigned{HIWORD(high)}, unsigned{LOWORD(high)},
                unsigned{HIWORD(low)}, unsigned{LOWORD(low)});
}

} // namespace

int main() {
    // Plain line ends, so that the shell compares what it reads without stripping.
    _setmode(_fileno(stdout), _O_BINARY);
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2) {
        std::fputs("usage: VersionInfo FILE\n", stderr);
        return 2;
    }
    const wchar_t* file = argv[1];
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(file, 0, size, block.data())) {
        std::fprintf(stderr, "VersionInfo: no version resource (error %lu)\n", GetLastError());
        LocalFree(argv);
        return 1;
    }
    LocalFree(argv);

    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", &value, &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        std::fputs("VersionInfo: no fixed part\n", stderr);
        return 1;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    PrintQuad("FileVersion#", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    PrintQuad("ProductVersion#", fixed->dwProductVersionMS, fixed->dwProductVersionLS);

    struct Translation {
        WORD Language;
        WORD CodePage;
    };
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
        length < sizeof(Translation)) {
        std::fputs("VersionInfo: no translation listed\n", stderr);
        return 1;
    }
    const auto* translation = static_cast<const Translation*>(value);
    for (const wchar_t* name :
         {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
          L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        wchar_t path[128];
        swprintf(path, sizeof path / sizeof path[0], L"\\StringFileInfo\\%04x%04x\\%ls",
                 translation->Language, translation->CodePage, name);
        if (VerQueryValueW(block.data(), path, &value, &length) && length > 0) {
            std::printf("%s=%s\n", Utf8(name).c_str(), Utf8(static_cast<wchar_t*>(value)).c_str());
        }
    }
    return 0;
}
