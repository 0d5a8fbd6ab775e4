#include "ui/about_window/pic_box.h"

#include "ui/about_window/jpeg_decoder.h"
#include "base/window_class.h"

namespace corvani {
namespace {

constexpr char kPicBoxClass[] = "CorvaniPicBox";
constexpr int kPictureSlot = 0;  // window extra bytes: the owned PictureBitmap*, or null

ATOM PicBoxAtom();

// Decodes the picture that the creation parameters point at; nullptr when there is none or it
// cannot be decoded. No exception leaves it: it runs inside the window procedure.
PictureBitmap* DecodeCreationPicture(const CREATESTRUCTA& create) {
  const auto* bytes = static_cast<const std::span<const unsigned char>*>(create.lpCreateParams);
  if (bytes == nullptr) return nullptr;
  try {
    std::optional<DecodedPicture> decoded = DecodeJpeg(*bytes);
    if (!decoded) return nullptr;
    auto* bitmap = new PictureBitmap(MakePictureBitmap(*decoded));
    if (bitmap->bits.empty()) {
      delete bitmap;
      return nullptr;
    }
    return bitmap;
  } catch (...) {
    return nullptr;  // out of memory: the box shows its background only
  }
}

void PaintPicBoxWindow(HWND window, HDC dc) {
  RECT client;
  ::GetClientRect(window, &client);
  PaintPicBox(dc, client, PicBoxPicture(window), DisplayBitsPerPixel());
}

LRESULT CALLBACK PicBoxProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: {
      PictureBitmap* picture = DecodeCreationPicture(*reinterpret_cast<const CREATESTRUCTA*>(lparam));
      ::SetWindowLongPtrA(window, kPictureSlot, reinterpret_cast<LONG_PTR>(picture));
      return ::DefWindowProcA(window, message, wparam, lparam);
    }
    case WM_NCDESTROY: {
      auto* picture = reinterpret_cast<PictureBitmap*>(::SetWindowLongPtrA(window, kPictureSlot, 0));
      delete picture;
      return ::DefWindowProcA(window, message, wparam, lparam);
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = ::BeginPaint(window, &ps)) {
        PaintPicBoxWindow(window, dc);
        ::EndPaint(window, &ps);
      }
      return 0;
    }
    case WM_PRINTCLIENT:  // WM_PRINT, PrintWindow, AnimateWindow
      PaintPicBoxWindow(window, reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT paints everything
    default:
      return ::DefWindowProcA(window, message, wparam, lparam);
  }
}

ATOM PicBoxAtom() {
  static const ATOM atom = RegisterWindowClass(kPicBoxClass, PicBoxProcedure, 0, sizeof(LONG_PTR));
  return atom;
}

}  // namespace

const char* PicBoxWindowClass() { return PicBoxAtom() != 0 ? kPicBoxClass : nullptr; }

const PictureBitmap* PicBoxPicture(HWND window) {
  if (window == nullptr || PicBoxAtom() == 0 ||
      ::GetClassLongPtrA(window, GCW_ATOM) != static_cast<ULONG_PTR>(PicBoxAtom())) {
    return nullptr;
  }
  return reinterpret_cast<const PictureBitmap*>(::GetWindowLongPtrA(window, kPictureSlot));
}

int PicBoxStretchMode(int display_bits_per_pixel) {
  return display_bits_per_pixel > 16 ? HALFTONE : COLORONCOLOR;
}

int DisplayBitsPerPixel() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (!::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  return static_cast<int>(mode.dmBitsPerPel);
}

void PaintPicBox(HDC dc, const RECT& client, const PictureBitmap* picture, int display_bits_per_pixel) {
  HBRUSH face = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
  if (face != nullptr) {
    HGDIOBJ old_brush = ::SelectObject(dc, face);
    ::PatBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top, PATCOPY);
    ::SelectObject(dc, old_brush);
    ::DeleteObject(face);
  }
  if (picture == nullptr || picture->bits.empty()) return;

  BITMAPINFO info{};
  info.bmiHeader = picture->header;
  HBITMAP bitmap = ::CreateDIBitmap(dc, &picture->header, CBM_INIT, picture->bits.data(), &info, DIB_RGB_COLORS);
  if (bitmap == nullptr) return;
  HDC memory = ::CreateCompatibleDC(dc);
  if (memory != nullptr) {
    HGDIOBJ old_bitmap = ::SelectObject(memory, bitmap);
    const int mode = PicBoxStretchMode(display_bits_per_pixel);
    const int old_mode = ::SetStretchBltMode(dc, mode);
    POINT old_origin{};
    if (mode == HALFTONE) ::SetBrushOrgEx(dc, 0, 0, &old_origin);  // as HALFTONE requires
    ::StretchBlt(dc, 0, 0, picture->width(), picture->height(), memory, 0, 0, picture->width(),
                 picture->height(), SRCCOPY);
    if (mode == HALFTONE) ::SetBrushOrgEx(dc, old_origin.x, old_origin.y, nullptr);
    if (old_mode != 0) ::SetStretchBltMode(dc, old_mode);
    ::SelectObject(memory, old_bitmap);
    ::DeleteDC(memory);
  }
  ::DeleteObject(bitmap);
}

}  // namespace corvani
