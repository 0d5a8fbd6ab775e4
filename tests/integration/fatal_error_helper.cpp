// A small program for the fatal error test: it runs the shell's start sequence with a window
// whose created handler adds an exit routine (twice: it stands in the list once) and then,
// depending on SHELL_HELPER_MODE, calls FatalError ("fatal") or closes
// the window ("normal"). The exit routine appends a line to the file SHELL_HELPER_MARKER.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/application.h"
#include "app/loaded_window.h"
#include "app/window_definition.h"

namespace {

std::string Environment(const char* name) {
  char value[1024] = {};
  const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value) : std::string();
}

// The text of the failure, as the memory service would give it.
constexpr char kFatalText[] = "分配 100 字节内存失败!";

void WriteMarker() {
  if (FILE* f = std::fopen(Environment("SHELL_HELPER_MARKER").c_str(), "ab")) {
    std::fputs("exit routine\n", f);
    std::fclose(f);
  }
}

void Created();

const corvani::WindowDefinition& Window() {
  static const corvani::WindowDefinition d{
      .title = "Fatal helper", .width = 300, .height = 200,
      .events = {{.event = corvani::Event::FirstActivated, .command = &Created}}};
  return d;
}

void Created() {
  corvani::AddExitRoutine(&WriteMarker);
  corvani::AddExitRoutine(&WriteMarker);
  if (Environment("SHELL_HELPER_MODE") == "fatal") corvani::FatalError(kFatalText);
  corvani::DestroyLoadedWindow(corvani::RequireLoaded(Window(), "no window"));
}

}  // namespace

int main() { return corvani::RunApplication(Window()); }
