// The Windows API as the Windows front end uses it: <windows.h> without its min and max macros,
// then the headers that build on it, in the order they need.
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
