// Times whole-file reading and writing against a floor that does only the plain system calls,
// on GBK text of ordinary line lengths. Prints figures; judges nothing.
//   files_bench <folder>            the timing table
//   files_bench --open-peak <file>  extra peak memory of reading a file into a Text
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "document/read_whole_file.h"
#include "document/text_conversion.h"
#include "document/write_whole_file.h"

namespace {

using corvani::Bytes;
using corvani::Text;

// Lines of 20 to 100 bytes: Chinese characters, some ASCII words, CR LF.
std::string GbkText(std::size_t size) {
  static const char* const kPieces[] = {"中文", "文本", "编辑", "保存", "打开", " text ", "12345", "，", "。"};
  std::string text;
  text.reserve(size + 128);
  unsigned seed = 12345;
  while (text.size() < size) {
    seed = seed * 1103515245 + 12345;
    const std::size_t length = 20 + (seed >> 16) % 81;
    const std::size_t start = text.size();
    while (text.size() - start < length) {
      seed = seed * 1103515245 + 12345;
      text += kPieces[(seed >> 16) % 9];
    }
    text += "\r\n";
  }
  text.resize(size);
  return text;
}

double MedianMs(int runs, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::size_t FloorRead(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file, &size);
  char* buffer = static_cast<char*>(std::malloc(static_cast<std::size_t>(size.QuadPart) + 1));
  DWORD got = 0;
  ::ReadFile(file, buffer, static_cast<DWORD>(size.QuadPart), &got, nullptr);
  ::CloseHandle(file);
  buffer[got] = 0;
  std::free(buffer);
  return got;
}

void FloorWrite(const std::string& path, const std::string& data) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  ::FlushFileBuffers(file);
  ::CloseHandle(file);
}

// The least a save that keeps the old content until the new is complete must do.
void FloorReplace(const std::string& path, const std::string& data) {
  const std::string temporary = path + ".floor-tmp";
  FloorWrite(temporary, data);
  ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

SIZE_T PeakCommit() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakPagefileUsage;
}

int OpenPeak(const std::string& path) {
  const SIZE_T before = PeakCommit();
  auto bytes = corvani::ReadWholeFile(path);
  if (!bytes) return 1;
  const std::size_t size = bytes->data.size();
  const Text text = corvani::BytesToText(std::move(*bytes));
  const SIZE_T after = PeakCommit();
  std::printf("open %zu bytes: peak commit grew by %.2f MB = %.2f x the file (text %zu bytes)\n",
              size, (after - before) / 1048576.0, double(after - before) / size, text.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--open-peak") return OpenPeak(argv[2]);
  if (argc != 2) {
    std::fprintf(stderr, "usage: files_bench <folder> | --open-peak <file>\n");
    return 1;
  }
  const std::string folder = argv[1];
  std::printf("%-6s %9s %9s %6s %9s %9s %6s %12s %6s\n", "size", "read ms", "floor", "ratio",
              "write ms", "floor", "ratio", "replace floor", "ratio");
  for (int megabytes : {1, 10, 50}) {
    const std::string data = GbkText(static_cast<std::size_t>(megabytes) << 20);
    const std::string source = folder + "\\bench-" + std::to_string(megabytes) + ".txt";
    const std::string target = folder + "\\bench-saved.txt";
    FloorWrite(source, data);
    const int runs = megabytes >= 50 ? 5 : 9;
    const double read = MedianMs(runs, [&] {
      auto bytes = corvani::ReadWholeFile(source);
      const Text text = corvani::BytesToText(std::move(*bytes));
      if (text.size() != data.size()) std::abort();
    });
    const double read_floor = MedianMs(runs, [&] { FloorRead(source); });
    const Bytes bytes{data};
    const double write = MedianMs(runs, [&] {
      if (!corvani::WriteWholeFile(target, bytes)) std::abort();
    });
    const double write_floor = MedianMs(runs, [&] { FloorWrite(target, data); });
    const double replace_floor = MedianMs(runs, [&] { FloorReplace(target, data); });
    std::printf("%3d MB %9.2f %9.2f %6.2f %9.2f %9.2f %6.2f %12.2f %6.2f\n", megabytes, read,
                read_floor, read / read_floor, write, write_floor, write / write_floor,
                replace_floor, write / replace_floor);
    ::DeleteFileA(target.c_str());
  }
  return 0;
}
