#pragma once

// A small driver for end-to-end tests: starts the real corvani.exe in the virtual desktop,
// sends it real keyboard and mouse input (SendInput), and reads its state with Win32 calls.

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// A Linux path as Wine sees it (Z: is the root), or a Windows path unchanged.
std::string WinePath(const std::string& path);
// The program under test, from CORVANI_EXE.
std::string CorvaniExe();
// A fresh folder for one test's files (under the Wine prefix's temp folder).
std::string MakeTempFolder(const std::string& name_hint = "corvani");

// Polls until the condition holds; false when the time runs out.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

// The real program, started as a user would start it.
class Program {
 public:
  // Starts `exe` with `working_directory` as its current directory (the caller's when empty).
  explicit Program(const std::string& exe = CorvaniExe(), const std::string& working_directory = {});
  ~Program();  // ends the process if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD pid() const { return pid_; }
  HANDLE process() const { return process_; }
  DWORD thread_id() const { return thread_id_; }

  // The visible top-level window of this process with exactly that title (GBK bytes).
  HWND WaitForWindow(const std::string& title, std::chrono::milliseconds timeout = 15s) const;
  // Visible top-level windows of this process.
  std::vector<HWND> TopLevelWindows() const;
  // The exit code, once the process has ended within the time given.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = 10s) const;
  // The process's current directory, read from its process parameters.
  std::string CurrentDirectory() const;

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  DWORD thread_id_ = 0;
};

// Input, through SendInput: it reaches whatever window is active, as a user's would.
void PressKey(WORD virtual_key, std::initializer_list<WORD> modifiers = {});
void TypeText(const std::string& ascii);
void ClickAt(POINT screen);
void ClickWindow(HWND window);  // the centre of the window
// Brings a top-level window to the front so input reaches it.
void Activate(HWND window);
// Lets the target digest queued input: waits until its thread has nothing pending.
void Settle(HWND window);

// State, through Win32 calls.
RECT WindowRect(HWND window);
RECT ClientRectOnScreen(HWND window);
RECT RectInClient(HWND control);  // a child's rectangle in its parent's client coordinates
std::string Text(HWND window);   // WM_GETTEXT, so it works across processes
std::string ClassOf(HWND window);
HWND FocusOf(HWND window);       // the focused window of the window's thread
HWND ActiveOf(HWND window);      // the active window of the window's thread
HWND ChildWithText(HWND parent, const std::string& text);
// A point of the window's non-client area where it reports `hit` (HTCLOSE, HTCAPTION...).
std::optional<POINT> NonClientPoint(HWND window, LRESULT hit);
// A top-level window of `pid` of the given class whose owner is `owner` (any owner when null).
HWND FindOwnedWindow(DWORD pid, const char* class_name, HWND owner = nullptr);

// Hex of bytes, for readable assertions ("61 0D 0A 62").
std::string Hex(const std::string& bytes);

}  // namespace e2e
