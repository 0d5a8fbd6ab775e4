#include "driver/driver.h"

#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace e2e {

std::string WinePath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

std::string CorvaniExe() {
  const char* exe = std::getenv("CORVANI_EXE");
  if (exe == nullptr) throw std::runtime_error("CORVANI_EXE is not set");
  return WinePath(exe);
}

std::string MakeTempFolder(const std::string& name_hint) {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  for (;;) {
    const std::string folder = std::string(temp) + name_hint + "-" + std::to_string(::GetCurrentProcessId()) +
                               "-" + std::to_string(++counter);
    if (::CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot make " + folder);
  }
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
}

Program::Program(const std::string& exe, const std::string& working_directory) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string command = "\"" + exe + "\"";
  if (!::CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        working_directory.empty() ? nullptr : working_directory.c_str(), &startup, &info)) {
    throw std::runtime_error("cannot start " + exe + ": error " + std::to_string(::GetLastError()));
  }
  ::CloseHandle(info.hThread);
  process_ = info.hProcess;
  pid_ = info.dwProcessId;
  thread_id_ = info.dwThreadId;
  ::WaitForInputIdle(process_, 10000);
}

Program::~Program() {
  if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_, 99);
    ::WaitForSingleObject(process_, 5000);
  }
  ::CloseHandle(process_);
}

std::vector<HWND> Program::TopLevelWindows() const {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid_, {}};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lparam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lparam);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->pid && ::IsWindowVisible(hwnd)) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Program::WaitForWindow(const std::string& title, std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND hwnd : TopLevelWindows()) {
          if (Text(hwnd) == title) {
            found = hwnd;
            return true;
          }
        }
        return false;
      },
      timeout);
  return found;
}

std::optional<DWORD> Program::WaitForExit(std::chrono::milliseconds timeout) const {
  if (::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  return code;
}

std::string Program::CurrentDirectory() const {
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  if (::NtQueryInformationProcess(process_, ProcessBasicInformation, &basic, sizeof basic, &length) != 0) return {};
  PEB peb{};
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process_, basic.PebBaseAddress, &peb, sizeof peb, &read)) return {};
  // The head of the process parameters, up to the current directory.
  struct ParametersHead {
    ULONG maximum_length, length, flags, debug_flags;
    HANDLE console;
    ULONG console_flags;
    HANDLE std_input, std_output, std_error;
    UNICODE_STRING current_directory;
    HANDLE current_directory_handle;
  } head{};
  if (!::ReadProcessMemory(process_, peb.ProcessParameters, &head, sizeof head, &read)) return {};
  std::wstring wide(head.current_directory.Length / sizeof(wchar_t), L'\0');
  if (!::ReadProcessMemory(process_, head.current_directory.Buffer, wide.data(), head.current_directory.Length, &read)) {
    return {};
  }
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

namespace {

void SendKey(WORD virtual_key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtual_key;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof input);
}

// Every mouse event carries its own absolute position, so the press lands where it is aimed
// whatever the cursor did before.
void SendMouse(POINT screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = static_cast<LONG>((screen.x * 65536LL + width / 2) / width);
  input.mi.dy = static_cast<LONG>((screen.y * 65536LL + height / 2) / height);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof input);
}

void Pause() { std::this_thread::sleep_for(30ms); }

}  // namespace

void PressKey(WORD virtual_key, std::initializer_list<WORD> modifiers) {
  for (WORD m : modifiers) SendKey(m, false);
  SendKey(virtual_key, false);
  SendKey(virtual_key, true);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) SendKey(*it, true);
  Pause();
}

void TypeText(const std::string& ascii) {
  for (char c : ascii) {
    const SHORT scan = ::VkKeyScanA(c);
    const WORD vk = LOBYTE(scan);
    if (HIBYTE(scan) & 1) {
      PressKey(vk, {VK_SHIFT});
    } else {
      PressKey(vk);
    }
  }
}

void ClickAt(POINT screen) {
  SendMouse(screen, 0);
  Pause();
  SendMouse(screen, MOUSEEVENTF_LEFTDOWN);
  Pause();
  SendMouse(screen, MOUSEEVENTF_LEFTUP);
  Pause();
}

void ClickWindow(HWND window) {
  const RECT r = WindowRect(window);
  ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void Activate(HWND window) {
  ::SetForegroundWindow(window);
  WaitUntil([&] { return ::GetForegroundWindow() == window; }, 3s);
}

void Settle(HWND window) {
  // A message sent to the window returns only once its thread has taken everything queued
  // before it, input included.
  DWORD_PTR result = 0;
  for (int i = 0; i < 3; ++i) {
    ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    std::this_thread::sleep_for(30ms);
  }
}

RECT WindowRect(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r;
}

RECT ClientRectOnScreen(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT RectInClient(HWND control) {
  RECT r = WindowRect(control);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string Text(HWND window) {
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length);
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        5000, &copied);
  text.resize(copied);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

HWND ActiveOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndActive;
}

HWND ChildWithText(HWND parent, const std::string& text) {
  struct Search {
    const std::string* text;
    HWND found;
  } search{&text, nullptr};
  ::EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lparam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lparam);
        if (Text(hwnd) == *s->text) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::optional<POINT> NonClientPoint(HWND window, LRESULT hit) {
  const RECT outer = WindowRect(window);
  const RECT client = ClientRectOnScreen(window);
  for (int y = outer.top; y < client.top; ++y) {
    for (int x = outer.right - 1; x >= outer.left; --x) {
      DWORD_PTR result = 0;
      ::SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &result);
      if (static_cast<LRESULT>(result) == hit) {
        // Aim at the middle of the run of such points on this row.
        int left = x;
        while (left > outer.left) {
          ::SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y), SMTO_NORMAL, 5000, &result);
          if (static_cast<LRESULT>(result) != hit) break;
          --left;
        }
        return POINT{(left + x) / 2, y + 3};
      }
    }
  }
  return std::nullopt;
}

HWND FindOwnedWindow(DWORD pid, const char* class_name, HWND owner) {
  struct Search {
    DWORD pid;
    const char* class_name;
    HWND owner;
    HWND found;
  } search{pid, class_name, owner, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lparam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lparam);
        DWORD window_pid = 0;
        ::GetWindowThreadProcessId(hwnd, &window_pid);
        if (window_pid != s->pid || !::IsWindowVisible(hwnd) || ClassOf(hwnd) != s->class_name) return TRUE;
        if (s->owner != nullptr && ::GetWindow(hwnd, GW_OWNER) != s->owner) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char buffer[4];
  for (unsigned char c : bytes) {
    std::snprintf(buffer, sizeof buffer, out.empty() ? "%02X" : " %02X", c);
    out += buffer;
  }
  return out;
}

}  // namespace e2e
