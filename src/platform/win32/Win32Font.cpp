#include "platform/win32/Win32Font.h"

#include "platform/win32/Win32Dpi.h"

namespace tvm {

HFONT CreateShellDlgFont(UINT dpi) {
    return CreateFontA(-ScaleToDpi(11, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg");
}

SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth, bool noPrefix) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT rect{0, 0, wrapWidth > 0 ? wrapWidth : 0, 0};
    UINT format = DT_CALCRECT | DT_LEFT | DT_EXPANDTABS;
    format |= wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    if (noPrefix) {
        format |= DT_NOPREFIX;
    }
    // DrawText measures an empty string as no height; a line's height keeps an empty
    // label the size of one with text.
    const std::string measured = text.empty() ? std::string(" ") : text;
    DrawTextA(dc, measured.c_str(), static_cast<int>(measured.size()), &rect, format);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return SIZE{text.empty() ? 0 : rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace tvm
