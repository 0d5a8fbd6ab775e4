// Times the editor's Open and Save (what the commands do once their dialog has given a name)
// against a floor that does only the plain calls into a bare EDIT of the same styles, on GBK
// text of ordinary line lengths, and measures the peak memory of the open. Every run is a fresh
// process that opens once and saves a few times, the editor's and the floor's taking turns, so
// one's memory never shows in the other's and a drift of the disk hits both alike.
// Prints figures; judges nothing.
//   editor_bench <folder> [runs for 1 MB] [10 MB] [50 MB]
//   editor_bench --run editor|floor <source> <target> <results>   (one run)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/application.h"
#include "app/loaded_window.h"
#include "document/read_whole_file.h"
#include "document/text_conversion.h"
#include "document/write_whole_file.h"
#include "ui/main_window/main_window.h"

namespace {

using corvani::Bytes;
using corvani::Text;
using Clock = std::chrono::steady_clock;

// Lines of 40 to 80 bytes of Chinese characters, ASCII words and digits, each ending in CR LF;
// the last line is padded with ASCII so the size is exact and no character is cut in two.
std::string GbkText(std::size_t size) {
  static const char* const kPieces[] = {"中文", "文本", "编辑", "保存", "打开", " text ", "12345", "，", "。"};
  std::string text;
  text.reserve(size);
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245 + 12345;
    return seed >> 16;
  };
  while (text.size() + 90 < size) {
    const std::size_t length = 40 + next() % 41;
    const std::size_t start = text.size();
    while (text.size() - start < length) text += kPieces[next() % 9];
    text += "\r\n";
  }
  text.append(size - text.size() - 2, 'a');
  text += "\r\n";
  return text;
}

bool WriteFileBytes(const std::string& path, const std::string& data) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  // Flushed, so its write-back does not fall into the timed runs.
  const bool ok = ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                  written == data.size() && ::FlushFileBuffers(file);
  ::CloseHandle(file);
  return ok;
}

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters;
}

// The highest committed memory while it runs. Windows keeps that peak itself; Wine reports the
// peak as the current figure (its anonymous resident memory), so a thread also samples it.
class PeakSampler {
 public:
  PeakSampler() : thread_(::CreateThread(nullptr, 0, &Sample, this, 0, nullptr)) {}
  ~PeakSampler() { Stop(); }
  PeakSampler(const PeakSampler&) = delete;
  PeakSampler& operator=(const PeakSampler&) = delete;

  SIZE_T Stop() {
    if (thread_ != nullptr) {
      ::InterlockedExchange(&stop_, 1);
      ::WaitForSingleObject(thread_, INFINITE);
      ::CloseHandle(thread_);
      thread_ = nullptr;
    }
    return std::max(peak_, Memory().PeakPagefileUsage);
  }

 private:
  static DWORD WINAPI Sample(void* self) {
    auto* sampler = static_cast<PeakSampler*>(self);
    while (::InterlockedCompareExchange(&sampler->stop_, 0, 0) == 0) {
      sampler->peak_ = std::max(sampler->peak_, Memory().PagefileUsage);
      ::Sleep(1);
    }
    return 0;
  }

  SIZE_T peak_ = 0;
  volatile LONG stop_ = 0;
  HANDLE thread_;
};

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// ---- the editor's path -------------------------------------------------------------------

void PumpEditor() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (corvani::PreTranslateMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// What OpenCommand does once the dialog has given the name.
void EditorOpen(const std::string& path) {
  std::optional<Bytes> bytes = corvani::ReadWholeFile(path);
  if (!bytes) std::abort();
  corvani::SetContent(corvani::BytesToText(std::move(*bytes)));
}

// What SaveCommand does once the dialog has given the name.
void EditorSave(const std::string& path) {
  const Bytes bytes = corvani::TextToBytes(corvani::Content());
  if (!corvani::WriteWholeFile(path, bytes)) std::abort();
}

// ---- the floor -----------------------------------------------------------------------------

void PumpFloor() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

LRESULT CALLBACK FloorProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return ::DefWindowProcA(hwnd, message, wparam, lparam);
}

// A bare window with a multi-line EDIT of the editor's styles, font and limit, so the two
// differ only in the code around the control.
HWND MakeFloorEdit() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = FloorProcedure;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "FloorEditWindow";
  if (::RegisterClassA(&wc) == 0) return nullptr;
  HWND window = ::CreateWindowExA(0, "FloorEditWindow", "Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 728, 551, nullptr, nullptr, wc.hInstance, nullptr);
  if (window == nullptr) return nullptr;
  HWND edit = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | ES_LEFT |
                                    ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                                8, 64, 704, 448, window, nullptr, wc.hInstance, nullptr);
  if (edit == nullptr) return nullptr;
  ::SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  ::SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  ::ShowWindow(window, SW_SHOW);
  return edit;
}

void FloorOpen(HWND edit, const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) std::abort();
  const DWORD size = ::GetFileSize(file, nullptr);
  char* buffer = static_cast<char*>(std::malloc(size + 1));
  DWORD got = 0;
  if (buffer == nullptr || !::ReadFile(file, buffer, size, &got, nullptr)) std::abort();
  ::CloseHandle(file);
  buffer[got] = 0;
  ::SetWindowTextA(edit, buffer);
  std::free(buffer);
}

void FloorSave(HWND edit, const std::string& path) {
  const int length = ::GetWindowTextLengthA(edit);
  char* buffer = static_cast<char*>(std::malloc(static_cast<std::size_t>(length) + 1));
  if (buffer == nullptr) std::abort();
  const int copied = ::GetWindowTextA(edit, buffer, length + 1);
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) std::abort();
  DWORD written = 0;
  if (!::WriteFile(file, buffer, static_cast<DWORD>(copied), &written, nullptr) ||
      !::FlushFileBuffers(file)) {
    std::abort();
  }
  ::CloseHandle(file);
  std::free(buffer);
}

// Not the floor: the least a save that keeps the old file until the new one is complete does
// (write a temporary file, flush, rename over), to tell that design's cost from the code's.
void FloorReplace(HWND edit, const std::string& path) {
  FloorSave(edit, path + ".floor-tmp");
  if (!::MoveFileExA((path + ".floor-tmp").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    std::abort();
  }
}

// ---- one child: one path, one size ------------------------------------------------------

constexpr int kSavesPerOpen = 5;

// Writes "<held> <peak> <open ms> ; <save ms>... ; <replace ms>..." to the results file: the
// growth of committed memory that stays after the open, and its peak during it, both in bytes
// from just before.
int RunChild(const std::string& which, const std::string& source, const std::string& target,
             const std::string& results) {
  const bool editor = which == "editor";
  std::optional<corvani::Application> app;
  HWND floor_edit = nullptr;
  if (editor) {
    app.emplace();
    if (!app->Initialize() || !corvani::LoadWindow(corvani::MainWindowDefinition())) return 1;
  } else {
    floor_edit = MakeFloorEdit();
    if (floor_edit == nullptr) return 1;
  }
  auto pump = [&] { editor ? PumpEditor() : PumpFloor(); };
  pump();
  // Both save over an existing file each time.
  if (!WriteFileBytes(target, "")) return 1;

  const SIZE_T before = Memory().PagefileUsage;
  PeakSampler sampler;
  auto start = Clock::now();
  editor ? EditorOpen(source) : FloorOpen(floor_edit, source);
  pump();  // the control repaints with its new text
  const double open_ms = Since(start);
  const SIZE_T peak = sampler.Stop() - before;
  const SIZE_T held = Memory().PagefileUsage - before;

  // Saves are quick and their flush to disk varies much: several per open.
  std::vector<double> save_ms, replace_ms;
  for (int save = 0; save < kSavesPerOpen; ++save) {
    start = Clock::now();
    editor ? EditorSave(target) : FloorSave(floor_edit, target);
    pump();
    save_ms.push_back(Since(start));
    if (!editor) {
      start = Clock::now();
      FloorReplace(floor_edit, target);
      replace_ms.push_back(Since(start));
    }
  }

  FILE* out = std::fopen(results.c_str(), "w");
  if (out == nullptr) return 1;
  std::fprintf(out, "%zu %zu %.3f ;", static_cast<std::size_t>(held), static_cast<std::size_t>(peak),
               open_ms);
  for (double ms : save_ms) std::fprintf(out, " %.3f", ms);
  std::fprintf(out, " ;");
  for (double ms : replace_ms) std::fprintf(out, " %.3f", ms);
  std::fprintf(out, "\n");
  std::fclose(out);
  return 0;
}

// ---- the parent: files, children, table --------------------------------------------------

// All runs of one path at one size.
struct PathSamples {
  std::vector<double> held, peak;           // bytes
  std::vector<double> open, save, replace;  // ms
};

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool RunPath(const std::string& which, const std::string& source, const std::string& target,
             const std::string& results, PathSamples& samples) {
  char self[MAX_PATH];
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"";
  command.append(self).append("\" --run ").append(which);
  for (const std::string* path : {&source, &target}) command.append(" \"").append(*path).append("\"");
  command.append(" \"").append(results).append("\"");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  if (code != 0) return false;

  FILE* in = std::fopen(results.c_str(), "r");
  if (in == nullptr) return false;
  std::vector<double>* lists[] = {&samples.open, &samples.save, &samples.replace};
  std::size_t held = 0, peak = 0;
  char word[64];
  bool read = false;
  if (std::fscanf(in, "%zu %zu", &held, &peak) == 2) {
    read = true;
    samples.held.push_back(static_cast<double>(held));
    samples.peak.push_back(static_cast<double>(peak));
    std::size_t list = 0;
    while (std::fscanf(in, "%63s", word) == 1 && list < 3) {
      if (word[0] == ';') {
        ++list;
      } else {
        lists[list]->push_back(std::atof(word));
      }
    }
  }
  std::fclose(in);
  ::DeleteFileA(results.c_str());
  return read;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  auto bytes = corvani::ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return std::move(bytes->data);
}

int RunParent(const std::string& folder, const int (&runs)[3]) {
  const int sizes[] = {1, 10, 50};
  struct Row {
    int megabytes;
    PathSamples editor, floor;
  };
  std::vector<Row> rows;
  for (int i = 0; i < 3; ++i) {
    const std::size_t size = static_cast<std::size_t>(sizes[i]) << 20;
    const std::string source = folder + "\\editor-bench-" + std::to_string(sizes[i]) + ".txt";
    const std::string data = GbkText(size);
    if (!WriteFileBytes(source, data)) {
      std::fprintf(stderr, "cannot write %s\n", source.c_str());
      return 1;
    }
    Row row{sizes[i], {}, {}};
    for (int run = 0; run < runs[i]; ++run) {
      // Each goes first every other time.
      const bool editor_first = run % 2 == 0;
      for (const bool editor : {editor_first, !editor_first}) {
        const char* which = editor ? "editor" : "floor";
        const std::string target = folder + "\\saved-" + which + ".txt";
        if (!RunPath(which, source, target, folder + "\\results.txt", editor ? row.editor : row.floor)) {
          std::fprintf(stderr, "a %s run of %d MB failed\n", which, sizes[i]);
          return 1;
        }
        // A save that changed a byte would make the timing meaningless.
        if (ReadFileBytes(target) != data) {
          std::fprintf(stderr, "the %s path did not save %d MB unchanged\n", which, sizes[i]);
          return 1;
        }
        ::DeleteFileA(target.c_str());
      }
    }
    ::DeleteFileA(source.c_str());
    rows.push_back(row);
    std::fprintf(stderr, "%d MB done\n", sizes[i]);
  }

  std::printf("Open and Save, median ms (runs: 1 MB %d, 10 MB %d, 50 MB %d; each one open and %d saves)\n",
              runs[0], runs[1], runs[2], kSavesPerOpen);
  std::printf("(replace: the floor's save through a temporary file and a rename, for comparison)\n");
  std::printf("%-6s %10s %10s %6s   %10s %10s %6s   %10s %6s\n", "size", "open", "floor", "ratio",
              "save", "floor", "ratio", "replace", "ratio");
  for (const Row& r : rows) {
    const double open = Median(r.editor.open), open_floor = Median(r.floor.open);
    const double save = Median(r.editor.save), save_floor = Median(r.floor.save);
    const double replace = Median(r.floor.replace);
    std::printf("%3d MB %10.1f %10.1f %6.2f   %10.1f %10.1f %6.2f   %10.1f %6.2f\n", r.megabytes,
                open, open_floor, open / open_floor, save, save_floor, save / save_floor, replace,
                save / replace);
  }
  std::printf("\nOpen of N bytes: committed memory over its level just before, medians, in multiples of N\n"
              "  control: what stays after the floor's open (the edit control's own copy)\n"
              "  peak:    the highest during the open; beyond: peak minus control\n"
              "  editor extra: the editor's peak minus the floor's\n");
  std::printf("%-6s %8s %8s %8s %8s %8s %8s %8s\n", "size", "control", "ed held", "ed peak",
              "fl peak", "ed beyond", "fl beyond", "ed extra");
  for (const Row& r : rows) {
    const double n = static_cast<double>(static_cast<std::size_t>(r.megabytes) << 20);
    const double control = Median(r.floor.held);
    const double peak = Median(r.editor.peak), peak_floor = Median(r.floor.peak);
    std::printf("%3d MB %8.2f %8.2f %8.2f %8.2f %9.2f %9.2f %8.2f\n", r.megabytes, control / n,
                Median(r.editor.held) / n, peak / n, peak_floor / n, (peak - control) / n,
                (peak_floor - control) / n, (peak - peak_floor) / n);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 6 && std::string(argv[1]) == "--run") return RunChild(argv[2], argv[3], argv[4], argv[5]);
  if (argc != 2 && argc != 5) {
    std::fprintf(stderr, "usage: editor_bench <folder> [runs 1 MB] [runs 10 MB] [runs 50 MB]\n");
    return 1;
  }
  int runs[3] = {7, 5, 3};
  if (argc == 5) {
    for (int i = 0; i < 3; ++i) runs[i] = std::max(1, std::atoi(argv[2 + i]));
  }
  return RunParent(argv[1], runs);
}
