// The Windows API as this program's Windows code uses it (the desktop program, the GDI renderer,
// the files and the console of io/ and cli/): <windows.h> without its min and max macros, wide
// strings, then the headers that build on it, in the order they need.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <knownfolders.h>
#include <wincodec.h>
// clang-format on
