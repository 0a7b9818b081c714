// The Windows API for the headers of the desktop program that still name it here; it lives in
// base/windows_api.h.
#pragma once

#include "base/windows_api.h"
