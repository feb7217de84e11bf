#include "platform/win32/Win32WindowSystem.h"

#include "ui/widgets/Application.h"

namespace tvm {

namespace {

constexpr const char* kApplicationClass = "TavelmorindApplication";

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

Win32WindowSystem::Win32WindowSystem(Win32MessageLoop& loop, Win32ShellWindow::Routes routes,
                                     const char* title, Win32Tray::OwnedIcons trayIcons,
                                     OwnedIcon programIcon)
    : loop_(loop), routes_(routes), trayIcons_(std::move(trayIcons)),
      programIcon_(std::move(programIcon)), toolkit_(loop) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ApplicationProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon_.get();
    windowClass.lpszClassName = kApplicationClass;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ThrowLastError("RegisterClassExA");
    }
    // A real top-level window of no size in the middle of the screen: it carries the
    // taskbar button while a window of the program is shown, and takes the system
    // commands of the monitor features.
    appWindow_ = CreateWindowExA(
        0, kApplicationClass, title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
        nullptr, instance, nullptr);
    if (appWindow_ == nullptr) {
        ThrowLastError("CreateWindowExA");
    }
}

Win32WindowSystem::~Win32WindowSystem() {
    shell_.reset();
    if (appWindow_ != nullptr) {
        DestroyWindow(appWindow_);
    }
    // The class names the program icon, which goes with this object.
    UnregisterClassA(kApplicationClass, GetModuleHandleA(nullptr));
}

void Win32WindowSystem::SetGlyphs(std::map<TGlyph, HBITMAP> strips) {
    toolkit_.SetGlyphs(std::move(strips));
}

void Win32WindowSystem::Own(TForm& form) {
    const HWND window = Win32Toolkit::Handle(form);
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(appWindow_));
    if (programIcon_) {
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(programIcon_.get()));
    }
    forms_.push_back(&form);
}

void Win32WindowSystem::FollowVisibility(UINT message) {
    if (message == WM_SHOWWINDOW || message == WM_WINDOWPOSCHANGED) {
        UpdateTaskbarButton();
    }
}

void Win32WindowSystem::Realize(TForm& form) {
    toolkit_.Realize(form);
    Own(form);
    toolkit_.SetMessageHook(form, [this](UINT message, WPARAM, LPARAM, LRESULT&) {
        FollowVisibility(message);
        return false;
    });
}

void Win32WindowSystem::RealizeMain(TForm& main, ShellEvents& events) {
    toolkit_.Realize(main);
    Own(main);
    shell_ = std::make_unique<Win32ShellWindow>(toolkit_, main, events, routes_,
                                                Win32Tray::Handles(trayIcons_));
    toolkit_.SetMessageHook(
        main, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            FollowVisibility(message);
            return shell_ != nullptr && shell_->Handle(message, wParam, lParam, result);
        });
}

void Win32WindowSystem::UpdateTaskbarButton() {
    if (!started_) {
        return;
    }
    bool anyShown = false;
    for (const TForm* form : forms_) {
        anyShown = anyShown || IsWindowVisible(Win32Toolkit::Handle(*form));
    }
    if (anyShown != (IsWindowVisible(appWindow_) != FALSE)) {
        ShowWindow(appWindow_, anyShown ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
}

void Win32WindowSystem::HideApplicationWindow() {
    ShowWindow(appWindow_, SW_HIDE);
    started_ = true;
    UpdateTaskbarButton();
}

void Win32WindowSystem::RunMessageLoop(TApplication& app) {
    loop_.Run(app);
}

bool Win32WindowSystem::Add(const TrayIconData& data) {
    return shell_ && shell_->Tray().Add(data);
}

void Win32WindowSystem::Modify(const TrayIconData& data) {
    if (shell_) {
        shell_->Tray().Modify(data);
    }
}

void Win32WindowSystem::Delete(const TrayIconData& data) {
    if (shell_) {
        shell_->Tray().Delete(data);
    }
}

void Win32WindowSystem::ShowMenu(TMenu& menu) {
    if (shell_) {
        shell_->Tray().ShowMenu(menu);
    }
}

} // namespace tvm
