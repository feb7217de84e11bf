// The Windows program: the Win32 platform under the portable start-up order.
#include "Resources.h"
#include "app/Program.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Display.h"
#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32RunAtLogon.h"
#include "platform/win32/Win32SettingsFolders.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32System.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Tray.h"
#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <utility>

namespace {

// The program's glyph pictures, from its resources; the caller deletes them.
std::map<tvm::TGlyph, HBITMAP> LoadGlyphs(HINSTANCE instance) {
    using tvm::TGlyph;
    constexpr std::pair<TGlyph, int> resources[] = {
        {TGlyph::OK, IDB_GLYPH_OK},       {TGlyph::Cancel, IDB_GLYPH_CANCEL},
        {TGlyph::Yes, IDB_GLYPH_YES},     {TGlyph::No, IDB_GLYPH_NO},
        {TGlyph::Retry, IDB_GLYPH_RETRY}, {TGlyph::Close, IDB_GLYPH_CLOSE},
        {TGlyph::Save, IDB_GLYPH_SAVE}};
    std::map<TGlyph, HBITMAP> glyphs;
    for (const auto& [glyph, id] : resources) {
        if (const auto strip = static_cast<HBITMAP>(
                LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0))) {
            glyphs[glyph] = strip;
        }
    }
    return glyphs;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    tvm::Win32MessageLoop loop;
    tvm::Win32Dialogs dialogs;
    tvm::Win32Timers timers(loop);
    const auto programIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    tvm::Win32WindowSystem windows(
        loop, "Tavelmorind",
        tvm::Win32Tray::LoadIcons(IDI_TRAY_START, IDI_PROGRAM, IDI_TRAY_DISABLED), programIcon);
    const std::map<tvm::TGlyph, HBITMAP> glyphs = LoadGlyphs(instance);
    windows.SetGlyphs(glyphs);

    tvm::Win32Display display;
    tvm::Win32SettingsFolders folders;
    tvm::Win32Profile ini(tvm::ChooseSettingsFile(folders));
    tvm::Win32RunAtLogon runKey;
    tvm::Win32System system;
    tvm::Win32Power power(windows.ApplicationWindow());
    tvm::Win32SingleInstance single;

    tvm::Platform platform{
        dialogs, timers, tvm::MainServices{display, ini, runKey, windows, system},
        power,   single, windows};
    tvm::Program program(platform);
    const int exitCode = program.Run();
    for (const auto& glyph : glyphs) {
        DeleteObject(glyph.second);
    }
    return exitCode;
}
