// The floor for the start-up benchmark: the least a Win32 program does to show a window that
// answers messages. Registers a class, creates one visible window and runs a message loop.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "FloorWindow";
  if (::RegisterClassA(&wc) == 0) return 1;
  HWND window = ::CreateWindowExA(0, "FloorWindow", "Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 728, 551, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ::ShowWindow(window, show);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
