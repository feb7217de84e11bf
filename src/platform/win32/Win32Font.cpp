#include "platform/win32/Win32Font.h"

#include "platform/win32/Win32Dpi.h"

namespace tvm {

namespace {

GdiObject<HFONT> CreateShellDlgFont(UINT dpi) {
    return GdiObject<HFONT>(CreateFontA(-ScaleToDpi(11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                        FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg"));
}

} // namespace

HFONT DialogFonts::At(UINT dpi) {
    auto made = fonts_.find(dpi);
    if (made == fonts_.end()) {
        made = fonts_.emplace(dpi, CreateShellDlgFont(dpi)).first;
    }
    return made->second.get();
}

SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth, bool noPrefix) {
    const WindowDc screen(nullptr);
    const ScopedSelect selected(screen.get(), font);
    RECT rect{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    UINT format = DT_CALCRECT | DT_LEFT | DT_EXPANDTABS;
    format |= wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    if (noPrefix) {
        format |= DT_NOPREFIX;
    }
    // DrawText measures an empty string as no height; a line's height keeps an empty
    // label the size of one with text.
    const std::string measured = text.empty() ? std::string(" ") : text;
    DrawTextA(screen.get(), measured.c_str(), static_cast<int>(measured.size()), &rect, format);
    return SIZE{text.empty() ? 0 : rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace tvm
