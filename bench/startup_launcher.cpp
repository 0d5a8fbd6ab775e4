// Measures start-up: for each program, N times, the time from CreateProcess to its first
// visible top-level window answering a message (SendMessageTimeout with WM_NULL). The two
// programs take turns, so drifts of the machine fall on both. Prints each median and the
// ratio of the first program's to the second's.
//   startup_launcher PROGRAM FLOOR [N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

HWND VisibleWindowOf(DWORD pid) {
  struct Search {
    DWORD pid;
    HWND found;
  } search{pid, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lparam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lparam);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner != s->pid || !::IsWindowVisible(hwnd)) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One start: milliseconds until the window answers, or a negative value on failure.
double MeasureOnce(const std::string& exe) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string command = "\"" + exe + "\"";
  LARGE_INTEGER start;
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
    return -1;
  }
  double elapsed = -1;
  for (;;) {
    HWND window = VisibleWindowOf(info.dwProcessId);
    DWORD_PTR result = 0;
    if (window != nullptr && ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0) {
      LARGE_INTEGER end;
      ::QueryPerformanceCounter(&end);
      elapsed = Seconds(start, end) * 1000.0;
      ::PostMessageA(window, WM_CLOSE, 0, 0);
      break;
    }
    if (::WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) break;  // ended without a window
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    if (Seconds(start, now) > 30) break;
    ::Sleep(1);
  }
  if (::WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(info.hProcess, 1);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_launcher PROGRAM FLOOR [N]\n");
    return 2;
  }
  const std::string programs[2] = {argv[1], argv[2]};
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;
  // One start of each first, not counted: it loads the system's DLLs into the file cache.
  for (const std::string& p : programs) MeasureOnce(p);
  std::vector<double> times[2];
  for (int i = 0; i < runs; ++i) {
    for (int k = 0; k < 2; ++k) {
      const double ms = MeasureOnce(programs[k]);
      if (ms < 0) {
        std::fprintf(stderr, "startup_launcher: %s did not show a window that answers\n", programs[k].c_str());
        return 1;
      }
      times[k].push_back(ms);
    }
  }
  const double program = Median(times[0]);
  const double floor = Median(times[1]);
  std::printf("runs each:        %d\n", runs);
  std::printf("corvani median:   %.1f ms (min %.1f, max %.1f)\n", program,
              *std::min_element(times[0].begin(), times[0].end()), *std::max_element(times[0].begin(), times[0].end()));
  std::printf("floor median:     %.1f ms (min %.1f, max %.1f)\n", floor,
              *std::min_element(times[1].begin(), times[1].end()), *std::max_element(times[1].begin(), times[1].end()));
  std::printf("ratio:            %.2f (aim: within 1.30)\n", program / floor);
  return 0;
}
