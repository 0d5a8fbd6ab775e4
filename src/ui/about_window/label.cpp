#include "ui/about_window/label.h"

#include <string>

#include "base/window_class.h"

namespace corvani {
namespace {

constexpr char kLabelClass[] = "CorvaniLabel";

// Paints the label `window` on `dc`, limited to the DC's clip box (or `fallback_clip`).
void PaintLabelWindow(HWND window, HDC dc, const RECT& fallback_clip) {
  RECT client;
  ::GetClientRect(window, &client);
  RECT clip;
  if (::GetClipBox(dc, &clip) == ERROR) clip = fallback_clip;
  std::string text;
  try {
    text.resize(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1);
    text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  } catch (...) {
    text.clear();  // no memory for the text: paint the background only
  }
  PaintLabel(dc, client, clip, text);
}

LRESULT CALLBACK LabelProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = ::BeginPaint(window, &ps)) {
        PaintLabelWindow(window, dc, ps.rcPaint);
        ::EndPaint(window, &ps);
      }
      return 0;
    }
    case WM_PRINTCLIENT: {  // WM_PRINT, PrintWindow, AnimateWindow: the whole client area
      RECT client;
      ::GetClientRect(window, &client);
      PaintLabelWindow(window, reinterpret_cast<HDC>(wparam), client);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT paints everything
    case WM_SETTEXT: {
      const LRESULT result = ::DefWindowProcA(window, message, wparam, lparam);
      ::InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    default:
      return ::DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

const char* LabelWindowClass() {
  static const ATOM atom = RegisterWindowClass(kLabelClass, LabelProcedure);
  return atom != 0 ? kLabelClass : nullptr;
}

void PaintLabel(HDC dc, const RECT& client, const RECT& clip, std::string_view text) {
  const int saved = ::SaveDC(dc);  // the clip region, and all else, as before afterwards
  RECT area;
  if (!::IntersectRect(&area, &clip, &client)) ::SetRectEmpty(&area);
  HRGN region = ::CreateRectRgnIndirect(&area);
  if (region != nullptr) {
    ::SelectClipRgn(dc, region);
    HBRUSH face = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    if (face != nullptr) {
      ::FillRgn(dc, region, face);
      ::DeleteObject(face);
    }
    ::DeleteObject(region);
  }
  if (!text.empty()) {
    HGDIOBJ old_font = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    RECT rect = client;
    ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect,
                DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    ::SelectObject(dc, old_font);
  }
  if (saved != 0) ::RestoreDC(dc, saved);
}

}  // namespace corvani
