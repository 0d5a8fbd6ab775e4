// The file dialog object with the platform's real dialogs: a second thread finds the dialog
// that Show opened over a test window, reads it through Win32 calls and answers it.
#include "ui/file_dialog/file_dialog.h"

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/resource_counts.h"

namespace corvani {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr char kTwoEntries[] = "文本文件（.txt）|*.txt|所有文件（*.*）|*.*";

std::string SentText(HWND window) {
  char text[1024] = {};
  ::SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

// A visible dialog-class window of that thread whose owner is `owner`.
HWND FindOwnedDialog(DWORD thread, HWND owner) {
  struct Search {
    HWND owner;
    HWND found;
  } search{owner, nullptr};
  ::EnumThreadWindows(
      thread,
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        if (::IsWindowVisible(w) && ClassOf(w) == "#32770" &&
            ::GetWindow(w, GW_OWNER) == s->owner) {
          s->found = w;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <typename Probe>
auto WaitFor(Probe probe, std::chrono::milliseconds limit) -> decltype(probe()) {
  const auto end = Clock::now() + limit;
  for (;;) {
    if (auto value = probe()) return value;
    if (Clock::now() > end) return {};
    std::this_thread::sleep_for(10ms);
  }
}

// Waits until the window has stopped moving: the dialog places itself after it appears.
void WaitUntilSettled(HWND window) {
  RECT last{};
  int same = 0;
  for (int i = 0; i < 100 && same < 5; ++i) {
    RECT now{};
    ::GetWindowRect(window, &now);
    same = ::EqualRect(&now, &last) ? same + 1 : 0;
    last = now;
    std::this_thread::sleep_for(20ms);
  }
}

HWND FileNameBox(HWND dialog) {
  if (HWND edit = ::GetDlgItem(dialog, edt1)) return edit;
  return ::GetDlgItem(dialog, cmb13);
}

void Press(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void TypeAndConfirm(HWND dialog, const std::string& name) {
  ::SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
  Press(dialog, IDOK);
}

struct DialogView {
  std::string title;
  std::vector<std::string> filters;
  int selected_filter = -1;
  std::string folder;
  std::string file_name_box;
  RECT rect{};
  bool owner_enabled = true;
};

DialogView Look(HWND dialog, HWND owner) {
  DialogView view;
  view.title = SentText(dialog);
  const HWND types = ::GetDlgItem(dialog, cmb1);
  const int count = static_cast<int>(::SendMessageA(types, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char item[256] = {};
    ::SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    view.filters.push_back(item);
  }
  view.selected_filter = static_cast<int>(::SendMessageA(types, CB_GETCURSEL, 0, 0));
  char folder[MAX_PATH] = {};
  ::SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
  view.folder = folder;
  view.file_name_box = SentText(FileNameBox(dialog));
  ::GetWindowRect(dialog, &view.rect);
  view.owner_enabled = ::IsWindowEnabled(owner) != FALSE;
  return view;
}

// Ends whatever dialogs the thread still shows; only for a script that went wrong.
void Rescue(DWORD thread) {
  ::EnumThreadWindows(
      thread,
      [](HWND w, LPARAM) -> BOOL {
        if (ClassOf(w) == "#32770") {
          Press(w, IDCANCEL);
          ::PostMessageA(w, WM_CLOSE, 0, 0);
        }
        return TRUE;
      },
      0);
}

struct Outcome {
  bool shown = false;      // the dialog appeared
  bool confirmed = false;  // what Show returned
  bool rescued = false;    // the script left something open
};

// Calls Show on this thread while `script` runs on a second one with the dialog once it has
// appeared over `owner` and settled.
Outcome ShowDriven(FileDialog& file_dialog, HWND owner, const std::function<void(HWND)>& script) {
  const DWORD ui_thread = ::GetCurrentThreadId();
  std::atomic<bool> show_returned{false};
  Outcome outcome;
  std::thread driver([&] {
    const HWND dialog = WaitFor([&] { return FindOwnedDialog(ui_thread, owner); }, 10s);
    if (dialog != nullptr) {
      outcome.shown = true;
      WaitUntilSettled(dialog);
      script(dialog);
    }
    if (!WaitFor([&] { return show_returned.load(); }, 10s)) {
      outcome.rescued = true;
      while (!show_returned.load()) {
        Rescue(ui_thread);
        std::this_thread::sleep_for(200ms);
      }
    }
  });
  outcome.confirmed = file_dialog.Show();
  show_returned = true;
  driver.join();
  return outcome;
}

std::string LongPath(const std::string& path) {
  char buffer[MAX_PATH] = {};
  const DWORD n = ::GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
}

bool RunningOnWine() {
  const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

LRESULT CALLBACK OwnerProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return ::DefWindowProcA(w, m, wp, lp);
}

class FileDialogShow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = OwnerProcedure;
    window_class.hInstance = ::GetModuleHandleA(nullptr);
    window_class.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = "CorvaniDialogTestOwner";
    ::RegisterClassA(&window_class);
  }

  void SetUp() override {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof temp, temp);
    directory_ = std::string(temp) + "corvani-dialog-" + std::to_string(::GetCurrentProcessId()) +
                 "-" + std::to_string(::GetTickCount());
    ASSERT_TRUE(::CreateDirectoryA(directory_.c_str(), nullptr));
    directory_ = LongPath(directory_);

    owner_ = ::CreateWindowExA(0, "CorvaniDialogTestOwner", "owner", WS_OVERLAPPEDWINDOW, 300, 200,
                               640, 480, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
    first_ = MakeEdit(10);
    second_ = MakeEdit(50);
    ::ShowWindow(owner_, SW_SHOW);
    ::SetForegroundWindow(owner_);
    ::SetActiveWindow(owner_);
    // Not the first control, so that a focus handed back by default would not look right.
    ::SetFocus(second_);
    Pump();
    ASSERT_EQ(::GetActiveWindow(), owner_);
    ASSERT_EQ(::GetFocus(), second_);
  }

  void TearDown() override {
    if (owner_ != nullptr) ::DestroyWindow(owner_);
    // The dialog may have made the folder current, which would keep it from being removed.
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof temp, temp);
    ::SetCurrentDirectoryA(temp);
    for (const std::string& file : files_) ::DeleteFileA(file.c_str());
    ::RemoveDirectoryA(directory_.c_str());
  }

  HWND MakeEdit(int top) {
    return ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10,
                             top, 200, 24, owner_, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  }

  static void Pump() {
    MSG message;
    for (int i = 0; i < 20; ++i) {
      while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
      }
      ::Sleep(10);
    }
  }

  std::string MakeFile(const std::string& name) {
    const std::string path = directory_ + "\\" + name;
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    ::CloseHandle(file);
    files_.push_back(path);
    return path;
  }

  FileDialog OpenDialog() {
    FileDialog d;
    d.SetType(FileDialog::kOpen);
    d.SetFilter(kTwoEntries);
    d.SetInitialDir(directory_);
    return d;
  }

  std::string directory_;
  std::vector<std::string> files_;
  HWND owner_ = nullptr;
  HWND first_ = nullptr;
  HWND second_ = nullptr;
};

TEST_F(FileDialogShow, OpenListsTheTwoEntriesFirstSelectedInTheInitialDirectory) {
  FileDialog d = OpenDialog();
  DialogView view;
  const Outcome outcome = ShowDriven(d, owner_, [&](HWND dialog) {
    view = Look(dialog, owner_);
    Press(dialog, IDCANCEL);
  });
  ASSERT_TRUE(outcome.shown);
  EXPECT_FALSE(outcome.rescued);
  EXPECT_EQ(view.filters, (std::vector<std::string>{"文本文件（.txt）", "所有文件（*.*）"}));
  EXPECT_EQ(view.selected_filter, 0);
  EXPECT_EQ(LongPath(view.folder), directory_);
  EXPECT_EQ(view.file_name_box, "");
  EXPECT_FALSE(view.owner_enabled) << "the owner takes no input while the dialog is open";

  EXPECT_FALSE(outcome.confirmed);
  EXPECT_EQ(d.FileName(), "");
  EXPECT_TRUE(::IsWindowEnabled(owner_));
  EXPECT_EQ(::GetFocus(), second_) << "the focus goes back to the control that had it";
}

TEST_F(FileDialogShow, InitialFilterAndTitleReachTheDialog) {
  FileDialog d = OpenDialog();
  d.SetInitialFilter(1);
  d.SetTitle("选一个文件");
  DialogView view;
  ShowDriven(d, owner_, [&](HWND dialog) {
    view = Look(dialog, owner_);
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(view.selected_filter, 1);
  EXPECT_EQ(view.title, "选一个文件");
}

TEST_F(FileDialogShow, ConfirmedNameBecomesTheFullPathAndIsOfferedNextTime) {
  const std::string chosen = MakeFile("读我.txt");
  FileDialog d = OpenDialog();
  Outcome outcome = ShowDriven(d, owner_, [&](HWND dialog) { TypeAndConfirm(dialog, "读我.txt"); });
  ASSERT_TRUE(outcome.confirmed);
  EXPECT_EQ(d.FileName(), chosen);
  EXPECT_EQ(::GetFocus(), second_);

  // The next dialog shows that path; cancelling it keeps the path.
  DialogView view;
  outcome = ShowDriven(d, owner_, [&](HWND dialog) {
    view = Look(dialog, owner_);
    Press(dialog, IDCANCEL);
  });
  EXPECT_FALSE(outcome.confirmed);
  EXPECT_EQ(d.FileName(), chosen);
  if (RunningOnWine()) {
    // Known platform difference: Wine's dialog opens the folder of a full path that it is
    // handed and shows only the bare name in the box.
    EXPECT_EQ(LongPath(view.folder), directory_);
    EXPECT_EQ(view.file_name_box, "读我.txt");
  } else {
    EXPECT_EQ(view.file_name_box, chosen);
  }
}

TEST_F(FileDialogShow, OpenDialogRefusesAFileThatDoesNotExist) {
  FileDialog d = OpenDialog();
  d.SetFileName("C:\\earlier\\choice.txt");
  bool complained = false;
  bool still_open = false;
  const Outcome outcome = ShowDriven(d, owner_, [&](HWND dialog) {
    TypeAndConfirm(dialog, "没有这个文件.txt");
    // The dialog's own message, owned by the dialog, which stays open.
    const HWND box = WaitFor(
        [&] { return FindOwnedDialog(::GetWindowThreadProcessId(dialog, nullptr), dialog); }, 5s);
    complained = box != nullptr;
    if (box != nullptr) Press(box, IDOK);
    std::this_thread::sleep_for(200ms);
    still_open = ::IsWindowVisible(dialog) != FALSE;
    Press(dialog, IDCANCEL);
  });
  EXPECT_TRUE(complained);
  EXPECT_TRUE(still_open);
  EXPECT_FALSE(outcome.rescued);
  EXPECT_FALSE(outcome.confirmed);
  EXPECT_EQ(d.FileName(), "C:\\earlier\\choice.txt");
}

TEST_F(FileDialogShow, SaveAttachesTheDefaultExtension) {
  FileDialog d;
  d.SetType(FileDialog::kSave);
  d.SetFilter("文本文件（.txt）|*.txt");
  d.SetInitialDir(directory_);
  d.SetDefaultExt(".txt");
  DialogView view;
  const Outcome outcome = ShowDriven(d, owner_, [&](HWND dialog) {
    view = Look(dialog, owner_);
    TypeAndConfirm(dialog, "笔记");
  });
  EXPECT_EQ(view.filters, std::vector<std::string>{"文本文件（.txt）"});
  ASSERT_TRUE(outcome.confirmed);
  EXPECT_EQ(d.FileName(), directory_ + "\\笔记.txt");
}

TEST_F(FileDialogShow, SaveAsksBeforeReplacingAnExistingFile) {
  const std::string existing = MakeFile("旧.txt");
  FileDialog d;
  d.SetType(FileDialog::kSave);
  d.SetFilter("文本文件（.txt）|*.txt");
  d.SetInitialDir(directory_);
  bool asked = false;
  const Outcome outcome = ShowDriven(d, owner_, [&](HWND dialog) {
    TypeAndConfirm(dialog, "旧.txt");
    const HWND box = WaitFor(
        [&] { return FindOwnedDialog(::GetWindowThreadProcessId(dialog, nullptr), dialog); }, 5s);
    asked = box != nullptr;
    if (box != nullptr) Press(box, IDYES);
  });
  EXPECT_TRUE(asked);
  EXPECT_FALSE(outcome.rescued);
  ASSERT_TRUE(outcome.confirmed);
  EXPECT_EQ(d.FileName(), existing);
}

TEST_F(FileDialogShow, NameLongerThanTheTitleBufferIsStillAccepted) {
  // The 64-byte buffer for the name without its path is too small for this one.
  const std::string name = std::string(100, 'n') + ".txt";
  const std::string chosen = MakeFile(name);
  FileDialog d = OpenDialog();
  const Outcome outcome = ShowDriven(d, owner_, [&](HWND dialog) { TypeAndConfirm(dialog, name); });
  ASSERT_TRUE(outcome.confirmed);
  EXPECT_EQ(d.FileName(), chosen);
}

TEST_F(FileDialogShow, FileNameIsCutTo259BytesInTheBox) {
  FileDialog d = OpenDialog();
  d.SetFileName(std::string(300, 'a'));
  DialogView view;
  ShowDriven(d, owner_, [&](HWND dialog) {
    view = Look(dialog, owner_);
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(view.file_name_box, std::string(259, 'a'));
  EXPECT_EQ(d.FileName(), std::string(300, 'a')) << "the property itself is not cut";
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

TEST_F(FileDialogShow, DialogIsCentredOnItsOwner) {
  FileDialog d = OpenDialog();
  DialogView view;
  ShowDriven(d, owner_, [&](HWND dialog) {
    view = Look(dialog, owner_);
    Press(dialog, IDCANCEL);
  });
  RECT owner{};
  ::GetWindowRect(owner_, &owner);
  const RECT& r = view.rect;
  std::printf("owner (%ld,%ld)-(%ld,%ld), dialog (%ld,%ld)-(%ld,%ld)\n", owner.left, owner.top,
              owner.right, owner.bottom, r.left, r.top, r.right, r.bottom);
  EXPECT_LE(std::abs((r.left + r.right) - (owner.left + owner.right)), 2);
  EXPECT_LE(std::abs((r.top + r.bottom) - (owner.top + owner.bottom)), 2);
}

TEST_F(FileDialogShow, DialogStaysInsideTheWorkAreaWhenTheOwnerIsAtTheEdge) {
  const RECT work = WorkAreaOf(owner_);
  // The owner's lower right part hangs off the screen.
  ::SetWindowPos(owner_, nullptr, work.right - 300, work.bottom - 200, 640, 480,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  FileDialog d = OpenDialog();
  DialogView view;
  ShowDriven(d, owner_, [&](HWND dialog) {
    view = Look(dialog, owner_);
    Press(dialog, IDCANCEL);
  });
  const RECT& r = view.rect;
  std::printf("work (%ld,%ld)-(%ld,%ld), dialog (%ld,%ld)-(%ld,%ld)\n", work.left, work.top,
              work.right, work.bottom, r.left, r.top, r.right, r.bottom);
  EXPECT_GE(r.left, work.left);
  EXPECT_GE(r.top, work.top);
  EXPECT_EQ(r.right, work.right) << "pushed back just inside";
  EXPECT_EQ(r.bottom, work.bottom);
}

TEST_F(FileDialogShow, DialogOfAMinimisedOwnerIsCentredOnTheWorkArea) {
  ::ShowWindow(owner_, SW_SHOWMINIMIZED);
  Pump();
  ASSERT_TRUE(::IsIconic(owner_));
  ASSERT_EQ(::GetActiveWindow(), owner_);
  FileDialog d = OpenDialog();
  DialogView view;
  ShowDriven(d, owner_, [&](HWND dialog) {
    view = Look(dialog, owner_);
    Press(dialog, IDCANCEL);
  });
  const RECT work = WorkAreaOf(owner_);
  const RECT& r = view.rect;
  EXPECT_LE(std::abs((r.left + r.right) - (work.left + work.right)), 2);
  EXPECT_LE(std::abs((r.top + r.bottom) - (work.top + work.bottom)), 2);
}

// What the system says the process holds. Under Wine all three read 0 (known platform
// difference), so the objects are also counted one by one.
struct ReportedCounts {
  DWORD gdi = 0, user = 0, handles = 0;

  bool operator==(const ReportedCounts&) const = default;
  std::string ToString() const {
    return "GDI " + std::to_string(gdi) + ", USER " + std::to_string(user) + ", handles " +
           std::to_string(handles);
  }
};

ReportedCounts Reported() {
  ReportedCounts c;
  c.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  c.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  ::GetProcessHandleCount(::GetCurrentProcess(), &c.handles);
  return c;
}

TEST_F(FileDialogShow, HundredCancelledDialogsLeaveNothingBehind) {
  FileDialog d = OpenDialog();
  const auto cancel = [](HWND dialog) { Press(dialog, IDCANCEL); };
  for (int i = 0; i < 3; ++i) ShowDriven(d, owner_, cancel);  // the platform's first-use caches
  Pump();
  const ReportedCounts reported_before = Reported();
  const testing_support::ResourceCounts counted_before = testing_support::CountResources();
  int shown = 0;
  for (int i = 0; i < 100; ++i) shown += ShowDriven(d, owner_, cancel).shown ? 1 : 0;
  Pump();
  const ReportedCounts reported_after = Reported();
  const testing_support::ResourceCounts counted_after = testing_support::CountResources();
  std::printf("after warm-up: %s; counted %s\nafter 100 more: %s; counted %s\n",
              reported_before.ToString().c_str(), counted_before.ToString().c_str(),
              reported_after.ToString().c_str(), counted_after.ToString().c_str());
  EXPECT_EQ(shown, 100);
  EXPECT_EQ(reported_after, reported_before) << reported_after.ToString();
  EXPECT_EQ(counted_after, counted_before) << counted_after.ToString();
}

}  // namespace
}  // namespace corvani
