// The Windows program: the Win32 platform under the portable start-up order.
#include "Resources.h"
#include "app/Program.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Display.h"
#include "platform/win32/Win32DisplaySet.h"
#include "platform/win32/Win32Handles.h"
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

// The program's glyph pictures, from its resources.
std::map<tvm::TGlyph, tvm::GdiObject<HBITMAP>> LoadGlyphs(HINSTANCE instance) {
    using tvm::TGlyph;
    constexpr std::pair<TGlyph, int> resources[] = {
        {TGlyph::OK, IDB_GLYPH_OK},       {TGlyph::Cancel, IDB_GLYPH_CANCEL},
        {TGlyph::Yes, IDB_GLYPH_YES},     {TGlyph::No, IDB_GLYPH_NO},
        {TGlyph::Retry, IDB_GLYPH_RETRY}, {TGlyph::Close, IDB_GLYPH_CLOSE},
        {TGlyph::Save, IDB_GLYPH_SAVE}};
    std::map<TGlyph, tvm::GdiObject<HBITMAP>> glyphs;
    for (const auto& [glyph, id] : resources) {
        tvm::GdiObject<HBITMAP> strip(static_cast<HBITMAP>(
            LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
        if (strip) {
            glyphs.emplace(glyph, std::move(strip));
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
    tvm::Win32Timers timers;
    tvm::Win32Display display(loop);
    // Every display attached to the desktop, for the engines once they drive each one;
    // making it asks the system nothing.
    tvm::Win32DisplaySet displays(loop, display);
    // Not LR_SHARED: the window system destroys it.
    tvm::OwnedIcon programIcon(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    tvm::Win32WindowSystem windows(
        loop, {timers, display}, "Tavelmorind",
        tvm::Win32Tray::LoadIcons(IDI_TRAY_START, IDI_PROGRAM, IDI_TRAY_DISABLED),
        std::move(programIcon));
    tvm::Win32Dialogs dialogs(windows.Toolkit());
    {
        // The toolkit keeps copies.
        const auto glyphs = LoadGlyphs(instance);
        std::map<tvm::TGlyph, HBITMAP> strips;
        for (const auto& [glyph, strip] : glyphs) {
            strips.emplace(glyph, strip.get());
        }
        windows.SetGlyphs(strips);
    }

    tvm::Win32SettingsFolders folders;
    tvm::Win32Profile ini(tvm::ChooseSettingsFile(folders));
    tvm::Win32RunAtLogon runKey;
    tvm::Win32System system;
    tvm::Win32Power power(windows.ApplicationWindow());
    tvm::Win32SingleInstance single;

    tvm::Platform platform{
        dialogs, timers,   tvm::MainServices{display, ini, runKey, windows, system}, power, single,
        windows, &displays};
    tvm::Program program(platform);
    return program.Run();
}
