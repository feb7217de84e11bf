#pragma once

#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32MessageLoop.h"
#include "platform/win32/Win32ShellWindow.h"
#include "platform/win32/Win32Toolkit.h"
#include "platform/win32/Win32Tray.h"
#include "shell/TrayService.h"
#include "shell/WindowSystem.h"

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

namespace tvm {

// The program's windows on Win32: the toolkit's hidden application window (the taskbar
// entry, the target of the monitor features' system commands), a native window for
// every form, and the main one's as the shell window (Win32ShellWindow), which takes
// the system's messages to the program, holds its timers and carries the tray icon.
class Win32WindowSystem final : public WindowSystem, public TrayService {
public:
    // The icons are the window system's from then on.
    Win32WindowSystem(Win32MessageLoop& loop, Win32ShellWindow::Routes routes, const char* title,
                      Win32Tray::OwnedIcons trayIcons, OwnedIcon programIcon);
    ~Win32WindowSystem() override;
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

    HWND ApplicationWindow() const { return appWindow_; }
    // The main form's window once it is realized, else null.
    HWND ShellWindow() const { return shell_ ? shell_->Window() : nullptr; }

    Win32Toolkit& Toolkit() { return toolkit_; }

    // The pictures of buttons with a glyph (see Win32Toolkit::SetGlyphs), copied.
    void SetGlyphs(std::map<TGlyph, HBITMAP> strips);

    void Realize(TForm& form) override;
    void RealizeMain(TForm& main, ShellEvents& events) override;
    void HideApplicationWindow() override;
    void RunMessageLoop(TApplication& app) override;

    // The tray icon lives on the shell window, which exists only once start-up has
    // begun; until then there is nothing to show an icon for, and the shell refuses.
    bool Add(const TrayIconData& data) override;
    void Modify(const TrayIconData& data) override;
    void Delete(const TrayIconData& data) override;
    void ShowMenu(TMenu& menu) override;

private:
    // A taskbar button exactly while one of the program's windows is shown: the
    // windows are owned by the application window, which carries the button.
    void UpdateTaskbarButton();
    void FollowVisibility(UINT message);
    void Own(TForm& form);

    Win32MessageLoop& loop_;
    Win32ShellWindow::Routes routes_;
    // Declared before the windows that show them, so that they go after those windows.
    Win32Tray::OwnedIcons trayIcons_;
    OwnedIcon programIcon_;
    HWND appWindow_ = nullptr;
    bool started_ = false;
    Win32Toolkit toolkit_;
    std::unique_ptr<Win32ShellWindow> shell_;
    std::vector<TForm*> forms_;
};

} // namespace tvm
