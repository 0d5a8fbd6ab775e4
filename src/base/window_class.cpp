#include "base/window_class.h"

namespace corvani {

ATOM RegisterWindowClass(const char* name, WNDPROC procedure, UINT style, int extra_bytes) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = extra_bytes;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  wc.lpszClassName = name;
  ATOM atom = ::RegisterClassExA(&wc);
  if (atom == 0 && ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
    atom = static_cast<ATOM>(::GetClassInfoExA(instance, name, &wc));
  }
  return atom;
}

}  // namespace corvani
