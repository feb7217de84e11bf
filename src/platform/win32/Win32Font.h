#pragma once

#include "platform/win32/Win32Handles.h"

#include <windows.h>

#include <map>
#include <string>

namespace tvm {

// The face every window of the program uses, "MS Shell Dlg" at 11 pixels of the layout,
// made once per DPI and shared by every window at that DPI. A window must not outlive
// the font it was given.
class DialogFonts {
public:
    // Null only when the system could make no font (the windows keep the system font).
    HFONT At(UINT dpi);

private:
    std::map<UINT, GdiObject<HFONT>> fonts_;
};

// The size `text` takes in `font`; with `wrapWidth` above zero the text is broken into
// lines no wider than that. "&" marks an access key unless `noPrefix`.
SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth, bool noPrefix);

} // namespace tvm
