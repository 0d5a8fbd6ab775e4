#pragma once

#include <windows.h>

namespace corvani {

// Where the file dialog goes once it has laid itself out: its own size kept, centred on the
// owner's rectangle when `on_owner`, otherwise on the work area, and then moved so that it
// lies inside the work area (its top-left corner wins when it is larger than the area).
RECT PlaceDialog(const RECT& dialog, const RECT& owner, bool on_owner, const RECT& work_area);

}  // namespace corvani
