// A DLL that does nothing: the search-restriction test places it beside the test program.
#include <windows.h>

extern "C" __declspec(dllexport) int CorvaniProbe() { return 42; }
