#pragma once

#include <windows.h>

namespace corvani {

// Registers the window class of a passive control kind (Label, PicBox): arrow cursor, NULL_BRUSH
// background (the control paints all of itself), no class styles, `extra_bytes` of window
// extra bytes, in the module of GetModuleHandle(nullptr). A class that is registered already
// counts as registered. Returns the class atom, or 0 on failure.
ATOM RegisterPassiveControlClass(const char* name, WNDPROC procedure, int extra_bytes);

}  // namespace corvani
