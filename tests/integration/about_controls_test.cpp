// The About window's passive control kinds, Label and PicBox: their painting into a memory DC,
// their window classes and windows, and that making and destroying them leaks nothing.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/embedded.h"
#include "ui/about_window/jpeg_decoder.h"
#include "ui/about_window/label.h"
#include "ui/about_window/pic_box.h"
#include "ui/about_window/picture_bitmap.h"

namespace corvani {
namespace {

constexpr COLORREF kSentinel = RGB(255, 0, 255);

// A memory DC with a top-down 24-bit DIB section selected, filled with kSentinel.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = ::CreateCompatibleDC(nullptr);
    bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = ::SelectObject(dc_, bitmap_);
    Fill(kSentinel);
  }
  ~Canvas() {
    ::SelectObject(dc_, old_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool ok() const { return dc_ != nullptr && bitmap_ != nullptr && bits_ != nullptr; }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  std::size_t stride() const { return DibStride(width_); }
  const unsigned char* bits() const { return static_cast<const unsigned char*>(bits_); }

  void Fill(COLORREF colour) {
    HBRUSH brush = ::CreateSolidBrush(colour);
    RECT all{0, 0, width_, height_};
    ::FillRect(dc_, &all, brush);
    ::DeleteObject(brush);
    ::GdiFlush();
  }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const unsigned char* p = bits() + y * stride() + 3 * x;
    return RGB(p[2], p[1], p[0]);
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

COLORREF Face() { return ::GetSysColor(COLOR_BTNFACE); }

std::string Hex(COLORREF c) {
  char s[16];
  std::snprintf(s, sizeof s, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
  return s;
}

// Writes the canvas as a .bmp file when CORVANI_SNAPSHOT_DIR is set (for looking at it).
void Snapshot(const Canvas& canvas, const char* name) {
  const char* dir = std::getenv("CORVANI_SNAPSHOT_DIR");
  if (dir == nullptr) return;
  const std::string path = std::string(dir) + "\\" + name + ".bmp";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  const DWORD image = static_cast<DWORD>(canvas.stride() * canvas.height());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + image;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = canvas.width();
  info.biHeight = -canvas.height();
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = image;
  ::GdiFlush();
  std::fwrite(&file, sizeof file, 1, f);
  std::fwrite(&info, sizeof info, 1, f);
  std::fwrite(canvas.bits(), 1, image, f);
  std::fclose(f);
}

const DecodedPicture& AboutPicture() {
  static const DecodedPicture picture = *DecodeJpeg(embedded::about_picture);
  return picture;
}

COLORREF PicturePixel(int x, int y) {
  const unsigned char* p = AboutPicture().pixels.data() + (std::size_t(y) * 94 + x) * 3;
  return RGB(p[0], p[1], p[2]);
}

// Checks that everything in [x0, x1) x [y0, y1) of the canvas is `colour`.
void ExpectArea(const Canvas& c, int x0, int y0, int x1, int y1, COLORREF colour, const char* what) {
  int wrong = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (c.At(x, y) != colour && wrong++ < 3) {
        ADD_FAILURE() << what << ": (" << x << ", " << y << ") is " << Hex(c.At(x, y)) << ", not " << Hex(colour);
      }
    }
  }
  EXPECT_EQ(wrong, 0) << what;
}

const RECT kBox{0, 0, 104, 104};

TEST(PaintPicBox, ColorOnColorDrawsThePictureExactlyAtTheTopLeftOnTheFaceColour) {
  Canvas canvas(104, 104);
  ASSERT_TRUE(canvas.ok());
  const PictureBitmap bitmap = MakePictureBitmap(AboutPicture());
  ASSERT_EQ(PicBoxStretchMode(16), COLORONCOLOR);
  PaintPicBox(canvas.dc(), kBox, &bitmap, 16);
  int wrong = 0;
  for (int y = 0; y < 94; ++y) {
    for (int x = 0; x < 94; ++x) {
      if (canvas.At(x, y) != PicturePixel(x, y) && wrong++ < 3) {
        ADD_FAILURE() << "(" << x << ", " << y << ") is " << Hex(canvas.At(x, y)) << ", the picture "
                      << Hex(PicturePixel(x, y));
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  ExpectArea(canvas, 94, 0, 104, 104, Face(), "the band on the right");
  ExpectArea(canvas, 0, 94, 104, 104, Face(), "the band at the bottom");
  EXPECT_EQ(::GetStretchBltMode(canvas.dc()), BLACKONWHITE) << "the DC's stretch mode is given back";
  Snapshot(canvas, "picbox");
}

TEST(PaintPicBox, HalftoneAtOneToOne) {
  Canvas canvas(104, 104);
  ASSERT_TRUE(canvas.ok());
  const PictureBitmap bitmap = MakePictureBitmap(AboutPicture());
  ASSERT_EQ(PicBoxStretchMode(32), HALFTONE);
  ASSERT_EQ(PicBoxStretchMode(24), HALFTONE);
  PaintPicBox(canvas.dc(), kBox, &bitmap, 32);
  int differing = 0, largest = 0;
  for (int y = 0; y < 94; ++y) {
    for (int x = 0; x < 94; ++x) {
      const COLORREF a = canvas.At(x, y), b = PicturePixel(x, y);
      const int d = std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                              std::abs(GetBValue(a) - GetBValue(b))});
      if (d != 0) ++differing;
      largest = std::max(largest, d);
    }
  }
  std::printf("HALFTONE at 1:1: %d of 8836 pixels differ from the picture, by at most %d\n", differing, largest);
  RecordProperty("halftone_differing", differing);
  RecordProperty("halftone_largest_difference", largest);
  // A 1:1 copy in HALFTONE mode is a plain copy under Wine (and on Windows nothing is
  // resampled at 1:1 either); allow a little for a system that filters all the same.
  EXPECT_LE(largest, 8);
  ExpectArea(canvas, 94, 0, 104, 104, Face(), "the band on the right");
  ExpectArea(canvas, 0, 94, 104, 104, Face(), "the band at the bottom");
}

TEST(PaintPicBox, WithoutAPictureOnlyTheFaceColour) {
  Canvas canvas(104, 104);
  PaintPicBox(canvas.dc(), kBox, nullptr, 32);
  ExpectArea(canvas, 0, 0, 104, 104, Face(), "the box");
  const PictureBitmap none = MakePictureBitmap(DecodedPicture{});
  canvas.Fill(kSentinel);
  PaintPicBox(canvas.dc(), kBox, &none, 32);
  ExpectArea(canvas, 0, 0, 104, 104, Face(), "the box with an empty bitmap");
}

TEST(PaintPicBox, FillsOnlyTheClientRectangle) {
  Canvas canvas(120, 120);
  PaintPicBox(canvas.dc(), kBox, nullptr, 16);
  ExpectArea(canvas, 104, 0, 120, 120, kSentinel, "right of the box");
  ExpectArea(canvas, 0, 104, 120, 120, kSentinel, "below the box");
}

// The label's ink: every pixel that is not the face colour.
struct Ink {
  int count = 0, black = 0, not_darker = 0;
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Ink FindInk(const Canvas& c, int x0, int y0, int x1, int y1) {
  Ink ink;
  const COLORREF face = Face();
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const COLORREF p = c.At(x, y);
      if (p == face) continue;
      ++ink.count;
      if (p == RGB(0, 0, 0)) ++ink.black;
      if (GetRValue(p) > GetRValue(face) || GetGValue(p) > GetGValue(face) || GetBValue(p) > GetBValue(face)) {
        ++ink.not_darker;
      }
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

constexpr char kAuthor[] = "作者：teru_vasko";

TEST(PaintLabel, BlackTextInOneLineAtTheLeftCentredVerticallyOnTheFaceColour) {
  Canvas canvas(176, 64);
  const RECT client{0, 0, 176, 64};
  PaintLabel(canvas.dc(), client, client, kAuthor);
  Snapshot(canvas, "label");
  const Ink ink = FindInk(canvas, 0, 0, 176, 64);
  EXPECT_GT(ink.count, 60) << "the text is drawn";
  EXPECT_EQ(ink.not_darker, 0) << "only black and its blend with the face colour";
  // The text is black: its core pixels are exactly black, its edges (font smoothing) blends of
  // black and the face colour.
  EXPECT_GT(ink.black, 20) << "black text (" << ink.black << " of " << ink.count << " exactly black)";
  EXPECT_LE(ink.left, 3) << "left-aligned";
  EXPECT_LT(ink.right, 150);
  EXPECT_LE(ink.bottom - ink.top + 1, 18) << "one line";
  const double middle = (ink.top + ink.bottom + 1) / 2.0;
  EXPECT_NEAR(middle, 32.0, 3.0) << "centred vertically (rows " << ink.top << " to " << ink.bottom << ")";
  EXPECT_EQ(canvas.At(175, 0), Face());
  EXPECT_EQ(canvas.At(0, 63), Face());
}

TEST(PaintLabel, CommunityLineIsCentredInItsOwnHeight) {
  Canvas canvas(376, 32);
  const RECT client{0, 0, 376, 32};
  PaintLabel(canvas.dc(), client, client, "Mirelund论坛·mirelund.example");
  const Ink ink = FindInk(canvas, 0, 0, 376, 32);
  EXPECT_GT(ink.count, 60);
  EXPECT_LE(ink.left, 3);
  EXPECT_LE(ink.bottom - ink.top + 1, 18);
  EXPECT_NEAR((ink.top + ink.bottom + 1) / 2.0, 16.0, 3.0);
}

TEST(PaintLabel, PaintsOnlyInsideTheClipBoxAndGivesTheDcBack) {
  Canvas canvas(176, 64);
  const RECT client{0, 0, 176, 64};
  const RECT clip{0, 0, 40, 64};
  HGDIOBJ font_before = ::GetCurrentObject(canvas.dc(), OBJ_FONT);
  PaintLabel(canvas.dc(), client, clip, kAuthor);
  ExpectArea(canvas, 40, 0, 176, 64, kSentinel, "outside the clip box");
  EXPECT_EQ(FindInk(canvas, 0, 0, 40, 64).not_darker, 0);
  EXPECT_EQ(canvas.At(39, 0), Face());
  HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(::GetClipRgn(canvas.dc(), probe), 0) << "no clip region left behind";
  ::DeleteObject(probe);
  EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_FONT), font_before);
  EXPECT_EQ(::GetBkMode(canvas.dc()), OPAQUE);
}

TEST(PaintLabel, AClipBoxOutsideTheClientPaintsNothingThere) {
  Canvas canvas(100, 40);
  const RECT client{0, 0, 60, 40};
  const RECT clip{0, 0, 100, 40};
  PaintLabel(canvas.dc(), client, clip, "");
  ExpectArea(canvas, 0, 0, 60, 40, Face(), "the client");
  ExpectArea(canvas, 60, 0, 100, 40, kSentinel, "beyond the client");
}

TEST(PaintLabel, EmptyTextOnlyTheFaceColour) {
  Canvas canvas(176, 64);
  const RECT client{0, 0, 176, 64};
  PaintLabel(canvas.dc(), client, client, "");
  ExpectArea(canvas, 0, 0, 176, 64, Face(), "the label");
}

// A hidden top-level window to hold the controls.
class Parent {
 public:
  Parent() {
    window_ = ::CreateWindowExA(0, "STATIC", "controls", WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN, 100, 100,
                                520, 180, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  }
  ~Parent() { ::DestroyWindow(window_); }
  Parent(const Parent&) = delete;
  Parent& operator=(const Parent&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

HWND MakePicBox(HWND parent, const std::span<const unsigned char>* bytes, DWORD extra_style = 0) {
  return ::CreateWindowExA(0, PicBoxWindowClass(), "", WS_CHILD | WS_CLIPSIBLINGS | extra_style, 0, 0, 104, 104,
                           parent, nullptr, ::GetModuleHandleA(nullptr),
                           const_cast<std::span<const unsigned char>*>(bytes));
}

HWND MakeLabel(HWND parent, const char* text, int x, int y, int w, int h, DWORD extra_style = 0) {
  return ::CreateWindowExA(0, LabelWindowClass(), text, WS_CHILD | WS_CLIPSIBLINGS | extra_style, x, y, w, h, parent,
                           nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

TEST(WindowClasses, ArrowCursorNullBrushRegisteredOnce) {
  for (const char* (*get)() : {LabelWindowClass, PicBoxWindowClass}) {
    const char* name = get();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(get(), name) << "the same class every time";
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(::GetClassInfoExA(::GetModuleHandleA(nullptr), name, &wc)) << name;
    EXPECT_EQ(wc.hCursor, ::LoadCursorA(nullptr, IDC_ARROW)) << name;
    EXPECT_EQ(wc.hbrBackground, static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH))) << name;
  }
  EXPECT_STRNE(LabelWindowClass(), PicBoxWindowClass());
}

TEST(PicBoxWindow, DecodesAtCreationAndPaintsThePicture) {
  Parent parent;
  const std::span<const unsigned char> bytes = embedded::about_picture;
  HWND box = MakePicBox(parent.get(), &bytes);
  ASSERT_NE(box, nullptr);
  const PictureBitmap* picture = PicBoxPicture(box);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width(), 94);
  EXPECT_EQ(picture->height(), 94);
  EXPECT_EQ(picture->bits, MakePictureBitmap(AboutPicture()).bits);
  EXPECT_EQ(PicBoxPicture(parent.get()), nullptr) << "no PicBox";

  Canvas through_window(104, 104), direct(104, 104);
  ::SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(through_window.dc()), PRF_CLIENT);
  PaintPicBox(direct.dc(), kBox, picture, DisplayBitsPerPixel());
  ::GdiFlush();
  EXPECT_TRUE(std::equal(direct.bits(), direct.bits() + direct.stride() * 104, through_window.bits()));
  ExpectArea(through_window, 94, 0, 104, 104, Face(), "the band on the right");
  EXPECT_EQ(through_window.At(0, 0), PicturePixel(0, 0));
  EXPECT_TRUE(::DestroyWindow(box));
  std::printf("display: %d bits per pixel\n", DisplayBitsPerPixel());
}

TEST(PicBoxWindow, UndecodableBytesShowOnlyTheBackground) {
  Parent parent;
  std::vector<unsigned char> broken(embedded::about_picture.begin(), embedded::about_picture.end());
  broken[1] = 0x00;
  const std::vector<unsigned char> empty;
  const std::span<const unsigned char> cases[] = {broken, empty};
  for (const auto& bytes : cases) {
    HWND box = MakePicBox(parent.get(), &bytes);
    ASSERT_NE(box, nullptr) << "the window is made all the same";
    EXPECT_EQ(PicBoxPicture(box), nullptr);
    Canvas canvas(104, 104);
    ::SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    ExpectArea(canvas, 0, 0, 104, 104, Face(), "the empty box");
    ::DestroyWindow(box);
  }
  HWND none = MakePicBox(parent.get(), nullptr);
  ASSERT_NE(none, nullptr);
  EXPECT_EQ(PicBoxPicture(none), nullptr);
  ::DestroyWindow(none);
}

TEST(LabelWindow, PaintsItsWindowText) {
  Parent parent;
  HWND label = MakeLabel(parent.get(), kAuthor, 104, 40, 176, 64);
  ASSERT_NE(label, nullptr);
  Canvas through_window(176, 64), direct(176, 64);
  ::SendMessageA(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(through_window.dc()), PRF_CLIENT);
  const RECT client{0, 0, 176, 64};
  PaintLabel(direct.dc(), client, client, kAuthor);
  ::GdiFlush();
  EXPECT_TRUE(std::equal(direct.bits(), direct.bits() + direct.stride() * 64, through_window.bits()));
  EXPECT_GT(FindInk(through_window, 0, 0, 176, 64).count, 60);

  ::SetWindowTextA(label, "");
  ::SendMessageA(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(through_window.dc()), PRF_CLIENT);
  ExpectArea(through_window, 0, 0, 176, 64, Face(), "a label without text");
  ::DestroyWindow(label);
}

TEST(Windows, OnScreenTheyShowThePictureAndTheText) {
  Parent parent;
  const std::span<const unsigned char> bytes = embedded::about_picture;
  HWND box = MakePicBox(parent.get(), &bytes, WS_VISIBLE);
  HWND label = MakeLabel(parent.get(), kAuthor, 104, 40, 176, 64, WS_VISIBLE);
  ASSERT_TRUE(box && label);
  ::ShowWindow(parent.get(), SW_SHOWNOACTIVATE);
  ::UpdateWindow(parent.get());
  PumpMessages();
  ::Sleep(200);
  PumpMessages();
  Canvas screen(104, 104);
  HDC box_dc = ::GetDC(box);
  ::BitBlt(screen.dc(), 0, 0, 104, 104, box_dc, 0, 0, SRCCOPY);
  ::ReleaseDC(box, box_dc);
  Canvas expected(104, 104);
  PaintPicBox(expected.dc(), kBox, PicBoxPicture(box), DisplayBitsPerPixel());
  int differing = 0;
  for (int y = 0; y < 104; ++y) {
    for (int x = 0; x < 104; ++x) differing += screen.At(x, y) != expected.At(x, y);
  }
  EXPECT_EQ(differing, 0) << "pixels on screen that differ from PaintPicBox's";
  Canvas text(176, 64);
  HDC label_dc = ::GetDC(label);
  ::BitBlt(text.dc(), 0, 0, 176, 64, label_dc, 0, 0, SRCCOPY);
  ::ReleaseDC(label, label_dc);
  EXPECT_GT(FindInk(text, 0, 0, 176, 64).count, 60);
  EXPECT_EQ(text.At(175, 63), Face());
}

TEST(Windows, NeverTakeTheFocusFromAClick) {
  Parent parent;
  HWND button = ::CreateWindowExA(0, "BUTTON", "ok", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 300, 40,
                                  100, 30, parent.get(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
  const std::span<const unsigned char> bytes = embedded::about_picture;
  HWND box = MakePicBox(parent.get(), &bytes, WS_VISIBLE);
  HWND label = MakeLabel(parent.get(), kAuthor, 104, 40, 176, 64, WS_VISIBLE);
  ::ShowWindow(parent.get(), SW_SHOW);
  ::SetForegroundWindow(parent.get());
  ::SetFocus(button);
  PumpMessages();
  ASSERT_EQ(::GetFocus(), button);
  for (HWND control : {box, label}) {
    EXPECT_EQ(::GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP, 0);
    ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::SendMessageA(control, WM_KEYDOWN, VK_SPACE, 0);
    PumpMessages();
    EXPECT_EQ(::GetFocus(), button);
  }
}

struct Counts {
  DWORD gdi, user, handles;
  SIZE_T heap_bytes, pagefile_bytes;
};

// The bytes of all the process's heaps' blocks in use (HeapWalk).
SIZE_T HeapBytesInUse() {
  HANDLE heaps[64];
  const DWORD count = std::min<DWORD>(::GetProcessHeaps(64, heaps), 64);
  SIZE_T total = 0;
  for (DWORD i = 0; i < count; ++i) {
    if (!::HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (::HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    }
    ::HeapUnlock(heaps[i]);
  }
  return total;
}

Counts Measure() {
  PumpMessages();
  Counts c{};
  c.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  c.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  ::GetProcessHandleCount(::GetCurrentProcess(), &c.handles);
  c.heap_bytes = HeapBytesInUse();
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  ::K32GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
  c.pagefile_bytes = memory.PagefileUsage;
  return c;
}

void MakeAndDestroyControls(HWND parent, HDC paint_into) {
  const std::span<const unsigned char> bytes = embedded::about_picture;
  HWND box = MakePicBox(parent, &bytes, WS_VISIBLE);
  ASSERT_NE(box, nullptr);
  ASSERT_NE(PicBoxPicture(box), nullptr);
  ::SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(paint_into), PRF_CLIENT);
  ::UpdateWindow(box);
  HWND label = MakeLabel(parent, kAuthor, 104, 40, 176, 64, WS_VISIBLE);
  ASSERT_NE(label, nullptr);
  ::SendMessageA(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(paint_into), PRF_CLIENT);
  ::UpdateWindow(label);
  ::DestroyWindow(label);
  ::DestroyWindow(box);
  ASSERT_TRUE(DecodeJpeg(embedded::about_picture).has_value());
}

TEST(Resources, MakingDestroyingAndDecoding200TimesLeaksNothing) {
  Parent parent;
  ::ShowWindow(parent.get(), SW_SHOWNOACTIVATE);
  Canvas canvas(176, 104);
  MakeAndDestroyControls(parent.get(), canvas.dc());  // warm-up: first-use caches
  const Counts before = Measure();
  for (int i = 0; i < 200; ++i) {
    MakeAndDestroyControls(parent.get(), canvas.dc());
    if (HasFatalFailure()) return;
  }
  const Counts after = Measure();
  std::printf("GDI objects %lu -> %lu, USER objects %lu -> %lu, handles %lu -> %lu, heap bytes %zu -> %zu, "
              "pagefile bytes %zu -> %zu\n",
              before.gdi, after.gdi, before.user, after.user, before.handles, after.handles,
              static_cast<std::size_t>(before.heap_bytes), static_cast<std::size_t>(after.heap_bytes),
              static_cast<std::size_t>(before.pagefile_bytes), static_cast<std::size_t>(after.pagefile_bytes));
  // Wine answers 0 to GetGuiResources and GetProcessHandleCount (stubs); there the memory
  // check below is what catches a leaked picture or device bitmap.
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
  EXPECT_EQ(after.handles, before.handles);
  // Each round decodes twice (26 KB of pixels and 26 KB of DIB each) and makes a device bitmap:
  // 200 leaked rounds would be well over 10 MB.
  EXPECT_LT(after.heap_bytes, before.heap_bytes + 1024 * 1024);
  EXPECT_LT(after.pagefile_bytes, before.pagefile_bytes + 2 * 1024 * 1024);
}

// Not a check: when CORVANI_SNAPSHOT_DIR is set, the About window's picture and labels painted
// where the window puts them, into about.bmp, for a person to look at.
TEST(Snapshot, AboutWindowLayout) {
  if (std::getenv("CORVANI_SNAPSHOT_DIR") == nullptr) GTEST_SKIP() << "CORVANI_SNAPSHOT_DIR is not set";
  Canvas window(489, 109);
  window.Fill(Face());
  const PictureBitmap bitmap = MakePictureBitmap(AboutPicture());
  struct Part {
    int x, y, w, h;
    const char* text;
  };
  {
    Canvas box(104, 104);
    PaintPicBox(box.dc(), kBox, &bitmap, DisplayBitsPerPixel());
    ::BitBlt(window.dc(), 0, 0, 104, 104, box.dc(), 0, 0, SRCCOPY);
  }
  for (const Part& p : {Part{104, 40, 176, 64, kAuthor}, Part{112, 8, 376, 32, "Mirelund论坛·mirelund.example"}}) {
    Canvas label(p.w, p.h);
    const RECT client{0, 0, p.w, p.h};
    PaintLabel(label.dc(), client, client, p.text);
    ::BitBlt(window.dc(), p.x, p.y, p.w, p.h, label.dc(), 0, 0, SRCCOPY);
  }
  Snapshot(window, "about");
}

}  // namespace
}  // namespace corvani
