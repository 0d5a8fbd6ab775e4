#pragma once

#include <windows.h>

#include <span>

#include "ui/about_window/picture_bitmap.h"

namespace corvani {

// The PicBox control kind: a passive child window that shows a JPEG picture unscaled
// at its top-left corner on COLOR_BTNFACE. It never takes the focus and ignores input.
//
// The name of its window class, registered (arrow cursor, NULL_BRUSH background, the module of
// GetModuleHandle(nullptr)) on the first call. Create it with CreateWindowExA(0, class, "",
// WS_CHILD | WS_CLIPSIBLINGS [| WS_VISIBLE], ..., lpParam) where lpParam is a
// `const std::span<const unsigned char>*` pointing at the JPEG bytes, or nullptr for no picture.
// The bytes are decoded once, during creation (they need not outlive CreateWindowExA); the
// bitmap is kept with the window and freed when it is destroyed. Bytes that cannot be decoded
// give a box that shows only its background. nullptr if the class cannot be registered.
const char* PicBoxWindowClass();

// The picture a PicBox window keeps, or nullptr when it has none (or `window` is no PicBox).
const PictureBitmap* PicBoxPicture(HWND window);

// The stretch mode PaintPicBox uses for a display of that many bits per pixel: HALFTONE above
// 16, else COLORONCOLOR.
int PicBoxStretchMode(int display_bits_per_pixel);

// The display's bits per pixel, from EnumDisplaySettingsA (ENUM_CURRENT_SETTINGS); 0 if unknown.
int DisplayBitsPerPixel();

// Paints a picture box on `dc`: PatBlt PATCOPY with a COLOR_BTNFACE brush over `client`; then,
// if there is a picture, a device bitmap made from it (CreateDIBitmap) is copied with
// StretchBlt SRCCOPY to 0, 0 at the picture's own size, in the stretch mode given by
// PicBoxStretchMode(display_bits_per_pixel), and deleted again. The DC's brush and stretch mode
// are as before afterwards.
void PaintPicBox(HDC dc, const RECT& client, const PictureBitmap* picture, int display_bits_per_pixel);

}  // namespace corvani
