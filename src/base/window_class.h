#pragma once

#include <windows.h>

namespace corvani {

// Registers a window class of this program with the arrow cursor and the null brush (every
// window of ours paints its own background), or finds it when it is registered already.
// Returns 0 when it can be neither.
ATOM RegisterWindowClass(const char* name, WNDPROC procedure, UINT style = 0, int extra_bytes = 0);

}  // namespace corvani
