#pragma once

namespace corvani {

// Makes the process load DLLs named without a path from the system folder only, so a DLL
// dropped beside the executable or in the current directory is never picked up. Where the
// system lacks that (Windows 7 without its loader update), at least the current directory is
// taken out of the search. True when the full restriction is in effect.
bool RestrictDllSearchToSystem();

}  // namespace corvani
