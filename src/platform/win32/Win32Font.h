#pragma once

#include <windows.h>

#include <string>

namespace tvm {

// The face every window of the program uses: "MS Shell Dlg" at 11 pixels of the
// layout, at `dpi`.
HFONT CreateShellDlgFont(UINT dpi);

// The size `text` takes in `font`; with `wrapWidth` above zero the text is broken into
// lines no wider than that. "&" marks an access key unless `noPrefix`.
SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth, bool noPrefix);

} // namespace tvm
