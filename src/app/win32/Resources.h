#pragma once

// Resource ids shared by Tavelmorind.rc and the C++ code; plain #defines because the
// resource compiler understands nothing else.

// Explorer shows the icon group with the lowest id, so the program icon stays at 1.
// The tray's "enabled" picture is this icon's 16x16 image.
#define IDI_PROGRAM 1
#define IDI_TRAY_START 2
#define IDI_TRAY_DISABLED 3

// Button glyphs: 32x16 strips, the normal 16x16 picture then the disabled one; the
// colour of the bottom-left pixel is transparent.
#define IDB_GLYPH_OK 101
#define IDB_GLYPH_CANCEL 102
#define IDB_GLYPH_YES 103
#define IDB_GLYPH_NO 104
#define IDB_GLYPH_RETRY 105
#define IDB_GLYPH_CLOSE 106
#define IDB_GLYPH_SAVE 107
